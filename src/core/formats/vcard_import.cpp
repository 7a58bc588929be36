// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/vcard_import.h"

#include "core/formats/device_text.h"
#include "core/formats/phone_number.h"
#include "core/formats/vcard.h"

namespace ribodex {
namespace {

std::string Shown(std::string_view utf8Name) {
    return utf8Name.empty() ? std::string("a contact without a name") : "\"" + std::string(utf8Name) + "\"";
}

}  // namespace

ImportPlan PlanImport(std::string_view vcardText, bool ucs2Offered) {
    ImportPlan plan;
    const std::vector<VCardContact> contacts = ReadVCards(vcardText);
    plan.contacts = contacts.size();
    for (const VCardContact& contact : contacts) {
        const std::string who = Shown(contact.name);
        if (contact.numbers.empty()) {
            plan.notes.push_back(who + " has no telephone number: skipped");
            ++plan.skipped;
            continue;
        }
        const StorableName name = ToStorableName(contact.name, ucs2Offered);
        const std::size_t entriesBefore = plan.entries.size();
        std::size_t unusable = 0;
        bool nameNoted = false;
        for (const std::string& tel : contact.numbers) {
            const std::optional<std::string> number = ToStorableNumber(tel);
            if (!number) {
                plan.notes.push_back(who + ": the number \"" + tel + "\" is " + std::string(kNotADialString) +
                                     ": skipped");
                ++unusable;
                continue;
            }
            if (!name.lost.empty() && !nameNoted) {
                plan.notes.push_back(who + ": the device alphabet cannot hold " + DescribeCharacters(name.lost) +
                                     ": written as \"" + name.text + "\"");
                plan.changed.push_back({contact.name, name.text});
                nameNoted = true;
            }
            plan.entries.push_back({*number, name.text});
        }
        // A contact counts as not pasted only when none of its numbers can be stored.
        if (plan.entries.size() == entriesBefore)
            ++plan.skipped;
        else
            plan.skippedNumbers += unusable;
    }
    return plan;
}

}  // namespace ribodex
