#include "core/base/AtomicFile.h"
#include "core/base/SjisText.h"
#include "core/io/SeasonFile.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "core/season/SeasonTemplates.h"
#include "draw/QtText.h"
#include "draw/TablePicture.h"
#include "gui/app/MainMenus.h"
#include "gui/app/TablePrint.h"
#include "gui/app/UDlgNew.h"
#include "gui/app/UMain.h"
#include "gui/app/ViewOpener.h"
#include "gui/controls/CuteBtn.h"
#include "gui/controls/NumberBox.h"
#include "gui/controls/TabStrip.h"
#include "gui/controls/UVersion.h"
#include "gui/entry/UKekka.h"
#include "gui/setup/UColor.h"
#include "gui/setup/UJunjo.h"
#include "gui/setup/UOption.h"
#include "gui/setup/USettei.h"
#include "gui/views/TableSurface.h"
#include "gui/views/UJuni.h"
#include "gui/views/UNittei.h"
#include "gui/views/UTaisen.h"
#include "gui/views/UTmJuni.h"
#include "gui/views/UVersus.h"
#include "tests/gui/ScriptedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPdfWriter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QToolBar>
#include <QToolButton>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {

// A program folder of its own for each test: settings file, data/ and help/.
class MainForm : public ::testing::Test {
protected:
    void SetUp() override {
        Dir = fs::temp_directory_path() / ("tablora-gui-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(Dir / "data");
        Program = QString::fromStdString((Dir / "tablora").string());
        // The user's configuration folder, where settings go when the program's folder is closed to us.
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((Dir / "config").string()));
    }
    void TearDown() override {
        Form.reset();
        fs::remove_all(Dir);
    }
    TMainForm& Make(const std::string& ini = "") {
        if (!ini.empty())
            std::ofstream(Dir / "tablora.ini") << ini;
        Form = std::make_unique<TMainForm>(Dialogs, Program);
        return *Form;
    }
    std::string SamplePath() const { return std::string(TABLORA_SOURCE_DIR) + "/resources/sample.qvk"; }
    // A copy of the sample season in the data folder.
    std::string SampleCopy() const {
        const fs::path copy = Dir / "data" / "sample.qvk";
        fs::copy_file(SamplePath(), copy, fs::copy_options::overwrite_existing);
        return copy.string();
    }
    // The new-season flow answered: a template, then the editor's OK.
    void NewSeason(int kind) {
        Dialogs.DialogHandlers.push_back([kind](QDialog& d) {
            static_cast<TDlgNew&>(d).RGType->button(kind)->setChecked(true);
            return int(QDialog::Accepted);
        });
        Dialogs.DialogHandlers.push_back([](QDialog& d) {
            static_cast<TFmSettei&>(d).BtOkClick();
            return d.result();
        });
        Form->MINewClick();
    }
    struct TStates {
        bool Save, SaveAs, Settei, TorokuN, Kekka, Import, Views, Export, Clear;
    };
    TStates States() const {
        const TMainItems& m = Form->Items();
        EXPECT_EQ(m.MISave->isEnabled(), m.ToolSave->isEnabled());
        EXPECT_EQ(m.MITorokuN->isEnabled(), m.ToolTorokuN->isEnabled());
        EXPECT_EQ(m.MIKekka->isEnabled(), m.ToolKekka->isEnabled());
        const bool views = m.ToolJuni->isEnabled();
        for (bool other : {m.ToolNittei->isEnabled(), m.ToolTaisen->isEnabled(), m.ToolTmJun->isEnabled(),
                           m.MenuJuni->menuAction()->isEnabled(), m.MenuTaisen->menuAction()->isEnabled(),
                           m.MenuTmJun->menuAction()->isEnabled()})
            EXPECT_EQ(other, views);
        return {m.MISave->isEnabled(),
                m.MISaveAs->isEnabled(),
                m.MISettei->isEnabled(),
                m.MITorokuN->isEnabled(),
                m.MIKekka->isEnabled(),
                m.MITorikomi->isEnabled(),
                views,
                m.MIKakidasi->isEnabled(),
                m.MIClear->isEnabled()};
    }

    fs::path Dir;
    QString Program;
    TScriptedDialogs Dialogs;
    std::unique_ptr<TMainForm> Form;
};

} // namespace

TEST_F(MainForm, CommandStatesFollowTheSeason) {
    TMainForm& f = Make();
    f.Start();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("タブローラ"));
    TStates s = States();
    EXPECT_FALSE(s.Save || s.SaveAs || s.Settei || s.TorokuN || s.Kekka || s.Import || s.Views || s.Export || s.Clear);
    EXPECT_TRUE(f.Items().MINew->isEnabled() && f.Items().MIOpen->isEnabled() && f.Items().MIExit->isEnabled());

    NewSeason(0);
    ASSERT_NE(f.Pennant(), nullptr);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("タブローラ   【 プロ野球２００Ｘ 】"));
    s = States();
    EXPECT_FALSE(s.Save);
    EXPECT_TRUE(s.SaveAs && s.Settei && s.TorokuN && s.Kekka && s.Import);
    EXPECT_FALSE(s.Views || s.Export || s.Clear);
    EXPECT_EQ(f.Pennant()->Modified, 1);

    const QString path = QString::fromStdString((Dir / "data" / "new.qvk").string());
    Dialogs.FileNames.push_back(path);
    f.MISaveAsClick();
    EXPECT_EQ(f.FileName(), path);
    EXPECT_EQ(f.Pennant()->Modified, 0);
    EXPECT_TRUE(States().Save);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("タブローラ   【 プロ野球２００Ｘ 】")); // the title, not the path
    EXPECT_EQ(Dialogs.LastFolder, QString::fromStdString((Dir / "data").string()));

    // A season with games enables the views.
    Dialogs.FileNames.push_back(QString::fromStdString(SampleCopy()));
    f.MIOpenClick();
    s = States();
    EXPECT_TRUE(s.Save && s.SaveAs && s.Views && s.Export && s.Clear);
    EXPECT_EQ(f.Items().MenuNittei->actions().size(), 2);
    EXPECT_TRUE(f.Items().MenuNittei->actions()[0]->isEnabled());

    // A plain Save writes the file and clears the modified state: closing asks nothing.
    f.Pennant()->Contents = sjis::S("保存した題名");
    f.Pennant()->Modified = 1;
    f.MISaveClick();
    EXPECT_EQ(f.Pennant()->Modified, 0);
    Dialogs.Log.clear();
    EXPECT_TRUE(f.CloseSeason(false));
    EXPECT_TRUE(Dialogs.Log.isEmpty()) << Dialogs.Log.join(' ').toStdString();
    std::unique_ptr<TPennant> saved;
    std::unique_ptr<TFight> games;
    ASSERT_TRUE(LoadSeason((Dir / "data" / "sample.qvk").string(), saved, games));
    EXPECT_EQ(saved->Contents, sjis::S("保存した題名"));
}

TEST_F(MainForm, SaveQuestionAnswers) {
    TMainForm& f = Make();
    NewSeason(2);
    ASSERT_NE(f.Pennant(), nullptr);

    // Cancel keeps everything.
    Dialogs.Answers.push_back(IDialogService::TAnswer::Cancel);
    EXPECT_FALSE(f.CloseSeason(false));
    EXPECT_NE(f.Pennant(), nullptr);
    EXPECT_EQ(Dialogs.Log.last(), QStringLiteral("ask:編集中のデータを保存しますか？"));

    // Yes with a cancelled save dialog keeps the season too.
    Dialogs.Answers.push_back(IDialogService::TAnswer::Yes);
    EXPECT_FALSE(f.CloseSeason(false));
    EXPECT_NE(f.Pennant(), nullptr);
    EXPECT_EQ(Dialogs.Log.last(), QStringLiteral("save"));

    // Exit asks too; the cancelled save dialog keeps the program running.
    Dialogs.Answers.push_back(IDialogService::TAnswer::Yes);
    EXPECT_FALSE(f.close());
    EXPECT_NE(f.Pennant(), nullptr);

    // Yes with a file name saves, then closes.
    const fs::path saved = Dir / "data" / "saved.qvk";
    Dialogs.Answers.push_back(IDialogService::TAnswer::Yes);
    Dialogs.FileNames.push_back(QString::fromStdString(saved.string()));
    EXPECT_TRUE(f.CloseSeason(false));
    EXPECT_EQ(f.Pennant(), nullptr);
    EXPECT_TRUE(fs::exists(saved));
    EXPECT_EQ(f.FileName(), QString());

    // No closes without saving.
    NewSeason(2);
    Dialogs.Answers.push_back(IDialogService::TAnswer::No);
    EXPECT_TRUE(f.CloseSeason(false));
    EXPECT_EQ(f.Pennant(), nullptr);
}

TEST_F(MainForm, FailedSaveInsideCloseKeepsTheSeason) {
    TMainForm& f = Make();
    NewSeason(0);
    Dialogs.Answers.push_back(IDialogService::TAnswer::Yes);
    Dialogs.FileNames.push_back(QString::fromStdString((Dir / "no" / "such" / "x.qvk").string()));
    EXPECT_FALSE(f.CloseSeason(false));
    EXPECT_EQ(Dialogs.Log.last(), QStringLiteral("error:ファイルの保存に失敗しました。\r\n(フォルダがありません)"));
    EXPECT_NE(f.Pennant(), nullptr);
    EXPECT_EQ(f.Pennant()->Modified, 1);

    // Save As to an unwritable place: the message, still modified, no file name.
    Dialogs.FileNames.push_back(QString::fromStdString((Dir / "no" / "x.qvk").string()));
    f.MISaveAsClick();
    EXPECT_EQ(Dialogs.Log.last(), QStringLiteral("error:ファイルの保存に失敗しました。\r\n(フォルダがありません)"));
    EXPECT_EQ(f.Pennant()->Modified, 1);
    EXPECT_FALSE(f.Items().MISave->isEnabled());
}

// Two instances of the program on one season, and a file replaced under an
// open season: no save silently overwrites a change made elsewhere.
TEST_F(MainForm, ASaveNeverOverwritesAChangeMadeElsewhere) {
    const std::string path = SampleCopy();
    const QString file = QString::fromStdString(path);
    auto matchesOnDisk = [&] {
        std::unique_ptr<TPennant> p;
        std::unique_ptr<TFight> m;
        EXPECT_TRUE(LoadSeason(path, p, m));
        return m ? m->MatchCount() : -1;
    };
    const int all = matchesOnDisk();
    ASSERT_GT(all, 0);
    TMainForm& first = Make();
    Dialogs.FileNames.push_back(file);
    first.MIOpenClick();
    ASSERT_NE(first.Pennant(), nullptr);

    // The second instance is told the season is open elsewhere and opens it read-only.
    TMainForm second(Dialogs, Program);
    Dialogs.FileNames.push_back(file);
    Dialogs.YesNo.push_back(true);
    second.MIOpenClick();
    ASSERT_NE(second.Pennant(), nullptr);
    EXPECT_TRUE(Dialogs.Log.last().startsWith("yesno:「sample.qvk」は別のタブローラ ("))
        << Dialogs.Log.last().toStdString();
    EXPECT_TRUE(second.windowTitle().endsWith(" (読み取り専用)"));

    // The first clears the games and saves; the second's save goes through the
    // save dialog, and saving over the first's file is asked about: No.
    first.Fight()->Clear();
    first.Pennant()->Modified = 1;
    first.MISaveClick();
    EXPECT_EQ(first.Pennant()->Modified, 0);
    EXPECT_EQ(matchesOnDisk(), 0);
    second.Pennant()->Modified = 1;
    Dialogs.FileNames.push_back(file);
    Dialogs.YesNo.push_back(false);
    second.MISaveClick();
    EXPECT_TRUE(Dialogs.Log.last().contains("上書きしますか？")) << Dialogs.Log.last().toStdString();
    EXPECT_EQ(matchesOnDisk(), 0); // the first one's change stands
    EXPECT_EQ(second.Pennant()->Modified, 1);

    // Another program replaces the file: saving over it asks, Cancel by default.
    std::string sample;
    ASSERT_TRUE(ReadWholeFile(SamplePath(), sample));
    ASSERT_TRUE(WriteFileAtomically(path, sample));
    first.Pennant()->Modified = 1;
    const QString changed =
        "choice:「sample.qvk」は開いた後にほかで変更されています。\r\n上書きすると、その変更は失われます。 "
        "[上書きする/名前を付けて保存/キャンセル] 2";
    first.MISaveClick(); // closed without a choice
    EXPECT_EQ(Dialogs.Log.last(), changed);
    EXPECT_EQ(matchesOnDisk(), all);
    Dialogs.Choices.push_back(1); // under another name
    const QString other = QString::fromStdString((Dir / "data" / "other.qvk").string());
    Dialogs.FileNames.push_back(other);
    first.MISaveClick();
    EXPECT_EQ(first.FileName(), other);
    EXPECT_EQ(matchesOnDisk(), all);
    EXPECT_TRUE(fs::exists(other.toStdString()));
    // Back on the replaced file: overwrite, when the user says so.
    Dialogs.FileNames.push_back(file);
    Dialogs.YesNo.push_back(true); // the second instance still has it open
    first.MISaveAsClick();
    EXPECT_EQ(first.FileName(), file);
    EXPECT_EQ(matchesOnDisk(), 0);
    ASSERT_TRUE(WriteFileAtomically(path, sample));
    first.Pennant()->Modified = 1;
    Dialogs.Choices.push_back(0);
    first.MISaveClick();
    EXPECT_EQ(matchesOnDisk(), 0);
    EXPECT_EQ(first.Pennant()->Modified, 0);
}

// Alt and a letter reach one command: no two items of one menu share their
// underlined letter (with two, Alt+F, P once ran neither), in any menu of the
// main window, with and without a season open.
TEST_F(MainForm, NoMenuUsesALetterTwice) {
    TMainForm& f = Make();
    auto check = [&](const char* when) {
        std::vector<QMenu*> menus;
        for (QAction* top : f.menuBar()->actions())
            if (top->menu())
                menus.push_back(top->menu());
        int checked = 0;
        for (size_t i = 0; i < menus.size(); ++i) {
            QMenu* menu = menus[i];
            emit menu->aboutToShow(); // menus that make their items when they open
            std::map<QChar, QString> letters;
            for (QAction* a : menu->actions()) {
                if (a->menu())
                    menus.push_back(a->menu());
                const QString text = a->text();
                for (qsizetype at = text.indexOf('&'); at >= 0 && at + 1 < text.size();
                     at = text.indexOf('&', at + 2)) {
                    if (text[at + 1] == '&')
                        continue;
                    const QChar letter = text[at + 1].toUpper();
                    EXPECT_FALSE(letters.count(letter))
                        << when << ": " << menu->title().toStdString() << ": " << letters[letter].toStdString()
                        << " and " << text.toStdString();
                    letters[letter] = text;
                    ++checked;
                    break;
                }
            }
        }
        EXPECT_GT(checked, 25) << when;
    };
    check("no season");
    Dialogs.FileNames.push_back(QString::fromStdString(SampleCopy()));
    f.MIOpenClick();
    ASSERT_NE(f.Pennant(), nullptr);
    check("the sample season");
    EXPECT_EQ(f.Items().MIPrint->text(), QStringLiteral("印刷(&T)..."));
    EXPECT_EQ(f.Items().MISettei->text(), QStringLiteral("チーム情報設定(&P)"));
}

TEST_F(MainForm, OpenReportsAnUnreadableFile) {
    TMainForm& f = Make();
    std::ofstream(Dir / "data" / "bad.qvk") << "QVKDATA";
    Dialogs.FileNames.push_back(QString::fromStdString((Dir / "data" / "bad.qvk").string()));
    f.MIOpenClick();
    EXPECT_EQ(Dialogs.Log.last(), QStringLiteral("error:ファイルの読み込みに失敗しました。"));
    EXPECT_EQ(f.Pennant(), nullptr);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("タブローラ"));
    EXPECT_FALSE(f.Items().MISaveAs->isEnabled());

    // A cancelled open dialog changes nothing.
    f.MIOpenClick();
    EXPECT_EQ(Dialogs.Log.last(), QStringLiteral("open"));
}

TEST_F(MainForm, StartReopensTheLastFileSilently) {
    const std::string sample = SampleCopy();
    TMainForm& f = Make("[File]\nLast=" + sjis::FromUtf8(sample) + "\n");
    f.Start();
    ASSERT_NE(f.Pennant(), nullptr);
    EXPECT_EQ(f.FileName().toStdString(), sample);
    EXPECT_TRUE(f.Items().MISave->isEnabled());
    EXPECT_TRUE(f.Items().ToolJuni->isEnabled());

    Form.reset();
    TMainForm& g = Make("[File]\nLast=" + (Dir / "gone.qvk").string() + "\n");
    g.Start();
    EXPECT_EQ(g.Pennant(), nullptr);
    EXPECT_TRUE(Dialogs.Log.isEmpty()); // no message at start-up
    EXPECT_EQ(g.windowTitle(), QStringLiteral("タブローラ"));

    Form.reset();
    TMainForm& off = Make("[File]\nLast=" + sample + "\n[Option]\nZenkai=0\n");
    off.Start();
    EXPECT_EQ(off.Pennant(), nullptr);

    // A file given on the command line wins, and its failure is reported.
    Form.reset();
    TMainForm& arg = Make();
    arg.Start(QString::fromStdString((Dir / "missing.qvk").string()));
    EXPECT_EQ(Dialogs.Log.last(), QStringLiteral("error:ファイルの読み込みに失敗しました。"));
}

TEST_F(MainForm, ExitWritesTheSettingsWithTheLastFile) {
    const std::string sample = SampleCopy();
    TMainForm& f = Make("[Option]\nTMax=7\n[Mine]\nkeep=1\n");
    f.Start(QString::fromStdString(sample));
    f.Items().MIToolBar->trigger(); // hide the tool bar
    EXPECT_TRUE(f.close());
    const TIniFile ini = TIniFile::Load((Dir / "tablora.ini").string());
    EXPECT_EQ(ini.ReadString("File", "Last", ""), sample);
    EXPECT_EQ(ini.ReadInteger("Option", "TMax", 0), 7);
    EXPECT_EQ(ini.ReadString("View", "ToolBar", ""), "0");
    EXPECT_EQ(ini.ReadString("CoolBands", "Control1", ""), "ToolBar1");
    EXPECT_EQ(ini.ReadString("Mine", "keep", ""), "1");

    // The next start reads it back: the tool bar stays hidden.
    Form.reset();
    TMainForm& g = Make();
    EXPECT_FALSE(g.Items().MIToolBar->isChecked());
    g.Items().MIToolBar->trigger();
    EXPECT_TRUE(g.Items().MIToolBar->isChecked());
    EXPECT_FALSE(g.Items().ToolBar1->isHidden());
}

// Settings are never lost silently: a path Shift-JIS cannot hold reopens, a
// program folder that cannot take the file sends it to the user's folder,
// and a write that fails everywhere is reported.
TEST_F(MainForm, SettingsSurviveOddPathsAndClosedFolders) {
    fs::create_directories(Dir / "Müller");
    const fs::path season = Dir / "Müller" / "saison.qvk";
    fs::copy_file(SamplePath(), season);
    Make().Start(QString::fromStdString(season.string()));
    EXPECT_TRUE(Form->close());
    Form.reset();
    Make().Start();
    EXPECT_EQ(Form->FileName().toStdString(), season.string());

    EXPECT_TRUE(Form->close());
    Form.reset();
    fs::remove(Dir / "tablora.ini");
    fs::create_directories(Dir / "tablora.ini"); // the program's folder refuses the file
    Make().Start(QString::fromStdString(season.string()));
    EXPECT_TRUE(Form->close());
    EXPECT_TRUE(Dialogs.Log.isEmpty()) << Dialogs.Log.join(' ').toStdString();
    EXPECT_EQ(LastFilePath(
                  TIniFile::Load((Dir / "config" / "tablora" / "tablora.ini").string()).ReadString("File", "Last", "")),
              season.string());

    Form.reset();
    Make().Start(); // read from the user's folder
    EXPECT_EQ(Form->FileName().toStdString(), season.string());
    fs::remove_all(Dir / "config");
    std::ofstream(Dir / "config") << "a file where the folder should be";
    EXPECT_TRUE(Form->close());
    ASSERT_FALSE(Dialogs.Log.isEmpty());
    EXPECT_TRUE(Dialogs.Log.last().startsWith(QStringLiteral("error:設定ファイルの保存に失敗しました。\n")))
        << Dialogs.Log.last().toStdString();
}

// A season of hundreds of districts gets its menu entries in groups of 200,
// filled when a group is first opened; every entry still opens its view.
TEST_F(MainForm, HugeSeasonsGetGroupedViewMenus) {
    TPennant p;
    TFight none;
    TLeague& league = p.GetLeague(p.AddLeague());
    for (int d = 0; d < 450; ++d) {
        TDistrict& district = league.GetDistrict(league.AddDistrict());
        district.Name = "D" + std::to_string(d);
        district.GetTeam(district.AddTeam()).SetSymbol(std::to_string(d));
    }
    const std::string path = (Dir / "data" / "huge.qvk").string();
    ASSERT_TRUE(SaveSeason(path, &p, &none));
    TMainForm& f = Make();
    f.Start(QString::fromStdString(path));
    const QList<QAction*> groups = f.Items().MenuJuni->actions();
    ASSERT_EQ(groups.size(), 3);
    EXPECT_EQ(groups[1]->text(), QStringLiteral("201–400"));
    QMenu* second = groups[1]->menu();
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->isEmpty());
    emit second->aboutToShow();
    ASSERT_EQ(second->actions().size(), 200);
    EXPECT_EQ(second->actions()[5]->text(), QStringLiteral("&206.D205"));
    QSignalSpy standings(&f, &TMainForm::StandingsRequested);
    second->actions()[5]->trigger();
    ASSERT_EQ(standings.size(), 1);
    EXPECT_EQ(standings[0][0].toInt(), 205);
    EXPECT_EQ(f.Items().PopupTmJun->actions().size(), 3);

    // Closing the season empties the menus, groups and all.
    f.CloseSeason(false);
    EXPECT_TRUE(f.Items().MenuJuni->isEmpty());
    EXPECT_TRUE(f.Items().MenuJuni->findChildren<QMenu*>().isEmpty());
}

TEST_F(MainForm, NewSeasonFlow) {
    TMainForm& f = Make();
    // Cancelling the type dialog leaves no season.
    Dialogs.DialogHandlers.push_back(Reject());
    f.MINewClick();
    EXPECT_EQ(f.Pennant(), nullptr);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("タブローラ"));

    // Cancelling the editor frees the new season.
    Dialogs.DialogHandlers.push_back(Accept());
    Dialogs.DialogHandlers.push_back([](QDialog& d) {
        static_cast<TFmSettei&>(d).BtCancelClick();
        return d.result();
    });
    f.MINewClick();
    EXPECT_EQ(f.Pennant(), nullptr);
    EXPECT_FALSE(f.Items().MISaveAs->isEnabled());
    EXPECT_EQ(Dialogs.Log.filter("exec:").join("|"), QStringLiteral("exec:新規作成|exec:新規作成|exec:情報設定"));

    // Template 1 with OK: 2 leagues, 6 districts, 30 teams; the editor says "完了".
    Dialogs.DialogHandlers.push_back([](QDialog& d) {
        static_cast<TDlgNew&>(d).RGType->button(1)->setChecked(true);
        return int(QDialog::Accepted);
    });
    Dialogs.DialogHandlers.push_back([](QDialog& d) {
        auto& editor = static_cast<TFmSettei&>(d);
        EXPECT_EQ(editor.BtOk->text(), QStringLiteral("完了"));
        editor.BtOkClick();
        return d.result();
    });
    f.MINewClick();
    ASSERT_NE(f.Pennant(), nullptr);
    EXPECT_EQ(f.Pennant()->TotalDistrictCount(), 6);
    EXPECT_EQ(f.Pennant()->TotalTeamCount(), 30);
    EXPECT_EQ(f.Pennant()->Interleague, 1);
    EXPECT_EQ(f.Items().MenuJuni->actions().size(), 6);
    EXPECT_EQ(f.Items().MenuTmJun->actions()[9]->text(), QStringLiteral("10.デトロイトタイガース(&A)"));
    const std::string first = f.Pennant()->Checker;

    // Another new season asks to save the unsaved one first, and gets a new checker.
    Dialogs.Answers.push_back(IDialogService::TAnswer::No);
    NewSeason(2);
    EXPECT_EQ(f.Items().MenuNittei->actions().size(), 1);
    EXPECT_EQ(f.Items().MenuNittei->actions()[0]->text(), QStringLiteral("&1.△△△リーグ２００Ｘ"));
    EXPECT_EQ(f.Items().PopupJuni->actions()[0]->text(), QStringLiteral("&1.△△△リーグ２００Ｘ"));
    EXPECT_NE(f.Pennant()->Checker, first);
    EXPECT_EQ(f.Pennant()->Checker.size(), 8u);
}

TEST_F(MainForm, ViewEntriesAskForTheirIndex) {
    TMainForm& f = Make();
    f.Start(QString::fromStdString(SampleCopy()));
    QSignalSpy standings(&f, &TMainForm::StandingsRequested);
    QSignalSpy transition(&f, &TMainForm::TransitionRequested);
    QSignalSpy schedule(&f, &TMainForm::ScheduleRequested);
    f.Items().MenuJuni->actions()[1]->trigger();
    f.Items().PopupTmJun->actions()[7]->trigger();
    f.Items().ToolNittei->click();
    ASSERT_EQ(standings.count(), 1);
    EXPECT_EQ(standings[0][0].toInt(), 1);
    ASSERT_EQ(transition.count(), 1);
    EXPECT_EQ(transition[0][0].toInt(), 7);
    ASSERT_EQ(schedule.count(), 1);
    EXPECT_EQ(schedule[0][0].toInt(), 0);
    // The race per district, from the menu, its pop-up twin and the tool button.
    QSignalSpy race(&f, &TMainForm::RaceRequested);
    ASSERT_EQ(f.Items().PopupYusho->actions().size(), f.Items().MenuYusho->actions().size());
    f.Items().MenuYusho->actions()[1]->trigger();
    f.Items().ToolYusho->click();
    ASSERT_EQ(race.count(), 2);
    EXPECT_EQ(race[0][0].toInt(), 1);
    EXPECT_EQ(race[1][0].toInt(), 0);

    // Results registration starts at the first unplayed game (2026/07/14 in the sample).
    QSignalSpy results(&f, &TMainForm::ResultsEntryRequested);
    Dialogs.DialogHandlers.push_back([](QDialog& d) {
        EXPECT_EQ(static_cast<TFmKekka&>(d).PickedDay(), 46217.0);
        EXPECT_EQ(static_cast<TFmKekka&>(d).Entries.size(), 6u);
        return int(QDialog::Accepted);
    });
    f.Items().MIKekka->trigger();
    ASSERT_EQ(results.count(), 1);
    EXPECT_EQ(results[0][0].toDouble(), 46217.0);
    EXPECT_EQ(Dialogs.Log.last(), QStringLiteral("exec:ペナントレース結果登録"));
}

TEST_F(MainForm, ScheduleHeadToHeadAndVersusWindowsOpen) {
    TMainForm& f = Make();
    f.Start(QString::fromStdString(SampleCopy()));
    auto views = [&] {
        std::vector<QWidget*> found;
        for (QMdiSubWindow* w : f.Mdi()->subWindowList())
            found.push_back(w->widget());
        return found;
    };
    f.Items().MenuNittei->actions()[1]->trigger();
    f.Items().ToolNittei->click();
    f.Items().PopupTaisen->actions()[1]->trigger();
    ASSERT_EQ(views().size(), 3u);
    auto* schedule = qobject_cast<TFmNittei*>(views()[0]);
    ASSERT_NE(schedule, nullptr);
    EXPECT_EQ(schedule->TabLeague->currentIndex(), 1);
    EXPECT_EQ(qobject_cast<TFmNittei*>(views()[1])->TabLeague->currentIndex(), 0);
    auto* table = qobject_cast<TFmTaisen*>(views()[2]);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->TabTaisen->currentIndex(), 1);

    // A cell of the table opens that pairing beside it.
    ASSERT_FALSE(table->Layout().Hits().empty());
    const TTaisenHit hit = table->Layout().Hits()[0];
    table->ImgTaisenMouseUp(Qt::LeftButton, hit.Rect.center());
    ASSERT_EQ(views().size(), 4u);
    auto* versus = qobject_cast<TFmVersus*>(views()[3]);
    ASSERT_NE(versus, nullptr);
    EXPECT_EQ(versus->windowTitle(), QString::fromStdString(hit.RowSymbol + " vs " + hit.ColumnSymbol));
    EXPECT_GT(versus->Layout().Listed, 0);
}

// Without a mouse: the table takes the keyboard with its window, and Enter
// opens what a click opens, beside it.
TEST_F(MainForm, EnterOnATableOpensWhatAClickOpens) {
    TMainForm& f = Make();
    f.Start(QString::fromStdString(SampleCopy()));
    auto views = [&] {
        std::vector<QWidget*> found;
        for (QMdiSubWindow* w : f.Mdi()->subWindowList(QMdiArea::CreationOrder))
            found.push_back(w->widget());
        return found;
    };
    auto press = [](QWidget* target, int key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    };
    f.Items().MenuJuni->actions()[0]->trigger();
    ASSERT_EQ(views().size(), 1u);
    auto* standings = qobject_cast<TFmJuni*>(views()[0]);
    ASSERT_NE(standings, nullptr);
    EXPECT_EQ(standings->focusProxy(), standings->ImgJuni);
    press(standings->ImgJuni, Qt::Key_Down);
    press(standings->ImgJuni, Qt::Key_Down);
    press(standings->ImgJuni, Qt::Key_Return);
    ASSERT_EQ(views().size(), 2u);
    auto* transition = qobject_cast<TFmTmJuni*>(views()[1]);
    ASSERT_NE(transition, nullptr);
    const TTeam* third = f.Pennant()->TeamBySymbol(standings->Drawing().Calc()->Items(2).Symbol);
    EXPECT_EQ(transition->windowTitle(), Q(third->Name) + QStringLiteral("順位推移"));

    f.Items().MenuTaisen->actions()[0]->trigger();
    auto* table = qobject_cast<TFmTaisen*>(views().back());
    ASSERT_NE(table, nullptr);
    for (int i = 0; i < 3; ++i)
        press(table->ImgTaisen, Qt::Key_Right); // past the rank and name to the second team's column
    press(table->ImgTaisen, Qt::Key_Enter);
    auto* versus = qobject_cast<TFmVersus*>(views().back());
    ASSERT_NE(versus, nullptr);
    const TTaisenTable& t = table->Layout().Table;
    EXPECT_EQ(versus->windowTitle(), QString::fromStdString(t.RowSymbols[0] + " vs " + t.Opponents[1]));
}

TEST_F(MainForm, WindowMenuAndEditor) {
    TMainForm& f = Make();
    f.Start(QString::fromStdString(SampleCopy()));
    emit f.Items().MenuWindow->aboutToShow();
    EXPECT_FALSE(f.Items().MITileH->isEnabled());
    EXPECT_FALSE(f.Items().MICloseAll->isEnabled());
    auto* child = new QWidget;
    child->setWindowTitle(QStringLiteral("表"));
    f.Mdi()->addSubWindow(child)->show();
    emit f.Items().MenuWindow->aboutToShow();
    EXPECT_TRUE(f.Items().MITileH->isEnabled());
    EXPECT_EQ(f.Items().MenuWindow->actions().last()->text(), QStringLiteral("&1 表"));

    // The editor on a season with a file: its button reads "ＯＫ"; OK closes the views.
    Dialogs.DialogHandlers.push_back([](QDialog& d) {
        auto& editor = static_cast<TFmSettei&>(d);
        EXPECT_EQ(editor.BtOk->text(), QStringLiteral("ＯＫ"));
        editor.ENaiyo->setText(QStringLiteral("新しい題名"));
        editor.BtOkClick();
        return d.result();
    });
    f.MISetteiClick();
    EXPECT_TRUE(f.Mdi()->subWindowList().isEmpty());
    emit f.Items().MenuWindow->aboutToShow();
    EXPECT_EQ(f.Items().MenuWindow->actions().size(), 5); // the window list is gone, its separator too
    EXPECT_EQ(f.windowTitle(), QStringLiteral("タブローラ   【 新しい題名 】"));
    EXPECT_EQ(f.Pennant()->Modified, 1);
}

// The editor works on the live season while the views stay open behind it,
// and Cancel rebuilds the whole structure: no view may paint from what it kept.
TEST_F(MainForm, OpenViewsOutliveAnEditedAndRestoredSeason) {
    TMainForm& f = Make("[Form]\nTop=0\nLeft=0\nWidth=900\nHeight=700\n");
    f.show();
    f.Start(QString::fromStdString(SampleCopy()));
    const TMainItems& m = f.Items();
    for (QToolButton* tool : {m.ToolNittei, m.ToolJuni, m.ToolTaisen, m.ToolYusho, m.ToolTmJun})
        tool->click();
    ASSERT_EQ(f.Mdi()->subWindowList().size(), 5);
    for (QMdiSubWindow* w : f.Mdi()->subWindowList())
        w->resize(700, 500);
    auto paintAll = [&] {
        for (QMdiSubWindow* w : f.Mdi()->subWindowList())
            EXPECT_FALSE(w->widget()->grab().isNull());
    };
    Dialogs.DialogHandlers.push_back([&](QDialog& d) {
        TPennant& p = *f.Pennant();
        while (p.LeagueCount() > 0)
            p.DeleteLeague(0);
        paintAll();
        static_cast<TFmSettei&>(d).BtCancelClick();
        return d.result();
    });
    f.MISetteiClick();
    EXPECT_EQ(f.Mdi()->subWindowList().size(), 5);
    paintAll();
}

TEST_F(MainForm, MaximizedExitKeepsTheRestoredBounds) {
    TMainForm& f = Make("[Form]\nTop=20\nLeft=30\nWidth=700\nHeight=500\n");
    f.show();
    EXPECT_EQ(f.geometry(), QRect(30, 20, 700, 500));
    f.showMaximized();
    QApplication::processEvents();
    if (!f.isMaximized())
        GTEST_SKIP() << "this platform does not maximize windows";
    f.WriteSettingsFile();
    const TIniFile ini = TIniFile::Load((Dir / "tablora.ini").string());
    EXPECT_EQ(ini.ReadString("Form", "Max", ""), "1");
    EXPECT_EQ(ini.ReadInteger("Form", "Width", 0), 700);
    EXPECT_EQ(ini.ReadInteger("Form", "Left", 0), 30);

    // Read back: maximized again.
    Form.reset();
    TMainForm& g = Make();
    EXPECT_TRUE(g.windowState() & Qt::WindowMaximized);
}

TEST_F(MainForm, ChildWindowsOpenAndCascadeInsideTheWorkspace) {
    TMainForm& f = Make("[Form]\nTop=0\nLeft=0\nWidth=500\nHeight=400\n");
    f.show();
    f.Start(QString::fromStdString(SampleCopy()));
    const QRect work(QPoint(0, 0), f.Mdi()->viewport()->size());
    f.Views().OpenStandings(0);
    f.Views().OpenTransition(3);
    const QList<QMdiSubWindow*> windows = f.Mdi()->subWindowList(QMdiArea::CreationOrder);
    ASSERT_EQ(windows.size(), 2);
    const int step = windows[1]->contentsMargins().top();
    EXPECT_EQ(windows[0]->geometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(windows[1]->geometry().topLeft(), QPoint(step, step));
    for (QMdiSubWindow* w : windows)
        EXPECT_TRUE(work.contains(w->geometry())) << w->windowTitle().toStdString();
    EXPECT_EQ(windows[0]->width(), work.width()); // wider than the room: sized down

    // Tiled into strips, then cascaded: usable sizes again, still inside.
    const QSize opened = windows[0]->size();
    f.Items().MITileH->trigger();
    EXPECT_LT(windows[0]->height(), opened.height());
    f.Items().MICascade->trigger();
    EXPECT_EQ(windows[0]->height(), opened.height());
    EXPECT_EQ(windows[1]->geometry().topLeft(), QPoint(step, step));
    for (QMdiSubWindow* w : windows)
        EXPECT_TRUE(work.contains(w->geometry()));

    // Side by side: halves of the width, each the full height.
    f.Items().MITileV->trigger();
    EXPECT_EQ(windows[0]->geometry(), QRect(0, 0, work.width() / 2, work.height()));
    EXPECT_EQ(windows[1]->geometry(), QRect(work.width() / 2, 0, work.width() / 2, work.height()));
}

TEST(Dialogs, FixedFramesHaveNoMinimizeOrMaximizeButton) {
    TPennant pennant;
    BuildTemplate(TemplateJapan, pennant);
    TFight fight;
    TScriptedDialogs dialogs;
    TDlgNew newSeason;
    TFmSettei editor(pennant, fight, dialogs, QString());
    TFmVersion version;
    TFmJunjo order;
    for (QWidget* dialog : std::initializer_list<QWidget*>{&newSeason, &editor, &version, &order}) {
        const Qt::WindowFlags flags = dialog->windowFlags();
        EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint))
            << dialog->windowTitle().toStdString();
        EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
        EXPECT_TRUE(flags & Qt::WindowCloseButtonHint); // closing answers like Cancel
    }
}

TEST_F(MainForm, OptionsAndColorsCopyBackOnlyOnOk) {
    TMainForm& f = Make();
    const TAppSettings before = f.Settings();
    auto changeAll = [&f](QDialog& d) {
        auto& o = static_cast<TFmOption&>(d);
        EXPECT_EQ(o.parentWidget(), &f); // centred on the main window
        o.ChkZenkai->setChecked(false);
        o.UDTMax->setValue(3);
        o.RBTab[2]->setChecked(true);
        o.ChkSuspend->setChecked(true);
        o.ChkOther->setChecked(true);
    };
    Dialogs.DialogHandlers.push_back([&](QDialog& d) {
        changeAll(d);
        return int(QDialog::Rejected);
    });
    f.Items().MIOption->trigger();
    EXPECT_EQ(WriteSettings(f.Settings()).Serialize(), WriteSettings(before).Serialize());
    Dialogs.DialogHandlers.push_back([&](QDialog& d) {
        changeAll(d);
        return int(QDialog::Accepted);
    });
    f.Items().MIOption->trigger();
    EXPECT_FALSE(f.Settings().Zenkai);
    EXPECT_EQ(f.Settings().TMax, 3);
    EXPECT_EQ(f.Settings().TTab, 2);
    EXPECT_TRUE(f.Settings().Suspend && f.Settings().Other);

    // Colors: a chosen color and a page reset, cancelled, then confirmed.
    const TAppSettings options = f.Settings();
    f.Settings().Char1 = 0x123456;
    Dialogs.Colors = {QColor(255, 0, 0), QColor(0, 255, 0)};
    auto work = [](QDialog& d) {
        auto& c = static_cast<TFmColor&>(d);
        EXPECT_EQ(c.windowTitle(), QStringLiteral("色の設定"));
        c.CBLine1->Click();
        c.BtnDflt[0]->click(); // undoes it, and Char1 goes back to the window text color
        c.CBUp->Click();
    };
    Dialogs.DialogHandlers.push_back([&](QDialog& d) {
        work(d);
        return int(QDialog::Rejected);
    });
    f.Items().MIColor->trigger();
    EXPECT_EQ(f.Settings().Char1, 0x123456);
    EXPECT_EQ(f.Settings().Up, options.Up);
    Dialogs.Colors = {QColor(0, 0, 255), QColor(0, 255, 0)};
    Dialogs.DialogHandlers.push_back([&](QDialog& d) {
        work(d);
        return int(QDialog::Accepted);
    });
    f.Items().MIColor->trigger();
    EXPECT_EQ(Dialogs.LastColorOffered, QColor(0, 0, 255)); // remembered from the last opening
    EXPECT_EQ(f.Settings().Char1, SysColorWindowText);
    EXPECT_EQ(f.Settings().Up, 0x00FF00);
    EXPECT_EQ(f.Settings().Line1, options.Line1);
}

namespace {
std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
} // namespace

// Saving, copying and printing the active table: only with a table view
// active; the saved picture is the one render writes; a failed save keeps the
// older file; print pages never end inside a text.
TEST_F(MainForm, PublishTheActiveTable) {
    TMainForm& f = Make();
    f.Start(QString::fromStdString(SampleCopy()));
    EXPECT_FALSE(f.Items().MIImage->isEnabled());
    f.Views().OpenTransition(0);
    QApplication::processEvents();
    ASSERT_TRUE(f.Items().MIImage->isEnabled());
    EXPECT_TRUE(f.Items().MICopy->isEnabled() && f.Items().MIPrint->isEnabled());

    const fs::path saved = Dir / "saved.png", rendered = Dir / "rendered.png";
    Dialogs.FileNames.push_back(QString::fromStdString(saved.string()));
    f.MIImageClick();
    const std::string render = std::string(TABLORA_BINARY_DIR) + "/bin/tablora-cli render " + SampleCopy() +
                               " --view transition --index 0 --title --out " + rendered.string();
    ASSERT_EQ(std::system(render.c_str()), 0);
    const QImage mine(QString::fromStdString(saved.string())), theirs(QString::fromStdString(rendered.string()));
    ASSERT_FALSE(mine.isNull());
    EXPECT_EQ(mine.convertToFormat(QImage::Format_RGB32), theirs.convertToFormat(QImage::Format_RGB32));

    // A file that may not grow past 64 bytes: the save fails and the old picture stays.
    const std::string before = Slurp(saved);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &small);
    Dialogs.FileNames.push_back(QString::fromStdString(saved.string()));
    f.MIImageClick();
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_TRUE(Dialogs.Log.back().startsWith("error:ファイルの保存に失敗しました。\r\n("))
        << Dialogs.Log.back().toStdString();
    EXPECT_EQ(Slurp(saved), before);

    // Printed on pages a third of the table's height: several pages, none cut inside a text.
    auto* view = dynamic_cast<ITableView*>(f.Mdi()->activeSubWindow()->widget());
    ASSERT_NE(view, nullptr);
    const TTablePicture picture = view->Picture();
    const std::vector<TPageSlice> pages = PictureSlices(picture, picture.Size.height() / 3);
    ASSERT_GE(pages.size(), 3u);
    TRecordingCanvas canvas(QRect(QPoint(0, 0), picture.Parts.back().Table->Size()));
    picture.Parts.back().Table->Paint(canvas);
    const int offset = picture.Parts.back().Offset.y();
    for (const TPageSlice& page : pages)
        for (const TDrawnText& text : canvas.Texts())
            EXPECT_FALSE(text.Rect.top() + offset < page.Bottom && text.Rect.bottom() + offset >= page.Bottom)
                << text.Text.toStdString() << " cut at " << page.Bottom;
    QPdfWriter pdf(QString::fromStdString((Dir / "print.pdf").string()));
    EXPECT_GE(PrintTablePicture(pdf, picture), 1);

    f.Views().CloseAll();
    QApplication::processEvents();
    EXPECT_FALSE(f.Items().MIImage->isEnabled());
}

// Pages end as low as they can without cutting into a span; a span taller
// than a page is cut where the page ends.
TEST(TablePages, SplitIntoPages) {
    struct TCase {
        int Height;
        std::vector<TSpan> Whole;
        int PageHeight;
        std::vector<TPageSlice> Pages;
    } cases[] = {
        {0, {}, 10, {}},
        {25, {}, 10, {{0, 10}, {10, 20}, {20, 25}}},
        {25, {{8, 12}}, 10, {{0, 8}, {8, 18}, {18, 25}}},
        {25, {{8, 12}, {11, 15}}, 10, {{0, 8}, {8, 18}, {18, 25}}},
        {25, {{0, 30}}, 10, {{0, 10}, {10, 20}, {20, 25}}},
        {20, {{5, 10}, {10, 15}}, 12, {{0, 10}, {10, 20}}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(SplitIntoPages(c.Height, c.Whole, c.PageHeight), c.Pages) << c.Height << "/" << c.PageHeight;
}
