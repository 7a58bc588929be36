// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/demo_phone.h"

#include <cstdlib>
#include <filesystem>

#include "sim/state_file.h"

namespace ribodex::sim {
namespace {

SimConfig ConfigWithSim(SimMemory book) {
    SimConfig config;
    for (SimMemory& memory : config.memories)
        if (memory.name == "SM") memory.entries = std::move(book.entries);
    return config;
}

}  // namespace

std::string DemoPhone::DefaultBookPath() {
    std::filesystem::path base;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) {
        base = data;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = std::filesystem::path(home) / ".local" / "share";
    } else {
        base = std::filesystem::temp_directory_path();
    }
    return (base / "Quillcast Ribodex" / "demo-phone.txt").string();
}

SimMemory DemoPhone::SampleSimBook() {
    SimMemory book;
    book.name = "SM";
    // Names in GSM bytes: 0x7E is u-umlaut, 0x7C o-umlaut, 0x5B A-umlaut, 0x00 is "@".
    book.entries[1] = {"+4930123456", 145, "Anna Huber"};
    book.entries[2] = {"0171234567", 129, "Bernd M\x7eller"};
    book.entries[3] = {"+41446681800", 145, "J\x7crg Sch\x7ctz"};
    book.entries[5] = {"112", 129, "Notruf"};
    book.entries[7] = {"+4989123123", 145, "\x5B" "rztehaus"};
    book.entries[12] = {"+43123456", 145, std::string("Office", 6) + std::string(1, '\0') + "Wien"};
    book.entries[20] = {"0301234", 129, "Pizza Roma"};
    return book;
}

DemoPhone::DemoPhone(std::string path)
    : bookPath(path.empty() ? DefaultBookPath() : std::move(path)), modem(ConfigWithSim(SampleSimBook())) {}

DemoPhone::~DemoPhone() { Stop(); }

bool DemoPhone::Start() {
    if (modem.Running()) return true;
    std::error_code ignored;
    if (std::filesystem::exists(bookPath, ignored)) {
        if (auto memories = LoadStateFile(bookPath, nullptr)) {
            modem.With([&](ModemSimulator& phone) { phone.Config().memories = std::move(*memories); });
        } else {
            // Never save over a book we could not read: the user may want to mend it.
            saveAllowed = false;
        }
    } else {
        std::filesystem::create_directories(std::filesystem::path(bookPath).parent_path(), ignored);
        modem.With([&](ModemSimulator& phone) {
            std::string error;
            SaveStateFile(bookPath, phone.Config().memories, &error);
        });
    }
    if (saveAllowed) {
        modem.onChange = [this](const ModemSimulator& phone) {
            std::string error;
            SaveStateFile(bookPath, phone.Config().memories, &error);
        };
    }
    return modem.Start();
}

void DemoPhone::Stop() { modem.Stop(); }

ribodex::PortMapper DemoPortMapper(DemoPhone& phone) {
    return [&phone](const std::string& name) -> std::string {
        if (name == "DEMO") return phone.Start() ? phone.SlavePath() : std::string();
        return DefaultDevicePath(name);
    };
}

}  // namespace ribodex::sim
