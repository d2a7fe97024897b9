// The match data commands of the main window: export, import and clear.
#include "core/io/MatchText.h"
#include "core/io/SeasonFile.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "gui/app/MainMenus.h"
#include "gui/app/UMain.h"
#include "gui/app/ViewOpener.h"
#include "tests/gui/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QToolButton>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

const QString kRefused = QStringLiteral("entry:チェッカーが異なります。\r\n該当データは取り込めません。");
const QString kOlder = QStringLiteral("yesno:取り込みデータが古い可能性があります\r\n処理を続行しますか？");
const QString kClear = QStringLiteral("ask:対戦データをクリアします。\r\n現在のデータを保存しますか？");

// The sample season opened from a program folder of the test's own.
class MatchTextCommands : public ::testing::Test {
protected:
    void SetUp() override {
        Dir = Folder.Path();
        fs::create_directories(Dir / "data");
        const fs::path copy = Dir / "data" / "sample.qvk";
        fs::copy_file(std::string(TABLORA_SOURCE_DIR) + "/resources/sample.qvk", copy);
        Form = std::make_unique<TMainForm>(Dialogs, QString::fromStdString((Dir / "tablora").string()));
        Form->Start(QString::fromStdString(copy.string()));
        ASSERT_NE(Form->Pennant(), nullptr);
        Original = EncodeMatchText(*Form->Pennant(), *Form->Fight());
        Dialogs.Log.clear();
    }
    void TearDown() override { Form.reset(); }
    QString Path(const std::string& name) const { return QString::fromStdString((Dir / "data" / name).string()); }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Dir / "data" / name, std::ios::binary) << bytes;
    }
    std::string Matches() const { return EncodeMatchText(*Form->Pennant(), *Form->Fight()); }
    // Export, view and clear commands enabled as one, import always with a season.
    bool HasMatchCommands() const {
        const bool on = Form->Items().MIKakidasi->isEnabled();
        EXPECT_EQ(Form->Items().MIClear->isEnabled(), on);
        EXPECT_EQ(Form->Items().ToolJuni->isEnabled(), on);
        EXPECT_TRUE(Form->Items().MITorikomi->isEnabled());
        return on;
    }

    TTempFolder Folder;
    fs::path Dir;
    TScriptedDialogs Dialogs;
    std::unique_ptr<TMainForm> Form;
    std::string Original;
};

} // namespace

TEST_F(MatchTextCommands, ExportClearAndImportGiveTheSeasonBack) {
    TMainForm& f = *Form;
    f.Views().OpenStandings(0);
    Dialogs.FileNames.push_back(Path("out.txt"));
    f.Items().MIKakidasi->trigger();
    EXPECT_EQ(Dialogs.Log, QStringList{"save"});
    EXPECT_EQ(Dialogs.LastFolder, QString::fromStdString((Dir / "data").string()));
    std::string exported;
    ASSERT_TRUE(ReadWholeFile(Path("out.txt").toStdString(), exported));
    EXPECT_EQ(exported, Original);
    EXPECT_EQ(f.Pennant()->Modified, 0); // exporting changes nothing

    // Clear, writing the games out first.
    Dialogs.Answers.push_back(IDialogService::TAnswer::Yes);
    Dialogs.FileNames.push_back(Path("kept.txt"));
    f.Items().MIClear->trigger();
    QApplication::processEvents();
    std::string kept;
    ASSERT_TRUE(ReadWholeFile(Path("kept.txt").toStdString(), kept));
    EXPECT_EQ(kept, Original);
    EXPECT_TRUE(f.Mdi()->subWindowList().isEmpty()); // views closed first
    EXPECT_EQ(f.Fight()->MatchCount(), 0);
    EXPECT_EQ(f.Fight()->LastUpdate, 0);
    EXPECT_EQ(f.Pennant()->Modified, 1);
    EXPECT_FALSE(HasMatchCommands());

    // The cleared season is never updated, so no question. The games of a day
    // come back in the season's team order.
    Dialogs.Log.clear();
    Dialogs.FileNames.push_back(Path("out.txt"));
    f.Items().MITorikomi->trigger();
    EXPECT_EQ(Dialogs.Log, QStringList{"open"});
    std::unique_ptr<TPennant> pennant;
    std::unique_ptr<TFight> renumbered;
    ASSERT_TRUE(LoadSeason(f.FileName().toStdString(), pennant, renumbered));
    RenumberGames(*pennant, *renumbered);
    EXPECT_EQ(Matches(), EncodeMatchText(*pennant, *renumbered));
    EXPECT_TRUE(HasMatchCommands());

    // Importing the same file again: equal to the second, still no question.
    f.Pennant()->Modified = 0;
    Dialogs.Log.clear();
    Dialogs.FileNames.push_back(Path("out.txt"));
    f.Items().MITorikomi->trigger();
    EXPECT_EQ(Dialogs.Log, QStringList{"open"});
    EXPECT_EQ(f.Pennant()->Modified, 1);
}

TEST_F(MatchTextCommands, RefusalsAndQuestionsLeaveTheSeasonAsItWas) {
    TMainForm& f = *Form;
    const std::string game = "2026/04/01  YG  3 - 2  T    \r\n";
    Write("other.txt", "t\r\nSample26 \r\nLastUpdate:2030/01/01 00:00:00\r\n" + game);
    Write("old.txt", "t\r\nSample26\r\nLastUpdate:2026/07/12 22:14:59\r\n" + game);
    Write("nodate.txt", "t\r\nSample26\r\nLastUpdate:\r\n" + game);
    // A record one column short after a good one: nothing is imported.
    Write("short.txt",
          "t\r\nSample26\r\nLastUpdate:2030/01/01 00:00:00\r\n" + game + "2026/04/01 YG  3 - 2  T   X\r\n");
    fs::create_directories(Dir / "data" / "folder.txt");

    struct {
        QString File;
        std::deque<bool> YesNo;
        QStringList Log;
    } refused[] = {
        {Path("other.txt"), {}, {"open", kRefused}},     // a trailing space is another checker
        {Path("old.txt"), {false}, {"open", kOlder}},    // one second older: No
        {Path("nodate.txt"), {false}, {"open", kOlder}}, // no time: taken as 0
        {Path("missing.txt"), {}, {"open", "error:ファイルの読み込みに失敗しました。\r\n(ファイルがありません)"}},
        {Path("folder.txt"),
         {},
         {"open",
          "error:ファイルの読み込みに失敗しました。\r\n(通常のファイルではありません (フォルダや特殊なファイルです))"}},
        {Path("short.txt"),
         {},
         {"open", "entry:読み込めない行が1行あります (最初は5行目)。\r\n対戦データは取り込みませんでした。"}},
        {QString(), {}, {"open"}}, // cancelled
    };
    for (const auto& r : refused) {
        Dialogs.Log.clear();
        Dialogs.FileNames.push_back(r.File);
        Dialogs.YesNo = r.YesNo;
        f.Items().MITorikomi->trigger();
        EXPECT_EQ(Dialogs.Log, r.Log) << r.File.toStdString();
        EXPECT_EQ(Matches(), Original) << r.File.toStdString();
        EXPECT_EQ(f.Pennant()->Modified, 0);
    }

    // Yes to the question replaces the whole list.
    Dialogs.FileNames.push_back(Path("old.txt"));
    Dialogs.YesNo.push_back(true);
    f.Items().MITorikomi->trigger();
    ASSERT_EQ(f.Fight()->MatchCount(), 1);
    EXPECT_EQ(f.Fight()->GetMatch(0).HomeSymbol.Text(), "YG");
    EXPECT_EQ(f.Pennant()->Modified, 1);
    EXPECT_TRUE(HasMatchCommands());
}

TEST_F(MatchTextCommands, ClearAnswers) {
    TMainForm& f = *Form;
    // Cancel: nothing happens.
    Dialogs.Answers.push_back(IDialogService::TAnswer::Cancel);
    f.Items().MIClear->trigger();
    EXPECT_EQ(Dialogs.Log, QStringList{kClear});
    EXPECT_EQ(Matches(), Original);

    // Yes, and the export fails: the data the user wanted kept stay.
    Dialogs.Log.clear();
    Dialogs.Answers.push_back(IDialogService::TAnswer::Yes);
    Dialogs.FileNames.push_back(Path("no/such/folder.txt"));
    f.Items().MIClear->trigger();
    EXPECT_EQ(Dialogs.Log,
              (QStringList{kClear, "save", "error:ファイルの書き出しに失敗しました。\r\n(フォルダがありません)"}));
    EXPECT_EQ(Matches(), Original);
    EXPECT_EQ(f.Pennant()->Modified, 0);

    // Yes, then the save dialog cancelled: cleared all the same.
    Dialogs.Log.clear();
    Dialogs.Answers.push_back(IDialogService::TAnswer::Yes);
    f.Items().MIClear->trigger();
    EXPECT_EQ(Dialogs.Log, (QStringList{kClear, "save"}));
    EXPECT_EQ(f.Fight()->MatchCount(), 0);
    EXPECT_EQ(f.Pennant()->Modified, 1);
    EXPECT_FALSE(HasMatchCommands());
}
