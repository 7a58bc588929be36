// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMenu>

class QAction;

namespace ribodex {

// The window menu of a window whose caption we paint, as the system's: Restore, Move, Size,
// Minimize, Maximize and Close, each enabled as the window's state allows (Restore while
// maximised or minimised; Move and Size while normal; Close always, the default item).
//
// Move and Size hand the window to the window system: under X11 its keyboard move or resize
// (_NET_WM_MOVERESIZE, the arrow keys then move or size the window and Enter ends it), on
// other window systems the pointer-driven QWindow::startSystemMove and startSystemResize.
// When the window system refuses, MoveUnavailable is emitted (the owner then gives the window
// its system title bar back). A child of the window; UI thread only.
class WindowMenu : public QMenu {
    Q_OBJECT

public:
    explicit WindowMenu(QWidget* window);

    // Brings the items' states up to date and shows the menu with its top-left at global.
    void PopupAt(const QPoint& global);
    void UpdateStates();

    QAction* Restore() const { return restore; }
    QAction* Move() const { return move; }
    QAction* Size() const { return size; }
    QAction* Minimize() const { return minimize; }
    QAction* Maximize() const { return maximize; }
    QAction* Close() const { return close; }

signals:
    void MoveUnavailable();

private:
    void StartMoveOrSize(bool moving);

    QWidget* window;
    QAction* restore;
    QAction* move;
    QAction* size;
    QAction* minimize;
    QAction* maximize;
    QAction* close;
};

}  // namespace ribodex
