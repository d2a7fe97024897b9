// The head-to-head table: cell states, filters, pages, the header and the clicks.
#include "draw/TaisenDrawing.h"
#include "gui/controls/TabStrip.h"
#include "gui/views/TableSurface.h"
#include "gui/views/UTaisen.h"
#include "tests/gui/ViewSeason.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

const double kSat = days::Encode(2003, 4, 5); // a Saturday

std::unique_ptr<TRecordingCanvas> Paint(const TTaisenLayout& l) {
    return RecordTable(l.Table);
}

// The table of district 0 (page 0) with the given filter.
TTaisenLayout Layout(const TViewSeason& s, int filter = 0, int district = 0, int page = 0) {
    return LayoutTaisen(s.View(), district, TaisenPages(s.Pennant, district), filter, page);
}

// The texts of the cell of row r (0-based, in standings order) and column c.
QStringList Cell(const TRecordingCanvas& canvas, int w, bool pictures, int r, int c) {
    const int x = 5 + 19 + (pictures ? 142 : 89) + c * (w - 1);
    return TextsOf(canvas, QRect(x, 75 + 35 * r, w, 36));
}

} // namespace

TEST(Taisen, CellStates) {
    struct TCase {
        int Wins, Losses, Games, Remain;
        TBatState State;
    };
    const TCase cases[] = {
        {0, 0, 0, 0, TBatState::No}, {5, 3, 8, 2, TBatState::W},  {5, 3, 8, 1, TBatState::WW},
        {3, 5, 8, 2, TBatState::L},  {3, 5, 8, 1, TBatState::LL}, {4, 4, 8, 2, TBatState::D},
        {4, 4, 8, 0, TBatState::DD}, {0, 0, 0, 3, TBatState::D},  {0, 0, 2, 0, TBatState::DD}, // two draws
    };
    for (const TCase& k : cases)
        EXPECT_EQ(BatState(k.Wins, k.Losses, k.Games, k.Remain), k.State)
            << k.Wins << "-" << k.Losses << " with " << k.Remain << " left";

    // In the table: A leads B 2-1 with one game left (not settled), the
    // cell is filled in BatW and clickable; a team's cell against itself is not.
    TViewSeason s;
    s.League("セ", {{"A", "B"}});
    s.Settings.BatW = 0x00FF00;
    s.Game("A", "B", 2, 1, kSat).Game("B", "A", 2, 1, kSat + 1).Game("A", "B", 3, 0, kSat + 2);
    s.Game("B", "A", 0, 0, kSat + 3, StatusBefore).Sorted();
    const TTaisenLayout l = Layout(s);
    ASSERT_EQ(l.Hits().size(), 2u);
    EXPECT_EQ(l.Hits()[0].RowSymbol, "A");
    EXPECT_EQ(l.Hits()[0].ColumnSymbol, "B");
    EXPECT_EQ(l.Hits()[0].Rect, QRect(5 + 19 + 89 + 89, 75, 90, 36));
    const auto c = Paint(l);
    EXPECT_EQ(Cell(*c, 90, false, 0, 0), QStringList({"＊"}));
    EXPECT_EQ(Cell(*c, 90, false, 0, 1), QStringList({"G3", "2-1-0", "R1", ".667"}));
    bool filled = false;
    for (const TRecordingCanvas::TShape& shape : c->Shapes())
        filled = filled || (shape.Kind == TRecordingCanvas::TShape::Fill && shape.Rect == l.Hits()[0].Rect &&
                            shape.Color == QColor(0, 255, 0));
    EXPECT_TRUE(filled);
    // The cell's border is shared with the cell on its left, which has no games: a hit still.
    EXPECT_EQ(l.HitAt(l.Hits()[0].Rect.topLeft())->ColumnSymbol, "B");
    EXPECT_FALSE(l.HitAt(l.Hits()[0].Rect.topLeft() - QPoint(1, 0)));
}

TEST(Taisen, FiltersAndDrawRule) {
    TViewSeason s;
    s.League("セ", {{"A", "B", "C"}}, 2);
    // A met B only as visitor; A and C drew once at home and A won once.
    s.Game("B", "A", 1, 2, kSat).Game("A", "C", 3, 3, kSat + 1).Game("A", "C", 4, 1, kSat + 2).Sorted();
    TTaisenLayout all = Layout(s, 0);
    TTaisenLayout home = Layout(s, 1);
    auto hit = [](const TTaisenLayout& l, const char* row, const char* column) {
        for (const TTaisenHit& h : l.Hits())
            if (h.RowSymbol == row && h.ColumnSymbol == column)
                return true;
        return false;
    };
    EXPECT_TRUE(hit(all, "A", "B"));
    EXPECT_FALSE(hit(home, "A", "B"));
    EXPECT_TRUE(hit(Layout(s, 2), "A", "B"));
    // Without draws the games count leaves the draw out and the result has two numbers.
    // Rows: A (2-0) first; columns in standings order too: A, C, B.
    const auto c = Paint(all);
    EXPECT_EQ(Cell(*c, 90, false, 0, 1), QStringList({"G1", "1-0", "R0", "1.000"}));
    EXPECT_EQ(Cell(*Paint(home), 90, false, 0, 2), QStringList({"＊"}));

    // Two teams of one symbol head two columns: both show the games and take clicks.
    TViewSeason twins;
    twins.League("セ", {{"A", "B", "B"}});
    twins.Game("A", "B", 2, 1, kSat).Sorted();
    const std::vector<TTaisenHit> hits = Layout(twins).Hits();
    EXPECT_EQ(std::count_if(hits.begin(), hits.end(), [](const TTaisenHit& h) { return h.RowSymbol == "A"; }), 2);
    EXPECT_EQ(hits.size(), 3u); // and the first B against A
}

TEST(Taisen, HeaderDateColumnsAndWidths) {
    struct TCase {
        const char* What;
        int Status; // of the one game, or -1 for none
        const char* Header;
    };
    const TCase cases[] = {{"nothing scheduled", -1, "全日程終了"},
                           {"nothing played", StatusBefore, "開始前"},
                           {"a result, more to play", StatusFinished, "4月5日(土) 現在"}};
    for (const TCase& k : cases) {
        TViewSeason s;
        s.League("セ", {{"A", "B"}});
        if (k.Status >= 0)
            s.Game("A", "B", 1, 0, kSat, static_cast<uint8_t>(k.Status));
        s.Game("B", "A", 0, 0, kSat + 1, k.Status < 0 ? StatusCancelled : StatusBefore);
        const auto c = Paint(Layout(s));
        EXPECT_EQ(TextsOf(*c, QRect(10, 5, 110, 13)), QStringList({k.Header})) << k.What;
    }

    // Ten row teams make 75-wide columns, nine 90-wide, whatever the columns' district.
    for (const auto& [teams, width] : {std::pair{9, 90}, std::pair{10, 75}}) {
        TViewSeason s;
        const char* all[] = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J"};
        TLeague& l = s.League("セ", {{}, {"y", "z"}});
        for (int t = 0; t < teams; ++t)
            l.GetDistrict(0).GetTeam(l.GetDistrict(0).AddTeam()).SetSymbol(all[t]);
        s.Game("A", "y", 1, 0, kSat);
        const TTaisenLayout page = Layout(s, 0, 0, 1);
        ASSERT_EQ(page.Hits().size(), 1u);
        EXPECT_EQ(page.Hits()[0].Rect.width(), width);
        // A narrow table still shows the filter buttons whole.
        EXPECT_GE(page.Table.Size().width(), page.FilterRects[2].right() + 1);
    }

    // One row team with a picture (here one that cannot be loaded): every row
    // gets the picture column, the wide team header, and the cells move right.
    TViewSeason s;
    s.League("セ", {{"A", "B"}});
    s.Pennant.GetLeague(0).GetDistrict(0).GetTeam(1).Picture = "{DEFAULT}missing.bmp";
    s.Game("A", "B", 1, 0, kSat);
    const TTaisenLayout l = Layout(s);
    ASSERT_EQ(l.Hits().size(), 2u);
    EXPECT_EQ(l.Hits()[0].Rect.left(), 5 + 19 + 53 + 89 + 89);
    const auto c = Paint(l);
    EXPECT_NE(c->Find(QStringLiteral("チ　　ー　　ム")), nullptr);
    EXPECT_EQ(Cell(*c, 90, true, 0, 1), QStringList({"G1", "1-0-0", "R0", "1.000"}));
}

TEST(Taisen, PagesAndHeadings) {
    TViewSeason s;
    s.League("セ", {{"A"}, {"B"}});
    s.League("パ", {{"C"}});
    EXPECT_EQ(TaisenPages(s.Pennant, 1), (std::vector<int>{1, 0}));
    s.Pennant.Interleague = 1;
    EXPECT_EQ(TaisenPages(s.Pennant, 1), (std::vector<int>{1, 0, 2}));
    EXPECT_EQ(TaisenPages(s.Pennant, 2), (std::vector<int>{2, 0, 1}));
    EXPECT_TRUE(TaisenPages(s.Pennant, 3).empty());
    const char* headings[] = {"【対 同一地区】", "【対 地区1】", "【対 パ地区1】"};
    for (int page = 0; page < 3; ++page) {
        const TTaisenLayout l = Layout(s, 0, 1, page);
        EXPECT_EQ(TextsOf(*Paint(l), QRect(10, 18, 290, 18)), QStringList({headings[page]}));
        ASSERT_EQ(l.PageRects.size(), 3u);
        EXPECT_EQ(l.PageRects[2], QRect(48 + 40, 75 + 35 + 5 + 3, 15, 11));
    }

    // One district, no interleague games: no heading and no PAGE row.
    TViewSeason one;
    one.League("セ", {{"A", "B"}});
    const TTaisenLayout l = Layout(one);
    EXPECT_TRUE(l.PageRects.empty());
    const auto c = Paint(l);
    EXPECT_TRUE(TextsOf(*c, QRect(10, 18, 290, 18)).isEmpty());
    EXPECT_TRUE(TextsOf(*c, QRect(0, 75 + 70, 400, 80)).isEmpty());
}

TEST(Taisen, WindowClicks) {
    TViewSeason s;
    s.League("セ", {{"A", "B"}, {"C"}});
    s.Game("A", "B", 2, 1, kSat).Game("A", "C", 2, 1, kSat + 1).Sorted();
    TFmTaisen w(s.View(), 0);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("セ地区1対戦成績表"));
    EXPECT_EQ(w.TabTaisen->count(), 2);
    QSignalSpy versus(&w, &TFmTaisen::VersusRequested);
    const int redraws = w.Redraws();

    // The current filter and the current page: nothing happens.
    w.ImgTaisenMouseUp(Qt::LeftButton, w.Layout().FilterRects[0].center());
    w.ImgTaisenMouseUp(Qt::LeftButton, w.Layout().PageRects.at(0).center());
    EXPECT_EQ(w.Redraws(), redraws);
    // Another page, then another filter: each redraws once; the page survives a filter change.
    w.ImgTaisenMouseUp(Qt::LeftButton, w.Layout().PageRects.at(1).center());
    EXPECT_EQ(w.CurrentPage, 1);
    w.ImgTaisenMouseUp(Qt::RightButton, w.Layout().FilterRects[1].center());
    EXPECT_EQ(w.FilterMode, 0);
    w.ImgTaisenMouseUp(Qt::LeftButton, w.Layout().FilterRects[1].center());
    EXPECT_EQ(w.FilterMode, 1);
    EXPECT_EQ(w.Redraws(), redraws + 2);
    EXPECT_EQ(w.ImgTaisen->size(), w.Layout().Table.Size());

    // A cell: the pairing with the current filter, as a further window.
    ASSERT_EQ(w.Layout().Hits().size(), 1u);
    w.ImgTaisenMouseMove(w.Layout().Hits()[0].Rect.center());
    EXPECT_EQ(w.ImgTaisen->cursor().shape(), Qt::PointingHandCursor);
    w.ImgTaisenMouseUp(Qt::LeftButton, w.Layout().Hits()[0].Rect.center());
    ASSERT_EQ(versus.count(), 1);
    EXPECT_EQ(versus[0][0].toInt(), 0);
    EXPECT_EQ(versus[0][3].toInt(), 1);
    w.ImgTaisenMouseMove(QPoint(1, 1));
    EXPECT_EQ(w.ImgTaisen->cursor().shape(), Qt::ArrowCursor);

    // A tab change keeps the filter and goes back to the first page.
    w.TabTaisen->setCurrentIndex(1);
    EXPECT_EQ(w.FilterMode, 1);
    EXPECT_EQ(w.CurrentPage, 0);
    EXPECT_EQ(w.Pages(), (std::vector<int>{1, 0}));
}
