// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <QObject>
#include <QRect>
#include <functional>
#include <optional>

class QWidget;

namespace ribodex {

class SettingsStore;

// The stored placement of a top-level window: "x", "y", "cx", "cy" of "1.0/Window", the outer
// (frame) rectangle as the user sees it. A window manager makes its frame margins known only
// after it has decorated the shown window, so the stored rectangle is applied again as soon
// as they arrive: the outer size stays the same from run to run.
// window and store must outlive this object, which watches window's events. UI thread only.
class WindowPlacement : public QObject {
public:
    // The window's frame margins as far as they are known now; empty means
    // window.windowHandle()->frameMargins() (tests put a late window manager in its place).
    using MarginSource = std::function<QMargins()>;

    WindowPlacement(QWidget& window, SettingsStore& store, MarginSource margins = {});

    // Before the window is shown: applies the stored rectangle when it applies (see
    // Applies), and keeps it to apply again once the frame margins are known.
    void Restore();
    // Stores the outer rectangle; of a maximised, minimised or full-screen window the one
    // it returns to, so that the next start does not open a window that fills the screen.
    void Save() const;

    // Whether a stored rectangle is applied: all four values non-zero, a positive size, and
    // some part of it on one of the screens (available geometries).
    static bool Applies(int x, int y, int cx, int cy, const QList<QRect>& screens);
    // The stored outer rectangle moved and, where it is larger, shrunk onto the screen it
    // shares most with, so that no edge (the close button) lies off every screen.
    static QRect FitOnScreen(const QRect& outer, const QList<QRect>& screens);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMargins Margins() const;
    void ApplyWithKnownMargins();

    QWidget& window;
    SettingsStore& store;
    MarginSource marginSource;
    std::optional<QRect> pending;  // the stored outer rectangle, until the margins are known
    QMargins applied;              // the margins it was last applied with
};

}  // namespace ribodex
