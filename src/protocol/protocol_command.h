#pragma once

#include <optional>
#include <string>
#include <string_view>

// The commands of the Gomocup engine protocol that the brain tells apart.
enum class CommandKind {
    Empty,     // a blank line: ignored
    Start,     // START size
    RectStart, // RECTSTART width,height
    Restart,
    Begin,
    Turn,  // TURN x,y
    Board, // BOARD: stone lines follow until DONE
    Done,
    Takeback, // TAKEBACK x,y
    Play,     // PLAY x,y
    Info,     // INFO key value
    About,
    End,
    Unknown, // any other first word
};

// One input line split into its command and its argument text. The command word is matched
// without regard to case; the argument text is the rest of the line with the spaces around it
// removed. Nothing here validates the arguments.
struct ProtocolCommand {
    CommandKind kind = CommandKind::Empty;
    std::string word; // the first word as written
    std::string args; // the rest of the line, trimmed
};

// Splits one line (a trailing CR, if any, is dropped; the line holds no LF).
ProtocolCommand parseCommand(std::string_view line);

// A non-negative decimal number of at most nine digits, with optional spaces around it.
std::optional<int> parseNumber(std::string_view text);

// Two or three numbers separated by commas ("7,7" or "7,7,1"), spaces allowed around each
// number. Nothing when the count of numbers differs or one of them is not a number.
struct ProtocolPoint {
    int x = 0;
    int y = 0;
};
std::optional<ProtocolPoint> parsePoint(std::string_view text);
struct ProtocolStone {
    int x = 0;
    int y = 0;
    int field = 0;
};
std::optional<ProtocolStone> parseStone(std::string_view text);

// The line with a trailing CR and the spaces and tabs at both ends removed.
std::string_view trimLine(std::string_view line);
