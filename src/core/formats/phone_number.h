// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace ribodex {

// Numbers as people write them ("+49 (30) 123-456", "tel:+1-555-0100", "*100#") made into
// what a phone book stores, and the one comparison of two numbers. Pure functions; every
// path that checks or writes a number typed, pasted or imported goes through CleanNumber.

struct CleanedNumber {
    std::string number;   // what is stored: a dial string, or what was left when it is none
    std::string removed;  // the separators taken out, in order ("  ()-")
    bool valid = false;   // number is a dial string (IsDialString)
};

// Without a "tel:" prefix (a tel URI's parameters after ';' dropped, %XX decoded) and
// without the blanks, tabs, no-break spaces, '-', '.', '/', '(' and ')' written between the
// digits; leading and trailing white space is dropped too.
CleanedNumber CleanNumber(std::string_view written);

// The number of a tel URI without its scheme: "+1-555-0100;ext=12" gives "+1-555-0100",
// "*100%23" gives "*100#".
std::string TelUriNumber(std::string_view uri);

// What a phone stores in its number field: an optional single leading '+', then the digits,
// '*' and '#' (service codes such as *100# and #31#) and the pauses 'p' and 'w' (either
// case). Not empty; a lone "+" passes, as it always has.
bool IsDialString(std::string_view number);
// How messages say what IsDialString wants.
inline constexpr std::string_view kNotADialString =
    "not a number a phone book holds (digits, * and #, p or w, an optional leading +)";

// The type field for a number: 145 (international) exactly when it starts with '+', else 129.
int NumberTypeFor(std::string_view number);

// The form two numbers are compared in: cleaned, a leading '+' written as "00", pauses in
// lower case. "+4930123" and "0049 30 123" compare equal; "030123" does not (the country is
// not known).
std::string ComparableNumber(std::string_view number);

}  // namespace ribodex
