// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/app_language.h"
#include "app/frame/program_icon.h"
#include "app/qt_settings_store.h"
#include "app/rdx_app.h"
#include "app/start_request.h"
#include "core/version.h"

int main(int argc, char* argv[])
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    switch (ribodex::ReadStartRequest(arguments)) {
    case ribodex::StartRequest::Help: std::fputs(ribodex::StartUsage().c_str(), stdout); return 0;
    case ribodex::StartRequest::Version: std::printf("ribodex %s\n", ribodex::kVersion); return 0;
    case ribodex::StartRequest::Run: break;
    }
    const std::string missing = ribodex::MissingDisplay(arguments, [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value != nullptr ? value : "");
    });
    if (!missing.empty()) {
        std::fprintf(stderr, "%s\n", missing.c_str());
        return 1;
    }

    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Olvenstrom Software Engineering"));
    QApplication::setApplicationName(QStringLiteral("Quillcast Ribodex"));
    QApplication::setApplicationVersion(QLatin1String(ribodex::kVersion));
    // The installed desktop entry's name: window systems find the icon and name through it.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.ribodex.Ribodex"));
    QApplication::setWindowIcon(ribodex::ProgramIcon());
    ribodex::AppLanguage language;

    ribodex::QtSettingsStore store;
    ribodex::RdxApp app(store);
    QStringList options = QApplication::arguments();
    options.removeFirst();
    if (!app.InitInstance(options)) {
        std::fprintf(stderr, "ribodex: %s\n", qPrintable(app.CommandLineError()));
        app.ExitInstance();  // saves nothing: no setting was loaded
        return 2;
    }
    QApplication::exec();
    return app.ExitInstance();
}
