// TFmColor: the color settings dialog ("色の設定"). Five pages hold the 23
// view colors as swatches; each page's "標準値(&D)" button resets that page.
// The caller copies the colors back only on OK.
#pragma once

#include <QColor>
#include <QDialog>
#include <array>

class IDialogService;
class QLabel;
class QPushButton;
class QTabWidget;
class TCuteButton;
struct TAppSettings;

class TFmColor : public QDialog {
    Q_OBJECT
public:
    static constexpr int SwatchCount = 23;
    static constexpr int PageCount = 5;

    // lastChosen: the color the color dialog opens on (the last one chosen in it).
    TFmColor(IDialogService& dialogs, const QColor& lastChosen = Qt::black, QWidget* parent = nullptr);

    // Each swatch takes the color of its key; the first page shows.
    void Load(const TAppSettings& settings);
    // All 23 keys take their swatch's color (for OK).
    void Store(TAppSettings& settings) const;
    QColor LastChosen() const { return FLastChosen; }

    QTabWidget* PageControl1;
    QWidget* Pages[PageCount];
    // In the order they take the focus, which is the settings file's order.
    TCuteButton *CBBackground, *CBLine1, *CBLine2, *CBChar1, *CBChar2, *CBKekkaWin, *CBKekkaLost, *CBKekkaDraw, *CBUp,
        *CBDown, *CBMagic, *CBRitu, *CBActive, *CBUnActive, *CBBatNo, *CBBatW, *CBBatWW, *CBBatL, *CBBatLL, *CBBatD,
        *CBBatDD, *CBBackPt1, *CBBackPt2;
    std::array<TCuteButton*, SwatchCount> Swatches;
    std::array<QLabel*, SwatchCount> Labels;
    QPushButton* BtnDflt[PageCount]; // BtnDflt1 … BtnDflt5
    QPushButton* BtnOk;
    QPushButton* BtnCancel;

    void CBClick(TCuteButton* swatch);
    void BtnDfltClick(int page); // BtnDflt1Click … BtnDflt5Click

private:
    IDialogService& Dialogs;
    QColor FLastChosen;
};
