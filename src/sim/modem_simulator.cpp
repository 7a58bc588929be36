// SPDX-License-Identifier: GPL-3.0-or-later
// GCC 12 reports std::optional<int> members as maybe-uninitialized at -O2 (a known false positive).
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
// Framing of the simulated phone: line assembly, echo, result codes, the basic commands
// and identification. SIM and phone book commands live in sim_lock.cpp and
// phone_book_commands.cpp.
#include "sim/modem_simulator.h"

#include <cctype>
#include <ctime>

#include "sim/at_params.h"
#include "sim/gsm_charset.h"

namespace ribodex::sim {
namespace {

// Longer lines are dropped whole and answered with ERROR, as modems with a fixed buffer do.
constexpr std::size_t kMaxLine = 4096;
constexpr char kEsc = 0x1B;
constexpr char kCtrlZ = 0x1A;

std::string Upper(std::string_view text) {
    std::string out;
    for (char c : text) out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// Position just after the "AT" that starts a command, or npos; V.25ter lets anything
// before the "A" be line noise.
std::size_t CommandStart(const std::string& line) {
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        if ((line[i] == 'A' || line[i] == 'a') && (line[i + 1] == 'T' || line[i + 1] == 't')) return i + 2;
    }
    return std::string::npos;
}

// The end of one extended command: the first ';' outside quotes.
std::size_t ExtendedEnd(std::string_view body) {
    bool quoted = false;
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] == '"') quoted = !quoted;
        if (body[i] == ';' && !quoted) return i;
    }
    return body.size();
}

std::string ClockNow() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[40];
    std::strftime(text, sizeof text, "+CCLK: \"%y/%m/%d,%H:%M:%S+00\"", &utc);
    return text;
}

}  // namespace

std::vector<SimMemory> DefaultMemories() {
    return {
        {"SM", "", 1, 250, 40, 16, {}},
        {"ME", "", 1, 500, 40, 24, {}},
        {"FD", "", 1, 10, 40, 16, {}},
        {"ON", "OW", 1, 4, 40, 16, {}},
        {"LD", "", 1, 10, 40, 16, {}},
        {"MC", "", 1, 10, 40, 16, {}},
        {"RC", "", 1, 10, 40, 16, {}},
    };
}

ModemSimulator::ModemSimulator(SimConfig initial) : config(std::move(initial)) { PowerOn(); }

void ModemSimulator::PowerOn() {
    ResetSettings();
    pinAttempts = 3;
    pukAttempts = 10;
    if (!config.pin.empty()) {
        lock = Lock::SimPin;
    } else {
        lock = config.phSimPin ? Lock::PhSimPin : Lock::None;
        StartSimBusy();
    }
    line.clear();
}

void ModemSimulator::ResetSettings() {
    echo = config.echo;
    verbose = true;
    cmee = config.cmee;
    charset = "GSM";
    if (!FindMemory(config.selectedMemory) && !config.memories.empty()) {
        config.selectedMemory = config.memories.front().name;
    }
}

SimMemory* ModemSimulator::FindMemory(std::string_view name) {
    for (SimMemory& memory : config.memories) {
        if (memory.name == name || (!memory.alias.empty() && memory.alias == name)) return &memory;
    }
    return nullptr;
}

const SimMemory* ModemSimulator::FindMemory(std::string_view name) const {
    return const_cast<ModemSimulator*>(this)->FindMemory(name);
}

bool ModemSimulator::HangUpDue() const {
    return config.hangupAfterCommands > 0 && commandCount >= config.hangupAfterCommands;
}

std::string ModemSimulator::NextUnsolicited() {
    const bool ring = unsolicitedTurn++ % 2 == 0;
    const std::string code = ring ? "RING" : "+CREG: 1";
    return verbose ? "\r\n" + code + "\r\n" : code + "\r\n";
}

std::string ModemSimulator::Feed(std::string_view bytes) {
    std::string out;
    if (config.silent) return out;
    for (char c : bytes) {
        if (c == kEsc || c == kCtrlZ) {
            // Clients send these to leave a half-typed line or SMS text mode: drop the line.
            line.clear();
            continue;
        }
        if (echo && !config.replay) out += c;
        if (c == '\r') {
            // Some clients put a NUL right before the carriage return; it is not data.
            while (!line.empty() && line.back() == '\0') line.pop_back();
            const std::size_t start = CommandStart(line);
            if (line.size() > kMaxLine) {
                // Only the start of the line was kept; running it would act on a cut command.
                out += Final(false);
            } else if (start != std::string::npos) {
                commands.push_back(line.substr(start - 2));
                out += config.replay ? config.replay->Answer(commands.back()) : RunLine(line.substr(start));
            }
            line.clear();
        } else if (c == '\b') {
            if (!line.empty()) line.pop_back();
        } else if (c == '\n' && line.empty()) {
            // The line feed after the previous carriage return.
        } else if (line.size() <= kMaxLine) {
            line += c;
        }
    }
    if (config.garbage && !out.empty()) out.insert(0, "\xF8\x07~\x80", 4);
    return out;
}

std::string ModemSimulator::Final(bool ok) const {
    if (verbose) return ok ? "\r\nOK\r\n" : "\r\nERROR\r\n";
    return ok ? "0\r" : "4\r";
}

std::string ModemSimulator::CmeError(int code) const {
    if (cmee == 0) return {};
    if (cmee == 1) return "+CME ERROR: " + std::to_string(code);
    switch (code) {
    case 3: return "+CME ERROR: operation not allowed";
    case 4: return "+CME ERROR: operation not supported";
    case 5: return "+CME ERROR: PH-SIM PIN required";
    case 10: return "+CME ERROR: SIM not inserted";
    case 11: return "+CME ERROR: SIM PIN required";
    case 12: return "+CME ERROR: SIM PUK required";
    case 13: return "+CME ERROR: SIM failure";
    case 16: return "+CME ERROR: incorrect password";
    case 20: return "+CME ERROR: memory full";
    case 21: return "+CME ERROR: invalid index";
    case 22: return "+CME ERROR: not found";
    case 24: return "+CME ERROR: text string too long";
    case 25: return "+CME ERROR: invalid characters in text string";
    case 26: return "+CME ERROR: dial string too long";
    case 27: return "+CME ERROR: invalid characters in dial string";
    default: return "+CME ERROR: unknown";
    }
}

std::string ModemSimulator::RunLine(const std::string& body) {
    ++commandCount;
    std::vector<std::string> info;
    std::string error;
    bool ok = body.size() <= kMaxLine && RunCommand(body, info, error);
    std::string out;
    if (!info.empty()) {
        if (verbose) out += "\r\n";
        for (std::size_t i = 0; i < info.size(); ++i) {
            out += info[i] + "\r\n";
            // Phones that do not hold back unsolicited results while they answer.
            if (i == 0 && config.unsolicitedInAnswer) out += NextUnsolicited();
        }
    }
    if (ok) return out + Final(true);
    if (error.empty()) return out + Final(false);
    return out + (verbose ? "\r\n" + error + "\r\n" : error + "\r\n");
}

bool ModemSimulator::RunCommand(std::string_view body, std::vector<std::string>& info,
                                std::string& error) {
    while (!body.empty()) {
        if (body.front() == ' ' || body.front() == ';') {
            body.remove_prefix(1);
            continue;
        }
        if (body.front() == '+' || body.front() == '^') {
            const std::size_t end = ExtendedEnd(body);
            if (!RunExtended(body.substr(0, end), info, error)) return false;
            body.remove_prefix(end);
            continue;
        }
        if (!RunBasic(body, info, error)) return false;
    }
    return true;
}

bool ModemSimulator::RunBasic(std::string_view& body, std::vector<std::string>& info, std::string&) {
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(body.front())));
    body.remove_prefix(1);
    if (letter == '&') {
        if (body.empty()) return false;
        const char sub = static_cast<char>(std::toupper(static_cast<unsigned char>(body.front())));
        body.remove_prefix(1);
        while (!body.empty() && std::isdigit(static_cast<unsigned char>(body.front()))) body.remove_prefix(1);
        if (sub == 'F') ResetSettings();
        return sub == 'F' || sub == 'C' || sub == 'D' || sub == 'K' || sub == 'W' || sub == 'V';
    }
    if (letter == 'S') {
        while (!body.empty() && std::isdigit(static_cast<unsigned char>(body.front()))) body.remove_prefix(1);
        if (body.empty()) return false;
        if (body.front() == '?') {
            body.remove_prefix(1);
            info.push_back("000");
            return true;
        }
        if (body.front() != '=') return false;
        body.remove_prefix(1);
        while (!body.empty() && std::isdigit(static_cast<unsigned char>(body.front()))) body.remove_prefix(1);
        return true;
    }
    int value = 0;
    bool hasValue = false;
    while (!body.empty() && std::isdigit(static_cast<unsigned char>(body.front()))) {
        value = value * 10 + (body.front() - '0');
        hasValue = true;
        body.remove_prefix(1);
        if (value > 1000) return false;
    }
    switch (letter) {
    case 'E':
        if (value > 1) return false;
        echo = value == 1;
        return true;
    case 'V':
        if (value > 1) return false;
        verbose = value == 1;
        return true;
    case 'Z':
        ResetSettings();
        return true;
    case 'I':
        info.push_back("Olvenstrom Quillphone 7");
        return true;
    case 'Q':
    case 'X':
    case 'L':
    case 'M':
    case 'H':
        return !hasValue || value <= 4;
    default:
        return false;
    }
}

bool ModemSimulator::RunExtended(std::string_view cmd, std::vector<std::string>& info,
                                 std::string& error) {
    std::size_t nameEnd = 1;
    while (nameEnd < cmd.size() && cmd[nameEnd] != '=' && cmd[nameEnd] != '?') ++nameEnd;
    const std::string name = Upper(cmd.substr(0, nameEnd));
    std::string_view rest = cmd.substr(nameEnd);
    while (!rest.empty() && rest.back() == ' ') rest.remove_suffix(1);
    const bool test = rest == "=?";
    const bool plain = rest.empty();

    if (name == "+CPIN") return RunSimCommand(name, rest, info, error);
    if (name == "+CPINR") return RunPinRetries(rest, info);
    if (name == "+CPBS" || name == "+CPBR" || name == "+CPBW") return RunPhoneBook(name, rest, info, error);

    const auto identity = [&](const char* text) {
        if (plain) info.push_back(text);
        return plain || test;
    };
    if (name == "+CGMI" || name == "+GMI") return identity("Olvenstrom");
    if (name == "+CGMM" || name == "+GMM") return identity("Quillphone 7");
    if (name == "+CGMR" || name == "+GMR") return identity("QP7 1.0.4");
    if (name == "+CGSN" || name == "+GSN") return identity("356938035643809");
    if (name == "+GCAP") return identity("+GCAP: +CGSM");
    if (name == "+CIMI") {
        if (lock != Lock::None) {
            error = CmeError(lock == Lock::SimPuk ? 12 : lock == Lock::PhSimPin ? 5 : 11);
            return false;
        }
        return identity("262019876543210");
    }
    if (name == "+CSQ") return identity("+CSQ: 21,99");
    if (name == "+CMEE" || name == "+CSCS" || name == "+CFUN" || name == "+CCLK" || name == "+CREG") {
        const auto params = ParseParams(rest.size() > 1 ? rest.substr(1) : std::string_view{});
        const bool set = !rest.empty() && rest.front() == '=' && !test;
        if (rest != "?" && !test && !plain && !set) return false;
        if (!params) return false;
        const auto first = params->empty() ? std::optional<int>{} : ParamInt(params->front());
        if (name == "+CMEE") {
            if (test) info.push_back("+CMEE: (0-2)");
            if (rest == "?") info.push_back("+CMEE: " + std::to_string(cmee));
            if (plain) cmee = 0;
            if (set) {
                if (!first || *first < 0 || *first > 2 || params->size() != 1) return false;
                cmee = *first;
            }
            return true;
        }
        if (name == "+CSCS") {
            if (test) info.push_back(config.gsmOnly ? "+CSCS: (\"GSM\")" : "+CSCS: (\"GSM\",\"UCS2\",\"IRA\",\"8859-1\")");
            if (rest == "?") info.push_back("+CSCS: \"" + charset + "\"");
            if (set) {
                const auto chosen = params->size() == 1 ? CharsetFromName(params->front().value) : std::nullopt;
                if (!chosen || (config.gsmOnly && *chosen != Charset::Gsm)) {
                    error = CmeError(4);
                    return false;
                }
                charset = std::string(CharsetName(*chosen));
            }
            return !plain;
        }
        if (name == "+CFUN") {
            if (test) info.push_back("+CFUN: (0,1,4),(0-1)");
            if (rest == "?") info.push_back("+CFUN: 1");
            if (set && (!first || (*first != 0 && *first != 1 && *first != 4))) return false;
            return !plain;
        }
        if (name == "+CCLK") {
            if (rest == "?") info.push_back(ClockNow());
            return !plain;
        }
        // +CREG
        if (test) info.push_back("+CREG: (0-2)");
        if (rest == "?") info.push_back("+CREG: 0,1");
        if (set && (!first || *first < 0 || *first > 2)) return false;
        return !plain;
    }
    return false;
}

}  // namespace ribodex::sim
