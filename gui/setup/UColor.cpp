#include "gui/setup/UColor.h"

#include "core/io/AppSettings.h"
#include "draw/QtText.h"
#include "gui/controls/CuteBtn.h"
#include "gui/controls/DialogFrame.h"
#include "gui/controls/DialogService.h"

#include <QLabel>
#include <QProxyStyle>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>

namespace {

// Where each swatch stands, in focus order (the settings file's order).
struct TSwatchPlace {
    TCuteButton* TFmColor::*Member;
    const char* Name;
    const char* Label;
    int32_t TAppSettings::*Key;
    int Page, Row, LabelX, SwatchX;
};

// clang-format off
const TSwatchPlace kPlaces[TFmColor::SwatchCount] = {
    {&TFmColor::CBBackground, "CBBackground", "背景",          &TAppSettings::BackGround, 0, 0,  16,  80},
    {&TFmColor::CBLine1,      "CBLine1",      "線(通常)",      &TAppSettings::Line1,      0, 1,  16,  80},
    {&TFmColor::CBLine2,      "CBLine2",      "線(薄)",        &TAppSettings::Line2,      0, 1, 184, 248},
    {&TFmColor::CBChar1,      "CBChar1",      "文字(通常)",    &TAppSettings::Char1,      0, 2,  16,  80},
    {&TFmColor::CBChar2,      "CBChar2",      "文字(薄)",      &TAppSettings::Char2,      0, 2, 184, 248},
    {&TFmColor::CBKekkaWin,   "CBKekkaWin",   "勝利チーム",    &TAppSettings::KekkaWin,   1, 0,  16, 111},
    {&TFmColor::CBKekkaLost,  "CBKekkaLost",  "敗戦チーム",    &TAppSettings::KekkaLost,  1, 1,  16, 111},
    {&TFmColor::CBKekkaDraw,  "CBKekkaDraw",  "引分チーム",    &TAppSettings::KekkaDraw,  1, 2,  16, 111},
    {&TFmColor::CBUp,         "CBUp",         "上昇変動",      &TAppSettings::Up,         2, 0,  16,  80},
    {&TFmColor::CBDown,       "CBDown",       "下降変動",      &TAppSettings::Down,       2, 0, 184, 248},
    {&TFmColor::CBMagic,      "CBMagic",      "マジック",      &TAppSettings::Magic,      2, 1,  16,  80},
    {&TFmColor::CBRitu,       "CBRitu",       "消化率",        &TAppSettings::Ritu,       2, 2,  16,  80},
    {&TFmColor::CBActive,     "CBActive",     "切替Active",    &TAppSettings::Active,     2, 3,  16,  80},
    {&TFmColor::CBUnActive,   "CBUnActive",   "切替非Active",  &TAppSettings::UnActive,   2, 3, 174, 248},
    {&TFmColor::CBBatNo,      "CBBatNo",      "対戦なし",      &TAppSettings::BatNo,      3, 0,  16,  80},
    {&TFmColor::CBBatW,       "CBBatW",       "現在勝越し",    &TAppSettings::BatW,       3, 1,  16,  80},
    {&TFmColor::CBBatWW,      "CBBatWW",      "勝越し確定",    &TAppSettings::BatWW,      3, 1, 176, 248},
    {&TFmColor::CBBatL,       "CBBatL",       "現在負越し",    &TAppSettings::BatL,       3, 2,  16,  80},
    {&TFmColor::CBBatLL,      "CBBatLL",      "負越し確定",    &TAppSettings::BatLL,      3, 2, 176, 248},
    {&TFmColor::CBBatD,       "CBBatD",       "現在互角",      &TAppSettings::BatD,       3, 3,  16,  80},
    {&TFmColor::CBBatDD,      "CBBatDD",      "互角確定",      &TAppSettings::BatDD,      3, 3, 176, 248},
    {&TFmColor::CBBackPt1,    "CBBackPt1",    "背景パターン１", &TAppSettings::BackPt1,    4, 0,  16, 112},
    {&TFmColor::CBBackPt2,    "CBBackPt2",    "背景パターン２", &TAppSettings::BackPt2,    4, 1,  16, 112},
};
// clang-format on

// Tabs as compact as the platform's page controls, so that all five captions
// fit the dialog's width without scroll arrows.
class TCompactTabStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        if (metric == PM_TabBarTabHSpace)
            return std::min(QProxyStyle::pixelMetric(metric, option, widget), 12);
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// The label of the swatch that has the focus is shown highlighted: a focus
// frame drawn on the swatch's own color hardly shows on a dark one.
class TFocusedLabel : public QObject {
public:
    TFocusedLabel(QLabel* label, QObject* parent) : QObject(parent), Label(label) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            const bool in = event->type() == QEvent::FocusIn;
            Label->setAutoFillBackground(in);
            Label->setBackgroundRole(in ? QPalette::Highlight : QPalette::Window);
            Label->setForegroundRole(in ? QPalette::HighlightedText : QPalette::WindowText);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QLabel* Label;
};

const char* const kPageCaptions[TFmColor::PageCount] = {"全般", "結果登録", "勝敗表", "対戦成績表", "順位推移表"};

} // namespace

TFmColor::TFmColor(IDialogService& dialogs, const QColor& lastChosen, QWidget* parent)
    : QDialog(parent), Dialogs(dialogs), FLastChosen(lastChosen) {
    setWindowTitle(QStringLiteral("色の設定"));
    UseDialogFrame(*this);
    setFixedSize(348, 293);

    PageControl1 = new QTabWidget(this);
    PageControl1->setGeometry(8, 8, 332, 248);
    auto* tabStyle = new TCompactTabStyle;
    tabStyle->setParent(this);
    PageControl1->tabBar()->setStyle(tabStyle);
    for (int page = 0; page < PageCount; ++page) {
        Pages[page] = new QWidget;
        PageControl1->addTab(Pages[page], QString::fromUtf8(kPageCaptions[page]));
    }

    QWidget* previous = nullptr;
    auto chain = [&previous](QWidget* next) {
        if (previous && previous->parentWidget() == next->parentWidget())
            QWidget::setTabOrder(previous, next);
        previous = next;
    };
    int i = 0;
    for (int page = 0; page < PageCount; ++page) {
        for (; i < SwatchCount && kPlaces[i].Page == page; ++i) {
            const TSwatchPlace& place = kPlaces[i];
            const int y = 16 + 40 * place.Row;
            auto* swatch = new TCuteButton(Pages[page]);
            swatch->setObjectName(QString::fromLatin1(place.Name));
            swatch->setGeometry(place.SwatchX, y, 75, 25);
            swatch->setAccessibleName(QString::fromUtf8(place.Label));
            swatch->SetShowFocusRect(true); // the raised bevel alone hardly shows which swatch has the focus
            connect(swatch, &TCuteButton::clicked, this, [this, swatch] { CBClick(swatch); });
            auto* label = new QLabel(QString::fromUtf8(place.Label), Pages[page]);
            label->move(place.LabelX, y + 8);
            label->adjustSize();
            label->setBuddy(swatch);
            swatch->installEventFilter(new TFocusedLabel(label, swatch));
            this->*place.Member = swatch;
            Swatches[static_cast<size_t>(i)] = swatch;
            Labels[static_cast<size_t>(i)] = label;
            chain(swatch);
        }
        BtnDflt[page] = new QPushButton(QStringLiteral("標準値(&D)"), Pages[page]);
        BtnDflt[page]->setObjectName(QStringLiteral("BtnDflt%1").arg(page + 1));
        BtnDflt[page]->setGeometry(248, 191, 75, 25);
        connect(BtnDflt[page], &QPushButton::clicked, this, [this, page] { BtnDfltClick(page); });
        chain(BtnDflt[page]);
        previous = nullptr;
    }

    BtnOk = new QPushButton(QStringLiteral("ＯＫ"), this);
    BtnOk->setGeometry(180, 262, 75, 25);
    BtnOk->setDefault(true);
    BtnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    BtnCancel->setGeometry(264, 262, 75, 25);
    connect(BtnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject); // Esc rejects too

    Load(TAppSettings());
}

void TFmColor::Load(const TAppSettings& settings) {
    for (const TSwatchPlace& place : kPlaces)
        (this->*place.Member)->SetColor(settings.*place.Key);
    PageControl1->setCurrentIndex(0);
}

void TFmColor::Store(TAppSettings& settings) const {
    for (const TSwatchPlace& place : kPlaces)
        settings.*place.Key = (this->*place.Member)->Color();
}

void TFmColor::CBClick(TCuteButton* swatch) {
    // The chooser opens on the color last chosen in it, not on the swatch's.
    const std::optional<QColor> chosen = Dialogs.ChooseColor(this, FLastChosen);
    if (!chosen || !chosen->isValid())
        return;
    FLastChosen = *chosen;
    swatch->SetColor(QColorToStored(*chosen));
}

void TFmColor::BtnDfltClick(int page) {
    // The defaults are those of the settings file; system colors stay system colors.
    const TAppSettings defaults;
    for (const TSwatchPlace& place : kPlaces)
        if (place.Page == page)
            (this->*place.Member)->SetColor(defaults.*place.Key);
}
