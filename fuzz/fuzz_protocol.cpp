// The engine protocol: any sequence of lines is answered line by line without a crash; the
// answers are single lines, the position stays a legal game history, and a refused command
// leaves the position as it was.

#include "base/geometry.h"
#include "fuzz_check.h"
#include "protocol/pbrain_session.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace {

// A quick stand-in for the search: an empty point chosen from the position, sometimes a bad
// answer, so the session's own checks are exercised too.
int quickDecider(const BanHistory& history) {
    bool used[kPoints] = {};
    unsigned h = 0;
    for (const MovedPos& m : history) {
        used[cellIndex(m.x, m.y)] = true;
        h = h * 31 + cellIndex(m.x, m.y);
    }
    if (h % 7 == 3) return static_cast<int>(h % 300); // may be occupied or off the board
    for (int k = 0; k < kPoints; ++k) {
        int i = static_cast<int>((h + static_cast<unsigned>(k) * 97) % kPoints);
        if (!used[i]) return i;
    }
    return kNoMove;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    PbrainSession session(quickDecider);
    std::string line;
    bool tooLong = false;
    while (!session.ended() && readProtocolLine(in, line, tooLong)) {
        if (tooLong) continue;
        const std::string before = session.history().moveText();
        std::vector<std::string> answers = session.handleLine(line);
        for (const std::string& a : answers)
            FUZZ_CHECK(a.find_first_of("\r\n") == std::string::npos);
        if (answers.size() == 1 &&
            (answers[0].rfind("ERROR", 0) == 0 || answers[0].rfind("UNKNOWN", 0) == 0)) {
            // A refusal changes nothing, except a TURN that ended the game: its stone stays.
            ProtocolCommand c = parseCommand(line);
            if (c.kind != CommandKind::Turn) FUZZ_CHECK(session.history().moveText() == before);
        }
        const BanHistory& h = session.history();
        FUZZ_CHECK(h.size() <= static_cast<size_t>(kPoints));
        bool used[kPoints] = {};
        int k = 0;
        for (const MovedPos& m : h) {
            FUZZ_CHECK(onBoard(m.x, m.y));
            FUZZ_CHECK(!used[cellIndex(m.x, m.y)]);
            used[cellIndex(m.x, m.y)] = true;
            FUZZ_CHECK(m.colour == colourToMove(k++));
        }
    }
    return 0;
}
