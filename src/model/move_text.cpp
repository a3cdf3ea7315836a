#include "model/move_text.h"

std::string currentLineMoveText(const MOveTree& record) {
    return record.board().history().moveText();
}
