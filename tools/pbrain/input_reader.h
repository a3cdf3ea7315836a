#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <istream>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

// The engine's input, read line by line on a thread of its own, so that END, RESTART or the
// end of input can stop a decision that runs on the main thread meanwhile.
//
// A decision is bracketed by beginDecision and endDecision. While one runs, or when it
// begins, an interruption (an END or RESTART line not yet taken by next, or the end of input
// with no line left to take) sets stop, and endDecision reports it: the interrupted
// decision's answer is stale (the game it belonged to is over or restarted) and is dropped.
class InputReader {
  public:
    struct Line {
        std::string text;
        bool tooLong = false; // cut at kMaxProtocolLine characters
    };

    // Starts reading in; the decisions' stop flag is stop.
    InputReader(std::istream& in, std::atomic<bool>& stop);
    InputReader(const InputReader&) = delete;
    InputReader& operator=(const InputReader&) = delete;
    // Joins the reading thread when the input has ended, else leaves it blocked in its read
    // (the process is ending).
    ~InputReader();

    // The next line, waiting for it; nothing once the input has ended and every line was taken.
    std::optional<Line> next();
    void beginDecision();
    // True when the decision since beginDecision was interrupted; clears stop.
    bool endDecision();
    // True once the end of input was read.
    bool inputEnded();

  private:
    void run(std::istream& in);
    bool interruptionWaiting() const; // with mutex_ held

    std::atomic<bool>& stop_;
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<Line> lines_;
    int interruptions_ = 0; // END and RESTART lines in lines_
    bool ended_ = false;
    bool deciding_ = false;
    bool interrupted_ = false;
    std::thread thread_;
};
