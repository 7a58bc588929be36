#pragma once

#include "core/session/user_interface.h"

namespace ribodex {

class CMainFrame;

// The session code's user interface on Qt: message boxes and the PIN and PUK dialogs owned
// by the main window, the status text in its message pane, the wait cursor as an override
// cursor. Every box and dialog lifts the wait cursor while shown. Before SetFrame, boxes
// have no owner and status texts go nowhere. UI thread only.
class QtUserInterface : public UserInterface {
public:
    void SetFrame(CMainFrame* mainFrame) { frame = mainFrame; }

    void ShowMessage(int messageId, std::string_view arg = {}) override;
    bool AskYesNo(int messageId, std::string_view arg = {}) override;
    bool PromptPin(int promptId, std::string_view port, PinDialogData& data) override;
    bool PromptPuk(int promptId, std::string_view port, PukDialogData& data) override;
    void SetStatusText(int messageId, std::string_view arg = {}) override;
    void SetStatusNumbers(int messageId, int first, int second) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;


private:
    CMainFrame* frame = nullptr;
    int waitDepth = 0;
};

}  // namespace ribodex
