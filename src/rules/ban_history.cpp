#include "rules/ban_history.h"

#include "rules/ban_array.h"
#include "rules/chk_stat.h"

#include <algorithm>

// The copy's cursor is placed by walking both lists in step and advancing the copy before
// testing whether the source's cursor has been reached, so it stands one move further on than
// the source's cursor, and on the end marker when that would pass the last move.
BanHistory::BanHistory(const BanHistory& other) : moves_(other.moves_) {
    moves_.setCursorIndex(std::min(other.moves_.cursorIndex() + 1, moves_.size()));
}

BanHistory& BanHistory::operator=(const BanHistory& other) {
    if (this != &other) {
        moves_ = other.moves_;
        moves_.setCursorIndex(std::min(other.moves_.cursorIndex() + 1, moves_.size()));
    }
    return *this;
}

void BanHistory::clear() {
    moves_.clear();
}
void BanHistory::rewind() {
    moves_.rewind();
}
bool BanHistory::next() {
    return moves_.next();
}
bool BanHistory::previous() {
    return moves_.previous();
}

uint8_t BanHistory::currentCode() const {
    if (moves_.empty() || moves_.atEnd()) return kCodeNothing;
    return moves_.current().code;
}

const MovedPos& BanHistory::current() const {
    return moves_.current();
}

bool BanHistory::append(int x, int y, char colour, int code) {
    if (x < 0 || x >= kBoardSize || y < 0 || y >= kBoardSize) return false;
    moves_.pushBack(MovedPos{static_cast<uint8_t>(x), static_cast<uint8_t>(y),
                             static_cast<uint8_t>(colour), static_cast<uint8_t>(code)});
    moves_.next();
    return true;
}

// The new move is judged as the colour it was played with, on the board of the moves as
// played; the code goes to the new move itself, wherever the cursor stands.
bool BanHistory::appendAndJudge(int x, int y, char colour) {
    if (!append(x, y, colour, kCodeNothing)) return false;
    BanArray board(*this);
    MovedPos& added = moves_.back();
    added.code = static_cast<uint8_t>(
        ChkStat(board).judgePoint(cellIndex(added.x, added.y), static_cast<char>(added.colour)));
    return true;
}

void BanHistory::removeLast() {
    if (moves_.empty()) return;
    moves_.previous();
    moves_.popBack();
}

std::string BanHistory::moveText() const {
    std::string text;
    text.reserve(3 * moves_.size() + 4);
    for (const MovedPos& m : moves_) {
        text += kPointChars[m.x];
        text += kPointChars[kBoardSize + m.y];
        text += ',';
    }
    text += "**,";
    return text;
}

void BanHistory::numberDump(std::ostream& out) const {
    for (const MovedPos& m : moves_) out << 100 * m.x + m.y + 101 << '\n';
}
