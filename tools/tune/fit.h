#pragma once

#include <iosfwd>
#include <string>

// Fits the strong search's evaluation weights to self-play games (the lines of
// playSelfPlayGames): the logistic ("Texel") method. Every position of a game after
// skipPlies moves that is not decided at once (no five point for either side, no straight
// four or four-three for the side to move) is one sample: its features are the pattern counts
// the evaluation sums, per colour, and its side-to-move terms; its label is the game's result
// for the side to move. The scale K of the logistic curve is fitted first with today's
// weights and then held, so that the fitted weights keep the scale the search's margins
// assume; then every weight moves by gradient descent on the mean squared error of the
// predicted score. Writes the fitted weights as the lines of evaluation_weights.h and the
// errors before and after to out. False, with a message on out, when the games cannot be read.
bool fitEvaluationWeights(const std::string& gamesPath, int skipPlies, int iterations,
                          std::ostream& out);
