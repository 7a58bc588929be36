#include "app/frame/select_phone_book_command.h"

#include "app/dialogs/select_phone_book_dlg.h"
#include "app/message_box.h"
#include "core/device/gsm_device.h"
#include "core/session/connection_flow.h"
#include "core/session/user_interface.h"

namespace ribodex {

void OnSelectPhoneBook(Session& session, QWidget* owner)
{
    WaitCursor wait(session.ui);
    const int offered = session.device.QueryPhoneBooks();
    const int current = session.device.QueryCurrentPhoneBook();
    CSelectPhoneBookDlg dialog(offered, current, owner);
    {
        CursorLift lift;
        if (dialog.exec() != QDialog::Accepted)
            return;
    }
    if (const int code = dialog.SelectedCode())
        session.device.SelectPhoneBook(code);
}

}  // namespace ribodex
