// SPDX-License-Identifier: GPL-3.0-or-later
// ribodex-cli: scriptable access to the phone book of a GSM phone or modem.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_runner.h"
#include "core/device/gsm_device.h"
#include "sim/demo_phone.h"

int main(int argc, char** argv) {
    using namespace ribodex;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const char* envPort = std::getenv("RIBODEX_PORT");
    const cli::ParseResult parsed = cli::ParseArguments(args, envPort ? envPort : "");
    if (!parsed.options) {
        std::cerr << "ribodex-cli: " << parsed.error << "\nTry 'ribodex-cli --help'.\n";
        return cli::ExitUsage;
    }

    // Declared before the device, so the phone outlives the link that talks to it.
    sim::DemoPhone demoPhone;
    GsmDevice device;
    device.portMapper = sim::DemoPortMapper(demoPhone);
    // Test hook, documented in --help: the suites run many commands and need no settling
    // time from a simulated phone. The command time limits stay as they are.
    if (const char* fast = std::getenv("RIBODEX_FAST_TIMING"); fast && std::string(fast) == "1") {
        device.timing.afterDtrMs = 0;
        device.timing.afterDisconnectMs = 0;
        device.timing.afterPinAcceptedMs = 0;
    }
    return cli::RunCommand(*parsed.options, device, std::cout, std::cerr);
}
