#include "platform/metafile/WmfHeader.h"

#include "platform/metafile/EmfByteReader.h"

bool WmfHeader::Parse(const uint8_t* data, size_t size, WmfHeader* out, QString* error)
{
    auto failWith = [error](const char* why) {
        if (error)
            *error = QString::fromLatin1(why);
        return false;
    };
    *out = WmfHeader();
    EmfByteReader in(data, size);
    size_t start = 0;
    if (size >= 4 && in.U32() == WmfPlaceable::Key) {
        if (size < WmfPlaceable::Size)
            return failWith("truncated placeable header");
        WmfPlaceable& p = out->placeable;
        p.present = true;
        in.U16(); // hWmf, always 0 on disk
        p.bbox.left = in.I16();
        p.bbox.top = in.I16();
        p.bbox.right = in.I16();
        p.bbox.bottom = in.I16();
        p.inch = in.U16();
        in.U32(); // reserved
        const uint16_t stored = in.U16();
        uint16_t sum = 0;
        for (size_t i = 0; i < 20; i += 2)
            sum ^= uint16_t(data[i] | (data[i + 1] << 8));
        p.checksumOk = sum == stored;
        start = WmfPlaceable::Size;
    }
    in.Seek(start);
    out->type = in.U16();
    out->headerWords = in.U16();
    out->version = in.U16();
    out->sizeWords = in.U32();
    out->objects = in.U16();
    out->maxRecordWords = in.U32();
    in.U16(); // number of members, unused
    if (!in.Ok())
        return failWith("truncated header");
    if (out->type != 1 && out->type != 2)
        return failWith("not a Windows metafile");
    if (out->headerWords != 9)
        return failWith("unexpected header size");
    if (out->version != 0x0100 && out->version != 0x0300)
        return failWith("unknown metafile version");
    out->recordsOffset = start + Size;
    return true;
}
