#include "opening/phase_decisions.h"
#include "opening/position_symmetry.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

// A node budget keeps the decisions the same on any machine.
constexpr DecisionBudget kBudget{0, 60000};

int at(int x, int y) {
    return cellIndex(x, y);
}

} // namespace

TEST(PhaseDecisions, TheComputerPlaysEveryRuleToItsEndOnBothSides) {
    const std::atomic<bool> stop{false};
    for (OpeningRule rule : {OpeningRule::Soosorv8, OpeningRule::Taraguchi10,
                             OpeningRule::Yamaguchi, OpeningRule::Rif}) {
        SCOPED_TRACE(std::string(ruleId(rule)));
        OpeningPhase phase(rule);
        int decisions = 0;
        while (!phase.finished() && decisions < 20) {
            const PhaseDecision d = decidePhaseStep(phase, kBudget, stop);
            ASSERT_EQ(applyDecision(phase, d), Refusal::Ok) << "decision " << decisions;
            ++decisions;
        }
        EXPECT_TRUE(phase.finished());
        EXPECT_GE(phase.board().moveCount(), 5);
        EXPECT_TRUE(OpeningPhase::replay(phase.record()).has_value());
    }
}

TEST(PhaseDecisions, OffersAreDistinctClassesAndWhiteTakesTheWorstForBlack) {
    // D4 with white's fourth stone at i9: black offers four, then white chooses.
    OpeningPhase phase(OpeningRule::Soosorv8);
    for (int p : {at(7, 7), at(7, 6), at(8, 6)}) ASSERT_EQ(phase.placeStone(p), Refusal::Ok);
    ASSERT_EQ(phase.swap(false), Refusal::Ok);
    ASSERT_EQ(phase.placeStone(at(8, 8)), Refusal::Ok);
    ASSERT_EQ(phase.declare(4), Refusal::Ok);
    ASSERT_EQ(phase.swap(false), Refusal::Ok);
    const std::atomic<bool> stop{false};
    const PhaseDecision offer = decidePhaseStep(phase, kBudget, stop);
    ASSERT_EQ(offer.offered.size(), 4u);
    ASSERT_EQ(applyDecision(phase, offer), Refusal::Ok);
    const PhaseDecision choice = decidePhaseStep(phase, kBudget, stop);
    ASSERT_EQ(applyDecision(phase, choice), Refusal::Ok);
    for (const ScoredPoint& s : choice.weighed) EXPECT_GE(s.blackScore, choice.blackScore);
}
