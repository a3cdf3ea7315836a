#pragma once

// The threat puzzles of data/threat_puzzles.txt: positions with a side to move and either the
// first moves that win by continuous fours (vcf) or by threes and fours (vct), or "nowin".
//
// The file is a list of blocks:
//   puzzle NAME
//   tomove B|W
//   kind vcf|vct
//   expect win MOVE...   (point texts such as h8, j10 -> "jA")  or   expect nowin
//   15 rows of 15 characters: 'X' black, 'O' white, '.' empty; the first row is y = 0
//   end
// Blank lines and lines starting with '#' are skipped.

#include "base/geometry.h"
#include "rules/ban_array.h"

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

enum class PuzzleKind { Vcf, Vct };

struct ThreatPuzzle {
    std::string name;
    char toMove = kBlack; // kBlack or kWhite, as given (not from the number of stones)
    PuzzleKind kind = PuzzleKind::Vcf;
    bool expectWin = false;
    std::vector<int> acceptedMoves; // points 0..224; empty for "nowin"
    // The stones; the move count is the number of stones, plus one when its parity would give
    // the other side the move, so colourToMove(board.moveCount()) == toMove.
    BanArray board;
};

struct PuzzleFile {
    std::vector<ThreatPuzzle> puzzles;
    std::string error; // empty when the whole file was read; else "line N: what"
};

namespace puzzle_detail {

inline std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

inline bool pointFromText(const std::string& text, int& point) {
    int x = 0, y = 0;
    // Rows are one character ("123456789ABCDEF"); "10".."15" are read as well.
    if (text.size() == 2 && pointTextToXY(text[0], text[1], x, y)) {
        point = cellIndex(x, y);
        return true;
    }
    if (text.size() == 3 && text[1] == '1' && text[2] >= '0' && text[2] <= '5' &&
        pointTextToXY(text[0], '1', x, y)) {
        point = cellIndex(x, 9 + (text[2] - '0'));
        return true;
    }
    return false;
}

} // namespace puzzle_detail

// Reads puzzles from text; stops at the first malformed block and names its line.
inline PuzzleFile parsePuzzles(std::istream& in) {
    using namespace puzzle_detail;
    PuzzleFile file;
    std::string line;
    int lineNo = 0;
    auto fail = [&](const std::string& what) {
        file.error = "line " + std::to_string(lineNo) + ": " + what;
        return file;
    };
    auto nextLine = [&]() -> bool {
        while (std::getline(in, line)) {
            ++lineNo;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.empty() || line[0] == '#') continue;
            return true;
        }
        return false;
    };
    while (nextLine()) {
        ThreatPuzzle p;
        std::vector<std::string> w = words(line);
        if (w.size() != 2 || w[0] != "puzzle") return fail("expected 'puzzle NAME'");
        p.name = w[1];
        if (!nextLine()) return fail("unexpected end");
        w = words(line);
        if (w.size() != 2 || w[0] != "tomove" || (w[1] != "B" && w[1] != "W"))
            return fail("expected 'tomove B|W'");
        p.toMove = w[1] == "B" ? kBlack : kWhite;
        if (!nextLine()) return fail("unexpected end");
        w = words(line);
        if (w.size() != 2 || w[0] != "kind" || (w[1] != "vcf" && w[1] != "vct"))
            return fail("expected 'kind vcf|vct'");
        p.kind = w[1] == "vcf" ? PuzzleKind::Vcf : PuzzleKind::Vct;
        if (!nextLine()) return fail("unexpected end");
        w = words(line);
        if (w.size() == 2 && w[0] == "expect" && w[1] == "nowin") {
            p.expectWin = false;
        } else if (w.size() >= 3 && w[0] == "expect" && w[1] == "win") {
            p.expectWin = true;
            for (size_t i = 2; i < w.size(); ++i) {
                int point = 0;
                if (!pointFromText(w[i], point)) return fail("bad point '" + w[i] + "'");
                p.acceptedMoves.push_back(point);
            }
        } else {
            return fail("expected 'expect win MOVE...' or 'expect nowin'");
        }
        int stones = 0;
        for (int y = 0; y < kBoardSize; ++y) {
            if (!nextLine()) return fail("unexpected end");
            if (line.size() != static_cast<size_t>(kBoardSize)) return fail("row of 15 expected");
            for (int x = 0; x < kBoardSize; ++x) {
                const char c = line[static_cast<size_t>(x)];
                if (c == '.') continue;
                if (c != 'X' && c != 'O') return fail("bad cell");
                p.board[cellIndex(x, y)] = c == 'X' ? kBlack : kWhite;
                ++stones;
            }
        }
        if (colourToMove(stones) != p.toMove) ++stones;
        p.board.setMoveCount(static_cast<uint8_t>(stones));
        if (!nextLine() || line != "end") return fail("expected 'end'");
        file.puzzles.push_back(std::move(p));
    }
    return file;
}

// Reads the puzzle file at path; an error when it cannot be opened.
inline PuzzleFile loadPuzzles(const std::string& path) {
    std::ifstream in(path);
    if (!in) return PuzzleFile{{}, "cannot open " + path};
    return parsePuzzles(in);
}
