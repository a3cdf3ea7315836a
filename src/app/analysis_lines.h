#pragma once

#include "base/geometry.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

struct SearchReport;

// One candidate of the analysis, from the side to move's view: its move, evaluation (or a
// proven result) and principal line starting with that move.
struct AnalysisLine {
    int move = kNoMove;
    int score = 0;
    int winIn = 0; // > 0: proven win in this many own moves; < 0: proven loss; 0: unproven
    std::vector<int> line;
};

// What the analysis panel shows: the candidates, best first, and the search's figures.
struct AnalysisSnapshot {
    std::vector<AnalysisLine> lines;
    int depth = 0;
    uint64_t nodes = 0;
    int64_t elapsedMs = 0;
};

// The most candidates the panel shows.
inline constexpr int kAnalysisLines = 3;

// The panel's snapshot of one report: today the single best line (bestMove, score, winIn,
// line); a report without a move gives no line. A line that does not start with its move gets
// the move put in front.
AnalysisSnapshot snapshotFromReport(const SearchReport& report);

// "N手で勝ち", "N手で負け" or "評価 +N".
QString evaluationText(const AnalysisLine& line);
// "深さ N", or "勝ち確定" / "負け確定" when the best line is proven.
QString depthText(const AnalysisSnapshot& snapshot);
// Nodes, nodes per second and time, for the panel's figures line.
QString figuresText(const AnalysisSnapshot& snapshot);
// The line's moves numbered as moves of the game: the first is move firstMoveNumber
// ("12.h8", "13.i7", ...).
QStringList numberedMoves(const AnalysisLine& line, int firstMoveNumber);
