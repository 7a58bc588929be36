// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/name_coding.h"

#include "core/device/alphabet.h"
#include "core/device/answer_parser.h"
#include "core/device/at_command.h"
#include "core/device/ucs2_text.h"
#include "core/formats/cp1252.h"

namespace ribodex {
namespace {

bool SafeInGsmField(char32_t c) { return c != U'"' && c != U'\r' && c != U'\n' && c != U'\f'; }

// ESC (the GSM escape before € [ ] { } | \ ^ ~) and SUB (Ξ) cancel a command line on
// many modems, so only the line's tail would arrive.
bool CancelsCommandLine(const std::string& gsm) { return gsm.find_first_of("\x1B\x1A") != std::string::npos; }

}  // namespace

DeviceName EncodeDeviceName(std::string_view utf8, bool ucs2Offered) {
    DeviceName name;
    std::u32string characters;
    if (std::optional<std::u32string> decoded = Utf8CodePoints(utf8)) {
        characters = std::move(*decoded);
    } else {
        for (char c : utf8) characters.push_back(Cp1252ToCodePoint(static_cast<unsigned char>(c)));
    }
    bool gsmWhole = true;
    for (char32_t c : characters) {
        const std::optional<std::string> gsm = CodePointToGsm(c);
        if (!SafeInGsmField(c) || !gsm || CancelsCommandLine(*gsm)) {
            gsmWhole = false;
            break;
        }
    }
    name.set = !gsmWhole && ucs2Offered ? NameSet::Ucs2 : NameSet::Gsm;
    std::u16string units;
    for (char32_t c : characters) {
        std::optional<std::string> gsm;
        const bool kept = name.set == NameSet::Ucs2 ? c <= 0xFFFF && !(c >= 0xD800 && c <= 0xDFFF)
                                                    : SafeInGsmField(c) && (gsm = CodePointToGsm(c));
        if (!kept) {
            name.lost.push_back(c);
            c = U' ';
            gsm = " ";
        }
        AppendUtf8(name.stored, c);
        if (name.set == NameSet::Gsm) name.field += *gsm;
    }
    if (name.set == NameSet::Ucs2) {
        name.field = Utf8ToUcs2Hex(name.stored).value_or(std::string());
        name.length = name.field.size() / 4;
    } else {
        name.length = name.field.size();
    }
    return name;
}

bool OffersUcs2(std::string_view answer) {
    if (answer.find("\"UCS2\"") != std::string_view::npos) return true;
    // Some phones list their sets bare, with or without parentheses: +CSCS: (GSM,UCS2).
    const std::size_t prefix = answer.find("+CSCS:");
    if (prefix == std::string_view::npos) return false;
    std::string_view line = answer.substr(prefix + 6);
    line = line.substr(0, line.find_first_of("\r\n"));
    for (std::size_t at = line.find("UCS2"); at != std::string_view::npos; at = line.find("UCS2", at + 1)) {
        const auto separator = [](char c) { return c == ',' || c == '(' || c == ')' || c == ' ' || c == '\t'; };
        const std::size_t end = at + 4;
        if ((at == 0 || separator(line[at - 1])) && (end == line.size() || separator(line[end]))) return true;
    }
    return false;
}

namespace {

// Field n (1: nlength, 2: tlength) after the range of "+CPBR: (first-last),<nlength>,<tlength>".
std::optional<int> PhoneBookInfoField(std::string_view answer, int n) {
    const std::size_t prefix = answer.find("+CPBR:");
    if (prefix == std::string_view::npos) return std::nullopt;
    std::string_view rest = answer.substr(prefix);
    rest = rest.substr(0, rest.find('\r'));
    const std::size_t close = rest.find(')');
    if (close == std::string_view::npos) return std::nullopt;
    rest.remove_prefix(close + 1);
    std::size_t comma = std::string_view::npos;
    for (int i = 0; i < n; ++i) {
        comma = rest.find(',', comma == std::string_view::npos ? 0 : comma + 1);
        if (comma == std::string_view::npos) return std::nullopt;
    }
    const std::size_t end = rest.find(',', comma + 1);
    if (n == 1 && end == std::string_view::npos) return std::nullopt;  // the text length must follow
    const std::string_view field = Trim(rest.substr(comma + 1, end == std::string_view::npos ? end : end - comma - 1));
    if (field.empty() || DigitsOnly(field) != field) return std::nullopt;
    return ParseInt(field);
}

}  // namespace

std::optional<int> ParseNameLength(std::string_view answer) { return PhoneBookInfoField(answer, 2); }

std::optional<int> ParseNumberLength(std::string_view answer) { return PhoneBookInfoField(answer, 1); }

std::optional<std::string> BuildUcs2WriteCommand(int index, std::string_view number, std::string_view hexName,
                                                 bool hexNumber, int entryType) {
    if (!IsSafeQuotedField(number) || !IsSafeQuotedField(hexName)) return std::nullopt;
    const int type = NumberTypeToWrite(number, entryType);
    std::string field(number);
    if (hexNumber) {
        if (!field.empty() && field.front() == '+') field.erase(0, 1);
        field = Utf8ToUcs2Hex(field).value_or(std::string());
    }
    std::string line = "AT+CPBW=" + std::to_string(index) + ", \"" + field + "\", ";
    if (type != 0) line.append(std::to_string(type));
    line.append(", \"");
    line.append(hexName);
    line.append("\"\r");
    return line;
}

std::optional<std::string> HexNumberToPlain(std::string_view field) {
    if (!field.empty() && field.front() == '+') field.remove_prefix(1);
    if (field.empty()) return std::nullopt;
    std::optional<std::string> plain = Ucs2HexToUtf8(field);
    if (!plain) return std::nullopt;
    for (char c : *plain)
        if (!((c >= '0' && c <= '9') || c == '+' || c == '*' || c == '#')) return std::nullopt;
    return plain;
}

}  // namespace ribodex
