#include "core/formats/vcard_import.h"

#include "core/formats/cp1252.h"
#include "core/formats/device_text.h"
#include "core/formats/vcard.h"

namespace ribodex {
namespace {

std::string Shown(std::string_view utf8Name) {
    return utf8Name.empty() ? std::string("a contact without a name") : "\"" + std::string(utf8Name) + "\"";
}

// "é (U+00E9), € (U+20AC)"; control characters by their code only.
std::string Characters(const std::u32string& lost) {
    std::string text;
    for (char32_t c : lost) {
        if (!text.empty()) text += ", ";
        if (c >= 0x20 && c != 0x7F && !(c >= 0x80 && c < 0xA0)) {
            AppendUtf8(text, c);
            text += ' ';
        }
        text += "(" + CodePointName(c) + ")";
    }
    return text;
}

}  // namespace

ImportPlan PlanImport(std::string_view vcardText) {
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
        const StorableName name = ToStorableName(contact.name);
        bool nameNoted = false;
        for (const std::string& tel : contact.numbers) {
            const std::optional<std::string> number = ToStorableNumber(tel);
            if (!number) {
                plan.notes.push_back(who + ": the number \"" + tel +
                                     "\" is not digits with an optional leading +: skipped");
                ++plan.skipped;
                continue;
            }
            if (!name.lost.empty() && !nameNoted) {
                plan.notes.push_back(who + ": the device alphabet cannot hold " + Characters(name.lost) +
                                     ": written as \"" + Cp1252ToUtf8(name.cp1252) + "\"");
                plan.changed.push_back({contact.name, name.cp1252});
                nameNoted = true;
            }
            plan.entries.push_back({*number, name.cp1252});
        }
    }
    return plan;
}

}  // namespace ribodex
