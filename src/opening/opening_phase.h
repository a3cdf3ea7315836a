#pragma once

#include "opening/opening_rule.h"
#include "rules/ban_array.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The two players of a game before and after swaps: First is the tentative black.
enum class Player : uint8_t { First, Second };
constexpr Player otherPlayer(Player p) {
    return p == Player::First ? Player::Second : Player::First;
}

// Why an answer was refused; Ok when it was taken.
enum class Refusal : uint8_t {
    Ok,
    NotAsked,    // the phase asks for another kind of answer, or is over
    OffBoard,    // a point outside 0..224
    Occupied,    // a stone already stands there
    OutsideArea, // a stone outside the step's central square
    Forbidden,   // a forbidden point for black
    OutOfRange,  // a declared number outside 1..most
    WrongCount,  // an offer of another number of fifth moves than asked
    Duplicate,   // the same point offered twice
    Symmetric,   // two offered points that a symmetry of the position maps onto each other
    NotOffered,  // a chosen point that was not offered
};

// A swap decision and the number of stones on the board when it was made.
struct SwapDecision {
    int afterStones = 0;
    bool swapped = false;
    friend bool operator==(const SwapDecision&, const SwapDecision&) = default;
};

// Everything a phase was answered with, enough to replay it: the stones in order (the chosen
// fifth move last when fifth moves were offered), the swap decisions, the declared number
// (0 when none) and the offered fifth moves (empty when none).
struct PhaseRecord {
    OpeningRule rule = OpeningRule::Free;
    std::vector<int> stones;
    std::vector<SwapDecision> swaps;
    int declared = 0;
    std::vector<int> offered;
    friend bool operator==(const PhaseRecord&, const PhaseRecord&) = default;
};

// What the phase asks now: the step, the player who answers it, and for an offer the number
// of fifth moves wanted.
struct PhaseAsk {
    RuleStep step;
    Player player;
    int offerCount = 0; // Offer and FifthOrOffer: how many to offer
};

// The opening phase of one game under one rule: the stones, who plays which colour, and the
// step that is asked. Every answer is checked against the rule and the renju judgement and
// refused, changing nothing, when the rule does not allow it.
class OpeningPhase {
  public:
    explicit OpeningPhase(OpeningRule rule = OpeningRule::Free);

    OpeningRule rule() const { return record_.rule; }
    // True when no step is left (at once for Free and Openings26); play goes on normally.
    bool finished() const { return next_ >= steps_.size(); }
    // The step asked now; only valid while !finished().
    PhaseAsk ask() const;
    // The player who plays colour now (after the swaps so far).
    Player playerOf(char colour) const {
        return colour == kBlack ? blackPlayer_ : otherPlayer(blackPlayer_);
    }
    // The stones so far; offered fifth moves are not on it.
    const BanArray& board() const { return board_; }
    const PhaseRecord& record() const { return record_; }
    // The steps still to answer, the one asked first.
    std::span<const RuleStep> remainingSteps() const { return steps_.subspan(next_); }

    // Answers a Stone step, or a FifthOrOffer step with its single stone.
    Refusal placeStone(int point);
    // Answers a Swap step.
    Refusal swap(bool doSwap);
    // Answers a Declare step.
    Refusal declare(int count);
    // Answers an Offer step, or a FifthOrOffer step with its offer.
    Refusal offer(std::span<const int> points);
    // Answers a Choose step with one of the offered points: it becomes the fifth stone.
    Refusal choose(int point);

    // Checks a would-be offer without taking it (the checks of offer()).
    Refusal checkOffer(std::span<const int> points) const;
    // Checks a would-be stone of the current Stone or FifthOrOffer step.
    Refusal checkStone(int point) const;

    // A phase replayed from a record; nothing (an empty optional) when some answer of it is
    // refused. A record of a finished phase gives a finished phase.
    static std::optional<OpeningPhase> replay(const PhaseRecord& record);

  private:
    void advance() { ++next_; }

    std::span<const RuleStep> steps_;
    size_t next_ = 0;
    BanArray board_;
    Player blackPlayer_ = Player::First;
    PhaseRecord record_;
};
