// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/list/print_pagination.h"

#include <algorithm>

namespace ribodex {

int RowsPerPage(int pageHeight, int lineHeight) {
    if (lineHeight <= 0) return 1;
    const long long room = static_cast<long long>(pageHeight) - 6LL * lineHeight - kPrintBottomMargin;
    return static_cast<int>(std::clamp<long long>(room / lineHeight, 1, 1LL << 30));
}

int PageCount(int itemCount, int rowsPerPage) {
    if (itemCount <= 0) return 1;
    const int rows = std::max(rowsPerPage, 1);
    return itemCount / rows + (itemCount % rows != 0 ? 1 : 0);
}

PageItems ItemsOfPage(int page, int itemCount, int rowsPerPage) {
    const int rows = std::max(rowsPerPage, 1);
    if (page < 1 || page > PageCount(itemCount, rows) || itemCount <= 0) return {};
    const long long first = static_cast<long long>(page - 1) * rows;
    const long long end = std::min<long long>(first + rows, itemCount);
    return {static_cast<int>(first), static_cast<int>(end)};
}

std::string ShortenCell(std::string_view text) {
    // Counted in characters of the UTF-8 text, as the Windows-1252 bytes were counted.
    std::size_t characters = 0;
    std::size_t cut = text.size();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (characters == 16) cut = i;
        ++characters;
    }
    if (characters < kPrintCellLimit) return std::string(text);
    std::string shortened(text.substr(0, cut));
    shortened += "...";
    return shortened;
}

}  // namespace ribodex
