// TDlgNew: asks which template a new season starts from.
#pragma once

#include <QDialog>

class QButtonGroup;
class QPushButton;

class TDlgNew : public QDialog {
    Q_OBJECT
public:
    explicit TDlgNew(QWidget* parent = nullptr);
    int SelectedTemplate() const;

    QButtonGroup* RGType;
    QPushButton* BtnNext;
    QPushButton* BtnCancel;
};
