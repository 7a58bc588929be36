// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <memory>
#include <string>

#include "app/qt_user_interface.h"
#include "core/device/gsm_device.h"
#include "core/session/connection_flow.h"
#include "sim/demo_phone.h"

namespace ribodex {

class BusyInputFilter;
class CMainFrame;
class CRdxDoc;
class SettingsStore;

// The application object: owns the device, the built-in demo phone behind "DEMO", the
// session (settings, connected), the main window and the document. Construct after the
// QApplication; InitInstance once, ExitInstance once after the window closed. The store
// must outlive the object. UI thread only; device work blocks it under the wait cursor
// while the window keeps painting and takes only what stops the work (BusyInputFilter).
class RdxApp {
public:
    struct Options {
        std::string demoBookPath;  // empty: the demo phone's default book file
        Timing timing;             // the fixed waits; tests shorten them
    };

    explicit RdxApp(SettingsStore& store);
    RdxApp(SettingsStore& store, Options options);
    ~RdxApp();
    RdxApp(const RdxApp&) = delete;
    RdxApp& operator=(const RdxApp&) = delete;

    // Start-up: arguments without the program name; "--port NAME" (or "--port=NAME") sets
    // the port of this run only: exit keeps the stored port unless the user confirmed the
    // settings dialog meanwhile. Any other
    // argument fails processing: false before any setting is read or device touched.
    // Otherwise the window is shown, the settings loaded, the connection flow run and, when
    // it succeeded, the list filled; true whatever the flow returned.
    bool InitInstance(const QStringList& arguments);
    // Disconnects and saves the settings (only when they were loaded); the exit code.
    int ExitInstance();
    // Options > Settings: the settings dialog, and after OK a second connection and a
    // refresh.
    void OnSettings();
    // "&About": the About box, modal over the main window.
    void OnAppAbout();

    GsmDevice& Device() { return device; }
    Session& GetSession() { return session; }
    CMainFrame* Frame() const { return frame.get(); }
    // The argument error of a failed InitInstance, for the terminal.
    const QString& CommandLineError() const { return commandLineError; }

private:
    SettingsStore& store;
    sim::DemoPhone demoPhone;
    GsmDevice device;
    QtUserInterface ui;
    std::unique_ptr<BusyInputFilter> busyFilter;
    Session session;
    std::unique_ptr<CMainFrame> frame;
    std::unique_ptr<CRdxDoc> document;
    QString commandLineError;
};

}  // namespace ribodex
