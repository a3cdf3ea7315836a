#pragma once

#include "protocol/protocol_command.h"
#include "rules/ban_history.h"

#include <cstdint>
#include <functional>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

// The brain's side of the Gomocup engine protocol, without any input or output of its own:
// each input line goes in, the answer lines (often one, sometimes none) come out.
//
// The position is the move history of the game; the colours follow from the order of the
// moves (black first), so after any command the side to move is the one whose turn the
// history says it is. Every refused command is answered with one "ERROR <reason>" or
// "UNKNOWN <reason>" line and leaves the position, the rule and the started state exactly as
// they were. Only renju is played on a 15 x 15 board.
class PbrainSession {
  public:
    // Chooses the brain's move for the position after the history's last move: a cell index
    // 0..224. Any other answer, an occupied point, or a forbidden point for black counts as no
    // answer and the session plays a legal point of its own instead.
    using Decider = std::function<int(const BanHistory&)>;

    explicit PbrainSession(Decider decider);

    // Handles one line (without its line end; a trailing CR is ignored) and returns the
    // answer lines, each without a line end.
    std::vector<std::string> handleLine(std::string_view line);

    // True once END was received; the caller then stops reading.
    bool ended() const { return ended_; }
    // True after a successful START (or RECTSTART).
    bool started() const { return started_; }
    // True between BOARD and DONE.
    bool inBoardBlock() const { return inBoard_; }
    // The rule bits from "INFO rule", or -1 when none was received (renju is assumed).
    int rule() const { return rule_; }
    // The times from "INFO timeout_turn", "INFO timeout_match" and "INFO time_left" in
    // milliseconds, or -1 when not received.
    int64_t timeoutTurn() const { return timeoutTurn_; }
    int64_t timeoutMatch() const { return timeoutMatch_; }
    int64_t timeLeft() const { return timeLeft_; }
    // "INFO max_memory" in bytes and the search limits of the Yixin extensions "INFO max_depth"
    // and "INFO max_node", or -1 when not received; 0 means no limit.
    int64_t maxMemory() const { return maxMemory_; }
    int64_t maxDepth() const { return maxDepth_; }
    int64_t maxNodes() const { return maxNodes_; }
    // "INFO thread_num": the search threads the manager allows, or -1 when not received.
    int64_t threadNum() const { return threadNum_; }
    // The moves of the game so far, oldest first, each with the code it made.
    const BanHistory& history() const { return history_; }

  private:
    std::vector<std::string> dispatch(const ProtocolCommand& command);
    std::string refusalToMove() const;
    std::string gameOverReason() const;
    std::vector<std::string> turn(const std::string& args);
    std::vector<std::string> takeback(const std::string& args);
    std::vector<std::string> info(const std::string& args);
    void boardLine(std::string_view line);
    std::vector<std::string> finishBoard();
    // Appends the brain's move and answers "x,y"; the board must have an empty point.
    std::vector<std::string> think();

    Decider decider_;
    BanHistory history_;
    bool started_ = false;
    bool ended_ = false;
    int rule_ = -1;
    int64_t timeoutTurn_ = -1;
    int64_t timeoutMatch_ = -1;
    int64_t timeLeft_ = -1;
    int64_t maxMemory_ = -1;
    int64_t maxDepth_ = -1;
    int64_t maxNodes_ = -1;
    int64_t threadNum_ = -1;
    bool inBoard_ = false;
    std::vector<ProtocolStone> pending_;
    std::string boardError_;
};

// Longest input line the brain accepts; longer lines are cut and reported.
inline constexpr size_t kMaxProtocolLine = 4096;

// Reads one line ending in LF (or the end of input) into line, without the LF. A line longer
// than kMaxProtocolLine keeps its first kMaxProtocolLine characters, the rest is skipped and
// tooLong is set. False when the input had nothing left to read.
bool readProtocolLine(std::istream& in, std::string& line, bool& tooLong);

// The text with every byte outside printable ASCII replaced by '?', cut to limit characters:
// safe to echo in an answer line.
std::string printableText(std::string_view text, size_t limit = 40);
