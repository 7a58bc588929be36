// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/clipboard_records.h"

#include "core/formats/cp1252.h"

namespace ribodex {

std::string ClipboardHeaderLine() {
    std::string line(kClipboardFormatName);
    line += kEndOfRecord;
    line += "\r\n";
    return line;
}

std::string ClipboardLine(std::string_view name, std::string_view number) {
    std::string line(name);
    line += kEndOfField;
    line += number;
    line.append(6, kEndOfField);  // ends the number, then five empty fields
    line += kEndOfRecord;
    line += "\r\n";
    return line;
}

std::string BuildClipboardText(const std::vector<ListRow>& rows) {
    std::string text = ClipboardHeaderLine();
    for (const ListRow& row : rows) text += ClipboardLine(Utf8ToCp1252Lossy(row[NameColumn]), row[NumberColumn]);
    return text;
}

std::vector<std::string_view> ClipboardRecords(std::string_view text) {
    std::vector<std::string_view> records;
    const std::string header = ClipboardHeaderLine();
    const std::size_t at = text.find(header);
    if (at == std::string_view::npos) return records;
    // Counting and reading both start at the header found, wherever it stands: text that
    // another program put before it is never taken for a record.
    std::size_t start = at + header.size();
    while (start < text.size()) {
        const std::size_t end = text.find(kEndOfRecord, start);
        if (end == std::string_view::npos || end == start) break;
        records.push_back(text.substr(start, end - start));
        start = end + 1;
        // The line end after 0x04: CR LF as written, or LF alone where a program on the way
        // normalised the line ends; skipping two bytes blindly would eat a name's first letter.
        if (text.substr(start, 2) == "\r\n") start += 2;
        else if (text.substr(start, 1) == "\n") start += 1;
    }
    return records;
}

std::size_t CountClipboardEntries(std::string_view text) { return ClipboardRecords(text).size(); }

std::string_view GetClipboardRecord(std::string_view text, std::size_t n) {
    const std::vector<std::string_view> records = ClipboardRecords(text);
    return n < records.size() ? records[n] : std::string_view();
}

std::string_view GetClipboardField(std::string_view record, std::size_t k) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < k; ++i) {
        const std::size_t separator = record.find(kEndOfField, start);
        if (separator == std::string_view::npos) return {};
        start = separator + 1;
    }
    const std::size_t end = record.find(kEndOfField, start);
    return record.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

std::string_view GetClipboardField(std::string_view text, std::size_t n, std::size_t k) {
    return GetClipboardField(GetClipboardRecord(text, n), k);
}

}  // namespace ribodex
