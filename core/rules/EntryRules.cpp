#include "core/rules/EntryRules.h"

#include "core/base/DayNumber.h"
#include "core/season/BaseballPennant.h"

#include <charconv>

std::vector<TMatchRec> GamesOn(const TFight& fight, double day) {
    std::vector<TMatchRec> games;
    int index = 0;
    while (const TMatchRec* m = fight.FindNextOnDay(index, day))
        games.push_back(*m);
    return games;
}

void ReplaceDay(TFight& fight, double day, const std::vector<TMatchRec>& games,
                const std::vector<std::string>& seasonSymbols) {
    fight.DeleteDay(day);
    std::vector<TMatchRec*> stored;
    for (const TMatchRec& game : games) {
        stored.push_back(&fight.GetMatch(fight.NewMatch()));
        *stored.back() = game;
    }
    NumberDay(stored, seasonSymbols);
}

namespace {

double TargetDay(const TScheduleEntry& row) {
    return row.DateUndecided ? days::UndecidedDate : row.NewDate;
}

bool BothTeams(const TMatchRec& m) {
    return m.HomeSymbol.Len > 0 && m.VisitorSymbol.Len > 0;
}

} // namespace

TScheduleEntry NewScheduleEntry(double pickedDay, double today) {
    TScheduleEntry row;
    row.Match.GameDate = pickedDay;
    row.NewDate = days::SameDay(pickedDay, days::UndecidedDate) ? today : pickedDay;
    return row;
}

std::optional<TEntryError> ValidateSchedule(const std::vector<TScheduleEntry>& rows,
                                            const std::vector<TTeamItem>& teams, bool interleague) {
    for (size_t i = 0; i < rows.size(); ++i) {
        const TMatchRec& m = rows[i].Match;
        const std::string home = m.HomeSymbol.Text(), visitor = m.VisitorSymbol.Text();
        const int n = static_cast<int>(i) + 1;
        if (home.empty() && visitor.empty())
            continue;
        const int h = TeamIndexOf(teams, home), v = TeamIndexOf(teams, visitor);
        if (h < 0)
            return TEntryError{n, "ホームチームの内容に誤りがあります。"};
        if (v < 0)
            return TEntryError{n, "ビジターチームの内容に誤りがあります。"};
        if (!home.empty() && !visitor.empty()) {
            if (home == visitor)
                return TEntryError{n, "ホームチームとビジターチームが同じです。"};
            if (!interleague && teams[static_cast<size_t>(h)].LeagueIndex != teams[static_cast<size_t>(v)].LeagueIndex)
                return TEntryError{n, "リーグが異なるチームの対戦です。"};
        }
    }
    return std::nullopt;
}

void RegisterSchedule(TPennant& pennant, TFight& fight, std::vector<TScheduleEntry>& rows, double pickedDay,
                      const std::vector<TTeamItem>& teams) {
    std::vector<std::string> symbols;
    for (const TTeamItem& team : teams)
        symbols.push_back(team.Symbol);

    // The day itself: every row with both teams that is neither deleted nor moved.
    std::vector<TMatchRec> day;
    for (const TScheduleEntry& row : rows)
        if (BothTeams(row.Match) && !row.DeleteFlag && !row.ChangeDate)
            day.push_back(row.Match);
    ReplaceDay(fight, pickedDay, day, symbols);

    // Moved games join their target day behind its games, all renumbered.
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!BothTeams(rows[i].Match) || !rows[i].ChangeDate)
            continue;
        const double target = TargetDay(rows[i]);
        std::vector<TMatchRec> games = GamesOn(fight, target);
        for (size_t j = i; j < rows.size(); ++j)
            if (rows[j].ChangeDate && days::SameDay(TargetDay(rows[j]), target)) {
                TMatchRec moved = rows[j].Match;
                moved.GameDate = target;
                games.push_back(moved);
                rows[j].ChangeDate = false;
            }
        ReplaceDay(fight, target, games, symbols);
    }
    fight.SortMatches();
    pennant.Modified = 1;
}

std::string ConfirmText(double pickedDay) {
    if (days::SameDay(pickedDay, days::UndecidedDate))
        return "試合日未定データを\r\n登録しますか？";
    return days::FormatDate(pickedDay) + "のデータを\r\n登録しますか？";
}

int ScoreFromText(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r\n");
    size_t last = text.find_last_not_of(" \t\r\n");
    if (first == std::string::npos)
        return 0;
    const std::string trimmed = text.substr(first, last - first + 1);
    long long value = 0;
    const char* begin = trimmed.data();
    if (*begin == '+')
        ++begin;
    auto [end, ec] = std::from_chars(begin, trimmed.data() + trimmed.size(), value);
    if (end != trimmed.data() + trimmed.size() || (ec != std::errc() && ec != std::errc::result_out_of_range))
        return 0;
    if (ec == std::errc::result_out_of_range)
        return trimmed[0] == '-' ? 0 : 99;
    return value < 0 ? 0 : value > 99 ? 99 : static_cast<int>(value);
}

bool DrawReplayOffered(const TResultEntry& row, uint8_t drawRule) {
    return row.NewState == StatusFinished && row.Match.HomeScore == row.Match.VisitorScore &&
           row.Match.Status == StatusBefore && drawRule != 0;
}

bool MakeUpDue(const TResultEntry& row, uint8_t drawRule) {
    if (row.NoMakeUp)
        return false;
    const bool newlyCancelled = row.Match.Status != StatusCancelled && row.NewState == StatusCancelled;
    return newlyCancelled || DrawReplayOffered(row, drawRule);
}

void RegisterResults(TPennant& pennant, TFight& fight, const std::vector<TResultEntry>& rows, double now) {
    // First every stored game, before any record is added or removed.
    for (const TResultEntry& row : rows) {
        row.LiveMatch->HomeScore = row.Match.HomeScore;
        row.LiveMatch->VisitorScore = row.Match.VisitorScore;
        row.LiveMatch->Status = row.NewState;
    }
    const std::vector<std::string> symbols = SeasonSymbols(pennant);
    for (const TResultEntry& row : rows) {
        if (!MakeUpDue(row, pennant.DrawRuleBySymbol(row.Match.HomeSymbol.Text())))
            continue;
        const double target = row.MakeUpUndecided ? days::UndecidedDate : row.MakeUpDate;
        std::vector<TMatchRec> games = GamesOn(fight, target);
        TMatchRec makeUp = row.Match;
        makeUp.HomeScore = makeUp.VisitorScore = 0;
        makeUp.Status = StatusBefore;
        makeUp.GameDate = target;
        games.push_back(makeUp);
        ReplaceDay(fight, target, games, symbols);
    }
    fight.SortMatches();
    fight.LastUpdate = now;
    pennant.Modified = 1;
}
