#include "core/formats/device_text.h"

#include "core/device/alphabet.h"
#include "core/device/answer_parser.h"
#include "core/formats/cp1252.h"

namespace ribodex {

StorableName ToStorableName(std::string_view utf8) {
    std::u32string characters;
    if (std::optional<std::u32string> decoded = Utf8CodePoints(utf8)) {
        characters = std::move(*decoded);
    } else {
        for (char c : utf8) characters.push_back(Cp1252ToCodePoint(static_cast<unsigned char>(c)));
    }
    StorableName name;
    for (char32_t c : characters) {
        const std::optional<unsigned char> byte = CodePointToCp1252(c);
        const std::string one(1, static_cast<char>(byte.value_or(0)));
        const bool kept = byte && *byte >= 0x20 && *byte != '"' &&
                          ConvertAlphabet(ConvertAlphabet(one, true), false) == one;
        name.cp1252 += kept ? one : std::string(" ");
        if (!kept) name.lost.push_back(c);
    }
    const std::size_t first = name.cp1252.find_first_not_of(' ');
    name.cp1252 = first == std::string::npos
                      ? std::string()
                      : name.cp1252.substr(first, name.cp1252.find_last_not_of(' ') - first + 1);
    return name;
}

std::optional<std::string> ToStorableNumber(std::string_view tel) {
    if (tel.size() >= 4 && (tel.substr(0, 4) == "tel:" || tel.substr(0, 4) == "TEL:")) tel.remove_prefix(4);
    std::string number;
    for (char c : tel) {
        if (c == ' ' || c == '-' || c == '.' || c == '/' || c == '(' || c == ')') continue;
        number.push_back(c);
    }
    if (!IsValidNumber(number)) return std::nullopt;
    return number;
}

}  // namespace ribodex
