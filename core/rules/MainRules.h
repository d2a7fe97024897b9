// What the main window decides, apart from its widgets: the entries of the
// view menus, the caption, the command states, and where results registration starts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TPennant;
class TFight;

struct TViewMenuEntry {
    std::string Caption; // Shift-JIS, with its "&" accelerator
    int Index = 0;
};

// The view menus' entries. Each function gives those at positions [first, end)
// of its list, so a menu of a huge season builds only the part it shows.

// "日程" entries: one per league, or one for the season when it has exactly one unnamed league.
std::vector<TViewMenuEntry> ScheduleMenuEntries(const TPennant& pennant, size_t first = 0, size_t end = SIZE_MAX);
// "勝敗表" / "対戦成績表" entries: one per district over the whole season, or one
// for the season when its only league and only district are both unnamed.
std::vector<TViewMenuEntry> DistrictMenuEntries(const TPennant& pennant, size_t first = 0, size_t end = SIZE_MAX);
// "順位推移" entries: "01.name(&1)" … "09.name(&9)", "10.name(&A)" … "35.name(&Z)",
// then "36.name(&1)" and on round the same 35 keys.
std::vector<TViewMenuEntry> TeamMenuEntries(const TPennant& pennant, size_t first = 0, size_t end = SIZE_MAX);

// "タブローラ" alone, or with the season's title: "タブローラ   【 title 】" (UTF-8).
std::string MainCaption(const TPennant* pennant);

struct TCommandStates {
    bool Save = false;           // Save and ToolSave
    bool SeasonCommands = false; // Save As, editor, both registrations and their buttons, import
    bool Views = false;          // view menus and buttons, export, clear
};

TCommandStates CommandStates(bool seasonOpen, bool hasFileName, bool hasMatches);

// A child window's bounds in the main window's workspace (its top-left is 0, 0).
struct TChildBox {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const TChildBox&) const = default;
};

// Where the child window at `position` of a cascade goes: `step` (a title bar)
// further right and down per position, from the workspace's top-left. A window
// wider or taller than the room left is sized down to it (its content scrolls);
// the cascade starts again at the top-left rather than squeeze a window below
// half the workspace. New windows take the position of the number already open.
TChildBox CascadeBox(int position, int step, int width, int height, int workWidth, int workHeight);

// The day results registration opens on: the first unplayed game of the
// (sorted) match list, or `today` when every game has a result.
double ResultsStartDay(const TFight& fight, double today);
