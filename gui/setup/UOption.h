// TFmOption: the options dialog ("オプションの設定"). It edits the six
// program options of the settings; the caller copies them back only on OK.
#pragma once

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TNumberBox;
struct TAppSettings;

class TFmOption : public QDialog {
    Q_OBJECT
public:
    explicit TFmOption(QWidget* parent = nullptr);

    // Fills the controls from the settings (the check rule of ChkSuspend runs).
    void Load(const TAppSettings& settings);
    // Copies the controls into the settings (for OK).
    void Store(TAppSettings& settings) const;

    // The tab caption choice: 0 full name, 1 short name, 2 symbol.
    int TabIndex() const;
    void SetTabIndex(int index);

    QCheckBox* ChkZenkai;
    QCheckBox* ChkSche;
    QLabel* LblTMax;
    TNumberBox* UDTMax; // the rows shown at once in the registration windows
    QGroupBox* RGTab;
    QRadioButton* RBTab[3];
    QCheckBox* ChkSuspend;
    QCheckBox* ChkOther;
    QPushButton* Button1;
    QPushButton* Button2;

    void ChkSuspendClick();

private:
    QButtonGroup* TabGroup;
};
