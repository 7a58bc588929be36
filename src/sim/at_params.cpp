// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/at_params.h"

namespace ribodex::sim {

std::optional<std::vector<AtParam>> ParseParams(std::string_view text) {
    std::vector<AtParam> params;
    std::size_t pos = 0;
    const auto skipSpaces = [&] {
        while (pos < text.size() && text[pos] == ' ') ++pos;
    };
    skipSpaces();
    if (pos == text.size()) return params;
    while (true) {
        AtParam param;
        skipSpaces();
        if (pos < text.size() && text[pos] == '"') {
            const std::size_t close = text.find('"', pos + 1);
            if (close == std::string_view::npos) return std::nullopt;
            param.quoted = true;
            param.value = std::string(text.substr(pos + 1, close - pos - 1));
            pos = close + 1;
            skipSpaces();
            if (pos < text.size() && text[pos] != ',') return std::nullopt;
        } else {
            const std::size_t comma = text.find(',', pos);
            const std::size_t end = comma == std::string_view::npos ? text.size() : comma;
            std::string_view raw = text.substr(pos, end - pos);
            while (!raw.empty() && raw.back() == ' ') raw.remove_suffix(1);
            if (raw.find('"') != std::string_view::npos) return std::nullopt;
            param.value = std::string(raw);
            pos = end;
        }
        params.push_back(std::move(param));
        if (pos >= text.size()) break;
        ++pos;  // the comma
    }
    return params;
}

std::optional<int> ParamInt(const AtParam& param) {
    if (param.quoted || param.value.empty()) return std::nullopt;
    std::size_t pos = 0;
    bool negative = false;
    if (param.value[0] == '+' || param.value[0] == '-') {
        negative = param.value[0] == '-';
        pos = 1;
    }
    if (pos == param.value.size()) return std::nullopt;
    long long value = 0;
    for (; pos < param.value.size(); ++pos) {
        const char c = param.value[pos];
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > 1000000000) return std::nullopt;
    }
    return static_cast<int>(negative ? -value : value);
}

}  // namespace ribodex::sim
