#pragma once

#include "opening/phase_decisions.h"

#include <cstdint>
#include <string>
#include <vector>

// An opening phase played before a match game: the stones it left, whether the tentative black
// ended with white, a line for the games log and the time each of the computer's decisions took.
struct PrePlayedPhase {
    bool ok = false; // false: some decision was refused (text in log)
    std::vector<int> stones;
    bool tentativeBlackIsWhite = false;
    std::string log;
    std::vector<int64_t> decisionMs;
};

// Plays rule's phase with the computer deciding for both players, the opening's three stones
// put by the tentative black as given (the match's opening), every other decision within budget.
PrePlayedPhase prePlayPhase(OpeningRule rule, const std::vector<int>& openingStones,
                            const DecisionBudget& budget);

// "opening=D4 swaps=3:yes,4:no declared=3 offered=g9,i6,j8 fifth=i6" for a phase record.
std::string phaseLogText(const PhaseRecord& record);
