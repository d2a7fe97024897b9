#include "MainRules.h"

#include "model/BaseballFight.h"
#include "model/BaseballPennant.h"
#include "model/SjisText.h"

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

std::vector<TViewMenuEntry> ScheduleMenuEntries(const TPennant& p) {
    std::vector<TViewMenuEntry> entries;
    if (p.LeagueCount() != 1 || !p.GetLeague(0).Name.empty()) {
        for (int l = 0; l < p.LeagueCount(); ++l)
            entries.push_back({Numbered(l + 1, p.GetLeague(l).Name), l});
    } else {
        entries.push_back({Numbered(1, p.Contents), 0});
    }
    return entries;
}

std::vector<TViewMenuEntry> DistrictMenuEntries(const TPennant& p) {
    std::vector<TViewMenuEntry> entries;
    if (p.LeagueCount() == 1 && p.GetLeague(0).DistrictCount() == 1 && p.GetLeague(0).Name.empty() &&
        p.GetLeague(0).GetDistrict(0).Name.empty()) {
        entries.push_back({Numbered(1, p.Contents), 0});
        return entries;
    }
    int n = 0;
    for (int l = 0; l < p.LeagueCount(); ++l) {
        const TLeague& league = p.GetLeague(l);
        for (int d = 0; d < league.DistrictCount(); ++d, ++n)
            entries.push_back({Numbered(n + 1, league.Name + league.GetDistrict(d).Name), n});
    }
    return entries;
}

std::vector<TViewMenuEntry> TeamMenuEntries(const TPennant& p) {
    std::vector<TViewMenuEntry> entries;
    int n = 0;
    p.ForEachTeam([&](TLeague&, TDistrict&, TTeam& team) {
        ++n;
        std::string caption = n <= 9 ? "0" : "";
        caption += std::to_string(n);
        caption += ".";
        caption += team.Name;
        caption += "(&";
        caption += TeamAccelerator(n);
        caption += ")";
        entries.push_back({caption, n - 1});
    });
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
