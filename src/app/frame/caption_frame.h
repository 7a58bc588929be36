// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <array>

class QMainWindow;
class QShortcut;

namespace ribodex {

class CaptionBar;
class EdgeGrip;
class WindowMenu;

// Gives a main window the painted caption: makes it frameless, puts a CaptionBar on top,
// paints a thin raised frame around it and lets the user resize it at every edge and corner
// through the window system (QWindow::startSystemResize). Maximised, the frame goes and
// the caption spans the window. The caption follows the window's activation, title, icon
// and state, and stays active while one of the window's own floating tool windows (a
// floated toolbar) has the focus. A right click on the caption, a click on its icon and
// Alt+Space open the window menu (WindowMenu).
//
// A window system that turns down a move or a resize gets the system title bar back at
// once (UseSystemTitleBar), so the window never stays without a way to move it. Lives as a
// child of the window; UI thread only.
class CaptionFrame : public QObject {
    Q_OBJECT

public:
    // Whether the platform plugin can move and resize a frameless window for us: those of
    // a desktop window system. The others (framebuffer, VNC...) have no window manager to ask.
    static bool PlatformCanMoveFrameless(const QString& platformName);

    explicit CaptionFrame(QMainWindow* window);

    CaptionBar* Bar() const { return bar; }
    WindowMenu* Menu() const { return menu; }
    bool Painted() const { return painted; }
    int BorderWidth() const;

    // Back to the window system's own title bar and frame, for the rest of the run.
    void UseSystemTitleBar();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Arrange();
    void PaintFrame();
    bool CaptionShowsActive() const;

    QMainWindow* window;
    CaptionBar* bar;
    WindowMenu* menu;
    QShortcut* menuKey;
    std::array<EdgeGrip*, 4> grips{};
    bool painted = true;
};

}  // namespace ribodex
