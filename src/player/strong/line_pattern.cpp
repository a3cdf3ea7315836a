#include "player/strong/line_pattern.h"

#include "player/strong/evaluation_weights.h"
#include "player/strong/search_params.h"

#include <algorithm>
#include <array>
#include <memory>

namespace {

constexpr uint8_t kUnknown = 0xff;

// The pattern one step weaker than what a further stone would make.
constexpr uint8_t weaken(uint8_t p) {
    switch (p) {
    case kPatFourOpen:
        return kPatThreeOpen;
    case kPatFour:
        return kPatThree;
    case kPatThreeOpen:
        return kPatTwoOpen;
    case kPatThree:
        return kPatTwo;
    case kPatTwoOpen:
    case kPatTwo:
    case kPatOne:
        return kPatOne;
    default:
        return kPatNone;
    }
}

// Classifies by trying every empty cell within four of the centre: the count of cells that
// complete a five through the centre makes a four or straight four; otherwise the pattern is
// one step weaker than the best any one further stone makes. Every recursion adds a stone, so
// it ends, and each key is classified once.
struct Classifier {
    uint8_t* table;
    bool black;

    uint8_t classify(uint32_t key) {
        uint8_t& slot = table[key];
        if (slot != kUnknown) return slot;
        auto cell = [key](int offset) { return (key / power3(keyDigit(offset))) % 3; };
        int left = 0, right = 0;
        while (left < kReach && cell(-left - 1) == kCellOwn) ++left;
        while (right < kReach && cell(right + 1) == kCellOwn) ++right;
        const int run = 1 + left + right;
        if (run >= 5) {
            slot = (run == 5 || !black) ? kPatFive : kPatOverline;
            return slot;
        }
        int completions = 0;
        uint8_t best = kPatNone;
        for (int offset = -4; offset <= 4; ++offset) {
            if (offset == 0 || cell(offset) != kCellEmpty) continue;
            const uint8_t next = classify(key + power3(keyDigit(offset)));
            if (next == kPatFive)
                ++completions;
            else
                best = std::max(best, weaken(next));
        }
        slot = completions >= 2   ? uint8_t{kPatFourOpen}
               : completions == 1 ? uint8_t{kPatFour}
                                  : best;
        return slot;
    }
};

struct Tables {
    std::unique_ptr<uint8_t[]> pattern[2];
    std::unique_ptr<PointInfo[]> info[2];

    Tables() {
        for (int c = 0; c < 2; ++c) {
            pattern[c] = std::make_unique<uint8_t[]>(kLineKeys);
            std::fill_n(pattern[c].get(), kLineKeys, kUnknown);
            Classifier cl{pattern[c].get(), c == 0};
            for (uint32_t k = 0; k < kLineKeys; ++k) cl.classify(k);
            info[c] = std::make_unique<PointInfo[]>(kComboCount);
            for (uint32_t i = 0; i < kComboCount; ++i) info[c][i] = combine(c, i);
        }
    }

    static PointInfo combine(int colour, uint32_t index) {
        int count[16] = {};
        int value = 0, order = 0;
        uint8_t pats[4];
        for (int d = 0; d < 4; ++d, index /= kPatCount) {
            const uint32_t p = index % kPatCount;
            pats[d] = static_cast<uint8_t>(p);
            ++count[p];
            value += evaluation_weights::kPatternValue[colour][p];
            order += search_params::kOrderPatternValue[p];
        }
        if (const int pair = evaluation_weights::pointPair(pats); pair >= 0)
            value += evaluation_weights::kPairValue[colour][pair];
        const int fours = count[kPatFour] + count[kPatFourOpen];
        const int threes = count[kPatThreeOpen];
        PointInfo info;
        if (count[kPatFive]) {
            info.cls = kClassFive;
        } else if (count[kPatFourOpen] || fours >= 2) {
            info.cls = kClassFlexFour;
        } else if (fours == 1 && threes) {
            info.cls = kClassFourThree;
            value += evaluation_weights::kFourThreeBonus[colour];
            order += search_params::kOrderFourThreeBonus;
        } else if (fours == 1) {
            info.cls = kClassFour;
        } else if (threes >= 2) {
            info.cls = kClassDoubleThree;
            value += evaluation_weights::kDoubleThreeBonus[colour];
            order += search_params::kOrderDoubleThreeBonus;
        } else if (threes == 1) {
            info.cls = kClassThree;
        }
        if (colour == 0 && !count[kPatFive])
            info.suspect = count[kPatOverline] || count[kPatFourOpen] || fours >= 2 || threes >= 2;
        info.value = static_cast<int16_t>(std::min(value, evaluation_weights::kMaxPointValue));
        info.order = static_cast<int16_t>(std::min(order, evaluation_weights::kMaxPointValue));
        return info;
    }
};

const Tables& tables() {
    static const Tables t;
    return t;
}

} // namespace

const uint8_t* linePatternTable(int colour) {
    return tables().pattern[colour].get();
}

const PointInfo* pointInfoTable(int colour) {
    return tables().info[colour].get();
}
