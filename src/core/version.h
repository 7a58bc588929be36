// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's version and home page, for every program of the project and for the
// installed metadata (CMake reads both lines from here: keep their form).
namespace ribodex {

inline constexpr const char kVersion[] = "1.0.2.7";
inline constexpr const char kHomePage[] = "https://ribodex.org/";

}  // namespace ribodex
