#pragma once
// A loaded enhanced metafile: immutable bytes and their validated header.
// Several threads may read and play one at the same time.
//
// Ownership: an HENHMETAFILE is owned by whoever created it (GetEnhMetaFile,
// SetEnhMetaFileBits, CopyEnhMetaFile) until it is passed to
// DeleteEnhMetaFile or handed to a new owner that says so (the clipboard).
// A copy shares the bytes, not the handle: deleting one leaves the other.
#include "platform/metafile/EmfHeader.h"

#include <QByteArray>
#include <QString>
#include <memory>

// One record as the enumeration hands it out: its type, its size and its
// bytes (type and size included). Valid during the callback only.
struct ENHMETARECORD {
    DWORD iType = 0;
    DWORD nSize = 0;
    const BYTE* data = nullptr;
    // The record's n-th parameter (the 32-bit words after type and size), 0
    // past its end.
    DWORD dParm(size_t n) const;
};

class EnhMetaFile {
public:
    // Validates the header; null with the reason otherwise.
    static std::unique_ptr<EnhMetaFile> FromBytes(const QByteArray& bytes, QString* error = nullptr);

    const EmfHeader& Header() const { return m_header; }
    const QByteArray& Bytes() const { return m_bytes; }

    // Walks the records: the record at offset, and the next offset. False
    // at the end or at a record that does not fit (size under 8, not a
    // multiple of 4, or past the end); *malformed tells which.
    bool RecordAt(size_t offset, ENHMETARECORD* record, bool* malformed) const;
    // Where the records end: the header's size, or the data's if shorter.
    size_t End() const { return m_end; }

private:
    EnhMetaFile() = default;

    QByteArray m_bytes;
    EmfHeader m_header;
    size_t m_end = 0;
};

using HENHMETAFILE = EnhMetaFile*;
using ENHMETAHEADER = EmfHeader;

// The platform's calls on enhanced metafiles.
HENHMETAFILE GetEnhMetaFile(const QString& path);
HENHMETAFILE SetEnhMetaFileBits(UINT size, const BYTE* data);
UINT GetEnhMetaFileBits(HENHMETAFILE metafile, UINT size, BYTE* buffer);
BOOL GetEnhMetaFileHeader(HENHMETAFILE metafile, ENHMETAHEADER* header);
QString GetEnhMetaFileDescription(HENHMETAFILE metafile);
// path empty: a copy in memory; otherwise the bytes are written to path
// (through a temporary file renamed into place) and the copy loaded from it.
HENHMETAFILE CopyEnhMetaFile(HENHMETAFILE metafile, const QString& path = QString());
BOOL DeleteEnhMetaFile(HENHMETAFILE metafile);

// The largest metafile file this program loads.
constexpr qint64 MaxEnhMetaFileBytes = qint64(1) << 30;

// Owns a handle and deletes it.
struct EnhMetaFileDeleter {
    void operator()(HENHMETAFILE h) const { DeleteEnhMetaFile(h); }
};
using EnhMetaFilePtr = std::unique_ptr<EnhMetaFile, EnhMetaFileDeleter>;
