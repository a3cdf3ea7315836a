#include "openings.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace {

constexpr int kCentre = 7;

const std::vector<Opening> kOpenings = {
    {"D1", "寒星", 7, 5},  {"D2", "渓月", 8, 5},  {"D3", "疎星", 9, 5},  {"D4", "花月", 8, 6},
    {"D5", "残月", 9, 6},  {"D6", "雨月", 8, 7},  {"D7", "金星", 9, 7},  {"D8", "松月", 7, 8},
    {"D9", "丘月", 8, 8},  {"D10", "新月", 9, 8}, {"D11", "瑞星", 7, 9}, {"D12", "山月", 8, 9},
    {"D13", "遊星", 9, 9}, {"I1", "長星", 9, 5},  {"I2", "峡月", 9, 6},  {"I3", "恒星", 9, 7},
    {"I4", "水月", 9, 8},  {"I5", "流星", 9, 9},  {"I6", "雲月", 8, 7},  {"I7", "浦月", 8, 8},
    {"I8", "嵐月", 8, 9},  {"I9", "銀月", 7, 8},  {"I10", "明星", 7, 9}, {"I11", "斜月", 6, 8},
    {"I12", "名月", 6, 9}, {"I13", "彗星", 5, 9},
};

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

const std::vector<Opening>& canonicalOpenings() {
    return kOpenings;
}

std::vector<int> openingMoves(const Opening& opening, int symmetry) {
    const bool direct = opening.code[0] == 'D';
    const int xs[3] = {kCentre, direct ? kCentre : kCentre + 1, opening.thirdX};
    const int ys[3] = {kCentre, kCentre - 1, opening.thirdY};
    std::vector<int> moves;
    for (int i = 0; i < 3; ++i) {
        int dx = xs[i] - kCentre, dy = ys[i] - kCentre;
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
        out = kOpenings;
        return true;
    }
    std::istringstream in(list);
    for (std::string code; std::getline(in, code, ',');) {
        const std::string wanted = upper(code);
        auto it = std::find_if(kOpenings.begin(), kOpenings.end(),
                               [&](const Opening& o) { return wanted == o.code; });
        if (it == kOpenings.end()) {
            bad = code;
            return false;
        }
        out.push_back(*it);
    }
    if (out.empty()) bad = list;
    return !out.empty();
}
