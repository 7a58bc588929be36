// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary clipboard text through the record readers: no crash, every record and field
// inside the text, count and records in agreement, and what Copy writes reads back whole.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/formats/clipboard_records.h"
#include "core/formats/cp1252.h"
#include "fuzz_check.h"

using namespace ribodex;
using fuzz::Check;
using fuzz::Within;

namespace {

// A name or number that survives the record format: none of its separators.
std::string Clean(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != kEndOfField && c != kEndOfRecord && c != '\r' && c != '\n') out += c;
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const std::vector<std::string_view> records = ClipboardRecords(text);
    Check(CountClipboardEntries(text) == records.size());
    for (std::size_t n = 0; n < records.size(); ++n) {
        Check(!records[n].empty() && Within(records[n], text));
        Check(records[n].find(kEndOfRecord) == std::string_view::npos);
        Check(GetClipboardRecord(text, n) == records[n]);
        for (std::size_t k = 0; k < 8; ++k) {
            const std::string_view field = GetClipboardField(text, n, k);
            Check(Within(field, records[n]) && field.find(kEndOfField) == std::string_view::npos);
        }
    }
    Check(GetClipboardRecord(text, records.size()).empty());

    // The input cut into names and numbers, written as Copy writes them and read back, with
    // the same text in front as another program might leave there.
    std::vector<ListRow> rows;
    for (std::size_t at = 0; at + 1 < size && rows.size() < 16; at += 8) {
        const std::string_view chunk = text.substr(at, 8);
        // Names are UTF-8 inside the program; the record text carries their Windows-1252 form.
        rows.push_back({Cp1252ToUtf8(Clean(chunk.substr(0, 4))), Clean(chunk.substr(std::min<std::size_t>(4, chunk.size()))), ""});
    }
    const std::string copied = std::string(text.substr(0, size % 64)) + BuildClipboardText(rows);
    std::vector<std::string_view> back = ClipboardRecords(copied);
    // An empty name and number make an empty-looking record only if every field is empty,
    // which the six 0x05 bytes rule out: every row comes back.
    if (copied.find(ClipboardHeaderLine()) < size % 64) return 0;  // a header in the prefix wins
    Check(back.size() == rows.size());
    for (std::size_t n = 0; n < rows.size(); ++n) {
        Check(GetClipboardField(back[n], 0) == Utf8ToCp1252Lossy(rows[n][NameColumn]));
        Check(GetClipboardField(back[n], 1) == rows[n][NumberColumn]);
    }
    return 0;
}
