// Reading a module's version block from hostile files: the ELF section
// reader and the block parser must never crash, hang or allocate without bound.
#include "platform/version/ElfSection.h"
#include "platform/version/VersionResource.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char*>(data), qsizetype(size));
    buffer.open(QIODevice::ReadOnly);
    QByteArray contents;
    if (ReadElfSection(buffer, VERSION_BLOCK_SECTION, contents, MaxVersionBlockSize)) {
        VersionEntries entries;
        ParseVersionBlock(contents, entries);
    }
    VersionEntries entries;
    ParseVersionBlock(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), entries);
    return 0;
}
