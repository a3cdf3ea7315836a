#include "model/move_tree.h"

#include <cstdlib>
#include <string>

MOveTree::MOveTree() = default;

// Nodes are deleted by the tree after the board, which only refers to them.
MOveTree::~MOveTree() = default;

void MOveTree::SetHeader() {
    header_ = {"GM[4]", "SZ[15]", "RU[Renju 1998]", "US[SORELL 3.0]"};
    gameInfo_.appendProperties(header_);
}

bool MOveTree::CheckHeader() {
    if (header_.empty()) return true;
    const std::string& last = header_.back();
    if (gameInfo_.takeProperty(last)) return true;
    std::string name = last.substr(0, 2);
    if (name == "GM") {
        size_t open = last.find('[');
        if (open == std::string::npos) return false;
        int32_t game = leadingInteger(last.substr(open + 1));
        return game == 1 || game == 4;
    }
    if (name == "RU") return last.find("Renju 1998") != std::string::npos;
    return true;
}

void MOveTree::SaveState() {
    keptHistory_ = board_.history();
}

void MOveTree::RestoreState() {
    GoTop();
    keptHistory_.rewind();
    for (const MovedPos& m : keptHistory_) PlayMove(m.pos());
}

MOve* MOveTree::PutMove(int x, int y, char colour) {
    if (!onBoard(x, y)) return nullptr;
    return PlayMove(makePos(x, y, colour));
}

void MOveTree::Clear() {
    board_.Init(kBoardSize);
    rootProperties_.clear();
    gameInfo_ = GameInfo{};
    TabmTree<MOve>::Clear();
}

void MOveTree::DeleteChildren() {
    TabmTree<MOve>::DeleteChildren();
}

void MOveTree::GoTop() {
    TabmTree<MOve>::GoTop();
    board_.Init(kBoardSize);
}

bool MOveTree::Forward() {
    if (!TabmTree<MOve>::Forward()) return false;
    board_.Put(current_);
    return true;
}

bool MOveTree::Back() {
    MOve* left = current_;
    if (!TabmTree<MOve>::Back()) return false;
    board_.Remove(left);
    return true;
}

int MOveTree::SetValue(int v) {
    current_->value = v;
    return v;
}

int MOveTree::BackupMax() {
    return current_ ? current_->BackupMax() : kNoValue;
}

int MOveTree::BackupMin() {
    return current_ ? current_->BackupMin() : kNoValue;
}

MOve* MOveTree::PlayMove(const Pos& p) {
    for (int i = 0; i < current_->childCount(); ++i) {
        if (current_->child(i)->pos == p) {
            current_->select(i);
            Forward();
            return current_;
        }
    }
    std::unique_ptr<MOve> node = board_.NewMove(p, current_);
    if (!node) return nullptr;
    node->code = board_.history().last().code;
    return AddChild(std::move(node));
}

MOve* MOveTree::PutMoveAlternating(int x, int y) {
    return PutMove(x, y, board_.colourToMove());
}
