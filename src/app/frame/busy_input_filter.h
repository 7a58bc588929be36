// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

class QPushButton;

namespace ribodex {

class CaptionBar;
class QtUserInterface;

// What the window takes in while the UI thread does device work. The device's idle hook
// runs ProcessEvents on every wait: the window paints, timers and queued calls run, and of
// the user's input only what stops the work gets through: a click on the status bar's
// Cancel button, Escape (a stop) and closing the main window (the window manager's close,
// or a click on the close button of the painted caption) (QtUserInterface::RequestClose:
// a stop or the operation's question, and the close itself once the work is done). Every
// other input event is dropped, not held back: no command can start during another, nor
// after it from input queued meanwhile. Installed on the application for its lifetime and
// inactive outside ProcessEvents, so the message boxes and dialogs shown between two
// commands of the work get their input as usual. UI thread only.
class BusyInputFilter : public QObject {
    Q_OBJECT

public:
    explicit BusyInputFilter(QtUserInterface& ui, QObject* parent = nullptr);
    ~BusyInputFilter() override;

    // The main window whose close is a request, the button that stops, and the painted
    // caption whose close button closes (null: the system's title bar); null: none yet.
    void SetWindow(QWidget* mainWindow, QPushButton* cancel, CaptionBar* caption);
    // One pass of the event loop under the filter; re-entered (a timer that waits on the
    // device), it paints only.
    void ProcessEvents();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QtUserInterface& ui;
    QPointer<QWidget> window;
    QPointer<QPushButton> cancelButton;
    QPointer<CaptionBar> captionBar;
    bool active = false;
};

}  // namespace ribodex
