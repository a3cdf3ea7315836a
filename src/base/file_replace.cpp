#include "base/file_replace.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

// The file a name stands for: the name itself or, for a symbolic link, the file at the end of
// its chain of links, which need not exist yet. Empty when the chain loops or cannot be read.
fs::path resolveLinks(fs::path name) {
    constexpr int kMaxLinks = 40;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(name, ec);
        // A name that does not exist yet is the file to make; one that cannot be examined
        // (type none) is refused.
        if (!fs::is_symlink(status))
            return status.type() == fs::file_type::none ? fs::path() : name;
        const fs::path to = fs::read_symlink(name, ec);
        if (ec || to.empty()) return {};
        name = to.is_absolute() ? to : name.parent_path() / to;
    }
    return {};
}

// A name for the temporary file beside target, different at every call in this process.
// Short enough for any file system even beside a file with a name of maximal length. Built by
// appending: a chain of operator+ makes GCC 12 at -O3 warn falsely about overlapping copies
// (-Wrestrict).
fs::path temporaryName(const fs::path& target, long processId) {
    static std::atomic<unsigned> counter{0};
    std::string name(1, '.');
    name.append(target.filename().string(), 0, 200);
    name.append(".tmp");
    name.append(std::to_string(processId));
    name.push_back('-');
    name.append(std::to_string(counter++));
    const fs::path dir = target.parent_path();
    return dir.empty() ? fs::path(name) : dir / name;
}

constexpr int kTemporaryAttempts = 100;

#ifdef _WIN32

bool writeAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        constexpr size_t kChunk = 1 << 30;
        const unsigned part = static_cast<unsigned>(left < kChunk ? left : kChunk);
        const int n = ::_write(fd, p, part);
        if (n <= 0) return false;
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

bool replaceResolved(const fs::path& target, std::string_view bytes) {
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    const bool exists = fs::exists(status);
    if (exists && !fs::is_regular_file(status)) return false;
    // A read-only file is refused, as it is by the POSIX path.
    if (exists && (status.permissions() & fs::perms::owner_write) == fs::perms::none) return false;

    fs::path tmp;
    int fd = -1;
    for (int attempt = 0; attempt < kTemporaryAttempts && fd < 0; ++attempt) {
        tmp = temporaryName(target, ::_getpid());
        fd = ::_wopen(tmp.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                      _S_IREAD | _S_IWRITE);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes) && ::_commit(fd) == 0;
    ok = ::_close(fd) == 0 && ok;
    ok = ok && ::MoveFileExW(tmp.c_str(), target.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) ::_wunlink(tmp.c_str());
    return ok;
}

#else

bool writeAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return false;
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

bool replaceResolved(const fs::path& target, std::string_view bytes) {
    struct stat old {};
    bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) return false;
    // Renaming needs only the folder's permission: a file the user could not write, even one of
    // another user in a shared folder, would be replaced. Such a target is refused instead.
    if (exists && ::access(target.c_str(), W_OK) != 0) return false;

    fs::path tmp;
    int fd = -1;
    for (int attempt = 0; attempt < kTemporaryAttempts && fd < 0; ++attempt) {
        tmp = temporaryName(target, static_cast<long>(::getpid()));
        fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;

    // Keep the permissions of the file replaced (best effort: only its owner may set them).
    if (exists) (void)::fchmod(fd, old.st_mode & 07777);
    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(tmp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(tmp.c_str());
        return false;
    }
    const fs::path dir = target.parent_path();
    int dirFd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

#endif

} // namespace

// The old contents stay in place until the new ones are complete on disk: the bytes go to a
// fresh file beside the target, which is flushed and then moved over it in one step, so a
// full disk or an interrupted write never leaves a truncated record behind.
bool replaceFileContents(const char* name, std::string_view bytes) {
    if (!name || !*name) return false;
    const fs::path target = resolveLinks(fs::path(name));
    if (target.empty() || !target.has_filename()) return false;
    return replaceResolved(target, bytes);
}

void failWritesBeyondFileSizeLimit() {
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}
