#pragma once

#include "opening/opening_phase.h"

#include <atomic>
#include <cstdint>
#include <vector>

// The budget of one decision: a time in milliseconds and, when maxNodes > 0, a node count
// (for play that does not depend on the machine's speed). Split over the positions weighed.
struct DecisionBudget {
    int64_t timeMs = 1000;
    uint64_t maxNodes = 0;
};

// A point and the evaluation of the position after it, from black's view; searched is false
// for a point ranked last unsearched (the time ran out, or a fill-in far from the stones).
struct ScoredPoint {
    int point = kNoMove;
    int blackScore = 0;
    bool searched = true;
};

// One decision of the computer for the step a phase asks: the answer and what it rests on.
struct PhaseDecision {
    StepKind kind = StepKind::Stone;
    std::vector<int> stones;  // Stone: the stones to put, in order (all of an opening at once)
    bool swap = false;        // Swap
    int count = 0;            // Declare
    std::vector<int> offered; // Offer, FifthOrOffer when offering
    int chosen = kNoMove;     // Choose
    // Swap: the evaluation for the colour the deciding player holds and for the other one.
    int ownScore = 0;
    int otherScore = 0;
    // The evaluation of the answer from black's view (for an offer: the offered point worst
    // for black, the one white will take).
    int blackScore = 0;
    // The points weighed with their evaluations, best for black first (Offer, Choose, Declare).
    std::vector<ScoredPoint> weighed;
    bool stopped = false; // stop became true: the answer is the best found so far
};

// Decides the step phase asks with short strong searches within budget; the answer is one
// the phase accepts. phase must not be finished.
PhaseDecision decidePhaseStep(const OpeningPhase& phase, const DecisionBudget& budget,
                              const std::atomic<bool>& stop);

// Applies a decision to the phase; Ok, or the first refusal (which leaves the phase at that
// step).
Refusal applyDecision(OpeningPhase& phase, const PhaseDecision& decision);

// The n best fifth moves for black on board (four stones, black to move) of which no two are
// symmetric in the position, best first, each with its evaluation from black's view; fewer
// when the board has fewer legal classes. Shares budget over the candidates.
std::vector<ScoredPoint> bestFifthMoves(const BanArray& board, int n, const DecisionBudget& budget,
                                        const std::atomic<bool>& stop);

// Whether the player of the colour to move on board would swap colours, with ownScore and
// otherScore (each colour's advantage over an even score) and blackScore (the evaluation from
// black's view). fifths > 0: black is to offer that many fifth moves next (four stones), so
// black's worth is the fifths-th best of them.
PhaseDecision swapDecision(const BanArray& board, int fifths, const DecisionBudget& budget,
                           const std::atomic<bool>& stop);

// The evaluation of board from black's view by one search within budget.
int blackScoreOf(const BanArray& board, const DecisionBudget& budget,
                 const std::atomic<bool>& stop);
