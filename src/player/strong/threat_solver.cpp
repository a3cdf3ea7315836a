#include "player/strong/threat_solver.h"

#include <algorithm>

namespace {
constexpr uint64_t kVcfSalt = 0x51ed270b27a3c1f5ULL, kVctSalt = 0x7c3a9d1e8b24f06dULL;
} // namespace

ThreatSolver::ThreatSolver(Position& pos, const std::atomic<bool>& stop)
    : pos_(pos), stop_(stop), table_(std::make_unique<Entry[]>(size_t{1} << kTableBits)) {}

ThreatSolver::Entry* ThreatSolver::probe(uint64_t key) {
    return &table_[key & ((uint64_t{1} << kTableBits) - 1)];
}

bool ThreatSolver::tick() {
    if (nodes_ >= limit_ || ((nodes_ & 63) == 0 && (stop_.load(std::memory_order_relaxed) ||
                                                    std::chrono::steady_clock::now() >= deadline_)))
        aborted_ = true;
    ++nodes_;
    return !aborted_;
}

int ThreatSolver::collect(Colour colour, int minClass, int* out) const {
    PointSet threats = pos_.pointsOfClass(colour, minClass);
    for (int c = minClass + 1; c < kClassFive; ++c) threats |= pos_.pointsOfClass(colour, c);
    int n = 0;
    for (const int p : threats) out[n++] = p;
    // Strongest threats first; the lists are short, an insertion sort does.
    for (int i = 1; i < n; ++i) {
        const int m = out[i];
        const PointInfo& im = pos_.info(colour, m);
        int j = i;
        for (; j > 0; --j) {
            const PointInfo& ij = pos_.info(colour, out[j - 1]);
            if (ij.cls > im.cls || (ij.cls == im.cls && ij.order >= im.order)) break;
            out[j] = out[j - 1];
        }
        out[j] = m;
    }
    return n;
}

int ThreatSolver::fivePoint(Colour colour, int& count) const {
    count = pos_.countAtLeast(colour, kClassFive);
    return count ? pos_.firstOfClass(colour, kClassFive) : kNoMove;
}

void ThreatSolver::push(int p) {
    path_[pathLength_++] = p;
    pos_.make(p);
}

void ThreatSolver::pop() {
    --pathLength_;
    pos_.unmake();
}

void ThreatSolver::recordLine() {
    std::copy_n(path_.begin(), pathLength_, win_.begin());
    winLength_ = pathLength_;
}

void ThreatSolver::recordFive(int p) {
    path_[pathLength_] = p;
    ++pathLength_;
    recordLine();
    --pathLength_;
}

void ThreatSolver::recordTwoFives(int block) {
    push(block);
    int n = 0;
    const int five = fivePoint(attacker_, n);
    recordFive(five);
    pop();
}

bool ThreatSolver::vcf(uint64_t nodeBudget) {
    attacker_ = pos_.side();
    limit_ = nodeLimit(nodeBudget);
    aborted_ = stop_.load(std::memory_order_relaxed);
    pathLength_ = winLength_ = 0;
    return vcfAttack() && !aborted_;
}

bool ThreatSolver::vct(uint64_t nodeBudget, int maxThrees) {
    attacker_ = pos_.side();
    limit_ = nodeLimit(nodeBudget);
    aborted_ = stop_.load(std::memory_order_relaxed);
    pathLength_ = winLength_ = 0;
    // Deepening on the number of threes finds short wins first and fills the table.
    for (int threes = 1; threes <= maxThrees; ++threes)
        if (vctAttack(threes))
            return !aborted_;
        else if (aborted_)
            return false;
    return false;
}

// The attacker to move plays only fours. A defender's five point must be blocked, which
// continues the sequence only when the block is itself a four.
bool ThreatSolver::vcfAttack() {
    const Colour a = attacker_, d = ~a;
    int n = 0;
    int five = fivePoint(a, n);
    if (n) {
        recordFive(five);
        return true;
    }
    if (!tick()) return false;
    five = fivePoint(d, n);
    if (n) {
        if (n > 1 || pos_.cls(a, five) < kClassFour || !pos_.playable(a, five)) return false;
        return vcfFour(five);
    }
    const uint64_t key = pos_.hash() ^ kVcfSalt;
    Entry* e = probe(key);
    if (e->holds(key)) return false;
    int moves[kPoints];
    const int count = collect(a, kClassFour, moves);
    for (int i = 0; i < count; ++i) {
        if (a == Colour::Black && pos_.forbidden(moves[i])) continue;
        if (vcfFour(moves[i])) return true;
        if (aborted_) return false;
    }
    e->setKey(key);
    return false;
}

// The attacker's four at p, the defender's forced block, and the attack on from there. Wins at
// once when the four leaves two five points or black's only block is forbidden.
bool ThreatSolver::vcfFour(int p) {
    const Colour d = ~attacker_;
    push(p);
    int n = 0;
    const int block = fivePoint(attacker_, n);
    bool won = false;
    if (n >= 2) {
        recordTwoFives(block);
        won = true;
    } else if (n == 1 && d == Colour::Black && pos_.forbidden(block)) {
        recordLine();
        won = true;
    } else if (n == 1 && pos_.countAtLeast(d, kClassFive) == 0) {
        push(block);
        won = vcfAttack();
        pop();
    }
    pop();
    return won;
}

// Why the defence list is complete: the attacker's open three threatens a straight four at
// some point q whose two completion points e1, e2 are, before q is played, points where the
// attacker makes a four, as q is. A defender move elsewhere leaves q, e1 and e2 as they were,
// so the straight four comes; fours of the defender only delay it (each is blocked and the
// defender is to move again) and are tried as defences, and a win by the defender's fours
// alone is looked for first.
bool ThreatSolver::vctAttack(int threes) {
    const Colour a = attacker_, d = ~a;
    int n = 0;
    int five = fivePoint(a, n);
    if (n) {
        recordFive(five);
        return true;
    }
    if (!tick()) return false;
    five = fivePoint(d, n);
    if (n) {
        if (n > 1 || !pos_.playable(a, five)) return false;
        push(five);
        const bool won = vctDefend(threes);
        pop();
        return won;
    }
    const uint64_t key = pos_.hash() ^ kVctSalt;
    Entry* e = probe(key);
    // A stored win is searched again so that its line is known; a loss at this depth is final.
    if (e->holds(key) && !e->win() && e->depth() >= threes) return false;
    // Continuous fours first: cheap and the most common win.
    if (vcfAttack()) return true;
    if (aborted_) return false;
    if (threes <= 0) return false;
    int moves[kPoints];
    const int count = collect(a, kClassThree, moves);
    bool won = false;
    for (int i = 0; i < count && !won; ++i) {
        const int p = moves[i];
        if (a == Colour::Black && pos_.forbidden(p)) continue;
        push(p);
        won = vctDefend(threes - 1);
        pop();
        if (aborted_) return false;
    }
    if (!aborted_) e->set(key, threes, won);
    return won;
}

// The defender to move: true when the attacker still wins.
bool ThreatSolver::vctDefend(int threes) {
    const Colour a = attacker_, d = ~a;
    int n = 0;
    if (pos_.countAtLeast(d, kClassFive)) return false;
    if (!tick()) return false;
    const int five = fivePoint(a, n);
    if (n >= 2) {
        recordTwoFives(five);
        return true;
    }
    if (n == 1) {
        if (d == Colour::Black && pos_.forbidden(five)) {
            recordLine();
            return true;
        }
        push(five);
        const bool won = vctAttack(threes);
        pop();
        return won;
    }
    // The attacker's threat must be a straight four it may play.
    int flex[kPoints];
    const int flexCount = collect(a, kClassFlexFour, flex);
    bool threat = false;
    for (int i = 0; i < flexCount && !threat; ++i) threat = pos_.playable(a, flex[i]);
    if (!threat) return false;
    // The defender's own continuous fours refute the three.
    attacker_ = d;
    const bool counter = vcfAttack();
    attacker_ = a;
    if (counter || aborted_) return false;
    int moves[2 * kPoints];
    int count = collect(a, kClassFour, moves);
    count += collect(d, kClassFour, moves + count);
    bool defended = false;
    PointSet tried;
    for (int i = 0; i < count; ++i) {
        const int p = moves[i];
        if (!pos_.empty(p) || (d == Colour::Black && pos_.forbidden(p))) continue;
        if (tried.test(p)) continue;
        tried.set(p);
        defended = true;
        push(p);
        const bool won = vctAttack(threes);
        pop();
        if (!won || aborted_) return false;
    }
    // With no defence at all the line ends here; otherwise the last refutation is the line.
    if (!defended) recordLine();
    return true;
}

ThreatResult solveThreat(const BanArray& board, char attacker, ThreatKind kind, uint64_t nodeBudget,
                         const std::atomic<bool>& stop) {
    ThreatResult result;
    Position pos(board, attacker == kBlack ? kBlack : kWhite);
    ThreatSolver solver(pos, stop);
    result.win = kind == ThreatKind::Vcf ? solver.vcf(nodeBudget) : solver.vct(nodeBudget, 8);
    result.nodes = solver.nodes();
    if (result.win) {
        result.line.assign(solver.line(), solver.line() + solver.lineLength());
        result.firstMove = result.line.empty() ? kNoMove : result.line.front();
    }
    return result;
}
