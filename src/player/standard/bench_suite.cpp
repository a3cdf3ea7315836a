#include "player/standard/bench_suite.h"

#include "player/standard/phase_iter.h"
#include "rules/chk_stat.h"

#include <atomic>
#include <chrono>
#include <random>
#include <time.h>

namespace {

constexpr int kMinStones = 4;
constexpr int kMaxStones = 80;

// A point within two cells of some stone, empty, making no four or five and (for black) not
// forbidden: the games stay undecided, so every position needs the search.
bool playable(BanArray& board, int p) {
    if (board.at(p) != kEmpty) return false;
    bool near = false;
    const int x = cellX(p), y = cellY(p);
    for (int dy = -2; dy <= 2 && !near; ++dy)
        for (int dx = -2; dx <= 2 && !near; ++dx)
            if (onBoard(x + dx, y + dy) && board.at(cellIndex(x + dx, y + dy)) != kEmpty)
                near = true;
    if (!near) return false;
    MoveCode code = ChkStat(board).judgePoint(p, colourToMove(board.moveCount()));
    return code > kCodeFour && !isForbiddenCode(code);
}

// Plays a game from seed up to stones stones; false when it runs out of playable points or ends
// where the side to move has a straight four.
bool playGame(uint32_t seed, int stones, BanArray& board) {
    std::mt19937 gen(seed);
    board = BanArray();
    board.put(cellIndex(7, 7));
    int playable_points[kPoints];
    while (board.moveCount() < stones) {
        int n = 0;
        for (int p = 0; p < kPoints; ++p)
            if (playable(board, p)) playable_points[n++] = p;
        if (n == 0) return false;
        board.put(playable_points[gen() % static_cast<uint32_t>(n)]);
    }
    // A straight four to make would force the reply and leave nothing to search.
    const char toMove = colourToMove(board.moveCount());
    ChkStat judge(board);
    for (int p = 0; p < kPoints; ++p)
        if (board.at(p) == kEmpty && judge.judgePoint(p, toMove) <= kCodeStraightFour) return false;
    return true;
}

double threadCpuMillis() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

} // namespace

std::vector<BanArray> benchPositions(int count) {
    std::vector<BanArray> positions;
    for (int i = 0; i < count; ++i) {
        // 29 is prime to 77, so the first 77 positions take every count 4..80 once, both parities
        // mixed; position i does not depend on how many are asked for.
        const int stones = kMinStones + (i * 29) % (kMaxStones - kMinStones + 1);
        BanArray board;
        for (uint32_t seed = 1000u + 7919u * static_cast<uint32_t>(i);; ++seed)
            if (playGame(seed, stones, board)) break;
        positions.push_back(board);
    }
    return positions;
}

BenchResult decideBenchPosition(const BanArray& board, const StandardSettings& level) {
    std::atomic<bool> stop{false};
    BenchResult result;
    const double cpuStart = threadCpuMillis();
    auto start = std::chrono::steady_clock::now();
    {
        PhaseIter iter(board, level, stop, {}, 0u);
        iter.skipDatabase();
        result.point = iter.decide();
        result.nodes = iter.nodeCount();
    } // the tree is freed as part of the decision
    result.millis =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    result.cpuMillis = threadCpuMillis() - cpuStart;
    return result;
}

uint64_t benchSignature(const std::vector<BenchResult>& results) {
    // 64-bit FNV-1a over each point and node count.
    uint64_t h = 1469598103934665603ull;
    auto mix = [&h](uint64_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            h ^= (v >> (8 * i)) & 0xff;
            h *= 1099511628211ull;
        }
    };
    for (const BenchResult& r : results) {
        mix(r.point, 1);
        mix(static_cast<uint64_t>(r.nodes), 8);
    }
    return h;
}
