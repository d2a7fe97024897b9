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
