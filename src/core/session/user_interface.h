// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace ribodex {

// String-table ids the session code shows. The app maps them to its translated texts;
// where a text holds %s (or, failing that, %d) the argument passed along replaces it.
enum MessageId : int {
    MsgConnectFailed = 132,     // OK box
    MsgTransferData = 133,      // status text, %s = port
    MsgDeleteQuestion = 134,    // Yes/No question
    MsgPasteIncomplete = 143,   // OK box
    MsgWriteFailed = 144,       // OK box, new entry and edit
    MsgPinCheckFailed = 147,    // Yes/No question, %s = port
    MsgEnterPin = 156,          // PIN dialog prompt, %s = port
    MsgEnterPuk = 157,          // PUK dialog prompt, %s = port
    MsgWrongPin = 158,          // OK box
    MsgWrongPuk = 159,          // OK box
    MsgCheckingPin = 160,       // status text, %s = port
    MsgPasteProgress = 164,     // status text, %d of %d
    MsgOverwriteQuestion = 165, // Yes/No question, %d = index
    MsgReadIncomplete = 166,    // OK box, %s = port: a full read that got no final result
    MsgWaitingForSim = 170,     // status text, %s = port: the SIM is still busy
    MsgPortBusy = 171,          // OK box, %s = the program holding the port, else the port
    MsgPasteTooMany = 180,      // Yes/No question, %d free locations of %d entries
    MsgStopPaste = 181,         // Yes/No question: the window is being closed during a paste
    MsgConnecting = 184,        // status text, %s = port: the wait after opening the port
    MsgPhoneLockWanted = 2301,  // Yes/No question, %s = port: PH-SIM PIN, not the SIM's PIN
    MsgNetworkLockWanted = 2302, // Yes/No question, %s = port: a network or provider lock
    MsgSimBusyNoRange = 2303,   // OK box, %s = port: AT+CPBR=? answered SIM busy throughout
    MsgNoRange = 2304,          // OK box, %s = port: the memory gave no usable range
    MsgEnterPin2 = 2305,        // PIN dialog prompt, %s = port: a write to FD wants PIN2
    MsgWrongPin2 = 2306,        // OK box
    AFX_IDS_IDLEMESSAGE = 57345 // status text "For Help, press F1"
};

// What the PIN dialog shows and hands back. The connection flow keeps one for its whole
// run, so a dialog shown again opens with what the user typed before, except the code the
// device refused: Enter must not spend another attempt on it. attemptsLeft is shown only.
struct PinDialogData {
    std::string pin;    // at most 20 characters (the dialog enforces it)
    int save = 0;       // the "Save:" check box
    int attemptsLeft = -1;  // tries the SIM grants before it asks for the PUK; -1 unknown
};

struct PukDialogData {
    std::string puk;           // at most 20 characters each
    std::string newPin;
    std::string confirmation;  // the dialog closes with OK only when equal to newPin
    int save = 0;
    int attemptsLeft = -1;     // tries left before the SIM is blocked for good; -1 unknown
};

// Everything the session code needs from the user. The app implements it with Qt widgets
// on the UI thread; tests implement it with a script. Every call is synchronous and made
// on the thread that runs the session code. Message boxes and dialogs lift the wait
// cursor while shown and put it back afterwards by themselves.
class UserInterface {
public:
    virtual ~UserInterface() = default;

    // Message box with only OK.
    virtual void ShowMessage(int messageId, std::string_view arg = {}) = 0;
    // Message box with Yes and No; true for Yes.
    virtual bool AskYesNo(int messageId, std::string_view arg = {}) = 0;
    // The same with the two "%d" of the text replaced by first and second.
    virtual bool AskYesNoNumbers(int messageId, long long first, long long second) = 0;

    // Modal PIN / PUK dialog with the prompt text promptId formatted with port. data holds
    // the values to show on entry and what the user typed on return; true for OK.
    virtual bool PromptPin(int promptId, std::string_view port, PinDialogData& data) = 0;
    virtual bool PromptPuk(int promptId, std::string_view port, PukDialogData& data) = 0;

    // Status bar message pane, painted at once.
    virtual void SetStatusText(int messageId, std::string_view arg = {}) = 0;
    // The same with the two "%d" of the text replaced by first and second.
    virtual void SetStatusNumbers(int messageId, int first, int second) = 0;

    // Nested pairs: the cursor is back to normal after the outermost End.
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    // A long operation (a full read, a paste, deleting entries) shows its progress and can
    // be stopped: Escape, a Cancel button, closing the window. Progress shows done of total
    // and answers false once the user asked to stop; the operation then ends after the
    // command in flight (a read at once) and keeps what was done. Closing the window during
    // an operation begun with a stopQuestionId asks that Yes/No question first, at the next
    // Progress call, when no command is in flight; without one it stops at once. End takes
    // the progress away and forgets a stop. Not nested. Interfaces without a bar (scripts,
    // tests) keep these defaults: nothing shown, never stopped.
    virtual void BeginProgress(int stopQuestionId) { (void)stopQuestionId; }
    virtual bool Progress(int done, int total) { (void)done, (void)total; return true; }
    // The same for a wait of the device: milliseconds waited of the most it takes.
    virtual bool WaitProgress(int elapsedMs, int totalMs) { return Progress(elapsedMs, totalMs); }
    virtual void EndProgress() {}

    void SetIdlePrompt() { SetStatusText(AFX_IDS_IDLEMESSAGE); }
};

// A long operation's progress for its lifetime (BeginProgress ... EndProgress).
class ProgressScope {
public:
    explicit ProgressScope(UserInterface& ui, int stopQuestionId = 0) : ui(ui) { ui.BeginProgress(stopQuestionId); }
    ~ProgressScope() { ui.EndProgress(); }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;
    // UserInterface::Progress; once it answered false, false without asking again.
    bool Report(int done, int total) {
        if (!stopped && !ui.Progress(done, total)) stopped = true;
        return !stopped;
    }
    bool ReportWait(int elapsedMs, int totalMs) {
        if (!stopped && !ui.WaitProgress(elapsedMs, totalMs)) stopped = true;
        return !stopped;
    }
    bool Stopped() const { return stopped; }

private:
    UserInterface& ui;
    bool stopped = false;
};

// Shows the wait cursor for its lifetime.
class WaitCursor {
public:
    explicit WaitCursor(UserInterface& ui) : ui(ui) { ui.BeginWaitCursor(); }
    ~WaitCursor() { ui.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    UserInterface& ui;
};

}  // namespace ribodex
