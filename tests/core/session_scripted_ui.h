// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/device/gsm_device.h"
#include "core/session/user_interface.h"

namespace ribodex::test {

// The user as a script: answers prompts and questions in order and records everything
// shown. An unscripted prompt counts as a test failure and is cancelled, so a flow that
// loops where it should stop ends instead of hanging the suite.
class ScriptedUi : public UserInterface {
public:
    struct PinAnswer {
        bool ok = true;
        std::optional<std::string> pin;  // nullopt: leave what the dialog shows
        std::optional<int> save;
    };
    struct PukAnswer {
        bool ok = true;
        std::string puk;
        std::string newPin;
        int save = 0;
    };

    std::deque<PinAnswer> pinAnswers;
    std::deque<PukAnswer> pukAnswers;
    std::deque<bool> yesNoAnswers;

    // Everything the user saw, in order: "message 158", "ask 147 COM1", "pin 156 COM1 '1111' 1",
    // "puk 157 COM1 '' '' 0", "status 160 COM1", "status 57345".
    std::vector<std::string> seen;
    std::vector<int> messages;  // ids of OK boxes and questions only
    int waitDepth = 0;

    void ShowMessage(int id, std::string_view arg) override {
        seen.push_back("message " + std::to_string(id) + Arg(arg));
        messages.push_back(id);
    }
    bool AskYesNo(int id, std::string_view arg) override {
        seen.push_back("ask " + std::to_string(id) + Arg(arg));
        messages.push_back(id);
        if (yesNoAnswers.empty()) {
            ADD_FAILURE() << "unscripted question " << id;
            return false;
        }
        const bool yes = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return yes;
    }
    bool AskYesNoNumbers(int id, long long first, long long second) override {
        return AskYesNo(id, std::to_string(first) + " " + std::to_string(second));
    }
    bool PromptPin(int id, std::string_view port, PinDialogData& data) override {
        seen.push_back("pin " + std::to_string(id) + Arg(port) + " '" + data.pin + "' " +
                       std::to_string(data.save) + Left(data.attemptsLeft));
        if (pinAnswers.empty()) {
            ADD_FAILURE() << "unscripted PIN dialog";
            return false;
        }
        const PinAnswer answer = pinAnswers.front();
        pinAnswers.pop_front();
        if (answer.pin) data.pin = *answer.pin;
        if (answer.save) data.save = *answer.save;
        return answer.ok;
    }
    bool PromptPuk(int id, std::string_view port, PukDialogData& data) override {
        seen.push_back("puk " + std::to_string(id) + Arg(port) + " '" + data.puk + "' '" +
                       data.newPin + "' " + std::to_string(data.save) + Left(data.attemptsLeft));
        if (pukAnswers.empty()) {
            ADD_FAILURE() << "unscripted PUK dialog";
            return false;
        }
        const PukAnswer answer = pukAnswers.front();
        pukAnswers.pop_front();
        data.puk = answer.puk;
        data.newPin = answer.newPin;
        data.confirmation = answer.newPin;
        data.save = answer.save;
        return answer.ok;
    }
    void SetStatusText(int id, std::string_view arg) override {
        seen.push_back("status " + std::to_string(id) + Arg(arg));
    }
    void SetStatusNumbers(int id, int first, int second) override {
        seen.push_back("status " + std::to_string(id) + " " + std::to_string(first) + " " +
                       std::to_string(second));
    }
    // The user stops the stopWaitAt-th report of a device wait and every later one; -1: never.
    int stopWaitAt = -1;
    int waitReports = 0;
    bool WaitProgress(int, int) override { return stopWaitAt < 0 || ++waitReports < stopWaitAt; }

    void BeginWaitCursor() override { ++waitDepth; }
    void EndWaitCursor() override {
        if (--waitDepth < 0) ADD_FAILURE() << "wait cursor ended more often than begun";
    }

    std::vector<std::string> Seen(std::string_view prefix) const {
        std::vector<std::string> out;
        for (const std::string& s : seen)
            if (s.compare(0, prefix.size(), prefix) == 0) out.push_back(s);
        return out;
    }

private:
    static std::string Arg(std::string_view arg) {
        return arg.empty() ? std::string() : " " + std::string(arg);
    }
    static std::string Left(int attempts) { return attempts < 0 ? "" : " left " + std::to_string(attempts); }
};

// Device waits cut to what the simulated phone needs, so flow tests stay fast.
inline void ShortenWaits(GsmDevice& device) {
    device.timing.afterDtrMs = 0;
    device.timing.afterDisconnectMs = 0;
    device.timing.afterPinAcceptedMs = 10;
    device.timing.beforeFullReadMs = 10;
    device.timing.commandLimitMs = 1000;
    device.timing.pinLimitMs = 1000;
    device.timing.fullReadLimitMs = 2000;
}

}  // namespace ribodex::test
