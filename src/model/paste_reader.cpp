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

// Point texts separated by ',', white space ignored, an optional trailing ',' and an optional
// closing "**" (after which only ',' may follow).
bool readMoveText(MOveTree& record, std::string_view text) {
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
            if (item.size() != 2 || !pointTextToXY(item[0], item[1], x, y) ||
                !record.PutMoveAlternating(x, y))
                return false;
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
        if (item.size() >= 2) return false;
        item += c;
    }
    return finishItem(true) && items > 0;
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
