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

TEST(PhaseDecisions, OpeningsStrongForBlackAreSwappedOrGetManyFifthMoves) {
    const std::atomic<bool> stop{false};
    // D4 花月, D2 渓月, I2 峡月, I4 水月, I7 浦月 (black h8, white h7 or i7, the third stone).
    const int strong[][3] = {{at(7, 7), at(7, 6), at(8, 6)},
                             {at(7, 7), at(7, 6), at(8, 5)},
                             {at(7, 7), at(8, 6), at(9, 6)},
                             {at(7, 7), at(8, 6), at(9, 8)},
                             {at(7, 7), at(8, 6), at(8, 8)}};
    for (const auto& stones : strong) {
        OpeningPhase phase(OpeningRule::Soosorv8);
        for (int p : stones) ASSERT_EQ(phase.placeStone(p), Refusal::Ok);
        const PhaseDecision swap = decidePhaseStep(phase, kBudget, stop);
        ASSERT_EQ(swap.kind, StepKind::Swap);
        if (swap.swap) continue;
        // Kept as white: the fourth stone, then a declared count that leaves black little.
        ASSERT_EQ(applyDecision(phase, swap), Refusal::Ok);
        ASSERT_EQ(applyDecision(phase, decidePhaseStep(phase, kBudget, stop)), Refusal::Ok);
        EXPECT_GE(decidePhaseStep(phase, kBudget, stop).count, 4) << stones[2];
    }
}
