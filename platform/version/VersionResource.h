#pragma once
// A module's version block: the product name, versions and legal texts that
// a Windows module carries as its version resource. Here each module embeds
// the block in a dedicated section of its ELF file, and reading a module's
// version block reads that section from the file, so that the block of any
// program or library can be read without loading it.
//
// The block is UTF-8 text: the line "VERSIONBLOCK 1", then one "Key=Value"
// line per entry, ended by a zero byte. In values, "\n" stands for a line
// break and "\\" for a backslash. A module defines its block once, in one
// source file:
//
//   DEFINE_VERSION_BLOCK(
//       VERSION_ENTRY("ProductName", "Lumivue")
//       VERSION_ENTRY("ProductVersion", "9, 0, 0, 99"));
#include "platform/types/Win32Types.h"

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

#define VERSION_BLOCK_SECTION ".version_block"
#define VERSION_BLOCK_MAGIC "VERSIONBLOCK 1\n"
#define VERSION_ENTRY(key, value) key "=" value "\n"
#define DEFINE_VERSION_BLOCK(entries)                                                                    \
    [[gnu::used, gnu::section(VERSION_BLOCK_SECTION)]] static const char moduleVersionBlock_[] =         \
        VERSION_BLOCK_MAGIC entries

// The largest block read: the platform's version resources are at most 64 KiB.
constexpr qint64 MaxVersionBlockSize = 64 * 1024;

using VersionEntries = std::vector<std::pair<QString, QString>>;

// The raw version block of the module file fileName. FALSE when the file
// cannot be read or carries no block.
BOOL GetFileVersionInfo(const QString& fileName, QByteArray& block);

// The entries of a raw block in the order written. FALSE when block is not a
// version block (its first line is not the block's own).
BOOL ParseVersionBlock(const QByteArray& block, VersionEntries& entries);

// The value of key (compared without regard to case) in a raw block.
BOOL VerQueryValue(const QByteArray& block, const QString& key, QString& value);
