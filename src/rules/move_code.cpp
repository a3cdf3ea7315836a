#include "rules/move_code.h"

namespace {
const char* const kNames[kMoveCodeCount] = {
    "長連", "五", "達四", "四四", "四三", "四", "四", "四", "四", "三三",   "三三",   "三三",
    "三",   "三", "三",   "三",   "",     "",   "",   "",   "",   "三三禁", "四四禁", "長連禁",
};
} // namespace

const char* moveCodeName(int code) {
    if (code < 0 || code >= kMoveCodeCount) return "";
    return kNames[code];
}
