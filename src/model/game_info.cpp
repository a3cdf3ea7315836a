#include "model/game_info.h"

namespace {

struct Field {
    const char* name;
    std::string GameInfo::*value;
};

constexpr Field kFields[] = {
    {"PB", &GameInfo::black},  {"PW", &GameInfo::white}, {"DT", &GameInfo::date},
    {"RE", &GameInfo::result}, {"EV", &GameInfo::event}, {"ON", &GameInfo::opening},
};

// The full-width form (UTF-8) of a character the record text reserves; null for others.
const char* fullWidth(char c) {
    switch (c) {
    case '[':
        return "\xEF\xBC\xBB"; // U+FF3B
    case ']':
        return "\xEF\xBC\xBD"; // U+FF3D
    case '(':
        return "\xEF\xBC\x88"; // U+FF08
    case ')':
        return "\xEF\xBC\x89"; // U+FF09
    case ';':
        return "\xEF\xBC\x9B"; // U+FF1B
    case '\\':
        return "\xEF\xBC\xBC"; // U+FF3C
    default:
        return nullptr;
    }
}

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

bool GameInfo::empty() const {
    for (const Field& f : kFields)
        if (!(this->*f.value).empty()) return false;
    return true;
}

void GameInfo::appendProperties(std::vector<std::string>& properties) const {
    for (const Field& f : kFields) {
        const std::string& v = this->*f.value;
        if (!v.empty()) properties.push_back(std::string(f.name) + '[' + v + ']');
    }
}

bool GameInfo::takeProperty(std::string_view property) {
    const size_t open = property.find('[');
    if (open != 2 || property.size() < 4 || property.back() != ']') return false;
    for (const Field& f : kFields) {
        if (property.substr(0, 2) != f.name) continue;
        this->*f.value = cleanGameInfoValue(property.substr(3, property.size() - 4));
        return true;
    }
    return false;
}

std::string cleanGameInfoValue(std::string_view value) {
    std::string out;
    for (char c : value) {
        if (const char* wide = fullWidth(c))
            out += wide;
        else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            out += ' ';
        else
            out += c;
    }
    const size_t first = out.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    out.erase(0, first);
    out.erase(out.find_last_not_of(' ') + 1);
    if (out.size() > kMaxGameInfoBytes) {
        size_t cut = kMaxGameInfoBytes;
        while (cut > 0 && isContinuationByte(out[cut])) --cut;
        out.resize(cut);
        out.erase(out.find_last_not_of(' ') + 1);
    }
    return out;
}
