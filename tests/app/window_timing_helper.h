// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/timing.h"

namespace ribodex::test {

// The device waits of the window's tests, cut to what the simulated phone needs.
inline Timing FastTiming()
{
    Timing timing;
    timing.afterDtrMs = 0;
    timing.afterDisconnectMs = 0;
    timing.afterPinAcceptedMs = 20;
    timing.beforeFullReadMs = 20;
    timing.perPastedRecordMs = 1;
    timing.commandLimitMs = 1500;
    timing.pinLimitMs = 1500;
    timing.fullReadLimitMs = 3000;
    return timing;
}

}  // namespace ribodex::test
