#include "WindowPos.h"

#include "owutil/text/IniValues.h"
#include "owutil/text/TextBuffer.h"
#include "platform/profile/PrivateProfile.h"
#include "platform/ui/WindowPlacement.h"
#include "toolkit/COXPathSpec.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace OwUtil {

namespace {

const char* const recordFormat = "%u,%u,%ld,%ld,%ld,%ld,%ld,%ld";

QString fullPath(const QString& file)
{
    COXPathSpec pathSpec(file);
    pathSpec.MakeAbsolute();
    return pathSpec.GetPath();
}

QString sectionName(const char* section)
{
    return section ? QString::fromUtf8(section) : QStringLiteral("WindowPos");
}

} // namespace

bool SaveWindowPos(const QString& file, QWidget* window, const char* key, const char* section)
{
    if (window == nullptr || key == nullptr || *key == '\0' || file.isEmpty())
        return false;
    WINDOWPLACEMENT wp;
    if (!GetWindowPlacement(window, &wp))
        return false;
    // The record's numbers are read as long: pass them as long.
    QString value;
    IniWrite(value, recordFormat, unsigned(wp.flags), unsigned(wp.showCmd), long(wp.ptMinPosition.x),
             long(wp.ptMinPosition.y), long(wp.rcNormalPosition.left), long(wp.rcNormalPosition.top),
             long(wp.rcNormalPosition.right), long(wp.rcNormalPosition.bottom));
    return WritePrivateProfileString(sectionName(section), QString::fromUtf8(key), value, fullPath(file))
           != FALSE;
}

bool RestoreWindowPos(const QString& file, QWidget* window, const char* key, const char* section,
                      bool maximize, bool minimize, bool keepShow, int* showCommand)
{
    if (window == nullptr || file.isEmpty())
        return false;
    const QString path = fullPath(file);
    if (!QFileInfo(path).isFile())
        return false;

    WINDOWPLACEMENT wp;
    wp.showCmd = SW_SHOW;
    QString value;
    if (key != nullptr && *key != '\0') {
        // The value as far as it fits into a 1024-byte buffer.
        const QByteArray bytes =
            GetPrivateProfileString(sectionName(section), QString::fromUtf8(key), {}, path).toUtf8();
        value = QString::fromUtf8(bytes.left(Internal::Utf8Prefix(bytes, 1023)));
    }
    bool result = false;
    if (!value.isEmpty()) {
        unsigned flags = 0, show = 0;
        long minX = 0, minY = 0, left = 0, top = 0, right = 0, bottom = 0;
        IniRead(value, recordFormat, &flags, &show, &minX, &minY, &left, &top, &right, &bottom);
        wp.flags = flags;
        wp.showCmd = show;
        wp.ptMinPosition = CPoint(LONG(minX), LONG(minY));
        wp.rcNormalPosition = CRect(LONG(left), LONG(top), LONG(right), LONG(bottom));
        result = true;
    } else {
        GetWindowPlacement(window, &wp);
    }

    // Maximized, the frame's border lies just outside the screen.
    const int border = std::max(1, window->geometry().left() - window->frameGeometry().left());
    wp.ptMaxPosition = CPoint(-border, -border);

    if (wp.rcNormalPosition.right == 0 && wp.rcNormalPosition.bottom == 0) {
        const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
        const QSize size = screen ? screen->geometry().size() : QSize();
        wp.rcNormalPosition.right = LONG(size.width() * 80 / 100);
        wp.rcNormalPosition.bottom = LONG(size.height() * 80 / 100);
    }
    if (wp.showCmd != 0 && !keepShow) {
        if (maximize)
            wp.showCmd = SW_SHOWMAXIMIZED;
        if (minimize)
            wp.showCmd = SW_SHOWMINIMIZED;
    }
    if (showCommand)
        *showCommand = wp.showCmd != 0 ? SW_SHOW : SW_HIDE;
    SetWindowPlacement(window, &wp);
    return result;
}

} // namespace OwUtil
