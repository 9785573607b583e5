#include "xAllocException.h"

#include "owutil/resources/OwUtilModule.h"
#include "owutil/resources/OwUtilStringIds.h"
#include "owutil/text/TextBuffer.h"

#include <QString>
#include <cxxabi.h>
#include <cstdlib>
#include <map>
#include <mutex>
#include <string>

namespace {

// The class label the messages name.
const char* const label = "CMem";

// The message format: the string table's text, at most 255 characters.
QByteArray format(UINT id)
{
    QChar buffer[256];
    const int n = LoadString(OwUtilModule(), id, buffer, 256);
    return QString(buffer, n).toUtf8();
}

} // namespace

xAllocException::xAllocException(const char* message)
{
    m_text[0] = '\0';
    OwUtil::Internal::CopyUtf8(QByteArray(message ? message : ""), m_text, int(sizeof m_text));
}

const char* xAllocException::TypeName(const std::type_info& type)
{
    // Demangled once per type and kept for the life of the process.
    static std::mutex lock;
    static std::map<const std::type_info*, std::string> names;
    std::lock_guard guard(lock);
    auto it = names.find(&type);
    if (it == names.end()) {
        int status = 0;
        char* demangled = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
        it = names.emplace(&type, status == 0 && demangled ? demangled : type.name()).first;
        std::free(demangled);
    }
    return it->second.c_str();
}

void xAllocException::ThrowNoBuffer(const char* typeName, unsigned index, unsigned elementSize)
{
    throw xAllocException(
        QString::asprintf(format(IDS_MEM_NO_BUFFER).constData(), label, typeName, index, elementSize)
            .toUtf8()
            .constData());
}

void xAllocException::ThrowBadIndex(const char* typeName, unsigned index, unsigned count, unsigned capacity,
                                    unsigned elementSize)
{
    throw xAllocException(QString::asprintf(format(IDS_MEM_BAD_INDEX).constData(), label, typeName, index,
                                            count, capacity, elementSize)
                              .toUtf8()
                              .constData());
}

void xAllocException::ThrowTooLarge(const char* typeName, unsigned count, unsigned elementSize)
{
    throw xAllocException(
        QString::asprintf(format(IDS_MEM_TOO_LARGE).constData(), label, typeName, count, elementSize)
            .toUtf8()
            .constData());
}

void xAllocException::ThrowNotAllocated(const char* typeName, int wanted, int allocated, unsigned elementSize)
{
    throw xAllocException(QString::asprintf(format(IDS_MEM_NOT_ALLOCATED).constData(), label, typeName,
                                            wanted, allocated, elementSize)
                              .toUtf8()
                              .constData());
}
