#pragma once

#include "model/go_ban.h"
#include "model/move_node.h"
#include "rules/ban_history.h"

#include <array>
#include <cstdint>
#include <memory>

// For each point, the MoveCode a stone of one colour would make there (20: not judged).
// Hantei: judgement (see docs/glossary.md).
using HanteiBoard = std::array<uint8_t, kPoints>;

// The position of a game record: which node occupies each point, the history of the moves on
// the board with their codes, and the two judgement maps. The record tree keeps it equal to
// the path from the root to its current node; it owns no node.
class Board : public TGoBan<MOve> {
  public:
    Board();

    // Every cell empty, history empty, both maps all 20.
    void Init(int size) override;
    // A new node for p under parent, placed on the board, appended to the history with its
    // judged code and with the maps updated. Null, changing nothing, unless the point is on
    // the board and empty and the colour is 'B' or 'W'. The caller links the node into the
    // tree.
    std::unique_ptr<MOve> NewMove(const Pos& p, MOve* parent);
    // Puts an existing node back on the board (the move after the current position): history,
    // cell and maps, the maps from the node's recorded changes without judging again.
    void Put(MOve* node);
    // Takes the last move off the board (the node just left): history, cell and maps.
    void Remove(MOve* node);

    const BanHistory& history() const { return history_; }
    int moveCount() const { return static_cast<int>(history_.size()); }
    // 'B' when the number of moves on the board is even, else 'W'.
    char colourToMove() const { return ::colourToMove(moveCount()); }
    const HanteiBoard& blackMap() const { return blackMap_; }
    const HanteiBoard& whiteMap() const { return whiteMap_; }
    // Points judged for the maps since construction (replays and removals judge none).
    uint64_t mapJudgements() const { return mapJudgements_; }

  private:
    void updateMaps(MOve* node);

    BanHistory history_;
    HanteiBoard blackMap_{};
    HanteiBoard whiteMap_{};
    uint64_t mapJudgements_ = 0;
};
