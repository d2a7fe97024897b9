#include "core/io/SeasonLock.h"

#include "core/base/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <fcntl.h>
#include <random>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string HostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0')
        return "localhost";
    return name;
}

std::string NewToken() {
    static std::atomic<unsigned> counter{0};
    std::random_device device;
    std::ostringstream token;
    token << std::hex << device() << device() << '-' << ++counter;
    return token.str();
}

bool ProcessRuns(long pid) {
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

struct TLockLine {
    std::string Host;
    long Pid = 0;
    std::string Token;
};

std::optional<TLockLine> ReadLock(const std::string& path) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes, 4096))
        return std::nullopt;
    std::istringstream in(bytes);
    TLockLine line;
    if (!(in >> line.Host >> line.Pid >> line.Token))
        return TLockLine{};
    return line;
}

} // namespace

std::optional<TFileIdentity> IdentityOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return TFileIdentity{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino),
                         static_cast<uint64_t>(st.st_size),
                         static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

bool StillTheFileRead(const std::string& path, const std::optional<TFileIdentity>& read) {
    return IdentityOf(path) == read;
}

std::string TSeasonLock::LockFileOf(const std::string& seasonPath) {
    const size_t slash = seasonPath.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "" : seasonPath.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? seasonPath : seasonPath.substr(slash + 1);
    return folder + "." + name + ".lock";
}

TSeasonLock::~TSeasonLock() {
    Release();
}

TSeasonLock::TResult TSeasonLock::Acquire(const std::string& seasonPath) {
    Release();
    HolderText.clear();
    const std::string path = LockFileOf(seasonPath);
    const std::string host = HostName();
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            Token = NewToken();
            const std::string line = host + " " + std::to_string(::getpid()) + " " + Token + "\n";
            const bool written = ::write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
            ::close(fd);
            if (!written) {
                ::unlink(path.c_str());
                return TResult::NotPossible;
            }
            LockPath = path;
            return TResult::Acquired;
        }
        if (errno != EEXIST)
            return TResult::NotPossible;
        const std::optional<TLockLine> holder = ReadLock(path);
        if (!holder)
            return TResult::NotPossible; // something that is no lock file is in the way
        // A lock left by a process of this host that no longer runs, or one
        // that says nothing (a crash while it was written), is stale.
        const bool stale = holder->Host.empty() || (holder->Host == host && !ProcessRuns(holder->Pid));
        if (!stale || attempt > 0) {
            HolderText = holder->Host + " (プロセス " + std::to_string(holder->Pid) + ")";
            return TResult::HeldByOther;
        }
        ::unlink(path.c_str());
    }
    return TResult::NotPossible;
}

void TSeasonLock::Release() {
    if (LockPath.empty())
        return;
    const std::optional<TLockLine> line = ReadLock(LockPath);
    if (line && line->Token == Token) // still ours: nobody took it over
        ::unlink(LockPath.c_str());
    LockPath.clear();
    Token.clear();
}
