// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/state_file.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace ribodex::sim {
namespace {

std::string Escape(const std::string& text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte <= 0x7E && c != '"' && c != '\\') {
            out += c;
        } else {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        }
    }
    return out + "\"";
}

int Hex(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads one quoted, escaped text at pos; moves pos past it.
bool ReadQuoted(std::string_view line, std::size_t& pos, std::string& out, std::string& why) {
    while (pos < line.size() && line[pos] == ' ') ++pos;
    if (pos >= line.size() || line[pos] != '"') {
        why = "a quoted text is expected";
        return false;
    }
    for (++pos; pos < line.size(); ++pos) {
        const char c = line[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (pos + 3 >= line.size() || line[pos + 1] != 'x' || Hex(line[pos + 2]) < 0 || Hex(line[pos + 3]) < 0) {
            why = "a backslash must start \\xHH";
            return false;
        }
        out += static_cast<char>(Hex(line[pos + 2]) * 16 + Hex(line[pos + 3]));
        pos += 3;
    }
    why = "the closing quote is missing";
    return false;
}

bool ReadInt(std::string_view line, std::size_t& pos, int& value) {
    while (pos < line.size() && line[pos] == ' ') ++pos;
    const std::size_t start = pos;
    if (pos < line.size() && line[pos] == '-') ++pos;
    long long v = 0;
    const std::size_t digits = pos;
    while (pos < line.size() && line[pos] >= '0' && line[pos] <= '9') {
        v = v * 10 + (line[pos] - '0');
        if (v > 1000000000) return false;
        ++pos;
    }
    if (pos == digits || (pos < line.size() && line[pos] != ' ')) return false;
    value = static_cast<int>(line[start] == '-' ? -v : v);
    return true;
}

bool AtEnd(std::string_view line, std::size_t pos) {
    while (pos < line.size() && line[pos] == ' ') ++pos;
    return pos == line.size();
}

}  // namespace

std::string SaveState(const std::vector<SimMemory>& memories) {
    std::ostringstream out;
    out << "# Simulated phone book: memory NAME FIRST LAST MAXNUMBER MAXNAME, then INDEX \"NUMBER\" TYPE \"NAME\"\n";
    for (const SimMemory& memory : memories) {
        out << "memory " << memory.name << ' ' << memory.first << ' ' << memory.last << ' ' << memory.maxNumber
            << ' ' << memory.maxName << '\n';
        if (!memory.alias.empty()) out << "alias " << memory.alias << '\n';
        for (const auto& [index, entry] : memory.entries) {
            out << index << ' ' << Escape(entry.number) << ' ' << entry.type << ' ' << Escape(entry.nameGsm) << '\n';
        }
    }
    return out.str();
}

std::optional<std::vector<SimMemory>> LoadState(std::string_view text, std::string* error) {
    std::vector<SimMemory> memories;
    int lineNumber = 0;
    std::string why;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::size_t pos = 0;
        while (pos < line.size() && line[pos] == ' ') ++pos;
        if (pos == line.size() || line[pos] == '#') continue;

        if (line.substr(pos, 7) == "memory ") {
            std::istringstream fields{std::string(line.substr(pos + 7))};
            SimMemory memory;
            std::string rest;
            if (!(fields >> memory.name >> memory.first >> memory.last >> memory.maxNumber >> memory.maxName) ||
                (fields >> rest)) {
                why = "expected: memory NAME FIRST LAST MAXNUMBER MAXNAME";
            } else if (memory.first > memory.last || memory.maxNumber < 0 || memory.maxName < 0) {
                why = "the index range or a length limit is impossible";
            } else {
                for (const SimMemory& other : memories) {
                    if (other.name == memory.name) why = "memory " + memory.name + " appears twice";
                }
            }
            if (why.empty()) {
                memories.push_back(std::move(memory));
                continue;
            }
        } else if (line.substr(pos, 6) == "alias ") {
            std::istringstream fields{std::string(line.substr(pos + 6))};
            std::string alias, rest;
            if (memories.empty() || !memories.back().alias.empty() || !(fields >> alias) || (fields >> rest)) {
                why = "an alias line belongs right after its memory line";
            } else {
                memories.back().alias = alias;
                continue;
            }
        } else if (memories.empty()) {
            why = "an entry before the first memory line";
        } else {
            SimMemory& memory = memories.back();
            int index = 0;
            SimEntry entry;
            if (!ReadInt(line, pos, index)) {
                why = "an entry starts with its index";
            } else if (index < memory.first || index > memory.last) {
                why = "index " + std::to_string(index) + " is outside the memory's range";
            } else if (memory.entries.count(index) != 0) {
                why = "index " + std::to_string(index) + " appears twice";
            } else if (ReadQuoted(line, pos, entry.number, why) && ReadInt(line, pos, entry.type) &&
                       ReadQuoted(line, pos, entry.nameGsm, why)) {
                if (AtEnd(line, pos)) {
                    memory.entries[index] = std::move(entry);
                    continue;
                }
                why = "text after the name";
            } else if (why.empty()) {
                why = "expected: INDEX \"NUMBER\" TYPE \"NAME\"";
            }
        }
        if (error) *error = "line " + std::to_string(lineNumber) + ": " + why;
        return std::nullopt;
    }
    return memories;
}

bool SaveStateFile(const std::string& path, const std::vector<SimMemory>& memories, std::string* error) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << SaveState(memories);
        out.flush();
        if (!out) {
            if (error) *error = "cannot write " + temporary;
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        if (error) *error = "cannot replace " + path;
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

std::optional<std::vector<SimMemory>> LoadStateFile(const std::string& path, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error) *error = "cannot open " + path;
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    std::string why;
    auto memories = LoadState(text.str(), &why);
    if (!memories && error) *error = path + ": " + why;
    return memories;
}

}  // namespace ribodex::sim
