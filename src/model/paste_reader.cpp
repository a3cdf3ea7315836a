#include "model/paste_reader.h"

#include "base/geometry.h"
#include "model/record_copy.h"

#include <sstream>
#include <string>

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool readRecordText(MOveTree& record, std::string_view text) {
    std::istringstream in{std::string(text)};
    return record.ReadRecord(in) && record.illegalMoves() == 0;
}

// White-space separated move numbers; every word must be one, and every move placeable.
bool readMoveNumbers(MOveTree& record, std::string_view text) {
    size_t pos = 0;
    int moves = 0;
    while (true) {
        while (pos < text.size() && isSpace(text[pos])) ++pos;
        if (pos == text.size()) break;
        int n = 0, digits = 0;
        for (; pos < text.size() && !isSpace(text[pos]); ++pos) {
            char c = text[pos];
            if (c < '0' || c > '9' || ++digits > 4) return false;
            n = n * 10 + (c - '0');
        }
        int x, y;
        if (!moveNumberToXY(n, x, y) || !record.PutMoveAlternating(x, y)) return false;
        ++moves;
    }
    return moves > 0;
}

// One point text at pos: a column letter in either case, then the row as the board writes it
// ('1'..'9', 'A'..'F') or as books write rows 10 to 15 ("j10"). Advances pos past it.
bool readPoint(std::string_view text, size_t& pos, int& x, int& y) {
    if (pos + 1 >= text.size()) return false;
    const char column = text[pos];
    char row = text[pos + 1];
    size_t length = 2;
    if (row == '1' && pos + 2 < text.size() && text[pos + 2] >= '0' && text[pos + 2] <= '5') {
        row = static_cast<char>('A' + (text[pos + 2] - '0'));
        length = 3;
    }
    if (!pointTextToXY(column, row, x, y)) return false;
    pos += length;
    return true;
}

// The whole item is one point text.
bool isPointItem(const std::string& item, int& x, int& y) {
    size_t pos = 0;
    return readPoint(item, pos, x, y) && pos == item.size();
}

// Point texts separated by ',', white space ignored, an optional trailing ',' and an optional
// closing "**" (after which only ',' may follow).
bool readCommaMoveText(MOveTree& record, std::string_view text) {
    std::string item;
    bool closed = false;
    int items = 0;
    auto finishItem = [&](bool lastItem) {
        if (item.empty()) return lastItem; // only a trailing ',' leaves an empty item
        if (closed) return false;
        ++items;
        if (item == "**") {
            closed = true;
        } else {
            int x, y;
            if (!isPointItem(item, x, y) || !record.PutMoveAlternating(x, y)) return false;
        }
        item.clear();
        return true;
    };
    size_t pos = 0;
    while (pos < text.size()) {
        char c = text[pos++];
        if (isSpace(c)) continue;
        if (c == ',') {
            size_t rest = pos;
            while (rest < text.size() && isSpace(text[rest])) ++rest;
            if (!finishItem(rest == text.size())) return false;
            continue;
        }
        if (item.size() >= 3) return false;
        item += c;
    }
    return finishItem(true) && items > 0;
}

// Point texts separated by white space or written together ("h8 h7 i7", "h8h7i7"), with an
// optional closing "**" that only white space may follow.
bool readMoveList(MOveTree& record, std::string_view text) {
    size_t pos = 0;
    int moves = 0;
    while (true) {
        while (pos < text.size() && isSpace(text[pos])) ++pos;
        if (pos == text.size()) break;
        if (text.substr(pos, 2) == "**") {
            pos += 2;
            while (pos < text.size() && isSpace(text[pos])) ++pos;
            return pos == text.size();
        }
        int x, y;
        if (!readPoint(text, pos, x, y) || !record.PutMoveAlternating(x, y)) return false;
        ++moves;
    }
    return moves > 0;
}

bool readMoveText(MOveTree& record, std::string_view text) {
    return text.find(',') != std::string_view::npos ? readCommaMoveText(record, text)
                                                    : readMoveList(record, text);
}

} // namespace

bool readPastedRecord(MOveTree& record, std::string_view text) {
    if (text.size() > kMaxPasteBytes) return false;
    size_t first = 0;
    while (first < text.size() && isSpace(text[first])) ++first;
    if (first == text.size()) return false;

    MOveTree scratch;
    char c = text[first];
    bool ok = c == '('                 ? readRecordText(scratch, text)
              : (c >= '0' && c <= '9') ? readMoveNumbers(scratch, text)
                                       : readMoveText(scratch, text);
    if (!ok) return false;
    uint8_t format = record.recordFormat();
    assignRecord(record, scratch);
    record.setRecordFormat(format);
    return true;
}
