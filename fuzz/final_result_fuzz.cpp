// SPDX-License-Identifier: GPL-3.0-or-later
// The end-of-answer search must agree with a naive scan wherever the answer is cut, and
// resuming it where Read does must find what a search from the start finds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/serial/serial_link.h"

namespace {

constexpr auto npos = std::string_view::npos;

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

// Written from the rule, not from the search: a CR or LF, then OK or ERROR and a CR, or an
// extended error report and its line up to a CR.
std::size_t Naive(std::string_view answer) {
    for (std::size_t i = 0; i < answer.size(); ++i) {
        if (answer[i] != '\r' && answer[i] != '\n') continue;
        const std::string_view rest = answer.substr(i + 1);
        if (StartsWith(rest, "OK\r") || StartsWith(rest, "ERROR\r")) return i;
        if (StartsWith(rest, "+CME ERROR:") || StartsWith(rest, "+CMS ERROR:")) {
            for (std::size_t k = 11; k < rest.size(); ++k) {
                if (rest[k] == '\r') return i;
                if (rest[k] == '\n') break;
            }
        }
    }
    return npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view answer(reinterpret_cast<const char*>(data), size);
    const std::size_t found = ribodex::FindFinalResult(answer);
    if (found != Naive(answer)) std::abort();
    // Searching on from any earlier point finds nothing before the first hit.
    if (size > 0 && ribodex::FindFinalResult(answer, size / 2) < found) std::abort();
    // Read searches what has arrived, then resumes on the grown text: cut at a few places.
    for (std::size_t cut : {size / 3, size / 2, size - size / 4}) {
        const std::string_view arrived = answer.substr(0, cut);
        if (ribodex::FindFinalResult(arrived) != npos) continue;
        if (ribodex::FindFinalResult(answer, ribodex::FinalResultResumePoint(arrived)) != found)
            std::abort();
    }
    return 0;
}
