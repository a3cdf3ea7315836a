// sorell-book: makes the shipped openings book, kelpNNN.kdb files of good replies for the 26
// canonical openings and the early positions that grow out of them.
//
// Every answer is a depth-limited search of the strong player with a fresh table, so the book
// is the same on every machine and at any load: the time budget is large and never reached.
// From each opening the tool records
//   - the main line: the strong player's move for both colours up to --stones stones;
//   - black's answer to every white fourth stone next to the three opening stones (the
//     computer as black meets many fourth moves in play);
//   - white's answer to each of those black fifth moves.
// Positions are stored in the orientation in which they arise; the database finds them under
// all eight symmetries, and a position met twice (in any orientation) is registered once.

#include "base/file_replace.h"
#include "common/command_line.h"
#include "database/k_data.h"
#include "database/k_database.h"
#include "database/kdb_file.h"
#include "database/openings.h"
#include "player/strong/strong_search.h"
#include "rules/ban_array.h"
#include "rules/chk_stat.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

namespace {

struct Options {
    std::string outDir = ".";
    int depth = 8;
    int stones = 10;
};

class Book {
  public:
    Book(const Options& options) : options_(options) {}

    // The strong player's move for the board's side to move, registered under the board's
    // stone count; kNoMove when the search found none.
    int answer(const BanArray& board) {
        const int n = board.moveCount();
        KDataBase& db = database(n);
        KData query(board);
        const uint8_t known = db.lookup(query);
        if (known < kPoints) return known;
        StrongLimits limits;
        limits.timeMs = 3'600'000;
        limits.maxDepth = options_.depth;
        limits.hashMegabytes = 32;
        const SearchReport report = strongSearch(board, limits, stop_);
        if (report.bestMove >= kPoints) return kNoMove;
        query.continuations.push_back(KDataElement{static_cast<uint8_t>(report.bestMove), 0});
        db.registerData(query);
        ++searches_;
        return report.bestMove;
    }

    // Writes every database; false when one could not be written.
    bool save() const {
        bool ok = true;
        for (const auto& [n, db] : databases_) {
            if (!db->save()) {
                std::cerr << "sorell-book: can't write " << db->fileName() << "\n";
                ok = false;
            } else {
                std::cout << db->fileName() << ": " << db->count() << " positions\n";
            }
        }
        return ok;
    }

    int searches() const { return searches_; }

  private:
    KDataBase& database(int n) {
        auto& slot = databases_[n];
        if (!slot)
            slot = std::make_unique<KDataBase>(
                KDataBase::unloaded(static_cast<uint8_t>(n), options_.outDir + "/"));
        return *slot;
    }

    Options options_;
    std::atomic<bool> stop_{false};
    std::map<int, std::unique_ptr<KDataBase>> databases_;
    int searches_ = 0;
};

BanArray openingBoard(const Opening& o) {
    BanArray board;
    for (const int cell : openingCells(o)) board.put(cell);
    return board;
}

// Whether the move ends the game (a five or a forbidden black stone): nothing follows it.
bool endsGame(BanArray& board, int point) {
    ChkStat judge(board);
    return isEndCode(judge.judgePoint(point, colourToMove(board.moveCount())));
}

void mainLine(Book& book, BanArray board, int stones) {
    while (board.moveCount() < stones) {
        const int move = book.answer(board);
        if (move >= kPoints || endsGame(board, move)) return;
        board.put(move);
    }
}

void fourthMoves(Book& book, const BanArray& opening) {
    for (int p = 0; p < kPoints; ++p) {
        if (opening.at(p) != kEmpty) continue;
        bool near = false;
        for (int q = 0; q < kPoints && !near; ++q)
            near = opening.at(q) != kEmpty && std::abs(cellX(p) - cellX(q)) <= 1 &&
                   std::abs(cellY(p) - cellY(q)) <= 1;
        if (!near) continue;
        BanArray board(opening);
        board.put(p);
        const int reply = book.answer(board);
        if (reply >= kPoints || endsGame(board, reply)) continue;
        board.put(reply);
        book.answer(board);
    }
}

const char* const kUsage = "usage: sorell-book [--out DIR] [--depth D] [--stones N]\n";

// Reads the command line into options; the exit status when the program ends here.
std::optional<int> parseOptions(int argc, char** argv, Options& options) {
    CLI::App app("", "sorell-book");
    setUpToolApp(app);
    std::optional<std::string> depth, stones;
    app.add_option("--out", options.outDir);
    app.add_option("--depth", depth);
    app.add_option("--stones", stones);
    if (!parseCommandLine(app, argc, argv, kUsage)) return kBadCommandLine;
    for (auto [option, text, low, high, out] :
         {std::tuple{"--depth", &depth, 1, 40, &options.depth},
          std::tuple{"--stones", &stones, 4, 40, &options.stones}}) {
        if (!*text) continue;
        const auto n = parseWholeNumber(**text, low, high);
        if (!n) {
            reportBadValue(app, option, **text, kUsage);
            return kBadCommandLine;
        }
        *out = static_cast<int>(*n);
    }
    return std::nullopt;
}

// Why the book cannot be written into the folder, checked before any search: it must be a
// folder, and hold no book file yet (the database never writes over a file it did not read,
// and a new book mixed with an old one would not be the book of this run). Empty when it can.
std::string outFolderRefusal(const std::string& dir) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) return "'" + dir + "' is not a folder";
    for (int n = 0; n <= kPoints; ++n) {
        const std::string name = kdbFileName(n, dir + "/");
        if (fs::exists(fs::symlink_status(name, ec)))
            return "'" + name + "' is there already; a book is written into a folder without one";
    }
    return {};
}

} // namespace

int main(int argc, char** argv) {
    failWritesBeyondFileSizeLimit();
    Options options;
    if (const auto status = parseOptions(argc, argv, options)) return *status;
    if (const std::string refusal = outFolderRefusal(options.outDir); !refusal.empty()) {
        std::cerr << "sorell-book: can't write the book: " << refusal << "\n";
        return 1;
    }
    Book book(options);
    for (const Opening& o : openings()) {
        const BanArray board = openingBoard(o);
        mainLine(book, board, options.stones);
        fourthMoves(book, board);
        std::cout << o.code << ": " << book.searches() << " searches so far\n" << std::flush;
    }
    return book.save() ? 0 : 1;
}
