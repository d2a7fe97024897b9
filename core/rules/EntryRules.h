// What schedule and results registration decide, apart from their widgets:
// the team list, validation, how a day is collected and numbered, how games
// move to another day, and the make-up games of results registration.
#pragma once

#include "core/season/BaseballFight.h"
#include "core/season/TeamList.h"

#include <optional>
#include <string>
#include <vector>

class TPennant;

// Puts `games` on day `day` in place of what was there, in this order, numbered
// by the numbering rule (NumberDay) over the season's symbols.
void ReplaceDay(TFight& fight, double day, const std::vector<TMatchRec>& games,
                const std::vector<std::string>& seasonSymbols);
// The games stored on a day, in list order.
std::vector<TMatchRec> GamesOn(const TFight& fight, double day);

// ---- Schedule registration ----

struct TScheduleEntry {
    bool Loaded = false;
    bool Marked = false;
    TMatchRec Match;
    bool DeleteFlag = false;
    bool ChangeDate = false;
    double NewDate = 0;
    bool DateUndecided = false;
};

// A new row for the picked day.
TScheduleEntry NewScheduleEntry(double pickedDay, double today);

struct TEntryError {
    int Row = 0;         // 1-based over all pages
    std::string Message; // UTF-8, without the row number
    std::string Text() const { return std::to_string(Row) + "番目:" + Message; }
};

// The first row that cannot be stored, or none.
std::optional<TEntryError> ValidateSchedule(const std::vector<TScheduleEntry>& rows,
                                            const std::vector<TTeamItem>& teams, bool interleague);

// Stores the day (after validation and confirmation): the kept rows replace
// the day, numbered; moved rows join their target days behind their games;
// the list is sorted and the season marked modified. `rows` loses its moves.
void RegisterSchedule(TPennant& pennant, TFight& fight, std::vector<TScheduleEntry>& rows, double pickedDay,
                      const std::vector<TTeamItem>& teams);

// The confirmation question of a registration (UTF-8).
std::string ConfirmText(double pickedDay);

// ---- Results registration ----

struct TResultEntry {
    bool Marked = false;
    TMatchRec* LiveMatch = nullptr; // the stored game
    TMatchRec Match;                // copy at load; its scores follow the score fields
    uint8_t NewState = 0;
    bool NoMakeUp = false;
    bool MakeUpUndecided = true;
    double MakeUpDate = 0;
};

// A typed score: a decimal integer within 0 to 99; anything else is 0.
int ScoreFromText(const std::string& text);

// True when registering the row adds a make-up game.
bool MakeUpDue(const TResultEntry& row, uint8_t drawRule);
// True when the row's make-up controls belong on screen for this state and these scores.
bool DrawReplayOffered(const TResultEntry& row, uint8_t drawRule);

// Writes every row into its stored game, adds the make-up games due, sorts,
// renews LastUpdate with `now` and marks the season modified.
void RegisterResults(TPennant& pennant, TFight& fight, const std::vector<TResultEntry>& rows, double now);
