// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/browser_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ribodex {
namespace {

using Words = std::vector<std::string>;

TEST(BrowserCommand, RegisteredCommandLines) {
    const char* const url = "https://example.org/";
    struct Case {
        const char* command;
        const char* line;
    };
    const Case cases[] = {
        // Quoted program and quoted placeholder: the cut keeps the blank, one more follows.
        {"\"C:\\Program Files\\Browser\\browser.exe\" \"%1\"",
         "\"C:\\Program Files\\Browser\\browser.exe\"  https://example.org/"},
        // No placeholder: the whole command, a blank, the address.
        {"C:\\browser.exe -nohome", "C:\\browser.exe -nohome https://example.org/"},
        // %1 unquoted stays, the address goes after it.
        {"browser.exe %1", "browser.exe %1 https://example.org/"},
        // Only the first quoted placeholder counts; everything after it goes.
        {"b.exe -a \"%1\" -b \"%1\"", "b.exe -a  https://example.org/"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AssociatedCommandLine(c.command, url), c.line) << c.command;

    EXPECT_EQ(WithLeadingDot("htm"), ".htm");
    EXPECT_EQ(WithLeadingDot(".htm"), ".htm");
    EXPECT_EQ(WithLeadingDot("x.htm"), "x.htm");  // a dot anywhere is enough
    EXPECT_EQ(WithLeadingDot(""), ".");
}

TEST(BrowserCommand, ExecFieldCodes) {
    const char* const url = "https://ribodex.org/?a=1&b=2";
    struct Case {
        const char* exec;
        Words words;  // empty: refused
    };
    const std::vector<Case> cases = {
        {"firefox-esr %u", {"firefox-esr", url}},
        {"/usr/bin/chromium %U", {"/usr/bin/chromium", url}},
        {"browser --new-window %f", {"browser", "--new-window", url}},
        // No file code: the address is appended, as for a registered command without one.
        {"epiphany", {"epiphany", url}},
        // Other codes go, and a word made of them only goes with them.
        {"browser %i %c %k --x", {"browser", "--x", url}},
        {"browser --class=%c %u", {"browser", "--class=", url}},
        {"browser --url=%u", {"browser", std::string("--url=") + url}},
        {"browser 100%% %u", {"browser", "100%", url}},
        {"browser %", {"browser", "%", url}},
        // Quotes group; inside them the four escapes; quoted words keep percent signs.
        {"\"/opt/My Browser/run\" %u", {"/opt/My Browser/run", url}},
        {"run \"a\\\"b\\\\c\\$d\\`e\"", {"run", "a\"b\\c$d`e", url}},
        {"run \"%u\"", {"run", "%u", url}},
        {"run  \t --flag   %u  ", {"run", "--flag", url}},
        // Cut like a registered command.
        {"browser \"%1\" --ignored %u", {"browser", url}},
        // Refused: open quote, no program.
        {"run \"open", {}},
        {"", {}},
        {"%u", {}},
        {"%u --x", {}},
        {"browser%u", {}},
        {"%%browser", {"%browser", url}},
        {"\"\" %u", {}},
    };
    for (const Case& c : cases) {
        const auto words = ExecArguments(c.exec, url);
        if (c.words.empty())
            EXPECT_FALSE(words.has_value()) << c.exec;
        else
            EXPECT_EQ(words.value_or(Words{"<refused>"}), c.words) << c.exec;
    }
}

TEST(BrowserCommand, DesktopEntryExecValue) {
    struct Case {
        std::string file;
        std::optional<std::string> exec;
    };
    const std::vector<Case> cases = {
        {"[Desktop Entry]\nType=Application\nName=Web\nExec=firefox %u\n", "firefox %u"},
        {"# comment\n\n[Desktop Entry]\r\nExec = web --a\r\n", "web --a"},
        // A localised key and other groups are not the entry's Exec.
        {"[Desktop Entry]\nExec[de]=falsch\nExec=richtig\n", "richtig"},
        {"[Desktop Action new]\nExec=action\n[Desktop Entry]\nExec=main\n", "main"},
        {"[Desktop Entry]\nName=x\n[Desktop Action new]\nExec=action\n", std::nullopt},
        {"Exec=outside\n", std::nullopt},
        {"[Desktop Entry]\nExec=\n", std::nullopt},
        // Value escapes.
        {"[Desktop Entry]\nExec=a\\sb\\\\c \\\"q\\\"\n", "a b\\c \\\"q\\\""},
        {"[Desktop Entry]\nExec=ends\\", "ends\\"},
        {std::string("[Desktop Entry]\nExec=nul") + '\0' + "byte\n", std::string("nul") + '\0' + "byte"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DesktopEntryExec(c.file), c.exec) << c.file;
}

}  // namespace
}  // namespace ribodex
