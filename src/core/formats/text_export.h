// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/list/sort_order.h"

namespace ribodex {

// The text export file: three blank-padded columns, CR LF line ends, no byte order mark, no
// trailing NUL. Windows-1252 by default, each name character it lacks as '?'; or UTF-8,
// padded by characters. Rows hold UTF-8 names and the numbers' bytes as the device gave
// them. Shared by the window's Export command and ribodex-cli, so both write the same
// bytes. Pure functions.

inline constexpr std::size_t kExportColumnWidth = 20;

enum class ExportEncoding { Cp1252, Utf8 };

// The column headers, in the language of the user interface, in the file's encoding.
struct ExportHeaders {
    std::string name = "Name";
    std::string number = "Number";
    std::string index = "Index";
};

// text followed by blanks up to width bytes; a text of exactly width bytes is followed by
// nothing, a longer one is not cut and gets one blank. Bytes, not displayed characters.
std::string PadRight(std::string_view text, std::size_t width);

// Header, CR LF, then an empty line (CR LF).
std::string ExportHeaderLine(const ExportHeaders& headers = {});
// One item: name and number padded, the index text last and unpadded, CR LF.
std::string ExportLine(std::string_view name, std::string_view number, std::string_view index);
std::string ExportLine(const ListRow& row, ExportEncoding encoding = ExportEncoding::Cp1252);

// The whole file: the header line, then one line per row in the order given (the list's
// current order, which the caller chose). Nothing follows the last line's CR LF.
std::string ExportText(const std::vector<ListRow>& rows, const ExportHeaders& headers = {},
                       ExportEncoding encoding = ExportEncoding::Cp1252);

}  // namespace ribodex
