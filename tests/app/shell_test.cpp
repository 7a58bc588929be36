// The program's shell: the painted caption, About, Internet, the user guide and What's This.
#include <QAction>
#include <QDialog>
#include <QFile>
#include <QLabel>
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
#include "app/qt_settings_store.h"
#include "app/rdx_app.h"
#include "core/phonebook/command_state.h"
#include "core/version.h"
#include "dialog_script_helper.h"

using namespace ribodex;
using ribodex::test::DialogScript;

class ShellTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void captionPixelsFadeAndCache();
    void longTitleEndsWithAnEllipsis();
    void captionButtonsAndDoubleClick();
    void captionFollowsActivation();
    void refusedMoveBringsBackTheSystemTitleBar();
    void aboutShowsItsTextsAndClosesWithEnterOrEscape();
    void internetStartsTheDesktopsBrowser();
    void helpTopicsF1AndF1InADialog();
    void germanGuideHasEveryTopic();
    void whatsThisClickExplainsInsteadOfRunning();

private:
    // The window after a first start without a port (its one message confirmed).
    std::unique_ptr<RdxApp> StartApp();

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<QtSettingsStore> store;
};

void ShellTest::init()
{
    dir = std::make_unique<QTemporaryDir>();
    store = std::make_unique<QtSettingsStore>(dir->filePath(QStringLiteral("ribodex.ini")));
}

void ShellTest::cleanup()
{
    store.reset();
    dir.reset();
}

std::unique_ptr<RdxApp> ShellTest::StartApp()
{
    RdxApp::Options options;
    options.demoBookPath = dir->filePath(QStringLiteral("demo-phone.txt")).toStdString();
    auto app = std::make_unique<RdxApp>(*store, options);
    DialogScript script;
    script.PressOk();
    if (!app->InitInstance({}))
        return nullptr;
    return app;
}

void ShellTest::captionPixelsFadeAndCache()
{
    QWidget window;
    window.setWindowTitle(QStringLiteral("A"));
    CaptionBar bar(&window);
    QPalette palette = bar.palette();
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(0, 0, 128));
    palette.setColor(QPalette::Inactive, QPalette::Dark, QColor(128, 128, 128));
    bar.setPalette(palette);
    bar.resize(768, bar.ButtonSize());
    window.resize(768, 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    bar.SetActive(true);

    // Row 0 holds neither icon, buttons nor title: the background alone.
    const QImage active = bar.grab().toImage();
    const struct {
        int x;
        int blue;
    } fade[] = {{767, 128}, {700, 128}, {640, 128}, {630, 128}, {320, 96}, {10, 4}, {9, 0}, {0, 0}};
    for (const auto& point : fade)
        QCOMPARE(active.pixelColor(point.x, 0), QColor(0, 0, point.blue));

    bar.SetActive(false);
    const QImage inactive = bar.grab().toImage();
    QCOMPARE(inactive.pixelColor(0, 0), QColor(128, 128, 128));
    QCOMPARE(inactive.pixelColor(767, 0), QColor(128, 128, 128));

    // Each state drawn once per size; a palette change or a new size draws anew.
    const int built = bar.PixmapsBuilt();
    bar.SetActive(true);
    bar.grab();
    bar.SetActive(false);
    bar.grab();
    QCOMPARE(bar.PixmapsBuilt(), built);
    palette.setColor(QPalette::Inactive, QPalette::Dark, QColor(10, 20, 30));
    bar.setPalette(palette);
    QCOMPARE(bar.grab().toImage().pixelColor(5, 0), QColor(10, 20, 30));
    bar.resize(500, bar.height());
    QCOMPARE(bar.grab().toImage().width(), 500);
    QCOMPARE(bar.PixmapsBuilt(), built + 2);
}

void ShellTest::longTitleEndsWithAnEllipsis()
{
    QWidget window;
    CaptionBar bar(&window);
    bar.resize(300, bar.ButtonSize());
    window.setWindowTitle(QStringLiteral("Quillcast Ribodex"));
    QCOMPARE(bar.ShownTitle(), QStringLiteral("Quillcast Ribodex "));
    window.setWindowTitle(QStringLiteral("Quillcast Ribodex ").repeated(10));
    const QString shown = bar.ShownTitle();
    QVERIFY2(shown.endsWith(QChar(0x2026)), qPrintable(shown));
    QVERIFY(shown.startsWith(QStringLiteral("Quillcast")));
    // It ends 2 pixels left of the minimise button: 300 - 3 * size + 2 - 2 - (size + 2).
    const int size = bar.ButtonSize();
    QFont font = bar.font();
    font.setFamilies({QStringLiteral("Arial"), bar.font().family()});
    font.setBold(true);
    QVERIFY(QFontMetrics(font).horizontalAdvance(shown) <= 300 - 4 * size);
}

void ShellTest::captionButtonsAndDoubleClick()
{
    auto app = StartApp();
    QVERIFY(app);
    CMainFrame* frame = app->Frame();
    QVERIFY(frame->Caption() != nullptr);
    QVERIFY(frame->windowFlags().testFlag(Qt::FramelessWindowHint));
    CaptionBar* bar = frame->Caption()->Bar();
    QVERIFY(bar->isVisible());
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
    app->ExitInstance();
}

void ShellTest::captionFollowsActivation()
{
    auto app = StartApp();
    QVERIFY(app);
    CMainFrame* frame = app->Frame();
    CaptionBar* bar = frame->Caption()->Bar();
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame));
    QTRY_VERIFY(bar->IsActive());
    QCOMPARE(bar->grab().toImage().pixel(bar->width() - 1, 0), bar->ActiveColour().rgb());

    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QTRY_VERIFY(!bar->IsActive());
    QCOMPARE(bar->grab().toImage().pixel(bar->width() - 1, 0), bar->InactiveColour().rgb());
    frame->close();
    app->ExitInstance();
}

void ShellTest::refusedMoveBringsBackTheSystemTitleBar()
{
    // The offscreen platform moves no window: the first drag finds that out.
    auto app = StartApp();
    QVERIFY(app);
    CMainFrame* frame = app->Frame();
    CaptionFrame* caption = frame->Caption();
    const QSize size = frame->size();
    const QPoint from(caption->Bar()->width() / 2, 5), to = from + QPoint(40, 30);
    QTest::mousePress(caption->Bar(), Qt::LeftButton, {}, from);
    QVERIFY(caption->Painted());  // a press alone moves nothing yet
    QMouseEvent drag(QEvent::MouseMove, to, caption->Bar()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(caption->Bar(), &drag);
    QVERIFY(!caption->Painted());
    QVERIFY(!frame->windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(frame->isVisible());
    QVERIFY(!caption->Bar()->isVisible());
    QCOMPARE(frame->contentsMargins(), QMargins());
    QCOMPARE(frame->size(), size);
    QTest::mouseRelease(frame, Qt::LeftButton, {}, to);
    frame->close();
    app->ExitInstance();
}

void ShellTest::aboutShowsItsTextsAndClosesWithEnterOrEscape()
{
    auto app = StartApp();
    QVERIFY(app);
    QStringList texts;
    DialogScript script;
    script
        .Then([&](QWidget* dialog) {
            texts << dialog->findChild<QLabel*>(QStringLiteral("IDC_APP_NAME"))->text()
                  << dialog->findChild<QLabel*>(QStringLiteral("IDC_LEGAL"))->text();
            QVERIFY(!dialog->findChild<QLabel*>(QStringLiteral("IDC_ICON"))->pixmap().isNull());
            QTest::keyClick(dialog, Qt::Key_Return);
        })
        .Then([&](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    app->Frame()->Actions().Get(ID_APP_ABOUT)->trigger();
    app->Frame()->Actions().Get(ID_APP_ABOUT)->trigger();
    QVERIFY(script.Done());
    QCOMPARE(script.Seen(), (QStringList{"dialog: About Ribodex", "dialog: About Ribodex"}));
    QCOMPARE(script.Unexpected(), 0);
    QCOMPARE(texts.value(0), QStringLiteral("Quillcast Ribodex 1.0"));
    QVERIFY(!texts.value(1).isEmpty());
    app->Frame()->close();
    app->ExitInstance();
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
    QFile script(browser);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1.part'\nmv '%1.part' '%1'\n").arg(record).toUtf8());
    script.close();
    script.setPermissions(script.permissions() | QFile::ExeOwner);
    QFile mimeapps(config + QStringLiteral("/mimeapps.list"));
    QVERIFY(mimeapps.open(QIODevice::WriteOnly));
    mimeapps.write("[Default Applications]\ntext/html=test-browser.desktop\n");
    mimeapps.close();
    const QString entryPath = data + QStringLiteral("/applications/test-browser.desktop");
    QFile entry(entryPath);
    QVERIFY(entry.open(QIODevice::WriteOnly));
    entry.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=Test\nExec=%1 --new-window %U\n")
                    .arg(browser).toUtf8());
    entry.close();
    const QByteArray names[] = {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS"};
    const QByteArray values[] = {config.toUtf8(), config.toUtf8(), data.toUtf8(), data.toUtf8()};
    for (int i = 0; i < 4; ++i)
        qputenv(names[i], values[i]);
    qunsetenv("XDG_CURRENT_DESKTOP");

    auto app = StartApp();
    QVERIFY(app);
    DialogScript boxes;
    boxes.PressOk();
    app->Frame()->Actions().Get(ID_HELP_INTERNET)->trigger();
    QTRY_VERIFY(QFile::exists(record));
    QFile recorded(record);
    QVERIFY(recorded.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(recorded.readAll()), QStringLiteral("--new-window\n%1\n").arg(QLatin1String(kHomePage)));
    QVERIFY(boxes.Seen().isEmpty());

    // Without the handler's entry: message 162, and nothing is started.
    QVERIFY(QFile::remove(entryPath) && QFile::remove(record));
    app->Frame()->Actions().Get(ID_HELP_INTERNET)->trigger();
    QCOMPARE(boxes.Seen(), QStringList{QStringLiteral("box: An error has occured while starting your internet browser.")});
    QVERIFY(!QFile::exists(record));
    for (const QByteArray& name : names)
        qunsetenv(name);
    app->Frame()->close();
    app->ExitInstance();
}

void ShellTest::helpTopicsF1AndF1InADialog()
{
    auto app = StartApp();
    QVERIFY(app);
    CMainFrame* frame = app->Frame();
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
    frame->close();
    app->ExitInstance();
}

void ShellTest::germanGuideHasEveryTopic()
{
    AppLanguage german(QLocale(QLocale::German, QLocale::Germany));
    QVERIFY(german.Translated());
    QCOMPARE(HelpWindow::GuideUrl(), QStringLiteral("qrc:/help/guide_de.html"));
    // Every topic the program opens exists in both languages.
    for (const char* language : {"en", "de"}) {
        QFile guide(QStringLiteral(":/help/guide_%1.html").arg(QLatin1String(language)));
        QVERIFY(guide.open(QIODevice::ReadOnly));
        const QByteArray html = guide.readAll();
        for (const char* topic : {"contents", "window", "port", "pin", "memory", "editing", "find", "export",
                                  "printing", "about", "starting", "reading", "clipboard", "cli"})
            QVERIFY2(html.contains(QByteArray("name=\"") + topic + "\""), topic);
    }
}

void ShellTest::whatsThisClickExplainsInsteadOfRunning()
{
    auto app = StartApp();
    QVERIFY(app);
    CMainFrame* frame = app->Frame();
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame));
    QTest::keyClick(frame, Qt::Key_F1, Qt::ShiftModifier);
    QVERIFY(QWhatsThis::inWhatsThisMode());

    // A click on the About button explains it and leaves the mode; the About box stays shut.
    DialogScript script;
    QWidget* about = frame->ToolBar()->widgetForAction(frame->Actions().Get(ID_APP_ABOUT));
    QTest::mouseClick(about, Qt::LeftButton);
    QVERIFY(!QWhatsThis::inWhatsThisMode());
    QWidget* popup = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->inherits("QWhatsThat") && widget->isVisible())
            popup = widget;
    QVERIFY(popup != nullptr);
    QCOMPARE(about->whatsThis(), QStringLiteral("Display program information, version number and copyright"));
    QTest::qWait(50);
    QVERIFY(script.Seen().isEmpty());
    QWhatsThis::hideText();

    frame->Actions().Get(ID_CONTEXT_HELP)->trigger();
    QVERIFY(QWhatsThis::inWhatsThisMode());
    QWhatsThis::leaveWhatsThisMode();
    frame->close();
    app->ExitInstance();
}

QTEST_MAIN(ShellTest)
#include "shell_test.moc"
