#include "CModule.h"

#include <QFileInfo>
#include <dlfcn.h>

#include <algorithm>

CModule::CModule(const char* name) : m_name(name) {}

QString CModule::FilePath() const
{
    Dl_info info{};
    // dladdr names the object that contains the address: this module's own
    // static CModule lives in the module's data, so it names the module.
    if (dladdr(static_cast<const void*>(this), &info) == 0 || info.dli_fname == nullptr)
        return {};
    QString path = QString::fromLocal8Bit(info.dli_fname);
    // Shared libraries are reported by the absolute path the loader used; the
    // main program by the (possibly relative) name it was started with.
    if (!QFileInfo(path).isAbsolute())
        path = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    return QFileInfo(path).absoluteFilePath();
}

int LoadString(HINSTANCE module, UINT id, QChar* buffer, int bufferMax)
{
    if (buffer == nullptr || bufferMax <= 0)
        return 0;
    buffer[0] = QChar();
    const QString* text = module ? module->FindString(id) : nullptr;
    if (text == nullptr || bufferMax < 2)
        return 0;
    const int n = std::min<qsizetype>(text->size(), bufferMax - 1);
    std::copy_n(text->constData(), n, buffer);
    buffer[n] = QChar();
    return n;
}
