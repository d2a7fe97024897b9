// Games for the tests, named by what matters to each test:
//   AddGame(fight, Game("G", "T", day).Score(3, 1));
//   AddGame(fight, Game("C", "S", day).Cancelled().Number(2));
#pragma once

#include "core/season/BaseballFight.h"

#include <cstdint>

class TGameBuilder {
public:
    TGameBuilder(const char* home, const char* visitor, double day) {
        Rec.HomeSymbol.Set(home);
        Rec.VisitorSymbol.Set(visitor);
        Rec.GameDate = day;
    }
    // A finished game with this score.
    TGameBuilder& Score(int home, int visitor) {
        Rec.HomeScore = static_cast<int8_t>(home);
        Rec.VisitorScore = static_cast<int8_t>(visitor);
        Rec.Status = StatusFinished;
        return *this;
    }
    TGameBuilder& Cancelled() { return State(StatusCancelled); }
    TGameBuilder& State(uint8_t status) {
        Rec.Status = status;
        return *this;
    }
    TGameBuilder& Number(int gameNo) {
        Rec.GameNo = static_cast<int8_t>(gameNo);
        return *this;
    }
    operator TMatchRec() const { return Rec; }

private:
    TMatchRec Rec;
};

// An unplayed game of `home` against `visitor` on `day`, to be given more with the builder's calls.
inline TGameBuilder Game(const char* home, const char* visitor, double day) {
    return TGameBuilder(home, visitor, day);
}

// Appends the game to the match list (unsorted) and returns the stored record.
inline TMatchRec& AddGame(TFight& fight, const TMatchRec& game) {
    TMatchRec& stored = fight.GetMatch(fight.NewMatch());
    stored = game;
    return stored;
}
