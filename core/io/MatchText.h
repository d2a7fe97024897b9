// The match data text file: a season's match list as Shift-JIS text with CR LF
// line ends, so schedules and results can be carried between copies of a season.
//
//   line 1   the season's title (ignored when read)
//   line 2   the season's checker; a file is taken only by a season with the same one
//   line 3   "LastUpdate:yyyy/mm/dd hh:nn:ss"
//   then     one 28-byte line per match:
//            "2003/04/01   G  3 -  2  T   "   date only when the day changes,
//            home symbol right-aligned, scores only for finished games, "X" in
//            the last column for a cancelled game.
//
// Columns count bytes. The order of the lines within a day gives GameNo.
#pragma once

#include "core/base/AtomicFile.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TPennant;
class TFight;
struct TMatchRec;

// Trims spaces and control characters at both ends, cuts to `width` bytes,
// then pads with spaces on the left (rightAligned) or on the right.
std::string PadField(std::string_view text, size_t width, bool rightAligned);

// One match line, 28 bytes without its line end. `withDate` writes the day in
// columns 1-10; otherwise they are spaces.
std::string MatchLine(const TMatchRec& match, bool withDate);

// The whole file's bytes for a season's match list.
std::string EncodeMatchText(const TPennant& pennant, const TFight& fight);

// Writes the file through the atomic writer: a failed write leaves any older file as it was.
bool ExportMatchText(const std::string& path, const TPennant& pennant, const TFight& fight,
                     const TWriteFaults* faults = nullptr);

// What a match data file holds.
struct TMatchText {
    bool HasChecker = false; // the file has a second line at all
    std::string Checker;
    double LastUpdate = 0; // 0 when line 3 cannot be read
    // The records in file order with GameNo from the line order and LastUpdate
    // set; never null after ReadMatchText.
    std::unique_ptr<TFight> Fight;
    // Lines after the head that are neither blank nor a record nor a date
    // line: the file is not to be imported when there is any.
    int UnreadLines = 0;
    int FirstUnreadLine = 0; // counted from 1

    // Why a line could not be read, for the first few of those lines:
    // "日付「2026/13/01」が読めません", "チーム「X」が見つかりません" (UTF-8).
    struct TLineProblem {
        int Line = 0;
        std::string Why;
    };
    std::vector<TLineProblem> Problems;
    static constexpr size_t kProblemsKept = 5;
    // Counts an unreadable line, and keeps its reason while there are few.
    void Unreadable(int line, std::string why);

    // Read from a file of another format: it has no checker and no time of
    // writing, so only its lines are checked.
    bool Foreign = false;
    // The file gave each day's order itself (GameNo set from it): the import
    // keeps it instead of numbering the games in the season's team order.
    bool Numbered = false;
};

// Reads a file's bytes. Any bytes are accepted: line ends may be CR LF, LF or
// CR; blank lines are skipped. A line is unreadable (and counted) when it is
// short of 28 bytes other than a record whose trailing spaces were stripped,
// when a score is neither blank nor a number, when its last column is neither
// blank nor "X", or when its date cannot be read (the day is 0 until the next).
TMatchText ReadMatchText(std::string_view bytes);

// Reads the match data file at `path` for the season whose checker is
// `seasonChecker`: the head first, and the rest only when its checker is the
// season's (a file of another season, or none at all, has no records then and
// CheckImport refuses it). False, with the problem, when it cannot be read.
bool ReadMatchTextFile(const std::string& path, const std::string& seasonChecker, TMatchText& text,
                       TFileProblem* problem = nullptr);

enum class TImportCheck {
    Ok,
    OtherChecker, // refused: the file belongs to another season
    Unreadable,   // refused: lines that are no records (UnreadableLinesText says how many, and the first)
    Older,        // the season was updated after the file was written: ask first
};

// Checker first, then the lines that could not be read, then the age: the season's LastUpdate cut to whole seconds
// later than the file's. A file of another format is checked for unreadable lines only.
TImportCheck CheckImport(const TPennant& pennant, const TFight& fight, const TMatchText& text);

// Replaces the season's match list with the file's (nothing of the old list is
// kept), numbers every day's games in the season's team order (unless the file
// numbered them) and sorts. With `merge`, only the days the file holds are
// replaced and every other day of the season stays as it was. LastUpdate
// becomes the file's (the later of the two when merging); a file of another
// format has none, so it becomes the time of the import.
void ApplyImport(const TPennant& pennant, TFight& fight, TMatchText&& text, bool merge = false);

// "読み込めない行が3行あります (最初は12行目)" (UTF-8), for a refused import.
std::string UnreadableLinesText(const TMatchText& text);
// "12行目: チーム「ヤクルトス」が見つかりません" for each line whose reason was
// kept, and "ほか2行" when more lines failed than were kept (UTF-8).
std::vector<std::string> UnreadableLineReasons(const TMatchText& text);
