// Plyx, the application. One runs per user session: a second start hands its
// request to the running one (a reopen, or a "plyxwidgets" link) and exits.
//
//   Plyx            open the main window
//   Plyx --login    start in the tray only, as at login
//   Plyx URL        open a link in the application
#include "app/shell/PlyxApp.h"
#include "platform/desktop/SingleInstance.h"
#include "shared/identity/AppIdentity.h"

#include <QApplication>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr const char* kUsage = "usage: Plyx [--login] [URL]\n";

} // namespace

int main(int argc, char** argv) {
    bool login = false;
    QString url;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--login") login = true;
        else if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (a.rfind("-", 0) != 0 && url.isEmpty()) url = QString::fromLocal8Bit(argv[i]);
        else {
            std::fprintf(stderr, "Plyx: unknown argument \"%s\"\n%s", argv[i], kUsage);
            return 2;
        }
    }

    plyx::AppIdentity::configurePlatform(plyx::AppIdentity::Program::application);
    QApplication app(argc, argv);
    app.setApplicationName("Plyx");
    app.setDesktopFileName("plyx");

    plyx::desktop::SingleInstance instance(plyx::AppIdentity::kApplication);
    if (!instance.claim()) {
        // A login start while the application already runs has nothing to hand over.
        if (login && url.isEmpty()) return 0;
        if (plyx::desktop::SingleInstance::handOver(plyx::AppIdentity::kApplication, url)) return 0;
        std::fputs("Plyx: another copy holds the session's name but does not answer\n", stderr);
        return 1;
    }

    plyx::PlyxApp plyxApp(login && url.isEmpty());
    QObject::connect(&instance, &plyx::desktop::SingleInstance::reopenRequested, &plyxApp, &plyx::PlyxApp::reopen);
    QObject::connect(&instance, &plyx::desktop::SingleInstance::urlOpened, &plyxApp, &plyx::PlyxApp::openURL);
    if (!url.isEmpty()) plyxApp.openURL(url);
    return app.exec();
}
