// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "core/session/user_interface.h"

namespace ribodex {

class CMainFrame;

// The session code's user interface on Qt: message boxes and the PIN and PUK dialogs owned
// by the main window, the status text in its message pane, progress in its status bar, the
// wait cursor as an override cursor. Every box and dialog lifts the wait cursor while shown.
// Before SetFrame, boxes have no owner and status texts go nowhere. A close of the window
// requested during device work (BusyInputFilter) is carried out when the outermost wait
// cursor ends. UI thread only.
class QtUserInterface : public UserInterface {
public:
    void SetFrame(CMainFrame* mainFrame) { frame = mainFrame; }

    void ShowMessage(int messageId, std::string_view arg = {}) override;
    bool AskYesNo(int messageId, std::string_view arg = {}) override;
    bool AskYesNoNumbers(int messageId, long long first, long long second) override;
    bool PromptPin(int promptId, std::string_view port, PinDialogData& data) override;
    bool PromptPuk(int promptId, std::string_view port, PukDialogData& data) override;
    void SetStatusText(int messageId, std::string_view arg = {}) override;
    void SetStatusNumbers(int messageId, int first, int second) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void BeginProgress(int stopQuestionId) override;
    bool Progress(int done, int total) override;
    bool WaitProgress(int elapsedMs, int totalMs) override;
    void EndProgress() override;

    // Escape or the Cancel button: stops the operation in progress; nothing without one.
    void RequestStop();
    // The main window was asked to close during device work: the operation in progress
    // stops (after its question, when it has one); the window closes once the work is done.
    void RequestClose();

private:
    // Progress and WaitProgress: the bar at done of total with its label.
    bool ShowProgress(int done, int total, const QString& label);

    CMainFrame* frame = nullptr;
    int waitDepth = 0;
    bool inProgress = false;
    int stopQuestion = 0;
    bool stopRequested = false;
    bool closeRequested = false;
    bool closeAsked = false;
};

}  // namespace ribodex
