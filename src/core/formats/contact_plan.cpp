// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/contact_plan.h"

#include <algorithm>

#include "core/device/free_locations.h"
#include "core/device/name_coding.h"
#include "core/formats/cp1252.h"
#include "core/formats/device_text.h"
#include "core/formats/entry_match.h"
#include "core/formats/phone_number.h"

namespace ribodex {
namespace {

// The name cut, a character at a time from its end, until it takes no more places than the
// memory has for the set it travels in.
std::string FitName(std::string name, const PlanTarget& target, bool& cut) {
    for (;;) {
        const DeviceName encoded = EncodeDeviceName(name, target.ucs2Offered);
        const int limit = encoded.set == NameSet::Gsm ? target.gsmNameLength : target.ucs2NameLength;
        if (limit <= 0 || static_cast<int>(encoded.length) <= limit || name.empty()) return name;
        std::size_t end = name.size() - 1;
        while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;
        name.erase(end);
        while (!name.empty() && name.back() == ' ') name.pop_back();
        cut = true;
    }
}

int Digits(std::string_view number) {
    return static_cast<int>(number.size()) - (!number.empty() && number.front() == '+' ? 1 : 0);
}

}  // namespace

std::vector<PlanRow> PlanContacts(const std::vector<VCardContact>& contacts, const PlanTarget& target) {
    std::vector<PlanRow> rows;
    std::vector<PhoneBookEntry> planned;
    for (const VCardContact& contact : contacts) {
        PlanRow base;
        base.contactIndex = static_cast<std::size_t>(&contact - contacts.data());
        base.contact = contact.name;
        // A name far beyond any memory is cut before it is measured again and again.
        std::string_view source = contact.name;
        if (source.size() > 1024) source = source.substr(0, 1024);
        StorableName storable = ToStorableName(source, target.ucs2Offered);
        base.lost = std::move(storable.lost);
        base.name = FitName(std::move(storable.text), target, base.nameCut);
        if (contact.numbers.empty()) {
            base.fate = RowFate::NoNumber;
            rows.push_back(std::move(base));
            continue;
        }
        for (const std::string& tel : contact.numbers) {
            PlanRow row = base;
            row.written = tel;
            CleanedNumber cleaned = CleanNumber(tel);
            row.number = std::move(cleaned.number);
            row.removed = std::move(cleaned.removed);
            if (!cleaned.valid) {
                row.fate = RowFate::NotADialString;
            } else if (const PhoneBookEntry* held = FindSameEntry(target.held, row.name, row.number)) {
                row.fate = RowFate::AlreadyHeld;
                row.location = held->index;
            } else if (FindSameEntry(planned, row.name, row.number)) {
                row.fate = RowFate::Twice;
            } else if (target.numberLength > 0 && Digits(row.number) > target.numberLength) {
                row.fate = RowFate::NumberTooLong;
            } else {
                planned.push_back({0, row.number, row.name});
            }
            rows.push_back(std::move(row));
        }
    }
    std::vector<int> taken;
    for (const PhoneBookEntry& entry : target.held) taken.push_back(entry.index);
    const std::vector<int> locations = PlanFreeLocations(taken, target.first, target.last, planned.size());
    std::size_t next = 0;
    for (PlanRow& row : rows) {
        if (row.fate != RowFate::Write) continue;
        if (next < locations.size()) row.location = locations[next++];
        else row.fate = RowFate::NoRoom;
    }
    return rows;
}

std::vector<PlanRow> PlanEntries(const std::vector<PhoneBookEntry>& entries, const PlanTarget& target) {
    std::vector<VCardContact> contacts;
    for (const PhoneBookEntry& entry : entries) {
        VCardContact contact;
        contact.name = entry.name;
        if (!entry.number.empty()) contact.numbers.push_back(Cp1252ToUtf8(entry.number));
        contacts.push_back(std::move(contact));
    }
    return PlanContacts(contacts, target);
}

std::size_t CountRows(const std::vector<PlanRow>& rows, RowFate fate) {
    return static_cast<std::size_t>(std::count_if(rows.begin(), rows.end(), [&](const PlanRow& r) { return r.fate == fate; }));
}

std::string DescribeRow(const PlanRow& row) {
    switch (row.fate) {
    case RowFate::Write:
        return row.removed.empty() ? std::string() : "the number \"" + row.written + "\" is written as " + row.number;
    case RowFate::NoNumber: return "skipped: no telephone number";
    case RowFate::NotADialString: return "skipped: \"" + row.written + "\" is " + std::string(kNotADialString);
    case RowFate::NumberTooLong: return "skipped: the number is longer than the memory holds";
    case RowFate::AlreadyHeld: return "already on the phone at location " + std::to_string(row.location);
    case RowFate::Twice: return "skipped: the same name and number came before in the file";
    case RowFate::NoRoom: return "skipped: no free location left";
    }
    return {};
}

std::string DescribeName(const PlanRow& row) {
    if (row.lost.empty() && !row.nameCut) return {};
    std::string text = row.lost.empty() ? "the name is longer than the memory holds"
                                        : "the device alphabet cannot hold " + DescribeCharacters(row.lost);
    if (!row.lost.empty() && row.nameCut) text += " and the name is longer than the memory holds";
    return text + ": written as \"" + row.name + "\"";
}

}  // namespace ribodex
