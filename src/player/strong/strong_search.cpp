#include "player/strong/strong_search.h"

#include "player/strong/searcher.h"
#include "rules/fallback_point.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kMaxThreads = 256;

bool legalAnswer(const BanArray& root, int move) {
    if (move < 0 || move >= kPoints || root.at(move) != kEmpty) return false;
    if (colourToMove(root.moveCount()) != kBlack) return true;
    BanArray board(root);
    return !ChkStat(board).isForbiddenBlack(move);
}

// With several lines asked for, the first is the answer's: an unfinished depth may have
// changed the answer after the lines were made, and a proven win at the root has no others.
void alignLines(SearchReport& r, int multiPv) {
    if (multiPv <= 1) {
        r.lines.clear();
        return;
    }
    std::erase_if(r.lines, [&](const RootLine& l) { return l.move == r.bestMove; });
    r.lines.insert(r.lines.begin(), RootLine{r.bestMove, r.score, r.winIn, r.line});
    if (static_cast<int>(r.lines.size()) > multiPv) r.lines.resize(static_cast<size_t>(multiPv));
}

// The board of the last decision that began a win proven by threats: the next
// decision, two stones on, looks for the rest of the win first.
struct ThreatWinMemory {
    bool held = false;
    BanArray board;

    bool continuedBy(const BanArray& now) const {
        if (!held) return false;
        int added = 0;
        for (int p = 0; p < kPoints; ++p) {
            if (board.at(p) != kEmpty && now.at(p) != board.at(p)) return false;
            added += board.at(p) == kEmpty && now.at(p) != kEmpty;
        }
        return added == 2;
    }
};

// What a decision leaves the next one: the table and the win by threats it began.
struct SearchMemory {
    TranspositionTable table;
    ThreatWinMemory lastWin;
};

SearchMemory& threadMemory() {
    thread_local SearchMemory memory;
    return memory;
}

// The memory kept across threads (StrongLimits::keepAcrossThreads).
std::mutex keptMutex;
std::unique_ptr<SearchMemory> keptMemory;

// A decision's memory: the calling thread's, or else the kept one, taken while the decision
// lasts (a new one when another decision has it) and given back after, when there is none.
class MemoryLease {
  public:
    explicit MemoryLease(bool acrossThreads) {
        if (!acrossThreads) {
            memory_ = &threadMemory();
            return;
        }
        {
            const std::lock_guard lock(keptMutex);
            taken_ = std::move(keptMemory);
        }
        if (!taken_) taken_ = std::make_unique<SearchMemory>();
        memory_ = taken_.get();
    }
    ~MemoryLease() {
        if (!taken_) return;
        const std::lock_guard lock(keptMutex);
        if (!keptMemory) keptMemory = std::move(taken_);
    }
    MemoryLease(const MemoryLease&) = delete;
    MemoryLease& operator=(const MemoryLease&) = delete;

    SearchMemory& memory() const { return *memory_; }

  private:
    SearchMemory* memory_ = nullptr;
    std::unique_ptr<SearchMemory> taken_;
};

// Lazy SMP: the helpers search the same root as the main thread, from depth 1 or 2 in turn so
// that they run ahead of it, and share what they find through the transposition table. Since
// all threads order their moves alike, a thread puts off a move whose position another thread
// is searching (the busy table): so they search different parts of the tree at once, and the
// table entries they leave cut each other's search short. The first helper begins with a
// longer search for a win by threats than the root's (a second core makes it affordable); a
// win it proves ends the decision. The answer is otherwise the main thread's, unless a helper
// finished a deeper depth.
SearchReport searchWithThreads(const BanArray& board, const StrongLimits& limits,
                               const std::atomic<bool>& stop, const ReportCallback& onReport,
                               Clock::time_point start) {
    const MemoryLease lease(limits.keepAcrossThreads);
    TranspositionTable& tt = lease.memory().table;
    tt.resize(std::max<size_t>(limits.hashMegabytes, 1));
    // Set when the first helper proves a win by threats: the main thread's search ends then.
    std::atomic<bool> threatWon{false};
    auto main = std::make_unique<Searcher>(board, limits, stop, &threatWon, tt, start);
    ThreatWinMemory& lastWin = lease.memory().lastWin;
    const bool continuing = lastWin.continuedBy(board);
    lastWin.held = false;
    auto remember = [&] {
        lastWin.held = true;
        lastWin.board = board;
    };
    SearchReport report;
    if (main->solveRoot(report, continuing)) {
        remember();
        return report;
    }
    tt.newSearch();
    std::atomic<bool> helpersStop{false};
    const int helperCount = std::clamp(limits.threads, 1, kMaxThreads) - 1;
    std::vector<SearchReport> helperReports(static_cast<size_t>(helperCount));
    std::vector<std::thread> helpers;
    const auto busy = helperCount > 0 ? std::make_unique<BusyTable>() : nullptr;
    main->shareBusyTable(busy.get());
    StrongLimits helperLimits = limits;
    helperLimits.timeMs = 0;
    helperLimits.maxNodes = 0;
    helperLimits.multiPv = 1;
    for (int i = 0; i < helperCount; ++i) {
        try {
            helpers.emplace_back([&, i] {
                try {
                    auto helper = std::make_unique<Searcher>(board, helperLimits, stop,
                                                             &helpersStop, tt, start);
                    helper->shareRootFilter(*main);
                    helper->shareBusyTable(busy.get());
                    SearchReport& own = helperReports[static_cast<size_t>(i)];
                    if (i == 0 && helper->solveRootDeeply(own, limits)) {
                        threatWon.store(true, std::memory_order_relaxed);
                        return;
                    }
                    helper->iterate(own, {}, 1 + (i + 1) % 2);
                    own.nodes = helper->nodes();
                } catch (const std::bad_alloc&) {
                    // a helper without memory leaves the search to the others
                }
            });
        } catch (const std::system_error&) {
            break; // no more threads to be had: the search goes on with those it has
        }
    }
    main->iterate(report, onReport, 1);
    // One thread has time or nodes left only when it stopped before its limit; with helpers,
    // the first has looked for a win by threats longer than this.
    if (helperCount == 0) {
        if (main->solveRootWithTimeLeft(report))
            remember();
        else
            main->checkAnswer(report);
        report.nodes = main->nodes();
    }
    helpersStop.store(true, std::memory_order_relaxed);
    for (std::thread& t : helpers) t.join();
    // A helper's proven win by threats is the answer; else a helper that finished a deeper
    // depth than the main thread has the better answer (not for a multi-line analysis, whose
    // further lines are the main thread's).
    uint64_t nodes = report.nodes;
    for (const SearchReport& h : helperReports) {
        nodes += h.nodes;
        if (h.winIn > 0 && h.depth == 0 && report.winIn <= 0) {
            remember();
            const int64_t elapsed = report.elapsedMs;
            report = h;
            report.elapsedMs = elapsed;
        } else if (limits.multiPv <= 1 && h.depth > report.depth && h.bestMove != kNoMove &&
                   report.winIn == 0) {
            const int64_t elapsed = report.elapsedMs;
            report = h;
            report.elapsedMs = elapsed;
        }
    }
    report.nodes = nodes;
    return report;
}

} // namespace

SearchReport strongSearch(const BanArray& board, const StrongLimits& limits,
                          const std::atomic<bool>& stop, const ReportCallback& onReport) {
    const auto start = Clock::now();
    int stones = 0;
    for (int p = 0; p < kPoints; ++p) stones += board.at(p) != kEmpty;
    SearchReport report;
    if (stones == 0) {
        report.bestMove = kCentrePoint;
        report.line = {kCentrePoint};
    } else if (stones < kPoints) {
        report = searchWithThreads(board, limits, stop, onReport, start);
        if (!legalAnswer(board, report.bestMove)) {
            report.bestMove = fallbackPoint(board);
            report.line.assign(1, report.bestMove);
            report.winIn = 0;
        }
    }
    alignLines(report, limits.multiPv);
    report.elapsedMs =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    if (onReport) onReport(report);
    return report;
}

void prepareStrongSearch(size_t hashMegabytes) {
    threadMemory().table.resize(std::max<size_t>(hashMegabytes, 1));
}
