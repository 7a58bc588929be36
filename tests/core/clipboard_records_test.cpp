// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/clipboard_records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ribodex {
namespace {

using Strings = std::vector<std::string>;

const std::string kHeader = std::string("Quillcast Receivers Clipboard V1.0") + "\x04\r\n";

TEST(ClipboardRecords, CopyWritesHeaderAndOneLinePerRowWithoutTheIndex) {
    const std::string expected = kHeader +
                                 "Anna\x05" "0301234\x05\x05\x05\x05\x05\x05\x04\r\n"
                                 "Bob\x05" "112\x05\x05\x05\x05\x05\x05\x04\r\n";
    EXPECT_EQ(BuildClipboardText({{"Anna", "0301234", "1"}, {"Bob", "112", "2"}}), expected);
    EXPECT_EQ(BuildClipboardText({}), kHeader);
}

// Name and number of every record a text yields.
Strings NameNumbers(const std::string& text) {
    Strings out;
    for (std::size_t n = 0; n < CountClipboardEntries(text); ++n)
        out.push_back(std::string(GetClipboardField(text, n, 0)) + "|" +
                      std::string(GetClipboardField(text, n, 1)));
    return out;
}

TEST(ClipboardRecords, CountAndRecordsAgree) {
    const std::string anna = "Anna\x05" "030\x05\x05\x05\x05\x05\x05\x04\r\n";
    const std::string bob = "Bob\x05" "112\x05\x05\x05\x05\x05\x05\x04\r\n";
    const struct {
        const char* what;
        std::string text;
        Strings expected;
    } cases[] = {
        {"our own copy", kHeader + anna + bob, {"Anna|030", "Bob|112"}},
        {"no header", anna + bob, {}},
        {"header in lower case", "quillcast receivers clipboard v1.0\x04\r\n" + anna, {}},
        {"header without its 0x04", "Quillcast Receivers Clipboard V1.0\r\n" + anna, {}},
        {"header only", kHeader, {}},
        // Fixed: the records were read from the text's second line, so the text above the
        // header was written to the phone as entries.
        {"header after other text", "Receivers\r\nfor Monday\r\n" + kHeader + anna + bob,
         {"Anna|030", "Bob|112"}},
        {"an empty record ends the list", kHeader + anna + "\x04\r\n" + bob, {"Anna|030"}},
        {"a record without its 0x04 is not one", kHeader + anna + "Bob\x05" "112\x05", {"Anna|030"}},
        {"last record without the final line end", kHeader + anna + "Bob\x05" "112\x05\x04", {"Anna|030", "Bob|112"}},
        {"line ends of LF alone keep the first letter", kHeader + "Anna\x05" "030\x05\x04\nBob\x05" "112\x04\n",
         {"Anna|030", "Bob|112"}},
        {"records of other programs with more fields", kHeader + "Carl\x05" "+4930\x05" "Berlin\x05" "x\x05\x05\x05\x05\x04\r\n",
         {"Carl|+4930"}},
        {"no field separator: all name", kHeader + "Dora\x04\r\n", {"Dora|"}},
        {"empty name", kHeader + "\x05" "555\x05\x04\r\n", {"|555"}},
        {"bytes of Windows-1252 kept", kHeader + "J\xF6rg \x80\x05" "1\x05\x04\r\n", {"J\xF6rg \x80|1"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NameNumbers(c.text), c.expected) << c.what;
        EXPECT_EQ(ClipboardRecords(c.text).size(), c.expected.size()) << c.what;
    }
}

TEST(ClipboardRecords, FieldsOfARecord) {
    const std::string record = "Name\x05" "Number\x05" "two\x05\x05" "four";
    EXPECT_EQ(GetClipboardField(record, 0), "Name");
    EXPECT_EQ(GetClipboardField(record, 1), "Number");
    EXPECT_EQ(GetClipboardField(record, 2), "two");
    EXPECT_EQ(GetClipboardField(record, 3), "");
    EXPECT_EQ(GetClipboardField(record, 4), "four");  // runs to the record's end
    EXPECT_EQ(GetClipboardField(record, 5), "");
    EXPECT_EQ(GetClipboardField(record, 99), "");
    EXPECT_EQ(GetClipboardRecord(kHeader + "A\x05" "1\x04\r\n", 1), "");
}

}  // namespace
}  // namespace ribodex
