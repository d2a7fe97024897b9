#include "core/export/StandingsExport.h"

#include "core/base/SjisText.h"
#include "core/export/JsonArrayWriter.h"
#include "core/season/BaseballPennant.h"
#include "core/standings/DistrictStandings.h"
#include "core/standings/StandingsText.h"

#include <charconv>
#include <nlohmann/json.hpp>
#include <ostream>
#include <vector>

namespace {

using nlohmann::ordered_json;

std::string U(const std::string& sjisText) {
    return sjis::ToUtf8(sjisText);
}

// An empty object with room for its members: a district's rows are made by
// the ten thousand, and growing each object step by step would cost as much
// as the rest of the row.
ordered_json Object(size_t members) {
    ordered_json o = ordered_json::object();
    o.get_ref<ordered_json::object_t&>().reserve(members);
    return o;
}

ordered_json SideObject(const TSideRecord& s) {
    ordered_json o = Object(7);
    o["games"] = s.Games;
    o["wins"] = s.Wins;
    o["losses"] = s.Losses;
    o["draws"] = s.Draws;
    o["remain"] = s.Remain;
    o["runsFor"] = s.RunsFor;
    o["runsAgainst"] = s.RunsAgainst;
    return o;
}

ordered_json StreaksObject(const TStreaks& st) {
    ordered_json o = Object(12);
    o["WinMax"] = st.WinMax;
    o["WinNow"] = st.WinNow;
    o["LoseMax"] = st.LoseMax;
    o["LoseNow"] = st.LoseNow;
    o["HomeWinMax"] = st.HomeWinMax;
    o["HomeWinNow"] = st.HomeWinNow;
    o["HomeLoseMax"] = st.HomeLoseMax;
    o["HomeLoseNow"] = st.HomeLoseNow;
    o["VisitorWinMax"] = st.VisitorWinMax;
    o["VisitorWinNow"] = st.VisitorWinNow;
    o["VisitorLoseMax"] = st.VisitorLoseMax;
    o["VisitorLoseNow"] = st.VisitorLoseNow;
    return o;
}

// One team's row. Rates are in millionths and distances in tenths, as whole
// numbers: a script gets them exactly, not rounded for the eye.
ordered_json TeamRow(const TSymbolIndex& teams, const TTmRec& r, int magic) {
    const TTeam* team = teams.Team(r.Symbol);
    ordered_json row = Object(18);
    row["rank"] = r.RankNo;
    row["symbol"] = U(r.Symbol);
    row["shortName"] = team ? U(team->ShortName) : "";
    row["games"] = r.Games();
    row["wins"] = r.Wins();
    row["losses"] = r.Losses();
    row["draws"] = r.Draws();
    row["remain"] = r.Remain();
    row["winRate"] = r.WinRate();
    row["behindTop"] = r.BehindTop;
    row["behindPrev"] = r.BehindPrev;
    row["magic"] = magic < 0 ? ordered_json() : ordered_json(magic);
    row["runsFor"] = r.RunsFor();
    row["runsAgainst"] = r.RunsAgainst();
    row["home"] = SideObject(r.Home);
    row["visitor"] = SideObject(r.Visitor);
    row["streaks"] = StreaksObject(r.GetStreaks());
    row["form"] = r.ConditionLevel();
    return row;
}

// Calls `field(object, key, value)` for each of a row's values in order;
// `object` is the nested object's key ("home" for "home.wins"), or empty.
template <typename F> void ForEachField(const ordered_json& row, F&& field) {
    static const std::string topLevel;
    for (auto it = row.begin(); it != row.end(); ++it) {
        if (!it->is_object()) {
            field(topLevel, it.key(), *it);
            continue;
        }
        for (auto sub = it->begin(); sub != it->end(); ++sub)
            field(it.key(), sub.key(), *sub);
    }
}

// A value as a CSV or HTML cell shows it: a text as it is, null as nothing,
// a number as JSON writes it.
std::string CellText(const ordered_json& value) {
    if (value.is_string())
        return value.get_ref<const std::string&>();
    if (value.is_null())
        return {};
    if (!value.is_number_integer())
        return JsonText(value);
    char digits[24]; // whole numbers straight: a district's CSV holds millions of them
    const auto end = std::to_chars(digits, digits + sizeof digits, value.get<int64_t>()).ptr;
    return std::string(digits, end);
}

// Each team's row in standings order, made one at a time: a district can hold
// tens of thousands of teams.
template <typename F> void ForEachTeamRow(const TPennant& pennant, const TDistrictStandings& s, F&& row) {
    const TSymbolIndex teams(pennant);
    for (int i = 0; i < s.Calc->Count(); ++i)
        row(TeamRow(teams, s.Calc->Items(i), s.Calc->Magic(i, s.ByWins)));
}

std::string DistrictTitle(const TDistrictStandings& s) {
    return U(s.League->Name + s.District->Name);
}

// The columns of the HTML table: what a reader of a standings table expects.
// Rates and distances are written as the standings table writes them.
struct THtmlColumn {
    const char* Key;
    const char* Title;
    std::string (*Format)(int64_t) = nullptr;
};
const THtmlColumn kHtmlColumns[] = {
    {"rank", "順位"},
    {"shortName", "チーム"},
    {"symbol", "略称"},
    {"games", "試合"},
    {"wins", "勝"},
    {"losses", "負"},
    {"draws", "分"},
    {"winRate", "勝率", FormatRate},
    {"behindTop", "差", FormatTenths},
    {"remain", "残"},
    {"magic", "マジック"},
    {"runsFor", "得点"},
    {"runsAgainst", "失点"},
};

} // namespace

std::string HtmlEscape(const std::string& utf8) {
    std::string o;
    o.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
        case '&':
            o += "&amp;";
            break;
        case '<':
            o += "&lt;";
            break;
        case '>':
            o += "&gt;";
            break;
        case '"':
            o += "&quot;";
            break;
        case '\'':
            o += "&#39;";
            break;
        default:
            o += c;
        }
    }
    return o;
}

std::string CsvField(const std::string& utf8) {
    if (utf8.find_first_of(",\"\r\n") == std::string::npos)
        return utf8;
    std::string o = "\"";
    for (char c : utf8) {
        if (c == '"')
            o += '"';
        o += c;
    }
    return o + "\"";
}

void WriteStandingsJson(std::ostream& out, const TPennant& pennant, const TDistrictStandings& s) {
    ordered_json head;
    head["district"] = DistrictTitle(s);
    head["rankRule"] = int(s.League->RankRule);
    head["drawRule"] = int(s.League->DrawRule);
    TJsonArrayWriter teams(out, head, "teams");
    ForEachTeamRow(pennant, s, [&](const ordered_json& row) { teams.Add(row); });
    teams.Finish();
}

void WriteStandingsCsv(std::ostream& out, const TPennant& pennant, const TDistrictStandings& s) {
    out << "\xEF\xBB\xBF";
    // The header comes from a row itself, so it never drifts from the rows.
    const char* separator = "";
    ForEachField(TeamRow(TSymbolIndex(pennant), TTmRec(), -1),
                 [&](const std::string& object, const std::string& key, const ordered_json&) {
                     out << separator << CsvField(object.empty() ? key : object + "." + key);
                     separator = ",";
                 });
    out << "\r\n";
    ForEachTeamRow(pennant, s, [&](const ordered_json& row) {
        separator = "";
        ForEachField(row, [&](const std::string&, const std::string&, const ordered_json& value) {
            out << separator << CsvField(CellText(value));
            separator = ",";
        });
        out << "\r\n";
    });
}

void WriteStandingsHtml(std::ostream& out, const TPennant& pennant, const TDistrictStandings& s) {
    const std::string title = DistrictTitle(s);
    const bool noDraws = s.League->DrawRule == 2;
    out << "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n<title>" << HtmlEscape(title) << " "
        << HtmlEscape(U(StandingsStateText(s.AllPlayed(), s.Keys))) << "</title>\n"
        << "<style>\n"
           "body { font-family: sans-serif; }\n"
           "table { border-collapse: collapse; }\n"
           "th, td { border: 1px solid #808080; padding: 2px 8px; }\n"
           "th { background: #e0e0e0; }\n"
           "td.num { text-align: right; }\n"
           "</style>\n</head>\n<body>\n"
        << "<h1>" << HtmlEscape(title) << "</h1>\n<p>" << HtmlEscape(U(StandingsStateText(s.AllPlayed(), s.Keys)))
        << "　消化率 " << s.CompletionRate() << "%</p>\n<table>\n<thead>\n<tr>";
    std::vector<const THtmlColumn*> columns;
    for (const THtmlColumn& c : kHtmlColumns)
        if (!(noDraws && std::string(c.Key) == "draws"))
            columns.push_back(&c);
    for (const THtmlColumn* c : columns)
        out << "<th data-key=\"" << c->Key << "\">" << c->Title << "</th>";
    out << "</tr>\n</thead>\n<tbody>\n";
    ForEachTeamRow(pennant, s, [&](const ordered_json& row) {
        out << "<tr>";
        for (const THtmlColumn* c : columns) {
            const ordered_json& value = row.at(c->Key);
            const std::string text =
                c->Format && !value.is_null() ? U(c->Format(value.get<int64_t>())) : CellText(value);
            out << (value.is_string() ? "<td>" : "<td class=\"num\">") << HtmlEscape(text) << "</td>";
        }
        out << "</tr>\n";
    });
    out << "</tbody>\n</table>\n</body>\n</html>\n";
}
