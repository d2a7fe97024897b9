#include "core/standings/BaseballCalc.h"

#include "core/base/DayNumber.h"
#include "core/base/SjisText.h"

#include <algorithm>

namespace {

struct TMarks {
    std::string Win = sjis::S("○"), Loss = sjis::S("●"), Draw = sjis::S("△"), Cancelled = sjis::S("中止"),
                Home = sjis::S("ホ"), Visitor = sjis::S("ビ"), None = sjis::S("－");
};

const TMarks& Marks() {
    static const TMarks marks;
    return marks;
}

// One streak step: a win extends the winning run and ends the losing one, a loss the reverse.
void Streak(bool won, int32_t& winMax, int32_t& winNow, int32_t& loseMax, int32_t& loseNow) {
    if (won) {
        ++winNow;
        loseNow = 0;
        winMax = std::max(winMax, winNow);
    } else {
        ++loseNow;
        winNow = 0;
        loseMax = std::max(loseMax, loseNow);
    }
}

} // namespace

void TSideRecord::Add(uint8_t status, int own, int opp) {
    if (status == StatusBefore) {
        ++Remain;
        return;
    }
    if (status != StatusFinished)
        return;
    ++Games;
    RunsFor += own;
    RunsAgainst += opp;
    ++(own > opp ? Wins : own < opp ? Losses : Draws);
}

TSideRecord& TSideRecord::operator+=(const TSideRecord& other) {
    Games += other.Games;
    Wins += other.Wins;
    Losses += other.Losses;
    Draws += other.Draws;
    Remain += other.Remain;
    RunsFor += other.RunsFor;
    RunsAgainst += other.RunsAgainst;
    return *this;
}

TSideRecord TVersus::Total() const {
    TSideRecord total = Home;
    return total += Visitor;
}

TSideRecord TTmRec::Total() const {
    TSideRecord total = Home;
    return total += Visitor;
}

int TTmRec::AddEntry() {
    GameList.emplace_back();
    return EntryCount() - 1;
}

int32_t TTmRec::WinRate() const {
    int64_t decided = Decided();
    if (decided == 0)
        return 0;
    return static_cast<int32_t>(static_cast<int64_t>(Wins()) * 1000000 / decided);
}

TDayResult TTmRec::DayResult(double day) const {
    const TMarks& m = Marks();
    TDayResult result;
    const int64_t wanted = days::WholeDay(day);
    bool any = false;
    for (const TGameEntry& e : GameList) {
        if (days::WholeDay(e.GameDate) != wanted)
            continue;
        any = true;
        result.Opponent = e.Opponent;
        switch (e.Status) {
        case StatusFinished:
            result.Marks += e.OwnScore > e.OppScore ? m.Win : e.OwnScore < e.OppScore ? m.Loss : m.Draw;
            break;
        case StatusCancelled:
            result.Marks += m.Cancelled;
            break;
        case StatusBefore:
            result.Marks += e.IsVisitor ? m.Visitor : m.Home;
            break;
        default:
            break;
        }
    }
    if (!any)
        result.Opponent = result.Marks = m.None;
    return result;
}

TStreaks TTmRec::GetStreaks() const {
    TStreaks s;
    for (const TGameEntry& e : GameList) {
        if (e.Status != StatusFinished || e.OwnScore == e.OppScore)
            continue;
        bool won = e.OwnScore > e.OppScore;
        Streak(won, s.WinMax, s.WinNow, s.LoseMax, s.LoseNow);
        if (e.IsVisitor)
            Streak(won, s.VisitorWinMax, s.VisitorWinNow, s.VisitorLoseMax, s.VisitorLoseNow);
        else
            Streak(won, s.HomeWinMax, s.HomeWinNow, s.HomeLoseMax, s.HomeLoseNow);
    }
    return s;
}

void AddToVersus(TVersus& v, const TGameEntry& e) {
    const bool visitor = e.IsVisitor != 0;
    (visitor ? v.Visitor : v.Home).Add(e.Status, e.OwnScore, e.OppScore);
    if (e.Status != StatusFinished || e.OwnScore == e.OppScore)
        return;
    const bool won = e.OwnScore > e.OppScore;
    Streak(won, v.WinMax, v.WinNow, v.LoseMax, v.LoseNow);
    if (visitor)
        Streak(won, v.VisitorWinMax, v.VisitorWinNow, v.VisitorLoseMax, v.VisitorLoseNow);
    else
        Streak(won, v.HomeWinMax, v.HomeWinNow, v.HomeLoseMax, v.HomeLoseNow);
}

TVersus TTmRec::GetVersus(std::string_view opponent) const {
    TVersus v;
    for (const TGameEntry& e : GameList)
        if (e.Opponent == opponent)
            AddToVersus(v, e);
    return v;
}

int TTmRec::ConditionLevel() const {
    int k = 10, sum = 0;
    for (auto it = GameList.rbegin(); it != GameList.rend() && k >= 1; ++it) {
        if (it->Status != StatusFinished)
            continue;
        if (it->OwnScore > it->OppScore)
            sum += 2 * k;
        else if (it->OwnScore == it->OppScore)
            sum += k;
        --k;
    }
    // Each game missing from the last ten counts as a draw.
    sum += k * (k + 1) / 2;
    if (sum < 50)
        return sum / 10 + 1;
    if (sum <= 60)
        return 6;
    return (sum - 1) / 10 + 1;
}

uint32_t TRkCalc::KeyOf(const TMatchSymbol& symbol) {
    const uint32_t len = symbol.Len > 3 ? 3u : symbol.Len;
    uint32_t key = len;
    for (uint32_t i = 0; i < len; ++i)
        key |= static_cast<uint32_t>(static_cast<unsigned char>(symbol.Chars[i])) << (8 * (i + 1));
    return key;
}

uint32_t TRkCalc::KeyOf(std::string_view symbol) {
    if (symbol.size() > 3)
        return 0xFFu; // no match symbol is longer than three bytes
    uint32_t key = static_cast<uint32_t>(symbol.size());
    for (size_t i = 0; i < symbol.size(); ++i)
        key |= static_cast<uint32_t>(static_cast<unsigned char>(symbol[i])) << (8 * (i + 1));
    return key;
}

void TRkCalc::RebuildIndex() {
    Index.clear();
    LargeIndex.clear();
    for (const auto& team : Teams)
        IndexTeam(team.get());
}

void TRkCalc::IndexTeam(TTmRec* team) {
    const uint32_t key = KeyOf(team->Symbol);
    Index.emplace_back(key, team);
    // Past a few teams a hash lookup beats the walk; emplace keeps the first of a shared symbol.
    if (Index.size() > kWalkedTeams) {
        if (LargeIndex.empty())
            for (const auto& [k, t] : Index)
                LargeIndex.emplace(k, t);
        else
            LargeIndex.emplace(key, team);
    }
}

TTmRec* TRkCalc::Lookup(uint32_t key) const {
    if (!LargeIndex.empty()) {
        const auto it = LargeIndex.find(key);
        return it == LargeIndex.end() ? nullptr : it->second;
    }
    for (const auto& [teamKey, team] : Index)
        if (teamKey == key)
            return team;
    return nullptr;
}

int TRkCalc::AddTeam(std::string_view symbol) {
    auto rec = std::make_unique<TTmRec>();
    rec->Symbol = std::string(symbol);
    IndexTeam(rec.get());
    Teams.push_back(std::move(rec));
    return Count() - 1;
}

void TRkCalc::AddMatch(const TMatchRec& match) {
    const TMatchRec m = match;
    // Most matches of a season are not the district's: look the teams up
    // by packed symbol before making any text.
    TTmRec* home = Lookup(KeyOf(m.HomeSymbol));
    TTmRec* visitor = Lookup(KeyOf(m.VisitorSymbol));
    if (!home && !visitor)
        return;

    auto feed = [&](TTmRec& team, bool isVisitor) {
        const int8_t own = isVisitor ? m.VisitorScore : m.HomeScore;
        const int8_t opp = isVisitor ? m.HomeScore : m.VisitorScore;
        (isVisitor ? team.Visitor : team.Home).Add(m.Status, own, opp);
        TGameEntry& e = team.GameList[static_cast<size_t>(team.AddEntry())];
        e.IsVisitor = isVisitor ? 1 : 0;
        e.Opponent = (isVisitor ? m.HomeSymbol : m.VisitorSymbol).Text();
        e.Status = m.Status;
        e.OwnScore = own;
        e.OppScore = opp;
        e.GameDate = m.GameDate;
    };

    if (home)
        feed(*home, false);
    if (visitor)
        feed(*visitor, true);
}

void TRkCalc::Rank(bool byWins) {
    if (Teams.size() > 1) {
        auto byRate = [](const std::unique_ptr<TTmRec>& a, const std::unique_ptr<TTmRec>& b) {
            if (a->WinRate() != b->WinRate())
                return a->WinRate() > b->WinRate();
            if (a->Wins() != b->Wins())
                return a->Wins() > b->Wins();
            if (a->Losses() != b->Losses())
                return a->Losses() < b->Losses();
            return a->Draws() > b->Draws();
        };
        auto byWinCount = [](const std::unique_ptr<TTmRec>& a, const std::unique_ptr<TTmRec>& b) {
            if (a->Wins() != b->Wins())
                return a->Wins() > b->Wins();
            return a->WinRate() > b->WinRate();
        };
        if (byWins)
            std::stable_sort(Teams.begin(), Teams.end(), byWinCount);
        else
            std::stable_sort(Teams.begin(), Teams.end(), byRate);
        RebuildIndex(); // the first team in list order wins a shared symbol
    }

    for (size_t i = 0; i < Teams.size(); ++i) {
        TTmRec& row = *Teams[i];
        if (i == 0) {
            row.RankNo = 1;
            row.BehindTop = row.BehindPrev = 0;
            continue;
        }
        const TTmRec& top = *Teams[0];
        const TTmRec& prev = *Teams[i - 1];
        if (byWins) {
            const bool tied = row.Wins() == prev.Wins() && row.WinRate() == prev.WinRate();
            row.RankNo = tied ? prev.RankNo : static_cast<int32_t>(i + 1);
            row.BehindTop = static_cast<int32_t>((int64_t(top.Wins()) - row.Wins()) * 10);
            row.BehindPrev = tied ? 0 : static_cast<int32_t>((int64_t(prev.Wins()) - row.Wins()) * 10);
        } else {
            row.RankNo = row.WinRate() == prev.WinRate() ? prev.RankNo : static_cast<int32_t>(i + 1);
            auto behind = [&](const TTmRec& other) {
                int64_t games = (int64_t(other.Wins()) - row.Wins()) + (int64_t(row.Losses()) - other.Losses());
                return static_cast<int32_t>(games * 10 / 2);
            };
            row.BehindTop = behind(top);
            row.BehindPrev = behind(prev);
        }
    }
}

TTmRec* TRkCalc::FindTeam(std::string_view symbol) const {
    if (symbol.size() <= 3)
        return Lookup(KeyOf(symbol));
    for (const auto& team : Teams) // no match record holds such a symbol
        if (team->Symbol == symbol)
            return team.get();
    return nullptr;
}

TKeyDates TRkCalc::GetKeyDates() const {
    TKeyDates k;
    for (const auto& team : Teams)
        for (const TGameEntry& e : team->GameList) {
            const int64_t day = days::WholeDay(e.GameDate);
            if (day > days::WholeDay(k.LastGameDay))
                k.LastGameDay = e.GameDate;
            if (e.Status == StatusBefore)
                continue;
            if (day > days::WholeDay(k.LastResultDay)) {
                k.PrevResultDay = k.LastResultDay;
                k.LastResultDay = e.GameDate;
            } else if (day < days::WholeDay(k.LastResultDay) && day > days::WholeDay(k.PrevResultDay)) {
                k.PrevResultDay = e.GameDate;
            }
        }
    return k;
}

int TRkCalc::Magic(int index, bool byWins) const {
    const TTmRec& team = Items(index);
    int largest = -1;
    bool anyRival = false;
    for (int j = 0; j < Count(); ++j) {
        if (j == index)
            continue;
        const TTmRec& rival = Items(j);
        const TVersus versus = team.GetVersus(rival.Symbol);
        const int m =
            MagicVersus({team.Decided(), team.Wins(), team.Remain()}, {rival.Decided(), rival.Wins(), rival.Remain()},
                        versus.Home.Remain + versus.Visitor.Remain, byWins);
        if (m < 0)
            return -1;
        anyRival = true;
        largest = std::max(largest, m);
    }
    return anyRival ? largest : -1;
}

int MagicVersus(const TMagicRecord& team, const TMagicRecord& rival, int remainVsRival, bool byWins) {
    const int64_t a = team.Decided, b = team.Wins, c = team.Remain, g = rival.Decided, f = rival.Wins, e = rival.Remain;
    const int64_t most = c - remainVsRival; // games T can still win that X does not also play
    if (most < 0)
        return -1;
    // X's best possible rate: it wins everything left.
    const int64_t h = g + e == 0 ? 0 : (f + e) * 1000000 / (g + e);
    auto qualifies = [&](int64_t n) {
        const int64_t l = a + c == 0 ? 0 : (b + n) * 1000000 / (a + c);
        return l > h && (!byWins || b + n >= f + e);
    };
    // T's rate only grows with n, so the qualifying n form a range ending at
    // `most`; find where it starts without walking every value.
    int64_t n = 0;
    if (a + c > 0) {
        const int64_t need = ((h + 1) * (a + c) + 999999) / 1000000 - b; // smallest n with l > h, for a + c > 0
        n = std::max<int64_t>(n, need);
    }
    if (byWins)
        n = std::max<int64_t>(n, f + e - b);
    if (n > most)
        return -1;
    // Guard the shortcut: it must agree with the rule itself.
    if (!qualifies(n))
        return -1;
    while (n > 0 && qualifies(n - 1))
        --n;
    return static_cast<int>(n);
}
