#include "app/qt_user_interface.h"

#include <QApplication>

#include "app/dialogs/pin_dlg.h"
#include "app/dialogs/puk_dlg.h"
#include "app/frame/main_frame.h"
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
}

}  // namespace ribodex
