#include "openings.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <sstream>

namespace {

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

std::vector<int> openingMoves(const Opening& opening, int symmetry) {
    // The database's symmetry that a match's symmetry 0..7 stands for: the quarter turns,
    // then the mirror image turned the same way (the order in which a match's rounds have
    // always visited them).
    constexpr std::array<int, kSymmetries> kMatchOrder = {0, 4, 2, 3, 5, 1, 7, 6};
    const std::array<int, 3> cells = openingCells(opening, kMatchOrder[symmetry & 7]);
    return {cells.begin(), cells.end()};
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
