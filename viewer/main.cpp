#include "viewer/app/CLumivueApp.h"
#include "viewer/resources/ViewerModule.h"

#include <QApplication>
#include <cstdio>
#include <cstring>
#include <strings.h>

// The one application object of the process.
CLumivueApp theApp;

namespace {

// Registration and help need no window on screen.
bool runsWithoutDisplay(int argc, char** argv)
{
    if (argc < 2)
        return false;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        while (*a == '-' || *a == '/')
            ++a;
        if (strcasecmp(a, "Register") != 0 && strcasecmp(a, "UnRegister") != 0 && strcasecmp(a, "h") != 0 &&
            strcasecmp(a, "help") != 0 && std::strcmp(a, "?") != 0)
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const bool haveDisplay = qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
                             qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    if (!haveDisplay) {
        if (!runsWithoutDisplay(argc, argv)) {
            std::fprintf(stderr,
                         "Lumivu is a desktop program and needs a graphical session (X11 or Wayland).\n"
                         "No display was found. To run it without one, start it under a virtual X server:\n"
                         "    xvfb-run -a %s [FILE...]\n",
                         argv[0]);
            return 1;
        }
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // The main window may be hidden while the splash window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    QGuiApplication::setDesktopFileName(QStringLiteral("Lumivue.Document"));
    return AfxWinMain(ViewerModule());
}
