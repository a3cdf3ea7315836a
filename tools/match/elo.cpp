#include "elo.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kZ95 = 1.959964; // two-sided 95 % quantile of the normal distribution

} // namespace

double Tally::score() const {
    return games() == 0 ? 0.5 : (wins + 0.5 * draws) / games();
}

double eloFromScore(double s) {
    if (s == 0.5) return 0; // not -0
    return -400.0 * std::log10(1.0 / s - 1.0);
}

EloEstimate eloEstimate(const Tally& tally) {
    EloEstimate e;
    const int n = tally.games();
    const double s = tally.score();
    if (n == 0) return e;
    if (s <= 0.0 || s >= 1.0) {
        e.finite = false;
        e.elo = s <= 0.0 ? -INFINITY : INFINITY;
        return e;
    }
    e.elo = eloFromScore(s);
    // Variance of one game's score around the mean, then the standard error of the mean.
    const double var = (tally.wins * (1 - s) * (1 - s) + tally.draws * (0.5 - s) * (0.5 - s) +
                        tally.losses * s * s) /
                       n;
    const double delta = kZ95 * std::sqrt(var / n);
    // The interval's ends in Elo; an end past 0 or 1 is cut just inside it.
    const double lo = std::max(s - delta, 1e-6), hi = std::min(s + delta, 1 - 1e-6);
    e.margin = (eloFromScore(hi) - eloFromScore(lo)) / 2;
    return e;
}
