#pragma once
// A loaded Windows 3.x metafile: immutable bytes, their headers and a walk
// over the records. Playing and converting live in WmfPlayer.
#include "platform/metafile/WmfHeader.h"

#include <QByteArray>
#include <memory>

// One record as the walk hands it out: function, size in bytes and its
// bytes (size and function included). Valid while the metafile lives.
struct METARECORD {
    uint16_t function = 0;
    uint32_t size = 0;
    const uint8_t* data = nullptr;
};

class WinMetaFile {
public:
    static std::unique_ptr<WinMetaFile> FromBytes(const QByteArray& bytes, QString* error = nullptr);
    // True when the bytes start like a Windows 3.x metafile (placeable or
    // standard header).
    static bool LooksLike(const QByteArray& bytes);

    const WmfHeader& Header() const { return m_header; }
    const QByteArray& Bytes() const { return m_bytes; }

    // The record at offset. False at the end (the bytes run out) or at a
    // record that does not fit; *malformed tells which.
    bool RecordAt(size_t offset, METARECORD* record, bool* malformed) const;
    size_t FirstRecord() const { return m_header.recordsOffset; }

private:
    WinMetaFile() = default;
    QByteArray m_bytes;
    WmfHeader m_header;
};
