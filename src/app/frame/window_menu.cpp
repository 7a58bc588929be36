// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frame/window_menu.h"

#include <QGuiApplication>
#include <QStyle>
#include <QTimer>
#include <QWindow>

#ifdef RIBODEX_HAVE_XCB
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#endif

namespace ribodex {
namespace {

#ifdef RIBODEX_HAVE_XCB
// Asks an EWMH window manager for its keyboard move or size of the window (the message a
// system menu's Move and Size send). False when there is no X11 connection or the window
// manager does not announce _NET_WM_MOVERESIZE.
bool StartKeyboardMoveResize(QWindow& window, bool moving)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr)
        return false;
    xcb_connection_t* connection = x11->connection();
    auto atom = [connection](const char* name) -> xcb_atom_t {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 1, std::uint16_t(qstrlen(name)), name), nullptr);
        const xcb_atom_t value = reply != nullptr ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(reply);
        return value;
    };
    const xcb_atom_t moveResize = atom("_NET_WM_MOVERESIZE");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_get_property_reply_t* supported = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, root, atom("_NET_SUPPORTED"), XCB_ATOM_ATOM, 0, 4096), nullptr);
    bool announced = false;
    if (supported != nullptr && supported->format == 32) {
        const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(supported));
        const int count = xcb_get_property_value_length(supported) / 4;
        announced = moveResize != XCB_ATOM_NONE && std::find(atoms, atoms + count, moveResize) != atoms + count;
    }
    free(supported);
    if (!announced)
        return false;
    constexpr std::uint32_t kSizeKeyboard = 9, kMoveKeyboard = 10, kFromApplication = 1;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = xcb_window_t(window.winId());
    message.type = moveResize;
    const QPoint at = window.geometry().center();
    message.data.data32[0] = std::uint32_t(at.x());
    message.data.data32[1] = std::uint32_t(at.y());
    message.data.data32[2] = moving ? kMoveKeyboard : kSizeKeyboard;
    message.data.data32[3] = 0;
    message.data.data32[4] = kFromApplication;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
    return true;
}
#endif

}  // namespace

WindowMenu::WindowMenu(QWidget* window) : QMenu(window), window(window)
{
    setObjectName(QStringLiteral("windowMenu"));
    QStyle* style = window->style();
    restore = addAction(style->standardIcon(QStyle::SP_TitleBarNormalButton), tr("&Restore"), window,
                        &QWidget::showNormal);
    move = addAction(tr("&Move"), this, [this] { StartMoveOrSize(true); });
    size = addAction(tr("&Size"), this, [this] { StartMoveOrSize(false); });
    minimize = addAction(style->standardIcon(QStyle::SP_TitleBarMinButton), tr("Mi&nimize"), window,
                         &QWidget::showMinimized);
    maximize = addAction(style->standardIcon(QStyle::SP_TitleBarMaxButton), tr("Ma&ximize"), window,
                         &QWidget::showMaximized);
    addSeparator();
    close = addAction(style->standardIcon(QStyle::SP_TitleBarCloseButton), tr("&Close"), window,
                      &QWidget::close);
    close->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    close->setShortcutVisibleInContextMenu(true);
    setDefaultAction(close);
}

void WindowMenu::UpdateStates()
{
    const bool maximized = window->isMaximized();
    const bool minimized = window->isMinimized();
    const bool normal = !maximized && !minimized;
    restore->setEnabled(!normal);
    move->setEnabled(normal);
    size->setEnabled(normal && window->minimumSize() != window->maximumSize());
    minimize->setEnabled(!minimized);
    maximize->setEnabled(!maximized && window->minimumSize() != window->maximumSize());
}

void WindowMenu::PopupAt(const QPoint& global)
{
    UpdateStates();
    popup(global);
}

void WindowMenu::StartMoveOrSize(bool moving)
{
    // After the menu has let go of the keyboard and the pointer: the window manager's move
    // takes both.
    QTimer::singleShot(0, this, [this, moving] {
        QWindow* handle = window->windowHandle();
#ifdef RIBODEX_HAVE_XCB
        if (handle != nullptr && QGuiApplication::platformName() == QLatin1String("xcb") &&
            StartKeyboardMoveResize(*handle, moving))
            return;
#endif
        const bool started = handle != nullptr && (moving ? handle->startSystemMove()
                                                          : handle->startSystemResize(Qt::BottomEdge | Qt::RightEdge));
        if (!started)
            emit MoveUnavailable();
    });
}

}  // namespace ribodex
