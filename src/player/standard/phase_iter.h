#pragma once

#include "player/standard/candidate_queue.h"
#include "player/standard/phase.h"
#include "player/standard/phase_arena.h"
#include "player/standard/phase_hash.h"
#include "player/thinking_level.h"

#include <atomic>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

// One move decision: the root position, the per-depth tables and the level, the stop flag of
// the caller and the directory of the database files. Made for one decision and destroyed after
// it, with the whole search tree, which its arena owns.
class PhaseIter {
  public:
    // The root is made on a copy of board. The stop flag is polled by decide and must outlive the
    // PhaseIter. directory: where the database files are (empty: the database's own default). seed:
    // the seed of the early moves' draws, by default the clock in seconds when decide runs.
    PhaseIter(const BanArray& board, const StandardSettings& level, const std::atomic<bool>& stop,
              std::string directory = {}, std::optional<uint32_t> seed = std::nullopt);
    PhaseIter(const PhaseIter&) = delete;
    PhaseIter& operator=(const PhaseIter&) = delete;
    virtual ~PhaseIter() = default;

    // The computer's move for the root position: 0..224, or 255 when the stop flag was set.
    // 0 also when the game is already won or the board is full.
    virtual uint8_t decide();

    // The tree search on the root; the caller checks the stop flag afterwards.
    uint8_t search();

    // Leaves the database out of decide (the search runs for every position it reaches).
    void skipDatabase() { useDatabase_ = false; }

    // The steps of the search, public for the tests.
    // The root's children: the forced child, or the best candidates up to the root's width.
    void expandRoot(Phase* root);
    // A node's children: the forced child, or the best candidates of queue up to the width.
    void expandNode(Phase* node, CandidateHeap& queue);
    // Makes the child of node on point, appends it and enters it in the table of its depth
    // (depth 2 and more).
    void addChild(Phase* node, int point);
    // True, taking its value, when a valued node of the same depth holds the same board.
    bool lookupTransposition(Phase* node);
    // True when the node's value so far can no longer change its parent's.
    bool isCutoff(const Phase* node) const;
    // The last point of the first root child whose value is the best.
    uint8_t bestRootMove() const;

    // How many nodes the search made below the root.
    long nodeCount() const { return nodes_; }
    Phase* root() const { return root_; }

  private:
    bool addForcedChild(Phase* node);
    void addCandidateChildren(Phase* node, CandidateHeap& queue);
    int widthAt(int depth) const;
    bool stopped() const { return stop_.load(std::memory_order_relaxed); }
    uint8_t databaseMove();

    PhaseArena arena_;
    Phase* root_;
    // The candidate queue, emptied for each node expanded; it keeps its storage between uses.
    CandidateHeap queue_;
    std::vector<PhaseHash> tables_; // entry d - 1: the nodes of depth d
    StandardSettings level_;
    int32_t maxDepth_;
    int32_t hashSize_;
    std::string directory_;
    const std::atomic<bool>& stop_;
    std::optional<uint32_t> seed_;
    bool useDatabase_ = true;
    long nodes_ = 0;
};
