// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <random>
#include <type_traits>
#include <utility>

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
    EXPECT_EQ(device.entries[0], (PhoneBookEntry{7, "+3", "Ärger"}));
    EXPECT_EQ(device.FindEntry(7), &device.entries[0]);
    EXPECT_EQ(device.FindEntry(8), nullptr);
    device.ClearEntries();
    EXPECT_TRUE(device.entries.empty());
    EXPECT_EQ(device.FindEntry(7), nullptr);
    device.StoreEntry(7, "9", "New");
    EXPECT_EQ(device.FindEntry(7)->number, "9");
}

// The quick lookup must answer exactly what a scan from the front would. Callers cannot
// change the list behind the device's back: only StoreEntry and ClearEntries do.
static_assert(std::is_const_v<std::remove_reference_t<decltype(std::declval<GsmDevice&>().entries)>>);

TEST(GsmDeviceEntries, FindEntryAgreesWithALinearScan) {
    std::mt19937 random(20261208);
    GsmDevice device;
    for (int round = 0; round < 4000; ++round) {
        const int index = static_cast<int>(random() % 60) - 5;
        if (random() % 200 == 0) device.ClearEntries();
        else device.StoreEntry(index, std::to_string(round), "n");
        for (int probe = -6; probe < 56; ++probe)
            ASSERT_EQ(device.FindEntry(probe), LinearScan(device, probe))
                << "round " << round << " index " << probe;
    }
}

}  // namespace
}  // namespace ribodex
