// SPDX-License-Identifier: GPL-3.0-or-later
// The card through the real PC/SC path: libpcsclite, a private pcscd, its vpcd driver and
// the simulated card; what reached the card is read from the card's own records.
#include <gtest/gtest.h>

#include "card/private_pcscd.h"
#include "core/card/sim_card_device.h"
#include "sim/card/card_file_tree.h"

namespace ribodex {
namespace {

using sim::FromHex;
using Kind = sim::SimulatedSimCard::Kind;

class SimCardReaderTest : public ::testing::TestWithParam<Kind> {
protected:
    void SetUp() override {
        if (!test::PrivatePcscd::Installed())
            GTEST_SKIP() << "pcscd or its vpcd driver is not installed (make deps installs pcscd, vsmartcard-vpcd)";
        ASSERT_TRUE(pcscd.ready) << "no private pcscd with the simulated card";
        ASSERT_EQ(device.Connect(""), CardStatus::Ok) << CardStatusText(device.lastStatus);
    }
    void TearDown() override {
        device.Disconnect();
        pcscd.Park();
    }
    bool Usim() const { return GetParam() == Kind::Usim; }
    std::vector<std::uint16_t> Adn() const {
        return Usim() ? std::vector<std::uint16_t>{0x3F00, 0x7FFF, 0x5F3A, 0x4F3A}
                      : std::vector<std::uint16_t>{0x3F00, 0x7F10, 0x6F3A};
    }
    std::vector<std::uint16_t> Ext1() const {
        return Usim() ? std::vector<std::uint16_t>{0x3F00, 0x7FFF, 0x5F3A, 0x4F4A}
                      : std::vector<std::uint16_t>{0x3F00, 0x7F10, 0x6F4A};
    }

    sim::SimulatedSimCard card{GetParam()};
    test::PrivatePcscd& pcscd = test::PrivatePcscd::Shared(card);
    SimCardDevice device;
};

TEST_P(SimCardReaderTest, ReadsTheWholeBookAfterThePin) {
    EXPECT_EQ(device.GetPinState(), SimPinRequired);
    EXPECT_EQ(device.ReadAllEntries(), 0);
    EXPECT_EQ(device.lastStatus, CardStatus::SecurityNotSatisfied);
    ASSERT_TRUE(device.EnterPin("1234"));
    EXPECT_EQ(device.GetPinState(), SimReady);
    ASSERT_TRUE(device.SelectPhoneBook(Sim));
    EXPECT_EQ(device.lastIndex, Usim() ? 270 : 250);
    EXPECT_EQ(device.nameLength, 14);
    EXPECT_EQ(device.QueryPhoneBooks(), Sim | FixedNumbers | OwnNumber);

    int calls = 0;
    device.readProgress = [&](int, int) { return ++calls > 0; };
    device.ReadAllEntries();
    ASSERT_TRUE(device.LastReadComplete());
    EXPECT_EQ(calls, device.lastIndex);
    std::vector<PhoneBookEntry> expected{
        {1, "+4930123456", "Anna Schmidt", 0x91},
        {2, "+79161234567", "Иван Петров", 0x91},
        {3, "*100#", "Γιώργος", 0x81},
        {4, "+491701234567890123456789", "王小明", 0x91},
        {5, "030123p45", "Müller {Bü}", 0x81},
        {6, "+302101234567", "Ελένη", 0x91},
    };
    if (Usim()) expected.push_back({251, "0800123", "Zweite Datei", 0x81});
    EXPECT_EQ(std::vector<PhoneBookEntry>(device.entries.begin(), device.entries.end()), expected);

    ASSERT_TRUE(device.SelectPhoneBook(OwnNumber));
    device.ReadAllEntries();
    ASSERT_EQ(device.entries.size(), 1u);
    EXPECT_EQ(device.entries[0].number, "+4917099999");
}

TEST_P(SimCardReaderTest, WritesAndDeletesTheRecordsAPhoneWould) {
    ASSERT_TRUE(device.EnterPin("1234"));
    // A Cyrillic name only 81 holds in 14 bytes, a number with an extension record: record 1
    // of EXT1 is taken, so the second is used.
    ASSERT_TRUE(device.WriteEntry("+4915112345678901234567", "Олег Котов", 10));
    EXPECT_EQ(card.Record(Adn(), 10), FromHex("810A089EBBB5B3209ABEC2BEB2FF 0B 91 94511132547698103254 FF 02"));
    EXPECT_EQ(card.Record(Ext1(), 2), FromHex("0201 76FFFFFFFFFFFFFFFFFF FF"));
    // Overwritten with a short number: the extension record is freed.
    ASSERT_TRUE(device.WriteEntry("*#06#", "Pin", 10));
    EXPECT_EQ(card.Record(Adn(), 10), FromHex("50696EFFFFFFFFFFFFFFFFFFFFFF 04 81 BA60FBFFFFFFFFFFFFFF FF FF"));
    EXPECT_EQ(card.Record(Ext1(), 2), Bytes(13, 0xFF));
    // The lowest free location, then a delete that frees the entry's extension record.
    EXPECT_EQ(device.FindFreeIndex(), 7);
    ASSERT_TRUE(device.DeleteEntry(4));
    EXPECT_EQ(card.Record(Adn(), 4), Bytes(28, 0xFF));
    EXPECT_EQ(card.Record(Ext1(), 1), Bytes(13, 0xFF));
    EXPECT_EQ(device.FindFreeIndex(), 4);
    // A name that fits no coding is refused whole, the card untouched.
    EXPECT_FALSE(device.WriteEntry("1", "Ольга Котова-Петрова", 11));
    EXPECT_EQ(device.lastStatus, CardStatus::Invalid);
    EXPECT_EQ(device.NameAsStored("Ольга Котова-Петрова"), "Ольга Котов");
    EXPECT_EQ(card.Record(Adn(), 11), Bytes(28, 0xFF));
}

TEST_P(SimCardReaderTest, AWrongPinSaysTheTriesLeftAndTheBlockedOneTakesThePuk) {
    EXPECT_EQ(device.QueryPinRetries().pin, 3);
    EXPECT_FALSE(device.EnterPin("0000"));
    EXPECT_EQ(device.lastStatus, CardStatus::WrongPin);
    EXPECT_EQ(device.QueryPinRetries().pin, 2);
    EXPECT_EQ(card.PinLeft(), 2);
    EXPECT_FALSE(device.EnterPin("123"));  // not sent: no try spent
    EXPECT_EQ(card.PinLeft(), 2);
    EXPECT_FALSE(device.EnterPin("0000"));
    EXPECT_FALSE(device.EnterPin("0000"));
    EXPECT_EQ(device.GetPinState(), SimPukRequired);
    EXPECT_EQ(device.QueryPinRetries().pin, 0);
    EXPECT_FALSE(device.EnterPuk("00000000", "4321"));
    EXPECT_EQ(device.QueryPinRetries().puk, 9);
    ASSERT_TRUE(device.EnterPuk("12345678", "4321"));
    EXPECT_EQ(card.Pin(), "4321");
    EXPECT_EQ(device.GetPinState(), SimReady);
    EXPECT_EQ(device.QueryPinRetries().puk, 10);
}

TEST_P(SimCardReaderTest, FixedNumbersTakePin2ForWrites) {
    ASSERT_TRUE(device.EnterPin("1234"));
    ASSERT_TRUE(device.SelectPhoneBook(FixedNumbers));
    EXPECT_FALSE(device.WriteEntry("110", "Polizei", 2));
    EXPECT_EQ(device.lastStatus, CardStatus::SecurityNotSatisfied);
    ASSERT_TRUE(device.EnterPin2("5678"));
    ASSERT_TRUE(device.WriteEntry("110", "Polizei", 2));
    device.ReadAllEntries();
    ASSERT_EQ(device.entries.size(), 2u);
    EXPECT_EQ(device.entries[1].name, "Polizei");
}

TEST_P(SimCardReaderTest, AConnectionFindsThePinVerifiedByAnEarlierOne) {
    ASSERT_TRUE(device.EnterPin("1234"));
    device.Disconnect();
    SimCardDevice later;
    ASSERT_EQ(later.Connect(test::PrivatePcscd::kReader), CardStatus::Ok);
    // The card stayed powered: unlocked, yet a wrong PIN is still wrong.
    EXPECT_EQ(later.GetPinState(), SimReady);
    EXPECT_FALSE(later.EnterPin("9999"));
    EXPECT_EQ(later.lastStatus, CardStatus::WrongPin);
}

INSTANTIATE_TEST_SUITE_P(BothKinds, SimCardReaderTest, ::testing::Values(Kind::Sim2g, Kind::Usim),
                         [](const auto& info) { return info.param == Kind::Usim ? "Usim" : "Sim2g"; });

}  // namespace
}  // namespace ribodex
