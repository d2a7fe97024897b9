#include "core/base/SjisText.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "core/season/SeasonTemplates.h"
#include "draw/QtText.h"
#include "gui/setup/UJunjo.h"
#include "gui/setup/USettei.h"
#include "tests/gui/ScriptedDialogs.h"
#include "tests/support/MatchBuilder.h"

#include <QButtonGroup>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

namespace {

std::string U(const std::string& s) {
    return sjis::ToUtf8(s);
}

class Settei : public ::testing::Test {
protected:
    void SetUp() override {
        BuildTemplate(TemplateJapan, Pennant);
        Pennant.Checker = "abcdefgh";
        ProgramDir = QDir::temp().filePath(QStringLiteral("tablora-settei-%1").arg(::getpid()));
        QDir().mkpath(ProgramDir);
    }
    void TearDown() override {
        Editor.reset();
        QDir(ProgramDir).removeRecursively();
    }
    TFmSettei& Open() {
        Editor = std::make_unique<TFmSettei>(Pennant, Fight, Dialogs, ProgramDir);
        Editor->show();
        return *Editor;
    }
    void AddGames() {
        AddGame(Fight, Game("D", "G", 40000).Number(1));
        AddGame(Fight, Game("G", "S", 40000).Number(2));
    }
    // Answers the next order dialog by moving the selected row up `steps` times.
    void OrderAnswer(int row, int steps, bool accept) {
        Dialogs.DialogHandlers.push_back([=](QDialog& d) {
            auto& order = static_cast<TFmJunjo&>(d);
            order.LBJun->setCurrentRow(row);
            for (int i = 0; i < steps; ++i)
                order.SpBtUpClick();
            return accept ? int(QDialog::Accepted) : int(QDialog::Rejected);
        });
    }

    TPennant Pennant;
    TFight Fight;
    TScriptedDialogs Dialogs;
    QString ProgramDir;
    std::unique_ptr<TFmSettei> Editor;
};

} // namespace

TEST_F(Settei, ShowsTheSeasonAndEditsItLive) {
    TFmSettei& e = Open();
    EXPECT_EQ(e.windowTitle(), QStringLiteral("情報設定"));
    EXPECT_EQ(e.ENaiyo->text(), QStringLiteral("プロ野球２００Ｘ"));
    EXPECT_TRUE(e.RBNo->isChecked());
    EXPECT_EQ(e.League.Page->text(), QStringLiteral("1/2"));
    EXPECT_EQ(e.Team.Page->text(), QStringLiteral("1/6"));
    EXPECT_EQ(e.ETName->text(), QStringLiteral("読売ジャイアンツ"));

    QTest::keyClicks(e.ETRyaku, QStringLiteral("X"));
    EXPECT_EQ(U(Pennant.GetLeague(0).GetDistrict(0).GetTeam(0).ShortName), "巨　　人X");
    e.RBYes->click();
    EXPECT_EQ(Pennant.Interleague, 1);
    e.RGRank->button(1)->click();
    EXPECT_EQ(Pennant.GetLeague(0).RankRule, 1);
    e.League.Next->click();
    EXPECT_EQ(e.ELeague->text(), QStringLiteral("パシフィックリーグ"));
    EXPECT_TRUE(e.RGRank->button(0)->isChecked());
}

TEST_F(Settei, SymbolFieldUpperCasesAndTrims) {
    TFmSettei& e = Open();
    e.ETKigo->clear();
    QTest::keyClicks(e.ETKigo, QStringLiteral("yb"));
    EXPECT_EQ(Pennant.GetLeague(0).GetDistrict(0).GetTeam(0).Symbol, "YB");
    EXPECT_EQ(e.ETKigo->text(), QStringLiteral("YB"));
    e.ETKigo->clear();
    QTest::keyClicks(e.ETKigo, QStringLiteral(" ab"));
    EXPECT_EQ(Pennant.GetLeague(0).GetDistrict(0).GetTeam(0).Symbol, "AB");
    QTest::keyClicks(e.ETKigo, QStringLiteral("cde"));
    EXPECT_LE(e.ETKigo->text().size(), 3);
    EXPECT_EQ(Pennant.GetLeague(0).GetDistrict(0).GetTeam(0).Symbol, "ABC");
}

TEST_F(Settei, ButtonsWithAndWithoutGames) {
    TFmSettei& e = Open();
    EXPECT_TRUE(e.Team.Add->isEnabled());
    EXPECT_TRUE(e.Team.Del->isEnabled());
    EXPECT_FALSE(e.Team.Prev->isEnabled());
    EXPECT_TRUE(e.Team.Next->isEnabled());
    EXPECT_FALSE(e.District.Del->isEnabled()); // one district
    EXPECT_FALSE(e.District.Jun->isEnabled());
    EXPECT_TRUE(e.League.Del->isEnabled());
    EXPECT_TRUE(e.ETKigo->isEnabled());

    Editor.reset();
    AddGames();
    TFmSettei& frozen = Open();
    for (QPushButton* b : {frozen.League.Add, frozen.League.Del, frozen.District.Add, frozen.Team.Add, frozen.Team.Del})
        EXPECT_FALSE(b->isEnabled());
    EXPECT_FALSE(frozen.ETKigo->isEnabled());
    EXPECT_FALSE(frozen.ELinker->isEnabled());
    EXPECT_FALSE(frozen.RBYes->isEnabled());
    EXPECT_TRUE(frozen.Team.Jun->isEnabled());
    EXPECT_TRUE(frozen.ETName->isEnabled());
}

TEST_F(Settei, AddingAndDeleting) {
    TFmSettei& e = Open();
    e.League.Add->click();
    EXPECT_EQ(e.League.Page->text(), QStringLiteral("3/3"));
    EXPECT_EQ(e.ELeague->text(), QStringLiteral("リーグ名称3"));
    EXPECT_EQ(e.EChiku->text(), QStringLiteral("地区名称1"));
    EXPECT_EQ(e.Team.Page->text(), QStringLiteral("2/2"));
    EXPECT_EQ(e.ETName->text(), QStringLiteral("チーム正式名称2"));
    EXPECT_EQ(e.ETKigo->text(), QStringLiteral("T2"));
    EXPECT_FALSE(e.Team.Del->isEnabled()); // two teams only

    e.Team.Add->click();
    EXPECT_EQ(e.Team.Page->text(), QStringLiteral("3/3"));
    e.Team.Del->click();
    EXPECT_EQ(e.Team.Page->text(), QStringLiteral("2/2"));

    e.District.Add->click();
    EXPECT_EQ(e.District.Page->text(), QStringLiteral("2/2"));
    EXPECT_EQ(e.EChiku->text(), QStringLiteral("地区名称2"));
    EXPECT_EQ(e.Team.Page->text(), QStringLiteral("2/2"));

    // Deleting the last league makes the new last one current.
    e.League.Del->click();
    EXPECT_EQ(Pennant.LeagueCount(), 2);
    EXPECT_EQ(e.League.Page->text(), QStringLiteral("2/2"));
    EXPECT_EQ(e.ELeague->text(), QStringLiteral("パシフィックリーグ"));
}

TEST_F(Settei, NavigationKeepsLowerPositions) {
    BuildTemplate(TemplateMajor, Pennant); // a third and fourth league with other shapes
    TPennant major;
    BuildTemplate(TemplateMajor, major);
    Pennant = TPennant();
    BuildTemplate(TemplateMajor, Pennant);
    TFmSettei& e = Open();
    e.District.Next->click();
    e.District.Next->click(); // 西部地区: 4 teams
    for (int i = 0; i < 3; ++i)
        e.Team.Next->click();
    EXPECT_EQ(e.Team.Page->text(), QStringLiteral("4/4"));
    e.League.Next->click(); // ナショナル西部: 5 teams
    EXPECT_EQ(e.District.Page->text(), QStringLiteral("3/3"));
    EXPECT_EQ(e.Team.Page->text(), QStringLiteral("4/5"));
    e.Team.Next->click();
    e.District.Prev->click(); // 中部: 6 teams
    EXPECT_EQ(e.Team.Page->text(), QStringLiteral("5/6"));
}

TEST_F(Settei, ReorderThenCancelRestores) {
    TFmSettei& e = Open();
    for (int i = 0; i < 4; ++i)
        e.Team.Next->click(); // 阪神 current
    OrderAnswer(4, 4, true);  // 阪神 to the top
    e.Team.Jun->click();
    EXPECT_EQ(Dialogs.Log.last(), QStringLiteral("exec:チーム順序の設定"));
    EXPECT_EQ(Pennant.GetLeague(0).GetDistrict(0).GetTeam(0).Symbol, "T");
    EXPECT_EQ(e.Team.Page->text(), QStringLiteral("1/6")); // the current team moved with it
    EXPECT_TRUE(e.OrderChanged());

    OrderAnswer(1, 1, false); // a cancelled order dialog changes nothing
    e.League.Jun->click();
    EXPECT_EQ(U(Pennant.GetLeague(0).Name), "セントラルリーグ");

    e.BtCancelClick();
    EXPECT_EQ(e.result(), QDialog::Rejected);
    EXPECT_EQ(Pennant.GetLeague(0).GetDistrict(0).GetTeam(0).Symbol, "G");
    EXPECT_EQ(Pennant.GetLeague(0).GetDistrict(0).GetTeam(4).Symbol, "T");
    EXPECT_EQ(Pennant.Modified, 0);
}

TEST_F(Settei, OkRenumbersGamesOnlyAfterAReorder) {
    AddGames(); // D home (game 1), G home (game 2)
    TFmSettei& plain = Open();
    plain.BtOkClick();
    EXPECT_EQ(Pennant.Modified, 1);
    EXPECT_EQ(Fight.GetMatch(0).HomeSymbol.Text(), "D"); // untouched

    Editor.reset();
    TFmSettei& e = Open();
    OrderAnswer(2, 2, true); // 中日 (D) to the top
    e.Team.Jun->click();
    e.BtOkClick();
    EXPECT_EQ(e.result(), QDialog::Accepted);
    EXPECT_EQ(Fight.GetMatch(0).HomeSymbol.Text(), "D");
    EXPECT_EQ(Fight.GetMatch(0).GameNo, 1);
    EXPECT_EQ(Fight.GetMatch(1).GameNo, 2);

    // And the other way round: G first again renumbers G's game as 1.
    Editor.reset();
    TFmSettei& back = Open();
    OrderAnswer(1, 1, true); // G (now second) back to the top
    back.Team.Jun->click();
    back.BtOkClick();
    EXPECT_EQ(Fight.GetMatch(0).HomeSymbol.Text(), "G");
    EXPECT_EQ(Fight.GetMatch(0).GameNo, 1);
}

TEST_F(Settei, ColorAndPicture) {
    TFmSettei& e = Open();
    Dialogs.Colors.push_back(QColor(0x12, 0x34, 0x56));
    e.BtTColor->click();
    EXPECT_EQ(Pennant.GetLeague(0).GetDistrict(0).GetTeam(0).Color, 0x563412);
    EXPECT_EQ(Dialogs.LastColorOffered, QColor(Qt::black));
    Dialogs.Colors.push_back(std::nullopt);
    e.Team.Next->click();
    e.BtTColor->click();
    EXPECT_EQ(Dialogs.LastColorOffered, QColor(0x12, 0x34, 0x56)); // the last color chosen, not the team's
    EXPECT_EQ(Pennant.GetLeague(0).GetDistrict(0).GetTeam(1).Color, 8421376);

    // A bitmap in picture/ is stored by name; the preview shows it.
    const QString pictures = QDir(ProgramDir).filePath(QStringLiteral("picture"));
    Dialogs.FileNames.push_back(QDir(pictures).filePath(QStringLiteral("swallows.bmp")));
    QImage red(54, 36, QImage::Format_RGB32);
    red.fill(Qt::red);
    e.BtTPicture->click(); // creates the folder
    EXPECT_TRUE(QDir(pictures).exists());
    EXPECT_EQ(Dialogs.LastFolder, pictures);
    EXPECT_EQ(Pennant.GetLeague(0).GetDistrict(0).GetTeam(1).Picture, "{DEFAULT}swallows.bmp");
    ASSERT_TRUE(red.save(QDir(pictures).filePath(QStringLiteral("swallows.bmp"))));
    e.Team.Prev->click();
    e.Team.Next->click();
    EXPECT_FALSE(e.ImgTPicture->pixmap().isNull());

    // One elsewhere is stored with its full path; a file that is no picture is ignored.
    const QString elsewhere = QDir(ProgramDir).filePath(QStringLiteral("other.bmp"));
    QFile bogus(elsewhere);
    ASSERT_TRUE(bogus.open(QIODevice::WriteOnly));
    bogus.write("not a bitmap");
    bogus.close();
    Dialogs.FileNames.push_back(elsewhere);
    e.BtTPicture->click();
    EXPECT_EQ(Q(Pennant.GetLeague(0).GetDistrict(0).GetTeam(1).Picture), elsewhere);
}

TEST(Junjo, MovesTheSelectedEntry) {
    TFmJunjo d;
    d.SetEntries({"a", "b", "c"});
    d.SpBtUpClick();
    d.SpBtDownClick();
    EXPECT_EQ(d.Entries(), QStringList({"a", "b", "c"})); // nothing selected: nothing moves
    d.LBJun->setCurrentRow(0);
    d.SpBtUpClick();
    EXPECT_EQ(d.Entries(), QStringList({"a", "b", "c"}));
    d.SpBtDownClick();
    EXPECT_EQ(d.Entries(), QStringList({"b", "a", "c"}));
    EXPECT_EQ(d.LBJun->currentRow(), 1); // the selection follows
    d.SpBtDown->click();
    EXPECT_EQ(d.Entries(), QStringList({"b", "c", "a"}));
    EXPECT_EQ(d.Order(), (std::vector<int>{1, 2, 0})); // where each entry stood
    d.SpBtDownClick();
    EXPECT_EQ(d.Entries(), QStringList({"b", "c", "a"}));
    d.BtnCancel->click();
    EXPECT_EQ(d.result(), QDialog::Rejected);
}
