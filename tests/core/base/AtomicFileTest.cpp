#include "core/base/AtomicFile.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct TFolder {
    fs::path Path = fs::temp_directory_path() / ("tablora-atomic-" + std::to_string(::getpid()));
    TFolder() { fs::create_directories(Path); }
    ~TFolder() { fs::remove_all(Path); }
};

struct stat Stat(const fs::path& p) {
    struct stat st {};
    EXPECT_EQ(::stat(p.c_str(), &st), 0) << p;
    return st;
}

} // namespace

// A save replaces the file's bytes and nothing else about it: the owner and
// group stay (root saving a user's 0600 season must not take it from them),
// the permissions stay, but set-user-ID and set-group-ID bits never carry over.
TEST(AtomicFile, ASaveKeepsOwnerGroupAndModeButNoSetIdBits) {
    TFolder folder;
    const fs::path season = folder.Path / "season.qvk";
    ASSERT_TRUE(WriteFileAtomically(season, "old"));
    const bool root = ::geteuid() == 0;
    const uid_t owner = root ? 12345 : ::geteuid();
    const gid_t group = root ? 23456 : ::getegid();
    ASSERT_EQ(::chown(season.c_str(), owner, group), 0);
    for (const mode_t mode : {mode_t(0600), mode_t(0640), mode_t(06755), mode_t(02660), mode_t(01644)}) {
        SCOPED_TRACE(mode);
        ASSERT_EQ(::chmod(season.c_str(), mode), 0);
        ASSERT_TRUE(WriteFileAtomically(season, "new"));
        const struct stat st = Stat(season);
        EXPECT_EQ(st.st_uid, owner);
        EXPECT_EQ(st.st_gid, group);
        EXPECT_EQ(st.st_mode & 07777, mode & 0777);
    }
}

TEST(AtomicFile, HardLinksAreCountedSoCallersCanAsk) {
    TFolder folder;
    const fs::path season = folder.Path / "season.qvk";
    EXPECT_EQ(HardLinkCount(season), 0);
    ASSERT_TRUE(WriteFileAtomically(season, "bytes"));
    EXPECT_EQ(HardLinkCount(season), 1);
    fs::create_hard_link(season, folder.Path / "copy.qvk");
    fs::create_symlink(season, folder.Path / "link.qvk");
    EXPECT_EQ(HardLinkCount(season), 2);
    EXPECT_EQ(HardLinkCount(folder.Path / "link.qvk"), 2); // through the symbolic link
    EXPECT_EQ(HardLinkCount(folder.Path), 0);              // no regular file
}
