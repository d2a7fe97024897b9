#include "core/base/DayNumber.h"
#include "core/base/SjisText.h"
#include "core/io/AppSettings.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "core/season/SeasonTemplates.h"
#include "draw/JuniDrawing.h"
#include "draw/QtText.h"
#include "draw/TableRender.h"
#include "draw/TmJuniDrawing.h"
#include "draw/ViewPictures.h"
#include "gui/controls/WheelMessage.h"
#include "gui/views/TableSurface.h"
#include "gui/views/UJuni.h"
#include "gui/views/UNittei.h"
#include "gui/views/URace.h"
#include "gui/views/UTaisen.h"
#include "gui/views/UTmJuni.h"
#include "gui/views/UVersus.h"
#include "tests/gui/QtPrint.h"
#include "tests/support/MatchBuilder.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

const double kDay = days::Encode(2003, 4, 5); // a Saturday

// A season built game by game for the view tests.
struct TSeason {
    TPennant Pennant;
    TFight Fight;
    TAppSettings Settings;
    QTemporaryDir Program; // an empty program folder: no level or rank pictures

    TSeason(std::initializer_list<const char*> symbols, uint8_t drawRule = 0, uint8_t rankRule = 0) {
        TLeague& l = Pennant.GetLeague(Pennant.AddLeague());
        l.Name = sjis::S("リーグ");
        l.DrawRule = drawRule;
        l.RankRule = rankRule;
        TDistrict& d = l.GetDistrict(l.AddDistrict());
        d.Name = sjis::S("東");
        for (const char* s : symbols) {
            TTeam& t = d.GetTeam(d.AddTeam());
            t.SetSymbol(s);
            t.ShortName = sjis::S(std::string("略") + s);
            t.Name = sjis::S(std::string("チーム") + s);
            t.Color = 255;
        }
        Settings.Char1 = 0; // black
        Settings.BackGround = 0xFFFFFF;
    }
    TSeason& Game(const char* home, const char* visitor, int hs, int vs, double day, uint8_t status = StatusFinished) {
        AddGame(Fight, ::Game(home, visitor, day).Score(hs, vs).State(status));
        Fight.SortMatches();
        return *this;
    }
    TViewContext View() const { return {&Pennant, &Fight, &Settings, Program.path(), QPalette()}; }
};

// A table laid out and painted whole onto a recording canvas.
template <class TLayout> struct TRecorded {
    template <class... TArgs> explicit TRecorded(TArgs&&... args) : Table(std::forward<TArgs>(args)...) { Record(); }
    void Record() { Canvas = RecordTable(Table); }
    TLayout Table;
    std::unique_ptr<TRecordingCanvas> Canvas;
    TLayout* operator->() { return &Table; }
    const TLayout* operator->() const { return &Table; }
    QStringList TextsIn(const QRect& area) const { return Canvas->TextListIn(area); }
    const TDrawnText* Find(const QString& text) const { return Canvas->Find(text); }
};
using TJuni = TRecorded<TJuniTable>;

// The texts of the header row and of table row `row` (0-based), left to right.
QStringList Header(const TJuni& d) {
    return d.TextsIn(QRect(0, 27, 2000, 36));
}
QStringList Row(const TJuni& d, int row) {
    return d.TextsIn(d->RowRects.at(static_cast<size_t>(row)));
}

// Both panes of a rank transition window, recorded.
struct TTmJuni {
    TTmJuni(const TViewContext& view, int team) : Panes(LayOutTmJuni(view, team)) {
        Table = RecordTable(*Panes.Table);
        if (Panes.Head)
            Head = RecordTable(*Panes.Head);
    }
    QStringList TableRow(int row) const { return Table->TextListIn(QRect(0, 18 * row, 1000, 18)); }
    TTmJuniPanes Panes;
    std::unique_ptr<TRecordingCanvas> Table, Head;
};

} // namespace

TEST(Canvas, FitFontSizeShrinksToTheWidth) {
    TRecordingCanvas c(QRect(0, 0, 100, 100));
    EXPECT_EQ(FitFontSize(c, 80, QStringLiteral("巨人")), 9);
    const int smaller = FitFontSize(c, 80, QStringLiteral("とても長い長い長いチームの略称です"));
    EXPECT_LT(smaller, 9);
    EXPECT_GE(smaller, 1);
    EXPECT_EQ(FitFontSize(c, 0, QStringLiteral("あ")), 1);
}

// A text wider than its cell keeps every character: it is drawn at the
// largest size that fits, in the cell it was given; no ink leaves the cell.
TEST(Canvas, TextsTooWideForTheirCellAreDrawnSmaller) {
    struct TCase {
        QString Text;
        int Width; // the cell of the view that shows it
        int Size;
        TAlign Align;
    } cases[] = {
        {QStringLiteral("10月01日(木)"), 70, 9, TAlign::Right}, // rank transition date
        {QStringLiteral("1.000"), 30, 9, TAlign::Right},        // rank transition win rate
        {QStringLiteral("1.000"), 32, 9, TAlign::Right},        // standings win rate
        {QStringLiteral("100%"), 35, 9, TAlign::Left},          // standings completion
        {QStringLiteral("( 15.0)"), 35, 9, TAlign::Right},      // standings games behind the team above
        {QStringLiteral("消化率"), 35, 9, TAlign::Left},
        {QStringLiteral("12月31日(水) 現在"), 110, 10, TAlign::Left},
        {QStringLiteral("ビジター"), 40, 8, TAlign::Center},
    };
    // The text painted at `size` into a cell at x = 100: how wide its ink
    // is, and whether any ink lies outside the cell.
    struct TInk {
        int Width = 0;
        bool Outside = false;
    };
    auto ink = [](const QString& text, int width, int size, TAlign align) {
        QImage image(400, 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        TPainterCanvas canvas(painter, image.rect());
        canvas.SetFontSize(size);
        canvas.Text(QRect(100, 10, width, 18), text, align);
        EXPECT_EQ(canvas.FontSize(), size); // the canvas keeps its size for the next text
        painter.end();
        int first = image.width(), last = -1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 160) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        return TInk{last - first + 1, first < 100 || last >= 100 + width};
    };
    for (const TCase& c : cases) {
        TRecordingCanvas record(QRect(0, 0, 400, 40));
        record.SetFontSize(c.Size);
        record.Text(QRect(100, 10, c.Width, 18), c.Text, c.Align);
        const int drawn = record.Texts().at(0).Size;
        const TInk inCell = ink(c.Text, c.Width, c.Size, c.Align);
        EXPECT_FALSE(inCell.Outside) << c.Text.toStdString();
        // Every character: as wide as the text at that size in a cell wide enough.
        EXPECT_NEAR(inCell.Width, ink(c.Text, 300, drawn, TAlign::Left).Width, 1) << c.Text.toStdString();
    }
    // The record keeps the cell and the size the text was drawn at.
    TRecordingCanvas canvas(QRect(0, 0, 200, 40));
    canvas.Text(QRect(5, 0, 70, 18), cases[0].Text, TAlign::Right);
    ASSERT_EQ(canvas.Texts().size(), 1u);
    EXPECT_EQ(canvas.Texts()[0].Rect, QRect(5, 0, 70, 18));
    EXPECT_EQ(canvas.Texts()[0].Text, cases[0].Text);
    EXPECT_LT(canvas.Texts()[0].Size, 9);
}

TEST(Juni, HeaderBandBeforeDuringAfter) {
    TSeason before({"A", "B"});
    before.Game("A", "B", 0, 0, kDay, StatusBefore);
    auto d = std::make_unique<TJuni>(before.View(), 0, 0);
    ASSERT_NE(d->Find(QStringLiteral("開始前")), nullptr);
    EXPECT_EQ(d->Find(QStringLiteral("開始前"))->Size, 10);
    EXPECT_NE(d->Find(QStringLiteral("0%")), nullptr);
    EXPECT_EQ(Row(*d, 0).first(), QStringLiteral("1"));
    EXPECT_EQ(Row(*d, 1).first(), QStringLiteral("1")); // everyone first before any result
    EXPECT_TRUE(Row(*d, 1).contains(QStringLiteral("→")));

    TSeason during({"A", "B"});
    during.Game("A", "B", 3, 1, kDay).Game("B", "A", 0, 0, kDay + 1, StatusBefore);
    d = std::make_unique<TJuni>(during.View(), 0, 0);
    EXPECT_NE(d->Find(QStringLiteral("4月5日(土) 現在")), nullptr);
    EXPECT_NE(d->Find(QStringLiteral("50%")), nullptr);
    EXPECT_TRUE(Header(*d).contains(QStringLiteral("調子")));
    // One result day: the ranks before it come from no games, so B shows ↓.
    EXPECT_TRUE(Row(*d, 1).contains(QStringLiteral("↓")));
    EXPECT_EQ(d->Find(QStringLiteral("↓"))->Color, QColor(0, 0, 255)); // Down
    EXPECT_TRUE(Row(*d, 0).contains(QStringLiteral("○")));

    TSeason after({"A", "B"});
    after.Game("A", "B", 3, 1, kDay);
    d = std::make_unique<TJuni>(after.View(), 0, 0);
    EXPECT_NE(d->Find(QStringLiteral("全日程終了")), nullptr);
    EXPECT_NE(d->Find(QStringLiteral("100%")), nullptr);
    EXPECT_FALSE(Header(*d).contains(QStringLiteral("調子")));
    EXPECT_FALSE(Header(*d).contains(QStringLiteral("最新")));
}

TEST(Juni, ModeZeroColumnsDrawsAndRules) {
    TSeason draws({"A", "B", "C"});
    draws.Game("A", "B", 3, 1, kDay).Game("C", "A", 2, 2, kDay).Game("B", "C", 1, 0, kDay + 1);
    draws.Game("A", "C", 0, 0, kDay + 9, StatusBefore);
    auto d = std::make_unique<TJuni>(draws.View(), 0, 0);
    EXPECT_EQ(Header(*d), QStringList({"順",       "位",   "チ　ー　ム", "試合",   "勝",     "負",     "分",   "勝率",
                                       "差",       "1位",  "(前)",       "残試合", "消化率", "ホーム", "勝敗", "勝率",
                                       "ビジター", "勝敗", "勝率",       "最新",   "変動",   "調子"}));
    // A: 1-0-1, rate 1.000, home 1-0-0 and visitor 0-0-1.
    const QStringList a = Row(*d, 0);
    EXPECT_EQ(a.mid(0, 7), QStringList({"1", "略A", "2", "1", "0", "1", "1.000"}));
    EXPECT_TRUE(a.contains(QStringLiteral("1-0-0")));
    EXPECT_TRUE(a.contains(QStringLiteral("0-0-1")));
    EXPECT_TRUE(a.contains(QStringLiteral("66%"))); // 2 of 3 games played, rounded down
    // Form pictures are missing in this program folder: the level number instead.
    EXPECT_TRUE(a.contains(QString::number(7))) << a.join("|").toStdString();

    TSeason noDraws({"A", "B"}, 2, 1);
    noDraws.Game("A", "B", 3, 1, kDay).Game("A", "B", 2, 2, kDay + 1).Game("B", "A", 0, 0, kDay + 2, StatusBefore);
    d = std::make_unique<TJuni>(noDraws.View(), 0, 0);
    const QStringList header = Header(*d);
    EXPECT_FALSE(header.contains(QStringLiteral("分")));
    EXPECT_EQ(header.mid(0, 5), QStringList({"順", "位", "率", "順", "チ　ー　ム"}));
    const QStringList row = Row(*d, 0);
    EXPECT_EQ(row.mid(0, 6), QStringList({"1", "1", "略A", "1", "1", "0"})); // games without the draw
    EXPECT_TRUE(row.contains(QStringLiteral("1-0")));
}

TEST(Juni, GamesBehindAndMagic) {
    TSeason s({"A", "B", "C"});
    // A 2-0, B 1-1, C 0-2 with one more game for everyone.
    s.Game("A", "B", 2, 1, kDay).Game("A", "C", 2, 1, kDay).Game("B", "C", 2, 1, kDay + 1);
    s.Game("B", "A", 0, 0, kDay + 5, StatusBefore).Game("C", "A", 0, 0, kDay + 5, StatusBefore);
    s.Game("C", "B", 0, 0, kDay + 6, StatusBefore);
    auto d = std::make_unique<TJuni>(s.View(), 0, 0);
    EXPECT_TRUE(Row(*d, 1).contains(QStringLiteral("1.0")));
    EXPECT_TRUE(Row(*d, 1).contains(QStringLiteral("( 1.0)")));
    EXPECT_TRUE(Row(*d, 2).contains(QStringLiteral("2.0")));
    EXPECT_TRUE(Row(*d, 0).contains(QStringLiteral("－"))); // the leader without a magic number

    // A clinched: every rival is out of reach.
    TSeason done({"A", "B"});
    for (int i = 0; i < 5; ++i)
        done.Game("A", "B", 2, 1, kDay + i);
    done.Game("A", "B", 0, 0, kDay + 9, StatusBefore);
    s.Settings.Magic = 0x00FF00; // green
    done.Settings.Magic = 0x00FF00;
    d = std::make_unique<TJuni>(done.View(), 0, 0);
    const TDrawnText* won = d->Find(QStringLiteral("優勝"));
    ASSERT_NE(won, nullptr);
    EXPECT_EQ(won->Color, QColor(0, 255, 0));
    EXPECT_EQ(won->Align, TAlign::Center);

    // A team with a lower rate but many more games: a negative distance shows "－".
    TSeason negative({"A", "B"});
    negative.Game("A", "X", 1, 0, kDay);
    for (int i = 0; i < 10; ++i)
        negative.Game("B", "X", 1, 0, kDay + i);
    negative.Game("B", "X", 0, 1, kDay + 20).Game("B", "X", 0, 1, kDay + 21).Game("A", "X", 0, 0, kDay + 30, 0);
    negative.Game("B", "X", 0, 0, kDay + 30, 0).Game("B", "X", 0, 0, kDay + 31, 0);
    d = std::make_unique<TJuni>(negative.View(), 0, 0);
    EXPECT_EQ((*d)->Calc()->Items(1).BehindPrev, -35);
    EXPECT_TRUE(Row(*d, 1).contains(QStringLiteral("－")));
}

TEST(Juni, OtherModesAndPanel) {
    TSeason s({"A", "B", "C"});
    s.Game("A", "B", 5, 1, kDay).Game("B", "A", 4, 3, kDay + 1).Game("C", "A", 1, 1, kDay + 1);
    s.Game("A", "C", 0, 0, kDay + 3, StatusBefore);
    auto d = std::make_unique<TJuni>(s.View(), 0, 1);
    EXPECT_EQ(Header(*d).mid(3, 4), QStringList({"連勝", "MAX", "NOW", "ホーム"}));
    const QStringList a = Row(*d, 0);
    EXPECT_TRUE(a.contains(QStringLiteral("( 0 )"))); // the winning run ended
    EXPECT_TRUE(a.contains(QStringLiteral("9")));     // runs scored
    EXPECT_TRUE(a.contains(QStringLiteral("3.00")));  // 9 runs in 3 games

    d = std::make_unique<TJuni>(s.View(), 0, 2);
    EXPECT_TRUE(Header(*d).contains(QStringLiteral("最　　近　　一　　週　　間")));
    EXPECT_TRUE(Header(*d).contains(QStringLiteral("（日）"))); // the last result day, a Sunday
    const QStringList days = Row(*d, Row(*d, 0).contains(QStringLiteral("略A")) ? 0 : 1);
    EXPECT_TRUE(days.contains(QStringLiteral("ホ"))); // A's game still to come

    // The panel of row 0 under the table: the title, the rivals, the records.
    d = std::make_unique<TJuni>(s.View(), 0, 0);
    const QRect panel = (*d)->PanelRect();
    const QStringList texts = d->TextsIn(panel);
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_TRUE(texts.first().endsWith(QStringLiteral(" vs")));
    EXPECT_EQ(texts.size(), 1 + 2 + 4);
    EXPECT_EQ((*d)->PanelTeam(), 0);
    EXPECT_EQ((*d)->ShowPanel(2), panel); // what the window repaints
    EXPECT_EQ((*d)->ShowPanel(2), QRect());
    d->Record();
    EXPECT_EQ(d->TextsIn(panel).first(), Q(s.Pennant.ShortNameBySymbol((*d)->Calc()->Items(2).Symbol)) + " vs");
}

TEST(Juni, SizeFollowsTheDistrict) {
    TSeason six({"A", "B", "C", "D", "E", "F"});
    auto d = std::make_unique<TJuni>(six.View(), 0, 0);
    EXPECT_EQ((*d)->Size(), QSize(809, 62 + 35 * 6 + 140));
    EXPECT_EQ((*d)->PanelTop, 62 + 35 * 6 + 30);
    // A row reaches to its last cell's right border: rank, team, seven numbers, home, visitor.
    EXPECT_EQ((*d)->RowRects[5], TTableCanvas::Box(5, 62 + 35 * 5, 5 + 19 + 89 + 39 * 7 + 69 * 2 + 1, 62 + 35 * 6));

    // A district of 60 teams does not lose rows; its panel wraps to the
    // table's width instead of running past it, and loses no rival.
    TSeason many({});
    TDistrict& district = many.Pennant.GetLeague(0).GetDistrict(0);
    for (int i = 0; i < 60; ++i) {
        TTeam& t = district.GetTeam(district.AddTeam());
        t.SetSymbol("T" + std::to_string(i));
        t.ShortName = t.Symbol;
    }
    d = std::make_unique<TJuni>(many.View(), 0, 0);
    const TJuniTable& table = d->Table;
    EXPECT_EQ(table.RowRects.size(), 60u);
    EXPECT_GE(table.Size().height(), table.PanelRect().bottom());
    EXPECT_EQ(table.Size().width(), 889);
    const std::vector<TDrawnText> panel = d->Canvas->TextsIn(table.PanelRect());
    ASSERT_EQ(panel.size(), 1u + 59 * 3); // the title, then each rival's name, record and rate
    int lines = 0;
    for (const TDrawnText& t : panel) {
        EXPECT_LE(t.Rect.right(), 889) << t.Text.toStdString();
        lines = std::max(lines, (t.Rect.top() - table.PanelTop - 18) / 54 + 1);
    }
    EXPECT_EQ(lines, 6); // 11 boxes a line
    EXPECT_EQ(table.Size().height(), table.PanelTop + 18 + 54 * 6 - 1 + 39);

    // One team: only the panel's title.
    TSeason one({"A"});
    d = std::make_unique<TJuni>(one.View(), 0, 0);
    EXPECT_EQ(d->TextsIn((*d)->PanelRect()).size(), 1);
}

TEST(JuniWindow, ModesClicksAndWheel) {
    TSeason s({"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L"});
    for (int i = 0; i < 11; ++i)
        s.Game("A", std::string(1, char('B' + i)).c_str(), 3, 1, kDay + i);
    s.Game("A", "B", 0, 0, kDay + 30, StatusBefore);
    TFmJuni w(s.View(), 0);
    w.resize(400, 200);
    w.show();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("リーグ東勝敗表"));
    EXPECT_EQ(w.TableDrawings(), 1);
    EXPECT_EQ(w.ImgJuni->size(), w.Drawing().Size()); // the scroll range is the whole table

    w.ImgJuniMouseUp(Qt::LeftButton, w.Drawing().ModeRects[0].center());
    EXPECT_EQ(w.TableDrawings(), 1); // the current mode: no redraw
    w.ImgJuniMouseUp(Qt::RightButton, w.Drawing().ModeRects[1].center());
    EXPECT_EQ(w.TableDrawings(), 1);
    w.ImgJuniMouseUp(Qt::LeftButton, w.Drawing().ModeRects[1].center());
    EXPECT_EQ(w.TableDrawings(), 2);
    EXPECT_EQ(w.DisplayMode, 1);

    // Moving over another row redraws the panel for it; the header band leaves it alone.
    w.ImgJuniMouseMove(w.Drawing().RowRects[3].center());
    EXPECT_EQ(w.Drawing().PanelTeam(), 3);
    w.ImgJuniMouseMove(QPoint(20, 10));
    EXPECT_EQ(w.Drawing().PanelTeam(), 3);

    QSignalSpy opened(&w, &TFmJuni::TransitionRequested);
    w.ImgJuniMouseUp(Qt::LeftButton, w.Drawing().TeamRects[0].center());
    ASSERT_EQ(opened.count(), 1);
    EXPECT_EQ(opened[0][0].toInt(), 0); // A, first team of the season

    // One line per notch, either message.
    QScrollBar* bar = w.ScrollBox1->verticalScrollBar();
    bar->setValue(0);
    const int step = bar->singleStep();
    TWheelRollEvent down(-120);
    QApplication::sendEvent(&w, &down);
    EXPECT_EQ(bar->value(), step);
    TWheelRollEvent up(120);
    QApplication::sendEvent(&w, &up);
    EXPECT_EQ(bar->value(), 0);
}

TEST(TmJuni, RowsMarkersAndOptions) {
    TSeason s({"A", "B", "C"});
    s.Game("A", "B", 3, 1, kDay).Game("B", "A", 5, 0, kDay + 1).Game("A", "C", 0, 0, kDay + 2, StatusCancelled);
    s.Game("B", "C", 1, 0, kDay + 3).Game("C", "A", 0, 0, kDay + 10, StatusBefore);
    s.Game("A", "B", 0, 0, days::UndecidedDate, StatusBefore);
    auto d = std::make_unique<TTmJuni>(s.View(), 0);
    EXPECT_EQ(d->Panes.Caption, QStringLiteral("チームA順位推移"));
    // Suspend and Other off: the two games, the unplayed ones, no cancelled row, no day alone.
    EXPECT_EQ(d->Panes.Table->Size(), QSize(50 * 3 + 465, 4 * 18));
    const QStringList first = d->TableRow(0);
    EXPECT_EQ(first, QStringList({"4月05日(土)", "略B", "ホーム", "○", "3", "-", "1", "1.000"}));
    EXPECT_EQ(d->TableRow(1).last(), QStringLiteral(".500"));
    EXPECT_EQ(d->TableRow(3).first(), QStringLiteral("試合日未定"));
    EXPECT_EQ(d->Panes.Table->Marks.size(), 2u);
    EXPECT_EQ(d->Panes.Table->Lines.size(), 1u);
    EXPECT_EQ(d->Panes.ScrollTarget, 18);
    // The stripes span the whole table, alternating.
    std::vector<TRecordingCanvas::TShape> stripes;
    for (const TRecordingCanvas::TShape& shape : d->Table->Shapes())
        if (shape.Kind == TRecordingCanvas::TShape::Fill)
            stripes.push_back(shape);
    ASSERT_EQ(stripes.size(), 4u);
    EXPECT_EQ(stripes[1].Rect, QRect(0, 18, 50 * 3 + 465, 18));
    EXPECT_NE(stripes[0].Color, stripes[1].Color);
    EXPECT_EQ(stripes[0].Color, stripes[2].Color);

    s.Settings.Suspend = true;
    s.Settings.Other = true;
    d = std::make_unique<TTmJuni>(s.View(), 0);
    EXPECT_EQ(d->Panes.Table->Size().height(), 6 * 18); // + the cancelled game, + day 3 alone
    EXPECT_EQ(d->TableRow(2).last(), QStringLiteral("中止"));
    EXPECT_EQ(d->TableRow(3), QStringList({"4月08日(火)"}));
    EXPECT_EQ(d->Panes.Table->Marks.size(), 4u);
}

TEST(TmJuni, MarkersBeyondTwelveAndSummary) {
    std::vector<std::string> symbols;
    TSeason s({});
    TDistrict& district = s.Pennant.GetLeague(0).GetDistrict(0);
    for (int i = 0; i < 14; ++i) {
        TTeam& t = district.GetTeam(district.AddTeam());
        t.SetSymbol("T" + std::to_string(i));
        t.ShortName = "S" + std::to_string(i);
    }
    // T13 loses its only game and ends last (rank 13 or lower).
    for (int i = 0; i < 13; ++i)
        s.Game(("T" + std::to_string(i)).c_str(), "T13", 1, 0, kDay + (i == 0 ? 0 : 1));
    auto d = std::make_unique<TTmJuni>(s.View(), 13);
    const std::vector<TRankMark>& marks = d->Panes.Table->Marks;
    ASSERT_FALSE(marks.empty());
    EXPECT_GE(marks.back().ImageIndex, 12); // placed in its column, no picture
    EXPECT_EQ(marks.back().X, 365 + marks.back().ImageIndex * 30 + 5);
    EXPECT_FALSE(d->Panes.Table->Lines.empty()); // the line still reaches it

    // The summary: 109 high, its pane 113; no "分" without draws.
    EXPECT_EQ(d->Panes.Head->Size().height(), 109);
    EXPECT_EQ(d->Panes.HeadPaneHeight, 113);
    EXPECT_TRUE(d->Head->TextListIn(QRect(0, 41, 1000, 17)).contains(QStringLiteral("分")));
    const QStringList total = d->Head->TextListIn(QRect(0, 41 + 3 * 17, 1000, 17));
    EXPECT_EQ(total.mid(0, 6), QStringList({"合　計", "13", "0", "13", "0", ".000"}));

    TSeason noDraws({"A", "B"}, 2);
    noDraws.Game("A", "B", 1, 1, kDay).Game("A", "B", 2, 1, kDay + 1);
    d = std::make_unique<TTmJuni>(noDraws.View(), 0);
    EXPECT_FALSE(d->Head->TextListIn(QRect(0, 41, 1000, 17)).contains(QStringLiteral("分")));
    EXPECT_EQ(d->Head->TextListIn(QRect(0, 41 + 17, 1000, 17)).mid(0, 4), QStringList({"ホーム", "1", "1", "0"}));
}

TEST(TmJuniWindow, TabsFollowTheOption) {
    TSeason s({"A", "B"});
    s.Settings.TTab = 2;
    TFmTmJuni w(s.View(), 1);
    EXPECT_EQ(w.TabTmJuni->count(), 2);
    EXPECT_EQ(w.TabTmJuni->tabText(0), QStringLiteral("A"));
    EXPECT_EQ(w.TabTmJuni->currentIndex(), 1);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("チームB順位推移"));
    EXPECT_EQ(w.ImgHead->size(), w.Drawing().Head->Size());
    s.Settings.TTab = 0;
    TFmTmJuni full(s.View(), 0);
    EXPECT_EQ(full.TabTmJuni->tabText(1), QStringLiteral("チームB"));
}

TEST(ViewPictures, AreTheirSize) {
    EXPECT_EQ(RankPicture(12).size(), QSize(11, 11));
    EXPECT_EQ(LevelPicture(1).size(), QSize(40, 36));
    EXPECT_NE(LevelPicture(1), LevelPicture(11));
}

TEST(Juni, FormPicturesWhenDelivered) {
    TSeason s({"A", "B"});
    s.Game("A", "B", 3, 1, kDay).Game("B", "A", 0, 0, kDay + 1, StatusBefore);
    QDir(s.Program.path()).mkpath(QStringLiteral("Level"));
    for (int level = 1; level <= 11; ++level)
        ASSERT_TRUE(LevelPicture(level).save(LevelPicturePath(s.Program.path(), level), "BMP"));
    TJuni d(s.View(), 0, 0);
    // A at level 7 (one win: 20 + 45): the picture, not the number.
    const QStringList row = Row(d, 0);
    EXPECT_EQ(row.last(), QStringLiteral("→"));
    // The panel's boxes: 79 pixels apart, the last one ending at 79 x teams - 73 + 5.
    const int top = d->PanelTop;
    const std::vector<TDrawnText> panel = d.Canvas->TextsIn(QRect(0, top, 2000, 71));
    ASSERT_EQ(panel.size(), 4u); // title, B's name, the record, the rate
    EXPECT_EQ(panel[1].Rect, TTableCanvas::Box(10, top + 18, 80, top + 36));
    EXPECT_EQ(panel[2].Rect, TTableCanvas::Box(5, top + 35, 65, top + 53));
    EXPECT_EQ(panel[2].Text, QStringLiteral("1-0-0"));
    EXPECT_EQ(panel[3].Text, QStringLiteral("1.000"));
}

TEST(TmJuniWindow, FirstSizeShowsTheWholeSummaryAndEveryTab) {
    TSeason s({"A", "B"});
    s.Pennant.DeleteLeague(0);
    BuildTemplate(TemplateMajor, s.Pennant); // 30 teams in six districts
    s.Game("NYY", "BOS", 3, 2, kDay);
    TFmTmJuni w(s.View(), 1);
    w.show();
    QApplication::processEvents();
    ASSERT_EQ(w.TabTmJuni->count(), 30);
    EXPECT_GT(w.TabTmJuni->rowCount(), 1);
    EXPECT_EQ(w.TabTmJuni->height(), w.TabTmJuni->heightForWidth(w.TabTmJuni->width()));
    EXPECT_LE(w.TabTmJuni->geometry().bottom(), w.rect().bottom());
    // The summary needs no scroll bar: its total row is in view.
    EXPECT_GE(w.ScrollBox2->viewport()->width(), w.ImgHead->width());
    EXPECT_GE(w.ScrollBox2->viewport()->height(), w.ImgHead->height());
    EXPECT_GT(w.ScrollBox1->height(), 100); // and the table keeps room for its rows
}

// Painting any part of a table paints that part only, and painting a table
// part by part paints what painting it whole does: no row is lost or doubled
// at the edge of an exposed rectangle.
TEST(Views, PaintOnlyWhatIsExposed) {
    TSeason s({});
    TDistrict& district = s.Pennant.GetLeague(0).GetDistrict(0);
    for (int i = 0; i < 40; ++i) {
        TTeam& t = district.GetTeam(district.AddTeam());
        t.SetSymbol("T" + std::to_string(i));
        t.ShortName = t.Symbol;
    }
    for (int day = 0; day < 60; ++day)
        for (int i = 0; i + 1 < 40; i += 2)
            s.Game(("T" + std::to_string((i + day) % 40)).c_str(), ("T" + std::to_string((i + day + 1) % 40)).c_str(),
                   day % 5, (day + i) % 4, kDay + day, day < 50 ? StatusFinished : StatusBefore);
    const TJuniTable juni(s.View(), 0, 0);
    const TTmJuniPanes transition = LayOutTmJuni(s.View(), 0);
    const TTableLayout* tables[] = {&juni, transition.Table.get()};
    for (const TTableLayout* table : tables) {
        const auto whole = RecordTable(*table);
        auto key = [](const TDrawnText& t) {
            return QStringLiteral("%1,%2:%3").arg(t.Rect.x()).arg(t.Rect.y()).arg(t.Text);
        };
        QSet<QString> expected, painted;
        for (const TDrawnText& t : whole->Texts())
            expected.insert(key(t));
        const int band = 97; // not a multiple of any row's height
        for (int top = 0; top < table->Size().height(); top += band) {
            const QRect area(0, top, table->Size().width(), band);
            TRecordingCanvas part(area);
            table->Paint(part);
            for (const TDrawnText& t : part.Texts()) {
                // A painter may reach one row beyond the area, no further.
                EXPECT_TRUE(t.Rect.intersects(area.adjusted(0, -36, 0, 36))) << key(t).toStdString();
                painted.insert(key(t));
            }
        }
        EXPECT_EQ(painted, expected);
        EXPECT_GT(expected.size(), 400);
    }
}

// A table painted in several bands, as render does with tall tables.
TEST(TableRender, BandsMeetWithoutSeamsAndTooLargeIsRefused) {
    // Three pixels rows of color every 100 rows; a picture of 1000 x 5000
    // pixels takes more than one band.
    class TStripes : public TTableLayout {
    public:
        QSize Size() const override { return QSize(1000, 5000); }
        QColor Background() const override { return Qt::white; }
        void Paint(TTableCanvas& canvas) const override {
            for (int y = 0; y < 5000; y += 100)
                canvas.Fill(QRect(0, y, 1000, 3), QColor(y / 20, 0, 255));
        }
    } stripes;
    std::string png, error;
    ASSERT_TRUE(EncodeTablePicture({{&stripes, QPoint(0, 7)}}, QSize(1000, 5007), Qt::black, png, error)) << error;
    QImage picture;
    ASSERT_TRUE(picture.loadFromData(reinterpret_cast<const uchar*>(png.data()), static_cast<int>(png.size()), "PNG"));
    ASSERT_EQ(picture.size(), QSize(1000, 5007));
    EXPECT_EQ(picture.pixelColor(500, 3), QColor(Qt::black)); // above the part: the picture's background
    for (int y = 0; y < 5000; y += 100) {
        EXPECT_EQ(picture.pixelColor(999, y + 7), QColor(y / 20, 0, 255)) << y;
        EXPECT_EQ(picture.pixelColor(0, y + 9), QColor(y / 20, 0, 255)) << y;
        EXPECT_EQ(picture.pixelColor(0, y + 10), QColor(Qt::white)) << y;
    }

    // Nothing to draw still makes a picture: one pixel of background, one band that ends the stream.
    ASSERT_TRUE(EncodeTablePicture({}, QSize(0, 0), Qt::red, png, error)) << error;
    ASSERT_TRUE(picture.loadFromData(reinterpret_cast<const uchar*>(png.data()), static_cast<int>(png.size()), "PNG"));
    EXPECT_EQ(picture.size(), QSize(1, 1));
    EXPECT_EQ(picture.pixelColor(0, 0), QColor(Qt::red));

    EXPECT_FALSE(EncodeTablePicture({{&stripes, QPoint(0, 0)}}, QSize(1000, 1000001), Qt::white, png, error));
    EXPECT_NE(error.find("画像が大きすぎます"), std::string::npos) << error;
    EXPECT_FALSE(EncodeTablePicture({{&stripes, QPoint(0, 0)}}, QSize(40000, 40000), Qt::white, png, error));
}

// A has beaten B and C and played out; B and C meet once more. First place
// is A's; second place goes to whichever of B and C does not lose that game.
TEST(RaceWindow, StatusesEvidenceAndTheCut) {
    TSeason s({"A", "B", "C"});
    s.Settings.Magic = 0x0000FF; // red
    s.Game("A", "B", 3, 1, kDay).Game("C", "A", 0, 2, kDay).Game("B", "C", 0, 0, kDay + 1, StatusBefore);
    TFmRace w(s.View(), 0);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("リーグ東優勝争い"));
    ASSERT_EQ(w.Drawing()->Place(), 3);
    w.UDCut->setValue(2);
    ASSERT_EQ(w.Drawing()->Place(), 2);
    // Decided in the background: the standings show at once, the race as it comes.
    EXPECT_TRUE(RecordTable(*w.Drawing())->TextListIn(w.Drawing()->RowRects.at(0)).contains(QStringLiteral("判定中")));
    w.WaitDecided();

    auto recorded = RecordTable(*w.Drawing());
    auto row = [&](int r) { return recorded->TextListIn(w.Drawing()->RowRects.at(static_cast<size_t>(r))); };
    EXPECT_EQ(row(0),
              (QStringList{"1", "略A", "2", "0", "0", "0", "優勝", "優勝", "0", "－", "2位以内確定", "0", "－"}));
    EXPECT_EQ(row(1).mid(7), (QStringList{"消滅", "－", "0", "M1", "1", "1"}));
    EXPECT_EQ(recorded->Find(QStringLiteral("優勝"))->Color, QColor(255, 0, 0));
    EXPECT_EQ(recorded->Find(QStringLiteral("2位以内"))->Rect.top(), 27); // the cut's group title

    // The evidence follows a click and the table's cell cursor, and stays on
    // its team when the cut changes: a way in for A, the reason B is out of
    // first place.
    const QRect evidence = w.Drawing()->EvidenceRect();
    EXPECT_TRUE(recorded->TextListIn(evidence).contains(QStringLiteral("2-0-0")));
    const auto press = [&](Qt::Key key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(w.ImgRace, &event);
    };
    press(Qt::Key_Down);
    EXPECT_EQ(w.Drawing()->EvidenceRow(), 1);
    press(Qt::Key_Down);
    EXPECT_EQ(w.Drawing()->EvidenceRow(), 2);
    press(Qt::Key_Up);
    press(Qt::Key_Up);
    EXPECT_EQ(w.Drawing()->EvidenceRow(), 0);
    w.ShowRow(1);
    w.UDCut->setValue(3);
    EXPECT_EQ(w.Drawing()->EvidenceRow(), 1);
    EXPECT_EQ(w.UDCut->maximum(), 3); // a district of three asks for no place below third
    w.UDCut->setValue(2);
    EXPECT_EQ(w.Drawing()->EvidenceRow(), 1);
    w.WaitDecided();
    recorded = RecordTable(*w.Drawing());
    EXPECT_TRUE(recorded->TextListIn(evidence).contains(
        QStringLiteral("残り1試合に全勝しても.500止まりで、略Aがそれを上回る"))) // A has no game left to lose
        << recorded->TextListIn(evidence).join("|").toStdString();
}

namespace {

// Twelve teams; A has played every other team once and B twenty times more,
// so every table window has more rows than a small window shows.
TSeason TallSeason() {
    TSeason s({"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L"});
    for (int i = 0; i < 11; ++i)
        s.Game("A", std::string(1, char('B' + i)).c_str(), 3, 1, kDay + i);
    for (int i = 0; i < 20; ++i)
        s.Game("B", "A", 2, 1, kDay + 11 + i);
    return s;
}

std::vector<std::unique_ptr<TTableWindow>> EveryTableWindow(const TSeason& s) {
    std::vector<std::unique_ptr<TTableWindow>> windows;
    windows.push_back(std::make_unique<TFmJuni>(s.View(), 0));
    windows.push_back(std::make_unique<TFmTmJuni>(s.View(), 0));
    windows.push_back(std::make_unique<TFmNittei>(s.View(), 0));
    windows.push_back(std::make_unique<TFmTaisen>(s.View(), 0));
    windows.push_back(std::make_unique<TFmVersus>(s.View(), 0, "A", "B", 0));
    windows.push_back(std::make_unique<TFmRace>(s.View(), 0));
    for (const auto& w : windows)
        w->setAttribute(Qt::WA_DeleteOnClose, false); // the test owns them
    return windows;
}

void Wheel(QObject* target, int delta) {
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
}

void MouseAt(QWidget* target, QEvent::Type type, const QPoint& at, Qt::MouseButton button = Qt::NoButton) {
    QMouseEvent mouse(type, at, target->mapToGlobal(at), button, type == QEvent::MouseMove ? Qt::NoButton : button,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &mouse);
}

} // namespace

// Over the window or the table's box, either wheel message scrolls the table
// one line per notch, in every table window; the table's box (and a
// summary's) shows the background of the settings.
TEST(TableWindows, WheelScrollsTheTableAndBoxesTakeTheBackground) {
    TSeason s = TallSeason();
    s.Settings.BackGround = 0x00FF00; // green
    for (const auto& w : EveryTableWindow(s)) {
        const char* name = w->metaObject()->className();
        w->resize(400, 200);
        w->show();
        QApplication::processEvents();
        QScrollBar* bar = w->ScrollBox1->verticalScrollBar();
        const int step = bar->singleStep();
        ASSERT_GT(bar->maximum(), 2 * step) << name;
        for (QObject* target : {static_cast<QObject*>(w.get()), static_cast<QObject*>(w->ScrollBox1->viewport())}) {
            bar->setValue(0);
            TWheelRollEvent down(-120);
            QApplication::sendEvent(target, &down);
            EXPECT_EQ(bar->value(), step) << name;
            Wheel(target, -120);
            EXPECT_EQ(bar->value(), 2 * step) << name;
            TWheelRollEvent up(120);
            QApplication::sendEvent(target, &up);
            EXPECT_EQ(bar->value(), step) << name;
        }
        Wheel(w->ScrollBox1->viewport(), 0); // no delta counts as toward the user
        EXPECT_EQ(bar->value(), 2 * step) << name;

        for (QScrollArea* box : w->findChildren<QScrollArea*>())
            EXPECT_EQ(box->palette().color(QPalette::Window), QColor(0, 255, 0)) << name;
        EXPECT_EQ(w->Picture().Background, QColor(0, 255, 0)) << name;
    }
}

// The pointer's moves and clicks on the table reach the window that shows it.
TEST(TableWindows, TheTablesMouseReachesItsWindow) {
    TSeason s = TallSeason();
    TFmJuni juni(s.View(), 0);
    MouseAt(juni.ImgJuni, QEvent::MouseMove, juni.Drawing().RowRects[3].center());
    EXPECT_EQ(juni.Drawing().PanelTeam(), 3);
    MouseAt(juni.ImgJuni, QEvent::MouseButtonRelease, juni.Drawing().ModeRects[2].center(), Qt::LeftButton);
    EXPECT_EQ(juni.DisplayMode, 2);

    TFmTaisen taisen(s.View(), 0);
    QSignalSpy versus(&taisen, &TFmTaisen::VersusRequested);
    const QPoint cell = taisen.Layout().Hits().at(0).Rect.center();
    MouseAt(taisen.ImgTaisen, QEvent::MouseMove, cell);
    EXPECT_EQ(taisen.ImgTaisen->cursor().shape(), Qt::PointingHandCursor);
    MouseAt(taisen.ImgTaisen, QEvent::MouseButtonRelease, cell, Qt::LeftButton);
    EXPECT_EQ(versus.count(), 1);

    TFmRace race(s.View(), 0);
    race.WaitDecided();
    MouseAt(race.ImgRace, QEvent::MouseButtonRelease, race.Drawing()->RowRects.at(2).center(), Qt::LeftButton);
    EXPECT_EQ(race.Drawing()->EvidenceRow(), 2);
}

// What is saved, copied and printed is the table the window shows now.
TEST(TableWindows, PictureIsTheTableShown) {
    TSeason s = TallSeason();
    TFmJuni juni(s.View(), 0);
    juni.DrawTable(1);
    TTablePicture picture = juni.Picture();
    ASSERT_EQ(picture.Parts.size(), 1u);
    EXPECT_EQ(picture.Parts[0].Table, &juni.Drawing());
    EXPECT_EQ(picture.Size, juni.Drawing().Size());

    TFmTmJuni transition(s.View(), 0);
    picture = transition.Picture();
    ASSERT_EQ(picture.Parts.size(), 2u); // the summary above the table
    EXPECT_EQ(picture.Parts[0].Table, transition.Drawing().Head.get());
    EXPECT_EQ(picture.Parts[1].Table, transition.Drawing().Table.get());

    // A season without districts: a window with nothing to show gives an empty picture.
    TPennant none;
    TFight noGames;
    TFmRace empty({&none, &noGames, &s.Settings, s.Program.path(), QPalette()}, 0);
    EXPECT_TRUE(empty.Picture().Parts.empty());
    TFmJuni emptyJuni({&none, &noGames, &s.Settings, s.Program.path(), QPalette()}, 0);
    EXPECT_TRUE(emptyJuni.Picture().Parts.empty());
}

// The line above what a window publishes is its table's own title; a table
// that gives none (the race's, as yet) is named by the window's caption.
TEST(TableWindows, PictureTitleIsTheTablesOrTheCaption) {
    TSeason s = TallSeason();
    s.Settings.Char1 = 0x0000FF; // red
    TFmJuni juni(s.View(), 0);
    const TTableTitle title = juni.Picture().Title;
    EXPECT_EQ(title.Text, juni.Drawing().Title().Text);
    EXPECT_EQ(title.Text, QStringLiteral("リーグ東 勝敗表 全日程終了")); // every scheduled game is played
    EXPECT_EQ(title.Color, QColor(Qt::red));

    TFmRace race(s.View(), 0);
    const QString own = race.Drawing()->Title().Text;
    EXPECT_EQ(race.Picture().Title.Text, own.isEmpty() ? race.windowTitle() : own);
    EXPECT_FALSE(race.Picture().Title.Text.isEmpty());
    EXPECT_EQ(race.Picture().Title.Color, QColor(Qt::red));
}
