#include "app/sorell_process.h"

#include <cassert>

namespace {
SorellProcess* liveProcess = nullptr;
}

SorellProcess::SorellProcess() {
    assert(liveProcess == nullptr);
    liveProcess = this;
}

SorellProcess::~SorellProcess() {
    liveProcess = nullptr;
}

SorellProcess* SorellProcess::instance() {
    return liveProcess;
}

SrFlags& srFlags() {
    assert(liveProcess);
    return liveProcess->flags;
}

SrOption& srOption() {
    assert(liveProcess);
    return liveProcess->option;
}

ThinkingLevel& thinkingLevel() {
    assert(liveProcess);
    return liveProcess->level;
}
