#include "strong/line_pattern.h"

#include <algorithm>
#include <array>
#include <memory>

namespace {

constexpr uint32_t kKeys = 1u << kKeyBits;
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
    uint32_t own;

    uint8_t classify(uint32_t key) {
        uint8_t& slot = table[key];
        if (slot != kUnknown) return slot;
        auto cell = [key](int offset) { return (key >> keyShift(offset)) & 3u; };
        int left = 0, right = 0;
        while (left < kReach && cell(-left - 1) == own) ++left;
        while (right < kReach && cell(right + 1) == own) ++right;
        const int run = 1 + left + right;
        if (run >= 5) {
            slot = (run == 5 || own == kCellWhite) ? kPatFive : kPatOverline;
            return slot;
        }
        int completions = 0;
        uint8_t best = kPatNone;
        for (int offset = -4; offset <= 4; ++offset) {
            if (offset == 0 || cell(offset) != kCellEmpty) continue;
            const uint8_t next = classify(key | own << keyShift(offset));
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

constexpr int16_t kPatValue[kPatCount] = {0, 1, 4, 10, 22, 60, 70, 400, 3000, 0};

struct Tables {
    std::unique_ptr<uint8_t[]> pattern[2];
    std::unique_ptr<PointInfo[]> info[2];

    Tables() {
        for (int c = 0; c < 2; ++c) {
            pattern[c] = std::make_unique<uint8_t[]>(kKeys);
            std::fill_n(pattern[c].get(), kKeys, kUnknown);
            Classifier cl{pattern[c].get(), c == 0 ? uint32_t{kCellBlack} : uint32_t{kCellWhite}};
            for (uint32_t k = 0; k < kKeys; ++k) cl.classify(k);
            info[c] = std::make_unique<PointInfo[]>(1u << 16);
            for (uint32_t i = 0; i < (1u << 16); ++i) info[c][i] = combine(c, i);
        }
    }

    static PointInfo combine(int colour, uint32_t index) {
        int count[16] = {};
        int value = 0;
        for (int d = 0; d < 4; ++d) {
            const int p = (index >> (4 * d)) & 15;
            if (p >= kPatCount) return {};
            ++count[p];
            value += kPatValue[p];
        }
        const int fours = count[kPatFour] + count[kPatFourOpen];
        const int threes = count[kPatThreeOpen];
        PointInfo info;
        if (count[kPatFive]) {
            info.cls = kClassFive;
        } else if (count[kPatFourOpen] || fours >= 2) {
            info.cls = kClassFlexFour;
        } else if (fours == 1 && threes) {
            info.cls = kClassFourThree;
            value += 300;
        } else if (fours == 1) {
            info.cls = kClassFour;
        } else if (threes >= 2) {
            info.cls = kClassDoubleThree;
            value += 150;
        } else if (threes == 1) {
            info.cls = kClassThree;
        }
        if (colour == 0 && !count[kPatFive])
            info.suspect = count[kPatOverline] || count[kPatFourOpen] || fours >= 2 || threes >= 2;
        info.value = static_cast<int16_t>(std::min(value, 20000));
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
