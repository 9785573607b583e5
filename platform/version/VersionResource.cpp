#include "VersionResource.h"

#include "ElfSection.h"

#include <QList>

namespace {

QString unescaped(const QByteArray& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[++i];
            out += next == 'n' ? '\n' : next;
        } else {
            out += text[i];
        }
    }
    return QString::fromUtf8(out);
}

} // namespace

BOOL GetFileVersionInfo(const QString& fileName, QByteArray& block)
{
    VersionEntries entries;
    if (!ReadElfSection(fileName, VERSION_BLOCK_SECTION, block, MaxVersionBlockSize)
        || !ParseVersionBlock(block, entries)) {
        block.clear();
        return FALSE;
    }
    return TRUE;
}

BOOL ParseVersionBlock(const QByteArray& block, VersionEntries& entries)
{
    entries.clear();
    // The block ends at its zero byte; what follows (padding) is not part of it.
    const qsizetype end = block.indexOf('\0');
    const QByteArray text = end < 0 ? block : block.left(end);
    if (!text.startsWith(VERSION_BLOCK_MAGIC))
        return FALSE;
    const QList<QByteArray> lines = text.mid(qsizetype(sizeof(VERSION_BLOCK_MAGIC) - 1)).split('\n');
    for (const QByteArray& line : lines) {
        const qsizetype eq = line.indexOf('=');
        if (eq <= 0)
            continue;
        entries.emplace_back(QString::fromUtf8(line.left(eq)).trimmed(), unescaped(line.mid(eq + 1)));
    }
    return TRUE;
}

BOOL VerQueryValue(const QByteArray& block, const QString& key, QString& value)
{
    VersionEntries entries;
    if (!ParseVersionBlock(block, entries))
        return FALSE;
    for (const auto& [k, v] : entries) {
        if (k.compare(key, Qt::CaseInsensitive) == 0) {
            value = v;
            return TRUE;
        }
    }
    return FALSE;
}
