#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Longest value of one game-information field, in bytes (cut at a character boundary).
inline constexpr size_t kMaxGameInfoBytes = 200;

// What a player writes about a game: the players' names, the date, the result, the event and
// the opening. Kept in the record text as root properties PB, PW, DT, RE, EV and ON; a record
// whose fields are all empty writes none of them.
struct GameInfo {
    std::string black;
    std::string white;
    std::string date;
    std::string result;
    std::string event;
    std::string opening;

    bool empty() const;
    bool operator==(const GameInfo&) const = default;

    // Appends "PB[black]" ... for every field that is not empty, in the order above.
    void appendProperties(std::vector<std::string>& properties) const;
    // Takes one read property "NAME[value]" when NAME is one of the six; the value is cleaned
    // with cleanGameInfoValue. False, nothing changed, for any other property.
    bool takeProperty(std::string_view property);
};

// The value as the record text can hold it: the characters that end or open a property or a
// node ("[", "]", "(", ")", ";", "\") become their full-width forms, control characters and
// line ends become spaces, the ends are trimmed and the length is cut to kMaxGameInfoBytes
// without splitting a UTF-8 character.
std::string cleanGameInfoValue(std::string_view value);
