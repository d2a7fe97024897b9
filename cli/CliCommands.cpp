#include "cli/CliCommands.h"

#include "cli/MatchTextCommands.h"
#include "cli/OddsCommand.h"
#include "core/base/DayNumber.h"
#include "core/base/SjisText.h"
#include "core/export/StandingsExport.h"
#include "core/io/SeasonFile.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "core/standings/DistrictStandings.h"
#include "core/standings/StandingsText.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <ostream>
#include <unistd.h>

std::string clitext::U(const std::string& sjisText) {
    return sjis::ToUtf8(sjisText);
}

std::string clitext::Cell(const std::string& sjisText, size_t width, bool right) {
    std::string pad(sjisText.size() < width ? width - sjisText.size() : 0, ' ');
    return right ? pad + U(sjisText) : U(sjisText) + pad;
}

std::string clitext::DrawRuleText(uint8_t rule) {
    switch (rule) {
    case 0:
        return "有";
    case 1:
        return "有(再試合)";
    case 2:
        return "無";
    default:
        return "不明(" + std::to_string(rule) + ")";
    }
}

namespace {

const char kUsage[] =
    "使い方:\n"
    "  tablora-cli info SEASON.qvk\n"
    "  tablora-cli standings SEASON.qvk [--district N] [--day yyyy/mm/dd] [--format text|json|csv|html]\n"
    "  tablora-cli race SEASON.qvk [--district N] [--day yyyy/mm/dd] [--place K] [--format text|json]\n"
    "                              [--scenario 記号]  (100 チームを超える地区では、そのチームの例だけ)\n"
    "  tablora-cli odds SEASON.qvk [--district N] [--day yyyy/mm/dd] [--place K] [--runs N] [--seed S]\n"
    "                              [--model even|runs] [--format text|json|csv] [--history]\n"
    "                              (優勝と K 位以内の確率。--runs の既定は 100000、--history は 1 日 10000)\n"
    "  tablora-cli check SEASON.qvk\n"
    "  tablora-cli render SEASON.qvk --view VIEW --index N [options] [--title] [--scale S] --out FILE.png\n"
    "    standings   N = 地区  [--mode 0|1|2]\n"
    "    transition  N = チーム\n"
    "    schedule    N = リーグ\n"
    "    headtohead  N = 地区  [--filter 0|1|2] [--page P]\n"
    "    versus      N = 地区  --team 記号 --opponent 記号 [--filter 0|1|2]\n"
    "    race        N = 地区  [--place K] [--day yyyy/mm/dd]  (優勝争いの表、K の既定は 3)\n"
    "    odds        N = 地区  [--place K] [--runs N] [--seed S]  (優勝確率の表)\n"
    "    oddshistory N = 地区  [--place K] [--runs N] [--seed S]  (優勝確率の推移、--runs は 1 日の回数)\n"
    "    (N と P は 0 から数えます。--filter は 0 全試合、1 ホーム、2 ビジター。\n"
    "     --title は表の上に、何の表かを示す一行を付けます。\n"
    "     --scale S は同じ表を縦横 S 倍の画素で描きます。S は 1 から 4、既定は 1。印刷向けには 2)\n"
    "  tablora-cli export SEASON.qvk --out FILE [--format matchtext|csv]\n"
    "  tablora-cli import SEASON.qvk FILE --out NEW.qvk [--format matchtext|csv|gamelog] [--merge] [--force]\n"
    "    (--format がなければ、export は名前が .csv なら CSV で書き出し、import は中身から形式を判断します。\n"
    "     --merge はファイルにある日の試合だけを入れ替え、ほかの日はそのままにします)\n"
    "  tablora-cli new --template 0|1|2 --out NEW.qvk  (0 日本プロ野球、1 メジャーリーグ、2 その他)\n";

int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const TCliPrograms& programs);

struct TUsageError {
    std::string Message;
};

int Usage(std::ostream& err, const std::string& message) {
    err << "tablora-cli: " << message << "\n" << kUsage;
    return 2;
}

using TSeason = TCliSeason;

std::optional<TSeason> Load(const std::string& path, std::ostream& err) {
    return LoadCliSeason(path, err);
}

using clitext::Cell;
using clitext::DrawRuleText;
using clitext::U;

int Info(const TSeason& s, std::ostream& out) {
    const TPennant& p = *s.Pennant;
    out << "データ内容: " << U(p.Contents) << "\n";
    out << "チェッカー: " << U(p.Checker) << "\n";
    out << "リーグ交流試合: " << (p.Interleague ? "有" : "無") << "\n";
    for (int l = 0; l < p.LeagueCount(); ++l) {
        const TLeague& league = p.GetLeague(l);
        out << "リーグ " << l + 1 << ": " << U(league.Name) << "  引き分け: " << DrawRuleText(league.DrawRule)
            << "  順位決定: " << (league.RankRule == 1 ? "勝数優先" : "勝率優先") << "\n";
        for (int d = 0; d < league.DistrictCount(); ++d) {
            const TDistrict& district = league.GetDistrict(d);
            out << "  地区 " << d + 1 << ": " << U(district.Name) << "\n";
            for (int t = 0; t < district.TeamCount(); ++t) {
                const TTeam& team = district.GetTeam(t);
                out << "    " << Cell(team.Symbol, 4, false) << Cell(team.ShortName, 22, false) << U(team.Name) << "\n";
            }
        }
    }
    int finished = 0, cancelled = 0, undecided = 0;
    for (int m = 0; m < s.Fight->MatchCount(); ++m) {
        const TMatchRec& match = s.Fight->GetMatch(m);
        finished += match.Status == StatusFinished;
        cancelled += match.Status == StatusCancelled;
        undecided += days::SameDay(match.GameDate, days::UndecidedDate);
    }
    out << "試合数: " << s.Fight->MatchCount() << " (終了 " << finished << ", 中止 " << cancelled << ", 日程未定 "
        << undecided << ")\n";
    out << "最終更新: " << (s.Fight->LastUpdate == 0 ? "なし" : days::FormatDateTime(s.Fight->LastUpdate)) << "\n";
    return 0;
}

void StandingsText(std::ostream& out, const TPennant& p, const TDistrictStandings& s) {
    const TRkCalc& calc = *s.Calc;
    const bool noDraws = s.League->DrawRule == 2;
    out << U(s.League->Name + s.District->Name) << "  " << U(StandingsStateText(s.AllPlayed(), s.Keys)) << "  消化率 "
        << s.CompletionRate() << "%\n";

    const std::string header = sjis::S(noDraws ? "順位  チーム          試合   勝   負   勝率    差   残"
                                               : "順位  チーム          試合   勝   負   分   勝率    差   残");
    out << U(header) << "\n";
    const TSymbolIndex teams(p); // a district can hold tens of thousands of rows
    for (int i = 0; i < calc.Count(); ++i) {
        const TTmRec& r = calc.Items(i);
        const TTeam* team = teams.Team(r.Symbol);
        const int magic = calc.Magic(i, s.ByWins);
        std::string line = Cell(std::to_string(r.RankNo), 4, true) + "  " +
                           Cell(team ? team->ShortName : r.Symbol, 14, false) +
                           Cell(std::to_string(noDraws ? r.Games() - r.Draws() : r.Games()), 6, true) +
                           Cell(std::to_string(r.Wins()), 5, true) + Cell(std::to_string(r.Losses()), 5, true);
        if (!noDraws)
            line += Cell(std::to_string(r.Draws()), 5, true);
        line += Cell(FormatRate(r.WinRate()), 7, true) + Cell(BehindText(r, i, magic, s.ByWins), 6, true) +
                Cell(std::to_string(r.Remain()), 5, true);
        out << line << "\n";
    }
}

std::optional<int> ParseIndex(const std::string& text) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 0)
        return std::nullopt;
    return value;
}

// Walks a command's arguments: options with their values, and one season file.
class TOptionReader {
public:
    explicit TOptionReader(const std::vector<std::string>& args) : Args(args) {}
    // The next option, or false at the end; the season file is taken on the way.
    bool Next(std::string& option) {
        while (++Pos < Args.size()) {
            const std::string& a = Args[Pos];
            if (!a.empty() && a[0] == '-') {
                option = a;
                return true;
            }
            if (!Path.empty())
                throw TUsageError{"ファイルは一つだけ指定してください"};
            Path = a;
        }
        return false;
    }
    const std::string& Value() {
        if (Pos + 1 >= Args.size())
            throw TUsageError{Args[Pos] + " には値が必要です"};
        return Args[++Pos];
    }
    static void Unknown(const std::string& option) { throw TUsageError{"不明なオプション " + option}; }
    std::string Path;

private:
    const std::vector<std::string>& Args;
    size_t Pos = 0;
};

int Standings(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    int district = 0;
    std::optional<double> day;
    std::string format = "text";
    TOptionReader options(args);
    std::string a;
    while (options.Next(a)) {
        auto value = [&]() -> const std::string& { return options.Value(); };
        if (a == "--district") {
            std::optional<int> n = ParseIndex(value());
            if (!n)
                throw TUsageError{"--district には 0 以上の整数を指定してください"};
            district = *n;
        } else if (a == "--day") {
            day = days::ParseDate(value());
            if (!day)
                throw TUsageError{"--day は yyyy/mm/dd の形で指定してください"};
        } else if (a == "--format") {
            format = value();
            if (format != "text" && format != "json" && format != "csv" && format != "html")
                throw TUsageError{"--format は text、json、csv、html のどれかです"};
        } else {
            TOptionReader::Unknown(a);
        }
    }
    const std::string& path = options.Path;
    if (path.empty())
        throw TUsageError{"シーズンファイルを指定してください"};

    std::optional<TSeason> season = Load(path, err);
    if (!season)
        return 1;
    std::optional<TDistrictStandings> s = BuildDistrictStandings(*season->Pennant, *season->Fight, district, day);
    if (!s) {
        err << "tablora-cli: " << path << ": 地区 " << district << " はありません (地区数 "
            << season->Pennant->TotalDistrictCount() << ")\n";
        return 2; // an index that names nothing, as for render
    }
    if (format == "json")
        WriteStandingsJson(out, *season->Pennant, *s);
    else if (format == "csv")
        WriteStandingsCsv(out, *season->Pennant, *s);
    else if (format == "html")
        WriteStandingsHtml(out, *season->Pennant, *s);
    else
        StandingsText(out, *season->Pennant, *s);
    return 0;
}

int Race(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, const TCliPrograms& programs) {
    int district = 0, place = 1;
    std::optional<double> day;
    std::string format = "text", scenario;
    TOptionReader options(args);
    std::string a;
    while (options.Next(a)) {
        if (a == "--district") {
            std::optional<int> n = ParseIndex(options.Value());
            if (!n)
                throw TUsageError{"--district には 0 以上の整数を指定してください"};
            district = *n;
        } else if (a == "--day") {
            day = days::ParseDate(options.Value());
            if (!day)
                throw TUsageError{"--day は yyyy/mm/dd の形で指定してください"};
        } else if (a == "--place") {
            std::optional<int> n = ParseIndex(options.Value());
            if (!n || *n < 1)
                throw TUsageError{"--place には 1 以上の整数を指定してください"};
            place = *n;
        } else if (a == "--format") {
            format = options.Value();
            if (format != "text" && format != "json")
                throw TUsageError{"--format は text か json です"};
        } else if (a == "--scenario") {
            scenario = sjis::FromUtf8(options.Value()); // typed in the terminal's UTF-8
        } else {
            TOptionReader::Unknown(a);
        }
    }
    if (options.Path.empty())
        throw TUsageError{"シーズンファイルを指定してください"};
    if (!programs.Race)
        return ExecSibling(kRaceProgram, args, "優勝争いを決めるプログラム", out, err);
    return programs.Race({options.Path, district, day, place, format, scenario}, out, err);
}

int Render(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, const TCliPrograms& programs) {
    TRenderRequest request;
    bool haveView = false, haveIndex = false;
    TOptionReader options(args);
    std::string a;
    while (options.Next(a)) {
        auto value = [&]() -> const std::string& { return options.Value(); };
        if (a == "--view") {
            request.View = value();
            if (request.View != "standings" && request.View != "transition" && request.View != "schedule" &&
                request.View != "headtohead" && request.View != "versus" && request.View != "race" &&
                request.View != "odds" && request.View != "oddshistory")
                throw TUsageError{"--view は standings、transition、schedule、headtohead、versus、race、odds、"
                                  "oddshistory のどれかです"};
            haveView = true;
        } else if (a == "--index") {
            std::optional<int> n = ParseIndex(value());
            if (!n)
                throw TUsageError{"--index には 0 以上の整数を指定してください"};
            request.Index = *n;
            haveIndex = true;
        } else if (a == "--mode") {
            std::optional<int> n = ParseIndex(value());
            if (!n || *n > 2)
                throw TUsageError{"--mode は 0、1、2 のどれかです"};
            request.Mode = *n;
        } else if (a == "--filter") {
            std::optional<int> n = ParseIndex(value());
            if (!n || *n > 2)
                throw TUsageError{"--filter は 0、1、2 のどれかです"};
            request.Filter = *n;
        } else if (a == "--page") {
            std::optional<int> n = ParseIndex(value());
            if (!n)
                throw TUsageError{"--page には 0 以上の整数を指定してください"};
            request.Page = *n;
        } else if (a == "--team" || a == "--opponent") {
            // Symbols are typed in the terminal's UTF-8 and stored in Shift-JIS.
            (a == "--team" ? request.Team : request.Opponent) = sjis::FromUtf8(value());
        } else if (a == "--place" || a == "--runs" || a == "--seed") { // odds, oddshistory
            const std::string& text = value();
            uint64_t n = 0;
            auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
            if (ec != std::errc() || end != text.data() + text.size() || (a != "--seed" && n < 1) ||
                (a == "--place" && n > 99) || (a == "--runs" && n > 100000000))
                throw TUsageError{a == "--seed" ? "--seed には 0 以上の整数を指定してください"
                                  : a == "--place" ? "--place には 1 から 99 までの整数を指定してください"
                                                   : "--runs には 1 から 100000000 までの整数を指定してください"};
            if (a == "--place")
                request.Place = static_cast<int>(n);
            else if (a == "--runs")
                request.Runs = static_cast<long long>(n);
            else
                request.Seed = n;
        } else if (a == "--day") { // race
            request.Day = days::ParseDate(value());
            if (!request.Day)
                throw TUsageError{"--day は yyyy/mm/dd の形で指定してください"};
        } else if (a == "--out") {
            request.Out = value();
        } else if (a == "--title") {
            request.Title = true;
        } else if (a == "--scale") {
            const std::optional<int> n = ParseIndex(value());
            if (!n || *n < 1 || *n > 4)
                throw TUsageError{"--scale には 1 から 4 までの整数を指定してください"};
            request.Scale = *n;
        } else {
            TOptionReader::Unknown(a);
        }
    }
    request.Season = options.Path;
    if (request.Season.empty() || !haveView || !haveIndex || request.Out.empty())
        throw TUsageError{"render にはシーズンファイル、--view、--index、--out が必要です"};
    if (request.View == "versus" && (request.Team.empty() || request.Opponent.empty()))
        throw TUsageError{"versus には --team と --opponent が必要です"};
    if (!programs.Render)
        return ExecSibling(kRenderProgram, args, "画像を描くプログラム", out, err);
    return programs.Render(request, err);
}

std::string FileArgument(const std::vector<std::string>& args) {
    if (args.size() != 2 || args[1].empty() || args[1][0] == '-')
        throw TUsageError{args[0] + " にはシーズンファイルを一つ指定してください"};
    return args[1];
}

} // namespace

TCliSeason::TCliSeason() = default;
TCliSeason::TCliSeason(TCliSeason&&) noexcept = default;
TCliSeason::~TCliSeason() = default;

std::optional<TCliSeason> LoadCliSeason(const std::string& path, std::ostream& err) {
    TCliSeason season;
    TLoadError why = TLoadError::None;
    if (!LoadSeason(path, season.Pennant, season.Fight, &why)) {
        err << "tablora-cli: " << path << ": " << LoadErrorText(why) << "\n";
        return std::nullopt;
    }
    return season;
}

int ExecSibling(const std::string& program, const std::vector<std::string>& args, const std::string& what,
                std::ostream& out, std::ostream& err) {
    std::string self(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", self.data(), self.size() - 1);
    self.resize(n > 0 ? static_cast<size_t>(n) : 0);
    const size_t slash = self.find_last_of('/');
    const std::string path = (slash == std::string::npos ? std::string(".") : self.substr(0, slash)) + "/" + program;
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(path.c_str()));
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    // What was written so far goes out before this process becomes the other program.
    out.flush();
    err.flush();
    std::cout.flush();
    std::fflush(nullptr);
    ::execv(path.c_str(), argv.data());
    const int why = errno;
    err << "tablora-cli: " << what << " " << path
        << (why == ENOENT ? " がありません" : " を起動できません: " + std::string(std::strerror(why))) << "\n";
    return 1;
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, const TCliPrograms& programs) {
    const int code = RunCommand(args, out, err, programs);
    // Output cut off by a full disk or a closed pipe is a failure, not a result.
    errno = 0;
    out.flush();
    if (!out) {
        const int why = errno;
        err << "tablora-cli: 結果を出力できません";
        if (why != 0)
            err << " (" << FileErrorText(why) << ")";
        err << "\n";
        return 1;
    }
    return code;
}

namespace {

int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const TCliPrograms& programs) {
    try {
        if (args.empty())
            return Usage(err, "コマンドを指定してください");
        const std::string& command = args[0];
        if (command == "info") {
            std::optional<TSeason> season = Load(FileArgument(args), err);
            return season ? Info(*season, out) : 1;
        }
        if (command == "check") {
            const std::string path = FileArgument(args);
            std::optional<TSeason> season = Load(path, err);
            if (!season)
                return 1;
            out << path << ": 正しいシーズンファイルです (チーム " << season->Pennant->TotalTeamCount() << ", 試合 "
                << season->Fight->MatchCount() << ")\n";
            return 0;
        }
        if (command == "standings")
            return Standings(args, out, err);
        if (command == "race")
            return Race(args, out, err, programs);
        if (command == "render")
            return Render(args, out, err, programs);
        if (command == "odds")
            return OddsCommand(args, out, err, programs);
        if (command == "export")
            return ExportCommand(args, out, err);
        if (command == "import")
            return ImportCommand(args, out, err);
        if (command == "new")
            return NewCommand(args, out, err);
        if (command == "--help" || command == "-h" || command == "help") {
            out << kUsage;
            return 0;
        }
        return Usage(err, "不明なコマンド " + command);
    } catch (const TUsageError& e) {
        return Usage(err, e.Message);
    } catch (const TCliUsageError& e) {
        return Usage(err, e.Message);
    }
}

} // namespace
