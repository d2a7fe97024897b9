#include "core/season/BaseballFight.h"

#include "core/base/DayNumber.h"
#include "core/season/BaseballPennant.h"
#include "core/season/TeamList.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <unordered_map>

void TMatchSymbol::Set(std::string_view text) {
    Len = static_cast<uint8_t>(std::min<size_t>(text.size(), 3));
    std::memset(Chars, 0, sizeof Chars);
    std::memcpy(Chars, text.data(), Len);
}

void TFight::Reserve(int count) {
    const size_t spare = Free.size() + (BlockSize - BlockUsed);
    if (count <= 0 || static_cast<size_t>(count) <= spare)
        return;
    const size_t size = static_cast<size_t>(count) - spare;
    // Whatever is left of the current block stays usable through the free list.
    for (; BlockUsed < BlockSize; ++BlockUsed)
        Free.push_back(&Blocks.back()[BlockUsed]);
    Blocks.push_back(std::make_unique<TMatchRec[]>(size));
    BlockSize = size;
    BlockUsed = 0;
    Matches.reserve(Matches.size() + static_cast<size_t>(count));
}

int TFight::NewMatch() {
    TMatchRec* record;
    if (!Free.empty()) {
        record = Free.back();
        Free.pop_back();
        *record = TMatchRec{};
    } else {
        if (BlockUsed == BlockSize)
            Reserve(static_cast<int>(std::clamp<size_t>(Matches.size(), 64, 4096)));
        record = &Blocks.back()[BlockUsed++];
    }
    Matches.push_back(record);
    return MatchCount() - 1;
}

void TFight::Release(TMatchRec* record) {
    Free.push_back(record);
}

void TFight::Clear() {
    Matches.clear();
    Blocks.clear();
    Free.clear();
    BlockSize = BlockUsed = 0;
}

void TFight::SortMatches() {
    if (Matches.size() < 2)
        return;
    std::stable_sort(Matches.begin(), Matches.end(), [](const TMatchRec* a, const TMatchRec* b) {
        int64_t da = days::WholeDay(a->GameDate), db = days::WholeDay(b->GameDate);
        if (da != db)
            return da < db;
        return a->GameNo < b->GameNo;
    });
}

TMatchRec* TFight::FindNextOnDay(int& index, double day) const {
    const int64_t wanted = days::WholeDay(day);
    for (int i = std::max(index, 0); i < MatchCount(); ++i) {
        if (days::WholeDay(Matches[static_cast<size_t>(i)]->GameDate) == wanted) {
            index = i + 1;
            return Matches[static_cast<size_t>(i)];
        }
    }
    index = -1;
    return nullptr;
}

void TFight::DeleteDay(double day) {
    const int64_t wanted = days::WholeDay(day);
    auto kept = std::stable_partition(Matches.begin(), Matches.end(),
                                      [&](const TMatchRec* m) { return days::WholeDay(m->GameDate) != wanted; });
    for (auto it = kept; it != Matches.end(); ++it)
        Release(*it);
    Matches.erase(kept, Matches.end());
}

bool TFight::DeleteMatch(int index) {
    if (index < 0 || index >= MatchCount())
        return false;
    Release(Matches[static_cast<size_t>(index)]);
    Matches.erase(Matches.begin() + index);
    return true;
}

namespace {

const char kCheckerAlphabet[] = "123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ@\\#";
static_assert(sizeof kCheckerAlphabet - 1 == 64, "the checker alphabet has 64 characters");

std::mt19937& SharedRng() {
    static std::mt19937 rng(static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));
    return rng;
}

} // namespace

std::string MakeChecker(int length, std::mt19937& rng) {
    std::uniform_int_distribution<int> pick(0, 63);
    std::string text;
    for (int i = 0; i < length; ++i)
        text += kCheckerAlphabet[pick(rng)];
    return text;
}

std::string MakeChecker(int length) {
    return MakeChecker(length, SharedRng());
}

void SeedRandom(uint32_t seed) {
    SharedRng().seed(seed);
}

void NumberDay(const std::vector<TMatchRec*>& games, const std::vector<std::string>& seasonSymbols) {
    // A day of a real season (a dozen teams, a few games) is numbered as the
    // rule reads: for each place of the season order, its games.
    if (games.size() * seasonSymbols.size() <= 4096) {
        int counter = 0;
        for (const std::string& symbol : seasonSymbols)
            for (TMatchRec* game : games)
                if (game->HomeSymbol == symbol)
                    game->GameNo = static_cast<int8_t>(++counter);
        return;
    }
    // A larger one indexes the day's games of each home symbol, in the order
    // given: one pass over the games and one over the season's symbols.
    struct TSymbolGames {
        std::vector<TMatchRec*> Games;
        size_t LastPlace = 0; // the symbol's last place in the season order
    };
    std::unordered_map<std::string, TSymbolGames> bySymbol;
    bySymbol.reserve(std::min(games.size(), seasonSymbols.size()));
    for (TMatchRec* game : games)
        bySymbol[game->HomeSymbol.Text()].Games.push_back(game);
    for (size_t i = 0; i < seasonSymbols.size(); ++i)
        if (auto it = bySymbol.find(seasonSymbols[i]); it != bySymbol.end())
            it->second.LastPlace = i;
    // Numbers follow the season order. A symbol two teams share counts its
    // games at each of its places, and they keep the numbers of the last one.
    int counter = 0;
    for (size_t i = 0; i < seasonSymbols.size(); ++i) {
        const auto it = bySymbol.find(seasonSymbols[i]);
        if (it == bySymbol.end())
            continue;
        if (it->second.LastPlace != i) {
            counter += static_cast<int>(it->second.Games.size());
            continue;
        }
        for (TMatchRec* game : it->second.Games)
            game->GameNo = static_cast<int8_t>(++counter);
    }
}

void RenumberGames(const TPennant& pennant, TFight& fight) {
    const std::vector<std::string> order = SeasonSymbols(pennant);
    std::vector<TMatchRec*> day;
    for (int i = 0; i < fight.MatchCount(); ++i) {
        TMatchRec* game = &fight.GetMatch(i);
        if (!day.empty() && !days::SameDay(game->GameDate, day.front()->GameDate)) {
            NumberDay(day, order);
            day.clear();
        }
        day.push_back(game);
    }
    NumberDay(day, order);
    fight.SortMatches();
}
