#include "core/export/StandingsExport.h"

#include "core/base/SjisText.h"
#include "core/season/BaseballPennant.h"
#include "core/standings/DistrictStandings.h"
#include "core/standings/StandingsText.h"

#include <charconv>
#include <cstdio>
#include <ostream>
#include <string_view>

namespace {

std::string U(const std::string& sjisText) {
    return sjis::ToUtf8(sjisText);
}

template <typename T> std::string Number(T value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return std::string(digits, end);
}

class TRowBuilder {
public:
    void Text(std::string key, std::string utf8) { Row.push_back({std::move(key), std::move(utf8), true, false}); }
    template <typename T> void Num(std::string key, T value) {
        Row.push_back({std::move(key), Number(value), false, false});
    }
    void Null(std::string key) { Row.push_back({std::move(key), "", false, true}); }
    std::vector<TStandingsField> Row;
};

std::vector<TStandingsField> TeamRow(const TSymbolIndex& teams, const TTmRec& r, int magic) {
    const TTeam* team = teams.Team(r.Symbol);
    const TStreaks st = r.GetStreaks();
    TRowBuilder b;
    b.Num("rank", r.RankNo);
    b.Text("symbol", U(r.Symbol));
    b.Text("shortName", team ? U(team->ShortName) : "");
    b.Num("games", r.Games());
    b.Num("wins", r.Wins());
    b.Num("losses", r.Losses());
    b.Num("draws", r.Draws());
    b.Num("remain", r.Remain());
    b.Num("winRate", r.WinRate());
    b.Num("behindTop", r.BehindTop);
    b.Num("behindPrev", r.BehindPrev);
    if (magic < 0)
        b.Null("magic");
    else
        b.Num("magic", magic);
    b.Num("runsFor", r.RunsFor());
    b.Num("runsAgainst", r.RunsAgainst());
    const std::pair<const char*, const TSideRecord*> sides[] = {{"home", &r.Home}, {"visitor", &r.Visitor}};
    for (const auto& [name, side] : sides) {
        const std::string n = name;
        const TSideRecord& s = *side;
        b.Num(n + ".games", s.Games);
        b.Num(n + ".wins", s.Wins);
        b.Num(n + ".losses", s.Losses);
        b.Num(n + ".draws", s.Draws);
        b.Num(n + ".remain", s.Remain);
        b.Num(n + ".runsFor", s.RunsFor);
        b.Num(n + ".runsAgainst", s.RunsAgainst);
    }
    const std::pair<const char*, int32_t> streaks[] = {
        {"WinMax", st.WinMax},
        {"WinNow", st.WinNow},
        {"LoseMax", st.LoseMax},
        {"LoseNow", st.LoseNow},
        {"HomeWinMax", st.HomeWinMax},
        {"HomeWinNow", st.HomeWinNow},
        {"HomeLoseMax", st.HomeLoseMax},
        {"HomeLoseNow", st.HomeLoseNow},
        {"VisitorWinMax", st.VisitorWinMax},
        {"VisitorWinNow", st.VisitorWinNow},
        {"VisitorLoseMax", st.VisitorLoseMax},
        {"VisitorLoseNow", st.VisitorLoseNow},
    };
    for (const auto& [name, value] : streaks)
        b.Num(std::string("streaks.") + name, value);
    b.Num("form", r.ConditionLevel());
    return b.Row;
}

std::string DistrictTitle(const TDistrictStandings& s) {
    return U(s.League->Name + s.District->Name);
}

// Writes one team's fields as a JSON object, opening and closing the nested
// objects ("home", "visitor", "streaks") as the keys' prefixes change.
void JsonObject(std::string& out, const std::vector<TStandingsField>& row) {
    out += "{";
    std::string_view group;
    bool first = true;
    for (const TStandingsField& f : row) {
        const std::string_view key = f.Key;
        const size_t dot = key.find('.');
        const std::string_view prefix = dot == std::string_view::npos ? std::string_view() : key.substr(0, dot);
        const std::string_view name = dot == std::string_view::npos ? key : key.substr(dot + 1);
        if (prefix != group) {
            if (!group.empty())
                out += "}";
            if (!prefix.empty()) {
                out += first ? "" : ", ";
                out += JsonString(std::string(prefix));
                out += ": {";
                first = true;
            }
            group = prefix;
        }
        if (!first)
            out += ", ";
        first = false;
        out += JsonString(std::string(name));
        out += ": ";
        out += f.IsNull ? "null" : f.IsText ? JsonString(f.Text) : f.Text;
    }
    if (!group.empty())
        out += "}";
    out += "}";
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

std::string JsonString(const std::string& utf8) {
    std::string o;
    o.reserve(utf8.size() + 2);
    o += '"';
    size_t plain = 0; // the start of the run of bytes copied as they are
    auto escape = [&](size_t at, const char* text) {
        o.append(utf8, plain, at - plain);
        o += text;
        plain = at + 1;
    };
    for (size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        switch (c) {
        case '"':
            escape(i, "\\\"");
            break;
        case '\\':
            escape(i, "\\\\");
            break;
        case '\n':
            escape(i, "\\n");
            break;
        case '\r':
            escape(i, "\\r");
            break;
        case '\t':
            escape(i, "\\t");
            break;
        default:
            if (c < 0x20 || c == 0x7f) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                escape(i, buf);
            }
        }
    }
    o.append(utf8, plain, std::string::npos);
    o += '"';
    return o;
}

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

void ForEachStandingsRow(const TPennant& pennant, const TDistrictStandings& s,
                         const std::function<void(const std::vector<TStandingsField>&)>& row) {
    const TSymbolIndex teams(pennant); // a district can hold tens of thousands of rows
    for (int i = 0; i < s.Calc->Count(); ++i)
        row(TeamRow(teams, s.Calc->Items(i), s.Calc->Magic(i, s.ByWins)));
}

void WriteStandingsJson(std::ostream& out, const TPennant& pennant, const TDistrictStandings& s) {
    out << "{\"district\": " << JsonString(DistrictTitle(s)) << ", \"rankRule\": " << int(s.League->RankRule)
        << ", \"drawRule\": " << int(s.League->DrawRule) << ", \"teams\": [";
    // Each team's object is made whole, then written in one piece.
    std::string object;
    bool first = true;
    ForEachStandingsRow(pennant, s, [&](const std::vector<TStandingsField>& row) {
        object.assign(first ? "\n  " : ",\n  ");
        first = false;
        JsonObject(object, row);
        out << object;
    });
    out << (first ? "" : "\n") << "]}\n";
}

void WriteStandingsCsv(std::ostream& out, const TPennant& pennant, const TDistrictStandings& s) {
    out << "\xEF\xBB\xBF";
    // The header comes from the fields themselves, so it never drifts from the rows.
    const std::vector<TStandingsField> header = TeamRow(TSymbolIndex(pennant), TTmRec(), -1);
    for (size_t i = 0; i < header.size(); ++i)
        out << (i ? "," : "") << CsvField(header[i].Key);
    out << "\r\n";
    ForEachStandingsRow(pennant, s, [&](const std::vector<TStandingsField>& row) {
        for (size_t i = 0; i < row.size(); ++i)
            out << (i ? "," : "") << CsvField(row[i].Text);
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
    ForEachStandingsRow(pennant, s, [&](const std::vector<TStandingsField>& row) {
        out << "<tr>";
        for (const THtmlColumn* c : columns)
            for (const TStandingsField& f : row)
                if (f.Key == c->Key) {
                    const std::string text = c->Format && !f.IsNull ? U(c->Format(std::stoll(f.Text))) : f.Text;
                    out << (f.IsText ? "<td>" : "<td class=\"num\">") << HtmlEscape(text) << "</td>";
                }
        out << "</tr>\n";
    });
    out << "</tbody>\n</table>\n</body>\n</html>\n";
}
