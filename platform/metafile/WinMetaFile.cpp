#include "platform/metafile/WinMetaFile.h"

std::unique_ptr<WinMetaFile> WinMetaFile::FromBytes(const QByteArray& bytes, QString* error)
{
    std::unique_ptr<WinMetaFile> mf(new WinMetaFile);
    mf->m_bytes = bytes;
    const auto* data = reinterpret_cast<const uint8_t*>(mf->m_bytes.constData());
    if (!WmfHeader::Parse(data, size_t(mf->m_bytes.size()), &mf->m_header, error))
        return nullptr;
    return mf;
}

bool WinMetaFile::LooksLike(const QByteArray& bytes)
{
    WmfHeader h;
    return WmfHeader::Parse(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()), &h, nullptr);
}

bool WinMetaFile::RecordAt(size_t offset, METARECORD* record, bool* malformed) const
{
    *malformed = false;
    const size_t end = size_t(m_bytes.size());
    if (offset >= end)
        return false;
    if (end - offset < 6) {
        // Writers pad the end; a tail too short for a record is not an error
        // unless it holds something.
        *malformed = false;
        return false;
    }
    const auto* p = reinterpret_cast<const uint8_t*>(m_bytes.constData()) + offset;
    const uint32_t words = uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
    const uint16_t function = uint16_t(p[4] | (p[5] << 8));
    if (words < 3 || words > (end - offset) / 2) {
        *malformed = true;
        return false;
    }
    record->function = function;
    record->size = words * 2;
    record->data = p;
    return true;
}
