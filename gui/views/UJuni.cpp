#include "gui/views/UJuni.h"

#include "core/season/BaseballPennant.h"
#include "gui/views/TableSurface.h"

#include <QScrollArea>

TFmJuni::TFmJuni(const TViewContext& view, int districtIndex, QWidget* parent) : TTableWindow(view, parent) {
    ImgJuni = AddTable(this);
    TrackMouse(ImgJuni);
    TabJuni = AddTabs(DistrictCaptions(), districtIndex);
    LayOut(nullptr, ScrollBox1, TabJuni);
    connect(TabJuni, &TTabStrip::currentChanged, this, &TFmJuni::TabJuniChange);
    TabJuniChange(TabJuni->currentIndex());
    // Every row of tabs comes below the table's first size.
    resize(559, 383 + TabJuni->heightForWidth(559) - TabJuni->minimumSizeHint().height());
}

void TFmJuni::TabJuniChange(int index) {
    if (index < 0)
        return; // a season without districts shows nothing
    setWindowTitle(TabJuni->tabText(index) + QStringLiteral("勝敗表"));
    PaintBackground();
    DrawTable(DisplayMode);
}

void TFmJuni::DrawTable(int mode) {
    // The new table replaces the old one before the old one is freed; the
    // surface paints only what is visible of it.
    std::unique_ptr<TJuniTable> table = std::make_unique<TJuniTable>(View, TabJuni->currentIndex(), mode);
    ImgJuni->SetTable(table.get());
    Current = std::move(table);
    ++DrawCount;
}

void TFmJuni::ImgJuniMouseMove(const QPoint& at) {
    if (!Current)
        return;
    bool hand = false;
    for (const QRect& r : Current->ModeRects)
        hand = hand || r.contains(at);
    const int row = RowAt(Current->TeamRects, at);
    hand = hand || row >= 0;
    ImgJuni->setCursor(hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
    const int over = RowAt(Current->RowRects, at);
    if (over >= 0)
        ImgJuni->Repaint(Current->ShowPanel(over));
}

void TFmJuni::ImgJuniMouseUp(Qt::MouseButton button, const QPoint& at) {
    if (button != Qt::LeftButton || !Current)
        return;
    for (int m = 0; m < 3; ++m)
        if (Current->ModeRects[static_cast<size_t>(m)].contains(at) && m != DisplayMode) {
            DisplayMode = m;
            DrawTable(DisplayMode);
            return;
        }
    const int row = RowAt(Current->TeamRects, at);
    if (row >= 0) {
        const std::string symbol = Current->Calc()->Items(row).Symbol;
        int index = 0;
        std::vector<int> matches;
        View.Pennant->ForEachTeam([&](TLeague&, TDistrict&, TTeam& team) {
            if (team.Symbol == symbol)
                matches.push_back(index);
            ++index;
        });
        for (int teamIndex : matches)
            emit TransitionRequested(teamIndex);
        return;
    }
}

void TFmJuni::CellActivated(int row, int) {
    if (Current && row >= 0 && row < static_cast<int>(Current->TeamRects.size()))
        ImgJuniMouseUp(Qt::LeftButton, Current->TeamRects[static_cast<size_t>(row)].center());
}
