// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/card/card_status.h"

namespace ribodex {

// The alpha identifier of a SIM record (the name of ADN, FDN, MSISDN) against the UTF-8 name
// the program holds. Pure, any thread.

// The name the field holds: GSM default alphabet (with its extension table) when the first
// byte is below 80; UCS2 big-endian after 80 up to FFFF; after 81 and 82 a count, a base
// and one byte a character (below 80 a GSM character, else base plus its low seven bits).
// Padding (FF) ends it; a count or character reaching past the field is cut at the field.
std::string DecodeAlpha(const std::uint8_t* field, std::size_t width);

enum class AlphaCoding { Gsm, Ucs2, Ucs2Base81, Ucs2Base82 };

struct EncodedAlpha {
    AlphaCoding coding = AlphaCoding::Gsm;
    Bytes field;  // width bytes, padded with FF
};

// The field for name in width bytes: GSM when the whole name fits so, else the first of the
// codings 80, 81, 82 that holds it whole. nullopt when none does (or the text is not UTF-8).
std::optional<EncodedAlpha> EncodeAlpha(std::string_view utf8, std::size_t width);

// The longest start of name that EncodeAlpha takes for width (the whole name when it fits),
// so that the user can be asked before anything is cut.
std::string FittingAlpha(std::string_view utf8, std::size_t width);

}  // namespace ribodex
