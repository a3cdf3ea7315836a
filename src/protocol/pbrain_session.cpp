#include "protocol/pbrain_session.h"

#include "base/diag.h"
#include "base/geometry.h"
#include "rules/ban_array.h"
#include "rules/chk_stat.h"
#include "rules/fallback_point.h"
#include "rules/game_end.h"
#include "rules/move_code.h"
#include "sorell_version.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <utility>

namespace {

std::string pointAnswer(int x, int y) {
    return std::to_string(x) + "," + std::to_string(y);
}

std::vector<std::string> error(std::string reason) {
    return {"ERROR " + std::move(reason)};
}

bool occupied(const BanHistory& history, int x, int y) {
    for (const MovedPos& m : history)
        if (m.x == x && m.y == y) return true;
    return false;
}

bool sameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char c = (a[i] >= 'A' && a[i] <= 'Z') ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
        if (c != b[i]) return false;
    }
    return true;
}

const char* colourName(char colour) {
    return colour == kBlack ? "black" : "white";
}

} // namespace

PbrainSession::PbrainSession(Decider decider) : decider_(std::move(decider)) {}

std::vector<std::string> PbrainSession::handleLine(std::string_view line) {
    ProtocolCommand command = parseCommand(line);
    if (command.kind == CommandKind::Empty) return {};
    if (!inBoard_) return dispatch(command);

    if (command.kind == CommandKind::Done) return finishBoard();
    if (command.kind == CommandKind::Unknown) {
        boardLine(trimLine(line));
        return {};
    }
    // Another command inside a BOARD block: the block is dropped and the command handled.
    inBoard_ = false;
    pending_.clear();
    std::vector<std::string> out{"ERROR BOARD was not closed with DONE; the position is unchanged"};
    for (std::string& s : dispatch(command)) out.push_back(std::move(s));
    return out;
}

std::vector<std::string> PbrainSession::dispatch(const ProtocolCommand& command) {
    switch (command.kind) {
    case CommandKind::Empty:
        return {};
    case CommandKind::Start: {
        auto size = parseNumber(command.args);
        if (!size) return error("START needs the board size, a number");
        if (*size != kBoardSize) return error("only the 15x15 board is supported (renju)");
        history_.clear();
        started_ = true;
        return {"OK"};
    }
    case CommandKind::RectStart: {
        auto size = parsePoint(command.args);
        if (!size) return error("RECTSTART needs width,height");
        if (size->x != kBoardSize || size->y != kBoardSize)
            return error("only the 15x15 board is supported (renju)");
        history_.clear();
        started_ = true;
        return {"OK"};
    }
    case CommandKind::Restart:
        if (!started_) return error("no game started: send START 15 first");
        history_.clear();
        return {"OK"};
    case CommandKind::Begin: {
        std::string refusal = refusalToMove();
        if (!refusal.empty()) return error(refusal);
        if (!history_.empty())
            return error("BEGIN needs an empty board; send BOARD for a position");
        return think();
    }
    case CommandKind::Turn:
        return turn(command.args);
    case CommandKind::Board:
        if (!command.args.empty()) return error("BOARD takes no arguments");
        inBoard_ = true;
        pending_.clear();
        boardError_.clear();
        return {};
    case CommandKind::Done:
        return error("DONE without BOARD");
    case CommandKind::Takeback:
        return takeback(command.args);
    case CommandKind::Play:
        return {"UNKNOWN PLAY answers SUGGEST, which this brain never sends"};
    case CommandKind::Info:
        return info(command.args);
    case CommandKind::About:
        return {std::string(R"(name="Sorell", version=")") + kSorellVersion +
                R"(", author="Pellham", country="Japan")"};
    case CommandKind::End:
        ended_ = true;
        return {};
    case CommandKind::Unknown:
        break;
    }
    return {"UNKNOWN command " + printableText(command.word)};
}

// Why the brain may not be asked for a move now; empty when it may.
std::string PbrainSession::refusalToMove() const {
    if (!started_) return "no game started: send START 15 first";
    if (rule_ >= 0 && (rule_ & 4) == 0)
        return "only renju is played (INFO rule 4); this game's rule is " + std::to_string(rule_);
    return {};
}

// Non-empty when the game is over: the last move made a five (or white's overline) or was a
// forbidden move by black, which loses, or it filled the board.
std::string PbrainSession::gameOverReason() const {
    const GameEnd end = gameEnd(history_);
    if (end == GameEnd::None) return {};
    if (end == GameEnd::FullBoard) return "the board is full";
    const MovedPos& last = history_.last();
    if (end == GameEnd::Five)
        return std::string("the game is over: ") + colourName(static_cast<char>(last.colour)) +
               " won with " + pointAnswer(last.x, last.y);
    return "the game is over: black's " + pointAnswer(last.x, last.y) +
           " is a forbidden move, white wins";
}

std::vector<std::string> PbrainSession::turn(const std::string& args) {
    std::string refusal = refusalToMove();
    if (!refusal.empty()) return error(refusal);
    auto p = parsePoint(args);
    if (!p) return error("TURN needs x,y, two numbers");
    if (!onBoard(p->x, p->y)) return error(pointAnswer(p->x, p->y) + " is off the 15x15 board");
    std::string over = gameOverReason();
    if (!over.empty()) return error(over);
    if (occupied(history_, p->x, p->y)) return error(pointAnswer(p->x, p->y) + " is occupied");

    history_.appendAndJudge(p->x, p->y, colourToMove(static_cast<int>(history_.size())));
    over = gameOverReason();
    if (!over.empty()) return error(over);
    return think();
}

std::vector<std::string> PbrainSession::takeback(const std::string& args) {
    if (!started_) return error("no game started: send START 15 first");
    auto p = parsePoint(args);
    if (!p) return error("TAKEBACK needs x,y, two numbers");
    if (history_.empty()) return error("nothing to take back: the board is empty");
    const MovedPos& last = history_.last();
    if (last.x != p->x || last.y != p->y)
        return error("only the last stone can be taken back, and that is " +
                     pointAnswer(last.x, last.y));
    history_.removeLast();
    return {"OK"};
}

std::vector<std::string> PbrainSession::info(const std::string& args) {
    std::string_view text = args;
    size_t space = text.find_first_of(" \t");
    std::string_view key = text.substr(0, space);
    std::string_view value = space == std::string_view::npos ? "" : trimLine(text.substr(space));
    // The time and limit keys set the brain's budget; a value that is no number leaves it as it
    // was, except that a negative time_left (a clock already run out) leaves no time.
    if (sameText(key, "time_left") && value.size() > 1 && value[0] == '-' &&
        parseNumber(value.substr(1))) {
        timeLeft_ = 0;
        return {};
    }
    for (auto [name, field] :
         {std::pair{"timeout_turn", &timeoutTurn_}, std::pair{"timeout_match", &timeoutMatch_},
          std::pair{"time_left", &timeLeft_}, std::pair{"max_memory", &maxMemory_},
          std::pair{"max_depth", &maxDepth_}, std::pair{"max_node", &maxNodes_},
          std::pair{"thread_num", &threadNum_}}) {
        if (!sameText(key, name)) continue;
        if (auto n = parseNumber(value); n && *n >= 0) *field = *n;
        return {};
    }
    if (!sameText(key, "rule")) return {}; // other keys do not change how renju is played
    auto rule = parseNumber(value);
    if (!rule) return error("INFO rule needs a number");
    rule_ = *rule;
    return {};
}

void PbrainSession::boardLine(std::string_view line) {
    if (!boardError_.empty()) return; // the first fault is the one reported
    auto stone = parseStone(line);
    if (!stone) {
        boardError_ = "BOARD line '" + printableText(line) + "' is not x,y,field";
        return;
    }
    if (pending_.size() >= static_cast<size_t>(kPoints)) {
        boardError_ = "BOARD has more stones than the board has points";
        return;
    }
    pending_.push_back(*stone);
}

// The stones come in the order played and black is the side that moved first, so stone k
// is black when k is even. Field 1 marks the brain's stones and 2 the opponent's: in a game
// that alternated they alternate too, and since the brain is to move the last stone must be
// the opponent's (field 2). So field 1 stones are the colour to move after all of them.
std::vector<std::string> PbrainSession::finishBoard() {
    inBoard_ = false;
    std::vector<ProtocolStone> stones = std::move(pending_);
    pending_.clear();
    std::string refusal = refusalToMove();
    if (!refusal.empty()) return error(refusal);
    if (!boardError_.empty()) return error(boardError_);

    BanHistory position;
    const int n = static_cast<int>(stones.size());
    for (int k = 0; k < n; ++k) {
        const ProtocolStone& s = stones[static_cast<size_t>(k)];
        std::string where = pointAnswer(s.x, s.y);
        if (!onBoard(s.x, s.y)) return error("BOARD stone " + where + " is off the 15x15 board");
        if (s.field == 3) return error("BOARD field 3 belongs to continuous games, not renju");
        if (s.field != 1 && s.field != 2)
            return error("BOARD field must be 1 (mine) or 2 (opponent's), not " +
                         std::to_string(s.field));
        if (occupied(position, s.x, s.y)) return error("BOARD stone " + where + " is repeated");
        if (s.field != ((n - k) % 2 == 0 ? 1 : 2))
            return error("BOARD stones must come in the order played, the two sides "
                         "alternating and the opponent's (field 2) last");
        if (!position.empty() && isEndCode(position.last().code))
            return error("BOARD goes on after the game ended at " +
                         pointAnswer(position.last().x, position.last().y));
        position.appendAndJudge(s.x, s.y, colourToMove(k));
    }

    history_ = position;
    std::string over = gameOverReason();
    if (!over.empty()) return error(over);
    return think();
}

std::vector<std::string> PbrainSession::think() {
    int move = decider_ ? decider_(history_) : -1;
    const char colour = colourToMove(static_cast<int>(history_.size()));
    bool usable = move >= 0 && move < kPoints && !occupied(history_, cellX(move), cellY(move));
    if (usable && colour == kBlack) {
        BanArray board(history_);
        usable = !isForbiddenBlack(board, move);
    }
    if (!usable) {
        diag("the decision gave no usable move (" + std::to_string(move) +
             "); a legal point is played instead");
        move = fallbackPoint(BanArray(history_));
    }
    history_.appendAndJudge(cellX(move), cellY(move), colour);
    return {pointAnswer(cellX(move), cellY(move))};
}

bool readProtocolLine(std::istream& in, std::string& line, bool& tooLong) {
    line.clear();
    tooLong = false;
    std::streambuf* buf = in.rdbuf();
    if (!buf) return false;
    bool any = false;
    for (;;) {
        int c = buf->sbumpc();
        if (c == std::char_traits<char>::eof()) {
            in.setstate(std::ios::eofbit);
            return any;
        }
        any = true;
        if (c == '\n') return true;
        if (line.size() < kMaxProtocolLine)
            line.push_back(static_cast<char>(c));
        else
            tooLong = true;
    }
}

std::string printableText(std::string_view text, size_t limit) {
    std::string out;
    for (char c : text) {
        if (out.size() >= limit) {
            out += "...";
            break;
        }
        unsigned char u = static_cast<unsigned char>(c);
        out.push_back(u >= 0x20 && u < 0x7f ? c : '?');
    }
    return out;
}
