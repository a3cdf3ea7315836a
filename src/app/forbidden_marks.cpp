#include "app/forbidden_marks.h"

#include "app/board_drawing.h"
#include "app/translations.h"
#include "rules/ban_array.h"
#include "rules/ban_history.h"
#include "rules/chk_stat.h"
#include "rules/forbidden_reason.h"

#include <QCoreApplication>
#include <QPainter>
#include <QStringList>

#include <algorithm>

namespace {

const char* const kCountNames[] = {
    QT_TRANSLATE_NOOP("ForbiddenMarks", "一つ"), QT_TRANSLATE_NOOP("ForbiddenMarks", "二つ"),
    QT_TRANSLATE_NOOP("ForbiddenMarks", "三つ"), QT_TRANSLATE_NOOP("ForbiddenMarks", "四つ")};

QString marksText(const char* text) {
    return QCoreApplication::translate("ForbiddenMarks", text);
}

} // namespace

JudgedPosition::JudgedPosition(const BanHistory& moves) : board(moves) {
    over = !moves.empty() && isEndCode(ChkStat(board).judgeLastMove());
}

QString pointName(int point) {
    if (point < 0 || point >= kPoints) return QStringLiteral("?");
    return QString(QChar(kPointChars[cellX(point)])) + QChar(kPointChars[15 + cellY(point)]);
}

std::vector<int> forbiddenPoints(const BanHistory& moves) {
    JudgedPosition p(moves);
    return forbiddenPoints(p);
}

std::vector<int> forbiddenPoints(JudgedPosition& p) {
    std::vector<int> points;
    if (!p.blackToMove() || p.board.moveCount() == 0) return points;
    uint8_t codes[kPoints];
    ChkStat(p.board).judgeEmptyPoints(kBlack, codes);
    for (int i = 0; i < kPoints; ++i)
        if (isForbiddenCode(codes[i])) points.push_back(i);
    return points;
}

QString forbiddenExplanation(const BanHistory& moves, int point) {
    JudgedPosition p(moves);
    if (!p.blackToMove() || point < 0 || point >= kPoints || p.board.at(point) != kEmpty) return {};
    const ForbiddenReason reason = forbiddenReason(p.board, point);
    if (!isForbiddenCode(reason.code)) return {};
    QStringList lines;
    for (const ShapeLine& line : reason.lines) {
        QStringList names;
        for (int stone : line.stones) names << pointName(stone);
        lines << names.join(QStringLiteral("·"));
    }
    const QString rule = moveCodeText(reason.code);
    const QString where = pointName(point);
    QString what;
    if (reason.code == kCodeForbiddenOverline) {
        what = QCoreApplication::translate("ForbiddenMarks", "六つ以上並ぶ");
    } else {
        const QString shape = reason.code == kCodeForbiddenThree
                                  ? QCoreApplication::translate("ForbiddenMarks", "三")
                                  : QCoreApplication::translate("ForbiddenMarks", "四");
        // Two fours on one line are named as such.
        const int count = std::max<int>(2, static_cast<int>(reason.lines.size()));
        what = QCoreApplication::translate("ForbiddenMarks", "%1が%2")
                   .arg(shape, marksText(kCountNames[std::min(count, 4) - 1]));
        if (reason.lines.size() == 1)
            what = QCoreApplication::translate("ForbiddenMarks", "一列に%1").arg(what);
    }
    return QCoreApplication::translate("ForbiddenMarks", "%1: %2 で%3 (%4)")
        .arg(rule, where, what, lines.join(QCoreApplication::translate("ForbiddenMarks", " と ")));
}

std::vector<int> decidingStones(const BanHistory& moves) {
    JudgedPosition p(moves);
    return decidingStones(p);
}

std::vector<int> decidingStones(JudgedPosition& p) {
    if (!p.over) return {};
    const int last = p.board.lastMove();
    const char colour = p.board.moveCount() % 2 == 1 ? kBlack : kWhite;
    std::vector<int> stones = fiveThrough(p.board, last, colour);
    if (!stones.empty()) return stones;
    for (const ShapeLine& line : forbiddenReason(p.board, last).lines)
        for (int s : line.stones)
            if (std::find(stones.begin(), stones.end(), s) == stones.end()) stones.push_back(s);
    return stones;
}

void DrawForbiddenMark(QPainter& canvas, int x, int y) {
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, true);
    canvas.setPen(QPen(QColor(214, 0, 0), 2, Qt::SolidLine, Qt::RoundCap));
    const QPointF c(boardPixel(x) + 0.5, boardPixel(y) + 0.5);
    canvas.drawLine(c + QPointF(-4, -4), c + QPointF(4, 4));
    canvas.drawLine(c + QPointF(-4, 4), c + QPointF(4, -4));
    canvas.restore();
}

void DrawDecidingMark(QPainter& canvas, int x, int y) {
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, true);
    canvas.setPen(QPen(QColor(230, 0, 0), 2));
    canvas.setBrush(Qt::NoBrush);
    canvas.drawEllipse(QRectF(boardPixel(x) - 4.5, boardPixel(y) - 4.5, 10, 10));
    canvas.restore();
}
