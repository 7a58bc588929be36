// SPDX-License-Identifier: GPL-3.0-or-later
// The program's shell: the painted caption, About, Internet, the user guide and What's This.
#include <QAction>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QMainWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolBar>
#include <QWhatsThis>
#include <QtTest>

#include "app/app_language.h"
#include "app/frame/caption_bar.h"
#include "app/frame/caption_frame.h"
#include "app/frame/command_actions.h"
#include "app/frame/help_window.h"
#include "app/frame/main_frame.h"
#include "app/frame/window_menu.h"
#include "app/list/rdx_view.h"
#include "app/start_request.h"
#include "app/qt_settings_store.h"
#include "app/rdx_app.h"
#include "core/list/command_state.h"
#include "core/version.h"
#include "dialog_script_helper.h"

using namespace ribodex;
using ribodex::test::DialogScript;

class ShellTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void captionPixelsTitleAndCache();
    void captionButtonsAndDoubleClick();
    void captionFollowsActivation();
    void refusedMoveBringsBackTheSystemTitleBar();
    void windowMenuFollowsTheWindowState();
    void germanMenusHaveDistinctAccessKeys();
    void startRequestAndDisplay();
    void aboutShowsItsTextsAndClosesWithEnterOrEscape();
    void internetStartsTheDesktopsBrowser();
    void helpTopicsF1AndF1InADialog();
    void guideFollowsTheInterfaceLanguage();
    void whatsThisClickExplainsInsteadOfRunning();

private:
    // The window after a first start without a port (its one message confirmed); cleanup
    // closes it.
    CMainFrame* StartApp();

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<QtSettingsStore> store;
    std::unique_ptr<RdxApp> app;
};

void ShellTest::init()
{
    dir = std::make_unique<QTemporaryDir>();
    store = std::make_unique<QtSettingsStore>(dir->filePath(QStringLiteral("ribodex.ini")));
}

void ShellTest::cleanup()
{
    if (app) {
        app->Frame()->close();
        app->ExitInstance();
        app.reset();
    }
    store.reset();
    dir.reset();
}

CMainFrame* ShellTest::StartApp()
{
    RdxApp::Options options;
    options.demoBookPath = dir->filePath(QStringLiteral("demo-phone.txt")).toStdString();
    app = std::make_unique<RdxApp>(*store, options);
    DialogScript script;
    script.PressOk();
    return app->InitInstance({}) ? app->Frame() : nullptr;
}

void ShellTest::captionPixelsTitleAndCache()
{
    QWidget window;
    window.setWindowTitle(QStringLiteral("A"));
    window.resize(768, 100);
    CaptionBar bar(&window);
    QPalette palette = bar.palette();
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(0, 0, 128));
    bar.setPalette(palette);
    bar.resize(768, bar.ButtonSize());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    bar.SetActive(true);

    // Row 0 holds neither icon, buttons nor title: the background alone.
    const QImage active = bar.grab().toImage();
    for (auto [x, blue] : {std::pair{767, 128}, {640, 128}, {320, 96}, {10, 4}, {9, 0}})
        QCOMPARE(active.pixel(x, 0), qRgb(0, 0, blue));

    // Each state drawn once per size; a palette change or a new size draws anew.
    bar.SetActive(false);
    bar.grab();
    const int built = bar.PixmapsBuilt();
    bar.SetActive(true);
    bar.grab();
    QCOMPARE(bar.PixmapsBuilt(), built);
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(0, 200, 0));
    bar.setPalette(palette);
    QCOMPARE(bar.grab().toImage().pixel(767, 0), qRgb(0, 200, 0));
    bar.resize(500, bar.height());
    QCOMPARE(bar.grab().toImage().width(), 500);
    QCOMPARE(bar.PixmapsBuilt(), built + 2);

    QCOMPARE(bar.ShownTitle(), QStringLiteral("A "));
    window.setWindowTitle(QStringLiteral("Quillcast Ribodex ").repeated(40));
    QVERIFY2(bar.ShownTitle().endsWith(QChar(0x2026)), qPrintable(bar.ShownTitle()));
}

void ShellTest::captionButtonsAndDoubleClick()
{
    CMainFrame* frame = StartApp();
    QVERIFY(frame);
    QVERIFY(frame->windowFlags().testFlag(Qt::FramelessWindowHint));
    CaptionBar* bar = frame->Caption()->Bar();
    // The menu bar starts below the caption.
    QVERIFY(frame->menuWidget()->geometry().top() >= bar->geometry().bottom());

    // Button centres from the right edge of the bar as it is at the time of the click.
    const int size = bar->ButtonSize();
    auto button = [bar, size](int fromRight) { return QPoint(bar->width() - fromRight, size / 2); };
    const int close = size / 2 + 1, maximize = close + size, minimize = maximize + size - 2;
    QTest::mouseClick(bar, Qt::LeftButton, {}, button(maximize));
    QTRY_VERIFY(frame->isMaximized());
    QCOMPARE(frame->Caption()->BorderWidth(), 0);
    QTest::mouseClick(bar, Qt::LeftButton, {}, button(maximize));  // now the restore button
    QTRY_VERIFY(!frame->isMaximized());
    QCOMPARE(frame->Caption()->BorderWidth(), 4);
    QTest::mouseDClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, size / 2));
    QTRY_VERIFY(frame->isMaximized());
    frame->showNormal();
    QTest::mouseClick(bar, Qt::LeftButton, {}, button(minimize));
    QTRY_VERIFY(frame->isMinimized());
    frame->showNormal();
    QTest::mouseClick(bar, Qt::LeftButton, {}, button(close));
    QTRY_VERIFY(!frame->isVisible());
}

void ShellTest::captionFollowsActivation()
{
    CMainFrame* frame = StartApp();
    QVERIFY(frame);
    CaptionBar* bar = frame->Caption()->Bar();
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame));
    QTRY_VERIFY(bar->IsActive());

    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QTRY_VERIFY(!bar->IsActive());
    QCOMPARE(bar->grab().toImage().pixel(bar->width() - 1, 0), bar->InactiveColour().rgb());
}

void ShellTest::refusedMoveBringsBackTheSystemTitleBar()
{
    // The offscreen platform moves no window: the first drag finds that out.
    CMainFrame* frame = StartApp();
    QVERIFY(frame);
    CaptionFrame* caption = frame->Caption();
    const QSize size = frame->size();
    const QPoint from(caption->Bar()->width() / 2, 5), to = from + QPoint(40, 30);
    QTest::mousePress(caption->Bar(), Qt::LeftButton, {}, from);
    QVERIFY(caption->Painted());  // a press alone moves nothing yet
    QMouseEvent drag(QEvent::MouseMove, to, caption->Bar()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(caption->Bar(), &drag);
    QVERIFY(!caption->Painted());
    QVERIFY(!frame->windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(frame->isVisible() && !caption->Bar()->isVisible());
    QCOMPARE(frame->size(), size);
    QTest::mouseRelease(frame, Qt::LeftButton, {}, to);
}

void ShellTest::windowMenuFollowsTheWindowState()
{
    CMainFrame* frame = StartApp();
    QVERIFY(frame);
    WindowMenu* menu = frame->Caption()->Menu();
    CaptionBar* bar = frame->Caption()->Bar();
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame));
    QTest::keyClick(frame, Qt::Key_Space, Qt::AltModifier);
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(!menu->Restore()->isEnabled() && menu->Move()->isEnabled() && menu->Size()->isEnabled() &&
            menu->Minimize()->isEnabled() && menu->Maximize()->isEnabled() && menu->Close()->isEnabled());
    QTest::keyClick(menu, Qt::Key_X);
    QTRY_VERIFY(frame->isMaximized());
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(bar->width() / 2, 5), bar->mapToGlobal(QPoint()));
    QApplication::sendEvent(bar, &rightClick);
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(menu->Restore()->isEnabled() && !menu->Move()->isEnabled() && !menu->Size()->isEnabled() &&
            !menu->Maximize()->isEnabled());
    QTest::keyClick(menu, Qt::Key_R);
    QTRY_VERIFY(!frame->isMaximized());
}

void ShellTest::germanMenusHaveDistinctAccessKeys()
{
    AppLanguage german(QLocale(QLocale::German, QLocale::Germany));
    CMainFrame* frame = StartApp();
    QVERIFY(frame);
    auto distinct = [](const QList<QAction*>& items, const QString& where) {
        QStringList keys;
        for (const QAction* item : items) {
            const QString key = QKeySequence::mnemonic(item->text()).toString();
            QVERIFY2(item->isSeparator() || (!key.isEmpty() && !keys.contains(key)), qPrintable(where + item->text()));
            keys << key;
        }
    };
    distinct(frame->menuBar()->actions(), QString());
    QList<QMenu*> menus = {frame->View()->SelectionMenu(), frame->View()->EmptyListMenu(), frame->Caption()->Menu()};
    for (const QAction* title : frame->menuBar()->actions())
        menus << title->menu();
    for (int i = 0; i < menus.size(); ++i) {
        distinct(menus[i]->actions(), menus[i]->title() + QLatin1String(": "));
        for (const QAction* item : menus[i]->actions())
            if (item->menu() != nullptr)
                menus << item->menu();
    }
}

void ShellTest::startRequestAndDisplay()
{
    QCOMPARE(ReadStartRequest({"--port", "DEMO", "-v", "--help"}), StartRequest::Version);
    QCOMPARE(ReadStartRequest({"--port", "-x"}), StartRequest::Run);
    using Environment = std::map<std::string, std::string>;
    const struct { std::vector<std::string> arguments; Environment environment; bool shown; } cases[] = {
        {{}, {}, false}, {{}, {{"DISPLAY", ":0"}}, true}, {{}, {{"QT_QPA_PLATFORM", "offscreen"}}, true},
        {{}, {{"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", "w"}}, false},
        {{}, {{"QT_QPA_PLATFORM", "wayland:x;xcb"}, {"DISPLAY", ":1"}}, true},
        {{"-platform", "offscreen"}, {{"QT_QPA_PLATFORM", "xcb"}}, true},
    };
    for (const auto& c : cases) {
        const std::string why = MissingDisplay(c.arguments, [&](const char* name) {
            return c.environment.count(name) != 0 ? c.environment.at(name) : std::string();
        });
        QVERIFY2(why.empty() == c.shown, why.c_str());
    }
}

void ShellTest::aboutShowsItsTextsAndClosesWithEnterOrEscape()
{
    CMainFrame* frame = StartApp();
    QVERIFY(frame);
    QStringList texts;
    DialogScript script;
    script
        .Then([&](QWidget* dialog) {
            texts << dialog->findChild<QLabel*>(QStringLiteral("IDC_APP_NAME"))->text()
                  << dialog->findChild<QLabel*>(QStringLiteral("IDC_LEGAL"))->text();
            QVERIFY(!dialog->findChild<QLabel*>(QStringLiteral("IDC_ICON"))->pixmap().isNull());
            QVERIFY(dialog->minimumSize() == dialog->maximumSize());
            QVERIFY(!dialog->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
            QTest::keyClick(dialog, Qt::Key_Return);
        })
        .Then([&](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    frame->Actions().Get(ID_APP_ABOUT)->trigger();
    frame->Actions().Get(ID_APP_ABOUT)->trigger();
    QCOMPARE(script.Seen(), (QStringList{"dialog: About Ribodex", "dialog: About Ribodex"}));
    QVERIFY(script.Done() && script.Unexpected() == 0);
    QCOMPARE(texts.value(0), QStringLiteral("Quillcast Ribodex 1.0"));
    QVERIFY(texts.value(1).contains(QLatin1String("GNU GPL, version 3 or later")));
}

void ShellTest::internetStartsTheDesktopsBrowser()
{
    // A desktop of our own: its default text/html handler records how it was started.
    QTemporaryDir desktop;
    const QString config = desktop.filePath(QStringLiteral("config"));
    const QString data = desktop.filePath(QStringLiteral("data"));
    QVERIFY(QDir().mkpath(config) && QDir().mkpath(data + QStringLiteral("/applications")));
    // The MIME types of the system, but none of its applications.
    QVERIFY(QFile::link(QStringLiteral("/usr/share/mime"), data + QStringLiteral("/mime")));
    const QString record = desktop.filePath(QStringLiteral("started-with"));
    // Unquoted: xdg-mime passes over an entry whose program it cannot find by the first blank.
    const QString browser = desktop.filePath(QStringLiteral("fake-browser"));
    const QString entryPath = data + QStringLiteral("/applications/test-browser.desktop");
    auto write = [](const QString& path, const QString& text) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size();
    };
    QVERIFY(write(browser, QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1.part'\nmv '%1.part' '%1'\n").arg(record)));
    QVERIFY(QFile::setPermissions(browser, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(write(config + QStringLiteral("/mimeapps.list"),
                  QStringLiteral("[Default Applications]\ntext/html=test-browser.desktop\n")));
    QVERIFY(write(entryPath, QStringLiteral("[Desktop Entry]\nType=Application\nName=T\nExec=%1 --new-window %U\n").arg(browser)));
    const QByteArray names[] = {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS"};
    const QByteArray values[] = {config.toUtf8(), config.toUtf8(), data.toUtf8(), data.toUtf8()};
    for (int i = 0; i < 4; ++i)
        qputenv(names[i], values[i]);
    qunsetenv("XDG_CURRENT_DESKTOP");

    CMainFrame* frame = StartApp();
    QVERIFY(frame);
    DialogScript boxes;
    boxes.PressOk();
    frame->Actions().Get(ID_HELP_INTERNET)->trigger();
    QTRY_VERIFY(QFile::exists(record));
    QFile recorded(record);
    QVERIFY(recorded.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(recorded.readAll()), QStringLiteral("--new-window\n%1\n").arg(QLatin1String(kHomePage)));
    QVERIFY(boxes.Seen().isEmpty());

    // Without the handler's entry: message 162, and nothing is started.
    QVERIFY(QFile::remove(entryPath) && QFile::remove(record));
    frame->Actions().Get(ID_HELP_INTERNET)->trigger();
    QCOMPARE(boxes.Seen(), QStringList{QStringLiteral("box: An error has occured while starting your internet browser.")});
    QVERIFY(!QFile::exists(record));
    for (const QByteArray& name : names)
        qunsetenv(name);
}

void ShellTest::helpTopicsF1AndF1InADialog()
{
    CMainFrame* frame = StartApp();
    QVERIFY(frame);
    auto helpOf = [](QWidget* owner) { return owner->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly); };

    frame->Actions().Get(ID_HELP_FINDER)->trigger();
    HelpWindow* help = helpOf(frame);
    QVERIFY(help && help->isVisible());
    QCOMPARE(help->Browser()->source().fragment(), QStringLiteral("contents"));
    QVERIFY(help->Browser()->toPlainText().contains(QStringLiteral("Choosing the port")));
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame));
    QTest::keyClick(frame, Qt::Key_F1);
    QCOMPARE(helpOf(frame), help);  // the same window, at the main window's topic
    QCOMPARE(help->Browser()->source().fragment(), QStringLiteral("window"));
    // Whole on the main window's screen; Escape, Ctrl+W and Close close it.
    QVERIFY(frame->screen()->availableGeometry().contains(help->frameGeometry()));
    for (QKeyCombination key : {QKeyCombination(Qt::Key_Escape), Qt::CTRL | Qt::Key_W}) {
        help->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), help);
        QTest::keyClick(help->Browser(), key.key(), key.keyboardModifiers());
        QVERIFY(!help->isVisible());
        help->ShowTopic(QString());
    }
    help->findChild<QPushButton*>(QStringLiteral("helpClose"))->click();
    QVERIFY(!help->isVisible());

    // F1 in the settings dialog: its topic, in a window the modal dialog does not block (a
    // click through the window system reaches it).
    QString topic, afterClick;
    DialogScript script;
    script.Then([&](QWidget* dialog) {
        QTest::keyClick(dialog, Qt::Key_F1);
        if (HelpWindow* dialogHelp = helpOf(dialog)) {
            topic = dialogHelp->Browser()->source().fragment();
            auto* contents = dialogHelp->findChild<QPushButton*>(QStringLiteral("helpContents"));
            QTest::mouseClick(dialogHelp->windowHandle(), Qt::LeftButton, {},
                              contents->mapTo(dialogHelp, contents->rect().center()));
            afterClick = dialogHelp->Browser()->source().fragment();
        }
        qobject_cast<QDialog*>(dialog)->reject();
    });
    frame->Actions().Get(ID_OPTIONS_SETTINGS)->trigger();
    QVERIFY(script.Done());
    QCOMPARE(topic, QStringLiteral("port"));
    QCOMPARE(afterClick, QStringLiteral("contents"));
}

void ShellTest::guideFollowsTheInterfaceLanguage()
{
    AppLanguage german(QLocale(QLocale::German, QLocale::Germany));
    QVERIFY(german.Translated());
    QWidget owner;
    HelpWindow* help = ShowHelp(&owner, QStringLiteral("port"));
    QVERIFY(help->Browser()->toPlainText().contains(QStringLiteral("Die Schnittstelle wählen")));
}

void ShellTest::whatsThisClickExplainsInsteadOfRunning()
{
    CMainFrame* frame = StartApp();
    QVERIFY(frame);
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame));
    QTest::keyClick(frame, Qt::Key_F1, Qt::ShiftModifier);
    QVERIFY(QWhatsThis::inWhatsThisMode());

    // A click on the About button explains it and leaves the mode; the About box stays shut.
    DialogScript script;
    QTest::mouseClick(frame->ToolBar()->widgetForAction(frame->Actions().Get(ID_APP_ABOUT)), Qt::LeftButton);
    QVERIFY(!QWhatsThis::inWhatsThisMode());
    QTest::qWait(50);
    QVERIFY(script.Seen().isEmpty());
    QWhatsThis::hideText();
}

QTEST_MAIN(ShellTest)
#include "shell_test.moc"
