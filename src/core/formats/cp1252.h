// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ribodex {

// Windows-1252 <-> Unicode for the edges of the program (terminal, window, files); the core
// itself keeps names as Windows-1252 bytes. 0x80-0x9F go through the Windows-1252 table; the
// five bytes that table leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) and all other bytes
// map as Latin-1, so every byte has exactly one character and back.
// Pure functions: no state, no allocation beyond the result, callable from any thread.

// The Unicode character of one Windows-1252 byte.
char32_t Cp1252ToCodePoint(unsigned char byte);
// The Windows-1252 byte of a character, or nullopt when the code page has none (for example
// U+0080, whose byte shows the euro sign, or any character above U+00FF outside the table).
std::optional<unsigned char> CodePointToCp1252(char32_t codePoint);

// Never fails: every byte has a character. A NUL byte stays a NUL.
std::string Cp1252ToUtf8(std::string_view text);

// Why a UTF-8 text could not be converted: the first offending position only.
struct Cp1252Refusal {
    std::size_t offset = 0;    // byte offset in the UTF-8 input
    bool invalidUtf8 = false;  // the bytes are not UTF-8 (truncated, overlong, surrogate...)
    char32_t codePoint = 0;    // otherwise: the character that has no Windows-1252 form
};

// nullopt when the text is not valid UTF-8 or holds a character without a Windows-1252 form;
// then *refusal (when given) says which and where. Nothing is ever silently replaced.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8, Cp1252Refusal* refusal = nullptr);

// For display and typed input only: each character without a Windows-1252 form, and each
// invalid UTF-8 sequence, becomes one "?".
std::string Utf8ToCp1252Lossy(std::string_view utf8);

// "U+20AC" style name of a character, for messages that say what was refused.
std::string CodePointName(char32_t codePoint);

// The characters of a UTF-8 text; nullopt when it is not valid UTF-8 (the same checks as
// Utf8ToCp1252: no overlong forms, surrogates, truncated sequences or values past U+10FFFF).
std::optional<std::u32string> Utf8CodePoints(std::string_view utf8);
// Appends the UTF-8 form of one character (up to U+10FFFF).
void AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace ribodex
