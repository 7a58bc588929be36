// SPDX-License-Identifier: GPL-3.0-or-later
// Replaying a user's trace: the commands it shows, the answers it recorded.
#include "sim/trace_replay.h"

namespace ribodex::sim {
namespace {

constexpr std::string_view kTag = " [COM]: ";
constexpr std::size_t kStampSize = 19;  // "%m/%d/%Y %H:%M:%S"

// Whether a record starts at `at`: the time stamp's shape, then the tag.
bool RecordAt(std::string_view text, std::size_t at) {
    if (text.size() < at + kStampSize + kTag.size()) return false;
    constexpr std::string_view shape = "00/00/0000 00:00:00";
    for (std::size_t i = 0; i < kStampSize; ++i) {
        const char c = text[at + i];
        if (shape[i] == '0' ? (c < '0' || c > '9') : c != shape[i]) return false;
    }
    return text.substr(at + kStampSize, kTag.size()) == kTag;
}

// The body of a record ("Write(COM1): AT\r") of the given operation, without its prefix.
std::optional<std::string_view> Body(std::string_view record, std::string_view operation) {
    if (record.substr(0, operation.size() + 1) != std::string(operation) + "(") return std::nullopt;
    const std::size_t colon = record.find("): ");
    if (colon == std::string_view::npos) return std::nullopt;
    return record.substr(colon + 3);
}

bool IsPinCommand(std::string_view command) { return command.substr(0, 8) == "AT+CPIN="; }

}  // namespace

std::optional<std::vector<RecordedExchange>> ParseTrace(std::string_view text) {
    std::vector<std::string_view> records;
    std::size_t start = std::string_view::npos;
    for (std::size_t at = 0; at < text.size(); at = text.find('\n', at) + 1) {
        if (RecordAt(text, at)) {
            // A record ends with the line feed the trace adds, just before the next one.
            if (start != std::string_view::npos) records.push_back(text.substr(start, at - 1 - start));
            start = at + kStampSize + kTag.size();
        }
        if (text.find('\n', at) == std::string_view::npos) break;
    }
    if (start != std::string_view::npos) {
        std::string_view last = text.substr(start);
        if (!last.empty() && last.back() == '\n') last.remove_suffix(1);
        records.push_back(last);
    }
    std::vector<RecordedExchange> exchanges;
    bool answered = true;
    for (std::string_view record : records) {
        if (const auto command = Body(record, "Write")) {
            std::string line(*command);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            exchanges.push_back({std::move(line), {}});
            answered = false;
        } else if (const auto answer = Body(record, "Read"); answer && !answered) {
            exchanges.back().answer = std::string(*answer);
            answered = true;
        }
    }
    if (exchanges.empty()) return std::nullopt;
    return exchanges;
}

TraceReplay::TraceReplay(std::vector<RecordedExchange> recorded)
    : exchanges(std::move(recorded)), used(exchanges.size(), false) {
    for (const RecordedExchange& exchange : exchanges)
        if (exchange.answer.compare(0, exchange.command.size(), exchange.command) == 0) echoed = true;
}

std::string TraceReplay::Answer(std::string_view command) {
    const auto matches = [command](const RecordedExchange& exchange) {
        return exchange.command == command || (IsPinCommand(exchange.command) && IsPinCommand(command));
    };
    std::size_t last = exchanges.size();
    for (std::size_t i = 0; i < exchanges.size(); ++i) {
        if (!matches(exchanges[i])) continue;
        last = i;
        if (used[i]) continue;
        used[i] = true;
        return exchanges[i].answer;
    }
    if (last < exchanges.size()) return exchanges[last].answer;
    return (echoed ? std::string(command) + "\r" : std::string()) + "\r\nERROR\r\n";
}

}  // namespace ribodex::sim
