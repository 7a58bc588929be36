// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/name_check.h"

#include <set>

#include "core/device/gsm_device.h"

namespace ribodex {

NameCheck CheckEntryName(GsmDevice& device, std::string_view utf8) {
    const DeviceName encoded = device.EncodeName(utf8);
    NameCheck check{std::string(utf8), encoded.stored, encoded.lost, static_cast<int>(encoded.length), 0};
    check.limit = device.NameLimit(encoded.set);
    return check;
}

std::vector<NameCheck> CheckEntryNames(GsmDevice& device, const std::vector<std::string>& names) {
    std::vector<NameCheck> found;
    std::set<std::string> seen;
    for (const std::string& name : names) {
        if (!seen.insert(name).second) continue;
        NameCheck check = CheckEntryName(device, name);
        if (check.Changes() || check.TooLong()) found.push_back(std::move(check));
    }
    return found;
}

}  // namespace ribodex
