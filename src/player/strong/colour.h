#pragma once

#include <cstdint>

// A stone colour of the strong search; ~c is the other one.
enum class Colour : uint8_t { Black = 0, White = 1 };

constexpr Colour operator~(Colour c) {
    return c == Colour::Black ? Colour::White : Colour::Black;
}
// The colour as an index of per-colour tables (Black 0, White 1).
constexpr int index(Colour c) {
    return static_cast<int>(c);
}
