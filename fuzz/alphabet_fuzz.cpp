// ConvertAlphabet on arbitrary bytes: length kept both ways, and every character that does
// not become a space on its way to the device comes back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/device/alphabet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string toDevice = ribodex::ConvertAlphabet(text, true);
    const std::string back = ribodex::ConvertAlphabet(toDevice, false);
    const std::string fromDevice = ribodex::ConvertAlphabet(text, false);
    if (toDevice.size() != size || back.size() != size || fromDevice.size() != size) std::abort();
    for (std::size_t i = 0; i < size; ++i) {
        if (toDevice[i] != ' ' && back[i] != text[i]) std::abort();
        // The device alphabet is 7-bit.
        if (static_cast<unsigned char>(toDevice[i]) >= 0x80) std::abort();
        // Whatever the device sends maps to a character the device can be sent again.
        if (ribodex::ConvertAlphabet(std::string_view(&fromDevice[i], 1), true) == " " &&
            fromDevice[i] != ' ')
            std::abort();
    }
    return 0;
}
