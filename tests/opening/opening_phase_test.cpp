#include "opening/opening_phase.h"
#include "opening/position_symmetry.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

int at(int x, int y) {
    return cellIndex(x, y);
}

// Soosorv-8 up to the offer: D1 (h8 h7 h6), the fourth white stone at h5 keeps the board's
// mirror symmetry about the h column (or breaks it at i5); declared count, no swaps.
OpeningPhase soosorvAtOffer(int fourth, int declared) {
    OpeningPhase phase(OpeningRule::Soosorv8);
    EXPECT_EQ(phase.placeStone(at(7, 7)), Refusal::Ok);
    EXPECT_EQ(phase.placeStone(at(7, 6)), Refusal::Ok);
    EXPECT_EQ(phase.placeStone(at(7, 5)), Refusal::Ok);
    EXPECT_EQ(phase.swap(false), Refusal::Ok);
    EXPECT_EQ(phase.placeStone(fourth), Refusal::Ok);
    EXPECT_EQ(phase.declare(declared), Refusal::Ok);
    EXPECT_EQ(phase.swap(false), Refusal::Ok);
    return phase;
}

} // namespace

TEST(OpeningPhase, StonesOutsideTheirAreasAreRefused) {
    OpeningPhase soosorv(OpeningRule::Soosorv8);
    EXPECT_EQ(soosorv.placeStone(at(7, 6)), Refusal::OutsideArea);
    EXPECT_EQ(soosorv.placeStone(at(7, 7)), Refusal::Ok);
    EXPECT_EQ(soosorv.placeStone(at(7, 7)), Refusal::Occupied);
    EXPECT_EQ(soosorv.placeStone(at(7, 5)), Refusal::OutsideArea);
    EXPECT_EQ(soosorv.placeStone(at(8, 6)), Refusal::Ok);
    EXPECT_EQ(soosorv.placeStone(at(10, 7)), Refusal::OutsideArea);
    EXPECT_EQ(soosorv.placeStone(-1), Refusal::OffBoard);
    EXPECT_EQ(soosorv.placeStone(at(9, 9)), Refusal::Ok);
    EXPECT_EQ(openingIndexOf(soosorv.board()), 17); // I5
    EXPECT_EQ(soosorv.placeStone(at(0, 0)), Refusal::NotAsked);

    // Taraguchi-10: the fourth stone within 7 x 7, a single fifth within 9 x 9.
    OpeningPhase tara(OpeningRule::Taraguchi10);
    for (int p : {at(7, 7), at(7, 6), at(7, 5)}) {
        EXPECT_EQ(tara.placeStone(p), Refusal::Ok);
        EXPECT_EQ(tara.swap(false), Refusal::Ok);
    }
    EXPECT_EQ(tara.placeStone(at(11, 7)), Refusal::OutsideArea);
    EXPECT_EQ(tara.placeStone(at(10, 7)), Refusal::Ok);
    EXPECT_EQ(tara.swap(true), Refusal::Ok);
    EXPECT_EQ(tara.placeStone(at(2, 7)), Refusal::OutsideArea);
    EXPECT_EQ(tara.placeStone(at(3, 7)), Refusal::Ok);
    EXPECT_EQ(tara.ask().step.kind, StepKind::Swap);
    EXPECT_EQ(tara.ask().player, Player::First); // white after one swap
    EXPECT_EQ(tara.swap(false), Refusal::Ok);
    EXPECT_TRUE(tara.finished());
}

TEST(OpeningPhase, OffersSymmetricUnderThePositionAreRefused) {
    // With the mirror symmetry (fourth stone h5), g9 and i9 are the same fifth move.
    OpeningPhase mirrored = soosorvAtOffer(at(7, 4), 2);
    EXPECT_EQ(mirrored.offer(std::vector{at(6, 8), at(8, 8)}), Refusal::Symmetric);
    EXPECT_EQ(mirrored.offer(std::vector{at(6, 8), at(6, 8)}), Refusal::Duplicate);
    EXPECT_EQ(mirrored.offer(std::vector{at(6, 8), at(7, 8)}), Refusal::Ok);
    // Without it (fourth stone i5) the same pair is two different fifth moves.
    OpeningPhase plain = soosorvAtOffer(at(8, 4), 2);
    EXPECT_EQ(positionSymmetries(plain.board()), 1);
    EXPECT_EQ(plain.offer(std::vector{at(6, 8), at(8, 8)}), Refusal::Ok);
    EXPECT_EQ(plain.choose(at(7, 8)), Refusal::NotOffered);
    EXPECT_EQ(plain.choose(at(8, 8)), Refusal::Ok);
    EXPECT_TRUE(plain.finished());
    EXPECT_EQ(plain.board().moveCount(), 5);
    // A diagonal position (I-type stones on the diagonal) keeps a diagonal mirror.
    OpeningPhase diagonal(OpeningRule::Rif);
    for (int p : {at(7, 7), at(8, 6), at(9, 5)}) EXPECT_EQ(diagonal.placeStone(p), Refusal::Ok);
    EXPECT_EQ(diagonal.swap(false), Refusal::Ok);
    EXPECT_EQ(diagonal.placeStone(at(6, 8)), Refusal::Ok);
    EXPECT_EQ(diagonal.offer(std::vector{at(8, 8), at(6, 6)}), Refusal::Symmetric);
    EXPECT_EQ(diagonal.offer(std::vector{at(8, 8), at(6, 7)}), Refusal::Ok);
}

TEST(OpeningPhase, WrongCountsAndSecondSwapsAreRefused) {
    OpeningPhase phase(OpeningRule::Soosorv8);
    for (int p : {at(7, 7), at(7, 6), at(8, 6)}) EXPECT_EQ(phase.placeStone(p), Refusal::Ok);
    EXPECT_EQ(phase.ask().player, Player::Second);
    EXPECT_EQ(phase.swap(true), Refusal::Ok);
    EXPECT_EQ(phase.swap(true), Refusal::NotAsked);
    EXPECT_EQ(phase.playerOf(kWhite), Player::First);
    EXPECT_EQ(phase.declare(3), Refusal::NotAsked);
    EXPECT_EQ(phase.placeStone(at(9, 9)), Refusal::Ok);
    EXPECT_EQ(phase.declare(0), Refusal::OutOfRange);
    EXPECT_EQ(phase.declare(kSoosorvMaxFifths + 1), Refusal::OutOfRange);
    EXPECT_EQ(phase.declare(3), Refusal::Ok);
    EXPECT_EQ(phase.ask().player, Player::Second); // black decides the second swap
    EXPECT_EQ(phase.swap(false), Refusal::Ok);
    EXPECT_EQ(phase.ask().offerCount, 3);
    EXPECT_EQ(phase.offer(std::vector{at(5, 5), at(4, 4)}), Refusal::WrongCount);
    EXPECT_EQ(phase.offer(std::vector{at(5, 5), at(4, 4), at(3, 3), at(2, 2)}),
              Refusal::WrongCount);

    OpeningPhase rif(OpeningRule::Rif);
    for (int p : {at(7, 7), at(7, 6), at(8, 6)}) EXPECT_EQ(rif.placeStone(p), Refusal::Ok);
    EXPECT_EQ(rif.swap(false), Refusal::Ok);
    EXPECT_EQ(rif.ask().step.kind, StepKind::Stone);
    EXPECT_EQ(rif.swap(true), Refusal::NotAsked);
    EXPECT_EQ(rif.placeStone(at(9, 9)), Refusal::Ok);
    EXPECT_EQ(rif.offer(std::vector{at(5, 5)}), Refusal::WrongCount);
    EXPECT_TRUE(OpeningPhase(OpeningRule::Free).finished());
    EXPECT_TRUE(OpeningPhase(OpeningRule::Openings26).finished());
}

TEST(OpeningPhase, ReplayGivesTheSamePhaseAndRefusesBrokenRecords) {
    OpeningPhase phase = soosorvAtOffer(at(8, 4), 2);
    ASSERT_EQ(phase.offer(std::vector{at(6, 8), at(8, 8)}), Refusal::Ok);
    ASSERT_EQ(phase.choose(at(6, 8)), Refusal::Ok);
    const std::optional<OpeningPhase> again = OpeningPhase::replay(phase.record());
    ASSERT_TRUE(again.has_value());
    EXPECT_TRUE(again->finished());
    EXPECT_EQ(again->record(), phase.record());
    EXPECT_EQ(again->board(), phase.board());

    PhaseRecord partial = phase.record();
    partial.stones.resize(4);
    partial.offered.clear();
    const std::optional<OpeningPhase> midway = OpeningPhase::replay(partial);
    ASSERT_TRUE(midway.has_value());
    EXPECT_EQ(midway->ask().step.kind, StepKind::Offer);

    PhaseRecord bad = phase.record();
    bad.declared = 9;
    EXPECT_FALSE(OpeningPhase::replay(bad).has_value());
    bad = phase.record();
    bad.stones[4] = at(0, 0); // not among the offered
    EXPECT_FALSE(OpeningPhase::replay(bad).has_value());
    bad = phase.record();
    bad.swaps[0].afterStones = 2;
    EXPECT_FALSE(OpeningPhase::replay(bad).has_value());
}
