#include "app/analysis_lines.h"

#include "app/forbidden_marks.h"
#include "player/strong/strong_search.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>

AnalysisSnapshot snapshotFromReport(const SearchReport& report) {
    AnalysisSnapshot s;
    s.depth = report.depth;
    s.nodes = report.nodes;
    s.elapsedMs = report.elapsedMs;
    // A multi-line search lists its best root moves (the first is the principal line); a
    // single-line one only the principal line.
    auto add = [&s](int move, int score, int winIn, const std::vector<int>& moves) {
        if (move == kNoMove || s.lines.size() >= static_cast<size_t>(kAnalysisLines)) return;
        AnalysisLine line{move, score, winIn, moves};
        if (line.line.empty() || line.line.front() != line.move)
            line.line.insert(line.line.begin(), line.move);
        s.lines.push_back(std::move(line));
    };
    if (report.lines.empty()) add(report.bestMove, report.score, report.winIn, report.line);
    for (const RootLine& l : report.lines) add(l.move, l.score, l.winIn, l.line);
    return s;
}

QString evaluationText(const AnalysisLine& line) {
    if (line.winIn > 0)
        return QCoreApplication::translate("AnalysisPanel", "%1手で勝ち").arg(line.winIn);
    if (line.winIn < 0)
        return QCoreApplication::translate("AnalysisPanel", "%1手で負け").arg(-line.winIn);
    return QCoreApplication::translate("AnalysisPanel", "評価 %1%2")
        .arg(line.score > 0 ? "+" : "")
        .arg(line.score);
}

QString depthText(const AnalysisSnapshot& s) {
    if (!s.lines.empty() && s.lines.front().winIn > 0)
        return QCoreApplication::translate("AnalysisPanel", "勝ち確定");
    if (!s.lines.empty() && s.lines.front().winIn < 0)
        return QCoreApplication::translate("AnalysisPanel", "負け確定");
    return QCoreApplication::translate("AnalysisPanel", "深さ %1").arg(s.depth);
}

QString figuresText(const AnalysisSnapshot& s) {
    const QLocale c = QLocale::c();
    const int64_t ms = std::max<int64_t>(s.elapsedMs, 1);
    const auto perSecond = static_cast<qulonglong>(s.nodes * 1000 / static_cast<uint64_t>(ms));
    return QCoreApplication::translate("AnalysisPanel", "%1 局面  %2 局面/秒  %3 秒")
        .arg(c.toString(static_cast<qulonglong>(s.nodes)), c.toString(perSecond),
             QString::number(static_cast<double>(s.elapsedMs) / 1000.0, 'f', 1));
}

QStringList numberedMoves(const AnalysisLine& line, int firstMoveNumber) {
    QStringList words;
    int number = firstMoveNumber;
    for (int point : line.line) {
        if (point < 0 || point >= kPoints) break;
        words << QStringLiteral("%1.%2").arg(number++).arg(pointName(point));
    }
    return words;
}
