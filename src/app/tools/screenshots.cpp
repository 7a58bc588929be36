// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the main window with the demo phone's book and every dialog of the window to PNG
// files, offscreen, for the README and for review. Usage:
//   QT_QPA_PLATFORM=offscreen ribodex-screenshots OUT_DIR en|de
// The user's settings and demo book are not touched: both live in a temporary folder.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <cstdio>
#include <functional>

#include "app/app_language.h"
#include "app/dialogs/about_dlg.h"
#include "app/dialogs/entry_dlg.h"
#include "app/dialogs/find_dlg.h"
#include "app/dialogs/pin_dlg.h"
#include "app/dialogs/port_list.h"
#include "app/dialogs/puk_dlg.h"
#include "app/dialogs/select_phone_book_dlg.h"
#include "app/dialogs/settings_dlg.h"
#include "app/frame/caption_bar.h"
#include "app/frame/caption_frame.h"
#include "app/frame/help_window.h"
#include "app/frame/main_frame.h"
#include "app/list/phone_book_model.h"
#include "app/list/phone_book_printer.h"
#include "app/list/rdx_view.h"
#include "app/rdx_app.h"
#include "app/string_table.h"
#include "core/session/settings_store.h"
#include "core/session/user_interface.h"

namespace {

// VmRSS of this process, as the kernel reports it.
QString ResidentSize()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return QStringLiteral("RSS unknown");
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return QString::fromLatin1(line.simplified());
    return QStringLiteral("RSS unknown");
}

bool Save(QWidget& widget, const QString& path, const std::function<void()>& beforeGrab = {})
{
    widget.show();
    QApplication::processEvents();
    if (beforeGrab)
        beforeGrab();
    const bool saved = widget.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    widget.hide();
    return saved;
}

// The main window with one of its menus dropped down: a popup is a window of its own, so
// it is grabbed apart and painted over the window where it opened.
bool SaveWithMenu(QMainWindow& window, int menuPosition, const QString& path)
{
    QAction* menuAction = window.menuBar()->actions().value(menuPosition);
    if (menuAction == nullptr || menuAction->menu() == nullptr)
        return false;
    window.menuBar()->setActiveAction(menuAction);
    QApplication::processEvents();
    QMenu* menu = menuAction->menu();
    QPixmap shot = window.grab();
    {
        QPainter painter(&shot);
        painter.drawPixmap(menu->mapToGlobal(QPoint()) - window.mapToGlobal(QPoint()), menu->grab());
    }
    menu->hide();
    window.menuBar()->setActiveAction(nullptr);
    const bool saved = shot.save(path);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    return saved;
}

QMessageBox* Box(QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons buttons)
{
    return new QMessageBox(icon, ribodex::StringTable::Text(ribodex::AFX_IDS_APP_TITLE), text, buttons);
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: ribodex-screenshots OUT_DIR en|de\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QString language = QString::fromLatin1(argv[2]);
    ribodex::AppLanguage translators{QLocale(language)};
    QTemporaryDir temporary;

    using namespace ribodex;
    MemorySettingsStore store;
    store.SetText("1.0", "Port", "DEMO");
    store.SetInt("1.0", "Query PIN", 0);
    store.SetInt("1.0/Window", "x", 40);
    store.SetInt("1.0/Window", "y", 40);
    store.SetInt("1.0/Window", "cx", 560);
    store.SetInt("1.0/Window", "cy", 380);
    RdxApp::Options options;
    options.demoBookPath = temporary.filePath(QStringLiteral("demo-phone.txt")).toStdString();
    RdxApp app(store, options);
    QElapsedTimer clock;
    clock.start();
    if (!app.InitInstance({}))
        return 1;
    // The fixed waits of a first connection and refresh: DTR settling and the pause before
    // the full read. The rest is our own cost.
    const Timing& timing = app.Device().timing;
    const qint64 elapsed = clock.elapsed();
    std::printf("start to filled list: %lld ms, of which fixed waits %d ms; %d items; %s\n",
                static_cast<long long>(elapsed), timing.afterDtrMs + timing.beforeFullReadMs,
                app.Frame()->View()->Model()->rowCount(), qPrintable(ResidentSize()));

    bool ok = true;
    auto name = [&](const char* what) { return out.filePath(QStringLiteral("%1-%2.png").arg(QLatin1String(what), language)); };
    // The painted caption in both states, whatever the offscreen platform says is active.
    auto captionActive = [&app](bool active) {
        return [&app, active] {
            if (CaptionFrame* caption = app.Frame()->Caption())
                caption->Bar()->SetActive(active);
        };
    };
    ok &= Save(*app.Frame(), name("main-window"), captionActive(true));
    ok &= Save(*app.Frame(), name("main-window-inactive"), captionActive(false));
    app.Frame()->show();
    // With two entries selected, so that the editing commands are enabled.
    QTreeView* list = app.Frame()->View()->ReportView();
    for (int row : {1, 3})
        list->selectionModel()->select(list->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    ok &= SaveWithMenu(*app.Frame(), 1, name("main-window-edit-menu"));
    ok &= SaveWithMenu(*app.Frame(), 3, name("main-window-phone-book-menu"));

    CAboutDlg about(app.Frame());
    ok &= Save(about, name("about-dialog"));
    HelpWindow help(app.Frame());
    help.ShowTopic(QStringLiteral("port"));
    ok &= Save(help, name("help-window"));

    CSettingsDlg settings({"DEMO", 1}, AvailablePorts(), {}, app.Frame());
    ok &= Save(settings, name("settings-dialog"));
    CPinDlg pin(StringTable::Format(MsgEnterPin, "COM1"), {"1234", 1}, app.Frame());
    ok &= Save(pin, name("pin-dialog"));
    CPukDlg puk(StringTable::Format(MsgEnterPuk, "COM1"), {"12345678", "", "", 0}, app.Frame());
    ok &= Save(puk, name("puk-dialog"));
    CFindDlg find({QStringLiteral("Anna"), false, false, true}, app.Frame());
    ok &= Save(find, name("find-dialog"));
    std::unique_ptr<QPrintPreviewDialog> preview = app.Frame()->View()->Printing()->NewPreviewDialog(app.Frame());
    preview->resize(720, 560);
    ok &= Save(*preview, name("print-preview"));

    CNewEntryDlg newEntry(app.Frame());
    newEntry.NameEdit()->setText(QStringLiteral("Carla Meier"));
    newEntry.NumberEdit()->setText(QStringLiteral("+4930987654"));
    newEntry.IndexEdit()->setText(QStringLiteral("21"));
    ok &= Save(newEntry, name("new-entry-dialog"));
    CEditEntryDlg editEntry({"Anna Huber", "+4930123456"}, app.Frame());
    ok &= Save(editEntry, name("edit-entry-dialog"));
    CSelectPhoneBookDlg selectPhoneBook(app.Device().QueryPhoneBooks(), app.Device().QueryCurrentPhoneBook(),
                                        app.Frame());
    ok &= Save(selectPhoneBook, name("select-phone-book-dialog"));

    // Each box with its argument: the port, or for 165 the index.
    const struct {
        const char* file;
        int id;
        bool question;
        const char* arg;
    } boxes[] = {{"message-132", MsgConnectFailed, false, "COM1"}, {"message-147", MsgPinCheckFailed, true, "COM1"},
                 {"message-158", MsgWrongPin, false, "COM1"}, {"message-161", IDS_PIN_MISMATCH, false, "COM1"},
                 {"message-134", MsgDeleteQuestion, true, ""}, {"message-143", MsgPasteIncomplete, false, ""},
                 {"message-144", MsgWriteFailed, false, ""}, {"message-154", IDS_INVALID_NUMBER, false, ""},
                 {"message-165", MsgOverwriteQuestion, true, "5"}, {"message-163", IDS_NO_ENTRY_FOUND, false, ""},
                 {"message-166", MsgReadIncomplete, false, "/dev/ttyUSB0"}};
    for (const auto& box : boxes) {
        const QString text = StringTable::Format(box.id, box.arg);
        std::unique_ptr<QMessageBox> widget(
            box.question ? Box(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No)
                         : Box(QMessageBox::Warning, text, QMessageBox::Ok));
        ok &= Save(*widget, name(box.file));
    }
    app.Frame()->close();
    app.ExitInstance();
    return ok ? 0 : 1;
}
