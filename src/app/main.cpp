#include <QApplication>
#include <cstdio>

#include "app/app_language.h"
#include "app/qt_settings_store.h"
#include "app/rdx_app.h"
#include "core/version.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Olvenstrom Software Engineering"));
    QApplication::setApplicationName(QStringLiteral("Quillcast Ribodex"));
    QApplication::setApplicationVersion(QLatin1String(ribodex::kVersion));
    // The installed desktop entry's name: window systems find the icon and name through it.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.ribodex.Ribodex"));
    ribodex::AppLanguage language;

    ribodex::QtSettingsStore store;
    ribodex::RdxApp app(store);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    if (!app.InitInstance(arguments)) {
        std::fprintf(stderr, "ribodex: %s\n", qPrintable(app.CommandLineError()));
        app.ExitInstance();  // saves nothing: no setting was loaded
        return 2;
    }
    QApplication::exec();
    return app.ExitInstance();
}
