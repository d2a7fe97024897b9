#include "core/io/SeasonLock.h"

#include "core/base/AtomicFile.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct TFolder {
    fs::path Path = fs::temp_directory_path() / ("tablora-lock-" + std::to_string(::getpid()));
    TFolder() { fs::create_directories(Path); }
    ~TFolder() { fs::remove_all(Path); }
};

std::string HostName() {
    char name[256] = {};
    ::gethostname(name, sizeof name - 1);
    return name;
}

} // namespace

// A season is the one read until anything replaces or rewrites it.
TEST(SeasonLock, TheFileReadIsRecognisedUntilItChanges) {
    TFolder folder;
    const std::string season = (folder.Path / "season.qvk").string();
    EXPECT_TRUE(StillTheFileRead(season, IdentityOf(season))); // nothing there, nothing read

    ASSERT_TRUE(WriteFileAtomically(season, "first"));
    const std::optional<TFileIdentity> read = IdentityOf(season);
    ASSERT_TRUE(read);
    EXPECT_TRUE(StillTheFileRead(season, read));

    ASSERT_TRUE(WriteFileAtomically(season, "first")); // the same bytes, saved by another window
    EXPECT_FALSE(StillTheFileRead(season, read));

    const std::optional<TFileIdentity> again = IdentityOf(season);
    std::ofstream(season, std::ios::app) << "!"; // rewritten in place by another program
    EXPECT_FALSE(StillTheFileRead(season, again));

    fs::remove(season);
    EXPECT_FALSE(StillTheFileRead(season, again)); // gone since
}

TEST(SeasonLock, OneInstanceAtATimeAndStaleLocksAreTakenOver) {
    TFolder folder;
    const std::string season = (folder.Path / "シーズン.qvk").string();
    const std::string lockFile = (folder.Path / ".シーズン.qvk.lock").string();
    EXPECT_EQ(TSeasonLock::LockFileOf(season), lockFile);
    EXPECT_EQ(TSeasonLock::LockFileOf("a.qvk"), ".a.qvk.lock");

    TSeasonLock first, second;
    ASSERT_EQ(first.Acquire(season), TSeasonLock::TResult::Acquired);
    EXPECT_TRUE(fs::exists(lockFile));
    // Another instance, even one in this process, finds it held and is told by whom.
    EXPECT_EQ(second.Acquire(season), TSeasonLock::TResult::HeldByOther);
    EXPECT_FALSE(second.Held());
    EXPECT_EQ(second.Holder(), HostName() + " (プロセス " + std::to_string(::getpid()) + ")");
    first.Release();
    EXPECT_FALSE(fs::exists(lockFile));
    ASSERT_EQ(second.Acquire(season), TSeasonLock::TResult::Acquired);
    second.Release();

    // A lock whose process has ended on this host is stale; one of another host is not.
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    std::ofstream(lockFile) << HostName() << " " << child << " gone\n";
    EXPECT_EQ(first.Acquire(season), TSeasonLock::TResult::Acquired);
    first.Release();
    std::ofstream(lockFile) << "elsewhere.example " << child << " theirs\n";
    EXPECT_EQ(first.Acquire(season), TSeasonLock::TResult::HeldByOther);
    EXPECT_EQ(first.Holder(), "elsewhere.example (プロセス " + std::to_string(child) + ")");

    // Releasing never removes a lock another instance took over meanwhile.
    fs::remove(lockFile);
    ASSERT_EQ(first.Acquire(season), TSeasonLock::TResult::Acquired);
    std::ofstream(lockFile) << HostName() << " " << ::getpid() << " someone-else\n";
    first.Release();
    EXPECT_TRUE(fs::exists(lockFile));

    // Where no lock can be made, nobody can hold one.
    EXPECT_EQ(first.Acquire((folder.Path / "no-such-folder" / "s.qvk").string()), TSeasonLock::TResult::NotPossible);
}
