#include "model_test_support.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <sstream>
#include <unistd.h>

std::vector<const MOve*> pathToCurrent(const MOveTree& record) {
    std::vector<const MOve*> path;
    for (const MOve* n = record.current(); n->parent(); n = n->parent()) path.push_back(n);
    std::reverse(path.begin(), path.end());
    return path;
}

namespace {

void describe(const MOve* n, std::ostringstream& out) {
    out << '[' << static_cast<char>(n->pos.colour) << int(n->pos.x) << ',' << int(n->pos.y) << " c"
        << int(n->code) << " v" << n->value << " '" << n->comment << "' s" << n->selectedIndex();
    for (int i = 0; i < n->childCount(); ++i) describe(n->child(i), out);
    out << ']';
}

} // namespace

std::string snapshot(const MOveTree& record) {
    std::ostringstream out;
    describe(record.root(), out);
    out << " current:";
    for (const MOve* n : pathToCurrent(record)) out << ' ' << recordLetters(n->pos.x, n->pos.y);
    out << " depth " << record.depth() << " format " << int(record.recordFormat());
    return out.str();
}

void expectConsistent(const MOveTree& record, bool checkMaps) {
    std::vector<const MOve*> path = pathToCurrent(record);
    ASSERT_EQ(record.depth(), static_cast<int>(path.size()));
    const MOve* up = record.root();
    for (const MOve* n : path) {
        ASSERT_EQ(up->selectedChild(), n) << "selection off the path";
        up = n;
    }
    const Board& board = record.board();
    ASSERT_EQ(board.history().size(), path.size());
    size_t i = 0;
    for (const MovedPos& m : board.history()) {
        EXPECT_EQ(m.pos(), path[i]->pos) << "history entry " << i;
        EXPECT_EQ(m.code, path[i]->code) << "history entry " << i;
        ++i;
    }
    int stones = 0;
    for (int y = 0; y < kBoardSize; ++y)
        for (int x = 0; x < kBoardSize; ++x)
            if (const MOve* n = board.cell(x, y)) {
                ++stones;
                EXPECT_TRUE(std::find(path.begin(), path.end(), n) != path.end());
                EXPECT_EQ(n->pos.x, x);
                EXPECT_EQ(n->pos.y, y);
            }
    EXPECT_EQ(stones, static_cast<int>(path.size()));
    if (!checkMaps) return;
    MOveTree fresh;
    for (const MOve* n : path) ASSERT_NE(fresh.PlayMove(n->pos), nullptr);
    for (size_t k = 0; k < path.size(); ++k) {
        const MOve* f = pathToCurrent(fresh)[k];
        EXPECT_EQ(f->code, path[k]->code) << "code of move " << k;
    }
    EXPECT_TRUE(fresh.board().blackMap() == board.blackMap()) << "black map";
    EXPECT_TRUE(fresh.board().whiteMap() == board.whiteMap()) << "white map";
}

void playLine(MOveTree& record, const std::string& points) {
    std::istringstream in(points);
    std::string p;
    while (in >> p) {
        int x, y;
        ASSERT_TRUE(p.size() == 2 && pointTextToXY(p[0], p[1], x, y)) << p;
        ASSERT_NE(record.PutMoveAlternating(x, y), nullptr) << p;
    }
}
