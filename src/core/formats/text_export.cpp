// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/text_export.h"

#include "core/formats/cp1252.h"

namespace ribodex {

std::string PadRight(std::string_view text, std::size_t width) {
    std::string out(text);
    // A text longer than its column is not cut, but it keeps one blank before the next
    // column: "Abcdefghijklmnopqrstuvwx+4930555" would read as one word.
    out.append(out.size() < width ? width - out.size() : out.size() > width ? 1 : 0, ' ');
    return out;
}

std::string ExportHeaderLine(const ExportHeaders& headers) {
    std::string line = PadRight(headers.name, kExportColumnWidth);
    line += PadRight(headers.number, kExportColumnWidth);
    line += headers.index;
    line += "\r\n\r\n";
    return line;
}

std::string ExportLine(std::string_view name, std::string_view number, std::string_view index) {
    std::string line = PadRight(name, kExportColumnWidth);
    line += PadRight(number, kExportColumnWidth);
    line += index;
    line += "\r\n";
    return line;
}

namespace {

// Blanks up to width characters of UTF-8 text.
std::string PadUtf8(std::string_view text, std::size_t width) {
    std::size_t characters = 0;
    for (char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    std::string out(text);
    out.append(characters < width ? width - characters : characters > width ? 1 : 0, ' ');
    return out;
}

}  // namespace

std::string ExportLine(const ListRow& row, ExportEncoding encoding) {
    if (encoding == ExportEncoding::Cp1252)
        return ExportLine(Utf8ToCp1252Lossy(row[NameColumn]), row[NumberColumn], row[IndexColumn]);
    std::string line = PadUtf8(row[NameColumn], kExportColumnWidth);
    line += PadUtf8(Cp1252ToUtf8(row[NumberColumn]), kExportColumnWidth);
    line += row[IndexColumn];
    line += "\r\n";
    return line;
}

std::string ExportText(const std::vector<ListRow>& rows, const ExportHeaders& headers, ExportEncoding encoding) {
    std::string text;
    if (encoding == ExportEncoding::Cp1252) {
        text = ExportHeaderLine(headers);
    } else {
        text = PadUtf8(headers.name, kExportColumnWidth) + PadUtf8(headers.number, kExportColumnWidth) +
               headers.index + "\r\n\r\n";
    }
    for (const ListRow& row : rows) text += ExportLine(row, encoding);
    return text;
}

}  // namespace ribodex
