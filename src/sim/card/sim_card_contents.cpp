// SPDX-License-Identifier: GPL-3.0-or-later
// The book of the simulated cards, written down byte by byte from the record layouts of
// GSM 11.11 and 3GPP TS 31.102: names in every coding, a number with an extension record,
// service codes with * and #, a pause.
#include "sim/card/simulated_sim_card.h"

namespace ribodex::sim {

namespace {

constexpr std::size_t kBookRecord = 28;  // a 14-byte alpha field
constexpr std::size_t kExtRecord = 13;

void FillBook(CardFileTree& tree, int adn, int ext1) {
    // "Anna Schmidt", +4930123456 (GSM alphabet, international)
    tree.SetRecord(adn, 1, "416E6E61205363686D696474FFFF 06 91 9403214365FFFFFFFFFF FF FF");
    // "Иван Петров", +79161234567 (81: base 0400, eleven characters)
    tree.SetRecord(adn, 2, "810B0898B2B0BD209FB5C2C0BEB2 07 91 97612143 65F7FFFFFFFF FF FF");
    // "Γιώργος", *100# (82: base 0380; the Gamma is GSM 13)
    tree.SetRecord(adn, 3, "82070380 13B9CEC1B3BFC2FFFFFF 04 81 1A00FBFFFFFFFFFFFFFF FF FF");
    // "王小明", +491701234567890123456789 (80; digits 21 to 24 in EXT1 record 1)
    tree.SetRecord(adn, 4, "80738B5C0F660EFFFFFFFFFFFFFF 0B 91 94711032547698103254 FF 01");
    tree.SetRecord(ext1, 1, "02 02 7698FFFFFFFFFFFFFFFF FF");
    // "Müller {Bü}", 030123p45 (GSM with the extension table; C = pause)
    tree.SetRecord(adn, 5, "4D7E6C6C6572201B28427E1B29FF 06 81 301032 4CF5FFFFFFFFFF FF FF");
    // "Ελένη", +302101234567 (80)
    tree.SetRecord(adn, 6, "80039503BB03AD03BD03B7FFFFFF 07 91 031210325476FFFFFFFF FF FF");
}

void FillFixedAndOwn(CardFileTree& tree, int fdn, int msisdn) {
    tree.SetRecord(fdn, 1, "4E6F74727566FFFFFFFFFFFFFFFF 03 81 21F2FFFFFFFFFFFFFFFF FF FF");        // "Notruf", 112
    tree.SetRecord(msisdn, 1, "456967656E65FFFFFFFFFFFFFFFF 06 91 9471909999FFFFFFFFFF FF FF");    // "Eigene", +4917099999
}

}  // namespace

void FillSimCard(CardFileTree& tree, SimulatedSimCard::Kind kind) {
    if (kind == SimulatedSimCard::Kind::Sim2g) {
        const int telecom = tree.AddDf(0, 0x7F10);
        const int adn = tree.AddEf(telecom, 0x6F3A, kBookRecord, 250);
        const int fdn = tree.AddEf(telecom, 0x6F3B, kBookRecord, 10, Access::Pin1, Access::Pin2);
        const int msisdn = tree.AddEf(telecom, 0x6F40, kBookRecord, 2);
        const int ext1 = tree.AddEf(telecom, 0x6F4A, kExtRecord, 10);
        tree.AddEf(telecom, 0x6F4B, kExtRecord, 10, Access::Pin1, Access::Pin2);
        FillBook(tree, adn, ext1);
        FillFixedAndOwn(tree, fdn, msisdn);
        return;
    }
    const int dir = tree.AddEf(0, 0x2F00, 32, 1, Access::Always, Access::Never);
    tree.SetRecord(dir, 1, "6118 4F10 A0000000871002FFFFFFFF8906010000 5004 5553494D");
    tree.AddDf(0, 0x7F10);
    const int usim = tree.AddAdf(0, FromHex("A0000000871002FFFFFFFF8906010000"));
    const int fdn = tree.AddEf(usim, 0x6F3B, kBookRecord, 10, Access::Pin1, Access::Pin2);
    tree.AddEf(usim, 0x6F4B, kExtRecord, 10, Access::Pin1, Access::Pin2);
    const int msisdn = tree.AddEf(usim, 0x6F40, kBookRecord, 2);
    tree.AddEf(usim, 0x6F4E, kExtRecord, 10);
    const int phoneBook = tree.AddDf(usim, 0x5F3A);
    // Two ADN files sharing one EXT1 (type 3): A8 = one record per ADN record, AA = shared.
    const int pbr = tree.AddEf(phoneBook, 0x4F30, 32, 2, Access::Pin1, Access::Never);
    tree.SetRecord(pbr, 1, "A805 C0034F3A01 AA05 C2034F4A04");
    tree.SetRecord(pbr, 2, "A805 C0034F3B02 AA05 C2034F4A04");
    const int adn = tree.AddEf(phoneBook, 0x4F3A, kBookRecord, 250);
    const int second = tree.AddEf(phoneBook, 0x4F3B, kBookRecord, 20);
    const int ext1 = tree.AddEf(phoneBook, 0x4F4A, kExtRecord, 10);
    FillBook(tree, adn, ext1);
    // "Zweite Datei", 0800123: the first record of the second ADN file
    tree.SetRecord(second, 1, "5A7765697465204461746569FFFF 05 81 800021F3FFFFFFFFFFFF FF FF");
    FillFixedAndOwn(tree, fdn, msisdn);
}

}  // namespace ribodex::sim
