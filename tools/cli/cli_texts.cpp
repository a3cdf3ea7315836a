#include "cli/cli_texts.h"

#include "base/geometry.h"
#include "model/history_line.h"
#include "rules/move_code.h"

namespace {

bool gEnglish = false;

// The English names of moveCodeName's table, as the window's English move list writes them.
const char* const kEnglishNames[kMoveCodeCount] = {"overline",
                                                   "five",
                                                   "straight four",
                                                   "4x4",
                                                   "4x3",
                                                   "four",
                                                   "four",
                                                   "four",
                                                   "four",
                                                   "3x3",
                                                   "3x3",
                                                   "3x3",
                                                   "three",
                                                   "three",
                                                   "three",
                                                   "three",
                                                   "",
                                                   "",
                                                   "",
                                                   "",
                                                   "",
                                                   "forbidden 3x3",
                                                   "forbidden 4x4",
                                                   "forbidden overline"};

// The code of a quiet stone that makes no open two.
constexpr int kQuietNothing = kCodeNothing;

} // namespace

void setCliEnglish(bool english) {
    gEnglish = english;
}

bool cliEnglish() {
    return gEnglish;
}

bool englishLocale(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* value : {lcAll, lcMessages, lang}) {
        if (value && *value) return value[0] == 'e' && value[1] == 'n';
    }
    return false;
}

std::string cliCodeName(int code) {
    if (code < 0 || code >= kMoveCodeCount) return "?";
    if (isQuietCode(code)) {
        const int twos = kQuietNothing - code;
        if (twos == 0) return gEnglish ? "nothing" : "なし";
        if (twos == 1) return gEnglish ? "two" : "二";
        return gEnglish ? std::to_string(twos) + " twos" : "二×" + std::to_string(twos);
    }
    return gEnglish ? kEnglishNames[code] : moveCodeName(code);
}

std::string cliHistoryLine(int number, char colour, int x, int y, int code) {
    if (!gEnglish) return historyLine(number, colour, x, y, code);
    std::string line = colour == kBlack ? "B" : "W";
    line += std::to_string(number);
    line += '(';
    line += pointText(x, y);
    line += "):";
    if (code >= 0 && code < kMoveCodeCount) line += kEnglishNames[code];
    return line;
}
