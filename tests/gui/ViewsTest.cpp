#include "QtPrint.h"
#include "controls/QtText.h"
#include "controls/WheelMessage.h"
#include "model/BaseballFight.h"
#include "model/BaseballPennant.h"
#include "model/DayNumber.h"
#include "model/SeasonTemplates.h"
#include "model/SjisText.h"
#include "settings/AppSettings.h"
#include "support/MatchBuilder.h"
#include "views/JuniDrawing.h"
#include "views/TmJuniDrawing.h"
#include "views/UJuni.h"
#include "views/UTmJuni.h"
#include "views/ViewPictures.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
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

QStringList TextsIn(const TTableCanvas& c, const QRect& area) {
    QStringList texts;
    for (const TDrawnText& t : c.TextsIn(area))
        texts << t.Text;
    return texts;
}

// The texts of the header row and of table row `row` (0-based), left to right.
QStringList Header(const TJuniDrawing& d) {
    return TextsIn(*d.Canvas, QRect(0, 27, 2000, 36));
}
QStringList Row(const TJuniDrawing& d, int row) {
    return TextsIn(*d.Canvas, d.RowRects.at(static_cast<size_t>(row)));
}
const TDrawnText* Find(const TTableCanvas& c, const QString& text) {
    for (const TDrawnText& t : c.Texts())
        if (t.Text == text)
            return &t;
    return nullptr;
}

} // namespace

TEST(Canvas, FitFontSizeShrinksToTheWidth) {
    TTableCanvas c(100, 100, Qt::white);
    EXPECT_EQ(FitFontSize(c, 80, QStringLiteral("巨人")), 9);
    const int smaller = FitFontSize(c, 80, QStringLiteral("とても長い長い長いチームの略称です"));
    EXPECT_LT(smaller, 9);
    EXPECT_GE(smaller, 1);
    EXPECT_EQ(FitFontSize(c, 0, QStringLiteral("あ")), 1);
    c.SetFontSize(9);
    c.Text(QRect(0, 0, 40, 18), QStringLiteral("x"), TAlign::Right);
    ASSERT_EQ(c.Texts().size(), 1u);
    EXPECT_EQ(c.Texts()[0].Size, 9);
    EXPECT_EQ(c.Texts()[0].Align, TAlign::Right);
}

TEST(Juni, HeaderBandBeforeDuringAfter) {
    TSeason before({"A", "B"});
    before.Game("A", "B", 0, 0, kDay, StatusBefore);
    TJuniDrawing d = DrawJuni(before.View(), 0, 0);
    ASSERT_NE(Find(*d.Canvas, QStringLiteral("開始前")), nullptr);
    EXPECT_EQ(Find(*d.Canvas, QStringLiteral("開始前"))->Size, 10);
    EXPECT_NE(Find(*d.Canvas, QStringLiteral("0%")), nullptr);
    EXPECT_EQ(Row(d, 0).first(), QStringLiteral("1"));
    EXPECT_EQ(Row(d, 1).first(), QStringLiteral("1")); // everyone first before any result
    EXPECT_TRUE(Row(d, 1).contains(QStringLiteral("→")));

    TSeason during({"A", "B"});
    during.Game("A", "B", 3, 1, kDay).Game("B", "A", 0, 0, kDay + 1, StatusBefore);
    d = DrawJuni(during.View(), 0, 0);
    EXPECT_NE(Find(*d.Canvas, QStringLiteral("4月5日(土) 現在")), nullptr);
    EXPECT_NE(Find(*d.Canvas, QStringLiteral("50%")), nullptr);
    EXPECT_TRUE(Header(d).contains(QStringLiteral("調子")));
    // One result day: the ranks before it come from no games, so B shows ↓.
    EXPECT_TRUE(Row(d, 1).contains(QStringLiteral("↓")));
    EXPECT_EQ(Find(*d.Canvas, QStringLiteral("↓"))->Color, QColor(0, 0, 255)); // Down
    EXPECT_TRUE(Row(d, 0).contains(QStringLiteral("○")));

    TSeason after({"A", "B"});
    after.Game("A", "B", 3, 1, kDay);
    d = DrawJuni(after.View(), 0, 0);
    EXPECT_NE(Find(*d.Canvas, QStringLiteral("全日程終了")), nullptr);
    EXPECT_NE(Find(*d.Canvas, QStringLiteral("100%")), nullptr);
    EXPECT_FALSE(Header(d).contains(QStringLiteral("調子")));
    EXPECT_FALSE(Header(d).contains(QStringLiteral("最新")));
}

TEST(Juni, ModeZeroColumnsDrawsAndRules) {
    TSeason draws({"A", "B", "C"});
    draws.Game("A", "B", 3, 1, kDay).Game("C", "A", 2, 2, kDay).Game("B", "C", 1, 0, kDay + 1);
    draws.Game("A", "C", 0, 0, kDay + 9, StatusBefore);
    TJuniDrawing d = DrawJuni(draws.View(), 0, 0);
    EXPECT_EQ(Header(d), QStringList({"順",       "位",   "チ　ー　ム", "試合",   "勝",     "負",     "分",   "勝率",
                                      "差",       "1位",  "(前)",       "残試合", "消化率", "ホーム", "勝敗", "勝率",
                                      "ビジター", "勝敗", "勝率",       "最新",   "変動",   "調子"}));
    // A: 1-0-1, rate 1.000, home 1-0-0 and visitor 0-0-1.
    const QStringList a = Row(d, 0);
    EXPECT_EQ(a.mid(0, 7), QStringList({"1", "略A", "2", "1", "0", "1", "1.000"}));
    EXPECT_TRUE(a.contains(QStringLiteral("1-0-0")));
    EXPECT_TRUE(a.contains(QStringLiteral("0-0-1")));
    EXPECT_TRUE(a.contains(QStringLiteral("66%"))); // 2 of 3 games played, rounded down
    // Form pictures are missing in this program folder: the level number instead.
    EXPECT_TRUE(a.contains(QString::number(7))) << a.join("|").toStdString();

    TSeason noDraws({"A", "B"}, 2, 1);
    noDraws.Game("A", "B", 3, 1, kDay).Game("A", "B", 2, 2, kDay + 1).Game("B", "A", 0, 0, kDay + 2, StatusBefore);
    d = DrawJuni(noDraws.View(), 0, 0);
    const QStringList header = Header(d);
    EXPECT_FALSE(header.contains(QStringLiteral("分")));
    EXPECT_EQ(header.mid(0, 5), QStringList({"順", "位", "率", "順", "チ　ー　ム"}));
    const QStringList row = Row(d, 0);
    EXPECT_EQ(row.mid(0, 6), QStringList({"1", "1", "略A", "1", "1", "0"})); // games without the draw
    EXPECT_TRUE(row.contains(QStringLiteral("1-0")));
}

TEST(Juni, GamesBehindAndMagic) {
    TSeason s({"A", "B", "C"});
    // A 2-0, B 1-1, C 0-2 with one more game for everyone.
    s.Game("A", "B", 2, 1, kDay).Game("A", "C", 2, 1, kDay).Game("B", "C", 2, 1, kDay + 1);
    s.Game("B", "A", 0, 0, kDay + 5, StatusBefore).Game("C", "A", 0, 0, kDay + 5, StatusBefore);
    s.Game("C", "B", 0, 0, kDay + 6, StatusBefore);
    TJuniDrawing d = DrawJuni(s.View(), 0, 0);
    EXPECT_TRUE(Row(d, 1).contains(QStringLiteral("1.0")));
    EXPECT_TRUE(Row(d, 1).contains(QStringLiteral("( 1.0)")));
    EXPECT_TRUE(Row(d, 2).contains(QStringLiteral("2.0")));
    EXPECT_TRUE(Row(d, 0).contains(QStringLiteral("－"))); // the leader without a magic number

    // A clinched: every rival is out of reach.
    TSeason done({"A", "B"});
    for (int i = 0; i < 5; ++i)
        done.Game("A", "B", 2, 1, kDay + i);
    done.Game("A", "B", 0, 0, kDay + 9, StatusBefore);
    s.Settings.Magic = 0x00FF00; // green
    done.Settings.Magic = 0x00FF00;
    d = DrawJuni(done.View(), 0, 0);
    const TDrawnText* won = Find(*d.Canvas, QStringLiteral("優勝"));
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
    d = DrawJuni(negative.View(), 0, 0);
    EXPECT_EQ(d.Calc->Items(1).BehindPrev, -35);
    EXPECT_TRUE(Row(d, 1).contains(QStringLiteral("－")));
}

TEST(Juni, OtherModesAndPanel) {
    TSeason s({"A", "B", "C"});
    s.Game("A", "B", 5, 1, kDay).Game("B", "A", 4, 3, kDay + 1).Game("C", "A", 1, 1, kDay + 1);
    s.Game("A", "C", 0, 0, kDay + 3, StatusBefore);
    TJuniDrawing d = DrawJuni(s.View(), 0, 1);
    EXPECT_EQ(Header(d).mid(3, 4), QStringList({"連勝", "MAX", "NOW", "ホーム"}));
    const QStringList a = Row(d, 0);
    EXPECT_TRUE(a.contains(QStringLiteral("( 0 )"))); // the winning run ended
    EXPECT_TRUE(a.contains(QStringLiteral("9")));     // runs scored
    EXPECT_TRUE(a.contains(QStringLiteral("3.00")));  // 9 runs in 3 games

    d = DrawJuni(s.View(), 0, 2);
    EXPECT_TRUE(Header(d).contains(QStringLiteral("最　　近　　一　　週　　間")));
    EXPECT_TRUE(Header(d).contains(QStringLiteral("（日）"))); // the last result day, a Sunday
    const QStringList days = Row(d, Row(d, 0).contains(QStringLiteral("略A")) ? 0 : 1);
    EXPECT_TRUE(days.contains(QStringLiteral("ホ"))); // A's game still to come

    // The panel of row 0 under the table: the title, the rivals, the records.
    d = DrawJuni(s.View(), 0, 0);
    const QRect panel(0, d.PanelTop, 2000, 71);
    const QStringList texts = TextsIn(*d.Canvas, panel);
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_TRUE(texts.first().endsWith(QStringLiteral(" vs")));
    EXPECT_EQ(texts.size(), 1 + 2 + 4);
    EXPECT_EQ(d.PanelTeam, 0);
    DrawVersusPanel(s.View(), d, 2);
    EXPECT_EQ(d.PanelTeam, 2);
    EXPECT_EQ(TextsIn(*d.Canvas, panel).first(), Q(s.Pennant.ShortNameBySymbol(d.Calc->Items(2).Symbol)) + " vs");
}

TEST(Juni, SizeFollowsTheDistrict) {
    TSeason six({"A", "B", "C", "D", "E", "F"});
    TJuniDrawing d = DrawJuni(six.View(), 0, 0);
    EXPECT_EQ(d.Canvas->Width(), 809);
    EXPECT_EQ(d.Canvas->Height(), 62 + 35 * 6 + 140);
    EXPECT_EQ(d.PanelTop, 62 + 35 * 6 + 30);

    // A district of 60 teams does not lose rows, and its panel is not cut off.
    TSeason many({});
    TDistrict& district = many.Pennant.GetLeague(0).GetDistrict(0);
    for (int i = 0; i < 60; ++i)
        district.GetTeam(district.AddTeam()).SetSymbol("T" + std::to_string(i));
    d = DrawJuni(many.View(), 0, 0);
    EXPECT_EQ(d.RowRects.size(), 60u);
    EXPECT_GE(d.Canvas->Height(), d.RowRects.back().bottom());
    EXPECT_GE(d.Canvas->Width(), 79 * 60 - 73);

    // One team: only the panel's title.
    TSeason one({"A"});
    d = DrawJuni(one.View(), 0, 0);
    EXPECT_EQ(TextsIn(*d.Canvas, QRect(0, d.PanelTop, 2000, 71)).size(), 1);
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

    w.ImgJuniMouseUp(Qt::LeftButton, w.Drawing().ModeRects[0].center());
    EXPECT_EQ(w.TableDrawings(), 1); // the current mode: no redraw
    w.ImgJuniMouseUp(Qt::RightButton, w.Drawing().ModeRects[1].center());
    EXPECT_EQ(w.TableDrawings(), 1);
    w.ImgJuniMouseUp(Qt::LeftButton, w.Drawing().ModeRects[1].center());
    EXPECT_EQ(w.TableDrawings(), 2);
    EXPECT_EQ(w.DisplayMode, 1);

    // Moving over another row redraws the panel for it; the header band leaves it alone.
    w.ImgJuniMouseMove(w.Drawing().RowRects[3].center());
    EXPECT_EQ(w.Drawing().PanelTeam, 3);
    w.ImgJuniMouseMove(QPoint(20, 10));
    EXPECT_EQ(w.Drawing().PanelTeam, 3);

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
    TTmJuniDrawing d = DrawTmJuni(s.View(), 0);
    EXPECT_EQ(d.Caption, QStringLiteral("チームA順位推移"));
    EXPECT_EQ(d.Table->Width(), 50 * 3 + 465);
    // Suspend and Other off: the two games, the unplayed ones, no cancelled row, no day alone.
    EXPECT_EQ(d.Table->Height(), 4 * 18);
    const QStringList first = TextsIn(*d.Table, QRect(0, 0, 1000, 18));
    EXPECT_EQ(first, QStringList({"4月05日(土)", "略B", "ホーム", "○", "3", "-", "1", "1.000"}));
    const QStringList second = TextsIn(*d.Table, QRect(0, 18, 1000, 18));
    EXPECT_EQ(second.last(), QStringLiteral(".500"));
    EXPECT_EQ(TextsIn(*d.Table, QRect(0, 54, 1000, 18)).first(), QStringLiteral("試合日未定"));
    EXPECT_EQ(d.Marks.size(), 2u);
    EXPECT_EQ(d.Lines.size(), 1u);
    EXPECT_EQ(d.ScrollTarget, 18);

    s.Settings.Suspend = true;
    s.Settings.Other = true;
    d = DrawTmJuni(s.View(), 0);
    EXPECT_EQ(d.Table->Height(), 6 * 18); // + the cancelled game, + day 3 alone
    EXPECT_EQ(TextsIn(*d.Table, QRect(0, 36, 1000, 18)).last(), QStringLiteral("中止"));
    EXPECT_EQ(TextsIn(*d.Table, QRect(0, 54, 1000, 18)), QStringList({"4月08日(火)"}));
    EXPECT_EQ(d.Marks.size(), 4u);
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
    TTmJuniDrawing d = DrawTmJuni(s.View(), 13);
    ASSERT_FALSE(d.Marks.empty());
    EXPECT_GE(d.Marks.back().ImageIndex, 12); // placed in its column, no picture
    EXPECT_EQ(d.Marks.back().X, 365 + d.Marks.back().ImageIndex * 30 + 5);
    EXPECT_FALSE(d.Lines.empty()); // the line still reaches it

    // The summary: 109 high, its pane 113; no "分" without draws.
    EXPECT_EQ(d.Head->Height(), 109);
    EXPECT_EQ(d.HeadPaneHeight, 113);
    EXPECT_TRUE(TextsIn(*d.Head, QRect(0, 41, 1000, 17)).contains(QStringLiteral("分")));
    const QStringList total = TextsIn(*d.Head, QRect(0, 41 + 3 * 17, 1000, 17));
    EXPECT_EQ(total.mid(0, 6), QStringList({"合　計", "13", "0", "13", "0", ".000"}));

    TSeason noDraws({"A", "B"}, 2);
    noDraws.Game("A", "B", 1, 1, kDay).Game("A", "B", 2, 1, kDay + 1);
    d = DrawTmJuni(noDraws.View(), 0);
    EXPECT_FALSE(TextsIn(*d.Head, QRect(0, 41, 1000, 17)).contains(QStringLiteral("分")));
    EXPECT_EQ(TextsIn(*d.Head, QRect(0, 41 + 17, 1000, 17)).mid(0, 4), QStringList({"ホーム", "1", "1", "0"}));
}

TEST(TmJuniWindow, TabsFollowTheOption) {
    TSeason s({"A", "B"});
    s.Settings.TTab = 2;
    TFmTmJuni w(s.View(), 1);
    EXPECT_EQ(w.TabTmJuni->count(), 2);
    EXPECT_EQ(w.TabTmJuni->tabText(0), QStringLiteral("A"));
    EXPECT_EQ(w.TabTmJuni->currentIndex(), 1);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("チームB順位推移"));
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
    TJuniDrawing d = DrawJuni(s.View(), 0, 0);
    // A at level 7 (one win: 20 + 45): the picture, not the number.
    const QStringList row = Row(d, 0);
    EXPECT_EQ(row.last(), QStringLiteral("→"));
    // The panel's boxes: 79 pixels apart, the last one ending at 79 x teams - 73 + 5.
    const std::vector<TDrawnText> panel = d.Canvas->TextsIn(QRect(0, d.PanelTop, 2000, 71));
    ASSERT_EQ(panel.size(), 4u); // title, B's name, the record, the rate
    EXPECT_EQ(panel[1].Rect, TTableCanvas::Box(10, d.PanelTop + 18, 80, d.PanelTop + 36));
    EXPECT_EQ(panel[2].Rect, TTableCanvas::Box(5, d.PanelTop + 35, 65, d.PanelTop + 53));
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
