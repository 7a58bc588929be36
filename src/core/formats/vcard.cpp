// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/vcard.h"

#include <array>
#include <optional>

#include "core/formats/cp1252.h"
#include "core/formats/phone_number.h"

namespace ribodex {
namespace {

constexpr auto npos = std::string_view::npos;
constexpr std::string_view kSpaces = " \t";

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i])) return false;
    return true;
}

std::string_view TrimSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kSpaces);
    if (first == npos) return {};
    return text.substr(first, text.find_last_not_of(kSpaces) - first + 1);
}

// The parts of text between separators that stand outside double quotes; a quote only
// groups in the parameter section, so values pass quoteAware false.
std::vector<std::string_view> Split(std::string_view text, char separator, bool quoteAware) {
    std::vector<std::string_view> parts;
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (quoteAware && text[i] == '"') quoted = !quoted;
        if (text[i] == '\\' && !quoteAware) {
            ++i;  // an escaped separator belongs to the value
            continue;
        }
        if (text[i] == separator && !quoted) {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(text.substr(start));
    return parts;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = Upper(c);
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "=XX" becomes the byte; a soft line break ("=" at the end) was removed when the lines
// were joined; any other "=" stays as it is.
std::string DecodeQuotedPrintable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '=' && i + 2 < text.size()) {
            const int high = HexValue(text[i + 1]), low = HexValue(text[i + 2]);
            if (high >= 0 && low >= 0) {
                out.push_back(static_cast<char>(high * 16 + low));
                i += 2;
                continue;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

// 8-bit text in the charset a parameter named, as UTF-8.
std::string ToUtf8(std::string_view bytes, std::string_view charset) {
    if (SameText(charset, "ISO-8859-1") || SameText(charset, "LATIN1")) {
        std::string out;
        for (char c : bytes) AppendUtf8(out, static_cast<unsigned char>(c));
        return out;
    }
    if (SameText(charset, "WINDOWS-1252") || SameText(charset, "CP1252")) return Cp1252ToUtf8(bytes);
    // UTF-8 (the default), ASCII, or a set we do not know: kept when it is UTF-8, else the
    // bytes are what an old Windows address book wrote.
    if (Utf8CodePoints(bytes)) return std::string(bytes);
    return Cp1252ToUtf8(bytes);
}

// \n and \N a line break, \, \; \: \\ the character itself.
std::string Unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[++i];
            out.push_back(next == 'n' || next == 'N' ? '\n' : next);
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

struct Property {
    std::string_view name;    // without its group
    std::string value;        // decoded to UTF-8, not yet unescaped
    bool binary = false;      // base64: not text
};

bool IsQuotedPrintable(std::string_view parameter) {
    const std::size_t eq = parameter.find('=');
    const std::string_view value = eq == npos ? parameter : parameter.substr(eq + 1);
    return SameText(TrimSpaces(value), "QUOTED-PRINTABLE");
}

// The parameter section of a content line (name and parameters, before the first colon
// outside quotes), or nullopt when the line has no colon.
std::optional<std::string_view> Head(std::string_view line) {
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        if (line[i] == ':' && !quoted) return line.substr(0, i);
    }
    return std::nullopt;
}

bool HeadSaysQuotedPrintable(std::string_view line) {
    const std::optional<std::string_view> head = Head(line);
    if (!head) return false;
    const std::vector<std::string_view> parts = Split(*head, ';', true);
    for (std::size_t i = 1; i < parts.size(); ++i)
        if (IsQuotedPrintable(parts[i])) return true;
    return false;
}

std::optional<Property> ParseLine(std::string_view line) {
    const std::optional<std::string_view> head = Head(line);
    if (!head) return std::nullopt;
    const std::string_view rawValue = line.substr(head->size() + 1);
    const std::vector<std::string_view> parts = Split(*head, ';', true);
    Property property;
    property.name = TrimSpaces(parts[0]);
    if (const std::size_t dot = property.name.rfind('.'); dot != npos)
        property.name = property.name.substr(dot + 1);  // "item1.TEL"
    bool quotedPrintable = false;
    std::string_view charset;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const std::string_view parameter = TrimSpaces(parts[i]);
        const std::size_t eq = parameter.find('=');
        const std::string_view key = eq == npos ? std::string_view() : TrimSpaces(parameter.substr(0, eq));
        std::string_view value = eq == npos ? parameter : TrimSpaces(parameter.substr(eq + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (IsQuotedPrintable(parameter)) quotedPrintable = true;
        if (SameText(key, "CHARSET")) charset = value;
        if ((key.empty() || SameText(key, "ENCODING")) && (SameText(value, "B") || SameText(value, "BASE64")))
            property.binary = true;
    }
    const std::string bytes = quotedPrintable ? DecodeQuotedPrintable(rawValue) : std::string(rawValue);
    property.value = ToUtf8(bytes, charset);
    return property;
}

// "prefix given additional family suffix" from N's family;given;additional;prefix;suffix.
std::string NameFromParts(std::string_view value) {
    const std::vector<std::string_view> parts = Split(value, ';', false);
    constexpr std::array<std::size_t, 5> kOrder = {3, 1, 2, 0, 4};
    std::string name;
    for (std::size_t index : kOrder) {
        if (index >= parts.size()) continue;
        const std::string part = Unescape(TrimSpaces(parts[index]));
        if (part.empty()) continue;
        if (!name.empty()) name += ' ';
        name += part;
    }
    return name;
}

std::string NumberFrom(std::string_view value) {
    std::string number = std::string(TrimSpaces(Unescape(value)));
    if (number.size() >= 4 && SameText(std::string_view(number).substr(0, 4), "TEL:"))
        number = TelUriNumber(std::string_view(number).substr(4));
    return std::string(TrimSpaces(number));
}

// One card being read.
struct Card {
    std::string formatted;  // FN
    std::string parts;      // from N
    std::string nickname;   // NICKNAME's first value
    std::string org;        // ORG's first part
    VCardContact contact;   // numbers and where it came from

    VCardContact Finish() {
        contact.name = !formatted.empty() ? formatted : !parts.empty() ? parts : !nickname.empty() ? nickname : org;
        return std::move(contact);
    }
};

// A decimal number of a few digits, or nullopt.
std::optional<int> SmallNumber(std::string_view text) {
    text = TrimSpaces(text);
    if (text.empty() || text.size() > 9) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// "SM" and the other AT names of memories: two capital letters.
std::string MemoryName(std::string_view text) {
    text = TrimSpaces(text);
    if (text.size() != 2) return {};
    for (char c : text)
        if (c < 'A' || c > 'Z') return {};
    return std::string(text);
}

void TakeProperty(const Property& property, Card& card) {
    if (property.binary) return;
    if (SameText(property.name, "FN")) {
        card.formatted = std::string(TrimSpaces(Unescape(property.value)));
    } else if (SameText(property.name, "N")) {
        card.parts = NameFromParts(property.value);
    } else if (SameText(property.name, "NICKNAME")) {
        card.nickname = std::string(TrimSpaces(Unescape(Split(property.value, ',', false)[0])));
    } else if (SameText(property.name, "X-RIBODEX-MEMORY")) {
        card.contact.memory = MemoryName(property.value);
    } else if (SameText(property.name, "X-RIBODEX-INDEX")) {
        card.contact.index = SmallNumber(property.value).value_or(-1);
    } else if (SameText(property.name, "X-RIBODEX-TYPE")) {
        card.contact.numberType = SmallNumber(property.value).value_or(0);
    } else if (SameText(property.name, "X-RIBODEX-LOCATION")) {
        const std::string_view value = property.value;
        if (const std::size_t colon = value.find(':'); colon != npos) {
            card.contact.memory = MemoryName(value.substr(0, colon));
            card.contact.index = SmallNumber(value.substr(colon + 1)).value_or(-1);
        }
    } else if (SameText(property.name, "ORG")) {
        card.org = std::string(TrimSpaces(Unescape(Split(property.value, ';', false)[0])));
    } else if (SameText(property.name, "TEL")) {
        std::string number = NumberFrom(property.value);
        if (!number.empty()) card.contact.numbers.push_back(std::move(number));
    }
}

// Splits the text into physical lines (CR LF, LF or CR alone ends one).
std::vector<std::string_view> PhysicalLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

}  // namespace

std::vector<VCardContact> ReadVCards(std::string_view text) {
    std::vector<VCardContact> contacts;
    const std::vector<std::string_view> lines = PhysicalLines(text);
    int depth = 0;          // nested cards (a 2.1 AGENT) are not contacts of the file
    bool oldFolding = false;  // 2.1 keeps the white space of a folded line
    Card card;
    for (std::size_t i = 0; i < lines.size();) {
        // A logical line: folded continuations start with white space; a quoted-printable
        // value ending with "=" goes on in the next line, whatever that starts with.
        std::string line(lines[i++]);
        std::optional<bool> quotedPrintable;  // looked up once: the head does not change
        for (;;) {
            if (i < lines.size() && !lines[i].empty() && kSpaces.find(lines[i][0]) != npos) {
                line.append(lines[i++].substr(oldFolding ? 0 : 1));
            } else if (i < lines.size() && !line.empty() && line.back() == '=' &&
                       *(quotedPrintable ? quotedPrintable : (quotedPrintable = HeadSaysQuotedPrintable(line)))) {
                line.pop_back();
                line.append(lines[i++]);
            } else {
                break;
            }
        }
        const std::optional<Property> property = ParseLine(line);
        if (!property) continue;
        const std::string_view value = TrimSpaces(property->value);
        if (SameText(property->name, "BEGIN") && SameText(value, "VCARD")) {
            if (++depth == 1) {
                card = Card();
                oldFolding = false;
            }
        } else if (SameText(property->name, "END") && SameText(value, "VCARD")) {
            if (depth > 0 && --depth == 0) contacts.push_back(card.Finish());
        } else if (depth == 1) {
            if (SameText(property->name, "VERSION")) oldFolding = value == "2.1";
            TakeProperty(*property, card);
        }
    }
    if (depth > 0) contacts.push_back(card.Finish());
    return contacts;
}

namespace {

// Text value of vCard 3.0: backslash, comma, semicolon and line breaks escaped.
std::string Escape(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == '\\' || c == ',' || c == ';') {
            out.push_back('\\');
            out.push_back(c);
        } else if (c == '\r' || c == '\n') {
            out += "\\n";
            if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

// One content line, folded so that no line holds more than 75 octets; a UTF-8 character is
// never cut.
void AppendLine(std::string& out, std::string_view line) {
    std::size_t room = 75;
    std::size_t start = 0;
    while (line.size() - start > room) {
        std::size_t cut = start + room;
        while (cut > start && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
        if (cut == start) cut = start + room;  // not UTF-8 at all: octets are all that count
        out.append(line.substr(start, cut - start));
        out += "\r\n ";
        start = cut;
        room = 74;  // the leading space counts
    }
    out.append(line.substr(start));
    out += "\r\n";
}

void AppendCardHead(std::string& out, const PhoneBookEntry& entry) {
    const std::string name = Escape(entry.name);
    out += "BEGIN:VCARD\r\nVERSION:3.0\r\n";
    AppendLine(out, "FN:" + name);
    AppendLine(out, "N:" + name + ";;;;");
    AppendLine(out, "TEL:" + Escape(Cp1252ToUtf8(entry.number)));
}

}  // namespace

std::string WriteVCards(const std::vector<PhoneBookEntry>& entries, std::string_view memory) {
    std::string out;
    for (const PhoneBookEntry& entry : entries) {
        AppendCardHead(out, entry);
        if (!memory.empty())
            AppendLine(out, "X-RIBODEX-LOCATION:" + std::string(memory) + ":" + std::to_string(entry.index));
        out += "END:VCARD\r\n";
    }
    return out;
}

std::string WriteBackupVCards(const std::vector<MemoryEntry>& entries) {
    std::string out;
    for (const MemoryEntry& item : entries) {
        AppendCardHead(out, item.entry);
        AppendLine(out, "X-RIBODEX-MEMORY:" + item.memory);
        AppendLine(out, "X-RIBODEX-INDEX:" + std::to_string(item.entry.index));
        const int type = item.entry.type != 0 ? item.entry.type : NumberTypeFor(item.entry.number);
        AppendLine(out, "X-RIBODEX-TYPE:" + std::to_string(type));
        out += "END:VCARD\r\n";
    }
    return out;
}

std::vector<MemoryEntry> ReadBackupVCards(std::string_view text, std::size_t* skipped) {
    std::vector<MemoryEntry> entries;
    std::size_t others = 0;
    for (VCardContact& contact : ReadVCards(text)) {
        if (contact.memory.empty() || contact.index < 0) {
            ++others;
            continue;
        }
        PhoneBookEntry entry;
        entry.index = contact.index;
        entry.name = std::move(contact.name);
        entry.number = contact.numbers.empty() ? std::string() : contact.numbers.front();
        entry.type = contact.numberType;
        entries.push_back({std::move(contact.memory), std::move(entry)});
    }
    if (skipped) *skipped = others;
    return entries;
}

}  // namespace ribodex
