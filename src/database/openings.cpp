#include "database/openings.h"

#include "base/geometry.h"
#include "database/symmetry.h"

const std::array<Opening, kOpeningCount>& openings() {
    // Black h8, white h7 (direct) or i7 (diagonal), then black's third stone.
    static constexpr std::array<Opening, kOpeningCount> table = {{
        {"D1", "寒星", "Kansei", {{7, 7}, {7, 6}, {7, 5}}},
        {"D2", "渓月", "Keigetsu", {{7, 7}, {7, 6}, {8, 5}}},
        {"D3", "疎星", "Sosei", {{7, 7}, {7, 6}, {9, 5}}},
        {"D4", "花月", "Kagetsu", {{7, 7}, {7, 6}, {8, 6}}},
        {"D5", "残月", "Zangetsu", {{7, 7}, {7, 6}, {9, 6}}},
        {"D6", "雨月", "Ugetsu", {{7, 7}, {7, 6}, {8, 7}}},
        {"D7", "金星", "Kinsei", {{7, 7}, {7, 6}, {9, 7}}},
        {"D8", "松月", "Shogetsu", {{7, 7}, {7, 6}, {7, 8}}},
        {"D9", "丘月", "Kyugetsu", {{7, 7}, {7, 6}, {8, 8}}},
        {"D10", "新月", "Shingetsu", {{7, 7}, {7, 6}, {9, 8}}},
        {"D11", "瑞星", "Zuisei", {{7, 7}, {7, 6}, {7, 9}}},
        {"D12", "山月", "Sangetsu", {{7, 7}, {7, 6}, {8, 9}}},
        {"D13", "遊星", "Yusei", {{7, 7}, {7, 6}, {9, 9}}},
        {"I1", "長星", "Chosei", {{7, 7}, {8, 6}, {9, 5}}},
        {"I2", "峡月", "Kyogetsu", {{7, 7}, {8, 6}, {9, 6}}},
        {"I3", "恒星", "Kosei", {{7, 7}, {8, 6}, {9, 7}}},
        {"I4", "水月", "Suigetsu", {{7, 7}, {8, 6}, {9, 8}}},
        {"I5", "流星", "Ryusei", {{7, 7}, {8, 6}, {9, 9}}},
        {"I6", "雲月", "Ungetsu", {{7, 7}, {8, 6}, {8, 7}}},
        {"I7", "浦月", "Hogetsu", {{7, 7}, {8, 6}, {8, 8}}},
        {"I8", "嵐月", "Rangetsu", {{7, 7}, {8, 6}, {8, 9}}},
        {"I9", "銀月", "Gingetsu", {{7, 7}, {8, 6}, {7, 8}}},
        {"I10", "明星", "Myojo", {{7, 7}, {8, 6}, {7, 9}}},
        {"I11", "斜月", "Shagetsu", {{7, 7}, {8, 6}, {6, 8}}},
        {"I12", "名月", "Meigetsu", {{7, 7}, {8, 6}, {6, 9}}},
        {"I13", "彗星", "Suisei", {{7, 7}, {8, 6}, {5, 9}}},
    }};
    return table;
}

std::array<int, 3> openingCells(const Opening& opening, int s) {
    std::array<int, 3> cells{};
    for (size_t i = 0; i < cells.size(); ++i)
        cells[i] = transformCell(cellIndex(opening.stones[i][0], opening.stones[i][1]), s);
    return cells;
}
