#include "BaseballFight.h"

#include "BaseballPennant.h"
#include "DayNumber.h"

#include <algorithm>
#include <chrono>
#include <cstring>

void TMatchSymbol::Set(std::string_view text) {
    Len = static_cast<uint8_t>(std::min<size_t>(text.size(), 3));
    std::memset(Chars, 0, sizeof Chars);
    std::memcpy(Chars, text.data(), Len);
}

int TFight::NewMatch() {
    Matches.push_back(std::make_unique<TMatchRec>());
    return MatchCount() - 1;
}

void TFight::SortMatches() {
    if (Matches.size() < 2)
        return;
    std::stable_sort(Matches.begin(), Matches.end(),
                     [](const std::unique_ptr<TMatchRec>& a, const std::unique_ptr<TMatchRec>& b) {
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
            return Matches[static_cast<size_t>(i)].get();
        }
    }
    index = -1;
    return nullptr;
}

void TFight::DeleteDay(double day) {
    const int64_t wanted = days::WholeDay(day);
    Matches.erase(std::remove_if(Matches.begin(), Matches.end(),
                                 [&](const std::unique_ptr<TMatchRec>& m) {
                                     return days::WholeDay(m->GameDate) == wanted;
                                 }),
                  Matches.end());
}

bool TFight::DeleteMatch(int index) {
    if (index < 0 || index >= MatchCount())
        return false;
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

std::string MakeChecker(int length) { return MakeChecker(length, SharedRng()); }

void SeedRandom(uint32_t seed) { SharedRng().seed(seed); }

void RenumberGames(const TPennant& pennant, TFight& fight) {
    std::vector<std::string> order;
    pennant.ForEachTeam([&](TLeague&, TDistrict&, TTeam& team) { order.push_back(team.Symbol); });

    auto numberGroup = [&](int first, int end) {
        int counter = 0;
        for (const std::string& symbol : order)
            for (int i = first; i < end; ++i) {
                TMatchRec& m = fight.GetMatch(i);
                if (m.HomeSymbol == symbol)
                    m.GameNo = static_cast<int8_t>(++counter);
            }
    };

    int groupStart = 0;
    for (int i = 1; i < fight.MatchCount(); ++i)
        if (!days::SameDay(fight.GetMatch(i).GameDate, fight.GetMatch(groupStart).GameDate)) {
            numberGroup(groupStart, i);
            groupStart = i;
        }
    if (fight.MatchCount() > 0)
        numberGroup(groupStart, fight.MatchCount());
    fight.SortMatches();
}
