#include "core/io/MatchImport.h"

#include "core/base/DayNumber.h"
#include "core/base/SjisText.h"
#include "core/io/Csv.h"
#include "core/io/GameLog.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <unordered_map>
#include <vector>

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr size_t kHeadBytes = 64 * 1024;

bool ValidUtf8(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int more = 0;
        uint32_t cp = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (end - p <= more)
            return false;
        for (int i = 1; i <= more; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (p[i] & 0x3F);
        }
        // Overlong forms, surrogates and code points past U+10FFFF.
        if ((more == 2 && cp < 0x800) || (more == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        p += more + 1;
    }
    return true;
}

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A normalised name with ASCII letters in lower case, for column names and statuses.
std::string Key(std::string_view utf8) {
    std::string key = NormalizedName(utf8);
    for (char& c : key)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return key;
}

enum TColumn { ColDate, ColHome, ColVisitor, ColHomeScore, ColVisitorScore, ColStatus, ColGame, ColumnCount };

// The names a header may give each column, normalised as Key() gives them.
const std::vector<std::string_view>& ColumnNames(int column) {
    static const std::vector<std::string_view> names[ColumnCount] = {
        {"日付", "date"},
        {"ホーム", "home"},
        {"ビジター", "visitor", "away"},
        {"ホーム得点", "home_score", "homescore"},
        {"ビジター得点", "visitor_score", "visitorscore", "away_score", "awayscore"},
        {"状態", "status"},
        {"試合番号", "game", "game_no", "gameno"},
    };
    return names[column];
}

// Column positions by the header's fields; -1 for a column not named.
std::vector<int> ReadHeader(const std::vector<std::string>& header) {
    std::vector<int> at(ColumnCount, -1);
    for (size_t i = 0; i < header.size(); ++i) {
        const std::string key = Key(i == 0 && header[i].starts_with(kBom) ? header[i].substr(kBom.size()) : header[i]);
        for (int c = 0; c < ColumnCount; ++c)
            if (at[c] < 0 && std::find(ColumnNames(c).begin(), ColumnNames(c).end(), key) != ColumnNames(c).end())
                at[c] = static_cast<int>(i);
    }
    return at;
}

bool HasRequiredColumns(const std::vector<int>& at) {
    return at[ColDate] >= 0 && at[ColHome] >= 0 && at[ColVisitor] >= 0;
}

bool BlankRecord(const std::vector<std::string>& fields) {
    return std::all_of(fields.begin(), fields.end(), [](const std::string& f) { return Trim(f).empty(); });
}

std::string Quoted(std::string_view utf8) {
    return "「" + std::string(utf8) + "」";
}

// The lines of a file's head, at CR LF, LF or CR.
std::vector<std::string_view> FirstLines(std::string_view bytes, size_t count) {
    std::vector<std::string_view> lines;
    size_t pos = 0;
    while (lines.size() < count && pos < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = bytes.size();
        lines.push_back(bytes.substr(pos, end - pos));
        pos = end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? end + 2
                                                                                                           : end + 1;
    }
    return lines;
}

constexpr int kNoNumber = INT_MIN; // a CSV game without a game number

const char* const kEmpty = "ファイルが空です。";
const char* const kBinary = "テキストファイルではありません。";
const char* const kUnknown =
    "対戦データとして読める形式 (対戦データテキスト、見出し行のある CSV、ゲームログ) ではありません。";
const char* const kNoHeader = "CSV の見出し行に日付、ホーム、ビジターの列がありません。";
const char* const kNoGames = "取り込む試合がありません。";

} // namespace

std::optional<TMatchFormat> MatchFormatNamed(std::string_view name) {
    if (name == "matchtext")
        return TMatchFormat::MatchText;
    if (name == "csv")
        return TMatchFormat::Csv;
    if (name == "gamelog")
        return TMatchFormat::GameLog;
    return std::nullopt;
}

const char* MatchFormatName(TMatchFormat format) {
    switch (format) {
    case TMatchFormat::Csv:
        return "csv";
    case TMatchFormat::GameLog:
        return "gamelog";
    case TMatchFormat::MatchText:
        break;
    }
    return "matchtext";
}

std::string NormalizedName(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c <= 0x20)
            continue; // spaces and control characters
        if (c == 0xE3 && i + 2 < utf8.size() && utf8[i + 1] == '\x80' && utf8[i + 2] == '\x80') {
            i += 2; // U+3000, the ideographic space
            continue;
        }
        if (c == 0xEF && i + 2 < utf8.size()) {
            const auto b1 = static_cast<unsigned char>(utf8[i + 1]);
            const auto b2 = static_cast<unsigned char>(utf8[i + 2]);
            // U+FF01 to U+FF5E: EF BC 81-BF and EF BD 80-9E.
            if ((b1 == 0xBC && b2 >= 0x81 && b2 <= 0xBF) || (b1 == 0xBD && b2 >= 0x80 && b2 <= 0x9E)) {
                const unsigned codePoint = 0xFF00u + ((b1 & 0x03u) << 6) + (b2 & 0x3Fu);
                out += static_cast<char>(codePoint - 0xFEE0u);
                i += 2;
                continue;
            }
        }
        out += static_cast<char>(c);
    }
    return out;
}

TTeamNames::TTeamNames(const TPennant& pennant) {
    std::vector<const TTeam*> teams;
    for (int l = 0; l < pennant.LeagueCount(); ++l) {
        const TLeague& league = pennant.GetLeague(l);
        for (int d = 0; d < league.DistrictCount(); ++d) {
            const TDistrict& district = league.GetDistrict(d);
            for (int t = 0; t < district.TeamCount(); ++t)
                teams.push_back(&district.GetTeam(t));
        }
    }
    for (const TTeam* team : teams)
        Symbols.insert(team->Symbol);
    // Symbols first, then short names, then full names: the first to claim a name keeps it.
    for (const auto member : {&TTeam::Symbol, &TTeam::ShortName, &TTeam::Name})
        for (const TTeam* team : teams) {
            std::string key = NormalizedName(sjis::ToUtf8(team->*member));
            if (!key.empty())
                Names.emplace(std::move(key), team->Symbol);
        }
}

const std::string* TTeamNames::Find(std::string_view utf8Name) const {
    // A symbol as written first: two teams whose symbols differ only in width stay apart.
    if (const std::string* symbol = FindSymbol(sjis::FromUtf8(Trim(utf8Name))))
        return symbol;
    const auto it = Names.find(NormalizedName(utf8Name));
    return it == Names.end() ? nullptr : &it->second;
}

const std::string* TTeamNames::FindSymbol(const std::string& symbol) const {
    const auto it = Symbols.find(symbol);
    return it == Symbols.end() ? nullptr : &*it;
}

std::string TextAsUtf8(std::string_view bytes) {
    if (bytes.starts_with(kBom))
        bytes.remove_prefix(kBom.size());
    if (ValidUtf8(bytes))
        return std::string(bytes);
    return sjis::ToUtf8(bytes);
}

std::optional<int> ReadRecordNumber(std::string_view text, const char* what, std::string& why) {
    text = Trim(text);
    std::string_view digits = text.starts_with('+') || text.starts_with('-') ? text.substr(1) : text;
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        why = std::string(what) + Quoted(text) + "が数字ではありません";
        return std::nullopt;
    }
    const std::optional<int> n = FieldNumber(text.starts_with('+') ? digits : text);
    if (!n || *n < -128 || *n > 127) {
        why = std::string(what) + Quoted(text) + (text.starts_with('-') ? "が小さすぎます" : "が大きすぎます");
        return std::nullopt;
    }
    return n;
}

std::optional<double> ParseAnyDate(std::string_view text) {
    text = Trim(text);
    int year = 0, month = 0, day = 0;
    const auto digits = [](std::string_view t) {
        return !t.empty() && std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (text.size() == 8 && digits(text)) {
        year = *FieldNumber(text.substr(0, 4));
        month = *FieldNumber(text.substr(4, 2));
        day = *FieldNumber(text.substr(6, 2));
    } else {
        const size_t first = text.find_first_of("/-");
        if (first == std::string_view::npos)
            return std::nullopt;
        const char separator = text[first];
        const size_t second = text.find(separator, first + 1);
        if (second == std::string_view::npos)
            return std::nullopt;
        const std::string_view y = text.substr(0, first), m = text.substr(first + 1, second - first - 1),
                               d = text.substr(second + 1);
        if (y.size() != 4 || m.empty() || m.size() > 2 || d.empty() || d.size() > 2 || !digits(y) || !digits(m) ||
            !digits(d))
            return std::nullopt;
        year = *FieldNumber(y);
        month = *FieldNumber(m);
        day = *FieldNumber(d);
    }
    if (!days::IsValidDate(year, month, day))
        return std::nullopt;
    return days::Encode(year, month, day);
}

// The columns, by name in the header row, in any order (names in Japanese or
// English, compared as team names are):
//   日付/date            yyyy/mm/dd, yyyy-mm-dd or yyyymmdd
//   ホーム/home, ビジター/visitor    a team's symbol, short name or full name
//   ホーム得点/home_score, ビジター得点/visitor_score   a number, or empty
//   状態/status          optional: 終了/final, 中止/cancelled, 未定/scheduled;
//                        without it a game with both scores is finished and
//                        one with none is still to be played
//   試合番号/game        optional: the order of a day's games
// Other columns are ignored. Text is UTF-8 (a byte order mark or not) or Shift-JIS.
TCsvRead ReadMatchCsv(std::string_view bytes, const TPennant& pennant) {
    TCsvRead result;
    TMatchText& text = result.Text;
    text.Foreign = true;
    text.Fight = std::make_unique<TFight>();
    TFight& fight = *text.Fight;

    const std::string utf8 = TextAsUtf8(bytes);
    TCsvReader reader(utf8);
    std::vector<std::string> f;
    while (reader.Next(f) && BlankRecord(f)) {
    }
    const std::vector<int> at = ReadHeader(f);
    if (f.empty() || !HasRequiredColumns(at))
        return result;
    result.Header = true;
    const size_t width = f.size();
    fight.Reserve(static_cast<int>(std::min<size_t>(std::count(utf8.begin(), utf8.end(), '\n') + 1, 1 << 20)));

    const TTeamNames names(pennant);
    std::vector<int> order; // the game column's value for each record read
    while (reader.Next(f)) {
        const int line = reader.Line();
        if (BlankRecord(f))
            continue;
        if (reader.Unclosed()) {
            text.Unreadable(line, "引用符が閉じていません");
            continue;
        }
        if (f.size() != width) {
            text.Unreadable(line, "列の数が見出しと違います (" + std::to_string(f.size()) + "列、見出しは" +
                                      std::to_string(width) + "列)");
            continue;
        }
        const auto cell = [&f, &at](int column) -> std::string_view {
            return at[column] < 0 ? std::string_view() : Trim(f[static_cast<size_t>(at[column])]);
        };
        const std::optional<double> date = ParseAnyDate(cell(ColDate));
        if (!date) {
            text.Unreadable(line, "日付" + Quoted(cell(ColDate)) + "が読めません");
            continue;
        }
        const std::string* home = names.Find(cell(ColHome));
        const std::string* visitor = names.Find(cell(ColVisitor));
        if (!home || !visitor) {
            const std::string_view name = cell(!home ? ColHome : ColVisitor);
            text.Unreadable(line, name.empty() ? std::string(!home ? "ホーム" : "ビジター") + "のチームがありません"
                                               : "チーム" + Quoted(name) + "が見つかりません");
            continue;
        }
        if (*home == *visitor) {
            text.Unreadable(line, "ホームとビジターが同じチーム" + Quoted(sjis::ToUtf8(*home)) + "です");
            continue;
        }
        std::optional<int> scores[2];
        std::string bad;
        for (int side = 0; side < 2; ++side) {
            const std::string_view s = cell(side == 0 ? ColHomeScore : ColVisitorScore);
            if (s.empty())
                continue;
            scores[side] = ReadRecordNumber(s, "得点", bad);
            if (!scores[side])
                break;
        }
        if (!bad.empty()) {
            text.Unreadable(line, bad);
            continue;
        }
        const std::string status = Key(cell(ColStatus));
        uint8_t state = StatusBefore;
        if (status.empty()) {
            if (scores[0].has_value() != scores[1].has_value()) {
                text.Unreadable(line, "得点が片方しかありません");
                continue;
            }
            state = scores[0] ? StatusFinished : StatusBefore;
        } else if (status == "終了" || status == "final" || status == "finished") {
            if (!scores[0] || !scores[1]) {
                text.Unreadable(line, "終了の試合に両チームの得点がありません");
                continue;
            }
            state = StatusFinished;
        } else if (status == "中止" || status == "cancelled" || status == "canceled") {
            state = StatusCancelled;
        } else if (status == "未定" || status == "scheduled") {
            state = StatusBefore;
        } else {
            text.Unreadable(line, "状態" + Quoted(cell(ColStatus)) + "は 終了、中止、未定 のどれでもありません");
            continue;
        }
        int gameNo = kNoNumber;
        if (at[ColGame] >= 0 && !cell(ColGame).empty()) {
            std::string why;
            const std::optional<int> n = ReadRecordNumber(cell(ColGame), "試合番号", why);
            if (!n) {
                text.Unreadable(line, why);
                continue;
            }
            gameNo = *n;
        }
        TMatchRec& match = fight.GetMatch(fight.NewMatch());
        match.GameDate = *date;
        match.HomeSymbol.Set(*home);
        match.VisitorSymbol.Set(*visitor);
        match.Status = state;
        if (state == StatusFinished) {
            match.HomeScore = static_cast<int8_t>(*scores[0]);
            match.VisitorScore = static_cast<int8_t>(*scores[1]);
        }
        order.push_back(gameNo);
    }

    if (at[ColGame] >= 0) {
        // The game column gives GameNo; a game without a number follows the
        // numbered games of its day, in file order.
        std::unordered_map<int64_t, int> last;
        for (int i = 0; i < fight.MatchCount(); ++i)
            if (order[static_cast<size_t>(i)] != kNoNumber) {
                int& n = last[days::WholeDay(fight.GetMatch(i).GameDate)];
                n = std::max(n, order[static_cast<size_t>(i)]);
            }
        for (int i = 0; i < fight.MatchCount(); ++i) {
            TMatchRec& match = fight.GetMatch(i);
            int n = order[static_cast<size_t>(i)];
            if (n == kNoNumber) {
                int& day = last[days::WholeDay(match.GameDate)];
                n = day = std::min(day + 1, 127);
            }
            match.GameNo = static_cast<int8_t>(n);
        }
        fight.SortMatches();
        text.Numbered = true;
    }
    return result;
}

std::string EncodeMatchCsv(const TPennant& pennant, const TFight& fight) {
    (void)pennant; // teams are written by symbol, which the season's records hold
    std::string out(kBom);
    out += "日付,試合番号,ホーム,ビジター,ホーム得点,ビジター得点,状態\r\n";
    out.reserve(out.size() + static_cast<size_t>(fight.MatchCount()) * 40);
    for (int i = 0; i < fight.MatchCount(); ++i) {
        const TMatchRec& m = fight.GetMatch(i);
        const bool finished = m.Status == StatusFinished;
        out += days::FormatDate(m.GameDate);
        out += ',';
        out += std::to_string(m.GameNo);
        out += ',';
        out += CsvField(sjis::ToUtf8(m.HomeSymbol.Text()));
        out += ',';
        out += CsvField(sjis::ToUtf8(m.VisitorSymbol.Text()));
        out += ',';
        if (finished)
            out += std::to_string(m.HomeScore);
        out += ',';
        if (finished)
            out += std::to_string(m.VisitorScore);
        out += ',';
        out += finished ? "終了" : m.Status == StatusCancelled ? "中止" : "未定";
        out += "\r\n";
    }
    return out;
}

bool ExportMatchCsv(const std::string& path, const TPennant& pennant, const TFight& fight, const TWriteFaults* faults) {
    return WriteFileAtomically(path, EncodeMatchCsv(pennant, fight), faults);
}

std::optional<TMatchFormat> RecogniseMatchFormat(std::string_view bytes, const std::string& seasonChecker) {
    const std::vector<std::string_view> lines = FirstLines(bytes, 3);
    if ((lines.size() >= 3 && lines[2].starts_with("LastUpdate:")) ||
        (lines.size() >= 2 && !seasonChecker.empty() && lines[1] == seasonChecker))
        return TMatchFormat::MatchText;
    if (LooksLikeGameLog(bytes))
        return TMatchFormat::GameLog;
    // A CSV by its header: the first line that is not blank.
    for (std::string_view line : FirstLines(bytes, 20)) {
        if (Trim(line).empty())
            continue;
        const std::string utf8 = TextAsUtf8(line);
        TCsvReader reader(utf8);
        std::vector<std::string> header;
        if (reader.Next(header) && HasRequiredColumns(ReadHeader(header)))
            return TMatchFormat::Csv;
        break;
    }
    return std::nullopt;
}

TImportFile ReadImportBytes(std::string_view bytes, const TPennant& pennant, std::optional<TMatchFormat> format) {
    TImportFile file;
    file.Text.Fight = std::make_unique<TFight>();
    if (Trim(bytes.starts_with(kBom) ? bytes.substr(kBom.size()) : bytes).empty()) {
        file.Refusal = kEmpty;
        return file;
    }
    if (bytes.substr(0, kHeadBytes).find('\0') != std::string_view::npos) {
        file.Refusal = kBinary;
        return file;
    }
    if (!format)
        format = RecogniseMatchFormat(bytes, pennant.Checker);
    if (!format) {
        file.Refusal = kUnknown;
        return file;
    }
    file.Format = *format;
    switch (*format) {
    case TMatchFormat::MatchText:
        file.Text = ReadMatchText(bytes);
        return file;
    case TMatchFormat::Csv: {
        TCsvRead csv = ReadMatchCsv(bytes, pennant);
        if (!csv.Header) {
            file.Refusal = kNoHeader;
            return file;
        }
        file.Text = std::move(csv.Text);
        break;
    }
    case TMatchFormat::GameLog:
        file.Text = ReadGameLog(bytes, pennant);
        break;
    }
    if (file.Text.Fight->MatchCount() == 0 && file.Text.UnreadLines == 0)
        file.Refusal = kNoGames;
    return file;
}

bool ReadImportFile(const std::string& path, const TPennant& pennant, std::optional<TMatchFormat> format,
                    TImportFile& file, TFileProblem* problem) {
    // The head first: a file refused as a whole (a gibibyte of zeros) is
    // refused without reading the rest, and the match text has its own reader.
    TReadFile reader;
    TFileProblem why = reader.Open(path, size_t(1) << 30);
    std::string bytes(static_cast<size_t>(std::min<uint64_t>(reader.Size(), kHeadBytes)), '\0');
    if (why == TFileProblem::None && !reader.Read(bytes.data(), bytes.size()))
        why = TFileProblem::Unreadable;
    if (problem)
        *problem = why;
    if (why != TFileProblem::None)
        return false;
    const bool whole = bytes.size() == reader.Size();
    file = TImportFile();
    file.Text.Fight = std::make_unique<TFight>();
    const std::string_view text = std::string_view(bytes).substr(bytes.starts_with(kBom) ? kBom.size() : 0);
    if (whole && Trim(text).empty())
        file.Refusal = kEmpty;
    else if (bytes.find('\0') != std::string::npos)
        file.Refusal = kBinary;
    else if (!format && !(format = RecogniseMatchFormat(bytes, pennant.Checker)))
        file.Refusal = kUnknown;
    if (!file.Refusal.empty())
        return true;
    if (*format == TMatchFormat::MatchText)
        return ReadMatchTextFile(path, pennant.Checker, file.Text, problem);
    if (!whole) {
        const size_t head = bytes.size();
        bytes.resize(static_cast<size_t>(reader.Size()));
        if (!reader.Read(bytes.data() + head, bytes.size() - head)) {
            if (problem)
                *problem = TFileProblem::Unreadable;
            return false;
        }
    }
    file = ReadImportBytes(bytes, pennant, format);
    return true;
}
