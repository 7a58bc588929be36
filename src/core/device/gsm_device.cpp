#include "core/device/gsm_device.h"

#include "core/device/alphabet.h"

namespace ribodex {

// The SerialLink part disconnects and joins the receiver; the entries go with the members.
GsmDevice::~GsmDevice() = default;

std::string GsmDevice::Exchange(std::string_view line, int limitMs) {
    Write(line);
    return Read(limitMs, idleHook);
}

void GsmDevice::StoreEntry(int index, std::string_view number, std::string_view deviceName) {
    std::string name = ConvertAlphabet(deviceName, false);
    if (PhoneBookEntry* existing = const_cast<PhoneBookEntry*>(FindEntry(index))) {
        existing->number.assign(number);
        existing->name = std::move(name);
        return;
    }
    entries.push_back(PhoneBookEntry{index, std::string(number), std::move(name)});
    entryPositions.emplace(index, entries.size() - 1);
}

const PhoneBookEntry* GsmDevice::FindEntry(int index) const {
    // The position map answers what a scan from the front would; entries is a public
    // member, so a hit is checked and a record the map does not know is still found.
    if (auto it = entryPositions.find(index); it != entryPositions.end()) {
        if (it->second < entries.size() && entries[it->second].index == index)
            return &entries[it->second];
    } else if (entryPositions.size() == entries.size()) {
        return nullptr;
    }
    for (const PhoneBookEntry& entry : entries)
        if (entry.index == index) return &entry;
    return nullptr;
}

void GsmDevice::ClearEntries() {
    entries.clear();
    entryPositions.clear();
}

}  // namespace ribodex
