// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/at_command.h"

#include "core/device/phone_book_storage.h"
#include "core/formats/phone_number.h"

namespace ribodex {
namespace {

std::string Quoted(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out.push_back('"');
    out.append(text);
    out.push_back('"');
    return out;
}

}  // namespace

bool IsSafeQuotedField(std::string_view text) {
    return text.find_first_of("\"\r\n") == std::string_view::npos;
}

std::optional<std::string> BuildPinCommand(std::string_view pin) {
    if (!IsSafeQuotedField(pin)) return std::nullopt;
    return "AT+CPIN=" + Quoted(pin) + "\r";
}

std::optional<std::string> BuildPukCommand(std::string_view puk, std::string_view newPin) {
    if (!IsSafeQuotedField(puk) || !IsSafeQuotedField(newPin)) return std::nullopt;
    return "AT+CPIN=" + Quoted(puk) + ", " + Quoted(newPin) + "\r";
}

std::optional<std::string> BuildSelectPhoneBookCommand(int code) {
    const PhoneBookStorageInfo* info = FindPhoneBookStorage(code);
    if (!info) return std::nullopt;
    return "AT+CPBS=" + Quoted(info->atName) + "\r";
}

std::string BuildReadEntryCommand(int index) {
    return "AT+CPBR=" + std::to_string(index) + "\r";
}

std::string BuildReadRangeCommand(int first, int last) {
    return "AT+CPBR=" + std::to_string(first) + ", " + std::to_string(last) + "\r";
}

int NumberTypeToWrite(std::string_view number, int entryType) {
    if (number.empty()) return 0;
    const int plain = NumberTypeFor(number);
    // A 145 without the '+' would make the device add one the user never wrote.
    if (plain == 145 || entryType < 128 || entryType > 255 || entryType == 145) return plain;
    return entryType;
}

std::optional<std::string> BuildWriteEntryCommand(int index, std::string_view number,
                                                  std::string_view deviceName, int entryType) {
    if (!IsSafeQuotedField(number) || !IsSafeQuotedField(deviceName)) return std::nullopt;
    const int type = NumberTypeToWrite(number, entryType);
    std::string line = "AT+CPBW=" + std::to_string(index) + ", " + Quoted(number) + ", ";
    if (type != 0) line.append(std::to_string(type));
    line.append(", ");
    line.append(Quoted(deviceName));  // may hold 0x00 for '@': counted, never cut
    line.push_back('\r');
    return line;
}

std::string BuildDeleteEntryCommand(int index) {
    return "AT+CPBW=" + std::to_string(index) + "\r";
}

}  // namespace ribodex
