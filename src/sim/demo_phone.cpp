#include "sim/demo_phone.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

#include "sim/gsm_charset.h"
#include "sim/state_file.h"

namespace ribodex::sim {
namespace {

// Creates every missing folder of path's parent, private to the user like the settings.
void MakeParents(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        ::mkdir(path.substr(0, slash).c_str(), 0700);
    }
}

std::string Gsm(std::u32string_view text) {
    std::string out;
    for (char32_t ch : text) out += static_cast<char>(UnicodeToGsm(ch).value_or(' '));
    return out;
}

}  // namespace

DemoPhone::DemoPhone(std::string path) : bookPath(path.empty() ? DefaultBookPath() : std::move(path)) {}

DemoPhone::~DemoPhone() { Stop(); }

std::string DemoPhone::DefaultBookPath() {
    std::string base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && xdg[0] == '/') {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home && home[0] != '\0') {
        base = std::string(home) + "/.local/share";
    } else {
        base = "/tmp";
    }
    return base + "/Quillcast Ribodex/demo-phone.txt";
}

SimMemory DemoPhone::SampleSimBook() {
    SimMemory sm = DefaultMemories().front();
    sm.entries = {
        {1, {"+4930123456", 145, Gsm(U"Anna Müller")}},
        {2, {"+4989765432", 145, Gsm(U"Jörg Weiß")}},
        {3, {"0401234567", 129, Gsm(U"Büro Hamburg")}},
        {5, {"+46812345678", 145, Gsm(U"Åsa Öberg")}},
        {7, {"+436641234567", 145, Gsm(U"Café Über")}},
        {8, {"+4915112345678", 145, Gsm(U"info@quillcast")}},
        {12, {"112", 129, Gsm(U"Notruf")}},
    };
    return sm;
}

bool DemoPhone::Start() {
    if (modem.Running()) return true;
    std::vector<SimMemory> memories = DefaultMemories();
    memories.front() = SampleSimBook();
    loadError.clear();
    saveAllowed = true;
    struct stat st{};
    if (::stat(bookPath.c_str(), &st) == 0) {
        if (auto loaded = LoadStateFile(bookPath, &loadError)) {
            memories = std::move(*loaded);
        } else {
            // Never overwrite a book the user may want to repair by hand.
            saveAllowed = false;
        }
    } else {
        MakeParents(bookPath);
        if (!SaveStateFile(bookPath, memories, &loadError)) saveAllowed = false;
    }
    modem.With([&](ModemSimulator& phone) {
        phone.Config().memories = std::move(memories);
        phone.Config().selectedMemory = "SM";
        phone.PowerOn();
    });
    modem.onChange = [this](const ModemSimulator& phone) {
        if (saveAllowed) SaveStateFile(bookPath, phone.Config().memories, nullptr);
    };
    return modem.Start();
}

void DemoPhone::Stop() { modem.Stop(); }

ribodex::PortMapper DemoPortMapper(DemoPhone& phone) {
    return [&phone](const std::string& portName) -> std::string {
        if (portName != "DEMO") return ribodex::DefaultDevicePath(portName);
        if (!phone.Running() && !phone.Start()) return {};
        return phone.SlavePath();
    };
}

}  // namespace ribodex::sim
