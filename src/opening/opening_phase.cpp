#include "opening/opening_phase.h"

#include "opening/position_symmetry.h"
#include "rules/chk_stat.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool withinArea(int point, int area) {
    return std::abs(cellX(point) - 7) <= area && std::abs(cellY(point) - 7) <= area;
}

} // namespace

OpeningPhase::OpeningPhase(OpeningRule rule) : steps_(ruleSteps(rule)) {
    record_.rule = rule;
}

PhaseAsk OpeningPhase::ask() const {
    const RuleStep& step = steps_[next_];
    PhaseAsk a{step, playerOf(step.colour), 0};
    if (step.kind == StepKind::Offer || step.kind == StepKind::FifthOrOffer)
        a.offerCount = step.count > 0 ? step.count : record_.declared;
    return a;
}

Refusal OpeningPhase::checkStone(int point) const {
    if (finished()) return Refusal::NotAsked;
    const RuleStep& step = steps_[next_];
    if (step.kind != StepKind::Stone && step.kind != StepKind::FifthOrOffer)
        return Refusal::NotAsked;
    if (point < 0 || point >= kPoints) return Refusal::OffBoard;
    if (board_.at(point) != kEmpty) return Refusal::Occupied;
    if (!withinArea(point, step.area)) return Refusal::OutsideArea;
    BanArray probe = board_;
    if (colourToMove(board_.moveCount()) == kBlack && isForbiddenBlack(probe, point))
        return Refusal::Forbidden;
    return Refusal::Ok;
}

Refusal OpeningPhase::placeStone(int point) {
    const Refusal r = checkStone(point);
    if (r != Refusal::Ok) return r;
    board_.put(point);
    record_.stones.push_back(point);
    advance();
    return Refusal::Ok;
}

Refusal OpeningPhase::swap(bool doSwap) {
    if (finished() || steps_[next_].kind != StepKind::Swap) return Refusal::NotAsked;
    if (doSwap) blackPlayer_ = otherPlayer(blackPlayer_);
    record_.swaps.push_back(SwapDecision{board_.moveCount(), doSwap});
    advance();
    return Refusal::Ok;
}

Refusal OpeningPhase::declare(int count) {
    if (finished() || steps_[next_].kind != StepKind::Declare) return Refusal::NotAsked;
    if (count < 1 || count > steps_[next_].count) return Refusal::OutOfRange;
    record_.declared = count;
    advance();
    return Refusal::Ok;
}

Refusal OpeningPhase::checkOffer(std::span<const int> points) const {
    if (finished()) return Refusal::NotAsked;
    const StepKind kind = steps_[next_].kind;
    if (kind != StepKind::Offer && kind != StepKind::FifthOrOffer) return Refusal::NotAsked;
    if (static_cast<int>(points.size()) != ask().offerCount) return Refusal::WrongCount;
    BanArray probe = board_;
    for (const int p : points) {
        if (p < 0 || p >= kPoints) return Refusal::OffBoard;
        if (board_.at(p) != kEmpty) return Refusal::Occupied;
        if (isForbiddenBlack(probe, p)) return Refusal::Forbidden;
    }
    const uint8_t mask = positionSymmetries(board_);
    for (size_t i = 0; i < points.size(); ++i)
        for (size_t j = 0; j < i; ++j) {
            if (points[i] == points[j]) return Refusal::Duplicate;
            if (equivalentUnder(mask, points[i], points[j])) return Refusal::Symmetric;
        }
    return Refusal::Ok;
}

Refusal OpeningPhase::offer(std::span<const int> points) {
    const Refusal r = checkOffer(points);
    if (r != Refusal::Ok) return r;
    const bool branch = steps_[next_].kind == StepKind::FifthOrOffer;
    record_.offered.assign(points.begin(), points.end());
    if (branch) {
        steps_ = offerBranchSteps();
        next_ = 0;
    } else {
        advance();
    }
    return Refusal::Ok;
}

Refusal OpeningPhase::choose(int point) {
    if (finished() || steps_[next_].kind != StepKind::Choose) return Refusal::NotAsked;
    if (std::find(record_.offered.begin(), record_.offered.end(), point) == record_.offered.end())
        return Refusal::NotOffered;
    board_.put(point);
    record_.stones.push_back(point);
    advance();
    return Refusal::Ok;
}

// Answers the steps in order from the record. A step whose answer the record does not hold
// ends the replay there (a record saved during the phase); an answer the phase refuses, or
// answers left over at the end, make the record invalid.
std::optional<OpeningPhase> OpeningPhase::replay(const PhaseRecord& record) {
    OpeningPhase phase(record.rule);
    size_t stone = 0, swapIndex = 0;
    bool offered = false, declared = false;
    while (!phase.finished()) {
        const bool haveStone = stone < record.stones.size();
        Refusal r = Refusal::NotAsked;
        switch (phase.steps_[phase.next_].kind) {
        case StepKind::Stone:
            if (!haveStone) break;
            r = phase.placeStone(record.stones[stone++]);
            break;
        case StepKind::Swap:
            if (swapIndex >= record.swaps.size()) break;
            if (record.swaps[swapIndex].afterStones != phase.board_.moveCount())
                return std::nullopt;
            r = phase.swap(record.swaps[swapIndex++].swapped);
            break;
        case StepKind::Declare:
            if (record.declared == 0) break;
            declared = true;
            r = phase.declare(record.declared);
            break;
        case StepKind::Offer:
            if (record.offered.empty()) break;
            offered = true;
            r = phase.offer(record.offered);
            break;
        case StepKind::FifthOrOffer:
            if (!record.offered.empty()) {
                offered = true;
                r = phase.offer(record.offered);
            } else if (haveStone) {
                r = phase.placeStone(record.stones[stone++]);
            }
            break;
        case StepKind::Choose:
            if (!haveStone) break;
            r = phase.choose(record.stones[stone++]);
            break;
        }
        if (r == Refusal::NotAsked) break; // the record ends here
        if (r != Refusal::Ok) return std::nullopt;
    }
    const bool leftOver = stone != record.stones.size() || swapIndex != record.swaps.size() ||
                          (record.declared != 0 && !declared) ||
                          (!record.offered.empty() && !offered);
    if (leftOver) return std::nullopt;
    return phase;
}
