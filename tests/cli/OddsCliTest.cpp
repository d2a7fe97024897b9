// `odds` from the terminal: the chances as JSON and CSV add up, the same seed
// prints the same numbers on any number of threads, the race's certainties
// print exactly, the history has a row per day, and bad command lines are
// refused with the usage.
#include "cli/CliCommands.h"
#include "cli/OddsCommand.h"
#include "core/base/SjisText.h"
#include "core/io/SeasonFile.h"
#include "core/odds/SeasonOdds.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "tests/support/MatchBuilder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct TRun {
    int Code;
    std::string Out, Err;
};

TRun Cli(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int code = RunCli(args, out, err, {.Odds = RunOdds});
    return {code, out.str(), err.str()};
}

const std::string kSample = std::string(TABLORA_SOURCE_DIR) + "/resources/sample.qvk";

// Three teams, each pair meeting eight times: G ahead of the others by far,
// with two games left each; draws stand.
class OddsSeason : public ::testing::Test {
protected:
    void SetUp() override {
        Dir = fs::temp_directory_path() / ("tablora-odds-" + std::to_string(::getpid()));
        fs::create_directories(Dir);
        Path = (Dir / "s.qvk").string();
        TPennant p;
        TFight f;
        p.Contents = sjis::S("テスト");
        p.Checker = "abc";
        TLeague& l = p.GetLeague(p.AddLeague());
        l.Name = sjis::S("東");
        TDistrict& d = l.GetDistrict(l.AddDistrict());
        const char* symbols[] = {"G", "T", "C"};
        for (const char* symbol : symbols) {
            TTeam& t = d.GetTeam(d.AddTeam());
            t.SetSymbol(symbol);
            t.ShortName = symbol;
        }
        double day = 40000;
        for (int k = 0; k < 7; ++k, ++day) {
            AddGame(f, Game("G", "T", day).Score(5, 1));
            AddGame(f, Game("C", "G", day).Score(0, 4));
            AddGame(f, Game("T", "C", day).Score(k % 3 == 0 ? 2 : 3, 2));
        }
        AddGame(f, Game("G", "T", day));
        AddGame(f, Game("C", "G", day));
        AddGame(f, Game("T", "C", day));
        ASSERT_TRUE(SaveSeason(Path, &p, &f));
    }
    void TearDown() override { fs::remove_all(Dir); }
    fs::path Dir;
    std::string Path;
};

} // namespace

TEST(OddsCliTest, SampleSeasonChancesAddUp) {
    for (const char* model : {"runs", "even"}) {
        const TRun r =
            Cli({"odds", kSample, "--district", "1", "--runs", "20000", "--format", "json", "--model", model});
        ASSERT_EQ(r.Code, 0) << r.Err;
        const nlohmann::json j = nlohmann::json::parse(r.Out);
        EXPECT_EQ(j["model"], model);
        EXPECT_EQ(j["runs"], 20000);
        EXPECT_EQ(j["place"], 3);
        const auto& teams = j["teams"];
        ASSERT_EQ(teams.size(), 6u);
        double first = 0, top = 0;
        std::vector<double> column(6, 0);
        for (const auto& t : teams) {
            first += t["first"].get<double>();
            top += t["top"].get<double>();
            double row = 0;
            for (size_t q = 0; q < 6; ++q) {
                row += t["places"][q].get<double>();
                column[q] += t["places"][q].get<double>();
            }
            EXPECT_NEAR(row, 1, 1e-6);
            EXPECT_NEAR(t["places"][0].get<double>(), t["first"].get<double>(), 1e-12);
            const int games =
                t["wins"].get<int>() + t["losses"].get<int>() + t["draws"].get<int>() + t["remain"].get<int>();
            EXPECT_NEAR(t["meanWins"].get<double>() + t["meanLosses"].get<double>() + t["meanDraws"].get<double>(),
                        games, 1e-6);
            EXPECT_LE(t["winsP10"].get<int>(), t["winsP90"].get<int>());
        }
        EXPECT_NEAR(first, 1, 1e-6);
        EXPECT_NEAR(top, 3, 1e-6);
        for (double c : column)
            EXPECT_NEAR(c, 1, 1e-6);
    }
}

TEST(OddsCliTest, SameSeedSameOutputOnAnyThreads) {
    const std::vector<std::string> args = {"odds", kSample, "--runs", "30000", "--seed", "42", "--format", "csv"};
    auto with = [&](const char* threads) {
        std::vector<std::string> a = args;
        a.insert(a.end(), {"--threads", threads});
        return Cli(a);
    };
    const TRun one = with("1"), two = with("2");
    ASSERT_EQ(one.Code, 0) << one.Err;
    EXPECT_EQ(one.Out, two.Out);
    EXPECT_NE(one.Out, Cli({"odds", kSample, "--runs", "30000", "--seed", "43", "--format", "csv"}).Out);
    EXPECT_EQ(one.Out.substr(0, one.Out.find('\n')),
              "symbol,shortName,wins,losses,draws,remain,first,top,place1,place2,place3,place4,place5,place6,"
              "meanWins,meanLosses,meanDraws,winsP10,winsP90,status");
}

// G has clinched first: exactly 1, the others exactly 0, and the text says 100%.
TEST_F(OddsSeason, RaceCertaintiesPrintExactly) {
    const TRun r = Cli({"odds", Path, "--runs", "5000", "--place", "2", "--format", "json"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    const nlohmann::json j = nlohmann::json::parse(r.Out);
    ASSERT_EQ(j["teams"].size(), 3u);
    EXPECT_EQ(j["teams"][0]["symbol"], "G");
    EXPECT_EQ(j["teams"][0]["first"].get<double>(), 1.0);
    EXPECT_EQ(j["teams"][0]["status"], "clinched");
    EXPECT_EQ(j["teams"][1]["first"].get<double>(), 0.0);
    EXPECT_EQ(j["teams"][2]["status"], "eliminated");
    EXPECT_EQ(j["teams"][0]["top"].get<double>(), 1.0);
    const double t = j["teams"][1]["top"], c = j["teams"][2]["top"];
    EXPECT_NEAR(t + c, 1, 1e-9);
    const TRun text = Cli({"odds", Path, "--runs", "5000"});
    ASSERT_EQ(text.Code, 0);
    EXPECT_NE(text.Out.find("100%"), std::string::npos) << text.Out;
}

TEST_F(OddsSeason, HistoryHasARowPerDay) {
    const TRun csv = Cli({"odds", Path, "--history", "--runs", "500", "--format", "csv"});
    ASSERT_EQ(csv.Code, 0) << csv.Err;
    std::istringstream lines(csv.Out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "day,G 優勝,T 優勝,C 優勝,G 3位以内,T 3位以内,C 3位以内");
    int rows = 0;
    while (std::getline(lines, line))
        ++rows;
    EXPECT_EQ(rows, 7);
    const TRun json = Cli({"odds", Path, "--history", "--runs", "500", "--format", "json", "--place", "1"});
    ASSERT_EQ(json.Code, 0) << json.Err;
    const nlohmann::json j = nlohmann::json::parse(json.Out);
    ASSERT_EQ(j["days"].size(), 7u);
    EXPECT_EQ(j["teams"][0]["first"].size(), 7u);
    EXPECT_EQ(j["teams"][0]["first"][6].get<double>(), 1.0); // clinched on the last day
}

TEST(OddsCliTest, RefusesBadCommandLines) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"odds"},
                                               {"odds", kSample, "--model", "coin"},
                                               {"odds", kSample, "--runs", "0"},
                                               {"odds", kSample, "--place", "0"},
                                               {"odds", kSample, "--format", "html"},
                                               {"odds", kSample, "--seed", "-1"},
                                               {"odds", kSample, "--history", "--day", "2026/05/01"},
                                               {"odds", kSample, "--bogus", "1"}}) {
        const TRun r = Cli(args);
        EXPECT_EQ(r.Code, 2) << args.back();
        EXPECT_NE(r.Err.find("使い方"), std::string::npos);
    }
    EXPECT_EQ(Cli({"odds", kSample, "--district", "9"}).Code, 2);
    // A district too large to keep every team's chance of every place: said, not tried.
    const fs::path big = fs::temp_directory_path() / ("tablora-odds-big-" + std::to_string(::getpid()) + ".qvk");
    TPennant p;
    TFight f;
    p.Checker = "big";
    TLeague& l = p.GetLeague(p.AddLeague());
    TDistrict& d = l.GetDistrict(l.AddDistrict());
    for (int i = 0; i <= kOddsMostTeams; ++i)
        d.GetTeam(d.AddTeam()).SetSymbol(std::to_string(i));
    ASSERT_TRUE(SaveSeason(big.string(), &p, &f));
    const TRun r = Cli({"odds", big.string()});
    fs::remove(big);
    EXPECT_EQ(r.Code, 1);
    EXPECT_NE(r.Err.find("チームが多すぎます"), std::string::npos) << r.Err;
    EXPECT_EQ(Cli({"odds", "/nonexistent.qvk"}).Code, 1);
}
