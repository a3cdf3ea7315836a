#pragma once

// Wins, losses and draws of one side of a match.
struct Tally {
    int wins = 0;
    int losses = 0;
    int draws = 0;
    int games() const { return wins + losses + draws; }
    // Points (a win 1, a draw 1/2) over games; 0.5 for no games.
    double score() const;
};

// The Elo difference that an expected score s (0 < s < 1) stands for: -400 log10(1/s - 1).
double eloFromScore(double s);

// The Elo difference of a tally and half the width of its 95 % confidence interval, from the
// normal approximation of the mean game score (each game 1, 1/2 or 0). finite is false when
// the score is 0 or 1, where no finite difference fits.
struct EloEstimate {
    double elo = 0;
    double margin = 0;
    bool finite = true;
};
EloEstimate eloEstimate(const Tally& tally);
