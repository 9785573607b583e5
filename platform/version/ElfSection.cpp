#include "ElfSection.h"

#include <QFile>

#include <cstdint>
#include <cstring>

namespace {

constexpr uint32_t SHT_NOBITS = 8;
constexpr uint16_t SHN_XINDEX = 0xFFFF;
// A section-name table larger than this is not one a compiler writes.
constexpr qint64 maxNameTable = 16 * 1024 * 1024;
// Sections counted through the extended-numbering escape.
constexpr uint64_t maxSections = 1u << 20;

struct Reader {
    QIODevice& device;
    qint64 size;
    bool bigEndian = false;

    bool Read(uint64_t offset, void* out, qint64 length)
    {
        if (offset > uint64_t(size) || uint64_t(length) > uint64_t(size) - offset)
            return false;
        return device.seek(qint64(offset)) && device.read(static_cast<char*>(out), length) == length;
    }

    uint64_t Value(const unsigned char* p, int bytes) const
    {
        uint64_t v = 0;
        for (int i = 0; i < bytes; ++i)
            v |= uint64_t(p[bigEndian ? bytes - 1 - i : i]) << (8 * i);
        return v;
    }
};

struct Section {
    uint32_t name = 0;
    uint32_t type = 0;
    uint64_t offset = 0;
    uint64_t size = 0;
    uint32_t link = 0;
};

struct Layout {
    bool is64;
    int shoff, shoffBytes, shentsize, shnum, shstrndx; // file header
    int entrySize, name, type, offset, size, link, wordBytes; // section header
};

constexpr Layout layout32{false, 0x20, 4, 0x2E, 0x30, 0x32, 40, 0, 4, 16, 20, 24, 4};
constexpr Layout layout64{true, 0x28, 8, 0x3A, 0x3C, 0x3E, 64, 0, 4, 24, 32, 40, 8};

bool readSection(Reader& r, const Layout& l, uint64_t tableOffset, uint64_t entrySize, uint64_t index,
                 Section& s)
{
    unsigned char h[64];
    if (index > (UINT64_MAX - tableOffset) / entrySize)
        return false;
    if (!r.Read(tableOffset + index * entrySize, h, l.entrySize))
        return false;
    s.name = uint32_t(r.Value(h + l.name, 4));
    s.type = uint32_t(r.Value(h + l.type, 4));
    s.offset = r.Value(h + l.offset, l.wordBytes);
    s.size = r.Value(h + l.size, l.wordBytes);
    s.link = uint32_t(r.Value(h + l.link, 4));
    return true;
}

} // namespace

bool ReadElfSection(QIODevice& device, const QByteArray& name, QByteArray& contents, qint64 maxSize)
{
    contents.clear();
    if (!device.isOpen() || device.isSequential() || name.isEmpty())
        return false;
    Reader r{device, device.size()};
    unsigned char header[64];
    if (!r.Read(0, header, 16) || std::memcmp(header, "\177ELF", 4) != 0)
        return false;
    if (header[4] != 1 && header[4] != 2)
        return false;
    if (header[5] != 1 && header[5] != 2)
        return false;
    const Layout& l = header[4] == 2 ? layout64 : layout32;
    r.bigEndian = header[5] == 2;
    if (!r.Read(0, header, l.is64 ? 64 : 52))
        return false;

    const uint64_t tableOffset = r.Value(header + l.shoff, l.shoffBytes);
    const uint64_t entrySize = r.Value(header + l.shentsize, 2);
    uint64_t count = r.Value(header + l.shnum, 2);
    uint64_t nameIndex = r.Value(header + l.shstrndx, 2);
    if (tableOffset == 0 || entrySize < uint64_t(l.entrySize))
        return false;
    // Extended numbering: the real count and name-table index live in section 0.
    Section first;
    if (!readSection(r, l, tableOffset, entrySize, 0, first))
        return false;
    if (count == 0)
        count = first.size;
    if (nameIndex == SHN_XINDEX)
        nameIndex = first.link;
    if (count == 0 || count > maxSections || nameIndex >= count)
        return false;

    Section names;
    if (!readSection(r, l, tableOffset, entrySize, nameIndex, names) || names.type == SHT_NOBITS
        || names.size > uint64_t(maxNameTable))
        return false;
    QByteArray table(qsizetype(names.size), Qt::Uninitialized);
    if (!r.Read(names.offset, table.data(), table.size()))
        return false;

    for (uint64_t i = 1; i < count; ++i) {
        Section s;
        if (!readSection(r, l, tableOffset, entrySize, i, s))
            return false;
        if (s.name >= uint64_t(table.size()))
            continue;
        const char* sectionName = table.constData() + s.name;
        const size_t room = size_t(table.size()) - s.name;
        if (strnlen(sectionName, room) != size_t(name.size())
            || std::memcmp(sectionName, name.constData(), size_t(name.size())) != 0)
            continue;
        if (s.type == SHT_NOBITS || s.size > uint64_t(maxSize))
            return false;
        QByteArray bytes(qsizetype(s.size), Qt::Uninitialized);
        if (!r.Read(s.offset, bytes.data(), bytes.size()))
            return false;
        contents = bytes;
        return true;
    }
    return false;
}

bool ReadElfSection(const QString& fileName, const QByteArray& name, QByteArray& contents, qint64 maxSize)
{
    contents.clear();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return ReadElfSection(file, name, contents, maxSize);
}
