#include "opening/phase_decisions.h"
#include "opening/phase_properties.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

int at(int x, int y) {
    return cellIndex(x, y);
}

// A Soosorv-8 phase (D4, swap, i9, three offered, the first swap kept) and three more moves.
OpeningPhase playedPhase() {
    OpeningPhase phase(OpeningRule::Soosorv8);
    for (int p : {at(7, 7), at(7, 6), at(8, 6)}) EXPECT_EQ(phase.placeStone(p), Refusal::Ok);
    EXPECT_EQ(phase.swap(true), Refusal::Ok);
    EXPECT_EQ(phase.placeStone(at(8, 8)), Refusal::Ok);
    EXPECT_EQ(phase.declare(3), Refusal::Ok);
    EXPECT_EQ(phase.swap(false), Refusal::Ok);
    EXPECT_EQ(phase.offer(std::vector{at(6, 8), at(9, 5), at(5, 5)}), Refusal::Ok);
    EXPECT_EQ(phase.choose(at(9, 5)), Refusal::Ok);
    return phase;
}

void playOut(MOveTree& record, const std::vector<int>& moves) {
    for (int p : moves) ASSERT_NE(record.PutMoveAlternating(cellX(p), cellY(p)), nullptr);
}

} // namespace

TEST(PhaseProperties, APhaseSurvivesTheRecordTextAndRecordsWithoutOneAreUnchanged) {
    const OpeningPhase phase = playedPhase();
    MOveTree record;
    std::vector<int> moves = phase.record().stones;
    moves.insert(moves.end(), {at(9, 9), at(10, 10), at(6, 6)});
    playOut(record, moves);
    const std::string plain = record.RecordText();
    writePhaseProperties(phase.record(), record);
    const std::string text = record.RecordText();
    EXPECT_NE(text.find("XR[soosorv-8]\nXO[D4]\n"), std::string::npos);
    EXPECT_NE(text.find("XF[gi][jf][ff]"), std::string::npos);

    MOveTree again; // read as a file is read
    ASSERT_TRUE(again.ReadBytes(text));
    EXPECT_EQ(again.illegalMoves(), 0);
    const std::optional<OpeningPhase> read = readPhaseProperties(again);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->record(), phase.record());
    EXPECT_EQ(again.RecordText(), text);

    // Without the properties the same moves are written as before, byte for byte.
    writePhaseProperties(PhaseRecord{}, again);
    EXPECT_EQ(again.RecordText(), plain);
    EXPECT_FALSE(readPhaseProperties(again).has_value());
}

TEST(PhaseProperties, RecordsWhosePhaseDoesNotReplayAreFreeGames) {
    const OpeningPhase phase = playedPhase();
    MOveTree record;
    playOut(record, phase.record().stones);
    writePhaseProperties(phase.record(), record);
    std::string text = record.RecordText();
    for (const char* from : {"XN[3]", "XF[gi][jf][ff]"}) {
        std::string broken = text;
        broken.replace(broken.find(from), 5, from[1] == 'N' ? "XN[9]" : "XF[hh]");
        MOveTree again;
        std::istringstream in(broken);
        ASSERT_TRUE(again.ReadRecord(in));
        EXPECT_FALSE(readPhaseProperties(again).has_value()) << broken;
    }
}

TEST(PhaseProperties, EveryRulesPhaseRoundTrips) {
    const std::atomic<bool> stop{false};
    for (OpeningRule rule : {OpeningRule::Taraguchi10, OpeningRule::Yamaguchi, OpeningRule::Rif}) {
        OpeningPhase phase(rule);
        while (!phase.finished())
            ASSERT_EQ(applyDecision(phase, decidePhaseStep(phase, DecisionBudget{0, 5000}, stop)),
                      Refusal::Ok);
        MOveTree record;
        playOut(record, phase.record().stones);
        writePhaseProperties(phase.record(), record);
        MOveTree again;
        ASSERT_TRUE(again.ReadBytes(record.RecordText()));
        const std::optional<OpeningPhase> read = readPhaseProperties(again);
        ASSERT_TRUE(read.has_value()) << ruleId(rule);
        EXPECT_EQ(read->record(), phase.record()) << ruleId(rule);
    }
}
