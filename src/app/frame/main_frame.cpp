// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frame/main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "app/frame/caption_frame.h"
#include "app/frame/command_actions.h"
#include "app/frame/frame_find.h"
#include "app/frame/help_commands.h"
#include "app/frame/main_status_bar.h"
#include "app/frame/program_icon.h"
#include "app/frame/select_phone_book_command.h"
#include "app/frame/window_placement.h"
#include "app/list/phone_book_model.h"
#include "app/list/rdx_view.h"
#include "app/string_table.h"
#include "core/device/gsm_device.h"
#include "core/device/phone_book_storage.h"
#include "core/list/command_state.h"
#include "core/session/connection_flow.h"
#include "core/session/settings_store.h"

namespace ribodex {
namespace {

constexpr std::string_view kToolBarVisible = "ToolBar Visible";
constexpr std::string_view kToolBarSide = "ToolBar Side";
constexpr std::string_view kStatusBarVisible = "StatusBar Visible";

// Left to right; 0 is a separator.
constexpr int kToolBarButtons[] = {
    ID_FILE_EXPORT, 0, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, 0, ID_FILE_PRINT, 0,
    ID_PHONEBOOK_NEW_ENTRY, ID_PHONEBOOK_DELETE_ENTRY, ID_PHONEBOOK_EDIT_ENTRY, 0,
    ID_OPTIONS_SETTINGS, 0, ID_APP_ABOUT, ID_CONTEXT_HELP};

}  // namespace

CMainFrame::CMainFrame(Session& session, SettingsStore& store, QWidget* parent)
    : QMainWindow(parent), session(session), store(store),
      actions(std::make_unique<CommandActions>(this))
{
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowTitle(StringTable::Text(AFX_IDS_APP_TITLE));
    setWindowIcon(ProgramIcon());
    for (int id : actions->Ids())
        addAction(actions->Get(id));  // keys work while a menu is closed

    view = new CRdxView(session, *actions, this);
    setCentralWidget(view);
    connect(view, &CRdxView::StateChanged, this, &CMainFrame::UpdateCommandStates);
    find = new FrameFind(*this, *actions);
    connect(actions->Get(ID_PHONEBOOK_SELECT), &QAction::triggered, this,
            [this] {
                // Every later command acts on the memory the device holds now: the list must show it.
                if (OnSelectPhoneBook(this->session, this))
                    view->RefreshList();
            });

    toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("toolBar"));
    toolBar->setIconSize(QSize(16, 16));
    toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    for (int id : kToolBarButtons) {
        if (id == 0)
            toolBar->addSeparator();
        else
            toolBar->addAction(actions->Get(id));
    }
    addToolBar(Qt::TopToolBarArea, toolBar);

    statusBarWidget = new MainStatusBar(this);
    setStatusBar(statusBarWidget);
    connect(view, &CRdxView::Refreshed, this, &CMainFrame::UpdateDeviceState);

    BuildMenus();
    if (CaptionFrame::PlatformCanMoveFrameless(QGuiApplication::platformName()))
        captionFrame = new CaptionFrame(this);
    helpCommands = new HelpCommands(*this);
    RestoreBarState();
    RestorePlacement();
    UpdateCommandStates();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::BuildMenus()
{
    // 0 is a separator.
    auto addItems = [this](QMenu* menu, std::initializer_list<int> ids) {
        for (int id : ids) {
            if (id == 0)
                menu->addSeparator();
            else
                menu->addAction(actions->Get(id));
        }
    };
    QMenu* file = menuBar()->addMenu(tr("&File"));
    addItems(file, {ID_FILE_IMPORT_CONTACTS, ID_FILE_EXPORT_CONTACTS, ID_FILE_EXPORT, 0, ID_FILE_BACKUP, 0, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, 0,
                    ID_APP_EXIT});
    connect(actions->Get(ID_APP_EXIT), &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    addItems(edit, {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, 0, ID_SEARCH_FIND, ID_SEARCH_FIND_NEXT, 0,
                    ID_EDIT_FIND_DUPLICATES});

    QMenu* viewMenu = menuBar()->addMenu(tr("&View"));
    QAction* toggleToolBar = actions->Get(ID_VIEW_TOOLBAR);
    QAction* toggleStatusBar = actions->Get(ID_VIEW_STATUS_BAR);
    viewMenu->addAction(toggleToolBar);
    viewMenu->addAction(toggleStatusBar);
    viewMenu->addSeparator();
    for (int id : {ID_VIEWMODE_ICON, ID_VIEWMODE_SMALLICON, ID_VIEWMODE_LIST, ID_VIEWMODE_REPORT})
        viewMenu->addAction(actions->Get(id));
    viewMenu->addSeparator();
    viewMenu->addAction(actions->Get(ID_VIEW_REFRESH));
    connect(toggleToolBar, &QAction::toggled, toolBar, &QWidget::setVisible);
    connect(toggleStatusBar, &QAction::toggled, statusBarWidget, &QWidget::setVisible);
    // The check marks follow the bars also when they are hidden another way.
    connect(viewMenu, &QMenu::aboutToShow, this, [this, toggleToolBar, toggleStatusBar] {
        toggleToolBar->setChecked(!toolBar->isHidden());
        toggleStatusBar->setChecked(!statusBarWidget->isHidden());
    });
    toggleToolBar->setChecked(true);
    toggleStatusBar->setChecked(true);

    QMenu* phoneBook = menuBar()->addMenu(tr("&Phone Book"));
    addItems(phoneBook, {ID_PHONEBOOK_NEW_ENTRY, ID_PHONEBOOK_DELETE_ENTRY, ID_PHONEBOOK_EDIT_ENTRY, 0,
                         ID_PHONEBOOK_SELECT});

    QMenu* options = menuBar()->addMenu(tr("&Options"));
    options->addAction(actions->Get(ID_OPTIONS_SETTINGS));

    QMenu* help = menuBar()->addMenu(tr("&?"));
    addItems(help, {ID_HELP_FINDER, 0, ID_HELP_INTERNET, 0, ID_APP_ABOUT});
}

void CMainFrame::SetStatusText(const QString& text)
{
    statusBarWidget->SetStatusText(text);
}

void CMainFrame::SetStatusText(int stringId)
{
    statusBarWidget->SetStatusText(StringTable::Text(stringId));
}

QString CMainFrame::StatusText() const
{
    return statusBarWidget->StatusText();
}

void CMainFrame::UpdateCommandStates()
{
    CommandContext context;
    context.connected = session.connected != 0;
    context.itemCount = view->Model()->rowCount();
    context.selectedCount = view->SelectedCount();
    context.clipboardHasEntries = view->ClipboardHasEntries();
    actions->UpdateStates(context);
    UpdateDeviceState();
}

void CMainFrame::UpdateDeviceState()
{
    // From what is known, without asking the device: the list is what it confirmed last.
    // Both panes keep their place after a failed connection: the port tried, and the memory
    // of the list still on screen.
    const GsmDevice& device = session.device;
    QString port = FromCp1252(session.settings.portName);
    if (session.connected == 0 && !port.isEmpty())
        port = StringTable::Format(IDS_PORT_NOT_CONNECTED, session.settings.portName);
    // The memory the list holds, as the device named it when the list was read; else the
    // one selected since.
    const int listed = view->ListPhoneBook();
    const PhoneBookStorageInfo* memory = FindPhoneBookStorage(listed != 0 ? listed : device.selectedPhoneBook);
    if (memory == nullptr) {
        statusBarWidget->SetDeviceState(port, {}, 0, 0);
        return;
    }
    // Counts only once a read gave the range: before it the range is a default, not the memory's.
    const PhoneBookModel::Completeness read = view->Model()->ListCompleteness();
    const long long capacity = read != PhoneBookModel::Completeness::NotRead && device.lastIndex >= device.firstIndex
                                   ? static_cast<long long>(device.lastIndex) - device.firstIndex + 1
                                   : 0;
    statusBarWidget->SetDeviceState(port, StringTable::Text(memory->textId), view->Model()->rowCount(), capacity,
                                    read == PhoneBookModel::Completeness::Partial);
}

void CMainFrame::RestoreBarState()
{
    const int side = store.GetInt(kBarStateSection, kToolBarSide, 0);
    if (side == Qt::LeftToolBarArea || side == Qt::RightToolBarArea || side == Qt::TopToolBarArea ||
        side == Qt::BottomToolBarArea)
        addToolBar(Qt::ToolBarArea(side), toolBar);
    const bool toolBarShown = store.GetInt(kBarStateSection, kToolBarVisible, 1) != 0;
    const bool statusBarShown = store.GetInt(kBarStateSection, kStatusBarVisible, 1) != 0;
    toolBar->setHidden(!toolBarShown);
    statusBarWidget->setHidden(!statusBarShown);
    actions->Get(ID_VIEW_TOOLBAR)->setChecked(toolBarShown);
    actions->Get(ID_VIEW_STATUS_BAR)->setChecked(statusBarShown);
}

void CMainFrame::RestorePlacement()
{
    placement = std::make_unique<WindowPlacement>(*this, store);
    placement->Restore();
}

void CMainFrame::SaveBarState()
{
    store.SetInt(kBarStateSection, kToolBarVisible, toolBar->isHidden() ? 0 : 1);
    store.SetInt(kBarStateSection, kToolBarSide, int(toolBarArea(toolBar)));
    store.SetInt(kBarStateSection, kStatusBarVisible, statusBarWidget->isHidden() ? 0 : 1);
}

void CMainFrame::SavePlacement()
{
    placement->Save();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    SaveBarState();
    SavePlacement();
    event->accept();
}

void CMainFrame::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowTitleChange &&
        windowTitle() != StringTable::Text(AFX_IDS_APP_TITLE))
        setWindowTitle(StringTable::Text(AFX_IDS_APP_TITLE));
    QMainWindow::changeEvent(event);
}

}  // namespace ribodex
