#include "opening/phase_properties.h"

#include "database/openings.h"
#include "opening/position_symmetry.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The phase puts at most five stones.
constexpr int kPhaseStones = 5;

std::vector<MOve*> mainLine(const MOveTree& record, int most) {
    std::vector<MOve*> line;
    for (MOve* n = record.root(); n->childCount() > 0 && static_cast<int>(line.size()) < most;) {
        n = n->child(0);
        line.push_back(n);
    }
    return line;
}

std::string letters(int point) {
    return recordLetters(cellX(point), cellY(point));
}

// The bracketed values of property name in text ("XF[hi][jj]" gives "hi", "jj").
std::vector<std::string> values(const std::string& text, const char* name) {
    std::vector<std::string> out;
    size_t at = text.find(name);
    if (at == std::string::npos) return out;
    at += 2;
    while (at < text.size() && text[at] == '[') {
        const size_t close = text.find(']', at);
        if (close == std::string::npos) break;
        out.push_back(text.substr(at + 1, close - at - 1));
        at = close + 1;
    }
    return out;
}

// A small decimal value; -1 for anything else.
int smallNumber(const std::string& v) {
    if (v.empty() || v.size() > 2 ||
        !std::all_of(v.begin(), v.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    return std::stoi(v);
}

} // namespace

void writePhaseProperties(const PhaseRecord& phase, MOveTree& record) {
    const std::vector<MOve*> line = mainLine(record, kPhaseStones);
    for (MOve* n : line) n->properties.clear();
    if (!hasPhase(phase.rule)) {
        record.setRootProperties({});
        return;
    }
    std::vector<std::string> root{"XR[" + std::string(ruleId(phase.rule)) + "]"};
    if (phase.stones.size() >= 3) {
        BanArray three;
        for (size_t i = 0; i < 3; ++i) three.put(phase.stones[i]);
        const int o = openingIndexOf(three);
        if (o >= 0)
            root.push_back(std::string("XO[") + openings()[static_cast<size_t>(o)].code + "]");
    }
    record.setRootProperties(std::move(root));
    auto nodeAt = [&](int stones) -> MOve* {
        return stones >= 1 && stones <= static_cast<int>(line.size())
                   ? line[static_cast<size_t>(stones - 1)]
                   : nullptr;
    };
    for (const SwapDecision& s : phase.swaps)
        if (MOve* n = nodeAt(s.afterStones)) n->properties += s.swapped ? "XS[1]" : "XS[0]";
    if (phase.declared > 0) {
        // Declared with the opening (three stones) or after the fourth.
        const int when = phase.rule == OpeningRule::Yamaguchi ? 3 : 4;
        if (MOve* n = nodeAt(std::min<int>(when, static_cast<int>(line.size()))))
            n->properties += "XN[" + std::to_string(phase.declared) + "]";
    }
    if (!phase.offered.empty()) {
        if (MOve* n = nodeAt(4)) {
            n->properties += "XF";
            for (int p : phase.offered) n->properties += "[" + letters(p) + "]";
        }
    }
}

std::optional<OpeningPhase> readPhaseProperties(const MOveTree& record) {
    std::optional<OpeningRule> rule;
    for (const std::string& p : record.rootProperties())
        if (p.rfind("XR[", 0) == 0 && p.size() > 4) rule = ruleFromId(p.substr(3, p.size() - 4));
    if (!rule || !hasPhase(*rule)) return std::nullopt;
    PhaseRecord phase;
    phase.rule = *rule;
    const std::vector<MOve*> line = mainLine(record, kPhaseStones);
    for (size_t k = 0; k < line.size(); ++k) {
        const MOve* n = line[k];
        phase.stones.push_back(cellIndex(n->pos.x, n->pos.y));
        const int stones = static_cast<int>(k + 1);
        for (const std::string& v : values(n->properties, "XS")) {
            if (v != "0" && v != "1") return std::nullopt;
            phase.swaps.push_back(SwapDecision{stones, v == "1"});
        }
        for (const std::string& v : values(n->properties, "XN")) {
            phase.declared = smallNumber(v);
            if (phase.declared < 1) return std::nullopt;
        }
        for (const std::string& v : values(n->properties, "XF")) {
            if (v.size() != 2) return std::nullopt;
            int x = 0, y = 0;
            recordLettersToXY(v[0], v[1], x, y);
            if (!onBoard(x, y)) return std::nullopt;
            phase.offered.push_back(cellIndex(x, y));
        }
    }
    std::sort(
        phase.swaps.begin(), phase.swaps.end(),
        [](const SwapDecision& a, const SwapDecision& b) { return a.afterStones < b.afterStones; });
    // Every rule ends with its fifth stone, so the first five moves (or all, when fewer) are
    // the phase's stones and the rest are the game.
    return OpeningPhase::replay(phase);
}
