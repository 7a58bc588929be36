// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes through the Windows-1252 codec, read both as Windows-1252 and as UTF-8.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/formats/cp1252.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ribodex;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // Every Windows-1252 text survives the trip to UTF-8 and back unchanged.
    const std::string utf8 = Cp1252ToUtf8(bytes);
    const auto back = Utf8ToCp1252(utf8);
    if (!back || *back != bytes) std::abort();

    // As UTF-8: a text that converts must come back as the same UTF-8, and the display
    // variant must agree with it; a refusal must point inside the input.
    Cp1252Refusal refusal;
    const auto strict = Utf8ToCp1252(bytes, &refusal);
    const std::string lossy = Utf8ToCp1252Lossy(bytes);
    if (strict) {
        if (Cp1252ToUtf8(*strict) != bytes || lossy != *strict) std::abort();
    } else {
        if (refusal.offset >= size) std::abort();
        if (lossy.find('?') == std::string::npos) std::abort();
        if (lossy.size() > size) std::abort();
    }
    return 0;
}
