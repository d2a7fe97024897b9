// The team-versus-team window: the game list's numbering and the summary.
#include "draw/VersusDrawing.h"
#include "gui/views/TableSurface.h"
#include "gui/views/UVersus.h"
#include "tests/gui/ViewSeason.h"

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <gtest/gtest.h>

namespace {

const double kSat = days::Encode(2003, 4, 5); // a Saturday

std::unique_ptr<TRecordingCanvas> PaintList(const TVersusLayout& l) {
    return RecordTable(l.List);
}
std::unique_ptr<TRecordingCanvas> PaintHead(const TVersusLayout& l) {
    return RecordTable(l.Head);
}
QStringList Row(const TRecordingCanvas& c, int row) {
    return TextsOf(c, QRect(0, 17 * row, 2000, 18));
}

// A and B of one district: A at home, away, cancelled, undecided and to play.
TViewSeason Pairing(uint8_t drawRule = 0) {
    TViewSeason s;
    s.League("セ", {{"A", "B"}}, drawRule);
    s.Game("A", "B", 3, 1, kSat)
        .Game("B", "A", 0, 0, kSat + 1, StatusCancelled)
        .Game("B", "A", 2, 5, kSat + 2)
        .Game("A", "B", 0, 0, kSat + 3)
        .Game("A", "C", 9, 0, kSat + 4)
        .Game("A", "B", 0, 0, days::UndecidedDate, StatusBefore)
        .Game("B", "A", 0, 0, kSat + 5, StatusBefore)
        .Sorted();
    return s;
}

} // namespace

TEST(Versus, GameListNumbersEveryGameEvenHidden) {
    const TViewSeason s = Pairing();
    const TVersusLayout all = LayoutVersus(s.View(), 0, "A", "B", 0);
    ASSERT_TRUE(all.Valid);
    EXPECT_EQ(all.Caption, QStringLiteral("A vs B"));
    ASSERT_EQ(all.Listed, 5); // the cancelled game and the one against C are not listed
    EXPECT_EQ(all.ListHeight, 5 * 17);
    const auto c = PaintList(all);
    EXPECT_EQ(Row(*c, 0), QStringList({"4月05日(土)", "○", "3", "-", "1", "1回戦", "ホーム"}));
    EXPECT_EQ(Row(*c, 1), QStringList({"4月07日(月)", "○", "5", "-", "2", "2回戦", "ビジター"}));
    EXPECT_EQ(Row(*c, 2), QStringList({"4月08日(火)", "△", "0", "-", "0", "3回戦", "ホーム"}));
    EXPECT_EQ(Row(*c, 3), QStringList({"4月10日(木)", "4回戦", "ビジター"})); // not played yet
    EXPECT_EQ(Row(*c, 4), QStringList({"試合日未定", "5回戦", "ホーム"}));
    EXPECT_EQ(all.ScrollTarget, 2 * 17);

    // HOME: only home games, their numbers with gaps; the summary has the home row only.
    const TVersusLayout home = LayoutVersus(s.View(), 0, "A", "B", 1);
    EXPECT_EQ(home.Caption, QStringLiteral("A vs B (HOME)"));
    const auto h = PaintList(home);
    ASSERT_EQ(home.Listed, 3);
    EXPECT_EQ(Row(*h, 0).at(5), QStringLiteral("1回戦"));
    EXPECT_EQ(Row(*h, 1).at(5), QStringLiteral("3回戦"));
    EXPECT_EQ(Row(*h, 2).at(1), QStringLiteral("5回戦"));
    const auto head = PaintHead(home);
    EXPECT_EQ(TextsOf(*head, QRect(0, 50, 2000, 18)),
              QStringList({"ホーム", "2", "1", "0", "1", "1.000", "1.50", "0.50", "1", "0"}));
    EXPECT_EQ(home.HeadHeight, 67);
    EXPECT_EQ(home.HeadPaneHeight, 71);
    EXPECT_EQ(TextsOf(*head, QRect(0, 5, 2000, 18)), QStringList({"略A　vs　略B　(ホーム)"}));
}

TEST(Versus, SummaryWithAndWithoutDraws) {
    const TViewSeason draws = Pairing(0);
    const TVersusLayout l = LayoutVersus(draws.View(), 0, "A", "B", 0);
    const auto c = PaintHead(l);
    EXPECT_EQ(TextsOf(*c, QRect(0, 33, 2000, 18)),
              QStringList({"試", "勝", "負", "分", "率", "平得", "平失", "連勝", "連敗"}));
    EXPECT_EQ(TextsOf(*c, QRect(0, 84, 2000, 18)),
              QStringList({"合　計", "3", "2", "0", "1", "1.000", "2.67", "1.00", "2", "0"}));
    EXPECT_EQ(l.HeadHeight, 101);
    EXPECT_EQ(l.Width, 395);

    // Without draws: no "分", games without the draw, the same width; the list still shows △.
    const TViewSeason noDraws = Pairing(2);
    const TVersusLayout n = LayoutVersus(noDraws.View(), 0, "A", "B", 0);
    const auto d = PaintHead(n);
    EXPECT_EQ(TextsOf(*d, QRect(0, 33, 2000, 18)),
              QStringList({"試", "勝", "負", "率", "平得", "平失", "連勝", "連敗"}));
    EXPECT_EQ(TextsOf(*d, QRect(0, 84, 2000, 18)),
              QStringList({"合　計", "2", "2", "0", "1.000", "2.67", "1.00", "2", "0"}));
    EXPECT_EQ(c->TextsIn(QRect(0, 84, 2000, 18)).back().Rect.right() + 1, 375);
    EXPECT_EQ(d->TextsIn(QRect(0, 84, 2000, 18)).back().Rect.right() + 1, 345);
    EXPECT_EQ(n.Width, 395);
    EXPECT_EQ(Row(*PaintList(n), 2).at(1), QStringLiteral("△"));

    // An own team outside the district is no pairing at all.
    EXPECT_FALSE(LayoutVersus(draws.View(), 0, "C", "B", 0).Valid);
}

TEST(Versus, WindowShowsTheLastResultNearTheTop) {
    TViewSeason s;
    s.League("セ", {{"A", "B"}});
    for (int day = 0; day < 60; ++day)
        s.Game("A", "B", 1, 0, kSat + day, day < 40 ? StatusFinished : StatusBefore);
    s.Sorted();
    TFmVersus w(s.View(), 0, "A", "B", 0);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("A vs B"));
    w.show();
    QApplication::processEvents();
    EXPECT_EQ(w.Layout().ScrollTarget, 39 * 17);
    EXPECT_EQ(w.ScrollBox1->verticalScrollBar()->value(), 39 * 17 - 136);
    EXPECT_EQ(w.Splitter1->sizes().value(0), w.Layout().HeadPaneHeight);
    EXPECT_EQ(w.ImgVersus->size(), QSize(395, 60 * 17));
}

// The summary keeps its own height whatever the window does, and the list
// keeps showing the last result until the user scrolls it: opened maximized
// and restored, opened normally and maximized, or resized.
TEST(Versus, SummaryKeepsItsHeightAndTheListItsLastResultThroughResizes) {
    TViewSeason s;
    s.League("セ", {{"A", "B"}});
    for (int day = 0; day < 60; ++day)
        s.Game("A", "B", 1, 0, kSat + day, day < 40 ? StatusFinished : StatusBefore);
    s.Sorted();
    auto settle = [] {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    };
    auto expectFitted = [&](TFmVersus& w, const char* what) {
        SCOPED_TRACE(what);
        EXPECT_EQ(w.Splitter1->sizes().value(0), w.Layout().HeadPaneHeight);
        const QScrollBar* bar = w.ScrollBox1->verticalScrollBar();
        EXPECT_EQ(bar->value(), std::min(w.Layout().ScrollTarget - 136, bar->maximum()));
    };
    {
        TFmVersus w(s.View(), 0, "A", "B", 0);
        w.showMaximized();
        settle();
        expectFitted(w, "opened maximized");
        w.showNormal();
        w.resize(423, 348);
        settle();
        expectFitted(w, "then restored");
        EXPECT_GT(w.ScrollBox1->verticalScrollBar()->value(), 0);
    }
    {
        TFmVersus w(s.View(), 0, "A", "B", 0);
        w.show();
        settle();
        w.showMaximized();
        settle();
        expectFitted(w, "opened normally, then maximized");
        w.showNormal();
        w.resize(423, 900);
        settle();
        expectFitted(w, "made taller");
        // Scrolled by the user, the list stays where the user put it.
        w.ScrollBox1->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
        w.resize(423, 348);
        settle();
        EXPECT_EQ(w.ScrollBox1->verticalScrollBar()->value(), 0);
        EXPECT_EQ(w.Splitter1->sizes().value(0), w.Layout().HeadPaneHeight);
    }
}
