// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frame/window_placement.h"

#include <QEvent>
#include <algorithm>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "core/session/settings_store.h"

namespace ribodex {

WindowPlacement::WindowPlacement(QWidget& window, SettingsStore& store, MarginSource margins)
    : window(window), store(store), marginSource(std::move(margins))
{
}

QMargins WindowPlacement::Margins() const
{
    if (marginSource)
        return marginSource();
    return window.windowHandle() ? window.windowHandle()->frameMargins() : QMargins();
}

void WindowPlacement::Restore()
{
    const int x = store.GetInt(kWindowSection, "x", 0);
    const int y = store.GetInt(kWindowSection, "y", 0);
    const int cx = store.GetInt(kWindowSection, "cx", 0);
    const int cy = store.GetInt(kWindowSection, "cy", 0);
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    if (!Applies(x, y, cx, cy, screens))
        return;
    pending = FitOnScreen(QRect(x, y, cx, cy), screens);
    applied = Margins();
    window.move(pending->topLeft());  // a top-level's position is that of its frame
    window.resize(pending->size().shrunkBy(applied));
    window.installEventFilter(this);
}

bool WindowPlacement::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &window || !pending)
        return false;
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
        // The window manager's decoration shows as a move of the client into its frame.
        if (Margins() != applied)
            ApplyWithKnownMargins();
        break;
    case QEvent::WindowStateChange:
        // Maximised or minimised before the frame was known: the user's choice stands.
        if (window.windowState() != Qt::WindowNoState) {
            pending.reset();
            window.removeEventFilter(this);
        }
        break;
    default:
        break;
    }
    return false;
}

void WindowPlacement::ApplyWithKnownMargins()
{
    applied = Margins();
    const QRect outer = *pending;
    if (!applied.isNull()) {
        // Known now: later changes (a theme switch) must not undo what the user resized.
        pending.reset();
        window.removeEventFilter(this);
    }
    window.setGeometry(outer.marginsRemoved(applied));
}

void WindowPlacement::Save() const
{
    const bool normal = !(window.isMaximized() || window.isMinimized() || window.isFullScreen());
    const QRect outer = (normal ? window.geometry() : window.normalGeometry()).marginsAdded(Margins());
    store.SetInt(kWindowSection, "x", outer.left());
    store.SetInt(kWindowSection, "cx", outer.width());
    store.SetInt(kWindowSection, "y", outer.top());
    store.SetInt(kWindowSection, "cy", outer.height());
}

bool WindowPlacement::Applies(int x, int y, int cx, int cy, const QList<QRect>& screens)
{
    if (x == 0 || y == 0 || cx == 0 || cy == 0)
        return false;
    if (cx < 0 || cy < 0)
        return false;
    // A rectangle stored on a monitor that is gone would open the window out of reach.
    const QRect outer(x, y, cx, cy);
    for (const QRect& screen : screens) {
        if (screen.intersects(outer))
            return true;
    }
    return false;
}

QRect WindowPlacement::FitOnScreen(const QRect& outer, const QList<QRect>& screens)
{
    const QRect* best = nullptr;
    long long bestArea = -1;
    for (const QRect& screen : screens) {
        const QRect shared = screen.intersected(outer);
        const long long area = shared.isEmpty() ? 0 : static_cast<long long>(shared.width()) * shared.height();
        if (area > bestArea) {
            bestArea = area;
            best = &screen;
        }
    }
    if (best == nullptr || best->isEmpty())
        return outer;
    QRect fitted(outer.topLeft(), outer.size().boundedTo(best->size()));
    fitted.moveLeft(std::clamp(fitted.left(), best->left(), best->right() - fitted.width() + 1));
    fitted.moveTop(std::clamp(fitted.top(), best->top(), best->bottom() - fitted.height() + 1));
    return fitted;
}

}  // namespace ribodex
