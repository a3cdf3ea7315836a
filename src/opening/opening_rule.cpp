#include "opening/opening_rule.h"

#include "base/geometry.h"

#include <array>

namespace {

constexpr RuleStep stone(char colour, int area) {
    return RuleStep{StepKind::Stone, colour, area, 0};
}
constexpr RuleStep swapBy(char colour) {
    return RuleStep{StepKind::Swap, colour, kAnywhere, 0};
}

constexpr std::array kSoosorv = {
    stone(kBlack, 0),
    stone(kBlack, 1),
    stone(kBlack, 2),
    swapBy(kWhite),
    stone(kWhite, kAnywhere),
    RuleStep{StepKind::Declare, kWhite, kAnywhere, kSoosorvMaxFifths},
    swapBy(kBlack),
    RuleStep{StepKind::Offer, kBlack, kAnywhere, 0},
    RuleStep{StepKind::Choose, kWhite, kAnywhere, 0},
};

constexpr std::array kTaraguchi = {
    stone(kBlack, 0),
    swapBy(kWhite),
    stone(kWhite, 1),
    swapBy(kBlack),
    stone(kBlack, 2),
    swapBy(kWhite),
    stone(kWhite, 3),
    swapBy(kBlack),
    RuleStep{StepKind::FifthOrOffer, kBlack, 4, kTaraguchiFifths},
    swapBy(kWhite),
};

constexpr std::array kYamaguchi = {
    stone(kBlack, 0),
    stone(kBlack, 1),
    stone(kBlack, 2),
    RuleStep{StepKind::Declare, kBlack, kAnywhere, kYamaguchiMaxFifths},
    swapBy(kWhite),
    stone(kWhite, kAnywhere),
    RuleStep{StepKind::Offer, kBlack, kAnywhere, 0},
    RuleStep{StepKind::Choose, kWhite, kAnywhere, 0},
};

constexpr std::array kRif = {
    stone(kBlack, 0),
    stone(kBlack, 1),
    stone(kBlack, 2),
    swapBy(kWhite),
    stone(kWhite, kAnywhere),
    RuleStep{StepKind::Offer, kBlack, kAnywhere, kRifFifths},
    RuleStep{StepKind::Choose, kWhite, kAnywhere, 0},
};

constexpr std::array kOfferBranch = {RuleStep{StepKind::Choose, kWhite, kAnywhere, 0}};

struct RuleName {
    OpeningRule rule;
    std::string_view id;
};
constexpr std::array kNames = {
    RuleName{OpeningRule::Free, "free"},
    RuleName{OpeningRule::Openings26, "openings"},
    RuleName{OpeningRule::Soosorv8, "soosorv-8"},
    RuleName{OpeningRule::Taraguchi10, "taraguchi-10"},
    RuleName{OpeningRule::Yamaguchi, "yamaguchi"},
    RuleName{OpeningRule::Rif, "rif"},
};

} // namespace

std::span<const RuleStep> ruleSteps(OpeningRule rule) {
    switch (rule) {
    case OpeningRule::Soosorv8:
        return kSoosorv;
    case OpeningRule::Taraguchi10:
        return kTaraguchi;
    case OpeningRule::Yamaguchi:
        return kYamaguchi;
    case OpeningRule::Rif:
        return kRif;
    case OpeningRule::Free:
    case OpeningRule::Openings26:
        break;
    }
    return {};
}

std::span<const RuleStep> offerBranchSteps() {
    return kOfferBranch;
}

std::string_view ruleId(OpeningRule rule) {
    for (const RuleName& n : kNames)
        if (n.rule == rule) return n.id;
    return "free";
}

std::optional<OpeningRule> ruleFromId(std::string_view id) {
    for (const RuleName& n : kNames)
        if (n.id == id) return n.rule;
    return std::nullopt;
}

bool hasPhase(OpeningRule rule) {
    return !ruleSteps(rule).empty();
}
