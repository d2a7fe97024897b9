// Knowing whether a season file is someone else's to change.
//
// Two guards keep a save from silently overwriting a change made elsewhere:
// - The file's identity (device, inode, size and modification time) is taken
//   when the season is read and compared before it is saved: a file replaced
//   or rewritten since (by another window of the program or any other
//   program) differs, and the caller asks before overwriting it.
// - A lock file beside the season (".NAME.lock", one line "host pid token")
//   says that a running instance has it open. A lock whose process no longer
//   runs on this host is stale and is taken over.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct TFileIdentity {
    uint64_t Device = 0;
    uint64_t Inode = 0;
    uint64_t Size = 0;
    int64_t ModifiedNs = 0;
    bool operator==(const TFileIdentity&) const = default;
};

// The identity of the file at `path` (links followed); none when there is no file.
std::optional<TFileIdentity> IdentityOf(const std::string& path);

// Whether the file at `path` is still the one read as `read`: true when both
// are the same, and when neither exists (nothing there was ever read).
bool StillTheFileRead(const std::string& path, const std::optional<TFileIdentity>& read);

class TSeasonLock {
public:
    enum class TResult {
        Acquired,    // the season is ours to save
        HeldByOther, // another running instance has it open (Holder says who)
        NotPossible, // no lock can be made there (a read-only folder): nobody else can lock it either
    };

    TSeasonLock() = default;
    TSeasonLock(const TSeasonLock&) = delete;
    TSeasonLock& operator=(const TSeasonLock&) = delete;
    ~TSeasonLock();

    // Locks the season at `seasonPath`, releasing any season this lock held.
    TResult Acquire(const std::string& seasonPath);
    // Removes the lock file if it is still this lock's.
    void Release();

    bool Held() const { return !LockPath.empty(); }
    // Who holds the lock Acquire found held: "host (プロセス pid)".
    const std::string& Holder() const { return HolderText; }

    // The lock file of a season.
    static std::string LockFileOf(const std::string& seasonPath);

private:
    std::string LockPath; // set while held
    std::string Token;
    std::string HolderText;
};
