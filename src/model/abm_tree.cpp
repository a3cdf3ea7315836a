#include "model/abm_tree.h"

#include <cctype>
#include <cstdint>
#include <limits>

int32_t leadingInteger(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t v = 0;
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        v = v * 10 + (text[i++] - '0');
        if (v > kLimit) v = kLimit;
    }
    if (negative) return static_cast<int32_t>(-v);
    return static_cast<int32_t>(v >= kLimit ? kLimit - 1 : v);
}
