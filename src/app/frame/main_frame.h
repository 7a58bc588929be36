// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <memory>

class QToolBar;

namespace ribodex {

class CRdxView;
class CaptionFrame;
class CommandActions;
class FrameFind;
class HelpCommands;
class MainStatusBar;
class SettingsStore;
class WindowPlacement;
struct Session;

// The main window: menu bar, toolbar, status bar and the list view. Its creation restores
// the bar state ("1.0/BarState") and the placement ("1.0/Window", see WindowPlacement);
// closing stores both. The window text is "Quillcast Ribodex" at all times. session and store
// must outlive the window. UI thread only.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    CMainFrame(Session& session, SettingsStore& store, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Message pane text, painted at once; the second form takes a string-table id.
    void SetStatusText(const QString& text);
    void SetStatusText(int stringId);
    QString StatusText() const;

    // Applies the enabling rules to every command (after a connection attempt, selection
    // or item count changes).
    void UpdateCommandStates();
    // The status bar's port and memory panes: the port, the selected memory and how many
    // of its locations the list holds ("SIM 246/250"); the memory only while connected.
    void UpdateDeviceState();

    CRdxView* View() const { return view; }
    QToolBar* ToolBar() const { return toolBar; }
    MainStatusBar* StatusBar() const { return statusBarWidget; }
    const CommandActions& Actions() const { return *actions; }
    // The painted caption; null where the platform cannot move a frameless window.
    CaptionFrame* Caption() const { return captionFrame; }
    FrameFind* Find() const { return find; }

protected:
    // No framework popup over the bars: its items would duplicate View > Toolbar, untitled.
    QMenu* createPopupMenu() override { return nullptr; }
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void BuildMenus();
    void RestoreBarState();
    void RestorePlacement();
    void SaveBarState();
    void SavePlacement();

    Session& session;
    SettingsStore& store;
    std::unique_ptr<CommandActions> actions;
    CRdxView* view = nullptr;
    QToolBar* toolBar = nullptr;
    MainStatusBar* statusBarWidget = nullptr;
    CaptionFrame* captionFrame = nullptr;
    HelpCommands* helpCommands = nullptr;
    FrameFind* find = nullptr;  // the find dialog and the remembered search
    std::unique_ptr<WindowPlacement> placement;
};

}  // namespace ribodex
