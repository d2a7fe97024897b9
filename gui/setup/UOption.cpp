#include "gui/setup/UOption.h"

#include "core/io/AppSettings.h"
#include "core/rules/OptionRules.h"
#include "gui/controls/DialogFrame.h"
#include "gui/controls/NumberBox.h"
#include "gui/controls/RadioGroup.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

TFmOption::TFmOption(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("オプションの設定"));
    UseDialogFrame(*this);
    setFixedSize(300, 282);

    auto check = [this](const QString& text, int x, int y) {
        auto* box = new QCheckBox(text, this);
        box->move(x, y);
        box->adjustSize();
        return box;
    };
    ChkZenkai = check(QStringLiteral("起動時、最後に開いたファイルを読み込む(&L)"), 12, 14);
    ChkSche = check(QStringLiteral("日程登録時にチーム記号を使用(&S)"), 12, 40);

    LblTMax = new QLabel(QStringLiteral("登録時の最大表示行数(&M)"), this);
    LblTMax->move(14, 74);
    LblTMax->adjustSize();
    UDTMax = new TNumberBox(MinRegistrationRows, MaxRegistrationRows, RowCountFromText, this);
    UDTMax->setGeometry(172, 70, 53, 21);
    UDTMax->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LblTMax->setBuddy(UDTMax);

    RGTab = new QGroupBox(QStringLiteral("チーム別推移表のタブ"), this);
    RGTab->setGeometry(12, 104, 276, 52);
    TabGroup = new QButtonGroup(this);
    const QString tabCaptions[3] = {QStringLiteral("正式名称(&N)"), QStringLiteral("略称(&R)"),
                                    QStringLiteral("記号(&K)")};
    const int columns[3] = {10, 112, 194};
    for (int i = 0; i < 3; ++i) {
        RBTab[i] = new QRadioButton(tabCaptions[i], RGTab);
        RBTab[i]->setGeometry(columns[i], 22, i == 0 ? 100 : 80, 20);
        TabGroup->addButton(RBTab[i], i);
    }
    TabStopOnCheckedButton(*TabGroup);

    ChkSuspend = check(QStringLiteral("チーム別順位推移表で試合中止分も表示する(&X)"), 12, 170);
    ChkOther = check(QStringLiteral("他チームの試合のみでも表示する(&Y)"), 30, 196);

    Button1 = new QPushButton(QStringLiteral("ＯＫ"), this);
    Button1->setGeometry(64, 240, 75, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("キャンセル"), this);
    Button2->setGeometry(161, 240, 75, 25);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject); // Esc rejects too

    connect(ChkSuspend, &QCheckBox::toggled, this, &TFmOption::ChkSuspendClick);

    // The defaults of the settings file, with ChkOther disabled.
    Load(TAppSettings());
}

void TFmOption::Load(const TAppSettings& settings) {
    ChkZenkai->setChecked(settings.Zenkai);
    ChkSche->setChecked(settings.Sche);
    UDTMax->setValue(settings.TMax);
    SetTabIndex(settings.TTab);
    ChkSuspend->setChecked(settings.Suspend);
    ChkSuspendClick();
    ChkOther->setChecked(settings.Other);
}

void TFmOption::Store(TAppSettings& settings) const {
    settings.Zenkai = ChkZenkai->isChecked();
    settings.Sche = ChkSche->isChecked();
    settings.TMax = UDTMax->value();
    settings.TTab = TabIndex();
    settings.Suspend = ChkSuspend->isChecked();
    settings.Other = ChkOther->isChecked();
}

int TFmOption::TabIndex() const {
    return TabGroup->checkedId();
}

void TFmOption::SetTabIndex(int index) {
    if (QAbstractButton* button = TabGroup->button(index)) {
        button->setChecked(true);
    } else if (QAbstractButton* checked = TabGroup->checkedButton()) {
        TabGroup->setExclusive(false); // no item selected
        checked->setChecked(false);
        TabGroup->setExclusive(true);
    }
}

void TFmOption::ChkSuspendClick() {
    if (ChkSuspend->isChecked()) {
        ChkOther->setEnabled(true);
    } else {
        ChkOther->setChecked(false);
        ChkOther->setEnabled(false);
    }
}
