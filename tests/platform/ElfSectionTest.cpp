#include "platform/version/ElfSection.h"
#include "platform/version/VersionResource.h"

#include "tests/common/TestEnvironment.h"

#include <QBuffer>
#include <QFile>
#include <gtest/gtest.h>

#include <cstdint>

namespace {

// A minimal ELF file: header, the sections' contents, then the section
// header table with a null section, ".shstrtab" and the given sections.
struct ElfBuilder {
    bool is64 = true;
    bool bigEndian = false;
    std::vector<std::pair<QByteArray, QByteArray>> sections; // name, contents
    uint32_t extraType = 1; // type of the sections added

    QByteArray bytes;

    void put(uint64_t offset, uint64_t value, int size)
    {
        if (bytes.size() < qsizetype(offset) + size)
            bytes.resize(qsizetype(offset) + size, '\0');
        for (int i = 0; i < size; ++i)
            bytes[qsizetype(offset) + (bigEndian ? size - 1 - i : i)] = char((value >> (8 * i)) & 0xFF);
    }

    QByteArray Build()
    {
        const int headerSize = is64 ? 64 : 52;
        const int entrySize = is64 ? 64 : 40;
        bytes = QByteArray(headerSize, '\0');
        bytes.replace(0, 4, "\177ELF");
        bytes[4] = char(is64 ? 2 : 1);
        bytes[5] = char(bigEndian ? 2 : 1);
        bytes[6] = 1;

        QByteArray names("\0.shstrtab\0", 11);
        std::vector<uint32_t> nameOffsets;
        for (const auto& s : sections) {
            nameOffsets.push_back(uint32_t(names.size()));
            names += s.first + '\0';
        }
        std::vector<std::pair<uint64_t, uint64_t>> placed; // offset, size
        auto place = [&](const QByteArray& data) {
            placed.emplace_back(uint64_t(bytes.size()), uint64_t(data.size()));
            bytes += data;
        };
        place(names);
        for (const auto& s : sections)
            place(s.second);

        const uint64_t table = uint64_t(bytes.size());
        const int count = int(sections.size()) + 2;
        bytes.resize(bytes.size() + count * entrySize, '\0');
        auto header = [&](int index, uint32_t name, uint32_t type, uint64_t offset, uint64_t size) {
            const uint64_t at = table + uint64_t(index) * uint64_t(entrySize);
            put(at, name, 4);
            put(at + 4, type, 4);
            put(at + (is64 ? 24 : 16), offset, is64 ? 8 : 4);
            put(at + (is64 ? 32 : 20), size, is64 ? 8 : 4);
        };
        header(1, 1, 3, placed[0].first, placed[0].second);
        for (size_t i = 0; i < sections.size(); ++i)
            header(int(i) + 2, nameOffsets[i], extraType, placed[i + 1].first, placed[i + 1].second);

        put(is64 ? 0x28 : 0x20, table, is64 ? 8 : 4);
        put(is64 ? 0x3A : 0x2E, uint64_t(entrySize), 2);
        put(is64 ? 0x3C : 0x30, uint64_t(count), 2);
        put(is64 ? 0x3E : 0x32, 1, 2);
        return bytes;
    }
};

bool read(const QByteArray& file, const QByteArray& name, QByteArray& contents, qint64 max = 1 << 20)
{
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    return ReadElfSection(buffer, name, contents, max);
}

} // namespace

TEST(ElfSection, FindsSectionsInEveryClassAndByteOrder)
{
    for (bool is64 : {true, false}) {
        for (bool bigEndian : {false, true}) {
            SCOPED_TRACE(std::to_string(is64) + std::to_string(bigEndian));
            ElfBuilder b;
            b.is64 = is64;
            b.bigEndian = bigEndian;
            b.sections = {{".text", "code"}, {".version_block", "VERSIONBLOCK 1\nA=b\n"}, {".version", "no"}};
            const QByteArray file = b.Build();
            QByteArray contents;
            ASSERT_TRUE(read(file, ".version_block", contents));
            EXPECT_EQ(contents, "VERSIONBLOCK 1\nA=b\n");
            EXPECT_TRUE(read(file, ".version", contents));
            EXPECT_EQ(contents, "no");
            EXPECT_FALSE(read(file, ".versio", contents));
            EXPECT_FALSE(read(file, ".missing", contents));
            EXPECT_TRUE(contents.isEmpty());
        }
    }
}

TEST(ElfSection, DamagedFilesGiveFalse)
{
    ElfBuilder b;
    b.sections = {{".version_block", QByteArray(100, 'v')}};
    const QByteArray good = b.Build();
    QByteArray contents;
    ASSERT_TRUE(read(good, ".version_block", contents));
    EXPECT_FALSE(read(good, ".version_block", contents, 99)); // larger than allowed

    // Every truncation of the file.
    for (qsizetype n = 0; n < good.size(); ++n)
        EXPECT_FALSE(read(good.left(n), ".version_block", contents)) << n;

    auto patched = [&](qsizetype offset, uint64_t value, int size) {
        ElfBuilder p = b;
        p.Build();
        p.put(uint64_t(offset), value, size);
        return p.bytes;
    };
    const qsizetype table = qsizetype(good.size()) - 3 * 64;
    EXPECT_FALSE(read(patched(0, 0, 1), ".version_block", contents)); // no magic
    EXPECT_FALSE(read(patched(4, 3, 1), ".version_block", contents)); // unknown class
    EXPECT_FALSE(read(patched(0x28, ~0ull, 8), ".version_block", contents)); // table far outside
    EXPECT_FALSE(read(patched(0x3A, 8, 2), ".version_block", contents)); // entries too small
    EXPECT_FALSE(read(patched(0x3E, 9, 2), ".version_block", contents)); // name table out of range
    // More sections than the file holds: those that are there are read, the others are not.
    EXPECT_TRUE(read(patched(0x3C, 0xFFFF, 2), ".version_block", contents));
    EXPECT_FALSE(read(patched(0x3C, 0xFFFF, 2), ".missing", contents));
    EXPECT_FALSE(read(patched(table + 2 * 64 + 24, ~0ull, 8), ".version_block", contents)); // data outside
    EXPECT_FALSE(read(patched(table + 2 * 64 + 32, ~0ull, 8), ".version_block", contents)); // huge size
    EXPECT_FALSE(
        read(patched(table + 64 + 32, 1ull << 40, 8), ".version_block", contents)); // huge name table
    // A name offset beyond the name table is passed over.
    EXPECT_FALSE(read(patched(table + 2 * 64, 0xFFFFFF, 4), ".version_block", contents));

    ElfBuilder nobits = b;
    nobits.extraType = 8;
    EXPECT_FALSE(read(nobits.Build(), ".version_block", contents));
    EXPECT_FALSE(ReadElfSection(testenv::Home() + "/missing", ".version_block", contents, 100));
}

TEST(VersionResource, ParsesTheBlock)
{
    VersionEntries entries;
    ASSERT_TRUE(ParseVersionBlock(QByteArray("VERSIONBLOCK 1\nProductName=Lumivue\n"
                                             "LegalCopyright=Line one\\nLine \\\\two\n"
                                             "junk without equals\n=no key\nEmpty=\n\0padding after",
                                             120),
                                  entries));
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0], std::make_pair(QString("ProductName"), QString("Lumivue")));
    EXPECT_EQ(entries[1].second, "Line one\nLine \\two");
    EXPECT_EQ(entries[2], std::make_pair(QString("Empty"), QString()));
    EXPECT_FALSE(ParseVersionBlock("VERSIONBLOCK 2\nA=b\n", entries));
    EXPECT_FALSE(ParseVersionBlock(QByteArray(), entries));

    QString value;
    const QByteArray block("VERSIONBLOCK 1\nProductVersion=9, 0, 0, 99\n");
    EXPECT_TRUE(VerQueryValue(block, "productversion", value));
    EXPECT_EQ(value, "9, 0, 0, 99");
    EXPECT_FALSE(VerQueryValue(block, "ProductName", value));
}

TEST(VersionResource, ReadsTheBlockOfAModuleFile)
{
    // The utility library carries one; reading it does not load it.
    QByteArray block;
    ASSERT_TRUE(GetFileVersionInfo(testenv::BuildDir() + "/lib/libOwUtil.so", block));
    QString name;
    EXPECT_TRUE(VerQueryValue(block, "ProductName", name));
    EXPECT_EQ(name, "Lumivue");
    EXPECT_FALSE(GetFileVersionInfo(testenv::BuildDir() + "/lib/libLvPlatform.so", block));
    EXPECT_TRUE(block.isEmpty());
}
