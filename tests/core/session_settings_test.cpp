// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/list/command_state.h"
#include "core/session/settings.h"
#include "core/session/settings_store.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace ribodex {
namespace {

TEST(SessionSettings, SaveThenLoadRoundTrips) {
    MemorySettingsStore store;
    SaveSettings(store, AppSettings{"/dev/ttyUSB0", 0});
    EXPECT_EQ(store.GetText("1.0", "Port", "x"), "/dev/ttyUSB0");
    EXPECT_EQ(store.GetInt("1.0", "Query PIN", 7), 0);
    const AppSettings loaded = LoadSettings(store);
    EXPECT_EQ(loaded.portName, "/dev/ttyUSB0");
    EXPECT_EQ(loaded.queryPin, 0);

    // A hand-edited value the check box cannot show still means "query".
    store.SetInt("1.0", "Query PIN", 5);
    EXPECT_EQ(LoadSettings(store).queryPin, 1);
}

TEST(SessionSettings, PortSectionsAreOneSafeGroupEach) {
    EXPECT_EQ(PortSection("COM2"), "1.0/COM2");
    EXPECT_EQ(PortSection("/dev/ttyUSB0"), "1.0/%2Fdev%2FttyUSB0");
    EXPECT_EQ(PortSection("a\\b%c"), "1.0/a%5Cb%25c");
    // Names that differ must not share a remembered PIN, escape characters included.
    const std::vector<std::string> names = {"COM1", "COM2", "/dev/ttyS0", "%2Fdev%2FttyS0",
                                            "\\dev\\ttyS0", "%5Cdev%5CttyS0", "", "DEMO"};
    std::set<std::string> sections;
    for (const std::string& name : names) {
        const std::string section = PortSection(name);
        EXPECT_EQ(section.find('/', 4), std::string::npos) << name;
        EXPECT_EQ(section.find('\\'), std::string::npos) << name;
        sections.insert(section);
    }
    EXPECT_EQ(sections.size(), names.size());
}

TEST(SessionSettings, PortListSelection) {
    const std::vector<std::string> items = {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6",
                                            "COM7", "COM8", "/dev/ttyUSB10", "/dev/ttyUSB1", "DEMO"};
    const std::vector<std::pair<std::string, int>> cases = {
        {"COM1", 0},
        {"com3", 2},          // without regard to case
        {"CoM8", 7},
        {"COM", 0},           // the first item that begins with the text
        {"COM12", -1},        // not a prefix of any item: nothing selected
        {"/dev/ttyUSB1", 9},  // the exact match, although USB10 comes first and begins so
        {"/DEV/TTYUSB1", 9},
        {"/dev/ttyUSB", 8},
        {"demo", 10},
        {"COM1 ", -1},
        {"", 0},              // first start: the first item
    };
    for (const auto& [port, expected] : cases) EXPECT_EQ(FindPortItem(items, port), expected) << port;
    EXPECT_EQ(FindPortItem({}, "COM1"), -1);
    EXPECT_EQ(FindPortItem({}, ""), -1);
}

TEST(SessionSettings, CommandEnablingRules) {
    struct Case {
        int id;
        CommandContext context;
        bool enabled;
    };
    const CommandContext none{};
    const CommandContext connectedEmpty{true, 0, 0, false};
    const CommandContext listed{false, 3, 0, false};
    const CommandContext selected{false, 3, 1, false};
    const CommandContext clip{false, 0, 0, true};
    const std::vector<Case> cases = {
        {ID_PHONEBOOK_NEW_ENTRY, none, false},
        {ID_PHONEBOOK_NEW_ENTRY, connectedEmpty, true},
        {ID_PHONEBOOK_SELECT, none, false},
        {ID_PHONEBOOK_SELECT, connectedEmpty, true},
        {ID_PHONEBOOK_SELECT, selected, false},
        {ID_PHONEBOOK_DELETE_ENTRY, listed, false},
        {ID_PHONEBOOK_DELETE_ENTRY, selected, true},
        {ID_PHONEBOOK_EDIT_ENTRY, selected, true},
        {ID_EDIT_COPY, listed, false},
        {ID_EDIT_COPY, selected, true},
        {ID_EDIT_CUT, selected, true},
        {ID_EDIT_CUT, connectedEmpty, false},
        {ID_EDIT_PASTE, selected, false},
        {ID_EDIT_PASTE, clip, true},
        {ID_FILE_EXPORT, connectedEmpty, false},
        {ID_FILE_EXPORT, listed, true},
        {ID_SEARCH_FIND, none, false},
        {ID_SEARCH_FIND, listed, true},
        {ID_SEARCH_FIND_NEXT, clip, false},
        {ID_SEARCH_FIND_NEXT, listed, true},
        {ID_VIEW_REFRESH, none, true},
        {ID_VIEWMODE_ICON, none, true},
        {ID_VIEWMODE_REPORT, none, true},
        {ID_OPTIONS_SETTINGS, none, true},
        {ID_APP_EXIT, none, true},
    };
    for (const Case& c : cases) EXPECT_EQ(IsCommandEnabled(c.id, c.context), c.enabled) << c.id;
}

}  // namespace
}  // namespace ribodex
