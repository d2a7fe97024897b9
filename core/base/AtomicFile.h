// Reading and writing files safely. Writing never destroys the previous good
// file: the bytes go to a temporary file in the same folder, which replaces
// the target only once it is complete and flushed. Reading opens only regular
// files, and never blocks on a FIFO or a device.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// For tests: make the write fail after this many bytes, as a full disk would.
struct TWriteFaults {
    long long FailAfterBytes = -1;
};

// Writes `bytes` to `path`. A symbolic link is written through: the file it
// names gets the bytes and the link stays. Temporaries that killed saves left
// beside the target are removed first (never one another save is writing).
// A target that exists but is no regular file (a folder, FIFO or device) is
// refused. The new file keeps the old one's owner and group where the saver
// may set them, and its permissions without set-user-ID or set-group-ID bits.
// On failure errno says why (ENOSPC for an injected fault).
bool WriteFileAtomically(const std::string& path, std::string_view bytes, const TWriteFaults* faults = nullptr);

// The same, for a file written a piece at a time (a picture as it is made):
// the target is replaced by Commit only, once every piece is on the disk. A
// writer dropped before Commit removes its temporary. On failure errno says why.
class TAtomicWriter {
public:
    explicit TAtomicWriter(const TWriteFaults* faults = nullptr) : Faults(faults) {}
    TAtomicWriter(const TAtomicWriter&) = delete;
    TAtomicWriter& operator=(const TAtomicWriter&) = delete;
    ~TAtomicWriter();

    bool Open(const std::string& path);
    bool Write(std::string_view bytes);
    bool Commit();

private:
    void Discard();

    const TWriteFaults* Faults;
    std::string Target, Temp;
    int Fd = -1;
    long long Written = 0;
};

// Why a file could not be read.
enum class TFileProblem { None, Missing, NotRegular, TooLarge, Unreadable };

// A regular file open for reading. Opening checks the type before any byte is
// read and does not block on FIFOs or devices.
class TReadFile {
public:
    TReadFile() = default;
    TReadFile(const TReadFile&) = delete;
    TReadFile& operator=(const TReadFile&) = delete;
    ~TReadFile();

    // Refuses files larger than `limit` bytes.
    TFileProblem Open(const std::string& path, uint64_t limit);
    // The size when the file was opened.
    uint64_t Size() const { return FileSize; }
    // Exactly `size` bytes, or false (a read error, or the file ended early).
    bool Read(void* dst, size_t size);

private:
    int Fd = -1;
    uint64_t FileSize = 0;
};

// Reads a whole regular file; false when it cannot be opened or read, or is larger than `limit` bytes.
bool ReadWholeFile(const std::string& path, std::string& bytes, size_t limit = size_t(1) << 30,
                   TFileProblem* problem = nullptr);

bool FileExists(const std::string& path);

// How many names the regular file at `path` (links followed) has; 0 when there
// is none. A save replaces the file under one name only, so a file of several
// names (hard links) would be split: callers ask before saving over one.
int HardLinkCount(const std::string& path);

// A short reason for an errno value from the functions above, in Japanese (UTF-8).
std::string FileErrorText(int error);
// Why a file could not be read, in Japanese (UTF-8): `error` is errno as the
// read left it, for a file that exists but could not be read.
std::string ReadProblemText(TFileProblem problem, int error);
