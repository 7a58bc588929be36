// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string_view>

#include "cli/cli_options.h"

namespace ribodex::cli {

// Every problem goes out as "ribodex-cli: PORT: COMMAND: what", so a script's log says
// which device and which step failed.
class Problems {
public:
    Problems(std::ostream& err, const Options& options) : err(err), options(options) {}
    int operator()(int code, std::string_view text) const {
        err << "ribodex-cli: " << options.port << ": " << options.commandName << ": " << text << '\n';
        return code;
    }

private:
    std::ostream& err;
    const Options& options;
};

}  // namespace ribodex::cli
