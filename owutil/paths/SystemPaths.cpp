#include "SystemPaths.h"

#include "framework/except/CException.h"
#include "toolkit/COXUNC.h"
#include "toolkit/COXVersionInfo.h"

#include <QFileInfo>

#include <memory>

namespace OwUtil {

QString GetModuleFileName(HINSTANCE module)
{
    if (module != nullptr)
        return module->FilePath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
}

QString GetWindowsFolder() { return COXUNC::GetWindowsDirectory().Full(); }

QString GetSystemFolder() { return COXUNC::GetSystemDirectory().Full(); }

QString GetTempFolder() { return COXUNC::GetTempDirectory().Full(); }

COXVersionInfo* GetVersionInfo(const QString& path)
{
    try {
        auto info = std::make_unique<COXVersionInfo>();
        if (!info->ReadInfo(path))
            return nullptr;
        return info.release();
    } catch (const CException& e) {
        e.ReportError();
        return nullptr;
    }
}

} // namespace OwUtil
