// The match data commands of the main window: export, import and clear.
#include "core/base/DayNumber.h"
#include "core/io/MatchImport.h"
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
const QString kHow = QStringLiteral("choice:取り込む試合をどう入れますか？\r\n"
                                    "置き換え: シーズンの試合をすべてファイルの試合にします。\r\n"
                                    "追加: ファイルにある日の試合だけを入れ替え、ほかの日はそのままにします。"
                                    " [置き換え/追加/キャンセル] 0");
const QString kNotImported = QStringLiteral("\r\n対戦データは取り込みませんでした。");

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

    // Importing the same file again: equal to the second, no question of
    // age, but the season has games now: replace them or merge?
    f.Pennant()->Modified = 0;
    Dialogs.Log.clear();
    Dialogs.FileNames.push_back(Path("out.txt"));
    Dialogs.Choices.push_back(0);
    f.Items().MITorikomi->trigger();
    EXPECT_EQ(Dialogs.Log, (QStringList{"open", kHow}));
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

    Write("empty.csv", "");
    Write("notes.txt", "shopping list\r\n");
    Write("picture.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16));
    Write("bad.csv", "日付,ホーム,ビジター,ホーム得点,ビジター得点\r\n"
                     "2026/04/01,巨人,阪神,3,x\r\n"
                     "2026/04/01,巨人,ヤクルトス,3,1\r\n"
                     "2026/04/02,巨人,阪神,3,1\r\n");

    struct {
        QString File;
        std::deque<bool> YesNo;
        QStringList Log;
        std::deque<int> Choices = {};
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
         {"open",
          "entry:読み込めない行が1行あります (最初は5行目)。\r\n5行目: 行が短すぎます (27バイト、28バイト必要)" +
              kNotImported}},
        {QString(), {}, {"open"}},                               // cancelled
        {Path("old.txt"), {true}, {"open", kOlder, kHow}, {2}},  // older, Yes, then キャンセル
        {Path("old.txt"), {true}, {"open", kOlder, kHow}, {-1}}, // the question closed
        {Path("empty.csv"), {}, {"open", "entry:ファイルが空です。" + kNotImported}},
        {Path("picture.png"), {}, {"open", "entry:テキストファイルではありません。" + kNotImported}},
        {Path("notes.txt"),
         {},
         {"open",
          "entry:対戦データとして読める形式 (対戦データテキスト、見出し行のある CSV、ゲームログ) ではありません。" +
              kNotImported}},
        {Path("bad.csv"),
         {},
         {"open", "entry:読み込めない行が2行あります (最初は2行目)。\r\n"
                  "2行目: 得点「x」が数字ではありません\r\n"
                  "3行目: チーム「ヤクルトス」が見つかりません" +
                      kNotImported}},
    };
    for (const auto& r : refused) {
        Dialogs.Log.clear();
        Dialogs.FileNames.push_back(r.File);
        Dialogs.YesNo = r.YesNo;
        Dialogs.Choices = r.Choices;
        f.Items().MITorikomi->trigger();
        EXPECT_EQ(Dialogs.Log, r.Log) << r.File.toStdString();
        EXPECT_EQ(Matches(), Original) << r.File.toStdString();
        EXPECT_EQ(f.Pennant()->Modified, 0);
    }

    // Yes to the question, then 置き換え, replaces the whole list.
    Dialogs.FileNames.push_back(Path("old.txt"));
    Dialogs.YesNo.push_back(true);
    Dialogs.Choices.push_back(0);
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

// A CSV out by its name, a daily CSV merged back in by 追加, and a game log
// into a season whose teams it does not know.
TEST_F(MatchTextCommands, CsvExportAndDailyMerge) {
    TMainForm& f = *Form;
    Dialogs.FileNames.push_back(Path("season.csv"));
    f.Items().MIKakidasi->trigger();
    EXPECT_EQ(Dialogs.Log, QStringList{"save"});
    std::string csv;
    ASSERT_TRUE(ReadWholeFile(Path("season.csv").toStdString(), csv));
    EXPECT_EQ(csv, EncodeMatchCsv(*f.Pennant(), *f.Fight()));

    // The first day's results as a website gives them: that day only changes.
    Write("day.csv", "Date,Visitor,Home,Visitor_Score,Home_Score\r\n2026-03-27,ヤクルト,阪神,1,0\r\n");
    Dialogs.Log.clear();
    Dialogs.FileNames.push_back(Path("day.csv"));
    Dialogs.Choices.push_back(1);
    f.Items().MITorikomi->trigger();
    EXPECT_EQ(Dialogs.Log, (QStringList{"open", kHow}));
    EXPECT_EQ(f.Fight()->MatchCount(), 762 - 6 + 1);
    EXPECT_EQ(MatchLine(f.Fight()->GetMatch(0), true), "2026/03/27   T  0 - 1  S    ");
    EXPECT_FALSE(days::SameDay(f.Fight()->GetMatch(1).GameDate, f.Fight()->GetMatch(0).GameDate));
    EXPECT_EQ(f.Pennant()->Modified, 1);

    // The season's CSV back with 置き換え: the season as it was.
    Dialogs.Log.clear();
    Dialogs.FileNames.push_back(Path("season.csv"));
    Dialogs.Choices.push_back(0);
    f.Items().MITorikomi->trigger();
    EXPECT_EQ(EncodeMatchCsv(*f.Pennant(), *f.Fight()), csv);

    // The 2001 log names no team of this season: refused, line by line.
    fs::copy_file(std::string(TABLORA_TEST_DATA) + "/GL2001-excerpt.TXT", Dir / "data" / "GL2001.TXT");
    Dialogs.Log.clear();
    Dialogs.FileNames.push_back(Path("GL2001.TXT"));
    f.Items().MITorikomi->trigger();
    ASSERT_EQ(Dialogs.Log.size(), 2);
    EXPECT_TRUE(Dialogs.Log[1].startsWith("entry:読み込めない行が4行あります (最初は1行目)。\r\n"
                                          "1行目: チーム「TEX」が見つかりません\r\n"))
        << Dialogs.Log[1].toStdString();
    EXPECT_EQ(EncodeMatchCsv(*f.Pennant(), *f.Fight()), csv);
}
