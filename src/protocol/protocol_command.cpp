#include "protocol/protocol_command.h"

#include <array>
#include <utility>
#include <vector>

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool sameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i])) return false;
    return true;
}

// Splits text at commas into at most `limit` + 1 parts (one more than wanted shows excess).
std::vector<std::string_view> splitCommas(std::string_view text, size_t limit) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (parts.size() <= limit) {
        size_t comma = text.find(',', start);
        if (comma == std::string_view::npos) {
            parts.push_back(text.substr(start));
            break;
        }
        parts.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    return parts;
}

} // namespace

std::string_view trimLine(std::string_view line) {
    while (!line.empty() && isSpace(line.front())) line.remove_prefix(1);
    while (!line.empty() && isSpace(line.back())) line.remove_suffix(1);
    return line;
}

ProtocolCommand parseCommand(std::string_view line) {
    ProtocolCommand command;
    line = trimLine(line);
    if (line.empty()) return command;

    size_t end = 0;
    while (end < line.size() && !isSpace(line[end])) ++end;
    command.word = std::string(line.substr(0, end));
    command.args = std::string(trimLine(line.substr(end)));

    static constexpr std::array<std::pair<std::string_view, CommandKind>, 12> kWords{{
        {"START", CommandKind::Start},
        {"RECTSTART", CommandKind::RectStart},
        {"RESTART", CommandKind::Restart},
        {"BEGIN", CommandKind::Begin},
        {"TURN", CommandKind::Turn},
        {"BOARD", CommandKind::Board},
        {"DONE", CommandKind::Done},
        {"TAKEBACK", CommandKind::Takeback},
        {"PLAY", CommandKind::Play},
        {"INFO", CommandKind::Info},
        {"ABOUT", CommandKind::About},
        {"END", CommandKind::End},
    }};
    command.kind = CommandKind::Unknown;
    for (const auto& [word, kind] : kWords) {
        if (sameWord(command.word, word)) {
            command.kind = kind;
            break;
        }
    }
    return command;
}

std::optional<int> parseNumber(std::string_view text) {
    text = trimLine(text);
    if (text.empty() || text.size() > 9) return std::nullopt;
    int n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

std::optional<ProtocolPoint> parsePoint(std::string_view text) {
    auto parts = splitCommas(text, 2);
    if (parts.size() != 2) return std::nullopt;
    auto x = parseNumber(parts[0]), y = parseNumber(parts[1]);
    if (!x || !y) return std::nullopt;
    return ProtocolPoint{*x, *y};
}

std::optional<ProtocolStone> parseStone(std::string_view text) {
    auto parts = splitCommas(text, 3);
    if (parts.size() != 3) return std::nullopt;
    auto x = parseNumber(parts[0]), y = parseNumber(parts[1]), f = parseNumber(parts[2]);
    if (!x || !y || !f) return std::nullopt;
    return ProtocolStone{*x, *y, *f};
}
