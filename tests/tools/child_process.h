#pragma once

#include "temp_dir.h"

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// A program started with its standard input and output on pipes, driven line by line.
// Standard error goes to a file (errorLog) so a chatty child never blocks on it.
class ChildProcess {
  public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    // Kills the child if it still runs.
    ~ChildProcess();

    // Starts program with args in directory dir. False when it could not be started.
    bool start(const std::string& program, const std::vector<std::string>& args,
               const std::string& dir);
    // Writes text as it is (no line end added). False when the pipe is closed.
    bool write(const std::string& text);
    // Writes text and CR LF, as the tournament managers do.
    bool writeLine(const std::string& text) { return write(text + "\r\n"); }
    // The next output line without its line end; nothing on timeout or end of output.
    std::optional<std::string> readLine(int timeoutMs);
    // Closes the child's input and waits up to timeoutMs for it to exit. The exit status, or
    // -1 when it was killed by a signal or did not end in time (it is then killed).
    int finish(int timeoutMs);
    // The child's process id, -1 when none runs.
    pid_t pid() const { return pid_; }

  private:
    pid_t pid_ = -1;
    int in_ = -1;  // our end of the child's standard input
    int out_ = -1; // our end of the child's standard output
    std::string buffer_;
};

// What a program that ran to its end wrote and returned.
struct RunResult {
    int status = -1; // exit status; -1 when killed by a signal
    std::string out;
    std::string err;
};

// Runs program with args in directory dir, no input, and collects its two output streams.
RunResult runProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::string& dir);
