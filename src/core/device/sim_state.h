// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace ribodex {

enum SimState : int {
    SimReady = 1,
    SimPinRequired = 2,
    SimPukRequired = 3,
    SimUnknown = -1,
};

}  // namespace ribodex
