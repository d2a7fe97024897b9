#include "gui/views/UNittei.h"

#include "core/season/BaseballPennant.h"
#include "draw/QtText.h"
#include "gui/controls/WheelMessage.h"
#include "gui/views/TableSurface.h"

#include "gui/controls/TabStrip.h"
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

TFmNittei::TFmNittei(const TViewContext& view, int leagueIndex, QWidget* parent) : QWidget(parent), View(view) {
    setAttribute(Qt::WA_DeleteOnClose);
    resize(571, 373);
    setWindowTitle(QStringLiteral("日程表"));
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setWidgetResizable(false);
    ImgNittei = new TTableSurface;
    ScrollBox1->setWidget(ImgNittei);
    ScrollBox1->viewport()->installEventFilter(this);
    TabLeague = new TTabStrip(this);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(ScrollBox1);
    column->addWidget(TabLeague);

    const TPennant& p = *View.Pennant;
    for (int l = 0; l < p.LeagueCount(); ++l)
        TabLeague->addTab(Q(p.GetLeague(l).Name));
    TabLeague->setCurrentIndex(std::clamp(leagueIndex, 0, std::max(TabLeague->count() - 1, 0)));
    connect(TabLeague, &TTabStrip::currentChanged, this, &TFmNittei::TabLeagueChange);
    TabLeagueChange(TabLeague->currentIndex());
}

void TFmNittei::TabLeagueChange(int index) {
    if (index < 0)
        return;
    QPalette pal = ScrollBox1->palette();
    pal.setColor(QPalette::Window, View.Background());
    ScrollBox1->setPalette(pal);
    ScrollBox1->setBackgroundRole(QPalette::Window);
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

bool TFmNittei::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel || event->type() == MsWheelRollMsg())
        return ScrollOneLine(event, ScrollBox1);
    return QWidget::eventFilter(watched, event);
}

bool TFmNittei::event(QEvent* event) {
    if (event->type() == QEvent::Wheel || event->type() == MsWheelRollMsg())
        return ScrollOneLine(event, ScrollBox1);
    return QWidget::event(event);
}

TTablePicture TFmNittei::Picture() const {
    return SingleTablePicture(Current);
}
