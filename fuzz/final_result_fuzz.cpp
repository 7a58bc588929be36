// The end-of-answer search must agree with a naive scan wherever the answer is cut.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/serial/serial_link.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view answer(reinterpret_cast<const char*>(data), size);
    const std::size_t found = ribodex::FindFinalResult(answer);
    std::size_t naive = std::string_view::npos;
    for (std::size_t i = 0; i < answer.size() && naive == std::string_view::npos; ++i) {
        for (std::string_view p : {"\nOK\r", "\nERROR\r", "\rOK\r", "\rERROR\r"}) {
            if (answer.substr(i, p.size()) == p) {
                naive = i;
                break;
            }
        }
    }
    if (found != naive) std::abort();
    // Searching on from any earlier point finds nothing before the first hit.
    if (size > 0 && ribodex::FindFinalResult(answer, size / 2) < found) std::abort();
    return 0;
}
