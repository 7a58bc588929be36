// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frame/frame_find.h"

#include <QAction>
#include <QLineEdit>

#include "app/frame/command_actions.h"
#include "app/frame/main_frame.h"
#include "app/list/rdx_view.h"
#include "core/list/command_state.h"

namespace ribodex {

FrameFind::FrameFind(CMainFrame& frame, const CommandActions& actions) : QObject(&frame), frame(frame)
{
    connect(actions.Get(ID_SEARCH_FIND), &QAction::triggered, this, &FrameFind::OnFind);
    connect(actions.Get(ID_SEARCH_FIND_NEXT), &QAction::triggered, this, &FrameFind::OnFindNext);
}

void FrameFind::OnFind()
{
    if (dialog) {
        dialog->raise();
        dialog->activateWindow();
        dialog->FindWhatEdit()->setFocus();
        return;
    }
    dialog = new CFindDlg(remembered, &frame);
    connect(dialog, &QDialog::finished, this, &FrameFind::OnDialogFinished);
    dialog->show();
}

void FrameFind::OnFindNext()
{
    if (remembered.findWhat.isEmpty())
        return;
    frame.View()->FindEntryText(remembered.findWhat, remembered.matchWholeField, remembered.matchCase,
                                remembered.searchDown);
}

void FrameFind::OnDialogFinished()
{
    CFindDlg* finished = dialog;
    if (finished == nullptr)
        return;
    dialog = nullptr;  // Find from now on opens a new one
    remembered = finished->Data();
    OnFindNext();
    finished->deleteLater();
}

}  // namespace ribodex
