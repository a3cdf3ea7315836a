// The record as rows (main line on top, variations nested where they leave it) and the
// operations that delete and reorder one variation.
#include "model/move_tree.h"
#include "model/record_outline.h"
#include "model_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Each row as "number:point<parent" with '*' marking a variation's first move.
std::string outlineText(const MOveTree& r) {
    std::string out;
    for (const OutlineRow& row : recordOutline(*r.root())) {
        const Pos& p = row.node->pos;
        out += std::to_string(row.moveNumber) + ':';
        out += row.moveNumber == 0 ? std::string("root")
                                   : std::string{char('a' + p.x)} + std::to_string(p.y + 1);
        if (row.variationStart) out += '*';
        out += '<' + std::to_string(row.parent) + ' ';
    }
    return out;
}

} // namespace

TEST(RecordOutline, MainLineOnTopVariationsNestedWhereTheyLeaveIt) {
    MOveTree r;
    playLine(r, "h8 i7 i9");
    r.Back();
    playLine(r, "g9 g7"); // a variation at move 3, leaving the line after i7
    r.Back();
    playLine(r, "f6"); // a variation inside it at move 4
    r.GoTop();
    playLine(r, "a1"); // another first move
    // Rows in reading order: a row's nested rows follow it before its next sibling.
    EXPECT_EQ(outlineText(r), "0:root<-1 1:a1*<0 1:h8<-1 2:i7<-1 3:g9*<3 4:f6*<4 4:g7<4 3:i9<-1 ");
}

TEST(RecordOutline, RemovingAndMovingVariationsKeepsTheSelectedChild) {
    MOveTree r;
    playLine(r, "h8 i7");
    r.Back();
    playLine(r, "i9");
    r.Back();
    playLine(r, "g9");
    r.GoTop();
    r.Forward();
    MOve* h8 = r.current();
    h8->select(1); // i9
    const MOve* i9 = h8->child(1);
    h8->moveChild(1, 0);
    EXPECT_EQ(h8->child(0), i9);
    EXPECT_EQ(h8->selectedChild(), i9);
    h8->moveChild(2, 1);
    EXPECT_EQ(h8->child(2)->pos, makePos(8, 6, 'W'));
    EXPECT_EQ(h8->selectedChild(), i9);

    h8->removeChild(1);
    EXPECT_EQ(h8->selectedChild(), i9);
    h8->removeChild(0);
    EXPECT_EQ(h8->selectedIndex(), 0);
    EXPECT_EQ(h8->childCount(), 1);
    h8->removeChild(0);
    EXPECT_EQ(h8->selectedChild(), nullptr);
    EXPECT_TRUE(isInTree(*r.root(), h8));
    EXPECT_FALSE(isInTree(*r.root(), i9));
    std::vector<int> path;
    EXPECT_TRUE(pathTo(*r.root(), h8, path));
    EXPECT_EQ(path, std::vector<int>{0});
    EXPECT_FALSE(pathTo(*r.root(), i9, path));
    expectConsistent(r);
}
