// Generated seasons for the benchmarks: the major-league template (30 teams in
// 6 districts) with every game played, at `gamesPerTeam` games a team.
#pragma once

#include "core/base/DayNumber.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "core/season/SeasonTemplates.h"

#include <algorithm>
#include <memory>
#include <numeric>
#include <random>
#include <vector>

struct TBenchSeason {
    std::unique_ptr<TPennant> Pennant = std::make_unique<TPennant>();
    std::unique_ptr<TFight> Fight = std::make_unique<TFight>();
};

// 15 games a day, every team playing once; 162 games a team make 2,430 games.
inline TBenchSeason MakeBenchSeason(int gamesPerTeam) {
    TBenchSeason s;
    BuildTemplate(TemplateMajor, *s.Pennant);
    s.Pennant->Checker = "BenchSea";
    std::vector<std::string> symbols;
    s.Pennant->ForEachTeam([&](TLeague&, TDistrict&, TTeam& t) { symbols.push_back(t.Symbol); });
    std::mt19937 rng(42);
    std::vector<int> order(symbols.size());
    std::iota(order.begin(), order.end(), 0);
    const double first = days::Encode(2026, 4, 1);
    for (int day = 0; day < gamesPerTeam; ++day) {
        std::shuffle(order.begin(), order.end(), rng);
        for (size_t i = 0; i + 1 < order.size(); i += 2) {
            TMatchRec& m = s.Fight->GetMatch(s.Fight->NewMatch());
            m.HomeSymbol.Set(symbols[static_cast<size_t>(order[i])]);
            m.VisitorSymbol.Set(symbols[static_cast<size_t>(order[i + 1])]);
            m.GameDate = first + day;
            m.Status = StatusFinished;
            m.HomeScore = static_cast<int8_t>(rng() % 10);
            m.VisitorScore = static_cast<int8_t>(rng() % 10);
            if (m.HomeScore == m.VisitorScore)
                ++m.HomeScore; // no draws in this league
        }
    }
    RenumberGames(*s.Pennant, *s.Fight);
    return s;
}
