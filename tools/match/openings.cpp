#include "openings.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace {

constexpr int kCentre = 7;

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

std::vector<int> openingMoves(const Opening& opening, int symmetry) {
    std::vector<int> moves;
    for (const auto& stone : opening.stones) {
        int dx = stone[0] - kCentre, dy = stone[1] - kCentre;
        if (symmetry & 4) dx = -dx;
        for (int turn = 0; turn < (symmetry & 3); ++turn) {
            const int t = dx;
            dx = -dy;
            dy = t;
        }
        moves.push_back(cellIndex(kCentre + dx, kCentre + dy));
    }
    return moves;
}

bool selectOpenings(const std::string& list, std::vector<Opening>& out, std::string& bad) {
    out.clear();
    if (upper(list) == "ALL") {
        out.assign(openings().begin(), openings().end());
        return true;
    }
    std::istringstream in(list);
    for (std::string code; std::getline(in, code, ',');) {
        const std::string wanted = upper(code);
        auto it = std::find_if(openings().begin(), openings().end(),
                               [&](const Opening& o) { return wanted == o.code; });
        if (it == openings().end()) {
            bad = code;
            return false;
        }
        out.push_back(*it);
    }
    if (out.empty()) bad = list;
    return !out.empty();
}
