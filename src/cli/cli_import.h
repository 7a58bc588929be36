#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ribodex::cli {

// One entry an import writes: Windows-1252, ready for WriteEntry.
struct ImportEntry {
    std::string number;
    std::string name;
};

struct ImportPlan {
    std::vector<ImportEntry> entries;  // one per usable telephone number, in file order
    std::vector<std::string> notes;    // UTF-8, one per thing not taken as written
    std::size_t contacts = 0;          // cards in the file
};

// What a vCard text gives a phone book: every contact with a number, one entry per number
// (the same name for each), names made storable. A note says which contact had no number,
// which number cannot be stored (skipped), and which characters of a name the device
// alphabet cannot hold (written as blanks). Pure.
ImportPlan PlanImport(std::string_view vcardText);

}  // namespace ribodex::cli
