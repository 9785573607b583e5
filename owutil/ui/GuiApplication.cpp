#include "GuiApplication.h"

#include <QApplication>
#include <QThread>

#include <cerrno>
#include <cstdlib>

namespace OwUtil {

bool EnsureGuiApplication()
{
    if (QCoreApplication* app = QCoreApplication::instance())
        return qobject_cast<QApplication*>(app) != nullptr && QThread::currentThread() == app->thread();
    // QApplication ends the process when it finds no display; a library
    // must not do that to its client.
    const bool windowSystem = qEnvironmentVariableIsSet("QT_QPA_PLATFORM") ||
                              qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    if (!windowSystem)
        return false;
    // The application keeps argc and argv for its lifetime, and lives as long
    // as the process: the client may show dialogs again at any time.
    static int argc = 1;
    static char* argv[] = {program_invocation_short_name, nullptr};
    new QApplication(argc, argv);
    return true;
}

} // namespace OwUtil
