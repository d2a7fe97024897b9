#include "core/io/SeasonFile.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Assembles expected file bytes by hand, independent of the writer.
struct TBytes {
    std::string b;
    TBytes& raw(const std::string& s) {
        b += s;
        return *this;
    }
    TBytes& i32(int32_t v) {
        for (int i = 0; i < 4; ++i)
            b += static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF);
        return *this;
    }
    TBytes& u8(uint8_t v) {
        b += static_cast<char>(v);
        return *this;
    }
    TBytes& text(const std::string& s) { return i32(static_cast<int32_t>(s.size())).raw(s); }
    TBytes& f64(double d) {
        char c[8];
        std::memcpy(c, &d, 8);
        b.append(c, 8);
        return *this;
    }
};

struct TSeason {
    std::unique_ptr<TPennant> p = std::make_unique<TPennant>();
    std::unique_ptr<TFight> f = std::make_unique<TFight>();
};

// One league, one district, two teams, two matches.
TSeason SmallSeason() {
    TSeason s;
    s.p->Contents = "Title";
    s.p->Interleague = 1;
    s.p->Checker = "abcdefgh";
    s.p->Reserved = "rsv";
    s.p->Modified = 1;
    TLeague& l = s.p->GetLeague(s.p->AddLeague());
    l.Name = "L1";
    l.DrawRule = 2;
    l.RankRule = 1;
    l.OrderKey = 9;
    TDistrict& d = l.GetDistrict(l.AddDistrict());
    d.Name = "D";
    TTeam& g = d.GetTeam(d.AddTeam());
    g.Name = "Giants";
    g.ShortName = "G";
    g.SetSymbol("G");
    g.Color = 0x00FF8040;
    g.Picture = "{DEFAULT}g.bmp";
    g.OrderKey = 3;
    TTeam& t = d.GetTeam(d.AddTeam());
    t.Name = "Tigers";
    t.SetSymbol("T");
    t.Color = -2147483643; // a system color: top bit set
    s.f->LastUpdate = 37712.5;
    TMatchRec& m = s.f->GetMatch(s.f->NewMatch());
    m.HomeSymbol.Set("G");
    m.VisitorSymbol.Set("T");
    m.HomeScore = 3;
    m.VisitorScore = 2;
    m.Status = 1;
    m.GameDate = 37712;
    m.GameNo = 1;
    TMatchRec& u = s.f->GetMatch(s.f->NewMatch());
    u.HomeSymbol.Set("T");
    u.VisitorSymbol.Set("G");
    u.GameDate = 2958465;
    u.GameNo = 1;
    return s;
}

std::string SmallSeasonBytes() {
    TBytes x;
    x.raw("QVKDATA").i32(102).i32(1).text("Title").u8(1).text("abcdefgh").text("rsv");
    x.i32(1).text("L1").u8(2).u8(1);
    x.i32(2).text("D");
    x.text("Giants").text("G").text("G").i32(0x00FF8040).text("{DEFAULT}g.bmp");
    x.text("Tigers").text("").text("T").i32(-2147483643).text("");
    x.i32(2).f64(37712.5);
    x.raw(std::string("\x01G\0\0\x01T\0\0\x03\x02\x01\0\0\0\0\0\x6A\xE2\x40\x01", 20));
    x.raw(std::string("\x01T\0\0\x01G\0\0\0\0\0", 11)).f64(2958465).u8(1);
    return x.b;
}

bool Decode(const std::string& bytes, TLoadError* why = nullptr) {
    std::unique_ptr<TPennant> p;
    std::unique_ptr<TFight> f;
    bool ok = DecodeSeason(bytes, p, f, why);
    EXPECT_EQ(ok, p != nullptr);
    EXPECT_EQ(ok, f != nullptr);
    return ok;
}

class SeasonFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        Dir = fs::temp_directory_path() / ("tablora-test-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(Dir);
    }
    void TearDown() override { fs::remove_all(Dir); }
    std::string Path(const char* name) const { return (Dir / name).string(); }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    fs::path Dir;
};

} // namespace

TEST(SeasonFile, EmptySeasonIsFortyEightBytes) {
    TPennant p;
    p.Checker = "12345678";
    TFight f;
    const std::string bytes = EncodeSeason(p, f);
    TBytes x;
    x.raw("QVKDATA").i32(102).i32(0).text("").u8(0).text("12345678").text("").i32(0).f64(0);
    ASSERT_EQ(bytes.size(), 48u);
    EXPECT_EQ(bytes, x.b);
    EXPECT_TRUE(Decode(bytes));
}

TEST(SeasonFile, WritesEveryFieldInOrder) {
    EXPECT_EQ(EncodeSeason(*SmallSeason().p, *SmallSeason().f), SmallSeasonBytes());
}

TEST(SeasonFile, RoundTripKeepsEveryFieldButModifiedAndOrderKeys) {
    TSeason s = SmallSeason();
    std::unique_ptr<TPennant> p;
    std::unique_ptr<TFight> f;
    ASSERT_TRUE(DecodeSeason(EncodeSeason(*s.p, *s.f), p, f));
    EXPECT_EQ(p->Contents, "Title");
    EXPECT_EQ(p->Interleague, 1);
    EXPECT_EQ(p->Checker, "abcdefgh");
    EXPECT_EQ(p->Reserved, "rsv");
    EXPECT_EQ(p->Modified, 0);
    ASSERT_EQ(p->LeagueCount(), 1);
    const TLeague& l = p->GetLeague(0);
    EXPECT_EQ(l.Name, "L1");
    EXPECT_EQ(l.DrawRule, 2);
    EXPECT_EQ(l.RankRule, 1);
    EXPECT_EQ(l.OrderKey, 0);
    ASSERT_EQ(l.DistrictCount(), 1);
    ASSERT_EQ(l.GetDistrict(0).TeamCount(), 2);
    const TTeam& g = l.GetDistrict(0).GetTeam(0);
    EXPECT_EQ(g.Name, "Giants");
    EXPECT_EQ(g.ShortName, "G");
    EXPECT_EQ(g.Symbol, "G");
    EXPECT_EQ(g.Color, 0x00FF8040);
    EXPECT_EQ(g.Picture, "{DEFAULT}g.bmp");
    EXPECT_EQ(g.OrderKey, 0);
    EXPECT_EQ(l.GetDistrict(0).GetTeam(1).Color, -2147483643);
    EXPECT_EQ(f->LastUpdate, 37712.5);
    ASSERT_EQ(f->MatchCount(), 2);
    EXPECT_EQ(std::memcmp(&f->GetMatch(0), &s.f->GetMatch(0), 20), 0);
    EXPECT_EQ(std::memcmp(&f->GetMatch(1), &s.f->GetMatch(1), 20), 0);
    EXPECT_EQ(EncodeSeason(*p, *f), SmallSeasonBytes());
}

TEST(SeasonFile, SymbolsAreTrimmedOnRead) {
    TBytes x;
    x.raw("QVKDATA").i32(102).i32(1).text("").u8(0).text("").text("");
    x.i32(1).text("").u8(0).u8(0).i32(2).text("");
    x.text("").text("").text("ABCD").i32(0).text("");
    x.text("").text("").text(" G ").i32(0).text("");
    x.i32(0).f64(0);
    std::unique_ptr<TPennant> p;
    std::unique_ptr<TFight> f;
    ASSERT_TRUE(DecodeSeason(x.b, p, f));
    EXPECT_EQ(p->GetLeague(0).GetDistrict(0).GetTeam(0).Symbol, "ABC");
    EXPECT_EQ(p->GetLeague(0).GetDistrict(0).GetTeam(1).Symbol, "G");
}

TEST(SeasonFile, RefusesEveryDamagedFile) {
    const std::string good = SmallSeasonBytes();
    TLoadError why;

    std::string lower = good;
    lower.replace(0, 7, "qvkdata");
    EXPECT_FALSE(Decode(lower, &why));
    EXPECT_EQ(why, TLoadError::BadMagic);

    EXPECT_FALSE(Decode(good.substr(0, 11), &why)); // cut right after the version
    EXPECT_EQ(why, TLoadError::Truncated);
    EXPECT_FALSE(Decode("", &why));
    EXPECT_FALSE(Decode("QVKDA", &why));

    // Ends right after the last team record: the match count is missing.
    const size_t teamsEnd = good.size() - 4 - 8 - 40;
    EXPECT_FALSE(Decode(good.substr(0, teamsEnd), &why));
    EXPECT_EQ(why, TLoadError::Truncated);

    // Every cut inside the file fails, wherever it falls (inside fields too).
    for (size_t n = 0; n < good.size(); ++n)
        EXPECT_FALSE(Decode(good.substr(0, n))) << "cut at " << n;

    // Three matches declared, two present.
    std::string three = good;
    three.replace(teamsEnd, 4, std::string("\x03\0\0\0", 4));
    EXPECT_FALSE(Decode(three, &why));
    EXPECT_EQ(why, TLoadError::BadCount);

    // A negative text length.
    std::string negative = good;
    negative.replace(15, 4, "\xFF\xFF\xFF\xFF");
    EXPECT_FALSE(Decode(negative, &why));
    EXPECT_EQ(why, TLoadError::BadCount);
}

TEST(SeasonFile, HugeCountsFailAtOnce) {
    // A league count of 2,000,000,000 in a 60-byte file.
    TBytes x;
    x.raw("QVKDATA").i32(102).i32(2000000000).text("").u8(0).text("12345678").text("");
    x.raw(std::string(60 - x.b.size(), '\0'));
    ASSERT_EQ(x.b.size(), 60u);
    TLoadError why;
    EXPECT_FALSE(Decode(x.b, &why));
    EXPECT_EQ(why, TLoadError::BadCount);

    // A huge team count and a huge text length inside a league.
    TBytes y;
    y.raw("QVKDATA").i32(102).i32(1).text("").u8(0).text("").text("").i32(1).text("").u8(0).u8(0);
    y.i32(0x7FFFFFFF).text("");
    EXPECT_FALSE(Decode(y.b, &why));
    EXPECT_EQ(why, TLoadError::BadCount);
    TBytes z;
    z.raw("QVKDATA").i32(102).i32(0).i32(0x7FFFFFF0).raw("abc");
    EXPECT_FALSE(Decode(z.b, &why));
    EXPECT_EQ(why, TLoadError::Truncated);
}

// Counts that each fit the bytes left but claim the same bytes twice: the
// leagues claim all the file, and the first league's districts claim it
// again (then its first district's teams). Each claim is checked against
// what the claims before it left, so the second fails at once, before the
// reader has reserved room for it; a valid file of the same shape still reads.
TEST(SeasonFile, CountsThatClaimTheSameBytesTwiceFailAtOnce) {
    const int kFill = 1 << 20;
    auto file = [&](int32_t leagues, int32_t districts, int32_t teams) {
        TBytes x;
        x.raw("QVKDATA").i32(102).i32(leagues).text("").u8(0).text("12345678").text("");
        x.i32(districts).text("").u8(0).u8(0); // the first league
        x.i32(teams).text("");                 // its first district
        x.raw(std::string(kFill, '\0'));
        return x.b;
    };
    TLoadError why;
    EXPECT_FALSE(Decode(file(kFill / 10, kFill / 8, 0), &why)); // leagues claim 10 bytes each
    EXPECT_EQ(why, TLoadError::BadCount);
    EXPECT_FALSE(Decode(file(1, kFill / 8, kFill / 20), &why)); // districts, then teams, claim it all
    EXPECT_EQ(why, TLoadError::BadCount);
    EXPECT_FALSE(Decode(file(1, 1, kFill / 20 + 2), &why)); // more teams than the bytes left can hold
    EXPECT_EQ(why, TLoadError::BadCount);

    // The same claims made one after another: 1 league of 1 district whose
    // teams fill the file exactly, then the (empty) match list.
    TBytes valid;
    valid.raw("QVKDATA").i32(102).i32(1).text("").u8(0).text("12345678").text("");
    valid.i32(1).text("").u8(0).u8(0).i32(3).text("");
    for (int t = 0; t < 3; ++t)
        valid.text("").text("").text("T").i32(0).text("");
    valid.i32(0).f64(0);
    std::unique_ptr<TPennant> p;
    std::unique_ptr<TFight> f;
    ASSERT_TRUE(DecodeSeason(valid.b, p, f, &why)) << LoadErrorText(why);
    EXPECT_EQ(p->GetLeague(0).GetDistrict(0).TeamCount(), 3);
}

TEST(SeasonFile, EmptyMatchListAndTrailingBytesAreFine) {
    TBytes x;
    x.raw("QVKDATA").i32(7).i32(0).text("").u8(0).text("").text("").i32(0).f64(1.5); // any version reads
    std::unique_ptr<TPennant> p;
    std::unique_ptr<TFight> f;
    ASSERT_TRUE(DecodeSeason(x.b, p, f));
    EXPECT_EQ(f->LastUpdate, 1.5);
    EXPECT_TRUE(Decode(SmallSeasonBytes() + "trailing garbage"));
}

TEST_F(SeasonFileOnDisk, SavesAndLoads) {
    TSeason s = SmallSeason();
    const std::string path = Path("season.qvk");
    ASSERT_TRUE(SaveSeason(path, s.p.get(), s.f.get()));
    EXPECT_EQ(Read(path), SmallSeasonBytes());

    std::unique_ptr<TPennant> p;
    std::unique_ptr<TFight> f;
    ASSERT_TRUE(LoadSeason(path, p, f));
    EXPECT_EQ(p->GetLeague(0).GetDistrict(0).GetTeam(1).Name, "Tigers");

    // A season already open: refused, and the open one is untouched.
    TPennant* open = p.get();
    TLoadError why;
    EXPECT_FALSE(LoadSeason(path, p, f, &why));
    EXPECT_EQ(why, TLoadError::SeasonOpen);
    EXPECT_EQ(p.get(), open);

    // Nothing left behind in the folder but the file itself.
    int files = 0;
    for ([[maybe_unused]] auto& e : fs::directory_iterator(Dir))
        ++files;
    EXPECT_EQ(files, 1);
}

// Texts of every length where a string changes how it holds them (in itself
// up to 15 bytes, in a block of its own beyond), bytes of every value, zero
// included, and one text longer than a block of the file reader.
TEST_F(SeasonFileOnDisk, TextsOfEveryLengthAndByteReadBack) {
    TPennant season;
    TFight fight;
    TDistrict& district = season.GetLeague(season.AddLeague()).GetDistrict(season.GetLeague(0).AddDistrict());
    std::vector<std::string> texts;
    for (size_t length : {0, 1, 15, 16, 17, 255, 256, 70000, 140000}) {
        std::string text(length, '\0');
        for (size_t i = 0; i < length; ++i)
            text[i] = static_cast<char>((i * 37 + length) % 256);
        TTeam& team = district.GetTeam(district.AddTeam());
        team.Name = text;
        team.ShortName = std::string(text.rbegin(), text.rend());
        team.Picture = text.substr(length / 2);
        texts.push_back(std::move(text));
    }
    season.Contents = texts.back();
    const std::string path = Path("texts.qvk");
    ASSERT_TRUE(SaveSeason(path, &season, &fight));

    std::unique_ptr<TPennant> p;
    std::unique_ptr<TFight> f;
    ASSERT_TRUE(LoadSeason(path, p, f));
    EXPECT_EQ(p->Contents, texts.back());
    const TDistrict& read = p->GetLeague(0).GetDistrict(0);
    ASSERT_EQ(read.TeamCount(), static_cast<int>(texts.size()));
    for (int t = 0; t < read.TeamCount(); ++t) {
        const std::string& text = texts[static_cast<size_t>(t)];
        EXPECT_EQ(read.GetTeam(t).Name, text) << text.size();
        EXPECT_EQ(read.GetTeam(t).ShortName, std::string(text.rbegin(), text.rend())) << text.size();
        EXPECT_EQ(read.GetTeam(t).Picture, text.substr(text.size() / 2)) << text.size();
    }
    EXPECT_EQ(EncodeSeason(*p, *f), Read(path));
}

TEST_F(SeasonFileOnDisk, MissingOrDamagedFileLeavesNoSeason) {
    std::unique_ptr<TPennant> p;
    std::unique_ptr<TFight> f;
    TLoadError why;
    EXPECT_FALSE(LoadSeason(Path("none.qvk"), p, f, &why));
    EXPECT_EQ(why, TLoadError::Missing);
    // A folder, a FIFO nobody writes to (it must not wait for one) or a device is no season.
    ASSERT_EQ(::mkfifo(Path("fifo.qvk").c_str(), 0600), 0);
    for (const std::string& path : {Dir.string(), Path("fifo.qvk"), std::string("/dev/zero")}) {
        EXPECT_FALSE(LoadSeason(path, p, f, &why));
        EXPECT_EQ(why, TLoadError::NotAFile) << path;
    }

    std::ofstream(Path("bad.qvk"), std::ios::binary) << SmallSeasonBytes().substr(0, 100);
    EXPECT_FALSE(LoadSeason(Path("bad.qvk"), p, f, &why));
    EXPECT_EQ(why, TLoadError::Truncated);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(f, nullptr);

    // Past the size limit: refused by its size, without reading it (a sparse file).
    {
        std::ofstream big(Path("big.qvk"), std::ios::binary);
        big << "QVKDATA";
    }
    fs::resize_file(Path("big.qvk"), (std::uintmax_t(1) << 30) + 1);
    EXPECT_FALSE(LoadSeason(Path("big.qvk"), p, f, &why));
    EXPECT_EQ(why, TLoadError::TooLarge);
    std::string bytes;
    TFileProblem problem;
    EXPECT_FALSE(ReadWholeFile(Path("big.qvk"), bytes, 100, &problem));
    EXPECT_EQ(problem, TFileProblem::TooLarge);
}

TEST_F(SeasonFileOnDisk, SaveThroughALinkKeepsTheLink) {
    TSeason s = SmallSeason();
    fs::create_directories(Dir / "real");
    fs::create_symlink("real/season.qvk", Dir / "link.qvk"); // dangling until the first save
    ASSERT_TRUE(SaveSeason(Path("link.qvk"), s.p.get(), s.f.get()));
    s.p->Contents = "Second";
    ASSERT_TRUE(SaveSeason(Path("link.qvk"), s.p.get(), s.f.get()));
    EXPECT_TRUE(fs::is_symlink(Dir / "link.qvk"));
    std::unique_ptr<TPennant> p;
    std::unique_ptr<TFight> f;
    ASSERT_TRUE(LoadSeason(Path("real/season.qvk"), p, f));
    EXPECT_EQ(p->Contents, "Second");

    // A loop of links, or a FIFO as the target, is refused and left alone.
    fs::create_symlink("loop2", Dir / "loop1");
    fs::create_symlink("loop1", Dir / "loop2");
    EXPECT_FALSE(SaveSeason(Path("loop1"), s.p.get(), s.f.get()));
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    EXPECT_FALSE(SaveSeason(Path("fifo"), s.p.get(), s.f.get()));
    EXPECT_TRUE(fs::is_fifo(Dir / "fifo"));
}

TEST_F(SeasonFileOnDisk, StaleTemporariesOfKilledSavesGo) {
    TSeason s = SmallSeason();
    const std::string path = Path("season.qvk");
    // Left by killed saves: gone at the next save beside them.
    auto leftOver = [&](const char* name, int ageSeconds) {
        std::ofstream(Path(name)) << "half a season";
        const auto age = fs::file_time_type::clock::now() - std::chrono::seconds(ageSeconds);
        fs::last_write_time(Dir / name, age);
    };
    leftOver(".season.qvk.Ab12Cd", 3600);
    leftOver(".season.qvk.zzzzzz", 120);
    // Kept: a save still writing (locked), one just begun, and files that are not our temporaries.
    leftOver(".season.qvk.Locked", 3600);
    const int held = ::open(Path(".season.qvk.Locked").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    leftOver(".season.qvk.fresh1", 0);
    leftOver(".season.qvk.toolong1", 3600);
    leftOver(".other.qvk.Ab12Cd", 3600);
    leftOver("season.qvk.Ab12Cd", 3600);

    ASSERT_TRUE(SaveSeason(path, s.p.get(), s.f.get()));
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(Dir))
        names.insert(e.path().filename().string());
    ::close(held);
    EXPECT_EQ(names, (std::set<std::string>{"season.qvk", ".season.qvk.Locked", ".season.qvk.fresh1",
                                            ".season.qvk.toolong1", ".other.qvk.Ab12Cd", "season.qvk.Ab12Cd"}));
}

TEST_F(SeasonFileOnDisk, FailedSaveKeepsTheOldFile) {
    const std::string path = Path("season.qvk");
    TSeason old = SmallSeason();
    ASSERT_TRUE(SaveSeason(path, old.p.get(), old.f.get()));
    ::chmod(path.c_str(), 0640);

    TSeason changed = SmallSeason();
    changed.p->Contents = "A changed title";
    for (long long n : {0LL, 1LL, 30LL, 100LL}) {
        TWriteFaults faults{n};
        EXPECT_FALSE(SaveSeason(path, changed.p.get(), changed.f.get(), &faults)) << n;
        EXPECT_EQ(Read(path), SmallSeasonBytes()) << n;
    }
    int files = 0;
    for ([[maybe_unused]] auto& e : fs::directory_iterator(Dir))
        ++files;
    EXPECT_EQ(files, 1); // no temporary left over

    // A save that succeeds replaces the file and keeps its permissions.
    ASSERT_TRUE(SaveSeason(path, changed.p.get(), changed.f.get()));
    EXPECT_NE(Read(path), SmallSeasonBytes());
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    // No season, or a folder that does not exist: failure, nothing written.
    EXPECT_FALSE(SaveSeason(Path("x.qvk"), nullptr, changed.f.get()));
    EXPECT_FALSE(fs::exists(Path("x.qvk")));
    EXPECT_FALSE(SaveSeason(Path("no/such/dir.qvk"), changed.p.get(), changed.f.get()));
}

// Inputs the fuzzer once tripped over: each must read, write and read again
// to the same bytes, or fail cleanly.
TEST(SeasonFile, FuzzFindingsStayFixed) {
    int seen = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(TABLORA_TEST_DATA) / "fuzz")) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        std::unique_ptr<TPennant> p;
        std::unique_ptr<TFight> f;
        ++seen;
        if (!DecodeSeason(bytes, p, f))
            continue;
        const std::string once = EncodeSeason(*p, *f);
        std::unique_ptr<TPennant> p2;
        std::unique_ptr<TFight> f2;
        ASSERT_TRUE(DecodeSeason(once, p2, f2)) << entry.path();
        EXPECT_EQ(EncodeSeason(*p2, *f2), once) << entry.path();
    }
    EXPECT_GT(seen, 0);
}
