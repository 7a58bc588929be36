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
    // FindEntry has just brought the map up to date with entries.
    entries.push_back(PhoneBookEntry{index, std::string(number), std::move(name)});
    entryPositions.emplace(index, entries.size() - 1);
    indexedSize = entries.size();
}

const PhoneBookEntry* GsmDevice::FindEntry(int index) const {
    // Must answer what a scan from the front would. entries is public, so the map is
    // rebuilt when its size moved and a hit is checked before it is trusted.
    if (indexedSize != entries.size()) {
        entryPositions.clear();
        for (std::size_t i = 0; i < entries.size(); ++i) entryPositions.emplace(entries[i].index, i);
        indexedSize = entries.size();
    }
    const auto it = entryPositions.find(index);
    if (it == entryPositions.end()) return nullptr;
    if (entries[it->second].index == index) return &entries[it->second];
    for (const PhoneBookEntry& entry : entries)
        if (entry.index == index) return &entry;
    return nullptr;
}

void GsmDevice::ClearEntries() {
    entries.clear();
    entryPositions.clear();
    indexedSize = 0;
}

}  // namespace ribodex
