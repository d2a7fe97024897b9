// Writing a file without ever destroying the previous good one: the bytes go
// to a temporary file in the same folder, which replaces the target only once
// it is complete and flushed.
#pragma once

#include <string>
#include <string_view>

// For tests: make the write fail after this many bytes, as a full disk would.
struct TWriteFaults {
    long long FailAfterBytes = -1;
};

bool WriteFileAtomically(const std::string& path, std::string_view bytes, const TWriteFaults* faults = nullptr);

// Reads a whole file; false when it cannot be opened or read, or is larger than `limit` bytes.
bool ReadWholeFile(const std::string& path, std::string& bytes, size_t limit = size_t(1) << 30);

bool FileExists(const std::string& path);
