// tablora-cli export and import.
#include "cli/CliCommands.h"
#include "core/io/MatchText.h"
#include "core/io/SeasonFile.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "tests/support/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class MatchTextCli : public ::testing::Test {
protected:
    void SetUp() override {
        Dir = Folder.Path();
        Season = P("s.qvk");
        fs::copy_file(std::string(TABLORA_SOURCE_DIR) + "/resources/sample.qvk", Season);
    }
    std::string P(const std::string& name) const { return (Dir / name).string(); }
    int Run(std::vector<std::string> args) {
        std::ostringstream out, err;
        const int code = RunCli(args, out, err);
        Out = out.str();
        Err = err.str();
        return code;
    }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Dir / name, std::ios::binary) << bytes;
    }
    int MatchCount(const std::string& path) const {
        std::unique_ptr<TPennant> p;
        std::unique_ptr<TFight> f;
        return LoadSeason(path, p, f) ? f->MatchCount() : -1;
    }

    TTempFolder Folder;
    fs::path Dir;
    std::string Season, Out, Err;
};

} // namespace

TEST_F(MatchTextCli, ExportAndImportBack) {
    ASSERT_EQ(Run({"export", Season, "--out", P("m.txt")}), 0) << Err;
    EXPECT_EQ(Out, P("m.txt") + ": 対戦データを書き出しました (試合 762)\n");
    std::string text;
    ASSERT_TRUE(ReadWholeFile(P("m.txt"), text));
    EXPECT_EQ(text.substr(text.find("\r\n") + 2, 32), "Sample26\r\nLastUpdate:2026/07/12 ");

    // Into a new file, then over the season itself (written atomically).
    ASSERT_EQ(Run({"import", Season, P("m.txt"), "--out", P("new.qvk")}), 0) << Err;
    EXPECT_EQ(MatchCount(P("new.qvk")), 762);
    ASSERT_EQ(Run({"import", Season, P("m.txt"), "--out", Season}), 0) << Err;
    EXPECT_EQ(MatchCount(Season), 762);
    std::string newBytes, seasonBytes;
    ASSERT_TRUE(ReadWholeFile(P("new.qvk"), newBytes) && ReadWholeFile(Season, seasonBytes));
    EXPECT_EQ(newBytes, seasonBytes);
}

TEST_F(MatchTextCli, RefusalsAndFailures) {
    const std::string game = "2026/04/01  YG  3 - 2  T    \r\n";
    Write("other.txt", "t\r\nSample26 \r\nLastUpdate:2030/01/01 00:00:00\r\n" + game);
    Write("old.txt", "t\r\nSample26\r\nLastUpdate:2026/07/12 22:14:59\r\n" + game);
    // Records one column short: no line is a record, and --force does not change that.
    Write("short.txt", "t\r\nSample26\r\nLastUpdate:2030/01/01 00:00:00\r\n" + game +
                           "2026/04/01 YG  3 - 2  T   X\r\n" + "            C    -    G   X\r\n");
    const struct {
        std::vector<std::string> Args;
        int Code;
        const char* Says; // on stderr
    } cases[] = {
        {{"import", Season, P("other.txt"), "--out", P("o.qvk")}, 1, "チェッカーが異なります"},
        {{"import", Season, P("old.txt"), "--out", P("o.qvk")}, 1, "--force"},
        {{"import", Season, P("none.txt"), "--out", P("o.qvk")}, 1, "読み込めませんでした (ファイルがありません)"},
        {{"import", Season, Dir.string(), "--out", P("o.qvk")},
         1,
         "読み込めませんでした (通常のファイルではありません"},
        {{"import", Season, P("short.txt"), "--out", P("o.qvk")}, 1, "読み込めない行が2行あります (最初は5行目)"},
        {{"import", Season, P("short.txt"), "--out", P("o.qvk"), "--force"}, 1, "取り込みませんでした"},
        {{"import", P("none.qvk"), P("old.txt"), "--out", P("o.qvk")}, 1, "none.qvk"},
        {{"export", Season, "--out", P("no/such/m.txt")}, 1, "書き出せませんでした (フォルダがありません)"},
        {{"import", Season, P("old.txt"), "--out", P("no/such/o.qvk"), "--force"},
         1,
         "保存できませんでした (フォルダがありません)"},
        {{"import", Season, P("old.txt")}, 2, "--out"},
        {{"import", Season, "--out", P("o.qvk")}, 2, "使い方"},
        {{"export", Season, "--out", P("m.txt"), "--force"}, 2, "不明なオプション --force"},
        {{"export", Season, "--out"}, 2, "--out には値が必要です"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.Args), c.Code) << c.Args[2];
        EXPECT_NE(Err.find(c.Says), std::string::npos) << Err;
        EXPECT_TRUE(Out.empty());
        EXPECT_FALSE(fs::exists(P("o.qvk")));
    }
    // --force takes the older data, and only that.
    EXPECT_EQ(Run({"import", Season, P("old.txt"), "--out", P("o.qvk"), "--force"}), 0) << Err;
    EXPECT_EQ(MatchCount(P("o.qvk")), 1);
    EXPECT_EQ(Run({"import", Season, P("other.txt"), "--out", P("o.qvk"), "--force"}), 1);
}

// Two commands turn a game log into a season; its standings are the log's.
TEST_F(MatchTextCli, NewSeasonFromAGameLog) {
    ASSERT_EQ(Run({"new", "--template", "1", "--out", P("mlb.qvk")}), 0) << Err;
    EXPECT_EQ(Out, P("mlb.qvk") + ": 新しいシーズンを作りました (メジャーリーグ２００Ｘ、チーム 30)\n");
    EXPECT_EQ(MatchCount(P("mlb.qvk")), 0);
    const std::string log = std::string(TABLORA_TEST_DATA) + "/GL2001-excerpt.TXT";
    ASSERT_EQ(Run({"import", P("mlb.qvk"), log, "--out", P("2001.qvk")}), 0) << Err;
    EXPECT_EQ(Out, P("2001.qvk") + ": 対戦データを取り込みました (試合 4)\n");
    ASSERT_EQ(Run({"standings", P("2001.qvk"), "--district", "1", "--format", "csv"}), 0) << Err;
    // rank, symbol, short name, games, wins, losses, draws: the lines' two games in this district.
    EXPECT_NE(Out.find("\n1,CWS,ホワイトソックス,1,1,0,0,"), std::string::npos) << Out;
    EXPECT_NE(Out.find(",CLE,インディアンス,1,0,1,0,"), std::string::npos) << Out;

    // A new season never replaces a file.
    EXPECT_EQ(Run({"new", "--template", "0", "--out", P("2001.qvk")}), 1);
    EXPECT_EQ(Err, "tablora-cli: " + P("2001.qvk") + ": すでにあります。上書きしません\n");
    EXPECT_EQ(MatchCount(P("2001.qvk")), 4);
    EXPECT_EQ(Run({"new", "--template", "3", "--out", P("x.qvk")}), 2);
    EXPECT_EQ(Run({"new", "--out", P("x.qvk")}), 2);
    EXPECT_FALSE(fs::exists(P("x.qvk")));
}

TEST_F(MatchTextCli, CsvOutInAndMergedByDay) {
    // By --format or by the name; both read back to the same season.
    ASSERT_EQ(Run({"export", Season, "--out", P("m.csv")}), 0) << Err;
    EXPECT_EQ(Out, P("m.csv") + ": 対戦データをCSV 形式で書き出しました (試合 762)\n");
    ASSERT_EQ(Run({"export", Season, "--out", P("m.dat"), "--format", "csv"}), 0) << Err;
    std::string a, b;
    ASSERT_TRUE(ReadWholeFile(P("m.csv"), a) && ReadWholeFile(P("m.dat"), b));
    EXPECT_EQ(a, b);
    ASSERT_EQ(Run({"import", Season, P("m.dat"), "--out", P("back.qvk")}), 0) << Err;
    ASSERT_EQ(Run({"export", P("back.qvk"), "--out", P("back.csv")}), 0) << Err;
    ASSERT_TRUE(ReadWholeFile(P("back.csv"), b));
    EXPECT_EQ(a, b);

    // A day's results merged: that day replaced, the other 761 - 6 games kept.
    Write("day.csv", "日付,ホーム,ビジター,ホーム得点,ビジター得点\r\n2026/03/27,G,YB,0,9\r\n");
    ASSERT_EQ(Run({"import", Season, P("day.csv"), "--out", P("merged.qvk"), "--merge"}), 0) << Err;
    EXPECT_EQ(Out, P("merged.qvk") + ": 対戦データを追加しました (ファイルの試合 1、試合 757)\n");
    ASSERT_EQ(Run({"import", Season, P("day.csv"), "--out", P("only.qvk"), "--format", "csv"}), 0) << Err;
    EXPECT_EQ(MatchCount(P("only.qvk")), 1);
}

// Every refusal: exit 1, the reason, and no output file.
TEST_F(MatchTextCli, ImportRefusalsWriteNothing) {
    Write("bad.csv", "日付,ホーム,ビジター,ホーム得点,ビジター得点\n"
                     "2026/04/01,G,T,1,0\n"
                     "2026/04/01,ヤクルトス,T,1,0\n"
                     "2026/04/31,G,T,1,0\n");
    Write("empty.csv", "");
    Write("binary.dat", std::string("\x7f"
                                    "ELF\x02\x01\x01\0\0\0",
                                    10));
    Write("notes.txt", "shopping list\n");
    const struct {
        std::vector<std::string> Args;
        int Code;
        std::string Err;
    } cases[] = {
        {{"import", Season, P("bad.csv"), "--out", P("o.qvk")},
         1,
         "tablora-cli: " + P("bad.csv") +
             ": 読み込めない行が2行あります (最初は3行目)。取り込みませんでした\n"
             "  3行目: チーム「ヤクルトス」が見つかりません\n"
             "  4行目: 日付「2026/04/31」が読めません\n"},
        {{"import", Season, P("empty.csv"), "--out", P("o.qvk")},
         1,
         "tablora-cli: " + P("empty.csv") + ": ファイルが空です。取り込みませんでした\n"},
        {{"import", Season, P("binary.dat"), "--out", P("o.qvk")},
         1,
         "tablora-cli: " + P("binary.dat") + ": テキストファイルではありません。取り込みませんでした\n"},
        {{"import", Season, P("notes.txt"), "--out", P("o.qvk")},
         1,
         "tablora-cli: " + P("notes.txt") +
             ": 対戦データとして読める形式 (対戦データテキスト、見出し行のある CSV、ゲームログ) ではありません。"
             "取り込みませんでした\n"},
        {{"import", Season, P("bad.csv"), "--out", P("o.qvk"), "--format", "xml"}, 2, ""},
        {{"export", Season, "--out", P("o.txt"), "--format", "gamelog"}, 2, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.Args), c.Code) << c.Args[2];
        if (c.Code == 1)
            EXPECT_EQ(Err, c.Err);
        else
            EXPECT_NE(Err.find("--format"), std::string::npos) << Err;
        EXPECT_TRUE(Out.empty());
        EXPECT_FALSE(fs::exists(P("o.qvk")));
        EXPECT_FALSE(fs::exists(P("o.txt")));
    }
}
