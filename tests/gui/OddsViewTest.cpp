// The odds window: numbers computed in the background and shown when ready,
// the race's certainties as exactly 100% and 0%, a run stopped on request,
// the history page with the day under the mouse, a window closed while it
// computes; and the drawings every text of which must fit.
#include "core/base/DayNumber.h"
#include "core/base/SjisText.h"
#include "core/io/AppSettings.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "draw/OddsDrawing.h"
#include "gui/views/TableSurface.h"
#include "gui/views/UOdds.h"
#include "tests/support/MatchBuilder.h"

#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const double kDay = days::Encode(2003, 4, 5);

// Four teams; A far ahead and through with its season, the others with games left.
struct TSeason {
    TPennant Pennant;
    TFight Fight;
    TAppSettings Settings;
    QTemporaryDir Program;

    explicit TSeason(int rounds = 6) {
        TLeague& l = Pennant.GetLeague(Pennant.AddLeague());
        l.Name = sjis::S("リーグ");
        TDistrict& d = l.GetDistrict(l.AddDistrict());
        d.Name = sjis::S("東");
        for (const char* s : {"A", "B", "C", "D"}) {
            TTeam& t = d.GetTeam(d.AddTeam());
            t.SetSymbol(s);
            t.ShortName = sjis::S(std::string("略") + s);
        }
        Settings.Char1 = 0;
        Settings.BackGround = 0xFFFFFF;
        for (int k = 0; k < rounds; ++k) {
            AddGame(Fight, Game("A", "B", kDay + k).Score(5, 1));
            AddGame(Fight, Game("C", "A", kDay + k).Score(0, 4));
            AddGame(Fight, Game("D", "A", kDay + k).Score(2, 3));
        }
        for (int k = 0; k < rounds; ++k) {
            AddGame(Fight, Game("B", "C", kDay + rounds + k).Score(k % 2 ? 3 : 2, 2));
            AddGame(Fight, Game("D", "B", kDay + rounds + k).Score(k, 3));
        }
        for (int k = 0; k < 3; ++k) {
            AddGame(Fight, Game("B", "C", kDay + 2 * rounds + k));
            AddGame(Fight, Game("C", "D", kDay + 2 * rounds + k));
        }
        Fight.SortMatches();
    }
    TViewContext View() const { return {&Pennant, &Fight, &Settings, Program.path(), QPalette()}; }
};

bool WaitIdle(const TFmOdds& w, int ms = 60000) {
    for (int waited = 0; waited < ms && w.Busy(); waited += 20)
        QTest::qWait(20);
    return !w.Busy();
}

QStringList RowTexts(const TOddsTable& table, int row) {
    return RecordTable(table)->TextListIn(table.RowRects.at(static_cast<size_t>(row)));
}

} // namespace

TEST(OddsWindow, ComputesInTheBackgroundAndShowsTheRaceCertainties) {
    TSeason s;
    TFmOdds w(s.View(), 0);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("リーグ東優勝確率"));
    // The window is up at once, the rows with their records, numbers to come.
    EXPECT_TRUE(w.Busy());
    ASSERT_TRUE(w.Table());
    EXPECT_EQ(w.Table()->TeamCount(), 4);
    ASSERT_TRUE(WaitIdle(w));
    ASSERT_TRUE(w.Table()->HasResult());
    EXPECT_FALSE(w.Progress->isVisible());
    // A has clinched first: 100% and the others 0%, from the race.
    const QStringList a = RowTexts(*w.Table(), 0);
    EXPECT_EQ(a.mid(0, 2), (QStringList{"1", "略A"}));
    EXPECT_EQ(a.count(QStringLiteral("100%")), 2) << a.join("|").toStdString();
    for (int row = 1; row < 4; ++row)
        EXPECT_TRUE(RowTexts(*w.Table(), row).contains(QStringLiteral("0%")));
    EXPECT_EQ(w.Table()->Row(0).First, 1.0);
    double top = 0;
    for (int row = 0; row < 4; ++row)
        top += w.Table()->Row(row).Top;
    EXPECT_NEAR(top, 3.0, 1e-9);

    // Another run count starts over and ends at that many runs.
    w.CBRuns->setCurrentIndex(0);
    ASSERT_TRUE(WaitIdle(w));
    EXPECT_EQ(w.Table()->Row(1).Remain, w.Table()->Row(1).Remain); // rows unchanged
    const TTablePicture picture = w.Picture();
    EXPECT_FALSE(picture.Parts.empty());
}

TEST(OddsWindow, StopsWhenAskedAndKeepsWhatItFound) {
    TSeason s(40);
    TFmOdds w(s.View(), 0);
    ASSERT_TRUE(WaitIdle(w));
    w.CBRuns->setCurrentIndex(2); // a million
    EXPECT_TRUE(w.Busy());
    EXPECT_TRUE(w.BtnCancel->isEnabled());
    // The first pass shows, then the run is stopped.
    for (int waited = 0; waited < 60000 && !w.Table()->HasResult(); waited += 10)
        QTest::qWait(10);
    w.Cancel();
    EXPECT_FALSE(w.Busy());
    ASSERT_TRUE(w.Table()->HasResult());
    EXPECT_TRUE(RecordTable(*w.Table())->TextListIn(QRect(0, 0, 2000, 26)).join("").contains(QStringLiteral("中止")));
}

TEST(OddsWindow, HistoryPageFollowsTheMouse) {
    TSeason s;
    TFmOdds w(s.View(), 0);
    w.CBPage->setCurrentIndex(1);
    EXPECT_TRUE(w.Busy());
    ASSERT_TRUE(WaitIdle(w));
    ASSERT_TRUE(w.Chart());
    // A finished game on each of the first twelve days.
    const QRect plot = w.Chart()->PlotRect();
    EXPECT_EQ(w.Chart()->DayAt(QPoint(plot.left(), plot.center().y())), 0);
    EXPECT_EQ(w.Chart()->DayAt(QPoint(plot.right(), plot.center().y())), 11);
    w.ImgOddsMouseMove(QPoint(plot.right(), plot.center().y()));
    EXPECT_EQ(w.Chart()->Hovered(), 11);
    auto recorded = RecordTable(*w.Chart());
    EXPECT_NE(recorded->Find(GameDayText(kDay + 11)), nullptr);
    // A is first every day from the first: its line ends at 100%, the race's.
    EXPECT_NE(recorded->Find(QStringLiteral("100%")), nullptr);
    // The top K instead of first: the same days, other lines.
    w.CBLine->setCurrentIndex(1);
    EXPECT_NE(RecordTable(*w.Chart())->Find(QStringLiteral("3位以内確率の推移")), nullptr);
}

TEST(OddsWindow, ClosesWhileComputing) {
    TSeason s(40);
    for (int i = 0; i < 3; ++i) {
        auto w = std::make_unique<TFmOdds>(s.View(), 0);
        w->CBRuns->setCurrentIndex(2);
        w->CBPage->setCurrentIndex(1);
        QTest::qWait(5 * i);
        w.reset(); // stops both computations and waits for their threads
    }
    SUCCEED();
}

// A district too large for the odds says so at once instead of computing.
TEST(OddsWindow, TooManyTeamsSaysSo) {
    TSeason s;
    TDistrict& d = s.Pennant.GetLeague(0).GetDistrict(0);
    while (d.TeamCount() <= kOddsMostTeams)
        d.GetTeam(d.AddTeam()).SetSymbol(std::to_string(d.TeamCount()));
    TFmOdds w(s.View(), 0);
    EXPECT_FALSE(w.Busy());
    const auto band = RecordTable(*w.Table())->TextListIn(QRect(0, 0, 2000, 26)).join("");
    EXPECT_TRUE(band.contains(QStringLiteral("チームが多すぎて計算できません"))) << band.toStdString();
}

// A long name is drawn smaller, not cut; the drawings are made whole for pictures.
TEST(OddsDrawing, LongNamesDrawnSmaller) {
    TSeason s;
    s.Pennant.GetLeague(0).GetDistrict(0).GetTeam(1).ShortName = sjis::S("とても長いチーム名のチーム");
    const std::unique_ptr<TOddsTable> table = ComputedOddsTable(s.View(), 0, TOddsModel::Runs, 2, 2000, 1);
    ASSERT_TRUE(table->HasResult());
    const auto recorded = RecordTable(*table);
    const TDrawnText* name = recorded->Find(QStringLiteral("とても長いチーム名のチーム"));
    ASSERT_NE(name, nullptr);
    EXPECT_LT(name->Size, 9);
    EXPECT_NE(recorded->Find(QStringLiteral("2位以内確率")), nullptr);
    const std::unique_ptr<TOddsHistoryChart> chart =
        ComputedOddsHistory(s.View(), 0, TOddsModel::Even, 2, true, 500, 1);
    EXPECT_GT(chart->Size().width(), chart->PlotRect().right());
}
