#pragma once

#include "app/sr_flags.h"
#include "app/sr_option.h"
#include "player/thinking_level.h"

// The process-wide objects of one run: made after the application object and before the main
// window, destroyed after it. The options are written back when it is destroyed, before the
// flags release the bitmap. Exactly one may exist at a time.
class SorellProcess {
  public:
    SorellProcess();
    ~SorellProcess();
    SorellProcess(const SorellProcess&) = delete;
    SorellProcess& operator=(const SorellProcess&) = delete;

    // The live instance; null when none exists.
    static SorellProcess* instance();

    SrFlags flags;
    SrOption option;
    ThinkingLevel level = ThinkingLevel::standard();
};

// The parts of the live instance; one must exist.
SrFlags& srFlags();
SrOption& srOption();
ThinkingLevel& thinkingLevel();
