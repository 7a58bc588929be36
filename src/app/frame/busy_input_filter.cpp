// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frame/busy_input_filter.h"

#include <QCoreApplication>
#include <QEvent>
#include <QInputEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>

#include "app/frame/caption_bar.h"
#include "app/qt_user_interface.h"

namespace ribodex {

BusyInputFilter::BusyInputFilter(QtUserInterface& ui, QObject* parent) : QObject(parent), ui(ui)
{
    QCoreApplication::instance()->installEventFilter(this);
}

BusyInputFilter::~BusyInputFilter()
{
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->removeEventFilter(this);
}

void BusyInputFilter::SetWindow(QWidget* mainWindow, QPushButton* cancel, CaptionBar* caption)
{
    window = mainWindow;
    cancelButton = cancel;
    captionBar = caption;
}

void BusyInputFilter::ProcessEvents()
{
    if (active) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return;
    }
    active = true;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    active = false;
}

bool BusyInputFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (!active)
        return false;
    const QEvent::Type type = event->type();
    // A key that is a command's shortcut reaches its action, no widget.
    if (type == QEvent::Shortcut)
        return true;
    // The platform window hands its input on to the widget it is for, which is filtered.
    if (!watched->isWidgetType())
        return false;
    switch (type) {
    case QEvent::Close:
        if (watched != window)
            return false;
        event->ignore();
        ui.RequestClose();
        return true;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            ui.RequestStop();
        return true;
    case QEvent::ShortcutOverride:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    default:
        break;
    }
    if (dynamic_cast<QInputEvent*>(event) == nullptr)
        return false;
    if (!captionBar.isNull() && watched == captionBar.data() &&
        (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease))
        return !captionBar->CloseButtonAt(static_cast<QMouseEvent*>(event)->position().toPoint());
    return cancelButton.isNull() || watched != cancelButton.data();
}

}  // namespace ribodex
