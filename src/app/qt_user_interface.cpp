// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qt_user_interface.h"

#include <QApplication>
#include <QTimer>

#include <algorithm>

#include "app/dialogs/pin_dlg.h"
#include "app/dialogs/puk_dlg.h"
#include "app/frame/main_frame.h"
#include "app/frame/main_status_bar.h"
#include "app/message_box.h"
#include "app/string_table.h"

namespace ribodex {

void QtUserInterface::ShowMessage(int messageId, std::string_view arg)
{
    ShowMessageBox(frame, StringTable::Format(messageId, arg));
}

bool QtUserInterface::AskYesNo(int messageId, std::string_view arg)
{
    return AskYesNoBox(frame, StringTable::Format(messageId, arg));
}

bool QtUserInterface::AskYesNoNumbers(int messageId, long long first, long long second)
{
    return AskYesNoBox(frame, StringTable::FormatNumbers(messageId, {first, second}));
}

bool QtUserInterface::PromptPin(int promptId, std::string_view port, PinDialogData& data)
{
    CursorLift lift;
    CPinDlg dialog(StringTable::Format(promptId, port), data, frame);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    data = dialog.Data();
    return true;
}

bool QtUserInterface::PromptPuk(int promptId, std::string_view port, PukDialogData& data)
{
    CursorLift lift;
    CPukDlg dialog(StringTable::Format(promptId, port), data, frame);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    data = dialog.Data();
    return true;
}

void QtUserInterface::SetStatusText(int messageId, std::string_view arg)
{
    if (frame != nullptr)
        frame->SetStatusText(StringTable::Format(messageId, arg));
}

void QtUserInterface::SetStatusNumbers(int messageId, int first, int second)
{
    if (frame != nullptr)
        frame->SetStatusText(StringTable::FormatNumbers(messageId, {first, second}));
}

void QtUserInterface::BeginWaitCursor()
{
    ++waitDepth;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtUserInterface::EndWaitCursor()
{
    // An End without its Begin must not take away a cursor somebody else set.
    if (waitDepth == 0)
        return;
    --waitDepth;
    QApplication::restoreOverrideCursor();
    if (waitDepth == 0 && closeRequested && frame != nullptr) {
        closeRequested = false;
        // Posted: the command that ends here is still on the stack.
        QTimer::singleShot(0, frame, [target = frame] { target->close(); });
    }
}

void QtUserInterface::BeginProgress(int stopQuestionId)
{
    inProgress = true;
    stopQuestion = stopQuestionId;
    stopRequested = false;
    closeAsked = false;
}

bool QtUserInterface::Progress(int done, int total)
{
    return ShowProgress(done, total, {});
}

bool QtUserInterface::WaitProgress(int elapsedMs, int totalMs)
{
    // Whole seconds still to wait, counted up: a wait never shows "0 s" before it is over.
    const int left = (std::max(totalMs - elapsedMs, 0) + 999) / 1000;
    return ShowProgress(elapsedMs, totalMs, StringTable::FormatNumbers(IDS_PROGRESS_SECONDS_LEFT, {left}));
}

bool QtUserInterface::ShowProgress(int done, int total, const QString& label)
{
    // Asked here, between two commands, never while an answer is awaited: a box open then
    // would let the command's time limit run out under it.
    if (closeRequested && !stopRequested && stopQuestion != 0 && !closeAsked) {
        closeAsked = true;
        if (AskYesNo(stopQuestion))
            stopRequested = true;
        else
            closeRequested = false;
    }
    if (frame != nullptr)
        frame->StatusBar()->ShowProgress(done, total, label);
    return !stopRequested;
}

void QtUserInterface::EndProgress()
{
    inProgress = false;
    stopQuestion = 0;
    stopRequested = false;
    if (frame != nullptr)
        frame->StatusBar()->HideProgress();
}

void QtUserInterface::RequestStop()
{
    if (inProgress)
        stopRequested = true;
}

void QtUserInterface::RequestClose()
{
    closeRequested = true;
    closeAsked = false;
    if (inProgress && stopQuestion == 0)
        stopRequested = true;
}

}  // namespace ribodex
