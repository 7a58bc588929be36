#pragma once

#include <QStatusBar>
#include <optional>
#include <string>

class QLabel;
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

// What the status bar tells of the phone book the list holds. An empty memory (not known,
// or nothing read yet) hides the pane.
struct PhoneBookStatus {
    QString memory;  // display text of the memory, e.g. "SIM"
};

// The status bar: the message pane, the phone book pane, then the CAP, NUM and SCRL indicators, each drawn
// enabled while its lock is on and dimmed otherwise (also when the platform reports
// nothing). Command prompts cover the message pane while a menu item is highlighted.
// UI thread only.
class MainStatusBar : public QStatusBar {
    Q_OBJECT

public:
    explicit MainStatusBar(QWidget* parent = nullptr);

    // Sets the message pane and paints the bar before returning, so the text shows while
    // the caller keeps the UI thread busy.
    void SetStatusText(const QString& text);
    QString StatusText() const;

    // The phone book pane: shows what status says of the list's memory.
    void ShowPhoneBook(const PhoneBookStatus& status);
    QLabel* PhoneBookPane() const { return phoneBookPane; }

    // Reads the lock states again (a timer does it while the bar is shown).
    void UpdateIndicators(const LockStates& states);
    QLabel* Indicator(int which) const { return indicators[which]; }

private:
    QLabel* messagePane = nullptr;
    QLabel* phoneBookPane = nullptr;
    QLabel* indicators[3] = {};
    QTimer* lockTimer = nullptr;
};

}  // namespace ribodex
