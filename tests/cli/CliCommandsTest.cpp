#include "cli/CliCommands.h"
#include "cli/race/RaceCommand.h"
#ifdef TABLORA_HAS_RENDER
#include "cli/render/RenderCommand.h"
#endif
#include "core/base/SjisText.h"
#include "core/export/StandingsExport.h"
#include "core/io/SeasonFile.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "tests/support/MatchBuilder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

struct TRun {
    int Code;
    std::string Out, Err;
};

// render and race run in this process, as in the programs that carry them.
#ifdef TABLORA_HAS_RENDER
const TCliPrograms kInProcess{.Render = RunRender, .Race = RunRace};
#else
const TCliPrograms kInProcess{.Race = RunRace};
#endif

TRun Cli(std::vector<std::string> args) {
    std::ostringstream out, err;
    int code = RunCli(args, out, err, kInProcess);
    return {code, out.str(), err.str()};
}

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// One district of three teams with draws, in a wins-first league.
class CliSeason : public ::testing::Test {
protected:
    void SetUp() override {
        Dir = fs::temp_directory_path() / ("tablora-cli-" + std::to_string(::getpid()));
        fs::create_directories(Dir);
        Path = (Dir / "s.qvk").string();
        TPennant p;
        TFight f;
        p.Contents = sjis::S("テスト");
        p.Checker = "abc";
        TLeague& l = p.GetLeague(p.AddLeague());
        l.Name = sjis::S("東\"リーグ");
        l.RankRule = 1;
        TDistrict& d = l.GetDistrict(l.AddDistrict());
        d.Name = sjis::S("北");
        const char* names[] = {"巨　人", "阪神", "広島"};
        const char* symbols[] = {"G", "T", "C"};
        for (int i = 0; i < 3; ++i) {
            TTeam& t = d.GetTeam(d.AddTeam());
            t.SetSymbol(symbols[i]);
            t.ShortName = sjis::S(names[i]);
        }
        auto add = [&](const char* h, const char* v, int hs, int vs, uint8_t st, double day) {
            AddGame(f, Game(h, v, day).Score(hs, vs).State(st));
        };
        add("G", "T", 3, 1, 1, 37712);
        add("C", "G", 2, 2, 1, 37712);
        add("T", "C", 5, 4, 1, 37713);
        add("G", "C", 0, 0, 0, 37714);
        ASSERT_TRUE(SaveSeason(Path, &p, &f));
    }
    void TearDown() override { fs::remove_all(Dir); }
    fs::path Dir;
    std::string Path;
};

} // namespace

TEST_F(CliSeason, StandingsAsText) {
    TRun r = Cli({"standings", Path});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Out, "東\"リーグ北  4月2日(水) 現在  消化率 75%\n"
                     "順位  チーム          試合   勝   負   分   勝率    差   残\n"
                     "   1  巨　人             2    1    0    1  1.000    －    1\n"
                     "   2  阪神               2    1    1    0   .500     0    0\n"
                     "   3  広島               2    0    1    1   .000     1    1\n");
    EXPECT_EQ(r.Err, "");
}

// One line opens the document, one per team, one closes it.
TEST_F(CliSeason, StandingsAsJson) {
    TRun r = Cli({"standings", Path, "--format", "json"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Out.find("{\"district\":\"東\\\"リーグ北\",\"rankRule\":1,\"drawRule\":0,\"teams\":[\n  {"), 0u);
    EXPECT_NE(r.Out.find("\n  {\"rank\":1,\"symbol\":\"G\",\"shortName\":\"巨　人\",\"games\":2,\"wins\":1,"
                         "\"losses\":0,\"draws\":1,\"remain\":1,\"winRate\":1000000,\"behindTop\":0,"
                         "\"behindPrev\":0,\"magic\":null,\"runsFor\":5,\"runsAgainst\":3,"
                         "\"home\":{\"games\":1,\"wins\":1,\"losses\":0,\"draws\":0,\"remain\":1,"
                         "\"runsFor\":3,\"runsAgainst\":1},\"visitor\":{\"games\":1,\"wins\":0,"
                         "\"losses\":0,\"draws\":1,\"remain\":0,\"runsFor\":2,\"runsAgainst\":2},"
                         "\"streaks\":{\"WinMax\":1,\"WinNow\":1,\"LoseMax\":0,\"LoseNow\":0,"
                         "\"HomeWinMax\":1,\"HomeWinNow\":1,\"HomeLoseMax\":0,\"HomeLoseNow\":0,"
                         "\"VisitorWinMax\":0,\"VisitorWinNow\":0,\"VisitorLoseMax\":0,\"VisitorLoseNow\":0},"
                         "\"form\":7},\n"),
              std::string::npos)
        << r.Out;
    EXPECT_NE(r.Out.find("\n  {\"rank\":2,\"symbol\":\"T\""), std::string::npos);
    EXPECT_NE(r.Out.find("\"behindTop\":10,\"behindPrev\":10"), std::string::npos);
    EXPECT_EQ(r.Out.substr(r.Out.size() - 5), "}\n]}\n");
    EXPECT_EQ(std::count(r.Out.begin(), r.Out.end(), '\n'), 5);
}

// Names with quotes, backslashes, control characters and bytes that are no
// Shift-JIS read back from both JSON documents as they were written.
TEST_F(CliSeason, JsonCarriesAnyNameIntact) {
    std::unique_ptr<TPennant> p;
    std::unique_ptr<TFight> f;
    ASSERT_TRUE(LoadSeason(Path, p, f));
    const std::string names[] = {"a\"b\\c/", "\n\r\t" + std::string(1, '\0') + "\x01\x1f\x7f", sjis::S("阪") + "\x82"};
    const std::string read[] = {names[0], names[1], "阪\uFFFD"}; // a lone lead byte is no character
    const char* symbols[] = {"G", "T", "C"};
    for (int i = 0; i < 3; ++i)
        p->TeamBySymbol(symbols[i])->ShortName = names[i];
    p->GetLeague(0).Name = "\"\\";
    ASSERT_TRUE(SaveSeason(Path, p.get(), f.get()));
    for (const char* command : {"standings", "race"}) {
        TRun r = Cli({command, Path, "--format", "json"});
        ASSERT_EQ(r.Code, 0) << r.Err;
        EXPECT_EQ(std::count(r.Out.begin(), r.Out.end(), '\n'), 5) << r.Out; // line breaks in names are escaped
        const nlohmann::json doc = nlohmann::json::parse(r.Out);
        EXPECT_EQ(doc["district"], "\"\\北");
        std::map<std::string, std::string> shortNames;
        for (const nlohmann::json& team : doc["teams"])
            shortNames[team["symbol"].get<std::string>()] = team["shortName"].get<std::string>();
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(shortNames[symbols[i]], read[i]) << command << " " << symbols[i];
    }
}

// CSV and HTML, read back by Python's own parsers, give the JSON's values,
// with names that need escaping in every format.
TEST_F(CliSeason, StandingsAsCsvAndHtmlMatchJson) {
    std::unique_ptr<TPennant> p;
    std::unique_ptr<TFight> f;
    ASSERT_TRUE(LoadSeason(Path, p, f));
    p->TeamBySymbol("T")->ShortName = sjis::S("阪,\"神\"<&>");
    ASSERT_TRUE(SaveSeason(Path, p.get(), f.get()));
    std::string files[3];
    const char* formats[] = {"json", "csv", "html"};
    for (int i = 0; i < 3; ++i) {
        TRun r = Cli({"standings", Path, "--format", formats[i]});
        ASSERT_EQ(r.Code, 0) << r.Err;
        files[i] = (Dir / (std::string("s.") + formats[i])).string();
        std::ofstream(files[i], std::ios::binary) << r.Out;
    }
    const std::string check = std::string("python3 ") + TABLORA_SOURCE_DIR + "/tests/cli/check_standings_formats.py " +
                              files[0] + " " + files[1] + " " + files[2];
    EXPECT_EQ(std::system(check.c_str()), 0);
    EXPECT_NE(Slurp(files[2]).find("阪,&quot;神&quot;&lt;&amp;&gt;"), std::string::npos);
}

TEST_F(CliSeason, StandingsOnADay) {
    TRun r = Cli({"standings", Path, "--day", "2003/04/01"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_NE(r.Out.find("4月1日(火) 現在  消化率 50%"), std::string::npos) << r.Out;
}

TEST_F(CliSeason, InfoAndCheck) {
    TRun info = Cli({"info", Path});
    ASSERT_EQ(info.Code, 0);
    EXPECT_NE(info.Out.find("データ内容: テスト\n"), std::string::npos);
    EXPECT_NE(info.Out.find("順位決定: 勝数優先"), std::string::npos);
    EXPECT_NE(info.Out.find("    G   巨　人"), std::string::npos);
    EXPECT_NE(info.Out.find("試合数: 4 (終了 3, 中止 0, 日程未定 0)"), std::string::npos);
    EXPECT_NE(info.Out.find("最終更新: なし"), std::string::npos);

    TRun check = Cli({"check", Path});
    EXPECT_EQ(check.Code, 0);
    EXPECT_NE(check.Out.find("正しいシーズンファイルです"), std::string::npos);
}

TEST_F(CliSeason, FailuresNameTheFileInOneLine) {
    std::ofstream(Dir / "bad.qvk", std::ios::binary) << "QVKDATAxx";
    const std::string bad = (Dir / "bad.qvk").string();
    for (std::string command : {"check", "info", "standings"}) {
        TRun r = Cli({command, bad});
        EXPECT_EQ(r.Code, 1) << command;
        EXPECT_EQ(r.Err, "tablora-cli: " + bad + ": ファイルが途中で終わっています\n");
        EXPECT_EQ(r.Out, "");
    }
    TRun missing = Cli({"check", (Dir / "none.qvk").string()});
    EXPECT_EQ(missing.Code, 1);
    EXPECT_NE(missing.Err.find("ファイルがありません"), std::string::npos);

    TRun district = Cli({"standings", Path, "--district", "1"}); // an index that names nothing
    EXPECT_EQ(district.Code, 2);
    EXPECT_NE(district.Err.find("地区 1 はありません"), std::string::npos);

    // A folder or a FIFO is not a season file, whatever it is called.
    ASSERT_EQ(::mkfifo((Dir / "fifo.qvk").c_str(), 0600), 0);
    for (const fs::path& notAFile : {Dir, Dir / "fifo.qvk"}) {
        TRun r = Cli({"check", notAFile.string()});
        EXPECT_EQ(r.Code, 1);
        EXPECT_NE(r.Err.find("シーズンファイルではありません"), std::string::npos) << r.Err;
    }
}

// Output that cannot be written (a full disk, /dev/full) is a failure with its reason.
TEST_F(CliSeason, OutputThatCannotBeWrittenFails) {
    struct TFullBuffer : std::streambuf {
        int overflow(int) override { return traits_type::eof(); }
    } full;
    for (std::vector<std::string> args : {std::vector<std::string>{"info", Path},
                                          {"check", Path},
                                          {"standings", Path},
                                          {"standings", Path, "--format", "json"},
                                          {"--help"}}) {
        std::ostream out(&full);
        std::ostringstream err;
        EXPECT_EQ(RunCli(args, out, err), 1) << args[0];
        EXPECT_NE(err.str().find("結果を出力できません"), std::string::npos) << args[0];
    }
    const std::string cli = std::string(TABLORA_BINARY_DIR) + "/bin/tablora-cli";
    const std::string errFile = (Dir / "err.txt").string();
    EXPECT_EQ(std::system((cli + " standings " + Path + " >/dev/full 2>" + errFile).c_str()), 1 << 8);
    EXPECT_EQ(Slurp(errFile), "tablora-cli: 結果を出力できません (ディスクに空きがありません)\n");
}

TEST(Cli, UsageErrorsExitTwo) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {},
             {"nonsense"},
             {"info"},
             {"info", "a", "b"},
             {"standings"},
             {"standings", "x.qvk", "--district"},
             {"standings", "x.qvk", "--district", "-1"},
             {"standings", "x.qvk", "--district", "1x"},
             {"standings", "x.qvk", "--day", "2003/02/30"},
             {"standings", "x.qvk", "--format", "xml"},
             {"standings", "x.qvk", "--bogus"},
         }) {
        TRun r = Cli(args);
        EXPECT_EQ(r.Code, 2) << (args.empty() ? "" : args[0]);
        EXPECT_NE(r.Err.find("使い方:"), std::string::npos);
    }
    EXPECT_EQ(Cli({"--help"}).Code, 0);
}

TEST(SampleSeason, GeneratorReproducesTheShippedFile) {
    const fs::path made = fs::temp_directory_path() / ("tablora-sample-" + std::to_string(::getpid()) + ".qvk");
    const std::string command = std::string(TABLORA_BINARY_DIR) + "/tools/make_sample " + made.string();
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string shipped = Slurp(fs::path(TABLORA_SOURCE_DIR) / "resources" / "sample.qvk");
    EXPECT_EQ(Slurp(made), shipped);
    fs::remove(made);

    TRun r = Cli({"standings", std::string(TABLORA_SOURCE_DIR) + "/resources/sample.qvk", "--district", "1"});
    ASSERT_EQ(r.Code, 0);
    EXPECT_NE(r.Out.find("パシフィックリーグ  7月12日(日) 現在"), std::string::npos) << r.Out;
}

#ifdef TABLORA_HAS_RENDER // a build without Qt has no render program
TEST_F(CliSeason, RenderPaintsAPicture) {
    const std::string png = (Dir / "standings.png").string();
    TRun r = Cli({"render", Path, "--view", "standings", "--index", "0", "--mode", "1", "--out", png});
    ASSERT_EQ(r.Code, 0) << r.Err;
    const std::string bytes = Slurp(png);
    ASSERT_GT(bytes.size(), 8u);
    EXPECT_EQ(bytes.substr(1, 3), "PNG");

    TRun team = Cli({"render", Path, "--view", "transition", "--index", "2", "--out", png});
    EXPECT_EQ(team.Code, 0) << team.Err;
    TRun missing = Cli({"render", Path, "--view", "transition", "--index", "3", "--out", png});
    EXPECT_EQ(missing.Code, 2); // an index that names nothing
    EXPECT_NE(missing.Err.find("チーム 3 はありません"), std::string::npos);
    EXPECT_EQ(Cli({"render", Path, "--view", "table", "--index", "0", "--out", png}).Code, 2);
    EXPECT_EQ(Cli({"render", Path, "--view", "standings", "--out", png}).Code, 2);
    EXPECT_EQ(Cli({"render", Path, "--view", "standings", "--index", "0", "--mode", "3", "--out", png}).Code, 2);

    // A picture that cannot be written says why; the older one stays.
    const std::string older = Slurp(png);
    fs::create_directories(Dir / "folder.png");
    for (const fs::path& out : {Dir / "none" / "x.png", Dir / "folder.png"}) {
        TRun failed = Cli({"render", Path, "--view", "standings", "--index", "0", "--out", out.string()});
        EXPECT_EQ(failed.Code, 1);
        EXPECT_EQ(failed.Err.find("tablora-cli: " + out.string() + ": 画像を書き込めません ("), 0u) << failed.Err;
    }
    EXPECT_EQ(Slurp(png), older);
}
#endif

// G (1-0-1) and C (0-1-1) still meet; T (1-1-0) has played out. Ranked by
// wins, a G loss leaves all three level on one win at .500: G has not
// clinched first place until it avoids that loss, and nobody is sure of a
// place alone.
TEST_F(CliSeason, RaceAsTextAndJson) {
    TRun text = Cli({"race", Path});
    ASSERT_EQ(text.Code, 0) << text.Err;
    EXPECT_EQ(text.Out, "東\"リーグ北  4月2日(水) 現在  優勝争い (勝数優先, 引き分け有)\n"
                        "順位 記号 チーム          勝-敗-分    残  マジック  状況          自力  消滅\n"
                        "   1 G    巨　人         1-0-1        1  -         M1               1     -\n"
                        "       例: G 2-0-1  T 1-1-0  C 0-2-1\n"
                        "   2 T    阪神           1-1-0        0  -         自力消滅         -     -\n"
                        "       例: G 1-1-1  T 1-1-0  C 1-1-1\n"
                        "   3 C    広島           0-1-1        1  -         自力消滅         -     1\n"
                        "       例: G 1-1-1  T 1-1-0  C 1-1-1\n");
    TRun json = Cli({"race", Path, "--format", "json", "--day", "2003/04/02", "--place", "2"});
    ASSERT_EQ(json.Code, 0) << json.Err;
    EXPECT_EQ(json.Out.find("{\"district\":\"東\\\"リーグ北\",\"rankRule\":1,\"drawRule\":0,\"place\":2,"
                            "\"day\":\"2003/04/02\",\"teams\":[\n"),
              0u)
        << json.Out;
    // Second place: G and T are in whatever happens, but may have to share
    // it (level assured); G is clear of the cut with one more win or draw.
    EXPECT_NE(
        json.Out.find("\"symbol\":\"T\",\"shortName\":\"阪神\",\"wins\":1,\"losses\":1,\"draws\":0,"
                      "\"remain\":0,\"magic\":null,\"status\":\"dependent\",\"levelAssured\":true,"
                      "\"clinchNumber\":null,\"eliminationNumber\":null,\"scenario\":[{\"symbol\":\"G\",\"wins\":2,"
                      "\"losses\":0,\"draws\":1},"),
        std::string::npos)
        << json.Out;
    EXPECT_NE(json.Out.find("\"status\":\"magic\",\"levelAssured\":true,\"clinchNumber\":1,\"eliminationNumber\":null"),
              std::string::npos);
    EXPECT_NE(
        json.Out.find("\"status\":\"dependent\",\"levelAssured\":false,\"clinchNumber\":null,\"eliminationNumber\":1"),
        std::string::npos);
    EXPECT_EQ(json.Out.substr(json.Out.size() - 5), "}\n]}\n");
    EXPECT_EQ(Cli({"race", Path, "--place", "0"}).Code, 2);
    EXPECT_EQ(Cli({"race", Path, "--district", "1"}).Code, 2);
}

// In a district of more than 100 teams the evidence is given for the team
// asked for only: every team's would list every team (a 5,000-team district
// once wrote 1.38 GB of JSON).
TEST(CliRace, ALargeDistrictGivesTheEvidenceOfTheTeamAskedFor) {
    const fs::path dir = fs::temp_directory_path() / ("tablora-wide-race-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    TPennant p;
    TDistrict& d = p.GetLeague(p.AddLeague()).GetDistrict(p.GetLeague(0).AddDistrict());
    for (int i = 0; i < 101; ++i)
        d.GetTeam(d.AddTeam()).SetSymbol("T" + std::to_string(i));
    TFight f;
    AddGame(f, Game("T0", "T1", 37712).Score(3, 1));
    AddGame(f, Game("T1", "T2", 37713));
    const std::string season = (dir / "wide.qvk").string();
    ASSERT_TRUE(SaveSeason(season, &p, &f));
    auto scenarios = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"race", season, "--format", "json"});
        const TRun r = Cli(args);
        EXPECT_EQ(r.Code, 0) << r.Err;
        int given = 0;
        for (size_t at = r.Out.find("\"scenario\":"); at != std::string::npos; at = r.Out.find("\"scenario\":", at + 1))
            given += r.Out.compare(at + 11, 4, "null") != 0;
        return given;
    };
    EXPECT_EQ(scenarios({}), 0);
    EXPECT_EQ(scenarios({"--scenario", "T2"}), 1);
    const TRun text = Cli({"race", season, "--scenario", "T2"});
    EXPECT_EQ(text.Code, 0) << text.Err;
    EXPECT_EQ(std::count(text.Out.begin(), text.Out.end(), '\n'), 2 + 101 + 1); // heads, rows, one example
    const TRun unknown = Cli({"race", season, "--scenario", "X9"});
    EXPECT_EQ(unknown.Code, 2);
    EXPECT_NE(unknown.Err.find("チーム X9 は地区 0 にありません"), std::string::npos) << unknown.Err;
    fs::remove_all(dir);
}

#ifdef TABLORA_HAS_RENDER // a build without Qt has no render program
TEST_F(CliSeason, RenderScheduleHeadToHeadAndVersus) {
    const std::string png = (Dir / "view.png").string();
    struct TCase {
        std::vector<std::string> Args;
        int Code;
        const char* Message; // in the error output
    };
    const TCase cases[] = {
        {{"--view", "schedule", "--index", "0"}, 0, ""},
        {{"--view", "headtohead", "--index", "0", "--filter", "2"}, 0, ""},
        {{"--view", "versus", "--index", "0", "--team", "G", "--opponent", "T", "--filter", "1"}, 0, ""},
        {{"--view", "race", "--index", "0", "--place", "2", "--day", "2003/04/02", "--title"}, 0, ""},
        {{"--view", "race", "--index", "1"}, 2, "地区 1 はありません"},
        {{"--view", "race", "--index", "0", "--day", "4/2"}, 2, "--day"},
        {{"--view", "schedule", "--index", "1"}, 2, "リーグ 1 はありません"},
        {{"--view", "headtohead", "--index", "1"}, 2, "地区 1 はありません"},
        {{"--view", "standings", "--index", "1"}, 2, "地区 1 はありません"},
        {{"--view", "headtohead", "--index", "0", "--page", "1"}, 2, "ページ 1 はありません"},
        {{"--view", "versus", "--index", "0", "--team", "X", "--opponent", "T"}, 2, "チーム X は地区 0"},
        {{"--view", "versus", "--index", "0", "--team", "G", "--opponent", "X"}, 2, "相手チーム X はありません"},
        {{"--view", "versus", "--index", "0", "--team", "G"}, 2, "--opponent"},
        {{"--view", "headtohead", "--index", "0", "--filter", "3"}, 2, "--filter"},
    };
    for (const TCase& k : cases) {
        fs::remove(png);
        std::vector<std::string> args = {"render", Path};
        args.insert(args.end(), k.Args.begin(), k.Args.end());
        args.insert(args.end(), {"--out", png});
        const TRun r = Cli(args);
        EXPECT_EQ(r.Code, k.Code) << k.Args[1] << " " << r.Err;
        EXPECT_NE(r.Err.find(k.Message), std::string::npos) << r.Err;
        // A picture only on success: never an empty one.
        EXPECT_EQ(fs::exists(png), k.Code == 0) << k.Args[1];
        if (k.Code == 0) {
            EXPECT_EQ(Slurp(png).substr(1, 3), "PNG");
        }
    }
}

// A district whose rows alone are taller than any picture is refused before
// it is laid out (a 100,000-team head-to-head table once took a minute to refuse).
TEST(CliRender, ADistrictTooTallForAPictureIsRefusedAtOnce) {
    const fs::path dir = fs::temp_directory_path() / ("tablora-tall-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    TPennant p;
    TDistrict& d = p.GetLeague(p.AddLeague()).GetDistrict(p.GetLeague(0).AddDistrict());
    for (int i = 0; i < 30000; ++i)
        d.GetTeam(d.AddTeam()).SetSymbol(std::to_string(i % 1000));
    TFight f;
    const std::string season = (dir / "tall.qvk").string(), png = (dir / "tall.png").string();
    ASSERT_TRUE(SaveSeason(season, &p, &f));
    for (const char* view : {"standings", "headtohead"}) {
        const TRun r = Cli({"render", season, "--view", view, "--index", "0", "--out", png});
        EXPECT_EQ(r.Code, 1) << view;
        EXPECT_NE(r.Err.find("画像が大きすぎます (地区のチーム 30000"), std::string::npos) << r.Err;
        EXPECT_FALSE(fs::exists(png));
    }
    fs::remove_all(dir);
}
#endif

// The terminal program itself: it loads no Qt library, and hands render to
// the render program beside it, whose answer is the command's.
TEST_F(CliSeason, TheProgramLoadsNoQtAndHandsRenderOn) {
    const std::string bin = std::string(TABLORA_BINARY_DIR) + "/bin/";
    auto run = [&](const std::string& command) {
        const std::string capture = (Dir / "capture.txt").string();
        const int status = std::system((command + " > " + capture + " 2>&1").c_str());
        return std::make_pair(WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(capture));
    };
    const auto [lddCode, libraries] = run("ldd " + bin + "tablora-cli");
    ASSERT_EQ(lddCode, 0) << libraries;
    EXPECT_EQ(libraries.find("Qt"), std::string::npos) << libraries;

    const std::string png = (Dir / "standings.png").string();
    const auto [code, said] = run(bin + "tablora-cli render " + Path + " --view standings --index 0 --out " + png);
#ifdef TABLORA_HAS_RENDER
    EXPECT_EQ(code, 0) << said;
    EXPECT_EQ(Slurp(png).substr(1, 3), "PNG");
    const auto [missing, why] = run(bin + "tablora-cli render " + Path + " --view standings --index 7 --out " + png);
    EXPECT_EQ(missing, 2);
    EXPECT_NE(why.find("地区 7 はありません"), std::string::npos) << why;
#else
    EXPECT_EQ(code, 1);
    EXPECT_NE(said.find("tablora-render がありません"), std::string::npos) << said;
#endif
    // Arguments are read before the render program is asked for.
    EXPECT_EQ(run(bin + "tablora-cli render " + Path + " --view table --index 0 --out " + png).first, 2);
}
