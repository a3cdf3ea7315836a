#include "engine_process.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif
#include <thread>
#include <unistd.h>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

void closeFd(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
}

} // namespace

std::vector<std::string> splitCommandLine(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    char quote = 0;
    for (char c : line) {
        if (quote != 0) {
            if (c == quote) {
                quote = 0;
            } else {
                word += c;
            }
        } else if (c == '"' || c == '\'') {
            quote = c;
            inWord = true;
        } else if (c == ' ' || c == '\t') {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quote != 0) return {};
    if (inWord) words.push_back(word);
    return words;
}

EngineProcess::~EngineProcess() {
    stop(0);
}

bool EngineProcess::start(const std::vector<std::string>& argv, const std::string& errorLog) {
    if (argv.empty() || pid_ > 0) return false;
    std::signal(SIGPIPE, SIG_IGN); // a dead engine must fail a write, not end the match
    int inPipe[2], outPipe[2];
    if (pipe(inPipe) != 0) return false;
    if (pipe(outPipe) != 0) {
        close(inPipe[0]);
        close(inPipe[1]);
        return false;
    }
    const int err = errorLog.empty() ? open("/dev/null", O_WRONLY)
                                     : open(errorLog.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    std::vector<std::string> args = argv;
    std::vector<char*> cargs;
    for (std::string& a : args) cargs.push_back(a.data());
    cargs.push_back(nullptr);
    [[maybe_unused]] const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ == 0) {
        // Child: only async-signal-safe calls from here on.
#ifdef __linux__
        // A match that is killed takes its engines with it (the match runs on one thread, the
        // one the signal waits for).
        if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != parent) _exit(127);
#endif
        if (dup2(inPipe[0], 0) < 0 || dup2(outPipe[1], 1) < 0) _exit(127);
        if (err >= 0 && dup2(err, 2) < 0) _exit(127);
        for (int fd = 3; fd < 1024; ++fd) close(fd);
        execvp(cargs[0], cargs.data());
        _exit(127);
    }
    close(inPipe[0]);
    close(outPipe[1]);
    if (err >= 0) close(err);
    in_ = inPipe[1];
    out_ = outPipe[0];
    if (pid_ < 0) {
        closeFd(in_);
        closeFd(out_);
        return false;
    }
    return true;
}

bool EngineProcess::writeLine(const std::string& text) {
    if (in_ < 0) return false;
    const std::string line = text + "\r\n";
    size_t done = 0;
    while (done < line.size()) {
        const ssize_t n = ::write(in_, line.data() + done, line.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

std::optional<std::string> EngineProcess::readLine(int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const size_t lf = buffer_.find_first_of("\r\n");
        if (lf != std::string::npos) {
            std::string line = buffer_.substr(0, lf);
            // A CR LF pair is one line end; a lone CR or LF ends a line as well.
            const size_t skip = buffer_.compare(lf, 2, "\r\n") == 0 ? 2 : 1;
            buffer_.erase(0, lf + skip);
            if (line.empty()) continue;
            return line;
        }
        if (ended_ && !buffer_.empty()) return std::exchange(buffer_, std::string());
        if (ended_ || out_ < 0) return std::nullopt;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return std::nullopt;
        pollfd p{out_, POLLIN, 0};
        const int r = poll(&p, 1, static_cast<int>(left));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return std::nullopt;
        char chunk[4096];
        const ssize_t n = read(out_, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ended_ = true;
            continue; // hand out a last line without its line end, if any
        }
        buffer_.append(chunk, static_cast<size_t>(n));
    }
}

void EngineProcess::stop(int graceMs) {
    if (pid_ <= 0) return;
    if (graceMs > 0) writeLine("END");
    closeFd(in_);
    const auto deadline = Clock::now() + std::chrono::milliseconds(graceMs);
    bool exited = false;
    while (!exited && Clock::now() < deadline) {
        exited = waitpid(pid_, nullptr, WNOHANG) == pid_;
        if (!exited) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (!exited) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    pid_ = -1;
    closeFd(out_);
    buffer_.clear();
    ended_ = false;
}
