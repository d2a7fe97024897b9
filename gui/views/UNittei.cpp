#include "gui/views/UNittei.h"

#include "core/season/BaseballPennant.h"
#include "draw/QtText.h"
#include "gui/controls/TabStrip.h"
#include "gui/views/TableSurface.h"

#include <QScrollArea>
#include <QScrollBar>

TFmNittei::TFmNittei(const TViewContext& view, int leagueIndex, QWidget* parent) : TTableWindow(view, parent) {
    resize(571, 373);
    setWindowTitle(QStringLiteral("日程表"));
    ImgNittei = AddTable(this);
    QStringList leagues;
    const TPennant& p = *View.Pennant;
    for (int l = 0; l < p.LeagueCount(); ++l)
        leagues << Q(p.GetLeague(l).Name);
    TabLeague = AddTabs(leagues, leagueIndex);
    LayOut(nullptr, ScrollBox1, TabLeague);
    connect(TabLeague, &TTabStrip::currentChanged, this, &TFmNittei::TabLeagueChange);
    TabLeagueChange(TabLeague->currentIndex());
}

void TFmNittei::TabLeagueChange(int index) {
    if (index < 0)
        return;
    PaintBackground();
    Current = LayoutNittei(View, index);
    setWindowTitle(Current.Caption);
    ImgNittei->SetTable(&Current);
}

void TFmNittei::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!Shown) {
        Shown = true;
        FormShow();
    }
}

void TFmNittei::FormShow() {
    // The latest played day comes near the top.
    ScrollBox1->verticalScrollBar()->setValue(Current.ScrollTarget - 93);
}
