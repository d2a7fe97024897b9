// The standings of one district as JSON, CSV or an HTML page. All three come
// from one JSON object per team (the CSV's columns are its keys, "home.wins"
// for a nested one), so a spreadsheet, a web page and a script reading the
// JSON see the same figures. Output is UTF-8.
#pragma once

#include <iosfwd>
#include <string>

class TPennant;
struct TDistrictStandings;

// An object with the district and its rules, and "teams": an object per team
// in standings order, one a line, written as each is made.
void WriteStandingsJson(std::ostream& out, const TPennant& pennant, const TDistrictStandings& standings);
// A header row of the JSON keys, then a row per team; begins with a UTF-8
// byte order mark so spreadsheet programs read the Japanese names right.
void WriteStandingsCsv(std::ostream& out, const TPennant& pennant, const TDistrictStandings& standings);
// A self-contained page (no scripts, no outside resources) with the table.
void WriteStandingsHtml(std::ostream& out, const TPennant& pennant, const TDistrictStandings& standings);

std::string HtmlEscape(const std::string& utf8);
std::string CsvField(const std::string& utf8);
