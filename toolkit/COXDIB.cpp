#include "COXDIB.h"

#include "framework/file/CArchive.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/Dib.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>

namespace {

constexpr int kFileHeader = 14;
// A bitmap larger than this is no bitmap a user meant: 2^28 pixels.
constexpr uint64_t kMaxPixels = uint64_t(1) << 28;

uint32_t u32(const QByteArray& b, int at) { return qFromLittleEndian<uint32_t>(b.constData() + at); }

// Bytes of the colour table and masks that follow a header.
uint64_t tableBytes(const DibHeader& h)
{
    if (h.core)
        return h.bitCount <= 8 ? 3ull * (1u << h.bitCount) : 0;
    uint64_t bytes = 0;
    if (h.headerSize == 40 && (h.compression == BI_BITFIELDS || h.compression == BI_ALPHABITFIELDS))
        bytes += h.compression == BI_BITFIELDS ? 12 : 16;
    uint64_t colours = h.clrUsed;
    if (colours == 0 && h.bitCount <= 8)
        colours = 1ull << h.bitCount;
    return bytes + 4 * std::min<uint64_t>(colours, 1u << 16);
}

// Bytes of the pixels: the header's count for compressed bitmaps, rows otherwise.
uint64_t bitsBytes(const DibHeader& h)
{
    if (h.compression == BI_RGB || h.compression == BI_BITFIELDS || h.compression == BI_ALPHABITFIELDS)
        return h.Stride() * h.AbsHeight();
    return h.sizeImage;
}

} // namespace

void COXDIB::Empty()
{
    m_info.clear();
    m_bits.clear();
}

BOOL COXDIB::setPacked(const QByteArray& info, const QByteArray& bits)
{
    DibHeader h;
    if (!Dib::ParseHeader(reinterpret_cast<const uint8_t*>(info.constData()), size_t(info.size()), &h))
        return FALSE;
    if (h.width <= 0 || h.AbsHeight() == 0 || uint64_t(h.width) * h.AbsHeight() > kMaxPixels)
        return FALSE;
    const uint64_t need = bitsBytes(h);
    if (need == 0 || uint64_t(bits.size()) < need)
        return FALSE;
    // Check that it decodes before the object changes.
    DibImage probe;
    if (!Dib::Decode(reinterpret_cast<const uint8_t*>(info.constData()), size_t(info.size()),
                     reinterpret_cast<const uint8_t*>(bits.constData()), size_t(bits.size()), DIB_RGB_COLORS, {},
                     kMaxPixels, &probe))
        return FALSE;
    m_info = info;
    m_bits = bits.left(qsizetype(need));
    return TRUE;
}

BOOL COXDIB::ReadFromBytes(const QByteArray& bytes)
{
    if (bytes.size() >= kFileHeader && bytes.startsWith("BM")) {
        const uint32_t offBits = u32(bytes, 10);
        if (offBits <= uint32_t(kFileHeader) || offBits > uint32_t(bytes.size()))
            return FALSE;
        return setPacked(bytes.mid(kFileHeader, qsizetype(offBits) - kFileHeader), bytes.mid(qsizetype(offBits)));
    }
    DibHeader h;
    if (!Dib::ParseHeader(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()), &h))
        return FALSE;
    const uint64_t info = uint64_t(h.headerSize) + tableBytes(h);
    if (info > uint64_t(bytes.size()))
        return FALSE;
    return setPacked(bytes.left(qsizetype(info)), bytes.mid(qsizetype(info)));
}

BOOL COXDIB::Read(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > qint64(kMaxPixels) * 4 + 4096)
        return FALSE;
    return ReadFromBytes(f.readAll());
}

BOOL COXDIB::LoadResource(UINT id, HINSTANCE module)
{
    const QString* path = module ? module->FindImage(id) : nullptr;
    return path ? Read(*path) : FALSE;
}

QByteArray COXDIB::FileBytes() const
{
    if (IsEmpty())
        return {};
    QByteArray out(kFileHeader, '\0');
    const uint32_t offBits = uint32_t(kFileHeader + m_info.size());
    out[0] = 'B';
    out[1] = 'M';
    qToLittleEndian<uint32_t>(uint32_t(offBits + m_bits.size()), out.data() + 2);
    qToLittleEndian<uint32_t>(offBits, out.data() + 10);
    return out + m_info + m_bits;
}

BOOL COXDIB::Write(const QString& path) const
{
    if (IsEmpty())
        return FALSE;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return FALSE;
    const QByteArray bytes = FileBytes();
    if (f.write(bytes) != bytes.size())
        return FALSE;
    return f.commit() ? TRUE : FALSE;
}

BOOL COXDIB::Write(CArchive& ar) const
{
    if (IsEmpty() || !ar.IsStoring())
        return FALSE;
    const QByteArray bytes = FileBytes();
    ar.Write(bytes.constData(), UINT(bytes.size()));
    return TRUE;
}

QByteArray COXDIB::MakeCopy() const { return IsEmpty() ? QByteArray() : m_info + m_bits; }

CSize COXDIB::GetSize() const
{
    DibHeader h;
    if (IsEmpty() || !Dib::ParseHeader(reinterpret_cast<const uint8_t*>(m_info.constData()), size_t(m_info.size()), &h))
        return CSize(0, 0);
    return CSize(h.width, int(h.AbsHeight()));
}

WORD COXDIB::GetNumBitsPerPixel() const
{
    DibHeader h;
    if (IsEmpty() || !Dib::ParseHeader(reinterpret_cast<const uint8_t*>(m_info.constData()), size_t(m_info.size()), &h))
        return 0;
    return h.bitCount;
}

int COXDIB::GetNumColors() const
{
    DibHeader h;
    if (IsEmpty() || !Dib::ParseHeader(reinterpret_cast<const uint8_t*>(m_info.constData()), size_t(m_info.size()), &h))
        return 0;
    if (h.core)
        return h.bitCount <= 8 ? 1 << h.bitCount : 0;
    if (h.clrUsed != 0)
        return int(std::min<uint32_t>(h.clrUsed, 1u << 16));
    return h.bitCount <= 8 ? 1 << h.bitCount : 0;
}

CSize COXDIB::GetResolution() const
{
    if (m_info.size() < 40 || u32(m_info, 0) < 40)
        return CSize(0, 0);
    return CSize(int(u32(m_info, 24)), int(u32(m_info, 28)));
}

QImage COXDIB::ToImage() const
{
    if (IsEmpty())
        return {};
    DibImage out;
    if (!Dib::Decode(reinterpret_cast<const uint8_t*>(m_info.constData()), size_t(m_info.size()),
                     reinterpret_cast<const uint8_t*>(m_bits.constData()), size_t(m_bits.size()), DIB_RGB_COLORS, {},
                     kMaxPixels, &out))
        return {};
    return out.image;
}

BOOL COXDIB::Paint(CDC* dc, const CRect& target, const CRect& source) const
{
    if (dc == nullptr || IsEmpty())
        return FALSE;
    DibSource dib;
    dib.bmi = reinterpret_cast<const uint8_t*>(m_info.constData());
    dib.bmiSize = size_t(m_info.size());
    dib.bits = reinterpret_cast<const uint8_t*>(m_bits.constData());
    dib.bitsSize = size_t(m_bits.size());
    // The source is given from the top-left corner; the platform counts the
    // rows of a bottom-up bitmap from its bottom.
    DibHeader h;
    Dib::ParseHeader(dib.bmi, dib.bmiSize, &h);
    const int ySrc = h.TopDown() ? source.top : int(h.AbsHeight()) - source.bottom;
    return dc->StretchDIBits(target.left, target.top, target.Width(), target.Height(), source.left, ySrc,
                             source.Width(), source.Height(), dib, 0x00CC0020) != 0;
}
