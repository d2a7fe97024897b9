#include "gui/app/UDlgNew.h"

#include "gui/controls/DialogFrame.h"
#include "gui/controls/RadioGroup.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TDlgNew::TDlgNew(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("新規作成"));
    UseDialogFrame(*this);
    setFixedSize(290, 161);

    auto* group = new QGroupBox(QStringLiteral("新規作成するデータのタイプを選択してください"), this);
    group->setGeometry(8, 8, 274, 108);
    auto* column = new QVBoxLayout(group);
    RGType = new QButtonGroup(this);
    const QString items[] = {QStringLiteral("日本プロ野球(&J)"), QStringLiteral("アメリカメジャーリーグ(&M)"),
                             QStringLiteral("その他(&O)")};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QRadioButton(items[i], group);
        column->addWidget(b);
        RGType->addButton(b, i);
    }
    RGType->button(0)->setChecked(true);
    TabStopOnCheckedButton(*RGType);

    BtnNext = new QPushButton(QStringLiteral("次へ >"), this);
    BtnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    BtnNext->setGeometry(118, 126, 78, 26);
    BtnCancel->setGeometry(204, 126, 78, 26);
    BtnNext->setDefault(true);
    connect(BtnNext, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

int TDlgNew::SelectedTemplate() const {
    return RGType->checkedId();
}
