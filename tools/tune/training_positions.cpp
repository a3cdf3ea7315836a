#include "tune/training_positions.h"

#include "player/strong/evaluation.h"
#include "rules/ban_array.h"

#include <fstream>
#include <sstream>
#include <vector>

namespace {

bool decided(const Position& pos) {
    return pos.countAtLeast(Colour::Black, kClassFive) ||
           pos.countAtLeast(Colour::White, kClassFive) ||
           hasPlayable(pos, pos.side(), kClassFourThree);
}

} // namespace

int forEachTrainingPosition(const std::string& gamesPath, int skipPlies,
                            const std::function<void(const Position&, float)>& onPosition) {
    std::ifstream in(gamesPath);
    if (!in) return -1;
    int games = 0;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        float blackScore = 0;
        std::vector<int> moves;
        if (!(fields >> blackScore)) continue;
        for (int p; fields >> p;)
            if (p >= 0 && p < kPoints) moves.push_back(p);
        ++games;
        Position pos(BanArray{}, kBlack);
        for (size_t i = 0; i + 1 < moves.size(); ++i) {
            if (!pos.empty(moves[i])) break;
            pos.make(moves[i]);
            if (static_cast<int>(i) + 1 < skipPlies || decided(pos)) continue;
            onPosition(pos, pos.side() == Colour::Black ? blackScore : 1.0f - blackScore);
        }
    }
    return games;
}
