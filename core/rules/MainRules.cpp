#include "core/rules/MainRules.h"

#include "core/base/SjisText.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"

#include <algorithm>

namespace {

// Texts are put together with += throughout: GCC 12 misreads "x" + std::string
// as overlapping copies and warns.
std::string Numbered(int n, const std::string& text) {
    std::string caption = "&";
    caption += std::to_string(n);
    caption += ".";
    caption += text;
    return caption;
}

// The accelerator of the n-th team (from 1): 1 to 9, then A to Z, and past
// the 35th team the same round again, so it is always a letter or a digit
// (pressing it again moves on to the next team that shares it).
char TeamAccelerator(int n) {
    static const char keys[] = "123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    return keys[(n - 1) % (sizeof keys - 1)];
}

} // namespace

std::vector<TViewMenuEntry> ScheduleMenuEntries(const TPennant& p, size_t first, size_t end) {
    std::vector<TViewMenuEntry> entries;
    if (p.LeagueCount() != 1 || !p.GetLeague(0).Name.empty()) {
        end = std::min(end, static_cast<size_t>(p.LeagueCount()));
        for (size_t l = first; l < end; ++l)
            entries.push_back({Numbered(static_cast<int>(l) + 1, p.GetLeague(static_cast<int>(l)).Name), int(l)});
    } else if (first == 0 && end > 0) {
        entries.push_back({Numbered(1, p.Contents), 0});
    }
    return entries;
}

std::vector<TViewMenuEntry> DistrictMenuEntries(const TPennant& p, size_t first, size_t end) {
    std::vector<TViewMenuEntry> entries;
    if (p.LeagueCount() == 1 && p.GetLeague(0).DistrictCount() == 1 && p.GetLeague(0).Name.empty() &&
        p.GetLeague(0).GetDistrict(0).Name.empty()) {
        if (first == 0 && end > 0)
            entries.push_back({Numbered(1, p.Contents), 0});
        return entries;
    }
    size_t n = 0; // season-wide index of the league's first district
    for (const TLeague& league : p.LeagueList()) {
        const size_t count = static_cast<size_t>(league.DistrictCount());
        for (size_t d = std::max(first, n) - n; d < count && n + d < end; ++d)
            entries.push_back({Numbered(static_cast<int>(n + d) + 1, league.Name + league.GetDistrict(int(d)).Name),
                               static_cast<int>(n + d)});
        n += count;
        if (n >= end)
            break;
    }
    return entries;
}

std::vector<TViewMenuEntry> TeamMenuEntries(const TPennant& p, size_t first, size_t end) {
    std::vector<TViewMenuEntry> entries;
    size_t n = 0; // season-wide index of the district's first team
    for (const TLeague& league : p.LeagueList())
        for (const TDistrict& district : league.DistrictList()) {
            const size_t count = static_cast<size_t>(district.TeamCount());
            for (size_t t = std::max(first, n) - n; t < count && n + t < end; ++t) {
                const int number = static_cast<int>(n + t) + 1;
                std::string caption = number <= 9 ? "0" : "";
                caption += std::to_string(number);
                caption += ".";
                caption += district.GetTeam(int(t)).Name;
                caption += "(&";
                caption += TeamAccelerator(number);
                caption += ")";
                entries.push_back({caption, number - 1});
            }
            n += count;
            if (n >= end)
                return entries;
        }
    return entries;
}

std::string MainCaption(const TPennant* p) {
    if (!p)
        return "タブローラ";
    return "タブローラ   【 " + sjis::ToUtf8(p->Contents) + " 】";
}

TCommandStates CommandStates(bool seasonOpen, bool hasFileName, bool hasMatches) {
    TCommandStates s;
    s.Save = seasonOpen && hasFileName;
    s.SeasonCommands = seasonOpen;
    s.Views = seasonOpen && hasMatches;
    return s;
}

TChildBox CascadeBox(int position, int step, int width, int height, int workWidth, int workHeight) {
    step = std::max(step, 1);
    workWidth = std::max(workWidth, 1);
    workHeight = std::max(workHeight, 1);
    const int positions = 1 + std::min(workWidth, workHeight) / 2 / step;
    const int offset = std::max(position, 0) % positions * step;
    return {offset, offset, std::clamp(width, 1, std::max(workWidth - offset, 1)),
            std::clamp(height, 1, std::max(workHeight - offset, 1))};
}

double ResultsStartDay(const TFight& fight, double today) {
    for (int i = 0; i < fight.MatchCount(); ++i)
        if (fight.GetMatch(i).Status == StatusBefore)
            return fight.GetMatch(i).GameDate;
    return today;
}
