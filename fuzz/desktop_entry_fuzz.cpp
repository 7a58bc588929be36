// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a desktop entry file, and as an Exec value, started with a fixed address.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/shell/browser_command.h"

namespace {

void CheckArguments(std::string_view exec)
{
    static constexpr std::string_view kAddress = "https://ribodex.org/";
    const auto words = ribodex::ExecArguments(exec, kAddress);
    if (!words)
        return;
    // A program to start, and the address reaches it whole in some argument.
    if (words->empty() || words->front().empty())
        std::abort();
    bool found = false;
    for (const std::string& word : *words)
        found = found || word.find(kAddress) != std::string::npos;
    if (!found)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto exec = ribodex::DesktopEntryExec(bytes);
    if (exec) {
        if (exec->empty())
            std::abort();
        CheckArguments(*exec);
    }
    CheckArguments(bytes);
    return 0;
}
