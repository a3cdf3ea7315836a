#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// The ways a game may begin. Free and Openings26 are plain play (from an empty board, or from
// one of the 26 openings chosen in the window); the others settle the first stones by an
// opening phase of swaps and offered fifth moves.
enum class OpeningRule : uint8_t { Free, Openings26, Soosorv8, Taraguchi10, Yamaguchi, Rif };

// What one step of a phase asks for.
enum class StepKind : uint8_t {
    Stone,        // put the next stone within the step's area
    Swap,         // may exchange colours (answered yes or no)
    Declare,      // declare the number of fifth moves, 1..maxCount
    Offer,        // offer fifth moves: count of them, or the declared number when count is 0
    Choose,       // choose one of the offered fifth moves
    FifthOrOffer, // either one fifth stone within the area, or count offered fifth moves
};

// Half-width of the central square a stone must lie in: 0 the centre, 1 the 3 x 3 ... and
// kAnywhere the whole board.
inline constexpr int kAnywhere = 7;

// One step of a rule. colour is the colour whose player answers it (for a Stone step not
// always the stone's colour: the tentative black puts all three stones of an opening).
struct RuleStep {
    StepKind kind;
    char colour;
    int area = kAnywhere; // Stone, FifthOrOffer
    int count = 0;        // Offer, FifthOrOffer: fixed number (0: the declared one); Declare: most
};

inline constexpr int kSoosorvMaxFifths = 8;
inline constexpr int kTaraguchiFifths = 10;
// The rule sets no bound; ten keeps an offer within what players use and a search can weigh.
inline constexpr int kYamaguchiMaxFifths = 10;
inline constexpr int kRifFifths = 2;

// The steps of rule in order; empty for Free and Openings26. A FifthOrOffer step is followed
// by the steps of its stone branch; the offer branch goes on with kOfferBranch instead.
std::span<const RuleStep> ruleSteps(OpeningRule rule);
// The steps after an offer made at a FifthOrOffer step.
std::span<const RuleStep> offerBranchSteps();

// Stable ASCII name used in records and on command lines: "free", "openings", "soosorv-8",
// "taraguchi-10", "yamaguchi", "rif".
std::string_view ruleId(OpeningRule rule);
// The rule of an id; nothing for an unknown one.
std::optional<OpeningRule> ruleFromId(std::string_view id);
// True for the rules with an opening phase.
bool hasPhase(OpeningRule rule);
