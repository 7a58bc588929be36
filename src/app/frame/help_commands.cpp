// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frame/help_commands.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QStatusBar>
#include <QToolBar>
#include <QWhatsThis>

#include "app/frame/caption_bar.h"
#include "app/frame/caption_frame.h"
#include "app/frame/associated_program.h"
#include "app/frame/command_actions.h"
#include "app/frame/help_window.h"
#include "app/frame/main_frame.h"
#include "app/frame/main_status_bar.h"
#include "app/list/rdx_view.h"
#include "app/message_box.h"
#include "app/string_table.h"
#include "core/list/command_state.h"
#include "core/version.h"

namespace ribodex {

HelpCommands::HelpCommands(CMainFrame& frame) : QObject(&frame), frame(frame)
{
    setObjectName(QStringLiteral("helpCommands"));
    const CommandActions& actions = frame.Actions();
    connect(actions.Get(ID_HELP_FINDER), &QAction::triggered, this, &HelpCommands::OnHelpFinder);
    connect(actions.Get(ID_HELP), &QAction::triggered, this, &HelpCommands::OnHelp);
    connect(actions.Get(ID_CONTEXT_HELP), &QAction::triggered, this, &HelpCommands::OnContextHelp);
    connect(actions.Get(ID_HELP_INTERNET), &QAction::triggered, this, &HelpCommands::OnInternet);

    frame.View()->setWhatsThis(tr("The phone book of the device: name, number and index of each entry. "
                                  "Click a column header to sort by it."));
    frame.ToolBar()->setWhatsThis(tr("The toolbar: one click runs the command of a button."));
    frame.StatusBar()->setWhatsThis(tr("The status bar: what a command does and what the program is "
                                       "doing."));
    if (frame.Caption() != nullptr)
        frame.Caption()->Bar()->setWhatsThis(tr("The title bar: drag it to move the window, double-click it "
                                                "to maximise or restore the window, right-click it for the "
                                                "window menu."));
    qApp->installEventFilter(this);
}

void HelpCommands::OnHelpFinder()
{
    ShowHelp(&frame, QStringLiteral("contents"));
}

void HelpCommands::OnHelp()
{
    ShowHelp(&frame, HelpTopicFor(&frame));
}

void HelpCommands::OnContextHelp()
{
    QWhatsThis::enterWhatsThisMode();
}

void HelpCommands::OnInternet()
{
    if (!RunAssociatedProgram(QStringLiteral(".htm"), QString::fromLatin1(kHomePage)))
        ShowMessageBox(&frame, StringTable::Text(IDS_BROWSER_FAILED));
}

bool HelpCommands::eventFilter(QObject* watched, QEvent* event)
{
    // The click that ends What's This? mode leaves no Leave event for the command under the
    // pointer, so its prompt would stay in the message pane.
    if (event->type() == QEvent::LeaveWhatsThisMode) {
        frame.StatusBar()->clearMessage();
        return false;
    }
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1)
        return false;
    QWidget* window = static_cast<QWidget*>(watched)->window();
    // An open menu keeps the main window's keys from it: its help is the main window's.
    if (window->windowType() == Qt::Popup)
        window = &frame;
    else if (window == &frame || qobject_cast<HelpWindow*>(window) != nullptr)
        return false;  // the main window has the F1 and Shift+F1 commands; help needs no help
    if (key->modifiers() == Qt::NoModifier) {
        ShowHelp(window, HelpTopicFor(window));
        return true;
    }
    if (key->modifiers() == Qt::ShiftModifier) {
        QWhatsThis::enterWhatsThisMode();
        return true;
    }
    return false;
}

}  // namespace ribodex
