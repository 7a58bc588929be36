// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QTextBrowser;

namespace ribodex {

// The bundled user guide in a window of its own: one HTML page per language in the
// resources, with a topic (anchor) for each task and dialog. Modeless; a child window of its
// owner, so it stays usable above the owner even when the owner is a modal dialog, and goes
// with it. Escape, Ctrl+W and its Close button close it; it opens centred on its owner, whole
// on the owner's screen. UI thread only.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* owner);

    // Shows the guide at topic ("" for the top), raised and active.
    void ShowTopic(const QString& topic);
    QTextBrowser* Browser() const { return browser; }

    // The guide in the language of the user interface.
    static QString GuideUrl();

private:
    void PlaceOnOwnerScreen();

    QTextBrowser* browser;
};

// The owner's help window at topic, made on first use.
HelpWindow* ShowHelp(QWidget* owner, const QString& topic);

// The topic of a window's help: its "helpTopic" property when set, otherwise one chosen
// from its object name (IDD_...) or kind; "" (the top of the guide) for anything else.
QString HelpTopicFor(const QWidget* window);

}  // namespace ribodex
