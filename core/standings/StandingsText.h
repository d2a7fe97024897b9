// How standings numbers are written, shared by the table views and the
// command-line tool. Texts are Shift-JIS.
#pragma once

#include "core/standings/BaseballCalc.h"

#include <string>

// A rate given in millionths as "#.000": .500, 1.000, .000 (rounded to thousandths).
std::string FormatRate(int64_t millionths);
// wins / decided as "#.000"; ".000" when nothing was decided.
std::string FormatRatio(int64_t wins, int64_t decided);
// Tenths of a game as "0.0": 1.5, -3.5, 0.0.
std::string FormatTenths(int64_t tenths);
// total / count as "0.00"; "0.00" when count is 0.
std::string FormatAverage(int64_t total, int64_t count);
// "優勝" for 0, "M" and the number otherwise.
std::string MagicText(int magic);

// The "差" column of the standings: a magic number when the team has one,
// "－" for the top row and for a negative distance to the team above,
// otherwise the distance to the top (whole wins when ranked by wins).
std::string BehindText(const TTmRec& team, int row, int magic, bool byWins);

// The standings' state line: "全日程終了", "m月d日(aaa) 現在" or "開始前".
std::string StandingsStateText(bool allPlayed, const TKeyDates& keys);
