// The season file (.qvk): magic "QVKDATA", version 102, then the structure
// and the match records, all little-endian and unaligned.
#pragma once

#include "core/base/AtomicFile.h"

#include <memory>
#include <string>
#include <string_view>

class TPennant;
class TFight;

inline constexpr int32_t SeasonFileVersion = 102;

// Why a read failed, for tools that say more than "could not be read".
enum class TLoadError { None, Missing, Unreadable, SeasonOpen, BadMagic, Truncated, BadCount, NotAFile, TooLarge };
const char* LoadErrorText(TLoadError error); // UTF-8, Japanese

// The file's bytes for a season.
std::string EncodeSeason(const TPennant& pennant, const TFight& fight);

// Builds a new season from a file's bytes. On failure nothing is handed out
// and the outputs are left as they were.
bool DecodeSeason(std::string_view bytes, std::unique_ptr<TPennant>& pennant, std::unique_ptr<TFight>& fight,
                  TLoadError* error = nullptr);

// Writes the season to `path`, replacing the file only once the new one is
// complete. False, and nothing written, when no season is given.
bool SaveSeason(const std::string& path, const TPennant* pennant, const TFight* fight,
                const TWriteFaults* faults = nullptr);

// Reads `path` into a new season. Fails when a season is already open (either
// output is set), when the file is missing, unreadable, no regular file or
// larger than 1 GiB, or when its content is not a whole season; a failed read
// leaves both outputs empty. The file is read a block at a time, signature first.
bool LoadSeason(const std::string& path, std::unique_ptr<TPennant>& pennant, std::unique_ptr<TFight>& fight,
                TLoadError* error = nullptr);
