#pragma once

#include "player/standard/phase.h"

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

// The owner of the nodes of one search tree: nodes are made in blocks and live until the
// arena is destroyed, so a decision's nodes are freed together, without walking the tree.
class PhaseArena {
  public:
    PhaseArena() = default;
    PhaseArena(const PhaseArena&) = delete;
    PhaseArena& operator=(const PhaseArena&) = delete;

    // A new node made with the Phase constructor of these arguments.
    template <class... Args> Phase* make(Args&&... args) {
        if (used_ == kBlockSize) {
            // Only the nodes made are constructed; the rest of a block stays untouched.
            blocks_.push_back(std::make_unique_for_overwrite<Block>());
            used_ = 0;
        }
        return &(*blocks_.back())[used_++].emplace(std::forward<Args>(args)...);
    }

  private:
    static constexpr size_t kBlockSize = 128;
    using Block = std::array<std::optional<Phase>, kBlockSize>;

    std::vector<std::unique_ptr<Block>> blocks_;
    size_t used_ = kBlockSize;
};
