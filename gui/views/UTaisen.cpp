#include "gui/views/UTaisen.h"

#include "gui/controls/TabStrip.h"
#include "gui/views/TableSurface.h"

#include <QScrollArea>

TFmTaisen::TFmTaisen(const TViewContext& view, int districtIndex, QWidget* parent) : TTableWindow(view, parent) {
    resize(552, 363);
    ImgTaisen = AddTable(this);
    TrackMouse(ImgTaisen);
    TabTaisen = AddTabs(DistrictCaptions(), districtIndex);
    LayOut(nullptr, ScrollBox1, TabTaisen);
    connect(TabTaisen, &TTabStrip::currentChanged, this, &TFmTaisen::TabTaisenChange);
    TabTaisenChange(TabTaisen->currentIndex());
}

void TFmTaisen::TabTaisenChange(int index) {
    if (index < 0)
        return; // a season without districts shows nothing
    setWindowTitle(TabTaisen->tabText(index) + QStringLiteral("対戦成績表"));
    PaintBackground();
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
