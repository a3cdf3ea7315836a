#pragma once

#include <functional>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

// Runs check in a child process whose user may not write a file it does not own: the user
// "nobody" when the tests run as root (root may write any file), the same user otherwise (a
// file of mode 0444 is then enough). The folders the check writes to must allow the child in.
// True when check returned true.
inline bool inProcessWithoutWriteRights(const std::function<bool()>& check) {
    const pid_t pid = ::fork();
    if (pid < 0) return false;
    if (pid == 0) {
        constexpr uid_t kNobody = 65534;
        if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) ::_exit(2);
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
