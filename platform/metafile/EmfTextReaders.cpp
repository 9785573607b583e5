#include "platform/metafile/EmfTextReaders.h"

namespace emfread {
namespace {

// Offsets in text records count from the record's start; the reader starts
// after its type and size.
constexpr uint32_t RecordHead = 8;

void readHead(EmfByteReader& in, EmrText& t)
{
    t.bounds = in.Rect();
    t.graphicsMode = in.U32();
    t.exScale = in.F32();
    t.eyScale = in.F32();
}

// The string and advances of an EmrText object. What lies outside the
// record is left out: a string is cut where the record ends, and missing
// advances are left to the player (the font's own).
void readItemData(const EmfByteReader& in, uint32_t chars, uint32_t offString, uint32_t offDx, bool wide,
                  EmrTextItem& item)
{
    const size_t size = in.Size();
    const size_t charSize = wide ? 2 : 1;
    if (offString >= RecordHead && offString - RecordHead < size) {
        const size_t at = offString - RecordHead;
        const size_t n = std::min<size_t>(chars, (size - at) / charSize);
        const uint8_t* p = in.Data() + at;
        if (wide) {
            item.wide.resize(n);
            for (size_t i = 0; i < n; ++i)
                item.wide[i] = char16_t(p[2 * i] | (p[2 * i + 1] << 8));
        } else {
            item.narrow.assign(reinterpret_cast<const char*>(p), n);
        }
    }
    item.isWide = wide;
    const size_t length = item.Length();
    // offDx 0: no advances (some writers leave it so).
    if (offDx >= RecordHead && offDx - RecordHead < size && length > 0) {
        const size_t at = offDx - RecordHead;
        const size_t per = (item.options & ETO_PDY) ? 2 : 1;
        const size_t n = std::min<size_t>(length * per, (size - at) / 4);
        const uint8_t* p = in.Data() + at;
        item.dx.resize(n);
        for (size_t i = 0; i < n; ++i)
            item.dx[i] = INT(uint32_t(p[4 * i]) | (uint32_t(p[4 * i + 1]) << 8) | (uint32_t(p[4 * i + 2]) << 16) |
                             (uint32_t(p[4 * i + 3]) << 24));
    }
}

// One EmrText object at the reader (MS-EMF 2.2.5). inPoly: the object of a
// PolyTextOut record, whose rectangle is always present.
bool readTextObject(EmfByteReader& in, bool wide, bool inPoly, EmrTextItem& item)
{
    item.reference.x = in.I32();
    item.reference.y = in.I32();
    const uint32_t chars = in.U32();
    const uint32_t offString = in.U32();
    item.options = in.U32();
    if (inPoly || !(item.options & ETO_NO_RECT))
        item.rect = in.Rect();
    const uint32_t offDx = in.U32();
    if (!in.Ok())
        return false;
    readItemData(in, chars, offString, offDx, wide, item);
    return true;
}

bool readExtTextOut(EmfByteReader& in, EmrPayload& out, bool wide)
{
    EmrText t;
    readHead(in, t);
    EmrTextItem item;
    if (!in.Ok() || !readTextObject(in, wide, false, item))
        return false;
    t.items.push_back(std::move(item));
    out = std::move(t);
    return true;
}

bool readPolyTextOut(EmfByteReader& in, EmrPayload& out, bool wide)
{
    EmrText t;
    readHead(in, t);
    const uint32_t strings = in.U32();
    // Each EmrText object takes 40 bytes of the record.
    if (!in.Ok() || strings > in.Remaining() / 40)
        return false;
    t.items.resize(strings);
    for (auto& item : t.items)
        if (!readTextObject(in, wide, true, item))
            return false;
    out = std::move(t);
    return true;
}

} // namespace

bool readCreateFont(EmfByteReader& in, EmrPayload& out)
{
    EmrCreateFont f;
    f.index = in.U32();
    LOGFONTW& lf = f.font;
    lf.lfHeight = in.I32();
    lf.lfWidth = in.I32();
    lf.lfEscapement = in.I32();
    lf.lfOrientation = in.I32();
    lf.lfWeight = in.I32();
    lf.lfItalic = in.U8();
    lf.lfUnderline = in.U8();
    lf.lfStrikeOut = in.U8();
    lf.lfCharSet = in.U8();
    lf.lfOutPrecision = in.U8();
    lf.lfClipPrecision = in.U8();
    lf.lfQuality = in.U8();
    lf.lfPitchAndFamily = in.U8();
    for (int i = 0; i < LF_FACESIZE; ++i)
        lf.lfFaceName[i] = char16_t(in.U16());
    if (!in.Ok())
        return false;
    lf.lfFaceName[LF_FACESIZE - 1] = 0;
    out = f;
    return true;
}

bool readExtTextOutA(EmfByteReader& in, EmrPayload& out) { return readExtTextOut(in, out, false); }
bool readExtTextOutW(EmfByteReader& in, EmrPayload& out) { return readExtTextOut(in, out, true); }
bool readPolyTextOutA(EmfByteReader& in, EmrPayload& out) { return readPolyTextOut(in, out, false); }
bool readPolyTextOutW(EmfByteReader& in, EmrPayload& out) { return readPolyTextOut(in, out, true); }

bool readSmallTextOut(EmfByteReader& in, EmrPayload& out)
{
    EmrText t;
    EmrTextItem item;
    item.reference.x = in.I32();
    item.reference.y = in.I32();
    const uint32_t chars = in.U32();
    item.options = in.U32();
    t.graphicsMode = in.U32();
    t.exScale = in.F32();
    t.eyScale = in.F32();
    if (!(item.options & ETO_NO_RECT))
        item.rect = in.Rect();
    if (!in.Ok())
        return false;
    // The characters follow; ETO_SMALL_CHARS: one byte each, the low byte
    // of a UTF-16 code unit.
    const bool small = item.options & ETO_SMALL_CHARS;
    const uint32_t at = uint32_t(in.Pos()) + RecordHead;
    readItemData(in, chars, at, 0, true, item);
    if (small) {
        item.wide.clear();
        const size_t n = std::min<size_t>(chars, in.Remaining());
        for (size_t i = 0; i < n; ++i)
            item.wide.push_back(char16_t(in.Data()[in.Pos() + i]));
    }
    item.options &= ~UINT(ETO_SMALL_CHARS);
    t.items.push_back(std::move(item));
    out = std::move(t);
    return true;
}

} // namespace emfread
