#include "core/io/SeasonFile.h"

#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"

#include <algorithm>
#include <cstring>

namespace {

const char kMagic[7] = {'Q', 'V', 'K', 'D', 'A', 'T', 'A'};

// The smallest number of bytes one record of each kind can take, to refuse a
// count that the rest of the file could never hold.
constexpr size_t kMinLeagueBytes = 4 + 4 + 1 + 1;
constexpr size_t kMinDistrictBytes = 4 + 4;
constexpr size_t kMinTeamBytes = 4 + 4 + 4 + 4 + 4;
constexpr size_t kLargestFile = size_t(1) << 30;

class TWriter {
public:
    void Bytes(const void* data, size_t size) { Out.append(static_cast<const char*>(data), size); }
    void Byte(uint8_t value) { Out.push_back(static_cast<char>(value)); }
    void Int(int32_t value) {
        uint32_t u = static_cast<uint32_t>(value);
        char b[4] = {char(u & 0xFF), char((u >> 8) & 0xFF), char((u >> 16) & 0xFF), char((u >> 24) & 0xFF)};
        Bytes(b, 4);
    }
    void Double(double value) {
        uint64_t u;
        std::memcpy(&u, &value, 8);
        for (int i = 0; i < 8; ++i)
            Byte(static_cast<uint8_t>(u >> (8 * i)));
    }
    void Text(std::string_view text) {
        Int(static_cast<int32_t>(text.size()));
        Bytes(text.data(), text.size());
    }
    std::string Out;
};

// Every read checks what remains first; any shortfall makes the whole read fail.
// The bytes come from memory, or from a file a block at a time, so a large
// file is never held whole beside the season built from it.
class TReader {
public:
    explicit TReader(std::string_view data) : Buffer(data), Total(data.size()) {}
    explicit TReader(TReadFile& file) : File(&file), Total(file.Size()) {}

    uint64_t Remaining() const { return Total - Pos; }
    // What no record counted so far has a claim on.
    uint64_t Unpromised() const { return Remaining() - std::min(Promised, Remaining()); }
    bool AtEnd() const { return Pos >= Total; }

    bool Bytes(void* dst, size_t size) {
        if (size > Remaining())
            return Fail(TLoadError::Truncated);
        char* out = static_cast<char*>(dst);
        while (size > 0) {
            if (BufferPos == Buffer.size() && !Refill())
                return Fail(TLoadError::Truncated);
            const size_t n = std::min(size, Buffer.size() - BufferPos);
            std::memcpy(out, Buffer.data() + BufferPos, n);
            out += n;
            size -= n;
            BufferPos += n;
            Pos += n;
        }
        return true;
    }
    bool Byte(uint8_t& value) { return Bytes(&value, 1); }
    bool Int(int32_t& value) {
        uint8_t b[4];
        if (!Bytes(b, 4))
            return false;
        value =
            static_cast<int32_t>(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
        return true;
    }
    bool Double(double& value) {
        uint8_t b[8];
        if (!Bytes(b, 8))
            return false;
        uint64_t u = 0;
        for (int i = 7; i >= 0; --i)
            u = u << 8 | b[i];
        std::memcpy(&value, &u, 8);
        return true;
    }
    bool Text(std::string& text) {
        int32_t size;
        if (!Int(size))
            return false;
        if (size < 0 || static_cast<uint64_t>(size) > Unpromised())
            return Fail(size < 0 ? TLoadError::BadCount : TLoadError::Truncated);
        const auto length = static_cast<size_t>(size);
        // A new string has room for exactly its size; growing one that is too
        // small (resize, reserve) may give it up to twice that.
        if (length > text.capacity())
            text = std::string(length, '\0');
        else
            text.resize(length);
        return Bytes(text.data(), length);
    }
    // A count of records that each take at least `minBytes`; negative counts and
    // counts the rest of the file cannot hold are refused before anything is built.
    // The bytes they take are promised to them: the counts of the records read
    // before them (a district's teams inside a league of many districts) can
    // claim only what is left, so all the claims together never exceed the file
    // and what it makes the reader reserve stays in proportion to its size.
    bool Count(int32_t& count, size_t minBytes) {
        if (!Int(count))
            return false;
        const uint64_t claim = static_cast<uint64_t>(count < 0 ? 0 : count) * minBytes;
        if (count < 0 || claim > Unpromised())
            return Fail(TLoadError::BadCount);
        Promised += claim;
        return true;
    }
    // A record counted before begins: its bytes are its own now.
    void StartRecord(size_t minBytes) { Promised -= std::min<uint64_t>(Promised, minBytes); }
    // The end-of-file checks between records.
    bool MoreData() { return AtEnd() ? Fail(TLoadError::Truncated) : true; }
    bool Fail(TLoadError why) {
        Error = why;
        return false;
    }
    TLoadError Error = TLoadError::None;

private:
    bool Refill() {
        if (!File)
            return false;
        Block.resize(kBlockBytes);
        const size_t n = static_cast<size_t>(std::min<uint64_t>(kBlockBytes, Remaining()));
        if (!File->Read(Block.data(), n))
            return false;
        Buffer = std::string_view(Block.data(), n);
        BufferPos = 0;
        return true;
    }
    static constexpr size_t kBlockBytes = 64 * 1024;
    TReadFile* File = nullptr;
    std::string Block;
    std::string_view Buffer; // the bytes at hand, from BufferPos on
    size_t BufferPos = 0;
    uint64_t Total = 0;    // the input's size
    uint64_t Pos = 0;      // bytes consumed
    uint64_t Promised = 0; // the least bytes of the records counted but not begun
};

bool ReadTeam(TReader& in, TTeam& team, std::string& symbol) {
    if (!in.Text(team.Name) || !in.Text(team.ShortName) || !in.Text(symbol) || !in.Int(team.Color) ||
        !in.Text(team.Picture))
        return false;
    team.SetSymbol(symbol);
    return true;
}

// Each list takes room for its validated count once, then fills it.
bool ReadDistrict(TReader& in, TDistrict& district) {
    int32_t teamCount;
    if (!in.Count(teamCount, kMinTeamBytes) || !in.Text(district.Name))
        return false;
    district.ReserveTeams(teamCount);
    std::string symbol;
    for (int32_t t = 0; t < teamCount; ++t) {
        in.StartRecord(kMinTeamBytes);
        if (!in.MoreData() || !ReadTeam(in, district.GetTeam(district.AddTeam()), symbol))
            return false;
    }
    return true;
}

bool ReadLeague(TReader& in, TLeague& league) {
    int32_t districtCount;
    if (!in.Count(districtCount, kMinDistrictBytes) || !in.Text(league.Name) || !in.Byte(league.DrawRule) ||
        !in.Byte(league.RankRule))
        return false;
    league.ReserveDistricts(districtCount);
    for (int32_t d = 0; d < districtCount; ++d) {
        in.StartRecord(kMinDistrictBytes);
        if (!in.MoreData() || !ReadDistrict(in, league.GetDistrict(league.AddDistrict())))
            return false;
    }
    return true;
}

bool ReadSeason(TReader& in, TPennant& pennant, TFight& fight) {
    char magic[7];
    int32_t version, leagueCount, matchCount;
    if (!in.Bytes(magic, 7))
        return false;
    if (std::memcmp(magic, kMagic, 7) != 0)
        return in.Fail(TLoadError::BadMagic);
    if (!in.Int(version) || !in.MoreData())
        return false;
    if (!in.Count(leagueCount, kMinLeagueBytes) || !in.Text(pennant.Contents) || !in.Byte(pennant.Interleague) ||
        !in.Text(pennant.Checker) || !in.Text(pennant.Reserved))
        return false;
    pennant.ReserveLeagues(leagueCount);
    for (int32_t l = 0; l < leagueCount; ++l) {
        in.StartRecord(kMinLeagueBytes);
        if (!in.MoreData() || !ReadLeague(in, pennant.GetLeague(pennant.AddLeague())))
            return false;
    }
    if (!in.MoreData())
        return false;
    // The match count comes before LastUpdate, so the records need 8 bytes more.
    if (!in.Int(matchCount) || !in.Double(fight.LastUpdate))
        return false;
    if (matchCount < 0 || static_cast<uint64_t>(matchCount) * sizeof(TMatchRec) > in.Remaining())
        return in.Fail(TLoadError::BadCount);
    fight.Reserve(matchCount);
    for (int32_t m = 0; m < matchCount; ++m) {
        if (!in.MoreData() || !in.Bytes(&fight.GetMatch(fight.NewMatch()), sizeof(TMatchRec)))
            return false;
    }
    return true;
}

} // namespace

std::string EncodeSeason(const TPennant& pennant, const TFight& fight) {
    TWriter out;
    out.Bytes(kMagic, 7);
    out.Int(SeasonFileVersion);
    out.Int(pennant.LeagueCount());
    out.Text(pennant.Contents);
    out.Byte(pennant.Interleague);
    out.Text(pennant.Checker);
    out.Text(pennant.Reserved);
    for (int l = 0; l < pennant.LeagueCount(); ++l) {
        const TLeague& league = pennant.GetLeague(l);
        out.Int(league.DistrictCount());
        out.Text(league.Name);
        out.Byte(league.DrawRule);
        out.Byte(league.RankRule);
        for (int d = 0; d < league.DistrictCount(); ++d) {
            const TDistrict& district = league.GetDistrict(d);
            out.Int(district.TeamCount());
            out.Text(district.Name);
            for (int t = 0; t < district.TeamCount(); ++t) {
                const TTeam& team = district.GetTeam(t);
                out.Text(team.Name);
                out.Text(team.ShortName);
                out.Text(team.Symbol);
                out.Int(team.Color);
                out.Text(team.Picture);
            }
        }
    }
    out.Int(fight.MatchCount());
    out.Double(fight.LastUpdate);
    for (int m = 0; m < fight.MatchCount(); ++m)
        out.Bytes(&fight.GetMatch(m), sizeof(TMatchRec));
    return std::move(out.Out);
}

const char* LoadErrorText(TLoadError error) {
    switch (error) {
    case TLoadError::None:
        return "エラーはありません";
    case TLoadError::Missing:
        return "ファイルがありません";
    case TLoadError::Unreadable:
        return "ファイルを開けません";
    case TLoadError::SeasonOpen:
        return "別のデータが開かれています";
    case TLoadError::BadMagic:
        return "タブローラのデータファイルではありません";
    case TLoadError::Truncated:
        return "ファイルが途中で終わっています";
    case TLoadError::BadCount:
        return "件数がファイルの大きさと合いません";
    case TLoadError::NotAFile:
        return "シーズンファイルではありません (フォルダや特殊なファイルです)";
    case TLoadError::TooLarge:
        return "ファイルが大きすぎます (1 GiB まで)";
    }
    return "";
}

namespace {

bool Decode(TReader& in, std::unique_ptr<TPennant>& pennant, std::unique_ptr<TFight>& fight, TLoadError* error) {
    auto newPennant = std::make_unique<TPennant>();
    auto newFight = std::make_unique<TFight>();
    if (!ReadSeason(in, *newPennant, *newFight)) {
        if (error)
            *error = in.Error;
        return false;
    }
    if (error)
        *error = TLoadError::None;
    pennant = std::move(newPennant);
    fight = std::move(newFight);
    return true;
}

} // namespace

bool DecodeSeason(std::string_view bytes, std::unique_ptr<TPennant>& pennant, std::unique_ptr<TFight>& fight,
                  TLoadError* error) {
    TReader in(bytes);
    return Decode(in, pennant, fight, error);
}

bool SaveSeason(const std::string& path, const TPennant* pennant, const TFight* fight, const TWriteFaults* faults) {
    if (!pennant || !fight)
        return false;
    return WriteFileAtomically(path, EncodeSeason(*pennant, *fight), faults);
}

bool LoadSeason(const std::string& path, std::unique_ptr<TPennant>& pennant, std::unique_ptr<TFight>& fight,
                TLoadError* error) {
    auto fail = [&](TLoadError why) {
        if (error)
            *error = why;
        return false;
    };
    if (pennant || fight)
        return fail(TLoadError::SeasonOpen);
    TReadFile file;
    switch (file.Open(path, kLargestFile)) {
    case TFileProblem::None:
        break;
    case TFileProblem::Missing:
        return fail(TLoadError::Missing);
    case TFileProblem::NotRegular:
        return fail(TLoadError::NotAFile);
    case TFileProblem::TooLarge:
        return fail(TLoadError::TooLarge);
    case TFileProblem::Unreadable:
        return fail(TLoadError::Unreadable);
    }
    // The signature is the first thing read: any other file costs seven bytes.
    TReader in(file);
    return Decode(in, pennant, fight, error);
}
