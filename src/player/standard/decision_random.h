#pragma once

#include <cstdint>

// The pseudo-random draws of one decision: integers 0..32767 from a linear congruential
// generator owned by the decision, so decisions on different threads share no state. The same
// seed gives the same draws.
class DecisionRandom {
  public:
    explicit DecisionRandom(uint32_t seed) : state_(seed) {}

    // The next draw, 0..32767.
    int draw() {
        state_ = state_ * 1103515245u + 12345u;
        return static_cast<int>((state_ >> 16) & 0x7fff);
    }
    // A draw r scaled by num / den: trunc(r * (num / den) / 32767), in exact integer arithmetic.
    static int scale(int r, int num, int den) { return r * num / (den * 32767); }

  private:
    uint32_t state_;
};
