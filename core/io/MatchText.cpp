#include "core/io/MatchText.h"

#include "core/base/DayNumber.h"
#include "core/base/SjisText.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <unordered_set>

namespace {

constexpr size_t kLineBytes = 28;
constexpr size_t kVisitorColumn = 24; // the visitor symbol's first column, counted from 1
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kLastUpdate = "LastUpdate:";

bool Blank(char c) {
    // Spaces and control characters: every byte up to 0x20.
    return static_cast<unsigned char>(c) <= 0x20;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && Blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && Blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A line break inside a text would split its line in two and shift every line
// after it; the file has no way to carry one, so it becomes a space.
void BreaksToSpaces(std::string& text, size_t from = 0) {
    for (size_t i = from; i < text.size(); ++i)
        if (text[i] == '\r' || text[i] == '\n')
            text[i] = ' ';
}

// A date-time as whole seconds on one time line. Day values before day 0 keep
// their time of day as a positive fraction, so the fraction counts forward.
int64_t Seconds(double dayTime, bool truncate) {
    if (!std::isfinite(dayTime))
        return 0;
    const int64_t whole = days::WholeDay(dayTime);
    const double fraction = std::fabs(dayTime - static_cast<double>(whole)) * 86400.0;
    // A value made from whole seconds may come back a hair below them.
    const int64_t seconds = truncate ? static_cast<int64_t>(std::floor(fraction + 1e-4)) : std::llround(fraction);
    return whole * 86400 + seconds;
}

// Columns 16-17 or 21-22: 0 when blank, the number written, or none when the
// field is neither (no line the program writes has one).
std::optional<int8_t> Score(std::string_view field) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (field.size() == 2 && (field[0] == ' ' || digit(field[0])) && digit(field[1]))
        return static_cast<int8_t>((field[0] == ' ' ? 0 : field[0] - '0') * 10 + field[1] - '0'); // " 3", "12"
    field = Trim(field);
    if (field.empty())
        return 0;
    if (field.front() == '+')
        field.remove_prefix(1);
    int value = 0;
    auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || ec != std::errc() || end != field.data() + field.size())
        return std::nullopt;
    return static_cast<int8_t>(value); // two columns: -9 to 99
}

bool AllBlank(std::string_view line) {
    // A record's home symbol ends at column 14 (right-aligned): most lines are told by it.
    if (line.size() > 13 && !Blank(line[13]))
        return false;
    for (char c : line)
        if (!Blank(c))
            return false;
    return true;
}

// Splits the file into lines at CR LF, LF or a lone CR, in one pass. A file
// whose first line ends in CR CR LF or LF CR (a CR LF file passed once more
// through a converter, or written on a machine that swaps the two) ends every
// line so: there a run of CR and LF is one line end, so its records do not
// read as records and blank lines by turns.
class TLineReader {
public:
    explicit TLineReader(std::string_view bytes) : Bytes(bytes) {
        const size_t end = bytes.find_first_of("\r\n");
        if (end != std::string_view::npos) {
            const std::string_view tail = bytes.substr(end, 3);
            Runs = tail.starts_with("\r\r\n") || tail.starts_with("\n\r");
        }
    }
    bool Next(std::string_view& line) {
        if (Pos >= Bytes.size())
            return false;
        const char* data = Bytes.data();
        size_t end = Pos;
        while (end < Bytes.size() && data[end] != '\n' && data[end] != '\r')
            ++end;
        line = Bytes.substr(Pos, end - Pos);
        if (Runs) {
            while (end < Bytes.size() && (data[end] == '\n' || data[end] == '\r'))
                ++end;
            Pos = end;
            return true;
        }
        if (end < Bytes.size() && data[end] == '\r' && end + 1 < Bytes.size() && data[end + 1] == '\n')
            ++end;
        Pos = end + 1;
        return true;
    }

private:
    std::string_view Bytes;
    size_t Pos = 0;
    bool Runs = false; // every run of CR and LF ends one line
};

} // namespace

std::string PadField(std::string_view text, size_t width, bool rightAligned) {
    text = Trim(text).substr(0, width);
    const std::string pad(width - text.size(), ' ');
    return rightAligned ? pad + std::string(text) : std::string(text) + pad;
}

std::string MatchLine(const TMatchRec& match, bool withDate) {
    const bool finished = match.Status == StatusFinished;
    std::string line;
    line.reserve(kLineBytes);
    // A date out of the calendar's four-digit years would not fit: it is cut, never widened.
    line += withDate ? PadField(days::FormatDate(match.GameDate), 10, false) : std::string(10, ' ');
    line += ' ';
    line += PadField(match.HomeSymbol.Text(), 3, true);
    line += ' ';
    line += finished ? PadField(std::to_string(match.HomeScore), 2, true) : "  ";
    line += " - ";
    line += finished ? PadField(std::to_string(match.VisitorScore), 2, false) : "  ";
    line += ' ';
    line += PadField(match.VisitorSymbol.Text(), 3, false);
    line += ' ';
    line += match.Status == StatusCancelled ? 'X' : ' ';
    BreaksToSpaces(line);
    return line;
}

std::string EncodeMatchText(const TPennant& pennant, const TFight& fight) {
    std::string text = pennant.Contents;
    BreaksToSpaces(text);
    text += kLineEnd;
    size_t from = text.size();
    text += pennant.Checker;
    BreaksToSpaces(text, from);
    text += kLineEnd;
    text += kLastUpdate;
    text += days::FormatDateTime(fight.LastUpdate);
    text += kLineEnd;

    text.reserve(text.size() + static_cast<size_t>(fight.MatchCount()) * (kLineBytes + kLineEnd.size()));
    for (int i = 0; i < fight.MatchCount(); ++i) {
        const TMatchRec& match = fight.GetMatch(i);
        const bool newDay = i == 0 || !days::SameDay(match.GameDate, fight.GetMatch(i - 1).GameDate);
        text += MatchLine(match, newDay);
        text += kLineEnd;
    }
    return text;
}

bool ExportMatchText(const std::string& path, const TPennant& pennant, const TFight& fight,
                     const TWriteFaults* faults) {
    return WriteFileAtomically(path, EncodeMatchText(pennant, fight), faults);
}

TMatchText ReadMatchText(std::string_view bytes) {
    TMatchText result;
    result.Fight = std::make_unique<TFight>();
    TFight& fight = *result.Fight;
    TLineReader lines(bytes);
    std::string_view line;

    if (!lines.Next(line)) // the title: not needed
        return result;
    if (!lines.Next(line))
        return result;
    result.HasChecker = true;
    result.Checker.assign(line);
    if (lines.Next(line) && line.size() > kLastUpdate.size()) {
        // The 19 bytes after "LastUpdate:", whatever the label says.
        const std::optional<double> when = days::ParseDateTime(std::string(line.substr(kLastUpdate.size(), 19)));
        result.LastUpdate = when.value_or(0.0);
    }
    fight.LastUpdate = result.LastUpdate;

    // Room for one record per remaining line that can hold one, and no more:
    // a binary file of few line ends reserves next to nothing.
    const size_t lineEnds = static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n') +
                                                std::count(bytes.begin(), bytes.end(), '\r'));
    fight.Reserve(static_cast<int>(std::min({lineEnds + 1, bytes.size() / kLineBytes, size_t(1) << 24})));

    double day = 0;
    int counter = 0;
    int lineNumber = 3;
    std::string padded;
    // The reason is written only for the few lines whose reason is kept.
    auto unreadable = [&result, &lineNumber](auto why) {
        result.Unreadable(lineNumber, result.Problems.size() < TMatchText::kProblemsKept ? why() : std::string());
    };
    auto quoted = [](std::string_view field) { return "「" + sjis::ToUtf8(Trim(field)) + "」"; };
    while (lines.Next(line)) {
        ++lineNumber;
        if (AllBlank(line))
            continue;
        if (line.size() < kLineBytes) {
            // An editor that strips trailing spaces leaves a record ending in
            // its visitor symbol (columns 24 to 26): read it as the 28 columns
            // it was written as. Any other short line is no record.
            if (line.size() < kVisitorColumn || line.size() > kVisitorColumn + 2 || Blank(line.back())) {
                unreadable(
                    [&line] { return "行が短すぎます (" + std::to_string(line.size()) + "バイト、28バイト必要)"; });
                continue;
            }
            padded.assign(line);
            padded.resize(kLineBytes, ' ');
            line = padded;
        }
        const std::optional<int8_t> homeScore = Score(line.substr(15, 2));
        const std::optional<int8_t> visitorScore = Score(line.substr(20, 2));
        if (!homeScore || !visitorScore || (line[27] != ' ' && line[27] != 'X')) {
            unreadable([&] {
                if (!homeScore || !visitorScore)
                    return "得点" + quoted(line.substr(!homeScore ? 15 : 20, 2)) + "が数字ではありません";
                return "28桁目" + quoted(line.substr(27, 1)) + "が空白でも X でもありません";
            });
            continue;
        }
        if (line.substr(0, 8) != "        ") {
            counter = 1;
            const std::optional<double> date = days::ParseDate(std::string(line.substr(0, 10)));
            day = date.value_or(0.0);
            if (!date) {
                unreadable([&] { return "日付" + quoted(line.substr(0, 10)) + "が読めません"; });
                continue;
            }
        } else if (counter < 127) {
            ++counter; // GameNo is one signed byte: a day of more games keeps the rest in file order
        }
        TMatchRec& match = fight.GetMatch(fight.NewMatch());
        match.HomeSymbol.Set(Trim(line.substr(11, 3)));
        match.HomeScore = *homeScore;
        match.VisitorScore = *visitorScore;
        match.VisitorSymbol.Set(Trim(line.substr(23, 3)));
        match.Status = line[27] == 'X' ? StatusCancelled : line.substr(15, 2) != "  " ? StatusFinished : StatusBefore;
        match.GameNo = static_cast<int8_t>(counter);
        match.GameDate = day;
    }
    return result;
}

void TMatchText::Unreadable(int line, std::string why) {
    if (UnreadLines++ == 0)
        FirstUnreadLine = line;
    if (Problems.size() < kProblemsKept)
        Problems.push_back({line, std::move(why)});
}

TImportCheck CheckImport(const TPennant& pennant, const TFight& fight, const TMatchText& text) {
    if (text.Foreign)
        return text.UnreadLines > 0 ? TImportCheck::Unreadable : TImportCheck::Ok;
    if (!text.HasChecker || text.Checker != pennant.Checker)
        return TImportCheck::OtherChecker;
    if (text.UnreadLines > 0)
        return TImportCheck::Unreadable;
    if (Seconds(fight.LastUpdate, true) > Seconds(text.LastUpdate, false))
        return TImportCheck::Older;
    return TImportCheck::Ok;
}

namespace {

// Numbers the games of each day in the season's team order. The records are
// first put in day order (keeping their order within a day), so a day that
// the file lists in two places is numbered once.
void NumberDays(const TPennant& pennant, TFight& fight) {
    fight.SortMatches();
    RenumberGames(pennant, fight);
}

void Append(TFight& to, const TMatchRec& match) {
    to.GetMatch(to.NewMatch()) = match;
}

} // namespace

void ApplyImport(const TPennant& pennant, TFight& fight, TMatchText&& text, bool merge) {
    TFight& read = *text.Fight;
    if (!merge && !text.Foreign && !text.Numbered) {
        fight = std::move(read);
        RenumberGames(pennant, fight);
        return;
    }
    if (!text.Numbered)
        NumberDays(pennant, read);
    const double lastUpdate = text.Foreign ? days::Now()
                              : merge      ? std::max(fight.LastUpdate, text.LastUpdate)
                                           : text.LastUpdate;
    if (merge) {
        std::unordered_set<int64_t> fileDays;
        for (int i = 0; i < read.MatchCount(); ++i)
            fileDays.insert(days::WholeDay(read.GetMatch(i).GameDate));
        TFight merged;
        merged.Reserve(fight.MatchCount() + read.MatchCount());
        for (int i = 0; i < fight.MatchCount(); ++i)
            if (!fileDays.contains(days::WholeDay(fight.GetMatch(i).GameDate)))
                Append(merged, fight.GetMatch(i));
        for (int i = 0; i < read.MatchCount(); ++i)
            Append(merged, read.GetMatch(i));
        fight = std::move(merged);
    } else {
        fight = std::move(read);
    }
    fight.LastUpdate = lastUpdate;
    fight.SortMatches();
}

std::string UnreadableLinesText(const TMatchText& text) {
    return "読み込めない行が" + std::to_string(text.UnreadLines) + "行あります (最初は" +
           std::to_string(text.FirstUnreadLine) + "行目)";
}

std::vector<std::string> UnreadableLineReasons(const TMatchText& text) {
    std::vector<std::string> lines;
    for (const TMatchText::TLineProblem& p : text.Problems)
        lines.push_back(std::to_string(p.Line) + "行目: " + p.Why);
    const int more = text.UnreadLines - static_cast<int>(text.Problems.size());
    if (!text.Problems.empty() && more > 0)
        lines.push_back("ほか" + std::to_string(more) + "行");
    return lines;
}

bool ReadMatchTextFile(const std::string& path, const std::string& seasonChecker, TMatchText& text,
                       TFileProblem* problem) {
    TReadFile file;
    TFileProblem why = file.Open(path, size_t(1) << 30);
    // The head first: a file that is not this season's (or no match data at
    // all, a gibibyte of zeros) is refused without reading the rest.
    std::string bytes(static_cast<size_t>(std::min<uint64_t>(file.Size(), 64 * 1024)), '\0');
    if (why == TFileProblem::None && !file.Read(bytes.data(), bytes.size()))
        why = TFileProblem::Unreadable;
    if (problem)
        *problem = why;
    if (why != TFileProblem::None)
        return false;
    const bool whole = bytes.size() == file.Size();
    TLineReader lines(bytes);
    std::string_view title, checker;
    const bool complete = lines.Next(title) && lines.Next(checker) &&
                          (whole || static_cast<size_t>(checker.data() + checker.size() - bytes.data()) < bytes.size());
    if (!complete || checker != seasonChecker) {
        text = TMatchText();
        text.Fight = std::make_unique<TFight>();
        // No second line within the head: no checker to compare, the file is refused.
        text.HasChecker = complete;
        if (complete)
            text.Checker.assign(checker);
        return true;
    }
    if (!whole) {
        const size_t head = bytes.size();
        bytes.resize(static_cast<size_t>(file.Size()));
        if (!file.Read(bytes.data() + head, bytes.size() - head)) {
            if (problem)
                *problem = TFileProblem::Unreadable;
            return false;
        }
    }
    text = ReadMatchText(bytes);
    return true;
}
