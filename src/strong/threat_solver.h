#pragma once

#include "rules/ban_array.h"
#include "strong/position.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

enum class ThreatKind {
    Vcf, // continuous fours
    Vct, // fours and open threes
};

struct ThreatResult {
    bool win = false;        // the attacker wins by force (within the budget's reach)
    int firstMove = kNoMove; // the attacker's first move when win
    std::vector<int> line;   // the forced line, attacker and defender alternating
    uint64_t nodes = 0;      // moves made
};

// Searches for a forced win of `attacker` ('B' or 'W', to move whatever the stone counts) on
// the board under renju rules. No win is claimed unless proven; a budget exhausted or a stop
// answers no win.
ThreatResult solveThreat(const BanArray& board, char attacker, ThreatKind kind, uint64_t nodeBudget,
                         const std::atomic<bool>& stop);

// The solver on a position owned by the caller, for the main search: the attacker is the side
// to move. The position is left as it was found.
class ThreatSolver {
  public:
    static constexpr int kMaxLine = 128;

    ThreatSolver(Position& pos, const std::atomic<bool>& stop);

    // A win by continuous fours within nodeBudget further nodes.
    bool vcf(uint64_t nodeBudget);
    // A win by fours and at most maxThrees open threes within nodeBudget further nodes.
    bool vct(uint64_t nodeBudget, int maxThrees);

    // The winning line of the last successful call, from the attacker's first move.
    const int* line() const { return win_.data(); }
    int lineLength() const { return winLength_; }
    uint64_t nodes() const { return nodes_; }
    // True when the last call ran out of budget or was stopped.
    bool aborted() const { return aborted_; }

  private:
    struct Entry {
        uint64_t key = 0;
        int8_t depth = -1;
        uint8_t win = 0;
    };
    bool vcfAttack();
    bool vcfFour(int p);
    bool vctAttack(int threes);
    bool vctDefend(int threes);
    bool tick();
    int collect(int colour, int minClass, int* out) const;
    int fivePoint(int colour, int& count) const;
    void push(int p);
    void pop();
    bool winNow(int p);
    bool winNowLine();
    Entry* probe(uint64_t key);

    Position& pos_;
    const std::atomic<bool>& stop_;
    int attacker_ = 0;
    uint64_t nodes_ = 0, limit_ = 0;
    bool aborted_ = false;
    std::array<int, kPoints + 1> path_{};
    int pathLength_ = 0;
    std::array<int, kPoints + 1> win_{};
    int winLength_ = 0;
    std::unique_ptr<Entry[]> table_;
};
