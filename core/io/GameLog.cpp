#include "core/io/GameLog.h"

#include "core/base/DayNumber.h"
#include "core/base/SjisText.h"
#include "core/io/Csv.h"
#include "core/io/MatchImport.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <utility>
#include <vector>

namespace {

// The game logs' codes that differ from the template's symbols. Clubs that
// moved or were renamed are taken as the template's club of the same franchise.
constexpr std::array<std::pair<std::string_view, std::string_view>, 16> kClubs{{
    {"NYA", "NYY"},
    {"CHA", "CWS"},
    {"KCA", "KC"},
    {"TBA", "TB"},
    {"SLN", "STL"},
    {"CHN", "CHC"},
    {"LAN", "LA"},
    {"SFN", "SF"},
    {"SDN", "SD"},
    {"NYN", "NYM"},
    {"FLO", "FLA"},
    {"MIA", "FLA"},
    {"WAS", "MON"},
    {"CAL", "ANA"},
    {"LAA", "ANA"},
    {"MLA", "MIL"},
}};

constexpr size_t kMinFields = 11;

bool Digits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "チーム「XYZ」" in UTF-8 for a field read from the file.
std::string Quoted(std::string_view field) {
    return "「" + TextAsUtf8(field) + "」";
}

} // namespace

std::string GameLogClubSymbol(std::string_view code) {
    for (const auto& [log, symbol] : kClubs)
        if (log == code)
            return std::string(symbol);
    return std::string(code);
}

bool LooksLikeGameLog(std::string_view bytes) {
    if (bytes.empty() || bytes.front() != '"')
        return false;
    // The first line only: no field of a game log spans lines.
    const size_t end = bytes.find_first_of("\r\n");
    TCsvReader reader(bytes.substr(0, end));
    std::vector<std::string> fields;
    return reader.Next(fields) && fields.size() >= 100 && fields[0].size() == 8 && Digits(fields[0]);
}

TMatchText ReadGameLog(std::string_view bytes, const TPennant& pennant) {
    TMatchText result;
    result.Foreign = true;
    result.HasChecker = false;
    result.Fight = std::make_unique<TFight>();
    TFight& fight = *result.Fight;
    fight.Reserve(static_cast<int>(std::min<size_t>(std::count(bytes.begin(), bytes.end(), '\n') + 1, 1 << 20)));

    const TTeamNames names(pennant);
    auto team = [&names](const std::string& code) -> const std::string* {
        const std::string* symbol = names.FindSymbol(GameLogClubSymbol(code));
        return symbol ? symbol : names.Find(TextAsUtf8(code));
    };

    TCsvReader reader(bytes);
    std::vector<std::string> f;
    size_t width = 0; // the first line's field count: every line has as many
    while (reader.Next(f)) {
        const int line = reader.Line();
        if (f.size() == 1 && f[0].find_first_not_of(" \t") == std::string::npos)
            continue; // a blank line
        if (reader.Unclosed()) {
            result.Unreadable(line, "引用符が閉じていません");
            continue;
        }
        if (width == 0)
            width = f.size();
        if (f.size() != width || f.size() < kMinFields) {
            result.Unreadable(line, "列の数が違います (" + std::to_string(f.size()) + "列、" +
                                        (f.size() < kMinFields && f.size() == width
                                             ? "少なくとも" + std::to_string(kMinFields) + "列"
                                             : "最初の行は" + std::to_string(width) + "列") +
                                        ")");
            continue;
        }
        const std::optional<double> date =
            f[0].size() == 8 && Digits(f[0]) ? ParseAnyDate(f[0]) : std::optional<double>();
        if (!date) {
            result.Unreadable(line, "日付" + Quoted(f[0]) + "が読めません");
            continue;
        }
        const std::optional<int> gameNo = FieldNumber(f[1]);
        if (!gameNo || *gameNo < 0 || *gameNo > 9) {
            result.Unreadable(line, "試合番号" + Quoted(f[1]) + "が読めません");
            continue;
        }
        const std::string* visitor = team(f[3]);
        const std::string* home = team(f[6]);
        if (!visitor || !home) {
            result.Unreadable(line, "チーム" + Quoted(!visitor ? f[3] : f[6]) + "が見つかりません");
            continue;
        }
        if (*visitor == *home) {
            result.Unreadable(line, "ホームとビジターが同じチーム「" + sjis::ToUtf8(*home) + "」です");
            continue;
        }
        std::string why;
        const std::optional<int> visitorScore = ReadRecordNumber(f[9], "得点", why);
        const std::optional<int> homeScore = visitorScore ? ReadRecordNumber(f[10], "得点", why) : std::nullopt;
        if (!visitorScore || !homeScore) {
            result.Unreadable(line, why);
            continue;
        }
        TMatchRec& match = fight.GetMatch(fight.NewMatch());
        match.GameDate = *date;
        match.GameNo = static_cast<int8_t>(*gameNo);
        match.HomeSymbol.Set(*home);
        match.VisitorSymbol.Set(*visitor);
        match.HomeScore = static_cast<int8_t>(*homeScore);
        match.VisitorScore = static_cast<int8_t>(*visitorScore);
        match.Status = StatusFinished;
    }
    // A double-header's games in their order; the import then numbers each day.
    fight.SortMatches();
    return result;
}
