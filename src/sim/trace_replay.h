// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ribodex::sim {

// One command of a trace and what the device sent after it: the first Read that followed
// its Write (a late answer of an earlier command included, as it came).
struct RecordedExchange {
    std::string command;  // without its carriage return
    std::string answer;
};

// The exchanges of a trace file as the program writes it (a time stamp, " [COM]: ", then
// "Write(port): ..." or "Read(port): ..." and a line feed; a record may span lines). Other
// records (Connect, ReadBlock...) and text before the first record are not looked at.
// nullopt when the text holds no Write at all.
std::optional<std::vector<RecordedExchange>> ParseTrace(std::string_view text);

// Answers like the device that recorded a trace: a command gets the answer recorded for it,
// the same command again the next one recorded (the last one once they are used up), an
// unknown command ERROR (after its echo when the device echoed). A recorded PIN command
// ("AT+CPIN=" with anything) stands for every PIN command, so a trace whose PIN was
// removed still replays. Not thread-safe: ModemSimulator's owner serialises calls.
class TraceReplay {
public:
    explicit TraceReplay(std::vector<RecordedExchange> exchanges);
    std::string Answer(std::string_view command);

private:
    std::vector<RecordedExchange> exchanges;
    std::vector<bool> used;
    bool echoed = false;
};

}  // namespace ribodex::sim
