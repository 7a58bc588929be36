// SPDX-License-Identifier: GPL-3.0-or-later
// Record layouts against bytes written down by hand from GSM 11.11, TS 31.102 and TS 102 221.
#include <gtest/gtest.h>

#include "core/card/alpha_field.h"
#include "core/card/card_tlv.h"
#include "core/card/dialling_number.h"
#include "sim/card/card_file_tree.h"

namespace ribodex {
namespace {

using sim::FromHex;

TEST(RecordLayoutTest, AlphaFieldsInEveryCoding) {
    struct Case { const char* name; std::size_t width; const char* hex; };
    const Case cases[] = {
        {"Abc", 6, "416263FFFFFF"},
        {"a€b", 5, "611B6562FF"},                                   // euro through the extension table
        {"Иван Петров", 14, "810B0898B2B0BD209FB5C2C0BEB2"},          // only 81 holds it in 14
        {"Ж", 6, "80 0416 FFFFFF"},                                   // 80 first when it fits
        {"Γιώργος", 10, "810707 13B9CEC1B3BFC2"},                     // Γ from GSM, the rest from base 0380
        {"Γιώργος", 11, "82070380 13B9CEC1B3BFC2"},                   // 82 with its 16-bit base, read only
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes expected = FromHex(c.hex);
        EXPECT_EQ(DecodeAlpha(expected.data(), expected.size()), c.name);
    }
    for (const Case& c : {cases[0], cases[1], cases[2], cases[3], cases[4]}) {
        const std::optional<EncodedAlpha> encoded = EncodeAlpha(c.name, c.width);
        ASSERT_TRUE(encoded) << c.name;
        EXPECT_EQ(encoded->field, FromHex(c.hex)) << c.name;
    }
    EXPECT_FALSE(EncodeAlpha("Иван Петрович", 14));
    EXPECT_EQ(FittingAlpha("Иван Петрович", 14), "Иван Петров");
}

TEST(RecordLayoutTest, NumbersWithTonNpiExtendedDigitsAndExtension) {
    const Bytes adn = FromHex("416E6E61FFFFFFFFFFFFFFFFFFFF 0B 91 94711032547698103254 FF 03");
    const DiallingRecord parsed = ParseDiallingRecord(adn);
    EXPECT_EQ(parsed.name, "Anna");
    EXPECT_EQ(NumberText(parsed.tonNpi, parsed.digits), "+49170123456789012345");
    EXPECT_EQ(parsed.extension, 3);
    EXPECT_EQ(ParseExtensionRecord(FromHex("02 02 7698FFFFFFFFFFFFFFFF FF")).digits, "6789");
    EXPECT_EQ(*BuildDiallingRecord(28, FromHex("416E6E61FFFFFFFFFFFFFFFFFFFF"), "49170123456789012345", 0x91, 3), adn);
    EXPECT_EQ(*EncodeBcd("*100#"), FromHex("1A00FB"));
    EXPECT_EQ(*EncodeBcd("12p3"), FromHex("21 3C"));
    EXPECT_EQ(DecodeBcd(FromHex("21 3C").data(), 2), "12p3");
    EXPECT_TRUE(ParseDiallingRecord(Bytes(28, 0xFF)).empty);
    EXPECT_EQ(ExtensionRecordsFor(20), 0);
    EXPECT_EQ(ExtensionRecordsFor(21), 1);
    EXPECT_EQ(ExtensionRecordsFor(41), 2);
}

TEST(RecordLayoutTest, PbrFcpAndTheSelectAnswerOfA2gSim) {
    const std::vector<PbrFile> files = ParsePbrRecord(FromHex("A809 C0034F3A01 C5024F09 AA05 C2034F4A04 FFFF"));
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0].fid, 0x4F3A);
    EXPECT_EQ(files[1].tag, 0xC5);
    EXPECT_FALSE(files[1].sfi);
    EXPECT_EQ(files[2].kind, 0xAA);
    EXPECT_EQ(files[2].fid, 0x4F4A);

    const std::optional<FileInfo> fcp = ParseFcp(FromHex("621A 8205 42210020FA 83026F3A 8A0105 8B036F0602 8002 1F40 8801 10"));
    ASSERT_TRUE(fcp);
    EXPECT_TRUE(fcp->linearFixed);
    EXPECT_EQ(fcp->recordLength, 0x20);
    EXPECT_EQ(fcp->recordCount, 250);

    const std::optional<FileInfo> ef = ParseGsmSelect(FromHex("0000 1B58 6F3A 04 00 11FF22 01 02 01 1C"));
    ASSERT_TRUE(ef);
    EXPECT_EQ(ef->recordLength, 28);
    EXPECT_EQ(ef->recordCount, 250);
    const std::optional<GsmChvStatus> chv =
        ParseGsmChvStatus(FromHex("0000 0000 7F10 02 0000000000 09 80 01 05 04 00 83 8A 01 8A"));
    ASSERT_TRUE(chv);
    EXPECT_TRUE(chv->chv1Disabled);
    EXPECT_EQ(chv->chv1, 3);
    EXPECT_EQ(chv->unblock1, 10);
    EXPECT_EQ(chv->chv2, 1);
}

}  // namespace
}  // namespace ribodex
