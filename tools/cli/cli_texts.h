#pragma once

#include <string>

// The language of sorell-cli's answers: Japanese as the game writes them, or English.
void setCliEnglish(bool english);
bool cliEnglish();

// Whether the locale the environment names is English: the first of LC_ALL, LC_MESSAGES and
// LANG that is set and not empty starts with "en". Null stands for an unset variable.
bool englishLocale(const char* lcAll, const char* lcMessages, const char* lang);

// A name for every move code 0..23 in the answers' language: the game's shape names
// ("五", "three"), the open twos a quiet stone makes ("二×2", "2 twos") and "なし" / "nothing".
// Out of range: "?".
std::string cliCodeName(int code);

// One line of the move history: "黒1(h8):三" in Japanese, "B1(h8):three" in English; no
// name after the colon for a quiet move.
std::string cliHistoryLine(int number, char colour, int x, int y, int code);
