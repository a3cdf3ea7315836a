#include "tune/fit.h"

#include "tune/training_positions.h"

#include "player/strong/evaluation.h"
#include "player/strong/evaluation_weights.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <ostream>
#include <vector>

namespace {

using namespace evaluation_weights;

// Per colour: the counts of the patterns kPatOne .. kPatFourOpen over the empty points' four
// lines, then the four-three points, the double-three points and the points of each pair.
constexpr int kPatterns = kPatFourOpen; // kPatOne .. kPatFourOpen
constexpr int kPairs = kPatterns + 2;
constexpr int kPerColour = kPairs + kPairCount;
// The parameters: the per-colour weights, then the own-side factor and the side-to-move terms.
// The last, black's share of the first move, is fitted so that the colours' pattern weights need
// not carry it; the search has no use for it (it moves every score of a side alike).
constexpr int kOwnFactor = 2 * kPerColour, kOwnThree = kOwnFactor + 1, kTheirThree = kOwnFactor + 2,
              kTempo = kOwnFactor + 3, kBlackToMove = kOwnFactor + 4, kParams = kOwnFactor + 5;
using Params = std::array<double, kParams>;

struct Sample {
    float result; // for the side to move
    uint8_t side; // 0 black, 1 white
    bool ownThree, theirThreat;
    std::array<uint16_t, 2 * kPerColour> count;
};

Params currentWeights() {
    Params w{};
    for (int c = 0; c < 2; ++c) {
        for (int k = 0; k < kPatterns; ++k) w[c * kPerColour + k] = kPatternValue[c][k + 1];
        w[c * kPerColour + kPatterns] = kFourThreeBonus[c];
        w[c * kPerColour + kPatterns + 1] = kDoubleThreeBonus[c];
        for (int k = 0; k < kPairCount; ++k) w[c * kPerColour + kPairs + k] = kPairValue[c][k];
    }
    w[kOwnFactor] = static_cast<double>(kOwnWeightNum) / kOwnWeightDen;
    w[kOwnThree] = kOwnThreeBonus;
    w[kTheirThree] = kTheirThreePenalty;
    w[kTempo] = kTempoBonus;
    return w;
}

double colourValue(const Sample& s, const Params& w, int c) {
    double v = 0;
    for (int k = 0; k < kPerColour; ++k) v += w[c * kPerColour + k] * s.count[c * kPerColour + k];
    return v;
}

double evaluateSample(const Sample& s, const Params& w) {
    return w[kOwnFactor] * colourValue(s, w, s.side) - colourValue(s, w, 1 - s.side) +
           w[kOwnThree] * s.ownThree - w[kTheirThree] * s.theirThreat + w[kTempo] +
           (s.side == 0 ? w[kBlackToMove] : -w[kBlackToMove]);
}

Sample sampleOf(const Position& pos, float result) {
    Sample s{};
    s.side = pos.side() == Colour::Black ? 0 : 1;
    s.result = result;
    s.ownThree = hasPlayable(pos, pos.side(), kClassThree);
    s.theirThreat = threatensWinInTwo(pos, ~pos.side());
    for (int p = 0; p < kPoints; ++p) {
        if (!pos.empty(p)) continue;
        for (int c = 0; c < 2; ++c) {
            const Colour colour = c == 0 ? Colour::Black : Colour::White;
            uint8_t pats[4];
            for (int d = 0; d < 4; ++d) {
                const int pat = pats[d] = pos.pattern(colour, p, d);
                if (pat >= kPatOne && pat <= kPatFourOpen) ++s.count[c * kPerColour + pat - 1];
            }
            if (const int pair = pointPair(pats); pair >= 0)
                ++s.count[c * kPerColour + kPairs + pair];
            const int cls = pos.cls(colour, p);
            if (cls == kClassFourThree) ++s.count[c * kPerColour + kPatterns];
            if (cls == kClassDoubleThree) ++s.count[c * kPerColour + kPatterns + 1];
        }
    }
    return s;
}

double sigmoid(double x) {
    return 1.0 / (1.0 + std::exp(-x));
}

double meanError(const std::vector<Sample>& samples, const Params& w, double k) {
    double sum = 0;
    for (const Sample& s : samples) {
        const double e = s.result - sigmoid(evaluateSample(s, w) / k);
        sum += e * e;
    }
    return sum / static_cast<double>(samples.size());
}

} // namespace

bool fitEvaluationWeights(const std::string& gamesPath, int skipPlies, int iterations,
                          std::ostream& out) {
    const Params start = currentWeights();
    std::vector<Sample> samples;
    int mismatches = 0;
    const int games =
        forEachTrainingPosition(gamesPath, skipPlies, [&](const Position& pos, float result) {
            samples.push_back(sampleOf(pos, result));
            if (std::abs(evaluateSample(samples.back(), start) - evaluate(pos)) > 1.5) ++mismatches;
        });
    if (games < 0) {
        out << "cannot read " << gamesPath << '\n';
        return false;
    }
    if (samples.empty()) {
        out << "no positions in " << gamesPath << '\n';
        return false;
    }
    // The scale: a golden-section search for the K that fits today's weights best.
    double lo = 50, hi = 5000;
    for (int i = 0; i < 60; ++i) {
        const double a = hi - (hi - lo) / 1.618, b = lo + (hi - lo) / 1.618;
        if (meanError(samples, start, a) < meanError(samples, start, b))
            hi = b;
        else
            lo = a;
    }
    const double k = (lo + hi) / 2;
    out << "// " << games << " games, " << samples.size() << " positions, " << mismatches
        << " evaluated otherwise than the search does; K " << k << ", error "
        << meanError(samples, start, k) << '\n';

    // Adam on the mean squared error; every parameter moves about `rate` a step at first, the
    // rate falling linearly to a tenth by the last step.
    Params w = start, m{}, v{};
    const double rate = 0.3, beta1 = 0.9, beta2 = 0.999;
    for (int it = 1; it <= iterations; ++it) {
        Params grad{};
        for (const Sample& s : samples) {
            const double p = sigmoid(evaluateSample(s, w) / k);
            const double g = -2 * (s.result - p) * p * (1 - p) / k;
            const int us = s.side, them = 1 - s.side;
            for (int i = 0; i < kPerColour; ++i) {
                grad[us * kPerColour + i] += g * w[kOwnFactor] * s.count[us * kPerColour + i];
                grad[them * kPerColour + i] -= g * s.count[them * kPerColour + i];
            }
            grad[kOwnFactor] += g * colourValue(s, w, us);
            grad[kOwnThree] += g * s.ownThree;
            grad[kTheirThree] -= g * s.theirThreat;
            grad[kTempo] += g;
            grad[kBlackToMove] += s.side == 0 ? g : -g;
        }
        for (int i = 0; i < kParams; ++i) {
            grad[i] /= static_cast<double>(samples.size());
            m[i] = beta1 * m[i] + (1 - beta1) * grad[i];
            v[i] = beta2 * v[i] + (1 - beta2) * grad[i] * grad[i];
            const double mh = m[i] / (1 - std::pow(beta1, it)),
                         vh = v[i] / (1 - std::pow(beta2, it));
            // The own-side factor is a ratio near one: it moves a hundredth as fast.
            const double decay = 1.0 - 0.9 * it / iterations;
            const double step = (i == kOwnFactor ? rate / 100 : rate) * decay;
            w[i] -= step * mh / (std::sqrt(vh) + 1e-12);
        }
        if (it % 500 == 0)
            out << "// step " << it << ": error " << meanError(samples, w, k) << '\n';
    }
    out << "// fitted error " << meanError(samples, w, k) << '\n';
    const char* colourName[2] = {"black", "white"};
    out << "inline constexpr int16_t kPatternValue[2][kPatCount] = {\n";
    for (int c = 0; c < 2; ++c) {
        out << "    {0";
        for (int k2 = 0; k2 < kPatterns; ++k2) out << ", " << std::lround(w[c * kPerColour + k2]);
        out << ", " << kPatternValue[c][kPatFive] << ", 0}, // " << colourName[c] << '\n';
    }
    out << "};\n";
    out << "inline constexpr int kFourThreeBonus[2] = {" << std::lround(w[kPatterns]) << ", "
        << std::lround(w[kPerColour + kPatterns]) << "};\n";
    out << "inline constexpr int kDoubleThreeBonus[2] = {" << std::lround(w[kPatterns + 1]) << ", "
        << std::lround(w[kPerColour + kPatterns + 1]) << "};\n";
    out << "inline constexpr int16_t kPairValue[2][kPairCount] = {\n";
    for (int c = 0; c < 2; ++c) {
        out << "    {";
        for (int k2 = 0; k2 < kPairCount; ++k2)
            out << (k2 ? ", " : "") << std::lround(w[c * kPerColour + kPairs + k2]);
        out << "}, // " << colourName[c] << '\n';
    }
    out << "};\n";
    out << "inline constexpr int kOwnWeightNum = " << std::lround(w[kOwnFactor] * 16) << ";\n";
    out << "inline constexpr int kOwnWeightDen = 16;\n";
    out << "inline constexpr int kOwnThreeBonus = " << std::lround(w[kOwnThree]) << ";\n";
    out << "inline constexpr int kTheirThreePenalty = " << std::lround(w[kTheirThree]) << ";\n";
    out << "inline constexpr int kTempoBonus = " << std::lround(w[kTempo]) << ";\n";
    out << "// black to move: " << std::lround(w[kBlackToMove]) << '\n';
    return true;
}
