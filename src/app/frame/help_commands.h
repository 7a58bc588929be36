// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace ribodex {

class CMainFrame;

// The commands of the "&?" menu that the frame handles and help everywhere: Help Topics
// (the guide's contents), F1 (the guide at the topic of the window it was pressed in: the
// main window, or the dialog in front of it), Shift+F1 and the toolbar's help button
// (What's This? mode: a click on a command or control shows its prompt), and Internet (the
// home page in the desktop's web browser, message 162 when that fails). Gives the frame's
// own widgets their What's This? texts. A child of the frame; UI thread only.
class HelpCommands : public QObject {
    Q_OBJECT

public:
    explicit HelpCommands(CMainFrame& frame);

    void OnHelpFinder();
    void OnHelp();
    void OnContextHelp();
    void OnInternet();

protected:
    // F1 and Shift+F1 in the application's other windows (dialogs, message boxes).
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CMainFrame& frame;
};

}  // namespace ribodex
