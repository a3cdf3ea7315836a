#include "model/board.h"

#include "rules/ban_array.h"
#include "rules/board_lines.h"
#include "rules/chk_stat.h"

#include <array>
#include <cassert>
#include <cstddef>

Board::Board() {
    Board::Init(kBoardSize);
}

void Board::Init(int size) {
    TGoBan<MOve>::Init(size);
    history_.clear();
    blackMap_.fill(20);
    whiteMap_.fill(20);
}

std::unique_ptr<MOve> Board::NewMove(const Pos& p, MOve* parent) {
    if (p.colour != kBlack && p.colour != kWhite) return nullptr;
    if (At(p.x, p.y) != kEmpty) return nullptr;
    if (!history_.appendAndJudge(p.x, p.y, static_cast<char>(p.colour))) return nullptr;
    auto node = std::make_unique<MOve>(p, parent);
    setCell(p.x, p.y, node.get());
    updateMaps(node.get());
    return node;
}

void Board::Put(MOve* node) {
    assert(At(node->pos.x, node->pos.y) == kEmpty);
    if (!history_.append(node->pos.x, node->pos.y, static_cast<char>(node->pos.colour), node->code))
        return;
    setCell(node->pos.x, node->pos.y, node);
    updateMaps(node);
}

void Board::Remove(MOve* node) {
    assert(!history_.empty() && history_.last().pos() == node->pos);
    if (history_.empty()) return;
    history_.removeLast();
    setCell(node->pos.x, node->pos.y, nullptr);
    for (const MOve::MapChange& e : node->mapChanges.entries)
        (e.colour == kBlack ? blackMap_ : whiteMap_)[e.cell] = e.before;
}

// The maps change only near the new stone: on the four lines through it, up to five points
// either way, a scan for one colour stopping at the first stone of the other colour. The
// first time a node is put on a board the changed entries are judged and recorded with their
// old values; the position at a node is always the same, so later puts replay the new values
// and removals restore the old ones without judging.
void Board::updateMaps(MOve* node) {
    MOve::MapChanges& ch = node->mapChanges;
    if (ch.recorded) {
        for (const MOve::MapChange& e : ch.entries)
            (e.colour == kBlack ? blackMap_ : whiteMap_)[e.cell] = e.after;
        return;
    }
    std::array<MOve::MapChange, 80> found;
    size_t count = 0;
    BanArray ban(history_);
    ChkStat judge(ban);
    const int x0 = node->pos.x, y0 = node->pos.y;
    for (int d = 0; d < 4; ++d) {
        for (char colour : {kBlack, kWhite}) {
            HanteiBoard& map = colour == kBlack ? blackMap_ : whiteMap_;
            for (int sense : {1, -1}) {
                for (int k = 1; k <= 5; ++k) {
                    int x = x0 + sense * k * kLineDx[d], y = y0 + sense * k * kLineDy[d];
                    if (!onBoard(x, y)) continue;
                    char c = ban[cellIndex(x, y)];
                    if (c == otherColour(colour)) break;
                    if (c != kEmpty) continue;
                    int i = cellIndex(x, y);
                    auto code = static_cast<uint8_t>(judge.judgePoint(i, colour));
                    ++mapJudgements_;
                    assert(count < found.size());
                    found[count++] = MOve::MapChange{static_cast<uint8_t>(i),
                                                     static_cast<uint8_t>(colour), map[i], code};
                    map[i] = code;
                }
            }
        }
    }
    ch.entries.assign(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(count));
    ch.recorded = true;
}
