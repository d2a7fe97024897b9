#include "core/base/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Temporaries are ".NAME.XXXXXX" beside the target (mkstemp's six letters and digits).
constexpr size_t kTempSuffix = 6;
// A temporary nobody holds locked and nobody has written to for this long belongs to a killed save.
constexpr time_t kStaleSeconds = 60;

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

std::string Folder(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The file a path finally names: symbolic links are followed (also one whose
// target does not exist yet). Empty, with errno set, for a loop of links.
std::string FinalTarget(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        std::vector<char> link(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
        if (n < 0 || static_cast<size_t>(n) >= link.size())
            return path; // changed under us: write to the path itself
        const std::string target(link.data(), static_cast<size_t>(n));
        path = !target.empty() && target[0] == '/' ? target : Folder(path) + target;
    }
    errno = ELOOP;
    return std::string();
}

bool IsTempSuffix(std::string_view s) {
    if (s.size() != kTempSuffix)
        return false;
    for (char c : s)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

// Removes ".NAME.XXXXXX" files beside `path` that a killed save left behind.
// A save in progress holds its temporary locked, so it is never taken; the age
// rule covers the moment between its creation and its lock.
void RemoveStaleTemporaries(const std::string& path) {
    const std::string folder = Folder(path);
    const std::string prefix = std::string(".").append(path, folder.size()).append(".");
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return;
    const time_t now = ::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name.size() != prefix.size() + kTempSuffix || name.substr(0, prefix.size()) != prefix ||
            !IsTempSuffix(name.substr(prefix.size())))
            continue;
        const std::string temp = folder + std::string(name);
        const int fd = ::open(temp.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
        if (fd < 0)
            continue;
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && now - st.st_mtime >= kStaleSeconds &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(temp.c_str());
        ::close(fd);
    }
    ::closedir(dir);
}

} // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, const TWriteFaults* faults) {
    TAtomicWriter file(faults);
    return file.Open(path) && file.Write(bytes) && file.Commit();
}

TAtomicWriter::~TAtomicWriter() {
    Discard();
}

void TAtomicWriter::Discard() {
    if (Fd < 0)
        return;
    const int why = errno;
    ::unlink(Temp.c_str());
    ::close(Fd);
    Fd = -1;
    errno = why;
}

bool TAtomicWriter::Open(const std::string& requested) {
    Discard();
    Written = 0;
    if (requested.empty()) {
        errno = ENOENT;
        return false;
    }
    Target = FinalTarget(requested);
    if (Target.empty())
        return false;
    struct stat old {};
    const bool replacing = ::stat(Target.c_str(), &old) == 0;
    if (replacing && !S_ISREG(old.st_mode)) {
        errno = S_ISDIR(old.st_mode) ? EISDIR : EINVAL;
        return false;
    }
    RemoveStaleTemporaries(Target);

    // A hidden temporary beside the target, so the rename never crosses file systems.
    const std::string folder = Folder(Target);
    const std::string pattern = folder + "." + Target.substr(folder.size()) + ".XXXXXX";
    std::vector<char> tmpName(pattern.begin(), pattern.end());
    tmpName.push_back('\0');
    const int fd = ::mkostemp(tmpName.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    Fd = fd;
    Temp = tmpName.data();
    ::flock(fd, LOCK_EX); // ours while we write: another instance's clean-up leaves it alone

    // Keep the owner, group and permissions of the file being replaced, so root
    // saving a user's season leaves it the user's (where the saver may not give
    // the file away, it keeps at least the group when it belongs to it). Never
    // carry set-user-ID or set-group-ID bits over: a season is no program.
    // A new file gets the usual owner and permissions.
    if (replacing) {
        if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0)
            errno = 0; // neither is ours to set: the file becomes the saver's, as a new file would
        ::fchmod(fd, old.st_mode & 0777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    return true;
}

bool TAtomicWriter::Write(std::string_view bytes) {
    if (Fd < 0) {
        errno = EBADF;
        return false;
    }
    size_t toWrite = bytes.size();
    const long long room = Faults && Faults->FailAfterBytes >= 0 ? Faults->FailAfterBytes - Written : -1;
    const bool injected = room >= 0 && static_cast<unsigned long long>(room) < toWrite;
    if (injected)
        toWrite = static_cast<size_t>(room);
    bool ok = WriteAll(Fd, bytes.data(), toWrite);
    Written += static_cast<long long>(toWrite);
    if (ok && injected) {
        ok = false;
        errno = ENOSPC;
    }
    if (!ok)
        Discard();
    return ok;
}

bool TAtomicWriter::Commit() {
    if (Fd < 0) {
        errno = EBADF;
        return false;
    }
    const bool ok = ::fsync(Fd) == 0 && ::rename(Temp.c_str(), Target.c_str()) == 0;
    if (!ok) {
        Discard();
        return false;
    }
    ::close(Fd); // the data reached the disk with fsync; closing only drops the lock
    Fd = -1;
    return true;
}

TReadFile::~TReadFile() {
    if (Fd >= 0)
        ::close(Fd);
}

TFileProblem TReadFile::Open(const std::string& path, uint64_t limit) {
    if (Fd >= 0) {
        ::close(Fd);
        Fd = -1;
    }
    // Non-blocking, so a FIFO or a terminal does not wait for a writer; the
    // type is checked on the open file, so it cannot change in between.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? TFileProblem::Missing : TFileProblem::Unreadable;
    struct stat st {};
    TFileProblem problem = TFileProblem::None;
    if (::fstat(fd, &st) != 0)
        problem = TFileProblem::Unreadable;
    else if (!S_ISREG(st.st_mode))
        problem = TFileProblem::NotRegular;
    else if (static_cast<uint64_t>(st.st_size) > limit)
        problem = TFileProblem::TooLarge;
    else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        problem = TFileProblem::Unreadable;
    if (problem != TFileProblem::None) {
        ::close(fd);
        return problem;
    }
    Fd = fd;
    FileSize = static_cast<uint64_t>(st.st_size);
    return TFileProblem::None;
}

bool TReadFile::Read(void* dst, size_t size) {
    char* out = static_cast<char*>(dst);
    while (size > 0) {
        const ssize_t n = ::read(Fd, out, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        out += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, size_t limit, TFileProblem* problem) {
    TReadFile file;
    TFileProblem why = file.Open(path, limit);
    std::string data;
    if (why == TFileProblem::None) {
        // The size when opened; a file that changes meanwhile reads as it was or fails.
        data.resize(static_cast<size_t>(file.Size()));
        if (!file.Read(data.data(), data.size()))
            why = TFileProblem::Unreadable;
    }
    if (problem)
        *problem = why;
    if (why != TFileProblem::None)
        return false;
    bytes = std::move(data);
    return true;
}

int HardLinkCount(const std::string& path) {
    const std::string target = FinalTarget(path);
    struct stat st {};
    if (target.empty() || ::stat(target.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return 0;
    return static_cast<int>(st.st_nlink);
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string ReadProblemText(TFileProblem problem, int error) {
    switch (problem) {
    case TFileProblem::None:
        return "";
    case TFileProblem::Missing:
        return "ファイルがありません";
    case TFileProblem::NotRegular:
        return "通常のファイルではありません (フォルダや特殊なファイルです)";
    case TFileProblem::TooLarge:
        return "ファイルが大きすぎます";
    case TFileProblem::Unreadable:
        break;
    }
    switch (error) {
    case EACCES:
    case EPERM:
        return "アクセスが拒否されました";
    case EIO:
        return "入出力エラーです";
    case 0:
        return "ファイルを読めません";
    default:
        return std::string("ファイルを読めません (") + std::strerror(error) + ")";
    }
}

std::string FileErrorText(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return "ディスクに空きがありません";
    case EACCES:
    case EPERM:
        return "書き込みが許可されていません";
    case EROFS:
        return "読み取り専用の場所です";
    case ENOENT:
    case ENOTDIR:
        return "フォルダがありません";
    case EISDIR:
        return "フォルダです";
    case EINVAL:
        return "通常のファイルではありません";
    case ELOOP:
        return "シンボリックリンクが循環しています";
    case EIO:
        return "入出力エラーです";
    default:
        return std::strerror(error);
    }
}
