#include "core/formats/text_export.h"

namespace ribodex {

std::string PadRight(std::string_view text, std::size_t width) {
    std::string out(text);
    if (out.size() < width) out.append(width - out.size(), ' ');
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

std::string ExportLine(const ListRow& row) {
    return ExportLine(row[NameColumn], row[NumberColumn], row[IndexColumn]);
}

std::string ExportText(const std::vector<ListRow>& rows, const ExportHeaders& headers) {
    std::string text = ExportHeaderLine(headers);
    for (const ListRow& row : rows) text += ExportLine(row);
    return text;
}

}  // namespace ribodex
