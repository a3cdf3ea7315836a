#include "base/file_replace.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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

} // namespace

// The old contents stay in place until the new ones are complete on disk: the bytes go to a
// fresh file beside the target, which is flushed and then renamed over it in one step, so a
// full disk or an interrupted write never leaves a truncated record behind.
bool replaceFileContents(const char* name, std::string_view bytes) {
    namespace fs = std::filesystem;
    if (!name || !*name) return false;
    std::error_code ec;
    fs::path target(name);
    // Replace the file a symbolic link names, keeping the link.
    if (fs::is_symlink(target, ec)) {
        fs::path real = fs::weakly_canonical(target, ec);
        if (ec) return false;
        target = real;
    }
    if (!target.has_filename()) return false;
    struct stat old {};
    bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) return false;
    // Renaming needs only the folder's permission: a file the user could not write, even one of
    // another user in a shared folder, would be replaced. Such a target is refused instead.
    if (exists && ::access(target.c_str(), W_OK) != 0) return false;

    static std::atomic<unsigned> counter{0};
    fs::path dir = target.parent_path();
    std::string tmp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        // Short enough for any file system even beside a file with a name of maximal length.
        // Built by appending: a chain of operator+ makes GCC 12 at -O3 warn falsely about
        // overlapping copies (-Wrestrict).
        std::string tmpName(1, '.');
        tmpName.append(target.filename().string(), 0, 200);
        tmpName.append(".tmp");
        tmpName.append(std::to_string(::getpid()));
        tmpName.push_back('-');
        tmpName.append(std::to_string(counter++));
        tmp = (dir.empty() ? fs::path(tmpName) : dir / tmpName).string();
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
    int dirFd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}
