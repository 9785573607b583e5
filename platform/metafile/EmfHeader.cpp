#include "platform/metafile/EmfHeader.h"

#include "platform/metafile/EmfByteReader.h"

namespace {

bool fail(QString* error, const char* reason)
{
    if (error)
        *error = QString::fromLatin1(reason);
    return false;
}

} // namespace

bool EmfHeader::Parse(const uint8_t* data, size_t size, EmfHeader* out, QString* error)
{
    if (!data || size < MinSize)
        return fail(error, "file too short for an enhanced metafile header");
    EmfByteReader in(data, size);
    EmfHeader h;
    const uint32_t type = in.U32();
    h.headerSize = in.U32();
    h.bounds = in.Rect();
    h.frame = in.Rect();
    const uint32_t signature = in.U32();
    h.version = in.U32();
    h.nBytes = in.U32();
    h.nRecords = in.U32();
    h.nHandles = in.U16();
    in.U16(); // reserved
    const uint32_t nDescription = in.U32();
    const uint32_t offDescription = in.U32();
    h.nPalEntries = in.U32();
    h.device.cx = in.I32();
    h.device.cy = in.I32();
    h.millimeters.cx = in.I32();
    h.millimeters.cy = in.I32();
    if (!in.Ok() || type != 1)
        return fail(error, "not an enhanced metafile (no header record)");
    if (signature != Signature)
        return fail(error, "not an enhanced metafile (bad signature)");
    if (h.headerSize < MinSize || h.headerSize % 4 != 0 || h.headerSize > size)
        return fail(error, "bad header record size");
    // The platform refuses a metafile whose size is not a multiple of four
    // or smaller than its own header.
    if (h.nBytes % 4 != 0 || h.nBytes < h.headerSize)
        return fail(error, "bad metafile size in header");
    if (h.headerSize >= 100) {
        h.cbPixelFormat = in.U32();
        h.offPixelFormat = in.U32();
        h.openGL = in.U32() != 0;
        // A pixel format outside the file is ignored, as its absence.
        if (uint64_t(h.offPixelFormat) + h.cbPixelFormat > size)
            h.cbPixelFormat = h.offPixelFormat = 0;
    }
    if (h.headerSize >= 108) {
        h.micrometers.cx = in.I32();
        h.micrometers.cy = in.I32();
    }
    if (nDescription > 0 && offDescription >= 8 && uint64_t(offDescription) + uint64_t(nDescription) * 2 <= size &&
        nDescription <= 0x100000) {
        EmfByteReader d(data, size);
        d.Seek(offDescription);
        QString text;
        text.reserve(int(nDescription));
        for (uint32_t i = 0; i < nDescription; ++i)
            text.append(QChar(d.U16()));
        h.description = text;
    }
    *out = h;
    return true;
}

double EmfHeader::PixelsPerMMX() const
{
    if (device.cx > 0 && millimeters.cx > 0)
        return double(device.cx) / millimeters.cx;
    return 96.0 / 25.4;
}

double EmfHeader::PixelsPerMMY() const
{
    if (device.cy > 0 && millimeters.cy > 0)
        return double(device.cy) / millimeters.cy;
    return 96.0 / 25.4;
}
