// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/settings_store.h"

namespace ribodex {

namespace {

template <typename Map>
auto Find(Map& values, std::string_view section, std::string_view key) {
    return values.find(std::make_pair(std::string(section), std::string(key)));
}

}  // namespace

int MemorySettingsStore::GetInt(std::string_view section, std::string_view key, int fallback) const {
    auto it = Find(values, section, key);
    if (it == values.end() || !it->second.isInt) return fallback;
    return it->second.number;
}

std::string MemorySettingsStore::GetText(std::string_view section, std::string_view key,
                                         std::string_view fallback) const {
    auto it = Find(values, section, key);
    if (it == values.end() || it->second.isInt) return std::string(fallback);
    return it->second.text;
}

bool MemorySettingsStore::SetInt(std::string_view section, std::string_view key, int value) {
    Value& slot = values[std::make_pair(std::string(section), std::string(key))];
    slot = Value{true, value, {}};
    return true;
}

bool MemorySettingsStore::SetText(std::string_view section, std::string_view key,
                                  std::string_view value) {
    Value& slot = values[std::make_pair(std::string(section), std::string(key))];
    slot = Value{false, 0, std::string(value)};
    return true;
}

bool MemorySettingsStore::Contains(std::string_view section, std::string_view key) const {
    return Find(values, section, key) != values.end();
}

std::string PortSection(std::string_view portName) {
    std::string section(kSettingsSection);
    section += '/';
    for (char c : portName) {
        switch (c) {
        case '%': section += "%25"; break;
        case '/': section += "%2F"; break;
        case '\\': section += "%5C"; break;
        default: section += c; break;
        }
    }
    return section;
}

}  // namespace ribodex
