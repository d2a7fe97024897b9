#include "core/base/DayNumber.h"
#include "core/io/AppSettings.h"
#include "core/rules/SetteiRules.h"
#include "core/season/BaseballPennant.h"
#include "core/season/SeasonTemplates.h"
#include "core/standings/DistrictStandings.h"
#include "gui/controls/NumberBox.h"
#include "gui/entry/EntryWidgets.h"
#include "gui/entry/UKekka.h"
#include "gui/entry/UTorokuN.h"
#include "tests/gui/ScriptedDialogs.h"
#include "tests/support/FixedClock.h"
#include "tests/support/MatchBuilder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

namespace {

const double kDay = days::Encode(2026, 4, 1);

struct TSeasonFixture : ::testing::Test {
    TPennant Pennant;
    TFight Fight;
    TAppSettings Settings;
    TScriptedDialogs Dialogs;
    void SetUp() override { BuildTemplate(TemplateJapan, Pennant); }
    TMatchRec& Stored(const char* h, const char* v, double day, uint8_t status = StatusBefore) {
        return AddGame(Fight, Game(h, v, day).State(status));
    }
    std::string Day(double day) {
        std::string s;
        for (const TMatchRec& m : GamesOn(Fight, day))
            s += m.HomeSymbol.Text() + "-" + m.VisitorSymbol.Text() + " ";
        return s;
    }
};

using Toroku = TSeasonFixture;
using Kekka = TSeasonFixture;

} // namespace

TEST_F(Toroku, EmptyDayOffersHalfTheTeamsAsRows) {
    TFmTorokuN d(Pennant, Fight, true, 15, Dialogs);
    d.SetDay(kDay);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("ペナントレース日程登録"));
    EXPECT_EQ(d.Rows.size(), 6u);
    EXPECT_EQ(d.width(), 2 * d.ComboWidth() + 226);
    // Registering the empty rows stores nothing, yet marks and renews.
    Dialogs.YesNo.push_back(true);
    EXPECT_TRUE(d.BtnTorokuClick());
    EXPECT_EQ(Dialogs.Log.last(), QStringLiteral("yesno:2026/04/01のデータを\r\n登録しますか？"));
    EXPECT_EQ(Fight.MatchCount(), 0);
    EXPECT_EQ(Pennant.Modified, 1);
    EXPECT_GT(Fight.LastUpdate, 0);
}

TEST_F(Toroku, SymbolsAreTypedInUpperCase) {
    TFmTorokuN d(Pennant, Fight, true, 15, Dialogs);
    d.SetDay(kDay);
    d.show();
    QTest::keyClicks(d.Rows[0].Home->lineEdit(), QStringLiteral("g"));
    QTest::keyClicks(d.Rows[0].Visitor->lineEdit(), QStringLiteral(" yb"));
    EXPECT_EQ(d.Rows[0].Home->currentText(), QStringLiteral("G"));
    EXPECT_EQ(d.Entries[0].Match.HomeSymbol.Text(), "G");
    EXPECT_EQ(d.Entries[0].Match.VisitorSymbol.Text(), "YB");
    // A row with only one team is refused with its number; nothing is stored.
    QTest::keyClicks(d.Rows[2].Home->lineEdit(), QStringLiteral("t"));
    EXPECT_FALSE(d.BtnTorokuClick());
    EXPECT_EQ(Dialogs.Log.last(), QStringLiteral("entry:3番目:ビジターチームの内容に誤りがあります。"));
    EXPECT_EQ(Fight.MatchCount(), 0);
    QTest::keyClicks(d.Rows[2].Visitor->lineEdit(), QStringLiteral("c"));
    Dialogs.YesNo.push_back(false); // "No" keeps the edits
    EXPECT_FALSE(d.BtnTorokuClick());
    EXPECT_EQ(d.Entries[2].Match.VisitorSymbol.Text(), "C");
    Dialogs.YesNo.push_back(true);
    EXPECT_TRUE(d.BtnTorokuClick());
    EXPECT_EQ(Day(kDay), "G-YB T-C ");
    // The day is shown again from the list, with "削除" on the stored games.
    EXPECT_EQ(d.Rows.size(), 2u);
    EXPECT_FALSE(d.Rows[0].Delete->isHidden());
    EXPECT_EQ(d.width(), 2 * d.ComboWidth() + 319);

    // The boxes show three capitals whole, "WWW" the widest, at the least width that does it.
    QLineEdit* box = d.Rows[0].Home->lineEdit();
    QTest::keyClicks(box, QStringLiteral("WWW"));
    const int text = box->fontMetrics().horizontalAdvance(QStringLiteral("WWW"));
    EXPECT_GE(box->width() - 2 * TFmTorokuN::kLineEditMargin, text);
    EXPECT_LT(box->width() - 2 * TFmTorokuN::kLineEditMargin - 1, text + 2) << d.ComboWidth();
    EXPECT_GE(d.ComboWidth(), 50);
}

TEST_F(Toroku, LowerCaseSymbolsCannotBeTyped) {
    Pennant.GetLeague(0).GetDistrict(0).GetTeam(1).SetSymbol("Sw"); // a symbol with a lower-case letter
    TFmTorokuN d(Pennant, Fight, true, 15, Dialogs);
    d.SetDay(kDay);
    d.show();
    QTest::keyClicks(d.Rows[0].Home->lineEdit(), QStringLiteral("sw"));
    QTest::keyClicks(d.Rows[0].Visitor->lineEdit(), QStringLiteral("g"));
    EXPECT_EQ(d.Entries[0].Match.HomeSymbol.Text(), "SW");
    EXPECT_FALSE(d.BtnTorokuClick());
    EXPECT_EQ(Dialogs.Log.last(), QStringLiteral("entry:1番目:ホームチームの内容に誤りがあります。"));
    // Choosing it from the list is converted too.
    d.Rows[1].Home->setCurrentIndex(1);
    EXPECT_EQ(d.Entries[1].Match.HomeSymbol.Text(), "SW");
}

TEST_F(Toroku, ShortNameListsWithTheEmptyItem) {
    Stored("G", "T", kDay);
    Fight.GetMatch(0).GameNo = 1;
    TFmTorokuN d(Pennant, Fight, false, 15, Dialogs);
    d.SetDay(kDay);
    ASSERT_EQ(d.Rows.size(), 1u);
    EXPECT_EQ(d.ComboWidth(), 135);
    EXPECT_EQ(d.Rows[0].Home->count(), 13);
    EXPECT_EQ(d.Rows[0].Home->currentText(), QStringLiteral("巨　　人"));
    // Clearing both teams (the empty item) removes the game.
    d.Rows[0].Home->setCurrentIndex(12);
    d.Rows[0].Visitor->setCurrentIndex(12);
    EXPECT_EQ(d.Rows[0].Home->currentIndex(), -1);
    EXPECT_EQ(d.Entries[0].Match.HomeSymbol.Text(), "");
    Dialogs.YesNo.push_back(true);
    d.BtnTorokuClick();
    EXPECT_EQ(Fight.MatchCount(), 0);
}

TEST_F(Toroku, PagingAndAdding) {
    for (int i = 0; i < 20; ++i)
        Stored(i % 2 ? "G" : "T", i % 2 ? "S" : "D", kDay);
    TFmTorokuN d(Pennant, Fight, true, 15, Dialogs);
    d.SetDay(kDay);
    EXPECT_EQ(d.Entries.size(), 20u);
    EXPECT_EQ(d.Rows.size(), 15u);
    EXPECT_TRUE(d.BtnTugi->isEnabled());
    EXPECT_FALSE(d.BtnMae->isEnabled());
    d.BtnAddClick(); // a full page: the new row lives on a later page
    EXPECT_EQ(d.Rows.size(), 15u);
    EXPECT_EQ(d.Entries.size(), 21u);
    d.Rows[3].Delete->click(); // an edit on page 1
    d.BtnTugi->click();
    EXPECT_EQ(d.Rows.size(), 6u);
    EXPECT_TRUE(d.BtnMae->isEnabled());
    EXPECT_FALSE(d.BtnTugi->isEnabled());
    d.BtnMae->click();
    EXPECT_TRUE(d.Rows[3].Delete->isChecked()); // survived the page change
    EXPECT_FALSE(d.Rows[3].ChangeDate->isEnabled());
}

TEST_F(Toroku, MovingGamesWidensTheDialog) {
    const TFixedClock clock(days::Encode(2026, 5, 9) + 0.99999); // a moment before midnight
    Stored("G", "T", kDay);
    Stored("C", "S", kDay);
    Stored("D", "YB", kDay + 1);
    Fight.SortMatches();
    TFmTorokuN d(Pennant, Fight, true, 15, Dialogs);
    d.SetDay(kDay);
    d.Rows[0].ChangeDate->click();
    EXPECT_EQ(d.width(), 2 * d.ComboWidth() + 427);
    EXPECT_FALSE(d.Rows[0].Date->isHidden());
    EXPECT_FALSE(d.Rows[0].Delete->isEnabled());
    d.Rows[0].Date->setDate(DateOfDay(kDay + 1));
    d.Rows[1].ChangeDate->click();
    d.Rows[1].Undecided->click();
    EXPECT_FALSE(d.Rows[1].Date->isEnabled());
    Dialogs.YesNo.push_back(true);
    EXPECT_TRUE(d.BtnTorokuClick());
    EXPECT_EQ(Day(kDay), "");
    EXPECT_EQ(Day(kDay + 1), "G-T D-YB "); // renumbered with the day's game: G before D
    EXPECT_EQ(Day(days::UndecidedDate), "C-S ");
    // The undecided games are listed in the undecided mode.
    d.BtnMiteiClick();
    EXPECT_EQ(d.Entries.size(), 1u);
    EXPECT_FALSE(d.BtnBack->isEnabled());
    EXPECT_EQ(d.Rows[0].Date->date(), QDate(2026, 5, 9)); // today, for a new day
    EXPECT_EQ(Fight.LastUpdate, days::Encode(2026, 5, 9) + 0.99999);
}

TEST_F(Toroku, CopyThePreviousDay) {
    Stored("G", "T", kDay - 1);
    Stored("L", "H", kDay - 1);
    Fight.SortMatches();
    TFmTorokuN d(Pennant, Fight, true, 15, Dialogs);
    d.SetDay(kDay);
    d.BtnZenClick();
    ASSERT_EQ(d.Entries.size(), 2u);
    EXPECT_FALSE(d.Entries[0].Loaded);
    EXPECT_EQ(d.Rows[1].Home->currentText(), QStringLiteral("L"));
    d.BtnClearClick();
    EXPECT_EQ(d.Entries[1].Match.HomeSymbol.Text(), "");
    // On a day with stored games, copying does nothing.
    d.SetDay(kDay - 1);
    d.BtnZenClick();
    EXPECT_TRUE(d.Entries[0].Loaded);
}

TEST_F(Kekka, NoGamesLabel) {
    TFmKekka d(Pennant, Fight, Settings, kDay, Dialogs);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("ペナントレース結果登録"));
    EXPECT_TRUE(d.Rows.empty());
    EXPECT_FALSE(d.NoGames->isHidden());
    EXPECT_TRUE(d.HomeHeading->isHidden());
    EXPECT_EQ(d.width(), 630);
    Dialogs.YesNo.push_back(true);
    EXPECT_TRUE(d.BtnTorokuClick());
    EXPECT_EQ(Pennant.Modified, 1);
    EXPECT_GT(Fight.LastUpdate, 0);
}

TEST_F(Kekka, TypedScoresAndState) {
    Stored("G", "T", kDay);
    TFmKekka d(Pennant, Fight, Settings, kDay, Dialogs);
    ASSERT_EQ(d.Rows.size(), 1u);
    EXPECT_EQ(d.Rows[0].HomeName->text(), QStringLiteral("巨　　人"));
    EXPECT_EQ(d.Rows[0].State->checkedId(), 0);
    d.Rows[0].HomeScore->setValue(3);
    EXPECT_EQ(d.Rows[0].State->checkedId(), 1); // typing a score finishes the game
    EXPECT_EQ(d.Entries[0].NewState, 1);
    // Typed or pasted text is put right at once: 0 to 99, full-width digits as digits.
    QLineEdit* field = d.Rows[0].VisitorScore->lineEdit();
    EXPECT_GE(field->width() - 4, field->fontMetrics().horizontalAdvance(QStringLiteral("99")));
    const struct {
        const char* Text;
        int Shown;
    } cases[] = {{"120", 99}, {"-5", 0}, {"１１", 11}, {"x", 0}, {"", 0}};
    for (const auto& c : cases) {
        field->setText(QString::fromUtf8(c.Text));
        EXPECT_EQ(field->text(), QString::number(c.Shown)) << c.Text;
        EXPECT_EQ(field->cursorPosition(), field->text().size()) << c.Text;
        EXPECT_EQ(d.Entries[0].Match.VisitorScore, c.Shown) << c.Text;
    }
    // The arrows and the Up and Down keys step the score without wrapping.
    d.Rows[0].VisitorScore->stepUp();
    QTest::keyClick(d.Rows[0].VisitorScore, Qt::Key_Up);
    EXPECT_EQ(d.Entries[0].Match.VisitorScore, 2);
    QTest::keyClick(d.Rows[0].VisitorScore, Qt::Key_Down);
    QTest::keyClick(d.Rows[0].VisitorScore, Qt::Key_Down);
    QTest::keyClick(d.Rows[0].VisitorScore, Qt::Key_Down);
    EXPECT_EQ(d.Entries[0].Match.VisitorScore, 0);
    // A 3-3 draw in a league whose draws stand: no make-up controls.
    QTest::keyClicks(d.Rows[0].VisitorScore, QStringLiteral("3"));
    EXPECT_TRUE(d.Rows[0].NoMakeUp->isHidden());
    Dialogs.YesNo.push_back(true);
    d.BtnTorokuClick();
    EXPECT_EQ(Fight.GetMatch(0).Status, StatusFinished);
    EXPECT_EQ(Fight.GetMatch(0).HomeScore, 3);
    EXPECT_EQ(Fight.MatchCount(), 1);
    // Loaded again: the names in the draw color.
    EXPECT_EQ(d.Rows[0].HomeName->palette().color(QPalette::WindowText), QColor(0, 0, 255));
}

TEST_F(Kekka, ReplayedDrawsAndCancelledGames) {
    Pennant.GetLeague(0).DrawRule = 2;
    Stored("G", "T", kDay);
    Stored("C", "S", kDay);
    Stored("L", "H", kDay); // Pacific: draws stand
    TFmKekka d(Pennant, Fight, Settings, kDay, Dialogs);
    d.Rows[0].State->button(1)->click(); // 0-0 finished in a no-draws league
    EXPECT_FALSE(d.Rows[0].NoMakeUp->isHidden());
    EXPECT_EQ(d.width(), 750);
    d.Rows[2].State->button(1)->click();
    EXPECT_TRUE(d.Rows[2].NoMakeUp->isHidden());
    d.Rows[0].HomeScore->setValue(1);
    EXPECT_TRUE(d.Rows[0].NoMakeUp->isHidden());
    EXPECT_EQ(d.width(), 630);

    d.Rows[1].State->button(2)->click(); // cancelled
    EXPECT_FALSE(d.Rows[1].HomeScore->isEnabled());
    EXPECT_FALSE(d.Rows[1].NoMakeUp->isHidden());
    EXPECT_TRUE(d.Rows[1].MakeUpUndecided->isChecked());
    EXPECT_FALSE(d.Rows[1].MakeUpDate->isEnabled());
    Dialogs.YesNo.push_back(true);
    d.BtnTorokuClick();
    EXPECT_EQ(Day(kDay), "G-T C-S L-H ");
    EXPECT_EQ(Day(days::UndecidedDate), "C-S ");
    // The cancelled game reloads struck out, without make-up controls; registering
    // it again as cancelled adds no second make-up game.
    EXPECT_TRUE(d.Rows[1].HomeName->font().strikeOut());
    EXPECT_TRUE(d.Rows[1].NoMakeUp->isHidden());
    Dialogs.YesNo.push_back(true);
    d.BtnTorokuClick();
    EXPECT_EQ(Day(days::UndecidedDate), "C-S ");
}

TEST_F(Kekka, NoMakeUpAndAChosenDay) {
    Stored("G", "T", kDay);
    Stored("C", "S", kDay);
    Stored("D", "YB", kDay + 2);
    Fight.SortMatches();
    TFmKekka d(Pennant, Fight, Settings, kDay, Dialogs);
    d.Rows[0].State->button(2)->click();
    d.Rows[0].NoMakeUp->click();
    EXPECT_FALSE(d.Rows[0].MakeUpUndecided->isEnabled());
    d.Rows[1].State->button(2)->click();
    d.Rows[1].MakeUpUndecided->click();
    EXPECT_TRUE(d.Rows[1].MakeUpDate->isEnabled());
    d.Rows[1].MakeUpDate->setDate(DateOfDay(kDay + 2));
    Dialogs.YesNo.push_back(true);
    d.BtnTorokuClick();
    EXPECT_EQ(Day(kDay + 2), "D-YB C-S "); // joined and renumbered by home-team order
    EXPECT_EQ(Day(days::UndecidedDate), "");
}

TEST_F(Kekka, PagesKeepTheirEdits) {
    for (int i = 0; i < 18; ++i)
        Stored("G", "T", kDay);
    Settings.TMax = 15;
    TFmKekka d(Pennant, Fight, Settings, kDay, Dialogs);
    EXPECT_EQ(d.Rows.size(), 15u);
    EXPECT_TRUE(d.BtnTugi->isEnabled());
    d.BtnTugi->click();
    ASSERT_EQ(d.Rows.size(), 3u);
    d.Rows[2].HomeScore->setValue(7);
    d.BtnMae->click();
    d.Rows[0].VisitorScore->setValue(4);
    d.BtnTugi->click();
    EXPECT_EQ(d.Rows[2].HomeScore->value(), 7);
    EXPECT_EQ(d.Rows[2].State->checkedId(), 1);
    Dialogs.YesNo.push_back(true);
    d.BtnTorokuClick();
    EXPECT_EQ(Fight.GetMatch(17).HomeScore, 7);
    EXPECT_EQ(Fight.GetMatch(0).VisitorScore, 4);
    EXPECT_EQ(Fight.GetMatch(0).Status, StatusFinished);
}

TEST_F(Kekka, NextDayFromTheUndecidedDateStays) {
    Stored("G", "T", days::UndecidedDate);
    TFmKekka d(Pennant, Fight, Settings, days::UndecidedDate, Dialogs);
    EXPECT_EQ(d.Rows.size(), 1u);
    d.BtnNext->click();
    EXPECT_EQ(d.PickedDay(), days::UndecidedDate);
    d.BtnBack->click();
    EXPECT_EQ(d.PickedDay(), days::UndecidedDate - 1);
}

// A new season from a template, a week of schedule, results, and the standings.
TEST_F(Toroku, EndToEnd) {
    Pennant = TPennant();
    BuildTemplate(TemplateOther, Pennant);
    TDistrict& district = Pennant.GetLeague(0).GetDistrict(0);
    AddDefaultTeam(district); // T3
    AddDefaultTeam(district); // T4
    TFmTorokuN schedule(Pennant, Fight, true, 15, Dialogs);
    schedule.show();
    const char* pairs[7][2][2] = {{{"T1", "T2"}, {"T3", "T4"}}, {{"T2", "T3"}, {"T4", "T1"}},
                                  {{"T1", "T3"}, {"T2", "T4"}}, {{"T2", "T1"}, {"T4", "T3"}},
                                  {{"T3", "T2"}, {"T1", "T4"}}, {{"T3", "T1"}, {"T4", "T2"}},
                                  {{"T1", "T2"}, {"T3", "T4"}}};
    for (int day = 0; day < 7; ++day) {
        schedule.SetDay(kDay + day);
        ASSERT_EQ(schedule.Rows.size(), 2u);
        for (int g = 0; g < 2; ++g) {
            schedule.Rows[static_cast<size_t>(g)].Home->setEditText(QString::fromLatin1(pairs[day][g][0]));
            schedule.Rows[static_cast<size_t>(g)].Visitor->setEditText(QString::fromLatin1(pairs[day][g][1]));
        }
        Dialogs.YesNo.push_back(true);
        ASSERT_TRUE(schedule.BtnTorokuClick());
    }
    EXPECT_EQ(Fight.MatchCount(), 14);

    // Results for the first five days: the home team wins, except one rain-out
    // (the second game of day five, which is T3-T2: T1's home game comes first).
    TAppSettings settings;
    TFmKekka results(Pennant, Fight, settings, kDay, Dialogs);
    for (int day = 0; day < 5; ++day) {
        results.SetDay(kDay + day);
        ASSERT_EQ(results.Rows.size(), 2u);
        for (size_t g = 0; g < 2; ++g) {
            if (day == 4 && g == 1) {
                results.Rows[g].State->button(StatusCancelled)->click();
                continue;
            }
            results.Rows[g].HomeScore->setValue(5);
            results.Rows[g].VisitorScore->setValue(2);
        }
        Dialogs.YesNo.push_back(true);
        ASSERT_TRUE(results.BtnTorokuClick());
    }
    EXPECT_EQ(Fight.MatchCount(), 15); // the rain-out's make-up game

    auto standings = BuildDistrictStandings(Pennant, Fight, 0);
    ASSERT_TRUE(standings);
    const TTmRec& t1 = *standings->Calc->FindTeam("T1");
    EXPECT_EQ(t1.Wins(), 3);   // at home on days 1, 3 and 5
    EXPECT_EQ(t1.Losses(), 2); // away on days 2 and 4
    EXPECT_EQ(t1.Remain(), 2); // days 6 and 7
    const TTmRec& t3 = *standings->Calc->FindTeam("T3");
    EXPECT_EQ(t3.Wins() + t3.Losses(), 4); // the rain-out counts for nobody
    EXPECT_EQ(t3.Remain(), 3);             // its make-up game, days 6 and 7
    EXPECT_EQ(standings->Finished, 18);
    EXPECT_EQ(standings->Remaining, 10);
}

// A click into the year (0), month (1) or day (2) of a picker, as a user makes it.
static void ClickPart(QDateEdit& picker, int part) {
    QLineEdit* edit = picker.findChild<QLineEdit*>();
    const QString before[] = {QStringLiteral("2"), QStringLiteral("2003/0"), QStringLiteral("2003/04/0")};
    const int x = edit->fontMetrics().horizontalAdvance(before[part]) + 4;
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(x, edit->height() / 2));
}

TEST(DatePicker, TypedAndPastedDates) {
    struct TCase {
        int Part; // clicked first; -1: the whole text selected with Ctrl+A
        const char* Typed;
        QDate Expected;
    };
    const TCase cases[] = {
        {2, "15", QDate(2003, 4, 15)},         // the day under the click
        {1, "9", QDate(2003, 9, 5)},           // the month
        {0, "2004", QDate(2004, 4, 5)},        // the year
        {0, "2003/09/15", QDate(2003, 9, 15)}, // a whole date from the year
        {2, "2003/09/15", QDate(2003, 9, 15)}, // a whole date from the day
        {-1, "2003-9-7", QDate(2003, 9, 7)},   // over the whole text
        {2, "2003/13/40", QDate(2003, 4, 5)},  // no such date: it stays
    };
    for (const QString& format : {QStringLiteral("yyyy/MM/dd"), QStringLiteral("yyyy/MM/dd' ('ddd')'")})
        for (const TCase& c : cases) {
            QWidget window;
            TDatePicker* picker = EntryDatePicker(&window, format);
            picker->setGeometry(10, 10, 150, 25);
            picker->setDate(QDate(2003, 4, 5));
            window.show();
            EXPECT_TRUE(picker->calendarPopup());
            if (c.Part < 0) {
                picker->setFocus();
                QTest::keyClick(picker, Qt::Key_A, Qt::ControlModifier);
            } else {
                ClickPart(*picker, c.Part);
            }
            QTest::keyClicks(picker, QString::fromLatin1(c.Typed));
            QTest::keyClick(picker, Qt::Key_Return);
            EXPECT_EQ(picker->date(), c.Expected) << c.Part << " " << c.Typed << " " << format.toStdString();
        }
    EXPECT_EQ(TDatePicker::ParseDate(QStringLiteral(" 2003/09/15 (月) ")), QDate(2003, 9, 15));
    EXPECT_EQ(TDatePicker::ParseDate(QStringLiteral("20030915")), QDate(2003, 9, 15));
    EXPECT_FALSE(TDatePicker::ParseDate(QStringLiteral("15/09/2003")).isValid());
}

TEST_F(Kekka, PastedDayLoadsItsGames) {
    Stored("G", "T", kDay + 3);
    TFmKekka d(Pennant, Fight, Settings, kDay, Dialogs);
    d.show();
    EXPECT_TRUE(d.Rows.empty());
    QGuiApplication::clipboard()->setText(QStringLiteral("2026/04/04"));
    d.DTPKijun->setFocus();
    QTest::keyClick(d.DTPKijun, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(d.PickedDay(), kDay + 3);
    EXPECT_EQ(d.Rows.size(), 1u);
}

TEST_F(Kekka, FocusStartsInTheFirstScoreAndTabWalksTheRows) {
    Stored("G", "T", kDay);
    Stored("C", "S", kDay);
    TFmKekka d(Pennant, Fight, Settings, kDay, Dialogs);
    d.show();
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    EXPECT_EQ(QApplication::focusWidget(), d.Rows[0].HomeScore);
    // Row by row the scores, the state (at the state chosen) and the next row's mark.
    const std::vector<QWidget*> walk = {
        d.Rows[0].VisitorScore, d.Rows[0].State->checkedButton(), d.Rows[1].Mark, d.Rows[1].HomeScore,
        d.Rows[1].VisitorScore, d.Rows[1].State->checkedButton(), d.BtnToroku};
    for (QWidget* next : walk) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << QApplication::focusWidget()->metaObject()->className();
    }
    // The make-up choices of a drawn game come between its state and the next row.
    Pennant.GetLeague(0).DrawRule = 1;
    d.Rows[0].State->button(StatusFinished)->click();
    d.Rows[0].State->button(StatusFinished)->setFocus();
    QTest::keyClick(d.Rows[0].State->button(StatusFinished), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), d.Rows[0].NoMakeUp);
}

// A draw typed into an unplayed game offers a make-up game, and registering adds
// it, exactly when the league replays its draws or has none (DrawRule 1 or 2).
TEST_F(Kekka, TypedDrawsFollowTheLeaguesDrawRule) {
    for (uint8_t rule : {0, 1, 2}) {
        Fight.Clear();
        Pennant.GetLeague(0).DrawRule = rule;
        Stored("G", "T", kDay);
        Stored("C", "S", kDay).Status = StatusFinished; // drawn 0-0 before: never offered again
        TFmKekka d(Pennant, Fight, Settings, kDay, Dialogs);
        d.Rows[0].HomeScore->setValue(2);
        EXPECT_TRUE(d.Rows[0].NoMakeUp->isHidden()) << int(rule); // 2-0 is no draw
        d.Rows[0].VisitorScore->setValue(2);
        EXPECT_EQ(d.Rows[0].NoMakeUp->isHidden(), rule == 0) << int(rule);
        d.Rows[1].State->button(StatusFinished)->click();
        EXPECT_TRUE(d.Rows[1].NoMakeUp->isHidden()) << int(rule);
        Dialogs.YesNo.push_back(true);
        d.BtnTorokuClick();
        EXPECT_EQ(Day(days::UndecidedDate), rule == 0 ? "" : "G-T ") << int(rule);
    }
}

// The wheel over a score the focus is not in scrolls the rows behind it and
// leaves the score alone; over the score being edited it steps it.
TEST_F(Kekka, WheelStepsOnlyTheScoreBeingEdited) {
    Stored("G", "T", kDay);
    Stored("C", "S", kDay);
    TFmKekka d(Pennant, Fight, Settings, kDay, Dialogs);
    d.show();
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    ASSERT_EQ(QApplication::focusWidget(), d.Rows[0].HomeScore);
    auto wheelUp = [](QWidget* w) {
        const QPointF at(5, 5);
        QWheelEvent wheel(at, w->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(w, &wheel);
        return wheel.isAccepted();
    };
    EXPECT_FALSE(wheelUp(d.Rows[1].HomeScore)); // handed on to the row area
    EXPECT_EQ(d.Rows[1].HomeScore->value(), 0);
    EXPECT_EQ(QApplication::focusWidget(), d.Rows[0].HomeScore);
    EXPECT_TRUE(wheelUp(d.Rows[0].HomeScore));
    EXPECT_EQ(d.Rows[0].HomeScore->value(), 1);
    EXPECT_EQ(d.Entries[0].Match.HomeScore, 1);
}
