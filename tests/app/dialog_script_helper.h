// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>

class QWidget;

namespace ribodex::test {

// A scripted user for modal dialogs and message boxes: every modal widget that appears is
// handed, in order, to the next step of the script. Records each message box text and each
// dialog's title. A modal widget that appears when the script is used up is rejected, so a
// test never hangs; the test then sees it in Unexpected().
class DialogScript : public QObject {
    Q_OBJECT

public:
    using Step = std::function<void(QWidget* modal)>;

    DialogScript();
    ~DialogScript() override;

    DialogScript& Then(Step step);
    // Steps for the common cases.
    DialogScript& PressOk();   // a message box's OK or a dialog's accept()
    DialogScript& PressYes();
    DialogScript& PressNo();
    DialogScript& Cancel();    // reject()
    DialogScript& EnterPin(const QString& pin, bool save);
    DialogScript& EnterPuk(const QString& puk, const QString& newPin, const QString& confirmation,
                           bool save);

    bool Done() const { return steps.empty(); }
    const QStringList& Seen() const { return seen; }  // "box: text" or "dialog: title"
    int Unexpected() const { return unexpected; }

private:
    void Poll();

    std::deque<Step> steps;
    QStringList seen;
    QTimer timer;
    int unexpected = 0;
};

// Shows dialog, waits until it is active, then types typed[i] into the focus widget and
// presses Tab, once per text and then tabs - typed.size() more times; the focus widget
// before the first key and after each Tab.
QList<QWidget*> TabThrough(QWidget& dialog, const QStringList& typed, int tabs);

// The text of a message box as the user would read it.
QString BoxText(QWidget* modal);

}  // namespace ribodex::test
