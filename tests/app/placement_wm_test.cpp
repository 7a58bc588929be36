// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's placement under a real window manager: Xvfb with openbox, which
// decorates the window after it is shown. The program starts both itself and runs Qt on
// xcb; without them the test is skipped, saying why.
#include <QMargins>
#include <QWindow>
#include <QtTest>

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/frame/caption_frame.h"
#include "app/frame/main_frame.h"
#include "app/qt_user_interface.h"
#include "core/device/gsm_device.h"
#include "core/session/connection_flow.h"
#include "core/session/settings_store.h"
#include "tests/support/temp_dir.h"

using namespace ribodex;

namespace {

// Starts a program that dies with this process, even if a failed check aborts the test.
// Called before any thread exists, so fork is safe.
pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv,
            int passFd = -1)
{
    std::vector<std::string> strings = argv;
    std::vector<char*> args;
    for (std::string& a : strings)
        args.push_back(a.data());
    args.push_back(nullptr);
    std::vector<std::string> env = extraEnv;
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent)
        ::_exit(127);
    const int null = ::open("/dev/null", O_RDWR);
    for (int fd = 0; fd <= 2; ++fd)
        ::dup2(null, fd);
    if (passFd >= 0) {
        ::dup2(passFd, 3);
        ::fcntl(3, F_SETFD, 0);  // kept open across exec even when passFd was 3 already
    }
    for (std::string& e : env)
        ::putenv(e.data());
    ::execv(args[0], args.data());
    ::_exit(127);
}

// Xvfb on the first free display and openbox on it, for the life of this object.
class WindowManagerDisplay {
public:
    WindowManagerDisplay()
    {
        if (::access("/usr/bin/Xvfb", X_OK) != 0 || ::access("/usr/bin/openbox", X_OK) != 0) {
            problem = "Xvfb or openbox is not installed (make deps installs both)";
            return;
        }
        int pipeFds[2];
        if (::pipe2(pipeFds, O_CLOEXEC) != 0)
            return;
        xvfb = Spawn({"/usr/bin/Xvfb", "-displayfd", "3", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"}, {},
                     pipeFds[1]);
        ::close(pipeFds[1]);
        std::string number;
        char c;
        while (xvfb > 0 && ::read(pipeFds[0], &c, 1) == 1 && c != '\n')
            number += c;
        ::close(pipeFds[0]);
        if (number.empty()) {
            problem = "Xvfb did not start";
            return;
        }
        display = ":" + number;
        const std::string ready = dir / "openbox-ready";
        openbox = Spawn({"/usr/bin/openbox", "--sm-disable", "--startup", "touch " + ready},
                        {"DISPLAY=" + display, "HOME=" + dir.path});
        for (int i = 0; i < 500 && openbox > 0 && !std::filesystem::exists(ready); ++i)
            ::usleep(20000);
        problem = std::filesystem::exists(ready) ? "" : "openbox did not start";
    }
    ~WindowManagerDisplay()
    {
        for (pid_t pid : {openbox, xvfb}) {
            if (pid > 0) {
                ::kill(pid, SIGTERM);
                ::waitpid(pid, nullptr, 0);
            }
        }
    }
    bool Ready() const { return problem.empty(); }

    test::TempDir dir;
    std::string display;
    std::string problem = "no display";
    pid_t xvfb = -1;
    pid_t openbox = -1;
};

}  // namespace

class PlacementUnderWindowManagerTest : public QObject {
    Q_OBJECT

public:
    explicit PlacementUnderWindowManagerTest(const WindowManagerDisplay& display) : display(display) {}

private slots:
    void outerSizeStaysTheSameOverThreeRestarts_data();
    void outerSizeStaysTheSameOverThreeRestarts();

private:
    const WindowManagerDisplay& display;
};

void PlacementUnderWindowManagerTest::outerSizeStaysTheSameOverThreeRestarts_data()
{
    // The painted caption leaves openbox nothing to decorate; the system title bar (what a
    // window system that cannot move a frameless window gets) is decorated only once shown.
    QTest::addColumn<bool>("systemTitleBar");
    QTest::newRow("painted caption") << false;
    QTest::newRow("system title bar") << true;
}

void PlacementUnderWindowManagerTest::outerSizeStaysTheSameOverThreeRestarts()
{
    if (!display.Ready())
        QSKIP(display.problem.c_str());
    QFETCH(bool, systemTitleBar);
    MemorySettingsStore store;
    const QRect first(100, 80, 702, 525);
    store.SetInt("1.0/Window", "x", first.x());
    store.SetInt("1.0/Window", "y", first.y());
    store.SetInt("1.0/Window", "cx", first.width());
    store.SetInt("1.0/Window", "cy", first.height());
    for (int run = 1; run <= 3; ++run) {
        GsmDevice device;
        QtUserInterface ui;
        Session session(device, store, ui);
        CMainFrame frame(session, store);
        QVERIFY(frame.Caption() != nullptr);
        if (systemTitleBar)
            frame.Caption()->UseSystemTitleBar();
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        if (systemTitleBar)  // decorated: openbox has put its title bar and borders around it
            QTRY_VERIFY_WITH_TIMEOUT(frame.windowHandle()->frameMargins() != QMargins(), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(frame.frameGeometry(), first, 2000);
        const QMargins margins = frame.windowHandle()->frameMargins();
        frame.close();
        const QRect stored(store.GetInt("1.0/Window", "x", 0), store.GetInt("1.0/Window", "y", 0),
                           store.GetInt("1.0/Window", "cx", 0), store.GetInt("1.0/Window", "cy", 0));
        qInfo("run %d: stored %dx%d at %d,%d; frame margins %d %d %d %d", run, stored.width(), stored.height(),
              stored.x(), stored.y(), margins.left(), margins.top(), margins.right(), margins.bottom());
        QCOMPARE(stored, first);
    }
}

int main(int argc, char** argv)
{
    WindowManagerDisplay display;
    if (display.Ready()) {
        ::setenv("DISPLAY", display.display.c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "xcb", 1);
        // This display has no session bus; left to look for one, libdbus leaks what it tried.
        ::setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
    } else {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);  // only to report the skip
    }
    QApplication application(argc, argv);
    PlacementUnderWindowManagerTest test(display);
    return QTest::qExec(&test, argc, argv);
}

#include "placement_wm_test.moc"
