// The terminal's side of `odds`: the command line, read before anything is
// loaded, then handed to the program that carries the race.
#include "cli/OddsCommand.h"

#include "cli/MatchTextCommands.h"
#include "core/base/DayNumber.h"

#include <charconv>

namespace {

template <typename T> std::optional<T> Number(const std::string& text, T least) {
    T value{};
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < least)
        return std::nullopt;
    return value;
}

} // namespace

int OddsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const TCliPrograms& programs) {
    TOddsRequest request;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.empty() || a[0] != '-') {
            if (!request.Season.empty())
                throw TCliUsageError{"ファイルは一つだけ指定してください"};
            request.Season = a;
            continue;
        }
        if (a == "--history") {
            request.History = true;
            continue;
        }
        if (i + 1 >= args.size())
            throw TCliUsageError{a + " には値が必要です"};
        const std::string& value = args[++i];
        if (a == "--district") {
            const auto n = Number<int>(value, 0);
            if (!n)
                throw TCliUsageError{"--district には 0 以上の整数を指定してください"};
            request.District = *n;
        } else if (a == "--day") {
            request.Day = days::ParseDate(value);
            if (!request.Day)
                throw TCliUsageError{"--day は yyyy/mm/dd の形で指定してください"};
        } else if (a == "--place") {
            const auto n = Number<int>(value, 1);
            if (!n)
                throw TCliUsageError{"--place には 1 以上の整数を指定してください"};
            request.Place = *n;
        } else if (a == "--runs") {
            const auto n = Number<long long>(value, 1);
            if (!n || *n > kOddsMostRuns)
                throw TCliUsageError{"--runs には 1 から 100000000 までの整数を指定してください"};
            request.Runs = *n;
        } else if (a == "--seed") {
            const auto n = Number<uint64_t>(value, 0);
            if (!n)
                throw TCliUsageError{"--seed には 0 以上の整数を指定してください"};
            request.Seed = *n;
        } else if (a == "--model") {
            if (value != "even" && value != "runs")
                throw TCliUsageError{"--model は even か runs です"};
            request.Model = value;
        } else if (a == "--format") {
            if (value != "text" && value != "json" && value != "csv")
                throw TCliUsageError{"--format は text、json、csv のどれかです"};
            request.Format = value;
        } else if (a == "--threads") {
            const auto n = Number<int>(value, 1);
            if (!n)
                throw TCliUsageError{"--threads には 1 以上の整数を指定してください"};
            request.Threads = *n;
        } else {
            throw TCliUsageError{"不明なオプション " + a};
        }
    }
    if (request.Season.empty())
        throw TCliUsageError{"シーズンファイルを指定してください"};
    if (request.Day && request.History)
        throw TCliUsageError{"--history と --day は一緒に指定できません"};
    if (!programs.Odds)
        return ExecSibling(kRaceProgram, args, "優勝確率を計算するプログラム", out, err);
    return programs.Odds(request, out, err);
}
