#include "AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

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

} // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, const TWriteFaults* faults) {
    if (path.empty())
        return false;
    // A hidden temporary beside the target, so the rename never crosses file systems.
    const size_t slash = path.find_last_of('/');
    const size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
    const std::string pattern = path.substr(0, nameAt) + "." + path.substr(nameAt) + ".XXXXXX";
    std::vector<char> tmpName(pattern.begin(), pattern.end());
    tmpName.push_back('\0');

    int fd = ::mkstemp(tmpName.data());
    if (fd < 0)
        return false;

    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);
    else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }

    size_t toWrite = bytes.size();
    bool injected = faults && faults->FailAfterBytes >= 0 && static_cast<size_t>(faults->FailAfterBytes) < toWrite;
    if (injected)
        toWrite = static_cast<size_t>(faults->FailAfterBytes);

    bool ok = WriteAll(fd, bytes.data(), toWrite) && !injected && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok && ::rename(tmpName.data(), path.c_str()) == 0)
        return true;
    ::unlink(tmpName.data());
    return false;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, size_t limit) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || static_cast<unsigned long long>(st.st_size) > limit) {
        ::close(fd);
        return false;
    }
    // Read straight into a buffer of the file's size; a file that grows while
    // we read is read up to the limit and then refused.
    std::string data(static_cast<size_t>(st.st_size), '\0');
    size_t filled = 0;
    for (;;) {
        if (filled == data.size()) {
            if (data.size() >= limit) {
                char probe;
                ssize_t more = ::read(fd, &probe, 1);
                if (more != 0) {
                    ::close(fd);
                    return false;
                }
                break;
            }
            data.resize(std::min(limit, data.size() * 2 + 4096));
        }
        ssize_t n = ::read(fd, data.data() + filled, data.size() - filled);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return false;
        }
        if (n == 0)
            break;
        filled += static_cast<size_t>(n);
    }
    data.resize(filled);
    ::close(fd);
    bytes = std::move(data);
    return true;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}
