#pragma once

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// Splits a command line into words: blanks separate, single or double quotes group (without
// escapes). Empty when the line has no word or a quote is not closed.
std::vector<std::string> splitCommandLine(const std::string& line);

// An engine run as a child process with its standard input and output on pipes, spoken to
// line by line. Its standard error is appended to a file (or dropped) so that it never blocks.
class EngineProcess {
  public:
    EngineProcess() = default;
    EngineProcess(const EngineProcess&) = delete;
    EngineProcess& operator=(const EngineProcess&) = delete;
    // Stops the child (see stop) if it still runs.
    ~EngineProcess();

    // Starts argv[0] (searched in PATH when it has no '/') with the other words as arguments.
    // errorLog: the file for its standard error, "" for /dev/null. False when it could not be
    // started (a program that does not exist shows as an engine that never answers).
    bool start(const std::vector<std::string>& argv, const std::string& errorLog);
    // Writes text and CR LF. False when the pipe is closed.
    bool writeLine(const std::string& text);
    // The next line without its line end; nothing on timeout or at the end of the output.
    std::optional<std::string> readLine(int timeoutMs);
    // True once the child's output has ended.
    bool ended() const { return ended_; }
    // Sends END, waits up to graceMs for the child to exit, then kills it.
    void stop(int graceMs);

  private:
    pid_t pid_ = -1;
    int in_ = -1;
    int out_ = -1;
    bool ended_ = false;
    std::string buffer_;
};
