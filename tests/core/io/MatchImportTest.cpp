// Matches from a CSV and from a major-league game log: the real 2001 log's
// first games and a small Japanese season, the CSV written back, the readers'
// refusals, and a daily file merged into a season.
#include "core/io/MatchImport.h"
#include "core/base/DayNumber.h"
#include "core/base/SjisText.h"
#include "core/io/Csv.h"
#include "core/io/GameLog.h"
#include "core/io/MatchText.h"
#include "core/io/SeasonFile.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "core/season/SeasonTemplates.h"
#include "core/standings/DistrictStandings.h"
#include "tests/support/FixedClock.h"
#include "tests/support/MatchBuilder.h"

#include <cstring>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace {

std::string Data(const std::string& name) {
    std::string bytes;
    EXPECT_TRUE(ReadWholeFile(std::string(TABLORA_TEST_DATA) + "/" + name, bytes)) << name;
    return bytes;
}

std::unique_ptr<TPennant> Season(int kind) {
    auto pennant = std::make_unique<TPennant>();
    pennant->Checker = "Check001";
    BuildTemplate(kind, *pennant);
    return pennant;
}

struct TRecord {
    int Wins = 0, Losses = 0, Draws = 0;
    bool operator==(const TRecord&) const = default;
};

// Every team's record as the standings show it, by symbol.
std::map<std::string, TRecord> Records(const TPennant& pennant, const TFight& fight) {
    std::map<std::string, TRecord> records;
    for (int d = 0; d < pennant.TotalDistrictCount(); ++d) {
        const std::optional<TDistrictStandings> s = BuildDistrictStandings(pennant, fight, d);
        for (int i = 0; i < s->Calc->Count(); ++i) {
            const TTmRec& r = s->Calc->Items(i);
            records[r.Symbol] = {r.Wins(), r.Losses(), r.Draws()};
        }
    }
    return records;
}

TMatchText Import(const TPennant& pennant, std::string_view bytes) {
    TImportFile file = ReadImportBytes(bytes, pennant, std::nullopt);
    EXPECT_EQ(file.Refusal, "");
    return std::move(file.Text);
}

} // namespace

TEST(Csv, RecordsAsRfc4180ReadsThem) {
    const struct {
        std::string Bytes;
        std::vector<std::vector<std::string>> Records;
        std::vector<int> Lines;
    } cases[] = {
        {"a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}, {1, 2}},
        {"a,b\nc,d", {{"a", "b"}, {"c", "d"}}, {1, 2}},
        {"a\rb\r", {{"a"}, {"b"}}, {1, 2}},
        {",,\n", {{"", "", ""}}, {1}},
        {"\"x,y\",\"say \"\"hi\"\"\"\n", {{"x,y", "say \"hi\""}}, {1}},
        // A line break inside quotes stays in the field; the next record's line counts it.
        {"\"1\r\n2\",z\r\nw\r\n", {{"1\r\n2", "z"}, {"w"}}, {1, 3}},
        {"\"\"\n", {{""}}, {1}},
        {"\"ab\"c,d\n", {{"abc", "d"}}, {1}},
    };
    for (const auto& c : cases) {
        TCsvReader reader(c.Bytes);
        std::vector<std::string> fields;
        std::vector<std::vector<std::string>> records;
        std::vector<int> lines;
        while (reader.Next(fields)) {
            records.push_back(fields);
            lines.push_back(reader.Line());
            EXPECT_FALSE(reader.Unclosed());
        }
        EXPECT_EQ(records, c.Records) << c.Bytes;
        EXPECT_EQ(lines, c.Lines) << c.Bytes;
    }
    // A quote never closed takes the rest of the file, and says so.
    TCsvReader open(std::string_view("a,\"b\nc\n"));
    std::vector<std::string> fields;
    ASSERT_TRUE(open.Next(fields));
    EXPECT_EQ(fields, (std::vector<std::string>{"a", "b\nc\n"}));
    EXPECT_TRUE(open.Unclosed());
    EXPECT_FALSE(open.Next(fields));

    // What CsvField writes reads back as itself.
    for (std::string text : {"plain", "a,b", "say \"hi\"", "two\r\nlines", " padded ", ""}) {
        const std::string line = CsvField(text) + "," + CsvField(text) + "\n";
        TCsvReader back(line);
        ASSERT_TRUE(back.Next(fields));
        EXPECT_EQ(fields, (std::vector<std::string>{text, text})) << line;
    }
}

TEST(MatchImport, NamesDatesAndFormats) {
    const std::unique_ptr<TPennant> japan = Season(TemplateJapan);
    const TTeamNames names(*japan);
    const struct {
        const char* Name;
        const char* Symbol; // null: no team
    } teams[] = {
        {"G", "G"},
        {" Ｇ ", "G"},
        {"巨人", "G"},
        {"巨　　人", "G"},
        {"読売ジャイアンツ", "G"},
        {"ＹＢ", "YB"},
        {"横浜 ベイスターズ", "YB"},
        {"ロッテ", "M"},
        {"g", nullptr},
        {"ヤクルトス", nullptr},
        {"", nullptr},
    };
    for (const auto& t : teams) {
        const std::string* found = names.Find(t.Name);
        if (t.Symbol) {
            ASSERT_NE(found, nullptr) << t.Name;
            EXPECT_EQ(*found, t.Symbol);
        } else {
            EXPECT_EQ(found, nullptr) << t.Name;
        }
    }

    const struct {
        const char* Text;
        std::optional<double> Day;
    } dates[] = {
        {"2026/04/01", days::Encode(2026, 4, 1)},
        {"2026-04-01", days::Encode(2026, 4, 1)},
        {"20260401", days::Encode(2026, 4, 1)},
        {"2026/4/1", days::Encode(2026, 4, 1)},
        {" 2026/04/01 ", days::Encode(2026, 4, 1)},
        {"2026/02/30", std::nullopt},
        {"2026/04-01", std::nullopt},
        {"26/04/01", std::nullopt},
        {"2026041", std::nullopt},
        {"2026/04/01/", std::nullopt},
        {"", std::nullopt},
        {"明日", std::nullopt},
    };
    for (const auto& d : dates)
        EXPECT_EQ(ParseAnyDate(d.Text), d.Day) << d.Text;

    const std::string gameLog = Data("GL2001-excerpt.TXT");
    const struct {
        std::string Head;
        std::optional<TMatchFormat> Format;
    } formats[] = {
        {"title\r\nCheck001\r\nLastUpdate:2026/01/01 00:00:00\r\n", TMatchFormat::MatchText},
        {"title\r\nOther\r\nLastUpdate:2026/01/01 00:00:00\r\n", TMatchFormat::MatchText},
        {"title\r\nCheck001\r\n", TMatchFormat::MatchText},
        {gameLog, TMatchFormat::GameLog},
        {"date,home,visitor\n", TMatchFormat::Csv},
        {"\xEF\xBB\xBF"
         "Visitor , HOME,Date,extra\n",
         TMatchFormat::Csv},
        {"\n\n\"日付\",ホーム,ビジター\n", TMatchFormat::Csv},
        {sjis::S("ビジター,日付,ホーム\r\n"), TMatchFormat::Csv}, // Shift-JIS
        {"date,home,score\n", std::nullopt},
        {"\"20010401\",\"0\",\"Sun\"\n", std::nullopt}, // a game log has many more fields
        {"hello\n", std::nullopt},
    };
    for (const auto& f : formats)
        EXPECT_EQ(RecogniseMatchFormat(f.Head, "Check001"), f.Format) << f.Head.substr(0, 40);
    EXPECT_EQ(GameLogClubSymbol("NYA"), "NYY");
    EXPECT_EQ(GameLogClubSymbol("TOR"), "TOR");
}

// The published log's first four games of 2001, read into a season from the
// major-league template: every team's record is what the lines give, as an
// independent reading of the same fields says.
TEST(MatchImport, GameLogExcerptGivesTheRecordsOfItsLines) {
    const std::unique_ptr<TPennant> major = Season(TemplateMajor);
    const std::string bytes = Data("GL2001-excerpt.TXT");
    ASSERT_EQ(RecogniseMatchFormat(bytes, major->Checker), TMatchFormat::GameLog);

    const std::map<std::string, std::string> clubs = {{"NYA", "NYY"}, {"CHA", "CWS"}, {"KCA", "KC"}};
    std::map<std::string, TRecord> expected;
    std::istringstream lines(bytes);
    std::string line;
    int games = 0;
    while (std::getline(lines, line)) {
        std::vector<std::string> f;
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, ',');)
            f.push_back(field.size() >= 2 && field.front() == '"' ? field.substr(1, field.size() - 2) : field);
        ASSERT_EQ(f.size(), 161u);
        const std::string visitor = clubs.contains(f[3]) ? clubs.at(f[3]) : f[3];
        const std::string home = clubs.contains(f[6]) ? clubs.at(f[6]) : f[6];
        const int v = std::stoi(f[9]), h = std::stoi(f[10]);
        (v > h ? expected[visitor].Wins : expected[visitor].Losses)++;
        (h > v ? expected[home].Wins : expected[home].Losses)++;
        ++games;
    }
    ASSERT_EQ(games, 4);

    TMatchText text = Import(*major, bytes);
    EXPECT_TRUE(text.Foreign);
    EXPECT_EQ(text.UnreadLines, 0);
    TFight fight;
    ASSERT_EQ(CheckImport(*major, fight, text), TImportCheck::Ok);
    ApplyImport(*major, fight, std::move(text));
    ASSERT_EQ(fight.MatchCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(fight.GetMatch(i).Status, StatusFinished);
    EXPECT_TRUE(days::SameDay(fight.GetMatch(0).GameDate, days::Encode(2001, 4, 1)));

    std::map<std::string, TRecord> shown = Records(*major, fight);
    std::erase_if(shown, [](const auto& r) { return r.second == TRecord{}; });
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(shown.size(), 8u);
}

// A double-header keeps its order; the day is numbered in the season's team order.
TEST(MatchImport, GameLogDoubleHeaderAndFaults) {
    const std::unique_ptr<TPennant> major = Season(TemplateMajor);
    std::string fill;
    for (int i = 11; i < 161; ++i)
        fill += ",\"\"";
    const auto line = [&fill](const char* date, const char* no, const char* visitor, const char* home, const char* vs,
                              const char* hs) {
        return std::string("\"") + date + "\",\"" + no + "\",\"Sun\",\"" + visitor + "\",\"AL\",1,\"" + home +
               "\",\"AL\",1," + vs + "," + hs + fill + "\r\n";
    };
    TMatchText text =
        Import(*major, line("20010501", "2", "NYA", "BOS", "5", "1") + line("20010501", "1", "NYA", "BOS", "2", "3") +
                           line("20010501", "0", "SEA", "TOR", "4", "0"));
    TFight fight;
    ApplyImport(*major, fight, std::move(text));
    ASSERT_EQ(fight.MatchCount(), 3);
    // Season order: NYY, BOS, TOR, …: BOS's two games first, game 1 before game 2.
    EXPECT_EQ(fight.GetMatch(0).HomeScore, 3);
    EXPECT_EQ(fight.GetMatch(1).HomeScore, 1);
    EXPECT_EQ(fight.GetMatch(2).HomeSymbol.Text(), "TOR");
    EXPECT_EQ(fight.GetMatch(2).VisitorSymbol.Text(), "SEA");

    const std::string good = line("20010501", "0", "SEA", "TOR", "4", "0");
    const struct {
        std::string Bytes;
        const char* Why;
    } faults[] = {
        {line("2001050", "0", "SEA", "TOR", "4", "0"), "日付「2001050」が読めません"},
        {line("20010231", "0", "SEA", "TOR", "4", "0"), "日付「20010231」が読めません"},
        {line("20010501", "x", "SEA", "TOR", "4", "0"), "試合番号「x」が読めません"},
        {line("20010501", "0", "XYZ", "TOR", "4", "0"), "チーム「XYZ」が見つかりません"},
        {line("20010501", "0", "NYA", "NYY", "4", "0"), "ホームとビジターが同じチーム「NYY」です"},
        {line("20010501", "0", "SEA", "TOR", "4", "-"), "得点「-」が数字ではありません"},
        {"\"20010501\",\"0\",\"Sun\"\r\n", "列の数が違います (3列、最初の行は161列)"},
    };
    for (const auto& f : faults) {
        TMatchText bad = ReadGameLog(good + f.Bytes + good, *major);
        EXPECT_EQ(bad.UnreadLines, 1) << f.Why;
        ASSERT_EQ(bad.Problems.size(), 1u) << f.Why;
        EXPECT_EQ(bad.Problems[0].Line, 2);
        EXPECT_EQ(bad.Problems[0].Why, f.Why);
        EXPECT_EQ(CheckImport(*major, fight, bad), TImportCheck::Unreadable);
    }
}

// A small Japanese season: draws, a cancelled game, games still to play, teams
// by symbol, short and full name, full-width letters, dates in three forms,
// columns in an order of its own and one column the reader does not know.
TEST(MatchImport, JapaneseSeasonCsvInEveryEncoding) {
    const std::unique_ptr<TPennant> japan = Season(TemplateJapan);
    const std::string utf8 = Data("japan-season.csv");
    std::string lf = utf8;
    std::erase(lf, '\r');
    const std::string shiftJis = sjis::FromUtf8(utf8.substr(3));
    const std::map<std::string, TRecord> expected = {
        {"G", {1, 0, 0}}, {"S", {0, 1, 1}}, {"D", {1, 0, 1}},  {"C", {0, 1, 1}}, {"T", {1, 0, 1}}, {"YB", {0, 1, 0}},
        {"L", {1, 1, 0}}, {"H", {1, 0, 0}}, {"BU", {0, 0, 1}}, {"F", {1, 1, 0}}, {"M", {0, 0, 1}}, {"BW", {0, 1, 0}},
    };
    std::string first;
    for (const std::string& bytes : {utf8, lf, shiftJis}) {
        TMatchText text = Import(*japan, bytes);
        EXPECT_EQ(text.UnreadLines, 0);
        EXPECT_FALSE(text.Numbered);
        TFight fight;
        ApplyImport(*japan, fight, std::move(text));
        ASSERT_EQ(fight.MatchCount(), 12);
        int cancelled = 0, before = 0;
        for (int i = 0; i < fight.MatchCount(); ++i) {
            cancelled += fight.GetMatch(i).Status == StatusCancelled;
            before += fight.GetMatch(i).Status == StatusBefore;
        }
        EXPECT_EQ(cancelled, 1);
        EXPECT_EQ(before, 2);
        EXPECT_EQ(Records(*japan, fight), expected);
        const std::string written = EncodeMatchText(*japan, fight);
        if (first.empty())
            first = written;
        EXPECT_EQ(written.substr(written.find("\r\n", written.find("LastUpdate"))),
                  first.substr(first.find("\r\n", first.find("LastUpdate"))));
    }
}

TEST(MatchImport, CsvLinesThatCannotBeRead) {
    const std::unique_ptr<TPennant> japan = Season(TemplateJapan);
    const std::string head = "date,home,visitor,home_score,visitor_score,status,game\n";
    const std::string good = "2026/04/01,G,T,1,0,,\n";
    const struct {
        std::string Line;
        const char* Why;
    } faults[] = {
        {"2026/13/01,G,T,1,0,,\n", "日付「2026/13/01」が読めません"},
        {"2026/04/01,ヤクルトス,T,1,0,,\n", "チーム「ヤクルトス」が見つかりません"},
        {"2026/04/01,G,,1,0,,\n", "ビジターのチームがありません"},
        {"2026/04/01,巨人,G,1,0,,\n", "ホームとビジターが同じチーム「G」です"},
        {"2026/04/01,G,T,1,x,,\n", "得点「x」が数字ではありません"},
        {"2026/04/01,G,T,200,1,,\n", "得点「200」が大きすぎます"},
        {"2026/04/01,G,T,1,,,\n", "得点が片方しかありません"},
        {"2026/04/01,G,T,,,final,\n", "終了の試合に両チームの得点がありません"},
        {"2026/04/01,G,T,1,2,done,\n", "状態「done」は 終了、中止、未定 のどれでもありません"},
        {"2026/04/01,G,T,1,2,,first\n", "試合番号「first」が数字ではありません"},
        {"2026/04/01,G,T,1,2\n", "列の数が見出しと違います (5列、見出しは7列)"},
        {"2026/04/01,G,T,1,2,,,\n", "列の数が見出しと違います (8列、見出しは7列)"},
        {"2026/04/01,\"G,T,1,2,,\n", "引用符が閉じていません"},
    };
    TFight season;
    AddGame(season, Game("G", "T", days::Encode(2026, 3, 1)).Score(2, 2));
    for (const auto& f : faults) {
        TCsvRead read =
            ReadMatchCsv(head + good + f.Line + (f.Line.find('"') == std::string::npos ? good : ""), *japan);
        ASSERT_TRUE(read.Header);
        EXPECT_EQ(read.Text.UnreadLines, 1) << f.Why;
        ASSERT_EQ(read.Text.Problems.size(), 1u) << f.Why;
        EXPECT_EQ(read.Text.Problems[0].Line, 3);
        EXPECT_EQ(read.Text.Problems[0].Why, f.Why);
        EXPECT_EQ(CheckImport(*japan, season, read.Text), TImportCheck::Unreadable);
    }

    // Many failures: all counted, the first five kept with their reasons.
    std::string many = head;
    for (int i = 0; i < 8; ++i)
        many += "2026/04/01,G,ヤクルトス,1,0,,\n";
    const TCsvRead read = ReadMatchCsv(many, *japan);
    EXPECT_EQ(UnreadableLinesText(read.Text), "読み込めない行が8行あります (最初は2行目)");
    EXPECT_EQ(UnreadableLineReasons(read.Text),
              (std::vector<std::string>{
                  "2行目: チーム「ヤクルトス」が見つかりません", "3行目: チーム「ヤクルトス」が見つかりません",
                  "4行目: チーム「ヤクルトス」が見つかりません", "5行目: チーム「ヤクルトス」が見つかりません",
                  "6行目: チーム「ヤクルトス」が見つかりません", "ほか3行"}));
}

// The match text's own lines say why, too.
TEST(MatchImport, MatchTextLinesSayWhy) {
    const std::string head = "t\r\nCheck001\r\nLastUpdate:2026/01/01 00:00:00\r\n";
    const std::string good = "2026/04/01   G  3 - 2  T    \r\n";
    const struct {
        std::string Line;
        const char* Why;
    } faults[] = {
        {"2026/13/01   G  3 - 2  T    ", "日付「2026/13/01」が読めません"},
        {"             G  a - 2  T    ", "得点「a」が数字ではありません"},
        {"             G  3 - 2x T    ", "得点「2x」が数字ではありません"},
        {"             G  3 - 2  T   C", "28桁目「C」が空白でも X でもありません"},
        {"2026/04/01 G 3 - 2 T", "行が短すぎます (20バイト、28バイト必要)"},
    };
    for (const auto& f : faults) {
        const TMatchText text = ReadMatchText(head + good + f.Line + "\r\n" + good);
        EXPECT_EQ(UnreadableLineReasons(text), std::vector<std::string>{"5行目: " + std::string(f.Why)});
    }
}

TEST(MatchImport, FilesRefusedAsAWhole) {
    const std::unique_ptr<TPennant> japan = Season(TemplateJapan);
    const struct {
        std::string Bytes;
        std::optional<TMatchFormat> Format;
        const char* Refusal;
    } files[] = {
        {"", std::nullopt, "ファイルが空です。"},
        {"\xEF\xBB\xBF\r\n \r\n", std::nullopt, "ファイルが空です。"},
        {std::string("PK\x03\x04\0\0\x14\0", 8), std::nullopt, "テキストファイルではありません。"},
        {"just some notes\nnothing more\n", std::nullopt,
         "対戦データとして読める形式 (対戦データテキスト、見出し行のある CSV、ゲームログ) ではありません。"},
        {"just some notes\n", TMatchFormat::Csv, "CSV の見出し行に日付、ホーム、ビジターの列がありません。"},
        {"date,home,visitor\r\n\r\n", std::nullopt, "取り込む試合がありません。"},
    };
    for (const auto& f : files) {
        const TImportFile file = ReadImportBytes(f.Bytes, *japan, f.Format);
        EXPECT_EQ(file.Refusal, f.Refusal) << f.Bytes;
        EXPECT_EQ(file.Text.Fight->MatchCount(), 0);
    }
    // Forced to read a CSV as a game log: every line is reported, nothing taken.
    const TImportFile forced = ReadImportBytes(Data("japan-season.csv"), *japan, TMatchFormat::GameLog);
    EXPECT_EQ(forced.Refusal, "");
    EXPECT_EQ(forced.Text.UnreadLines, 13);
}

// Written out and read back: the same games, in the same order and numbers,
// whatever the symbols hold.
TEST(MatchImport, CsvExportReadsBackToTheSameGames) {
    std::unique_ptr<TPennant> pennant;
    std::unique_ptr<TFight> fight;
    ASSERT_TRUE(LoadSeason(std::string(TABLORA_SOURCE_DIR) + "/resources/sample.qvk", pennant, fight));
    // A symbol that needs quoting, another that differs from it only in
    // width, and numbers at the ends of what a record holds.
    TTeam& odd = pennant->GetLeague(0).GetDistrict(0).GetTeam(0);
    const std::string old = odd.Symbol;
    odd.SetSymbol("A,\"");
    for (int i = 0; i < fight->MatchCount(); ++i)
        for (TMatchSymbol* s : {&fight->GetMatch(i).HomeSymbol, &fight->GetMatch(i).VisitorSymbol})
            if (*s == old)
                s->Set(odd.Symbol);
    const auto rename = [&](int team, const std::string& symbol) {
        TTeam& t = pennant->GetLeague(0).GetDistrict(0).GetTeam(team);
        for (int i = 0; i < fight->MatchCount(); ++i)
            for (TMatchSymbol* s : {&fight->GetMatch(i).HomeSymbol, &fight->GetMatch(i).VisitorSymbol})
                if (*s == t.Symbol)
                    s->Set(symbol);
        t.SetSymbol(symbol);
    };
    rename(1, sjis::S("Ａ"));
    rename(2, "A");
    fight->GetMatch(0).GameNo = -128;
    fight->GetMatch(1).HomeScore = 127;

    const std::string csv = EncodeMatchCsv(*pennant, *fight);
    EXPECT_TRUE(csv.starts_with("\xEF\xBB\xBF日付,試合番号,ホーム,ビジター,ホーム得点,ビジター得点,状態\r\n"));
    TImportFile file = ReadImportBytes(csv, *pennant, std::nullopt);
    ASSERT_EQ(file.Format, TMatchFormat::Csv);
    ASSERT_EQ(file.Text.UnreadLines, 0) << UnreadableLineReasons(file.Text)[0];
    EXPECT_TRUE(file.Text.Numbered);
    TFight back;
    ApplyImport(*pennant, back, std::move(file.Text));
    EXPECT_EQ(EncodeMatchCsv(*pennant, back), csv);
    ASSERT_EQ(back.MatchCount(), fight->MatchCount());
    for (int i = 0; i < back.MatchCount(); ++i)
        EXPECT_EQ(std::memcmp(&back.GetMatch(i), &fight->GetMatch(i), sizeof(TMatchRec)), 0) << i;
}

// A daily file replaces the days it holds and leaves the others.
TEST(MatchImport, MergeReplacesOnlyTheFilesDays) {
    const TFixedClock clock(days::Encode(2026, 4, 3) + 0.5);
    const std::unique_ptr<TPennant> japan = Season(TemplateJapan);
    const double d1 = days::Encode(2026, 4, 1), d2 = d1 + 1, d3 = d1 + 2;
    TFight season;
    season.LastUpdate = d2;
    AddGame(season, Game("G", "T", d1).Score(1, 0).Number(1));
    AddGame(season, Game("S", "D", d1).Score(2, 2).Number(2));
    AddGame(season, Game("G", "T", d2).Number(1));
    AddGame(season, Game("S", "D", d2).Number(2));
    AddGame(season, Game("C", "YB", d3).Number(1));
    const std::string daily = "日付,ホーム,ビジター,ホーム得点,ビジター得点\n"
                              "2026/04/02,阪神,巨人,5,4\n" // moved to the other ground
                              "2026/04/04,中日,広島,,\n";  // a day the season did not have

    TFight merged;
    merged = std::move(season);
    ApplyImport(*japan, merged, Import(*japan, daily), true);
    const auto text = [](const TFight& f) {
        std::string s;
        for (int i = 0; i < f.MatchCount(); ++i)
            s += MatchLine(f.GetMatch(i), true) + "|";
        return s;
    };
    EXPECT_EQ(text(merged), "2026/04/01   G  1 - 0  T    |2026/04/01   S  2 - 2  D    |"
                            "2026/04/02   T  5 - 4  G    |2026/04/03   C    -    YB   |"
                            "2026/04/04   D    -    C    |");
    EXPECT_EQ(merged.LastUpdate, days::Encode(2026, 4, 3) + 0.5);

    // Without merge the file's games are all there is.
    TFight replaced;
    AddGame(replaced, Game("C", "YB", d3));
    ApplyImport(*japan, replaced, Import(*japan, daily));
    EXPECT_EQ(text(replaced), "2026/04/02   T  5 - 4  G    |2026/04/04   D    -    C    |");
}
