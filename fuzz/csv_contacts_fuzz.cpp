// SPDX-License-Identifier: GPL-3.0-or-later
// A CSV contacts file of any bytes: the reader never fails, names and numbers come out as
// valid UTF-8, every planned row to write holds a dial string at a free location of the
// range, and our own CSV export of what it planned reads back the same.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string_view>
#include <vector>

#include "core/formats/contact_file.h"
#include "core/formats/contact_plan.h"
#include "core/formats/cp1252.h"
#include "core/formats/csv_contacts.h"
#include "core/formats/csv_reader.h"
#include "core/formats/phone_number.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ribodex;
    using fuzz::Check;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ReadCsvRecords(bytes);
    const std::vector<VCardContact> contacts = ReadContacts(bytes, ContactFormat::Csv);
    for (const VCardContact& contact : contacts) {
        Check(Utf8CodePoints(contact.name).has_value());
        for (const std::string& number : contact.numbers) Check(Utf8CodePoints(number).has_value());
    }
    PlanTarget target;
    target.first = 1;
    target.last = 20;
    target.gsmNameLength = 14;
    target.held = {{3, "112", "Notruf"}};
    std::vector<PhoneBookEntry> written;
    std::set<int> used = {3};
    for (const PlanRow& row : PlanContacts(contacts, target)) {
        if (row.fate != RowFate::Write) continue;
        Check(IsDialString(row.number) && row.location >= 1 && row.location <= 20);
        Check(used.insert(row.location).second);
        written.push_back({row.location, row.number, row.name});
    }
    const std::vector<VCardContact> back = ReadContacts(WriteGoogleCsv(written), ContactFormat::Csv);
    Check(back.size() == written.size());
    for (std::size_t i = 0; i < back.size(); ++i)
        Check(back[i].name == written[i].name && back[i].numbers == std::vector<std::string>{written[i].number});
    return 0;
}
