// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/device_text.h"

#include "core/device/answer_parser.h"
#include "core/device/name_coding.h"
#include "core/formats/cp1252.h"
#include "core/formats/phone_number.h"

namespace ribodex {

StorableName ToStorableName(std::string_view utf8, bool ucs2Offered) {
    std::u32string characters;
    if (std::optional<std::u32string> decoded = Utf8CodePoints(utf8)) {
        characters = std::move(*decoded);
    } else {
        for (char c : utf8) characters.push_back(Cp1252ToCodePoint(static_cast<unsigned char>(c)));
    }
    StorableName name;
    std::string printable;
    for (char32_t c : characters) {
        const bool control = c < 0x20 || (c >= 0x7F && c < 0xA0);
        if (control) name.lost.push_back(c);
        AppendUtf8(printable, control ? U' ' : c);
    }
    DeviceName device = EncodeDeviceName(printable, ucs2Offered);
    name.lost += device.lost;
    const std::size_t first = device.stored.find_first_not_of(' ');
    name.text = first == std::string::npos
                    ? std::string()
                    : device.stored.substr(first, device.stored.find_last_not_of(' ') - first + 1);
    return name;
}

std::optional<std::string> ToStorableNumber(std::string_view tel) {
    CleanedNumber cleaned = CleanNumber(tel);
    if (!cleaned.valid) return std::nullopt;
    return std::move(cleaned.number);
}

std::string DescribeCharacters(const std::u32string& characters) {
    std::string text;
    for (char32_t c : characters) {
        if (!text.empty()) text += ", ";
        if (c >= 0x20 && c != 0x7F && !(c >= 0x80 && c < 0xA0)) {
            AppendUtf8(text, c);
            text += ' ';
        }
        text += "(" + CodePointName(c) + ")";
    }
    return text;
}

}  // namespace ribodex
