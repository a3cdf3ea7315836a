#include "child_process.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// Forks and execs program with the given descriptors as its 0, 1 and 2. -1 on failure.
pid_t spawn(const std::string& program, const std::vector<std::string>& args,
            const std::string& dir, int in, int out, int err) {
    std::vector<std::string> argvStore{program};
    argvStore.insert(argvStore.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argvStore) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = fork();
    if (pid != 0) return pid;
    // Child: only async-signal-safe calls from here on.
    if (dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(127);
    for (int fd = 3; fd < 256; ++fd) close(fd);
    if (!dir.empty() && chdir(dir.c_str()) != 0) _exit(127);
    execv(program.c_str(), argv.data());
    _exit(127);
}

int statusOf(int raw) {
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

} // namespace

ChildProcess::~ChildProcess() {
    if (in_ >= 0) close(in_);
    if (out_ >= 0) close(out_);
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

bool ChildProcess::start(const std::string& program, const std::vector<std::string>& args,
                         const std::string& dir) {
    std::signal(SIGPIPE, SIG_IGN); // a dead child must fail a write, not end the test
    int inPipe[2], outPipe[2];
    if (pipe(inPipe) != 0) return false;
    if (pipe(outPipe) != 0) {
        close(inPipe[0]);
        close(inPipe[1]);
        return false;
    }
    int err = open((dir + "/stderr.log").c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    pid_ = spawn(program, args, dir, inPipe[0], outPipe[1], err >= 0 ? err : 2);
    close(inPipe[0]);
    close(outPipe[1]);
    if (err >= 0) close(err);
    in_ = inPipe[1];
    out_ = outPipe[0];
    return pid_ > 0;
}

bool ChildProcess::write(const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(in_, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

std::optional<std::string> ChildProcess::readLine(int timeoutMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        size_t lf = buffer_.find('\n');
        if (lf != std::string::npos) {
            std::string line = buffer_.substr(0, lf);
            buffer_.erase(0, lf + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return line;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                        deadline - std::chrono::steady_clock::now())
                        .count();
        if (left <= 0) return std::nullopt;
        pollfd p{out_, POLLIN, 0};
        int r = poll(&p, 1, static_cast<int>(left));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return std::nullopt;
        char chunk[4096];
        ssize_t n = read(out_, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return std::nullopt;
        buffer_.append(chunk, static_cast<size_t>(n));
    }
}

int ChildProcess::finish(int timeoutMs) {
    if (in_ >= 0) {
        close(in_);
        in_ = -1;
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    int raw = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        pid_t r = waitpid(pid_, &raw, WNOHANG);
        if (r == pid_) {
            pid_ = -1;
            return statusOf(raw);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
    return -1;
}

RunResult runProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::string& dir) {
    RunResult result;
    int outPipe[2], errPipe[2];
    if (pipe(outPipe) != 0) return result;
    if (pipe(errPipe) != 0) {
        close(outPipe[0]);
        close(outPipe[1]);
        return result;
    }
    int devNull = open("/dev/null", O_RDONLY);
    pid_t pid = spawn(program, args, dir, devNull, outPipe[1], errPipe[1]);
    close(devNull);
    close(outPipe[1]);
    close(errPipe[1]);
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    int openCount = 2;
    while (openCount > 0) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            char chunk[4096];
            ssize_t n = read(fds[i].fd, chunk, sizeof chunk);
            if (n > 0) {
                sinks[i]->append(chunk, static_cast<size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                close(fds[i].fd);
                fds[i].fd = -1;
                --openCount;
            }
        }
    }
    for (auto& f : fds)
        if (f.fd >= 0) close(f.fd);
    int raw = 0;
    if (pid > 0 && waitpid(pid, &raw, 0) == pid) result.status = statusOf(raw);
    return result;
}
