#pragma once

// A plain reference solver for the threat puzzles, independent of the engine: a depth-limited
// search over every four (and every three) with renju's restrictions on black, slow and simple.

#include "base/geometry.h"
#include "rules/ban_array.h"
#include "rules/chk_stat.h"
#include "rules/move_code.h"

#include <algorithm>
#include <cassert>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace reference {

inline constexpr int kDx[4] = {1, 1, 0, -1};
inline constexpr int kDy[4] = {0, 1, 1, 1};
inline constexpr int kVcfDepth = 24; // attacker fours; more than any puzzle needs
inline constexpr int kVctDepth = 2;  // threes (or fours) before the closing continuous fours
inline constexpr int kMaxVctDepth = 4;

inline std::string text(int p) {
    return pointText(cellX(p), cellY(p));
}

inline std::string texts(const std::vector<int>& points) {
    std::string s;
    for (int p : points) s += (s.empty() ? "" : " ") + text(p);
    return s;
}

// The run of colour c through p along direction d, p counted as c's stone.
inline int runThrough(const BanArray& b, int p, int d, char c) {
    int n = 1;
    for (int s = -1; s <= 1; s += 2) {
        int x = cellX(p) + s * kDx[d], y = cellY(p) + s * kDy[d];
        while (onBoard(x, y) && b.at(cellIndex(x, y)) == c) {
            ++n;
            x += s * kDx[d];
            y += s * kDy[d];
        }
    }
    return n;
}

// c at the empty point p makes a five: exactly five for black, five or more for white.
inline bool makesFive(const BanArray& b, int p, char c) {
    for (int d = 0; d < 4; ++d) {
        const int run = runThrough(b, p, d, c);
        if (run == 5 || (c == kWhite && run > 5)) return true;
    }
    return false;
}

// Some line through p holds at least need stones of colour c within four cells of p: a five
// through p needs four, a four three.
inline bool ownAround(const BanArray& b, int p, char c, int need) {
    for (int d = 0; d < 4; ++d) {
        int own = 0;
        for (int s = -4; s <= 4; ++s) {
            const int x = cellX(p) + s * kDx[d], y = cellY(p) + s * kDy[d];
            own += s != 0 && onBoard(x, y) && b.at(cellIndex(x, y)) == c;
        }
        if (own >= need) return true;
    }
    return false;
}

inline std::vector<int> fivePoints(const BanArray& b, char c) {
    std::vector<int> out;
    for (int p = 0; p < kPoints; ++p)
        if (b.at(p) == kEmpty && ownAround(b, p, c, 4) && makesFive(b, p, c)) out.push_back(p);
    return out;
}

// The five points of c on the lines through p within four cells (the ones a stone at p adds).
inline std::vector<int> fivePointsNear(const BanArray& b, int p, char c) {
    std::vector<int> out;
    for (int d = 0; d < 4; ++d)
        for (int s = -4; s <= 4; ++s) {
            const int x = cellX(p) + s * kDx[d], y = cellY(p) + s * kDy[d];
            if (!onBoard(x, y)) continue;
            const int q = cellIndex(x, y);
            if (b.at(q) == kEmpty && makesFive(b, q, c) &&
                std::find(out.begin(), out.end(), q) == out.end())
                out.push_back(q);
        }
    return out;
}

inline bool legalFor(BanArray& b, int p, char c) {
    if (b.at(p) != kEmpty) return false;
    return c == kWhite || makesFive(b, p, c) || !ChkStat(b).isForbiddenBlack(p);
}

// Points on the lines through p within four cells first, then the others: the answers that
// can touch a threat at p come early.
inline std::vector<int> nearFirst(const BanArray& b, int p) {
    std::vector<int> out;
    std::vector<char> seen(kPoints, 0);
    for (int d = 0; d < 4; ++d)
        for (int s = -4; s <= 4; ++s) {
            const int x = cellX(p) + s * kDx[d], y = cellY(p) + s * kDy[d];
            if (!onBoard(x, y)) continue;
            const int q = cellIndex(x, y);
            if (b.at(q) == kEmpty && !seen[q]) out.push_back(q);
            seen[q] = 1;
        }
    for (int q = 0; q < kPoints; ++q)
        if (b.at(q) == kEmpty && !seen[q]) out.push_back(q);
    return out;
}

// A depth-limited AND/OR search for one attacker. The defender answers a four on its one
// five point (black cannot when that point is forbidden for it) and loses to two; an existing
// defender four must be blocked first. A three is answered by every legal point.
class Reference {
  public:
    Reference(const BanArray& board, char attacker)
        : b_(board), att_(attacker), def_(otherColour(attacker)) {}

    // Attacker to move: wins by continuous fours within depth fours.
    bool vcf(int depth) {
        if (!fivePoints(b_, att_).empty()) return true;
        if (depth == 0) return false;
        const std::string key = std::string(b_.cellData(), kPoints) + char('0' + depth);
        if (lostVcf_.count(key)) return false;
        for (int m : candidates())
            if (fourWins(m, [&] { return vcf(depth - 1); })) return true;
        lostVcf_.insert(key);
        return false;
    }

    // Attacker to move: wins by at most depth threes (a four counts as one too), then
    // continuous fours.
    bool vct(int depth) {
        assert(depth <= kMaxVctDepth);
        if (vcf(kVcfDepth)) return true;
        if (depth == 0) return false;
        const std::string key = std::string(b_.cellData(), kPoints) + char('a' + depth);
        if (const auto known = vctMemo_.find(key); known != vctMemo_.end()) return known->second;
        const bool win = vctSearch(depth);
        vctMemo_[key] = win;
        return win;
    }

  private:
    bool vctSearch(int depth) {
        std::vector<int> moves = candidates();
        const int k = killer_[static_cast<size_t>(depth)];
        if (std::find(moves.begin(), moves.end(), k) != moves.end()) {
            moves.erase(std::find(moves.begin(), moves.end(), k));
            moves.insert(moves.begin(), k);
        }
        for (int m : moves)
            if (threatWins(m, depth)) {
                killer_[static_cast<size_t>(depth)] = m;
                return true;
            }
        return false;
    }

  public:
    // The attacker's first moves that win within the depths (vct false: fours only).
    std::vector<int> winningMoves(bool vct) {
        std::vector<int> out;
        for (int m : candidates()) {
            const bool wins =
                vct ? threatWins(m, kVctDepth) : fourWins(m, [&] { return vcf(kVcfDepth - 1); });
            if (wins) out.push_back(m);
        }
        return out;
    }

    // m, played now (one of candidates()), is a four or a three with which the attacker wins
    // within depth threats. A block of the defender's four counts as a threat step too: the
    // attacker's earlier threats still stand after it.
    bool threatWins(int m, int depth) {
        if (depth <= 0) return false;
        if (fourWins(m, [&] { return vct(depth - 1); })) return true;
        if (!legalFor(b_, m, att_)) return false;
        const bool forcedBlock = !fivePoints(b_, def_).empty();
        const MoveCode code = ChkStat(b_).judgePoint(m, att_);
        if (!forcedBlock && (code < 9 || code > 15)) return false; // fours were tried above
        b_.setAt(m, att_);
        const bool win = everyAnswerLoses(m, depth - 1);
        b_.setAt(m, kEmpty);
        return win;
    }

    // The attacker's legal moves now: the defender's one five point when it has a four, none
    // when it has two, else every empty point.
    std::vector<int> candidates() {
        const std::vector<int> threats = fivePoints(b_, def_);
        if (threats.size() == 1) return threats;
        if (!threats.empty()) return {};
        std::vector<int> all;
        for (int p = 0; p < kPoints; ++p)
            if (b_.at(p) == kEmpty) all.push_back(p);
        return all;
    }

  private:
    // The defender to move after the attacker's threat at m: every legal answer loses. An
    // answer that makes a four must be blocked at once, and then the defender moves again.
    bool everyAnswerLoses(int m, int depth) {
        const std::string key = std::string(b_.cellData(), kPoints) + char('A' + depth);
        if (const auto known = vctMemo_.find(key); known != vctMemo_.end()) return known->second;
        const bool win = everyAnswerLosesSearch(m, depth);
        vctMemo_[key] = win;
        return win;
    }
    bool everyAnswerLosesSearch(int m, int depth) {
        for (int r : nearFirst(b_, m)) {
            if (!legalFor(b_, r, def_)) continue;
            if (makesFive(b_, r, def_)) return false;
            b_.setAt(r, def_);
            bool win = false;
            const std::vector<int> threats = fivePoints(b_, def_);
            if (!fivePoints(b_, att_).empty()) {
                win = true;
            } else if (threats.size() == 1 && legalFor(b_, threats[0], att_)) {
                b_.setAt(threats[0], att_);
                win = everyAnswerLoses(m, depth);
                b_.setAt(threats[0], kEmpty);
            } else if (threats.empty()) {
                win = vct(depth);
            }
            b_.setAt(r, kEmpty);
            if (!win) return false;
        }
        return true;
    }

    // m (one of candidates()) is a legal four for the attacker and, after the forced block,
    // then() holds.
    template <class Then> bool fourWins(int m, Then then) {
        if (!ownAround(b_, m, att_, 3)) return false; // no four or five can pass through m
        if (makesFive(b_, m, att_)) return true;
        b_.setAt(m, att_);
        const std::vector<int> fives = fivePointsNear(b_, m, att_);
        b_.setAt(m, kEmpty);
        if (fives.empty() || !legalFor(b_, m, att_)) return false;
        b_.setAt(m, att_);
        bool win = false;
        if (fives.size() >= 2) {
            win = true;
        } else if (def_ == kBlack && ChkStat(b_).isForbiddenBlack(fives[0])) {
            win = true; // black may not block on a forbidden point
        } else {
            b_.setAt(fives[0], def_);
            win = then();
            b_.setAt(fives[0], kEmpty);
        }
        b_.setAt(m, kEmpty);
        return win;
    }

    BanArray b_;
    char att_;
    char def_;
    std::unordered_set<std::string> lostVcf_;
    std::unordered_map<std::string, bool> vctMemo_; // threat search results by board and depth
    std::vector<int> killer_ = std::vector<int>(kMaxVctDepth + 1, -1); // a winning move per depth
};

} // namespace reference
