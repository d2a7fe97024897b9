// A Japanese-professional-size season for the race benchmarks: two leagues of
// six teams, each league one district, 143 games a team (25 against each
// league rival, 3 against each team of the other league), win rate first and
// draws standing, like the Central League. Results up to `playedShare` of the
// schedule (0 = opening day, 1 = all played) are entered, about 3% drawn.
#pragma once

#include "core/base/DayNumber.h"
#include "core/base/SjisText.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

struct TRaceSeason {
    std::unique_ptr<TPennant> Pennant = std::make_unique<TPennant>();
    std::unique_ptr<TFight> Fight = std::make_unique<TFight>();
    double FirstDay = 0, LastDay = 0;
};

inline TRaceSeason MakeRaceSeason(double playedShare, unsigned seed = 2026) {
    TRaceSeason s;
    s.Pennant->Contents = sjis::S("優勝争いの試験シーズン");
    s.Pennant->Checker = "RaceSea";
    const char* leagues[] = {"セントラル", "パシフィック"};
    const char* names[2][6] = {{"巨人", "阪神", "中日", "広島", "ヤクルト", "横浜"},
                               {"ロッテ", "西武", "日本ハム", "楽天", "オリックス", "ソフトバンク"}};
    const char* symbols[2][6] = {{"G", "T", "D", "C", "S", "DB"}, {"M", "L", "F", "E", "B", "H"}};
    for (int l = 0; l < 2; ++l) {
        TLeague& league = s.Pennant->GetLeague(s.Pennant->AddLeague());
        league.Name = sjis::S(leagues[l]);
        league.DrawRule = 0;
        league.RankRule = 0;
        TDistrict& district = league.GetDistrict(league.AddDistrict());
        for (int t = 0; t < 6; ++t) {
            TTeam& team = district.GetTeam(district.AddTeam());
            team.Name = team.ShortName = sjis::S(names[l][t]);
            team.SetSymbol(symbols[l][t]);
        }
    }
    std::vector<std::pair<const char*, const char*>> games;
    for (int l = 0; l < 2; ++l)
        for (int a = 0; a < 6; ++a)
            for (int b = a + 1; b < 6; ++b)
                for (int g = 0; g < 25; ++g)
                    games.emplace_back(symbols[l][g % 2 ? a : b], symbols[l][g % 2 ? b : a]);
    for (int a = 0; a < 6; ++a)
        for (int b = 0; b < 6; ++b)
            for (int g = 0; g < 3; ++g)
                games.emplace_back(symbols[g % 2][a], symbols[1 - g % 2][b]);
    std::mt19937 rng(seed);
    std::shuffle(games.begin(), games.end(), rng);
    // Strength differences make a race with leaders and a tail.
    std::map<std::string, double> strength;
    for (int l = 0; l < 2; ++l)
        for (int t = 0; t < 6; ++t)
            strength[symbols[l][t]] = 0.40 + 0.04 * t;
    auto strengthOf = [&](const char* symbol) { return strength[symbol]; };
    s.FirstDay = days::Encode(2026, 3, 27);
    const int seasonDays = 185;
    s.LastDay = s.FirstDay + seasonDays - 1;
    const size_t played = static_cast<size_t>(playedShare * static_cast<double>(games.size()));
    std::uniform_real_distribution<double> coin(0, 1);
    for (size_t i = 0; i < games.size(); ++i) {
        TMatchRec& m = s.Fight->GetMatch(s.Fight->NewMatch());
        m.HomeSymbol.Set(games[i].first);
        m.VisitorSymbol.Set(games[i].second);
        m.GameDate = s.FirstDay + static_cast<double>(i * seasonDays / games.size());
        if (i >= played)
            continue;
        m.Status = StatusFinished;
        const double r = coin(rng);
        const double home = strengthOf(games[i].first) / (strengthOf(games[i].first) + strengthOf(games[i].second));
        if (r < 0.03) {
            m.HomeScore = m.VisitorScore = 2;
        } else if (coin(rng) < home) {
            m.HomeScore = 5;
            m.VisitorScore = 3;
        } else {
            m.HomeScore = 1;
            m.VisitorScore = 4;
        }
    }
    RenumberGames(*s.Pennant, *s.Fight);
    return s;
}
