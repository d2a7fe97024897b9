// The standings of one district as JSON, CSV or an HTML page. All three come
// from one list of fields per team, so a spreadsheet, a web page and a script
// reading the JSON see the same figures. Output is UTF-8.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

class TPennant;
struct TDistrictStandings;

// One value of a team's row. `Key` is the JSON path ("home.wins"); `Text` is
// the value as JSON writes it (numbers plainly, texts unquoted, "" for null).
struct TStandingsField {
    std::string Key;
    std::string Text;
    bool IsText = false; // a string in JSON
    bool IsNull = false; // null in JSON
};

// Each team's fields in standings order, one row at a time: a district can
// hold tens of thousands of teams.
void ForEachStandingsRow(const TPennant& pennant, const TDistrictStandings& standings,
                         const std::function<void(const std::vector<TStandingsField>&)>& row);

void WriteStandingsJson(std::ostream& out, const TPennant& pennant, const TDistrictStandings& standings);
// A header row of the JSON keys, then a row per team; begins with a UTF-8
// byte order mark so spreadsheet programs read the Japanese names right.
void WriteStandingsCsv(std::ostream& out, const TPennant& pennant, const TDistrictStandings& standings);
// A self-contained page (no scripts, no outside resources) with the table.
void WriteStandingsHtml(std::ostream& out, const TPennant& pennant, const TDistrictStandings& standings);

std::string JsonString(const std::string& utf8);
std::string HtmlEscape(const std::string& utf8);
std::string CsvField(const std::string& utf8);
