#include "phase_play.h"

#include "database/openings.h"
#include "opening/position_symmetry.h"

#include <chrono>

namespace {

constexpr int kOpeningStones = 3;

std::string points(const std::vector<int>& list) {
    std::string s;
    for (int p : list) s += (s.empty() ? "" : ",") + pointText(cellX(p), cellY(p));
    return s;
}

} // namespace

std::string phaseLogText(const PhaseRecord& record) {
    std::string s = std::string(ruleId(record.rule));
    if (record.stones.size() >= kOpeningStones) {
        BanArray three;
        for (int i = 0; i < kOpeningStones; ++i) three.put(record.stones[static_cast<size_t>(i)]);
        const int o = openingIndexOf(three);
        if (o >= 0) s += std::string(" opening=") + openings()[static_cast<size_t>(o)].code;
    }
    std::string swaps;
    for (const SwapDecision& d : record.swaps)
        swaps += (swaps.empty() ? "" : ",") + std::to_string(d.afterStones) +
                 (d.swapped ? ":yes" : ":no");
    if (!swaps.empty()) s += " swaps=" + swaps;
    if (record.declared > 0) s += " declared=" + std::to_string(record.declared);
    if (!record.offered.empty()) s += " offered=" + points(record.offered);
    if (record.stones.size() >= 5) s += " fifth=" + points({record.stones[4]});
    return s;
}

PrePlayedPhase prePlayPhase(OpeningRule rule, const std::vector<int>& openingStones,
                            const DecisionBudget& budget) {
    PrePlayedPhase result;
    OpeningPhase phase(rule);
    const std::atomic<bool> stop{false};
    while (!phase.finished()) {
        const PhaseAsk ask = phase.ask();
        const int placed = phase.board().moveCount();
        Refusal r = Refusal::Ok;
        if (ask.step.kind == StepKind::Stone && placed < kOpeningStones &&
            placed < static_cast<int>(openingStones.size())) {
            r = phase.placeStone(openingStones[static_cast<size_t>(placed)]);
        } else {
            const auto begin = std::chrono::steady_clock::now();
            const PhaseDecision d = decidePhaseStep(phase, budget, stop);
            result.decisionMs.push_back(std::chrono::duration_cast<std::chrono::milliseconds>(
                                            std::chrono::steady_clock::now() - begin)
                                            .count());
            r = applyDecision(phase, d);
        }
        if (r != Refusal::Ok) {
            result.log = phaseLogText(phase.record()) + " refused";
            return result;
        }
    }
    result.ok = true;
    result.stones = phase.record().stones;
    result.tentativeBlackIsWhite = phase.playerOf(kBlack) != Player::First;
    result.log = phaseLogText(phase.record());
    return result;
}
