#pragma once

#include "player/strong/position.h"
#include "rules/ban_array.h"

#include <array>
#include <atomic>
#include <chrono>
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

    // A win by continuous fours within nodeBudget further nodes (UINT64_MAX: no node limit,
    // only the deadline and the stop flag).
    bool vcf(uint64_t nodeBudget);
    // A win by at most maxThrees threats (open threes or fours), then continuous fours, within
    // nodeBudget further nodes (UINT64_MAX as for vcf).
    bool vct(uint64_t nodeBudget, int maxThrees);

    // Calls answer no win once the clock passes deadline (checked every 64 nodes).
    void setDeadline(std::chrono::steady_clock::time_point deadline) { deadline_ = deadline; }

    // The winning line of the last successful call, from the attacker's first move.
    const int* line() const { return win_.data(); }
    int lineLength() const { return winLength_; }
    uint64_t nodes() const { return nodes_; }
    // True when the last call ran out of budget or was stopped.
    bool aborted() const { return aborted_; }

  private:
    static constexpr int kTableBits = 16;
    // The node count at which a search of nodeBudget further nodes stops; the largest budget
    // (a search bounded by the clock alone) never does.
    uint64_t nodeLimit(uint64_t nodeBudget) const {
        return nodeBudget > UINT64_MAX - nodes_ ? UINT64_MAX : nodes_ + nodeBudget;
    }
    // One word per position: the key's bits above the table index, a flag that a key is held,
    // the win and the depth (-1 when none was stored). The index stands for the key's low bits,
    // so a held key compares in full.
    struct Entry {
        static constexpr uint64_t kHeld = 1 << 9, kWin = 1 << 8, kLow = (1 << kTableBits) - 1;
        static_assert(kTableBits >= 10);
        uint64_t word = 0xff;

        bool holds(uint64_t key) const { return (word & kHeld) && (word & ~kLow) == (key & ~kLow); }
        bool win() const { return word & kWin; }
        int depth() const { return static_cast<int8_t>(word & 0xff); }
        // Takes key, keeping the win and depth.
        void setKey(uint64_t key) { word = (key & ~kLow) | kHeld | (word & (kWin | 0xff)); }
        void set(uint64_t key, int depth, bool win) {
            word = (key & ~kLow) | kHeld | (win ? kWin : 0) | static_cast<uint8_t>(depth);
        }
    };
    bool vcfAttack();
    bool vcfFour(int p);
    bool vctAttack(int threes);
    bool vctDefend(int threes);
    bool tick();
    int collect(Colour colour, int minClass, int* out) const;
    int fivePoint(Colour colour, int& count) const;
    void push(int p);
    void pop();
    // Keep the path as the winning line: as it stands, with the five at p added, or after the
    // defender's block of one of two five points and the five at the other.
    void recordLine();
    void recordFive(int p);
    void recordTwoFives(int block);
    Entry* probe(uint64_t key);

    Position& pos_;
    const std::atomic<bool>& stop_;
    Colour attacker_ = Colour::Black;
    uint64_t nodes_ = 0, limit_ = 0;
    bool aborted_ = false;
    std::array<int, kPoints + 1> path_{};
    int pathLength_ = 0;
    std::array<int, kPoints + 1> win_{};
    int winLength_ = 0;
    std::unique_ptr<Entry[]> table_;
    std::chrono::steady_clock::time_point deadline_ = std::chrono::steady_clock::time_point::max();
};
