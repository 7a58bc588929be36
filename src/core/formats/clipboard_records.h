// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/list/sort_order.h"

namespace ribodex {

// The clipboard text of the Quillcast programs: a header line, then one receiver record per
// line. A record is seven fields, each ended by 0x05 (0 name, 1 number, 2-6 unused), then
// 0x04 and CR LF. Windows-1252 bytes, no escaping: a name holding 0x04, 0x05 or CR LF does
// not come back intact. Pure functions over the whole text; no state, any thread.

inline constexpr std::string_view kClipboardFormatName = "Quillcast Receivers Clipboard V1.0";
inline constexpr char kEndOfField = '\x05';
inline constexpr char kEndOfRecord = '\x04';

// The format name, 0x04, CR LF.
std::string ClipboardHeaderLine();
// name 0x05 number 0x05, five empty fields, 0x04, CR LF.
std::string ClipboardLine(std::string_view name, std::string_view number);
// What Copy puts on the clipboard: the header line and one line per row (its Name and
// Number columns), in the order given; each character of a name that Windows-1252 lacks
// as '?'.
std::string BuildClipboardText(const std::vector<ListRow>& rows);

// The records of text: they start after the first header line (format name, 0x04, CR LF)
// found anywhere in the text; the line end after each 0x04 (CR LF, or LF alone) is skipped,
// and each record runs up to its own 0x04. The records end at the first empty
// one, at a record without its 0x04, or at the end of the text. No header: none.
// The views point into text.
std::vector<std::string_view> ClipboardRecords(std::string_view text);

// How many records ClipboardRecords finds.
std::size_t CountClipboardEntries(std::string_view text);
// Record n (from 0) of ClipboardRecords; empty when there is no such record.
std::string_view GetClipboardRecord(std::string_view text, std::size_t n);
// Field k (from 0) of a record: field 0 runs to the first 0x05, field k from just after the
// k-th 0x05 to the next one or to the record's end; empty when the record has fewer than k
// 0x05 bytes.
std::string_view GetClipboardField(std::string_view record, std::size_t k);
std::string_view GetClipboardField(std::string_view text, std::size_t n, std::size_t k);

}  // namespace ribodex
