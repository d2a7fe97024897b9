// Matches in and out in the formats other programs use: a CSV with a header
// row (a spreadsheet, a website's table) and the public major-league game
// logs, beside the program's own match text. The format of a file to import
// is recognised from its content; whatever the format, the file is read whole
// and checked before anything of the season changes (see MatchText.h).
#pragma once

#include "core/base/AtomicFile.h"
#include "core/io/MatchText.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

class TPennant;
class TFight;

enum class TMatchFormat { MatchText, Csv, GameLog };

// "matchtext", "csv", "gamelog" and back.
std::optional<TMatchFormat> MatchFormatNamed(std::string_view name);
const char* MatchFormatName(TMatchFormat format);

// The season's teams by any name a file may give them: symbol, short name or
// full name, compared after trimming, without spaces, with full-width letters,
// digits and signs read as their half-width forms. A symbol exactly as the
// season holds it comes first; then a symbol wins over another team's short
// name, a short name over a full name.
class TTeamNames {
public:
    explicit TTeamNames(const TPennant& pennant);
    // The team's symbol (Shift-JIS, as the season holds it), or null.
    const std::string* Find(std::string_view utf8Name) const;
    // Only by symbol, byte for byte (Shift-JIS).
    const std::string* FindSymbol(const std::string& symbol) const;

private:
    std::unordered_map<std::string, std::string> Names;
    std::unordered_set<std::string> Symbols;
};

// The key names are compared by: trimmed, spaces removed, full-width ASCII
// forms (U+FF01 to U+FF5E) made half-width.
std::string NormalizedName(std::string_view utf8);

// A file's bytes as UTF-8 text: a UTF-8 byte order mark is dropped, text that
// is not valid UTF-8 is read as Shift-JIS.
std::string TextAsUtf8(std::string_view bytes);

// A score or a game number as a match record holds it (one signed byte, so
// whatever a season holds reads back). None, with `why` set ("得点「x」が数字
// ではありません", `what` naming the field), for anything else.
std::optional<int> ReadRecordNumber(std::string_view text, const char* what, std::string& why);

// Reads "yyyy/mm/dd", "yyyy-mm-dd" (months and days of one digit too) or
// "yyyymmdd"; none for anything else or a day that does not exist.
std::optional<double> ParseAnyDate(std::string_view text);

// A CSV of matches (see the columns at ReadMatchCsv in the .cpp). The header
// row must name the date, home and visitor columns; without them Header is false.
struct TCsvRead {
    bool Header = false;
    TMatchText Text;
};
TCsvRead ReadMatchCsv(std::string_view bytes, const TPennant& pennant);

// Every column, UTF-8 with a byte order mark, CR LF: what ReadMatchCsv reads
// back to the same games.
std::string EncodeMatchCsv(const TPennant& pennant, const TFight& fight);
bool ExportMatchCsv(const std::string& path, const TPennant& pennant, const TFight& fight,
                    const TWriteFaults* faults = nullptr);

// What a file to import turned out to be.
struct TImportFile {
    TMatchFormat Format = TMatchFormat::MatchText;
    // Set when the file is refused as a whole: empty, binary, of no format
    // known. One sentence in UTF-8.
    std::string Refusal;
    TMatchText Text;
};

// The format of a file by its first bytes: the match text by its second
// line (the checker, `seasonChecker`) or third ("LastUpdate:"), a game log
// by the many quoted fields of its first line, a CSV by its header row.
std::optional<TMatchFormat> RecogniseMatchFormat(std::string_view bytes, const std::string& seasonChecker);

// Reads the file at `path` for `pennant`, as `format` or as recognised. False,
// with the problem, only when the file cannot be read at all.
bool ReadImportFile(const std::string& path, const TPennant& pennant, std::optional<TMatchFormat> format,
                    TImportFile& file, TFileProblem* problem = nullptr);
// The same for bytes in memory (the match text read whole).
TImportFile ReadImportBytes(std::string_view bytes, const TPennant& pennant, std::optional<TMatchFormat> format);
