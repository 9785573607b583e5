#include "owutil/OwUtilC.h"
#include "owutil/text/TextBuffer.h"

#include "framework/except/CException.h"

#include <QString>
#include <cstring>

extern "C" char* FormatVStr(char* buffer, int size, const char* format, va_list args)
{
    if (buffer == nullptr || size <= 0)
        return buffer;
    std::memset(buffer, 0, size_t(size));
    if (format == nullptr)
        return buffer;
    try {
        OwUtil::Internal::CopyUtf8(QString::vasprintf(format, args).toUtf8(), buffer, size);
    } catch (const CException& e) {
        e.ReportError();
    } catch (...) {
        // Nothing may cross into a C caller; the buffer holds what was copied.
    }
    return buffer;
}
