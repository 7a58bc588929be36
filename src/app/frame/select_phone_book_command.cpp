// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frame/select_phone_book_command.h"

#include "app/dialogs/select_phone_book_dlg.h"
#include "app/message_box.h"
#include "core/device/gsm_device.h"
#include "core/session/connection_flow.h"
#include "core/session/user_interface.h"

namespace ribodex {

bool OnSelectPhoneBook(Session& session, QWidget* owner)
{
    WaitCursor wait(session.ui);
    const int offered = session.device.QueryPhoneBooks();
    const int current = session.device.QueryCurrentPhoneBook();
    CSelectPhoneBookDlg dialog(offered, current, owner);
    {
        CursorLift lift;
        if (dialog.exec() != QDialog::Accepted)
            return false;
    }
    const int code = dialog.SelectedCode();
    if (code == 0)
        return false;
    if (!session.device.SelectPhoneBook(code))
        session.device.QueryCurrentPhoneBook();
    return true;
}

}  // namespace ribodex
