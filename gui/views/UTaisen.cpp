#include "gui/views/UTaisen.h"

#include "core/season/BaseballPennant.h"
#include "draw/QtText.h"
#include "gui/controls/WheelMessage.h"
#include "gui/views/TableSurface.h"

#include "gui/controls/TabStrip.h"
#include <QMouseEvent>
#include <QScrollArea>
#include <QVBoxLayout>

TFmTaisen::TFmTaisen(const TViewContext& view, int districtIndex, QWidget* parent) : QWidget(parent), View(view) {
    setAttribute(Qt::WA_DeleteOnClose);
    resize(552, 363);
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setWidgetResizable(false);
    ImgTaisen = new TTableSurface;
    ImgTaisen->setMouseTracking(true);
    ImgTaisen->installEventFilter(this);
    ScrollBox1->setWidget(ImgTaisen);
    ScrollBox1->viewport()->installEventFilter(this);
    TabTaisen = new TTabStrip(this);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(ScrollBox1);
    column->addWidget(TabTaisen);

    const TPennant& p = *View.Pennant;
    for (int l = 0; l < p.LeagueCount(); ++l)
        for (int d = 0; d < p.GetLeague(l).DistrictCount(); ++d)
            TabTaisen->addTab(Q(p.GetLeague(l).Name + p.GetLeague(l).GetDistrict(d).Name));
    TabTaisen->setCurrentIndex(std::clamp(districtIndex, 0, std::max(TabTaisen->count() - 1, 0)));
    connect(TabTaisen, &TTabStrip::currentChanged, this, &TFmTaisen::TabTaisenChange);
    TabTaisenChange(TabTaisen->currentIndex());
}

void TFmTaisen::TabTaisenChange(int index) {
    if (index < 0)
        return; // a season without districts shows nothing
    setWindowTitle(TabTaisen->tabText(index) + QStringLiteral("対戦成績表"));
    QPalette pal = ScrollBox1->palette();
    pal.setColor(QPalette::Window, View.Background());
    ScrollBox1->setPalette(pal);
    ScrollBox1->setBackgroundRole(QPalette::Window);
    PageList = TaisenPages(*View.Pennant, index);
    CurrentPage = 0;
    Redraw();
}

void TFmTaisen::Redraw() {
    Current = LayoutTaisen(View, TabTaisen->currentIndex(), PageList, FilterMode, CurrentPage);
    ++RedrawCount;
    ImgTaisen->SetTable(&Current.Table);
}

void TFmTaisen::ImgTaisenMouseMove(const QPoint& at) {
    bool hand = false;
    for (const QRect& r : Current.FilterRects)
        hand = hand || r.contains(at);
    for (const QRect& r : Current.PageRects)
        hand = hand || r.contains(at);
    hand = hand || Current.HitAt(at).has_value();
    ImgTaisen->setCursor(hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TFmTaisen::ImgTaisenMouseUp(Qt::MouseButton button, const QPoint& at) {
    if (button != Qt::LeftButton)
        return;
    for (int i = 0; i < 3; ++i)
        if (Current.FilterRects[i].contains(at) && i != FilterMode) {
            FilterMode = i;
            Redraw();
            return;
        }
    for (size_t q = 0; q < Current.PageRects.size(); ++q)
        if (Current.PageRects[q].contains(at) && static_cast<int>(q) != CurrentPage) {
            CurrentPage = static_cast<int>(q);
            Redraw();
            return;
        }
    if (const std::optional<TTaisenHit> hit = Current.HitAt(at)) {
        // Copies: the window may redraw before the receiver is done with them.
        const std::string own = hit->RowSymbol, opponent = hit->ColumnSymbol;
        emit VersusRequested(TabTaisen->currentIndex(), own, opponent, FilterMode);
    }
}

bool TFmTaisen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ImgTaisen) {
        if (event->type() == QEvent::MouseMove) {
            ImgTaisenMouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
            return false;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            ImgTaisenMouseUp(mouse->button(), mouse->position().toPoint());
            return true;
        }
    }
    if (event->type() == QEvent::Wheel || event->type() == MsWheelRollMsg())
        return ScrollOneLine(event, ScrollBox1);
    return QWidget::eventFilter(watched, event);
}

bool TFmTaisen::event(QEvent* event) {
    if (event->type() == QEvent::Wheel || event->type() == MsWheelRollMsg())
        return ScrollOneLine(event, ScrollBox1);
    return QWidget::event(event);
}

TTablePicture TFmTaisen::Picture() const {
    return SingleTablePicture(Current.Table);
}
