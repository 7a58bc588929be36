// SPDX-License-Identifier: GPL-3.0-or-later
// Names beyond the GSM alphabet: the UCS2 reading of the names a GSM read could not give,
// and the write of a name in the set EncodeName chose. UCS2 is selected only for these
// exchanges; GSM is selected again before any other command, whatever the answers were.
#include <algorithm>

#include "core/device/answer_parser.h"
#include "core/device/at_command.h"
#include "core/device/gsm_device.h"
#include "core/device/ucs2_text.h"

namespace ribodex {
namespace {

// Neighbouring locations are read in one range; a location between two that are needed is
// not read for them: its line in UCS2 (some 80 bytes at 9600 baud) costs more time than the
// round trip of one more short command.
constexpr int kRangeGap = 1;

}  // namespace

int GsmDevice::NameLimit(NameSet set) {
    if (set == NameSet::Gsm) return nameLength;
    if (ucs2NameLength == 0 && ucs2Offered && IsConnected() && HasOk(Exchange(kUcs2CharacterSetCommand, timing.commandLimitMs))) {
        ucs2NameLength = ParseNameLength(Exchange(kPhoneBookInfoCommand, timing.commandLimitMs)).value_or(0);
        Exchange(kGsmCharacterSetCommand, timing.commandLimitMs);
    }
    return ucs2NameLength;
}

std::size_t GsmDevice::RereadUcs2Names(const std::vector<int>& indices) {
    if (indices.empty() || !ucs2Offered) return 0;
    if (!HasOk(Exchange(kUcs2CharacterSetCommand, timing.commandLimitMs))) return 0;
    if (ucs2NameLength == 0)
        ucs2NameLength = ParseNameLength(Exchange(kPhoneBookInfoCommand, timing.commandLimitMs)).value_or(0);
    std::vector<int> sorted = indices;
    std::sort(sorted.begin(), sorted.end());
    std::size_t replaced = 0;
    bool complete = true;
    for (std::size_t first = 0; first < sorted.size() && complete;) {
        std::size_t last = first;
        while (last + 1 < sorted.size() && static_cast<long long>(sorted[last + 1]) - sorted[last] <= kRangeGap)
            ++last;
        const std::string answer = Exchange(BuildReadRangeCommand(sorted[first], sorted[last]), timing.fullReadLimitMs);
        complete = LastReadComplete();
        ParseEntryList(answer, [&](EntryLine&& line) {
            if (!std::binary_search(sorted.begin() + first, sorted.begin() + last + 1, line.index)) return;
            const auto it = entryPositions.find(line.index);
            if (it == entryPositions.end()) return;
            PhoneBookEntry& entry = entryList[it->second];
            // The number is kept from the GSM read; it only tells how this device sends it.
            if (!ucs2HexNumbers && !line.number.empty()) {
                const std::optional<std::string> plain = HexNumberToPlain(line.number);
                const std::string_view digits = std::string_view(entry.number).substr(entry.number.starts_with('+'));
                ucs2HexNumbers = plain && std::string_view(*plain).substr(plain->starts_with('+')) == digits &&
                                 line.number != entry.number;
            }
            if (std::optional<std::string> name = Ucs2HexToUtf8(line.deviceName)) {
                entry.name = std::move(*name);
                ++replaced;
            }
        });
        first = last + 1;
    }
    Exchange(kGsmCharacterSetCommand, timing.commandLimitMs);
    namesComplete = complete;
    return replaced;
}

void GsmDevice::ReadUcs2Names() {
    namesComplete = true;
    if (!ucs2Offered || !LastReadComplete()) return;
    std::vector<int> indices;
    for (const PhoneBookEntry& entry : entryList)
        if (entry.name.find('?') != std::string::npos) indices.push_back(entry.index);
    RereadUcs2Names(indices);
}

bool GsmDevice::WriteDeviceName(int index, std::string_view number, const DeviceName& name, int type) {
    if (name.set == NameSet::Gsm) {
        const std::optional<std::string> line = BuildWriteEntryCommand(index, number, name.field, type);
        return line && HasOk(Exchange(*line, timing.commandLimitMs));
    }
    if (!HasOk(Exchange(kUcs2CharacterSetCommand, timing.commandLimitMs))) return false;
    auto write = [&](bool hexNumber) {
        const std::optional<std::string> line = BuildUcs2WriteCommand(index, number, name.field, hexNumber, type);
        return line && HasOk(Exchange(*line, timing.commandLimitMs));
    };
    bool written = write(ucs2HexNumbers.value_or(false));
    // Not known yet: a device that wants the number in hex too refuses plain digits.
    if (!written && !ucs2HexNumbers && !number.empty() && LastReadComplete()) {
        written = write(true);
        if (written) ucs2HexNumbers = true;
    }
    Exchange(kGsmCharacterSetCommand, timing.commandLimitMs);
    return written;
}

}  // namespace ribodex
