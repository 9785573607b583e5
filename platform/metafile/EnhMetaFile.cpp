#include "platform/metafile/EnhMetaFile.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <cstring>

DWORD ENHMETARECORD::dParm(size_t n) const
{
    const size_t at = 8 + 4 * n;
    if (!data || n > (size_t(nSize) - 8) / 4 || at + 4 > nSize)
        return 0;
    return DWORD(data[at]) | (DWORD(data[at + 1]) << 8) | (DWORD(data[at + 2]) << 16) | (DWORD(data[at + 3]) << 24);
}

std::unique_ptr<EnhMetaFile> EnhMetaFile::FromBytes(const QByteArray& bytes, QString* error)
{
    std::unique_ptr<EnhMetaFile> mf(new EnhMetaFile);
    mf->m_bytes = bytes;
    const auto* data = reinterpret_cast<const uint8_t*>(mf->m_bytes.constData());
    if (!EmfHeader::Parse(data, size_t(mf->m_bytes.size()), &mf->m_header, error))
        return nullptr;
    mf->m_end = std::min<size_t>(mf->m_header.nBytes, size_t(mf->m_bytes.size()));
    return mf;
}

bool EnhMetaFile::RecordAt(size_t offset, ENHMETARECORD* record, bool* malformed) const
{
    *malformed = false;
    if (offset >= m_end)
        return false;
    const auto* data = reinterpret_cast<const uint8_t*>(m_bytes.constData());
    if (m_end - offset < 8) {
        *malformed = true;
        return false;
    }
    const uint8_t* p = data + offset;
    const DWORD type = DWORD(p[0]) | (DWORD(p[1]) << 8) | (DWORD(p[2]) << 16) | (DWORD(p[3]) << 24);
    const DWORD size = DWORD(p[4]) | (DWORD(p[5]) << 8) | (DWORD(p[6]) << 16) | (DWORD(p[7]) << 24);
    if (size < 8 || size % 4 != 0 || size > m_end - offset) {
        *malformed = true;
        return false;
    }
    record->iType = type;
    record->nSize = size;
    record->data = p;
    return true;
}

HENHMETAFILE GetEnhMetaFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxEnhMetaFileBytes)
        return nullptr;
    return EnhMetaFile::FromBytes(file.readAll()).release();
}

HENHMETAFILE SetEnhMetaFileBits(UINT size, const BYTE* data)
{
    if (!data || size == 0 || qint64(size) > MaxEnhMetaFileBytes)
        return nullptr;
    return EnhMetaFile::FromBytes(QByteArray(reinterpret_cast<const char*>(data), int(size))).release();
}

UINT GetEnhMetaFileBits(HENHMETAFILE metafile, UINT size, BYTE* buffer)
{
    if (!metafile)
        return 0;
    const QByteArray& bytes = metafile->Bytes();
    const UINT total = UINT(metafile->End());
    if (!buffer)
        return total;
    const UINT n = std::min(size, total);
    std::memcpy(buffer, bytes.constData(), n);
    return n;
}

BOOL GetEnhMetaFileHeader(HENHMETAFILE metafile, ENHMETAHEADER* header)
{
    if (!metafile || !header)
        return FALSE;
    *header = metafile->Header();
    return TRUE;
}

QString GetEnhMetaFileDescription(HENHMETAFILE metafile)
{
    return metafile ? metafile->Header().description : QString();
}

HENHMETAFILE CopyEnhMetaFile(HENHMETAFILE metafile, const QString& path)
{
    if (!metafile)
        return nullptr;
    const QByteArray bytes = metafile->Bytes().left(qsizetype(metafile->End()));
    if (!path.isEmpty()) {
        QSaveFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
            return nullptr;
    }
    return EnhMetaFile::FromBytes(bytes).release();
}

BOOL DeleteEnhMetaFile(HENHMETAFILE metafile)
{
    if (!metafile)
        return FALSE;
    delete metafile;
    return TRUE;
}
