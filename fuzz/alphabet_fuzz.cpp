// SPDX-License-Identifier: GPL-3.0-or-later
// The name conversions on arbitrary bytes: device bytes always read as valid UTF-8, and a
// name read that way goes back to the device as the same characters; UCS2 and SIM-coded
// hex decode to valid UTF-8 that encodes back; the answer reader of the name length and
// the choice of the name's set never fail.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/device/alphabet.h"
#include "core/device/name_coding.h"
#include "core/device/ucs2_text.h"
#include "core/formats/cp1252.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ribodex;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const std::string read = GsmToUtf8(text);
    if (!Utf8CodePoints(read)) std::abort();
    // Every character read has a GSM form, except the blank of a non-GSM byte (which has one
    // too) and "$" of 0x24: the second read gives the first again.
    if (const std::optional<std::string> again = Utf8ToGsm(read); !again || GsmToUtf8(*again) != read)
        std::abort();

    if (const std::optional<std::string> utf8 = Ucs2HexToUtf8(text)) {
        if (!Utf8CodePoints(*utf8)) std::abort();
        if (const std::optional<std::string> hex = Utf8ToUcs2Hex(*utf8); hex && Ucs2HexToUtf8(*hex) != utf8)
            std::abort();
    }
    if (!Utf8CodePoints(DeviceNameToUtf8(text))) std::abort();
    if (const std::optional<int> length = ParseNameLength(text); length && *length < 0) std::abort();
    (void)OffersUcs2(text);

    for (bool ucs2 : {false, true}) {
        const DeviceName name = EncodeDeviceName(text, ucs2);
        if (!Utf8CodePoints(name.stored)) std::abort();
        if (name.set == NameSet::Gsm && GsmToUtf8(name.field) != name.stored) std::abort();
        if (name.set == NameSet::Ucs2 && Ucs2HexToUtf8(name.field) != name.stored) std::abort();
    }
    return 0;
}
