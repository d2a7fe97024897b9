#include "core/io/MatchText.h"
#include "core/base/DayNumber.h"
#include "core/base/SjisText.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "tests/support/TempFolder.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

const double kApr1 = days::Encode(2003, 4, 1);

TMatchRec Rec(const char* home, const char* visitor, int hs, int vs, uint8_t status, double day, int no = 1) {
    TMatchRec m;
    m.HomeSymbol.Set(home);
    m.VisitorSymbol.Set(visitor);
    m.HomeScore = static_cast<int8_t>(hs);
    m.VisitorScore = static_cast<int8_t>(vs);
    m.Status = status;
    m.GameDate = day;
    m.GameNo = static_cast<int8_t>(no);
    return m;
}

// Teams C, G, T (in this season order) and a checker.
struct TSeason {
    TPennant Pennant;
    TFight Fight;
    TSeason() {
        Pennant.Contents = sjis::S("プロ野球２００Ｘ");
        Pennant.Checker = "aB3@\\#xy";
        TLeague& l = Pennant.GetLeague(Pennant.AddLeague());
        TDistrict& d = l.GetDistrict(l.AddDistrict());
        for (const char* s : {"C", "G", "T"})
            d.GetTeam(d.AddTeam()).SetSymbol(s);
    }
    void Add(const TMatchRec& m) { Fight.GetMatch(Fight.NewMatch()) = m; }
};

std::string Header(const std::string& checker, const std::string& lastUpdate) {
    return "Title\r\n" + checker + "\r\nLastUpdate:" + lastUpdate + "\r\n";
}

} // namespace

TEST(MatchText, PadFieldTrimsCutsAndAligns) {
    EXPECT_EQ(PadField("G", 3, true), "  G");
    EXPECT_EQ(PadField("G", 3, false), "G  ");
    EXPECT_EQ(PadField(" \tG\r ", 3, true), "  G");
    EXPECT_EQ(PadField("ABCD", 3, false), "ABC");
    EXPECT_EQ(PadField("", 2, true), "  ");
    EXPECT_EQ(PadField("127", 2, true), "12");
    EXPECT_EQ(PadField(sjis::S("巨"), 3, true), " " + sjis::S("巨")); // two bytes, two columns
}

TEST(MatchText, LinesAreByteExact) {
    struct {
        TMatchRec Match;
        bool WithDate;
        const char* Line;
    } cases[] = {
        {Rec("G", "T", 3, 2, StatusFinished, kApr1), true, "2003/04/01   G  3 - 2  T    "},
        {Rec("YB", "D", 0, 0, StatusBefore, kApr1), false, "            YB    -    D    "},
        {Rec("YB", "D", 4, 1, StatusCancelled, kApr1), false, "            YB    -    D   X"},
        {Rec("G", "T", 10, 12, StatusFinished, kApr1), false, "             G 10 - 12 T    "},
        {Rec("G", "T", 100, 127, StatusFinished, kApr1), false, "             G 10 - 12 T    "},
        {Rec("NYY", "BOS", 0, 7, StatusFinished, kApr1), false, "           NYY  0 - 7  BOS  "},
        {Rec("G", "T", -3, 0, StatusFinished, kApr1), false, "             G -3 - 0  T    "},
        {Rec("G", "T", 0, 0, StatusBefore, days::UndecidedDate), true, "9999/12/31   G    -    T    "},
    };
    for (const auto& c : cases) {
        const std::string line = MatchLine(c.Match, c.WithDate);
        EXPECT_EQ(line, c.Line);
        EXPECT_EQ(line.size(), 28u);
    }
    // A 3-byte symbol with a double-byte character keeps its bytes, right-aligned.
    const std::string kyo = sjis::S("巨") + "A";
    EXPECT_EQ(MatchLine(Rec(kyo.c_str(), "T", 1, 0, StatusFinished, kApr1), false),
              "           " + kyo + "  1 - 0  T    ");
}

TEST(MatchText, FileHasTheHeaderAndDatesOnlyWhenTheDayChanges) {
    TSeason s;
    s.Fight.LastUpdate = days::Encode(2003, 4, 2) + (13 * 3600 + 5 * 60 + 9) / 86400.0;
    s.Add(Rec("G", "T", 3, 2, StatusFinished, kApr1 + 0.75));
    s.Add(Rec("C", "G", 0, 0, StatusCancelled, kApr1 + 0.25, 2)); // same day, other time
    s.Add(Rec("T", "C", 0, 0, StatusBefore, kApr1 + 1));
    const std::string expected = sjis::S("プロ野球２００Ｘ") + "\r\naB3@\\#xy\r\n"
                                                               "LastUpdate:2003/04/02 13:05:09\r\n"
                                                               "2003/04/01   G  3 - 2  T    \r\n"
                                                               "             C    -    G   X\r\n"
                                                               "2003/04/02   T    -    C    \r\n";
    EXPECT_EQ(EncodeMatchText(s.Pennant, s.Fight), expected);

    // No season updates yet; a line break in the title cannot shift the lines.
    TSeason empty;
    empty.Pennant.Contents = "A\r\nB";
    EXPECT_EQ(EncodeMatchText(empty.Pennant, empty.Fight), "A  B\r\naB3@\\#xy\r\nLastUpdate:1899/12/30 00:00:00\r\n");
}

TEST(MatchText, RoundTripIntoTheSameSeason) {
    TSeason s;
    s.Fight.LastUpdate = days::Encode(2003, 4, 2) + 0.5;
    // GameNo out of team order, to be rebuilt: C is the first team, G the second.
    s.Add(Rec("G", "T", 3, 2, StatusFinished, kApr1, 1));
    s.Add(Rec("C", "G", 0, 0, StatusCancelled, kApr1, 2));
    s.Add(Rec("T", "C", 11, 10, StatusFinished, kApr1 + 1, 1));
    s.Add(Rec("X", "G", 0, 0, StatusBefore, kApr1 + 1, 2)); // a symbol of no team stays
    s.Add(Rec("G", "C", 0, 0, StatusBefore, days::UndecidedDate, 1));
    const std::string text = EncodeMatchText(s.Pennant, s.Fight);

    TMatchText read = ReadMatchText(text);
    EXPECT_EQ(CheckImport(s.Pennant, s.Fight, read), TImportCheck::Ok);
    EXPECT_EQ(read.LastUpdate, s.Fight.LastUpdate);
    TFight imported;
    ApplyImport(s.Pennant, imported, std::move(read));
    EXPECT_EQ(imported.LastUpdate, s.Fight.LastUpdate);
    // Each record as a dated line (day, symbols, scores, status) and its GameNo.
    const std::pair<const char*, int> expected[] = {
        {"2003/04/01   C    -    G   X", 1}, {"2003/04/01   G  3 - 2  T    ", 2}, {"2003/04/02   T 11 - 10 C    ", 1},
        {"2003/04/02   X    -    G    ", 2}, {"9999/12/31   G    -    C    ", 1},
    };
    ASSERT_EQ(imported.MatchCount(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(MatchLine(imported.GetMatch(i), true), expected[i].first);
        EXPECT_EQ(imported.GetMatch(i).GameNo, expected[i].second) << i;
    }
}

// Lines that are neither blank, a record nor a date line are counted, with
// the first one's number: an import of such a file changes nothing.
TEST(MatchText, ReaderCountsTheLinesItCannotRead) {
    const std::string body = Header("ck", "2003/04/02 10:00:00") +
                             "2003/04/01   G  3 - 2  T    \r\n"
                             "             C    -    G  \r\n"   // line 5: 26 bytes ending in spaces
                             "             T  5 - x  C    \r\n" // a score that is no number
                             "   \t  \r\n"                      // blank: skipped
                             "2003/02/30   G    -    T    \r\n" // no such day
                             "             C ab -    T   X\r\n"
                             "             C  1 -  0 T   Y\r\n" // the last column is neither blank nor X
                             "        12   G  1 - 0  C    \r\n" // only columns 1-8 decide
                             "\r\n";
    TMatchText t = ReadMatchText(body);
    EXPECT_TRUE(t.HasChecker);
    EXPECT_EQ(t.Checker, "ck");
    EXPECT_EQ(t.LastUpdate, days::Encode(2003, 4, 2) + 10 / 24.0);
    EXPECT_EQ(t.UnreadLines, 5);
    EXPECT_EQ(t.FirstUnreadLine, 5);
    EXPECT_EQ(UnreadableLinesText(t), "読み込めない行が5行あります (最初は5行目)");
    const TFight& f = *t.Fight;
    ASSERT_EQ(f.MatchCount(), 2);
    EXPECT_EQ(f.GetMatch(0).GameNo, 1);
    EXPECT_EQ(f.GetMatch(0).Status, StatusFinished);
    EXPECT_EQ(f.GetMatch(1).HomeScore, 1); // after the unreadable date: day 0
    EXPECT_EQ(double(f.GetMatch(1).GameDate), 0);

    // A file of 27-column records (one short, the last byte no space) is no
    // match list: every line is counted, none is taken for a game.
    std::string shifted = Header("ck", "2003/04/02 10:00:00");
    for (int i = 0; i < 20; ++i)
        shifted += i % 5 ? "            C  1 - 0  T   X\r\n" : "2003/04/01  G  3 - 2  T   X\r\n";
    const TMatchText refused = ReadMatchText(shifted);
    EXPECT_EQ(refused.UnreadLines, 20);
    EXPECT_EQ(refused.FirstUnreadLine, 4);
}

// Whether a game was played is read from the home score's columns alone; an
// "X" in the last column cancels it whatever the scores say.
TEST(MatchText, StatusComesFromTheHomeScore) {
    const TMatchText t = ReadMatchText(Header("ck", "2003/04/02 10:00:00") + "2003/04/01   G  3 -    T    \r\n"
                                                                             "             C    - 2  G    \r\n"
                                                                             "             T  4 - 1  C   X\r\n");
    const TFight& f = *t.Fight;
    ASSERT_EQ(f.MatchCount(), 3);
    EXPECT_EQ(f.GetMatch(0).Status, StatusFinished);
    EXPECT_EQ(f.GetMatch(0).HomeScore, 3);
    EXPECT_EQ(f.GetMatch(0).VisitorScore, 0);
    EXPECT_EQ(f.GetMatch(1).Status, StatusBefore);
    EXPECT_EQ(f.GetMatch(1).VisitorScore, 2);
    EXPECT_EQ(f.GetMatch(2).Status, StatusCancelled);
}

// Trailing spaces stripped by an editor: every record still reads as written.
// A line cut before the visitor symbol, or ending in a space, is still short.
TEST(MatchText, RecordsWithoutTheirTrailingSpacesReadTheSame) {
    const std::string lines = "2003/04/01   G  3 - 2  T    \r\n"
                              "             C    -    G    \r\n"
                              "             T    -    C   X\r\n"
                              "2003/04/02   G 10 - 12 NYY  \r\n";
    std::string stripped;
    for (size_t at = 0; at < lines.size();) {
        const size_t end = lines.find("\r\n", at);
        std::string line = lines.substr(at, end - at);
        line.erase(line.find_last_not_of(' ') + 1);
        stripped += line + "\r\n";
        at = end + 2;
    }
    stripped += "             G  1 - 0\r\n"      // 21 bytes: no visitor, unreadable
                "             G  1 - 0  C \r\n"; // 25 bytes ending in a space: unreadable
    const TMatchText wholeText = ReadMatchText(Header("ck", "2003/04/02 10:00:00") + lines);
    const TMatchText readText = ReadMatchText(Header("ck", "2003/04/02 10:00:00") + stripped);
    const TFight& whole = *wholeText.Fight;
    const TFight& read = *readText.Fight;
    ASSERT_EQ(read.MatchCount(), 4);
    EXPECT_EQ(wholeText.UnreadLines, 0);
    EXPECT_EQ(readText.UnreadLines, 2);
    EXPECT_EQ(readText.FirstUnreadLine, 8);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(MatchLine(read.GetMatch(i), true), MatchLine(whole.GetMatch(i), true)) << i;
    EXPECT_EQ(read.GetMatch(1).Status, StatusBefore);
    EXPECT_EQ(read.GetMatch(3).VisitorSymbol.Text(), "NYY");
}

TEST(MatchText, LineEndsOfOtherSystemsReadTheSame) {
    const std::string lines[] = {"t", "ck", "LastUpdate:2003/04/02 10:00:00", "2003/04/01   G  3 - 2  T    ",
                                 "             C    -    G   X"};
    auto join = [&](const std::string& end, bool last) {
        std::string text;
        for (const std::string& line : lines)
            text += line + (last || &line != &lines[4] ? end : "");
        return text;
    };
    const TMatchText reference = ReadMatchText(join("\r\n", true));
    ASSERT_EQ(reference.Fight->MatchCount(), 2);
    // CR CR LF and LF CR too: a CR LF file converted once more, or written with the two swapped.
    for (const std::string& text : {join("\n", true), join("\n", false), join("\r", true), join("\r\n", false),
                                    join("\r\r\n", true), join("\r\r\n", false), join("\n\r", true)}) {
        TMatchText t = ReadMatchText(text);
        EXPECT_EQ(t.Checker, "ck");
        EXPECT_EQ(t.LastUpdate, reference.LastUpdate);
        ASSERT_EQ(t.Fight->MatchCount(), 2);
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(std::memcmp(&t.Fight->GetMatch(i), &reference.Fight->GetMatch(i), sizeof(TMatchRec)), 0);
    }
    // A season without a title writes an empty first line, whatever the line ends.
    EXPECT_EQ(ReadMatchText("\r\r\nck\r\r\n").Checker, "ck");
    EXPECT_EQ(ReadMatchText("\r\nck\r\n").Checker, "ck");
}

TEST(MatchText, AnyBytesReadWithoutHarm) {
    // Empty, one line, binary with NULs, invalid Shift-JIS, one huge line.
    EXPECT_FALSE(ReadMatchText("").HasChecker);
    EXPECT_FALSE(ReadMatchText("only a title").HasChecker);
    EXPECT_FALSE(ReadMatchText("title\r\n").HasChecker);
    EXPECT_TRUE(ReadMatchText("title\r\n\r\n").HasChecker); // an empty second line is a (blank) checker
    std::string binary(4096, '\0');
    for (size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>(i * 151 % 256);
    EXPECT_NO_THROW(ReadMatchText(binary));
    const TMatchText bad = ReadMatchText(Header("ck", "x") + "2003/04/01  \x82\xFF     -    \x9F    \r\n" +
                                         "2003/04/01  \x82\xFF \x81  -    \x9F    \r\n"); // junk in a score
    ASSERT_EQ(bad.Fight->MatchCount(), 1);
    EXPECT_EQ(bad.UnreadLines, 1);
    EXPECT_EQ(bad.Fight->GetMatch(0).HomeSymbol.Text(), "\x82\xFF");
    EXPECT_EQ(bad.LastUpdate, 0);
    const TMatchText huge = ReadMatchText(Header("ck", "x") + std::string(2 << 20, 'Z'));
    ASSERT_EQ(huge.Fight->MatchCount(), 0); // "ZZZZZZZZ" is not a date
    EXPECT_EQ(huge.UnreadLines, 1);
}

TEST(MatchText, ImportChecksTheCheckerThenTheAge) {
    TSeason s;
    const double update = days::Encode(2003, 4, 2) + (10 * 3600 + 0.6) / 86400.0; // 10:00:00.6
    s.Fight.LastUpdate = update;
    auto check = [&](const std::string& checker, const std::string& when) {
        return CheckImport(s.Pennant, s.Fight, ReadMatchText(Header(checker, when)));
    };
    EXPECT_EQ(check("aB3@\\#xy", "2003/04/02 10:00:00"), TImportCheck::Ok); // equal to the second
    EXPECT_EQ(check("aB3@\\#xy", "2003/04/02 10:00:01"), TImportCheck::Ok);
    EXPECT_EQ(check("aB3@\\#xy", "2003/04/02 09:59:59"), TImportCheck::Older);
    EXPECT_EQ(check("aB3@\\#xy", "yesterday"), TImportCheck::Older);
    EXPECT_EQ(check("aB3@\\#xy ", "2003/04/02 10:00:00"), TImportCheck::OtherChecker);
    EXPECT_EQ(check("ab3@\\#xy", "2003/04/02 10:00:00"), TImportCheck::OtherChecker);
    EXPECT_EQ(CheckImport(s.Pennant, s.Fight, ReadMatchText("title only")), TImportCheck::OtherChecker);
    // Lines that could not be read refuse the file before its age is asked about.
    EXPECT_EQ(
        CheckImport(s.Pennant, s.Fight,
                    ReadMatchText(Header("aB3@\\#xy", "2003/04/02 09:59:59") + "2003/04/01  G  3 - 2  T   X\r\n")),
        TImportCheck::Unreadable);
    // A season never updated takes any file, even one whose time cannot be read.
    s.Fight.LastUpdate = 0;
    EXPECT_EQ(check("aB3@\\#xy", "garbage"), TImportCheck::Ok);
    // Before 1899/12/30 the time of day still counts forward.
    s.Fight.LastUpdate = -1.25; // 1899/12/29 06:00
    EXPECT_EQ(check("aB3@\\#xy", "1899/12/29 05:00:00"), TImportCheck::Older);
    EXPECT_EQ(check("aB3@\\#xy", "1899/12/29 06:00:00"), TImportCheck::Ok);
}

TEST(MatchText, FailedExportLeavesTheOldFile) {
    const TTempFolder folder;
    const std::string path = folder.File("matches.txt");
    std::ofstream(path, std::ios::binary) << "old contents";
    TSeason s;
    s.Add(Rec("G", "T", 3, 2, StatusFinished, kApr1));
    TWriteFaults full{40};
    EXPECT_FALSE(ExportMatchText(path, s.Pennant, s.Fight, &full));
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old contents");
    EXPECT_TRUE(ExportMatchText(path, s.Pennant, s.Fight));
}

// The file is read from its head: another season's file, or no match data at
// all, is refused on its first lines without the rest being read; this
// season's file reads whole, however large.
TEST(MatchText, FilesAreReadFromTheHeadAndOnlyThenWhole) {
    const TTempFolder folder;
    std::string games;
    for (int i = 0; i < 4000; ++i) // well past the head's 64 KiB
        games += "2003/04/01   G  3 - 2  T    \r\n";
    auto read = [&](const std::string& name, const std::string& bytes) {
        const std::string path = folder.File(name);
        std::ofstream(path, std::ios::binary) << bytes;
        TMatchText text;
        TFileProblem problem = TFileProblem::None;
        EXPECT_TRUE(ReadMatchTextFile(path, "ck", text, &problem)) << name;
        return text;
    };
    const TMatchText ours = read("ours.txt", Header("ck", "2003/04/02 10:00:00") + games);
    EXPECT_EQ(ours.Fight->MatchCount(), 4000);
    EXPECT_EQ(ours.UnreadLines, 0);
    const TMatchText theirs = read("theirs.txt", Header("other", "2003/04/02 10:00:00") + games);
    EXPECT_TRUE(theirs.HasChecker);
    EXPECT_EQ(theirs.Checker, "other");
    EXPECT_EQ(theirs.Fight->MatchCount(), 0);                               // the rest never read
    EXPECT_FALSE(read("zeros.txt", std::string(1 << 20, '\0')).HasChecker); // no line end in its head
    EXPECT_FALSE(read("title.txt", "only a title").HasChecker);
    EXPECT_EQ(read("small.txt", Header("ck", "x") + "2003/04/01   G  3 - 2  T    ").Fight->MatchCount(), 1);

    TMatchText none;
    TFileProblem problem = TFileProblem::None;
    EXPECT_FALSE(ReadMatchTextFile(folder.File("missing.txt"), "ck", none, &problem));
    EXPECT_EQ(problem, TFileProblem::Missing);
}
