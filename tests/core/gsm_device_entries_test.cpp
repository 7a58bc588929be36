#include <gtest/gtest.h>

#include <random>

#include "core/device/gsm_device.h"

namespace ribodex {
namespace {

const PhoneBookEntry* LinearScan(const GsmDevice& device, int index) {
    for (const PhoneBookEntry& entry : device.entries)
        if (entry.index == index) return &entry;
    return nullptr;
}

TEST(GsmDeviceEntries, StoreReplacesTheRecordOfAnIndex) {
    GsmDevice device;
    device.StoreEntry(7, "1", "Old");
    device.StoreEntry(3, "2", "Other");
    device.StoreEntry(7, "+3", "\x5B" "rger");  // device alphabet: 0x5B is A umlaut
    ASSERT_EQ(device.entries.size(), 2u);
    EXPECT_EQ(device.entries[0], (PhoneBookEntry{7, "+3", "\xC4rger"}));
    EXPECT_EQ(device.FindEntry(7), &device.entries[0]);
    EXPECT_EQ(device.FindEntry(8), nullptr);
    device.ClearEntries();
    EXPECT_TRUE(device.entries.empty());
    EXPECT_EQ(device.FindEntry(7), nullptr);
    device.StoreEntry(7, "9", "New");
    EXPECT_EQ(device.FindEntry(7)->number, "9");
}

// The quick lookup must answer exactly what a scan from the front would, also after the
// public list was changed behind the device's back (the view may erase or append records).
TEST(GsmDeviceEntries, FindEntryAgreesWithALinearScan) {
    std::mt19937 random(20261208);
    GsmDevice device;
    for (int round = 0; round < 4000; ++round) {
        const int index = static_cast<int>(random() % 60) - 5;
        switch (random() % 8) {
            case 0: device.entries.push_back({index, "x", "outside"}); break;
            case 1:
                if (!device.entries.empty())
                    device.entries.erase(device.entries.begin() +
                                         static_cast<long>(random() % device.entries.size()));
                break;
            case 2:
                if (random() % 50 == 0) device.ClearEntries();
                break;
            default: device.StoreEntry(index, std::to_string(round), "n"); break;
        }
        for (int probe = -6; probe < 56; ++probe)
            ASSERT_EQ(device.FindEntry(probe), LinearScan(device, probe))
                << "round " << round << " index " << probe;
    }
}

}  // namespace
}  // namespace ribodex
