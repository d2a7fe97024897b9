// The schedule window: its layout (lines, separators, size) and what it paints.
#include "draw/NitteiDrawing.h"
#include "draw/TableRender.h"
#include "draw/TaisenDrawing.h"
#include "draw/VersusDrawing.h"
#include "gui/controls/TabStrip.h"
#include "gui/controls/WheelMessage.h"
#include "gui/views/TableSurface.h"
#include "gui/views/UNittei.h"
#include "tests/gui/ViewSeason.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <gtest/gtest.h>

namespace {

const double kSat = days::Encode(2003, 4, 5); // a Saturday

std::unique_ptr<TRecordingCanvas> Paint(const TViewSeason&, const TNitteiLayout& l) {
    return RecordTable(l);
}

// The texts of the line whose strip starts at `y`, left to right.
QStringList LineTexts(const TRecordingCanvas& c, int y) {
    return TextsOf(c, QRect(0, y, 2000, 12));
}

} // namespace

TEST(Nittei, OnlyTheLeaguesKnownGames) {
    TViewSeason s;
    s.League("セ", {{"A", "B"}});
    s.League("パ", {{"C", "D"}});
    s.Game("A", "X", 1, 0, kSat).Game("Y", "C", 1, 0, kSat).Game("C", "D", 2, 1, kSat).Sorted();

    // League 0 has no game with two known teams: the bare frame, 32 high.
    TNitteiLayout l = LayoutNittei(s.View(), 0);
    EXPECT_TRUE(l.Lines.empty());
    EXPECT_EQ(l.Height, 32);
    EXPECT_EQ(l.Width, 90 + 3 * 172 + 10);
    EXPECT_TRUE(Paint(s, l)->Texts().empty());
    EXPECT_EQ(l.Caption, QStringLiteral("セ日程表"));

    l = LayoutNittei(s.View(), 1);
    ASSERT_EQ(l.Lines.size(), 1u);
    EXPECT_EQ(LineTexts(*Paint(s, l), 10), QStringList({"4月05日(土)", "○", "略C", "2", "-", "1", "略D", "●"}));
}

TEST(Nittei, SevenGamesOfADayTakeThreeLinesWithOneLabel) {
    TViewSeason s;
    s.League("セ", {{"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N"}});
    const char* t[] = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N"};
    for (int g = 0; g < 7; ++g)
        s.Game(t[2 * g], t[2 * g + 1], 0, 0, kSat, StatusBefore);
    const TNitteiLayout l = LayoutNittei(s.View(), 0);
    ASSERT_EQ(l.Lines.size(), 3u);
    EXPECT_EQ(l.Lines[0].Count + l.Lines[1].Count + l.Lines[2].Count, 7);
    EXPECT_EQ(l.Lines[2].Count, 1);
    EXPECT_EQ(l.Lines[2].Y, 46);
    EXPECT_EQ(l.Height, 46 + 22);
    EXPECT_EQ(l.Lines[0].Separator, 1);
    EXPECT_EQ(l.Lines[1].Separator, 0);
    const auto c = Paint(s, l);
    EXPECT_EQ(TextsOf(*c, QRect(0, 0, 90, l.Height)), QStringList({"4月05日(土)"}));
    // The third game of a line starts two column pitches to the right.
    const QStringList third = TextsOf(*c, QRect(100 + 2 * 172, 10, 172, 12));
    EXPECT_EQ(third, QStringList({"略E", "-", "略F"}));
}

TEST(Nittei, DaySeparators) {
    struct TCase {
        const char* What;
        double First, Second;
        bool ManyTeams; // more than 12 teams in the season
        int Separator;  // of the second day: 0 none, 1 Line1, 2 Line2
    };
    const TCase cases[] = {
        {"Saturday, Sunday: the same week", kSat, kSat + 1, true, 2},
        {"the same week, few teams", kSat, kSat + 1, false, 0},
        {"Sunday, Monday: a new week", kSat + 1, kSat + 2, true, 1},
        {"Tuesday, next Tuesday", kSat + 3, kSat + 10, true, 1},
        {"Tuesday, Thursday", kSat + 3, kSat + 5, true, 2},
        {"to the undecided date", kSat, days::UndecidedDate, true, 1},
    };
    for (const TCase& k : cases) {
        TViewSeason s;
        s.League("セ", {{"A", "B"}});
        if (k.ManyTeams)
            s.League("他", {{"c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m"}});
        s.Game("A", "B", 0, 0, k.First, StatusBefore).Game("B", "A", 0, 0, k.Second, StatusBefore);
        const TNitteiLayout l = LayoutNittei(s.View(), 0);
        ASSERT_EQ(l.Lines.size(), 2u) << k.What;
        EXPECT_EQ(l.Lines[0].Separator, 1) << k.What;
        EXPECT_EQ(l.Lines[1].Separator, k.Separator) << k.What;
    }
}

TEST(Nittei, GameCells) {
    TViewSeason s;
    s.League("セ", {{"A", "B"}});
    s.League("パ", {{"C"}});
    s.Game("A", "B", 3, 1, kSat)
        .Game("B", "A", 0, 0, kSat + 1, StatusBefore)
        .Game("A", "B", 0, 0, kSat + 2, StatusCancelled)
        .Game("C", "A", -2, 5, kSat + 3)
        .Game("B", "A", 0, 0, days::UndecidedDate, StatusBefore)
        .Game("A", "B", 4, 4, kSat + 4)
        .Sorted();
    const TNitteiLayout l = LayoutNittei(s.View(), 0);
    ASSERT_EQ(l.Lines.size(), 6u);
    const auto c = Paint(s, l);
    EXPECT_EQ(LineTexts(*c, l.Lines[0].Y), QStringList({"4月05日(土)", "○", "略A", "3", "-", "1", "略B", "●"}));
    EXPECT_EQ(LineTexts(*c, l.Lines[1].Y), QStringList({"4月06日(日)", "略B", "-", "略A"}));
    const QStringList cancelled = LineTexts(*c, l.Lines[2].Y);
    EXPECT_EQ(cancelled, QStringList({"4月07日(月)", "略A", "中止", "略B"}));
    const TDrawnText stop = c->TextsIn(QRect(0, l.Lines[2].Y, 2000, 12))[2];
    EXPECT_EQ(stop.Size, 7);
    EXPECT_EQ(stop.Rect, QRect(100 + 12 + 45, l.Lines[2].Y - 3, 38, 18));
    // Scores are signed; the other league's team is drawn in Char2.
    const auto inter = c->TextsIn(QRect(0, l.Lines[3].Y, 2000, 12));
    EXPECT_EQ(TextsOf(*c, QRect(0, l.Lines[3].Y, 2000, 12)),
              QStringList({"4月08日(火)", "●", "略C", "-2", "-", "5", "略A", "○"}));
    EXPECT_EQ(inter[2].Color, QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(inter[6].Color, QColor(Qt::black));
    EXPECT_EQ(LineTexts(*c, l.Lines[4].Y), QStringList({"4月09日(水)", "△", "略A", "4", "-", "4", "略B", "△"}));
    // Undecided games come last, under a Line1 rule.
    EXPECT_EQ(LineTexts(*c, l.Lines[5].Y).first(), QStringLiteral("試合日未定"));
    EXPECT_EQ(l.Lines[5].Separator, 1);
    // The last line with a result is where the window scrolls to.
    EXPECT_EQ(l.ScrollTarget, l.Lines[4].Y);
}

TEST(Nittei, NameWidthFollowsTheLongestShortName) {
    for (const auto& [name, width] : {std::pair{"五文字の名", 45}, std::pair{"六文字の名前", 65}}) {
        TViewSeason s;
        s.League("セ", {{"A", "B", "C", "D"}});
        s.Pennant.GetLeague(0).GetDistrict(0).GetTeam(3).ShortName = sjis::S(name);
        s.Game("A", "B", 0, 0, kSat, StatusBefore).Game("C", "D", 0, 0, kSat, StatusBefore);
        const TNitteiLayout l = LayoutNittei(s.View(), 0);
        EXPECT_EQ(l.NameWidth, width) << name;
        EXPECT_EQ(l.ColumnPitch, 2 * width + 82);
        const auto c = Paint(s, l);
        // The second game's visitor name.
        const auto second = c->TextsIn(QRect(100 + l.ColumnPitch, 10, l.ColumnPitch, 12));
        ASSERT_EQ(second.size(), 3u) << name;
        EXPECT_EQ(second[2].Rect, QRect(100 + l.ColumnPitch + 50 + width, 7, width, 18));
    }
}

TEST(Nittei, WindowTabsScrollAndPaintOnDemand) {
    TViewSeason s;
    s.League("セ", {{"A", "B"}});
    s.League("パ", {{"C", "D"}});
    for (int day = 0; day < 200; ++day)
        s.Game("A", "B", 1, 0, kSat + day, day < 150 ? StatusFinished : StatusBefore)
            .Game("C", "D", 1, 0, kSat + day, StatusBefore);
    s.Sorted();
    TFmNittei w(s.View(), 0);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("セ日程表"));
    ASSERT_EQ(w.TabLeague->count(), 2);
    EXPECT_EQ(w.TabLeague->tabText(1), QStringLiteral("パ"));
    w.show();
    QApplication::processEvents();
    QScrollBar* bar = w.ScrollBox1->verticalScrollBar();
    EXPECT_EQ(bar->value(), w.Layout().ScrollTarget - 93);
    EXPECT_GT(bar->value(), 0);
    EXPECT_EQ(w.ImgNittei->height(), w.Layout().Height);

    const int before = bar->value();
    TWheelRollEvent down(-120);
    QApplication::sendEvent(&w, &down);
    EXPECT_EQ(bar->value(), before + bar->singleStep());

    w.TabLeague->setCurrentIndex(1);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("パ日程表"));
    EXPECT_EQ(w.Layout().League, 1);
    EXPECT_EQ(w.Layout().ScrollTarget, 0);
}

// The schedule, head-to-head and versus tables painted in bands paint what
// they paint whole: no line lost or doubled at the edge of an exposed part.
TEST(TableViews, PaintPartByPartAsWhole) {
    TViewSeason s;
    s.League("セ", {{"A", "B", "C", "D"}, {"E", "F"}});
    s.Pennant.Interleague = 1;
    const char* t[] = {"A", "B", "C", "D", "E", "F"};
    for (int day = 0; day < 80; ++day)
        for (int g = 0; g < 3; ++g)
            s.Game(t[(2 * g + day) % 6], t[(2 * g + 1 + day) % 6], day % 7, (day + g) % 5, kSat + day,
                   day < 60 ? StatusFinished : StatusBefore);
    s.Sorted();
    const TNitteiLayout schedule = LayoutNittei(s.View(), 0);
    const TTaisenLayout table = LayoutTaisen(s.View(), 0, TaisenPages(s.Pennant, 0), 0, 0);
    const TVersusLayout versus = LayoutVersus(s.View(), 0, "A", "B", 0);
    const TTableLayout* tables[] = {&schedule, &table.Table, &versus.List};
    for (const TTableLayout* layout : tables) {
        auto key = [](const TDrawnText& d) {
            return QStringLiteral("%1,%2:%3").arg(d.Rect.x()).arg(d.Rect.y()).arg(d.Text);
        };
        QSet<QString> whole, parts;
        const auto recorded = RecordTable(*layout);
        for (const TDrawnText& d : recorded->Texts())
            whole.insert(key(d));
        for (int top = 0; top < layout->Size().height(); top += 29) { // not a multiple of any line pitch
            const QRect area(0, top, layout->Size().width(), 29);
            TRecordingCanvas part(area);
            layout->Paint(part);
            for (const TDrawnText& d : part.Texts()) {
                EXPECT_TRUE(d.Rect.intersects(area.adjusted(0, -36, 0, 36))) << key(d).toStdString();
                parts.insert(key(d));
            }
        }
        EXPECT_EQ(parts, whole);
        EXPECT_GT(whole.size(), 20);

        // And in pixels, as a window scrolled a strip at a time paints it:
        // glyphs standing out of their rectangles are not lost at a strip's edge.
        auto strips = [&](int height) {
            QImage image(layout->Size(), QImage::Format_RGB32);
            QPainter painter(&image);
            for (int top = 0; top < image.height(); top += height)
                PaintPictureParts(painter, {{layout, QPoint(0, 0)}}, QRect(0, top, image.width(), height));
            return image;
        };
        EXPECT_TRUE(strips(1) == strips(layout->Size().height()));
    }
}
