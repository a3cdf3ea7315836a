#include "game_judge.h"

#include "rules/chk_stat.h"
#include "rules/move_code.h"

MoveVerdict playMove(BanArray& board, int x, int y) {
    if (!onBoard(x, y)) return MoveVerdict::Illegal;
    const int point = cellIndex(x, y);
    if (board.at(point) != kEmpty) return MoveVerdict::Illegal;
    const char colour = colourToMove(board.moveCount());
    const MoveCode code = ChkStat(board).judgePoint(point, colour);
    board.put(point);
    if (colour == kBlack && isForbiddenCode(code)) return MoveVerdict::Forbidden;
    if (isWinCode(code)) return MoveVerdict::Win;
    if (board.moveCount() >= kPoints) return MoveVerdict::FullBoard;
    return MoveVerdict::Continue;
}

const char* outcomeText(Outcome outcome) {
    switch (outcome) {
    case Outcome::BlackWins:
        return "1-0";
    case Outcome::WhiteWins:
        return "0-1";
    case Outcome::Draw:
        break;
    }
    return "1/2";
}
