// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

#include "app/dialogs/find_dlg.h"

namespace ribodex {

class CMainFrame;
class CommandActions;

// The frame's find state: the open find dialog, if any, and the last search (its text and
// three options, kept for this run only, initially empty, off, off, down). Handles Edit >
// Find and Find Next. The dialog is a one-shot prompt: whatever it reports, Find Next or
// closing, the values are remembered, the search runs once and the dialog is gone; the next
// Find opens it anew with the remembered values. frame and actions must outlive this
// object. UI thread only.
class FrameFind : public QObject {
    Q_OBJECT

public:
    FrameFind(CMainFrame& frame, const CommandActions& actions);

    // Opens the find dialog, or gives the open one the keyboard focus.
    void OnFind();
    // Repeats the remembered search in the list; nothing while no text was searched yet.
    void OnFindNext();

    CFindDlg* Dialog() const { return dialog; }
    const FindDlgData& Remembered() const { return remembered; }

private:
    void OnDialogFinished();

    CMainFrame& frame;
    QPointer<CFindDlg> dialog;
    FindDlgData remembered;
};

}  // namespace ribodex
