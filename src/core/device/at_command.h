// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ribodex {

// The exact command lines of GsmDevice, each ending with one carriage return, as pure
// functions so their bytes can be checked without a device. A builder that returns
// nullopt refuses the command: nothing of it may be sent.

inline constexpr std::string_view kPinStateCommand = "AT+CPIN?\r";
inline constexpr std::string_view kPinRetriesCommand = "AT+CPINR\r";
inline constexpr std::string_view kHuaweiPinRetriesCommand = "AT^CPIN?\r";
inline constexpr std::string_view kPhoneBooksCommand = "AT+CPBS=?\r";
inline constexpr std::string_view kCurrentPhoneBookCommand = "AT+CPBS?\r";
inline constexpr std::string_view kPhoneBookInfoCommand = "AT+CPBR=?\r";
inline constexpr std::string_view kGsmCharacterSetCommand = "AT+CSCS=\"GSM\"\r";
inline constexpr std::string_view kUcs2CharacterSetCommand = "AT+CSCS=\"UCS2\"\r";
inline constexpr std::string_view kCharacterSetsCommand = "AT+CSCS=?\r";

// True when text can stand inside a quoted field: a '"', '\r' or '\n' in it would end the
// field or the line early and the device would run a different (or a second) command.
bool IsSafeQuotedField(std::string_view text);

// AT+CPIN="<pin>"
std::optional<std::string> BuildPinCommand(std::string_view pin);
// AT+CPIN="<puk>", "<new pin>"
std::optional<std::string> BuildPukCommand(std::string_view puk, std::string_view newPin);
// AT+CPBS="<AT name>"; nullopt for anything but one of the six single-bit codes.
std::optional<std::string> BuildSelectPhoneBookCommand(int code);
// AT+CPBR=<index>
std::string BuildReadEntryCommand(int index);
// AT+CPBR=<first>, <last>
std::string BuildReadRangeCommand(int first, int last);
// The <type> a write sends with number: 145 exactly for a leading '+' (the device keeps the
// '+' in the type), else the entry's own type where it has one (161 national, 129, ...,
// as read or copied), else 129; 0 (no type field) for an empty number.
int NumberTypeToWrite(std::string_view number, int entryType);
// AT+CPBW=<index>, "<number>", <type>, "<name>", the type as NumberTypeToWrite gives it.
// deviceName is already in the device alphabet.
std::optional<std::string> BuildWriteEntryCommand(int index, std::string_view number,
                                                  std::string_view deviceName, int entryType = 0);
// AT+CPBW=<index>
std::string BuildDeleteEntryCommand(int index);

}  // namespace ribodex
