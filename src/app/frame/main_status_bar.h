// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStatusBar>
#include <optional>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace ribodex {

// Keyboard lock states as the platform reports them; nullopt where it reports none.
struct LockStates {
    std::optional<bool> caps, num, scroll;
};

// Linux: the keyboard LEDs under ledsRoot (/sys/class/leds/<device>::capslock etc.); a
// lock counts as on when any keyboard lights its LED. Nothing there (no keyboard, another
// system, a sandbox) gives nullopt for that lock. Any thread.
LockStates ReadLockStates(const std::string& ledsRoot = "/sys/class/leds");

// The status bar: the message pane; while a long operation runs, its progress bar, "n of N"
// and a Cancel button; the port and the memory with how full it is ("SIM 246/250"); then
// the CAP, NUM and SCRL indicators, each drawn enabled while its lock is on and dimmed
// otherwise (also when the platform reports nothing). Command prompts cover the message
// pane while a menu item is highlighted. UI thread only.
class MainStatusBar : public QStatusBar {
    Q_OBJECT

public:
    explicit MainStatusBar(QWidget* parent = nullptr);

    // Sets the message pane and paints the bar before returning, so the text shows while
    // the caller keeps the UI thread busy.
    void SetStatusText(const QString& text);
    QString StatusText() const;

    // Reads the lock states again (a timer does it while the bar is shown).
    void UpdateIndicators(const LockStates& states);
    QLabel* Indicator(int which) const { return indicators[which]; }

    // Shows the progress bar at done of total with its label ("n of N" when empty),
    // painted before returning; HideProgress takes it away. Cancel emits CancelClicked.
    void ShowProgress(int done, int total, const QString& label = {});
    void HideProgress();
    bool ProgressShown() const;
    QPushButton* CancelButton() const { return cancelButton; }
    QString ProgressText() const;

    // The port pane, and the memory pane: its name and, when the capacity is known
    // (above 0), the entries of the list against it, marked when the list is incomplete.
    // An empty memory hides that pane.
    void SetDeviceState(const QString& port, const QString& memory, int used, long long capacity,
                        bool incomplete = false);
    QString PortText() const;
    QString MemoryText() const;

signals:
    void CancelClicked();

private:
    QLabel* messagePane = nullptr;
    QProgressBar* progressBar = nullptr;
    QLabel* progressLabel = nullptr;
    QPushButton* cancelButton = nullptr;
    QLabel* portPane = nullptr;
    QLabel* memoryPane = nullptr;
    QLabel* indicators[3] = {};
    QTimer* lockTimer = nullptr;
};

}  // namespace ribodex
