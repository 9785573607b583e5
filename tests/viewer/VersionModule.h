#pragma once
// A module file with a version block of the test's choosing: the smallest
// ELF file (64-bit, little-endian) whose section table holds the block's
// section, as a program or library carries it.
#include "platform/version/VersionResource.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <utility>
#include <vector>

namespace testenv {

inline bool WriteVersionModule(const QString& path, const std::vector<std::pair<QByteArray, QByteArray>>& entries)
{
    QByteArray block(VERSION_BLOCK_MAGIC);
    for (const auto& [key, value] : entries)
        block += key + '=' + value + '\n';
    block += '\0';
    const QByteArray names = QByteArray("\0.shstrtab\0", 11) + VERSION_BLOCK_SECTION + '\0';

    QByteArray file(64, '\0');
    const auto put = [&file](qsizetype at, quint64 value, int size) {
        if (file.size() < at + size)
            file.resize(at + size, '\0');
        for (int i = 0; i < size; ++i)
            file[at + i] = char((value >> (8 * i)) & 0xFF);
    };
    file.replace(0, 4, "\177ELF");
    file[4] = 2; // 64-bit
    file[5] = 1; // little-endian
    file[6] = 1; // version
    const qsizetype namesAt = file.size();
    file += names;
    const qsizetype blockAt = file.size();
    file += block;
    const qsizetype table = file.size();
    file.resize(table + 3 * 64, '\0');
    // Section 0 is null; 1 the names; 2 the block.
    put(table + 64 + 0, 1, 4);
    put(table + 64 + 4, 3, 4);
    put(table + 64 + 24, quint64(namesAt), 8);
    put(table + 64 + 32, quint64(names.size()), 8);
    put(table + 128 + 0, 11, 4);
    put(table + 128 + 4, 1, 4);
    put(table + 128 + 24, quint64(blockAt), 8);
    put(table + 128 + 32, quint64(block.size()), 8);
    put(0x28, quint64(table), 8);
    put(0x3A, 64, 2);
    put(0x3C, 3, 2);
    put(0x3E, 1, 2);
    QFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(file) == file.size();
}

} // namespace testenv
