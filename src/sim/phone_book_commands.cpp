// SPDX-License-Identifier: GPL-3.0-or-later
// Phone book commands of the simulated phone: +CPBS memory selection, +CPBR reading and
// +CPBW writing and deleting, with each memory's own index range and length limits.
#include "sim/at_params.h"
#include "sim/gsm_charset.h"
#include "sim/modem_simulator.h"
#include "sim/sim_alpha.h"
#include "sim/range_quirks.h"

namespace ribodex::sim {
namespace {

constexpr int kInvalidIndex = 21;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string Range(const SimMemory& memory) {
    return "(" + std::to_string(memory.first) + "-" + std::to_string(memory.last) + ")";
}

// A dialling string: digits and the few dial modifiers a phone book may hold; '+' only first.
bool ValidNumber(const std::string& number) {
    for (std::size_t i = 0; i < number.size(); ++i) {
        const char c = number[i];
        if (c == '+' && i == 0) continue;
        if ((c >= '0' && c <= '9') || c == '*' || c == '#' || c == 'p' || c == 'P' || c == 'w' || c == 'W') continue;
        return false;
    }
    return true;
}

}  // namespace

std::string ModemSimulator::EncodeName(const std::string& stored) const {
    const Charset set = CharsetFromName(charset).value_or(Charset::Gsm);
    if (set == Charset::Gsm && config.passSimCoding && !stored.empty() && static_cast<unsigned char>(stored[0]) == 0x80)
        return RecordHex(stored);
    return EncodeText(stored, set);
}

bool ModemSimulator::HexNumbers() const { return config.ucs2HexNumbers && charset == "UCS2"; }

int ModemSimulator::NameLimit(const SimMemory& memory) const {
    // In UCS2 the limit counts characters of the SIM's UCS2 record.
    return charset == "UCS2" ? (memory.maxName - 1) / 2 : memory.maxName;
}

bool ModemSimulator::RunPhoneBook(std::string_view name, std::string_view rest, std::vector<std::string>& info,
                                  std::string& error) {
    if (lock != Lock::None) {
        error = CmeError(lock == Lock::SimPuk ? 12 : lock == Lock::PhSimPin ? 5 : lock == Lock::Blocked ? 13 : 11);
        return false;
    }
    if (std::chrono::steady_clock::now() < busyUntil) {
        error = "+CME ERROR: 14";
        return false;
    }
    SimMemory* memory = FindMemory(config.selectedMemory);
    if (memory == nullptr) {
        error = CmeError(4);
        return false;
    }
    if (name == "+CPBS") {
        if (rest == "=?") {
            std::string list;
            for (const SimMemory& each : config.memories) {
                list += (list.empty() ? "" : ",") + Quoted(each.name);
                if (!each.alias.empty()) list += "," + Quoted(each.alias);
            }
            info.push_back("+CPBS: (" + list + ")");
            return true;
        }
        if (rest == "?") {
            info.push_back("+CPBS: " + Quoted(config.selectedMemory));
            if (config.memoryCounts)
                info.back() += "," + std::to_string(memory->entries.size()) + "," +
                               std::to_string(memory->last - memory->first + 1);
            return true;
        }
        if (rest.empty() || rest.front() != '=') return false;
        const auto params = ParseParams(rest.substr(1));
        if (!params || params->empty() || params->size() > 3) return false;
        if (FindMemory(params->front().value) == nullptr) {
            error = CmeError(4);
            return false;
        }
        config.selectedMemory = params->front().value;
        return true;
    }
    if (name == "+CPBR") {
        if (rest == "=?") {
            info.push_back("+CPBR: " + Range(*memory) + "," + std::to_string(memory->maxNumber) + "," +
                           std::to_string(NameLimit(*memory)));
            return true;
        }
        if (rest.empty() || rest.front() != '=') return false;
        return ReadEntries(rest.substr(1), info, error);
    }
    // +CPBW
    if (rest == "=?") {
        info.push_back("+CPBW: " + Range(*memory) + "," + std::to_string(memory->maxNumber) + ",(129,145,161)," +
                       std::to_string(NameLimit(*memory)));
        return true;
    }
    if (rest.empty() || rest.front() != '=') return false;
    return WriteEntry(rest.substr(1), error);
}

bool ModemSimulator::ReadEntries(std::string_view args, std::vector<std::string>& info, std::string& error) {
    const SimMemory& memory = *FindMemory(config.selectedMemory);
    const auto params = ParseParams(args);
    if (!params || params->empty() || params->size() > 2) return false;
    const auto first = ParamInt(params->front());
    const auto last = params->size() == 2 ? ParamInt((*params)[1]) : first;
    if (!first || !last) return false;
    // Answers of earlier commands on the same line are in info already.
    const std::size_t before = info.size();
    if (*first < memory.first || *last > memory.last || *first > *last) {
        error = CmeError(kInvalidIndex);
        return false;
    }
    bool capped = false;
    for (const int index : ListedIndices(memory.entries, *first, *last, config.range, capped)) {
        const SimEntry& entry = memory.entries.at(index);
        std::string number = entry.number;
        if (HexNumbers()) {
            if (!number.empty() && number[0] == '+') number.erase(0, 1);
            number = Ucs2Hex(std::u16string(number.begin(), number.end()));
        }
        info.push_back("+CPBR: " + std::to_string(index) + "," + Quoted(number) + "," +
                       std::to_string(entry.type) + "," + Quoted(EncodeName(entry.nameGsm)));
    }
    if (capped) {
        error = CmeError(kInvalidIndex);
        return false;
    }
    if (params->size() == 2 && info.size() == before && config.range.emptyNotFound) {
        error = "+CME ERROR: 22";
        return false;
    }
    if (info.size() > before || params->size() == 2) return true;
    switch (config.emptyAnswer) {
    case EmptyAnswer::Ok:
        return true;
    case EmptyAnswer::Error:
        return false;
    case EmptyAnswer::Cme:
        // Phones that answer this way do so whatever +CMEE says.
        error = cmee == 2 ? "+CME ERROR: not found" : "+CME ERROR: 22";
        return false;
    case EmptyAnswer::NoEntry:
        info.push_back("no entry");
        return true;
    }
    return true;
}

bool ModemSimulator::WriteEntry(std::string_view args, std::string& error) {
    SimMemory& memory = *FindMemory(config.selectedMemory);
    const auto params = ParseParams(args);
    if (!params || params->empty() || params->size() > 4) return false;
    std::optional<int> index;
    if (!params->front().Empty()) {
        index = ParamInt(params->front());
        if (!index) return false;
        if (*index < memory.first || *index > memory.last) {
            error = CmeError(kInvalidIndex);
            return false;
        }
    }
    if (params->size() == 1) {
        if (!index) return false;
        if (memory.entries.erase(*index) > 0) ++revision;
        return true;
    }
    const AtParam& numberParam = (*params)[1];
    std::string number = numberParam.value;
    if (HexNumbers() && !number.empty()) {
        const auto units = FromUcs2Hex(number);
        if (!units) {
            error = CmeError(27);
            return false;
        }
        number.assign(units->begin(), units->end());
        if (params->size() >= 3 && ParamInt((*params)[2]) == 145 && number[0] != '+') number.insert(0, 1, '+');
    }
    if (!ValidNumber(number)) {
        error = CmeError(27);
        return false;
    }
    const int digits = static_cast<int>(number.size()) - (!number.empty() && number[0] == '+' ? 1 : 0);
    if (digits > memory.maxNumber) {
        error = CmeError(26);
        return false;
    }
    int type = !number.empty() && number[0] == '+' ? 145 : 129;
    if (params->size() >= 3 && !(*params)[2].Empty()) {
        const auto given = ParamInt((*params)[2]);
        if (!given || *given < 128 || *given > 255) return false;
        type = *given;
    }
    std::string nameGsm;
    if (params->size() == 4) {
        const auto decoded = DecodeText((*params)[3].value, CharsetFromName(charset).value_or(Charset::Gsm));
        if (!decoded) {
            error = CmeError(25);
            return false;
        }
        nameGsm = *decoded;
    }
    if (static_cast<int>(nameGsm.size()) > memory.maxName) {
        error = CmeError(24);
        return false;
    }
    if (!index) {
        for (int i = memory.first; i <= memory.last; ++i) {
            if (memory.entries.count(i) == 0) {
                index = i;
                break;
            }
        }
        if (!index) {
            error = CmeError(20);
            return false;
        }
    }
    memory.entries[*index] = SimEntry{number, type, nameGsm};
    ++revision;
    return true;
}

}  // namespace ribodex::sim
