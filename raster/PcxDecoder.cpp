#include "raster/PcxDecoder.h"

#include "raster/PcxHeader.h"
#include "raster/RasterMemoryBound.h"
#include "raster/RasterResolution.h"

#include <QIODevice>

#include <algorithm>
#include <span>
#include <vector>

namespace {

// Reads the image data in blocks, never past the end it was given (the
// start of a trailing palette).
class ByteSource {
public:
    ByteSource(QIODevice& device, qint64 end) : m_device(device), m_left(end - device.pos()) {}

    // False at the end of the data.
    bool Next(uchar& byte)
    {
        if (m_at == m_buffer.size() && !refill())
            return false;
        byte = uchar(m_buffer[m_at++]);
        return true;
    }
    // The bytes read but not yet consumed, refilled when none are left;
    // empty at the end of the data.
    std::span<const uchar> Peek()
    {
        if (m_at == m_buffer.size() && !refill())
            return {};
        return std::span(reinterpret_cast<const uchar*>(m_buffer.constData()) + m_at, size_t(m_buffer.size() - m_at));
    }
    void Consume(qsizetype n) { m_at += n; }
    // Copies up to n bytes; returns how many there were.
    qint64 Read(uchar* out, qint64 n)
    {
        qint64 done = 0;
        while (done < n) {
            const std::span<const uchar> block = Peek();
            if (block.empty())
                break;
            const qint64 take = std::min<qint64>(n - done, qint64(block.size()));
            std::copy_n(block.data(), take, out + done);
            Consume(take);
            done += take;
        }
        return done;
    }

private:
    bool refill()
    {
        if (m_left <= 0)
            return false;
        m_buffer = m_device.read(std::min<qint64>(m_left, 64 * 1024));
        m_at = 0;
        if (m_buffer.isEmpty()) {
            m_left = 0;
            return false;
        }
        m_left -= m_buffer.size();
        return true;
    }

    QIODevice& m_device;
    qint64 m_left;
    QByteArray m_buffer;
    qsizetype m_at = 0;
};

// The run-length state lives across lines: a run may end in the next line.
class LineDecoder {
public:
    LineDecoder(ByteSource& source, bool encoded) : m_source(source), m_encoded(encoded) {}

    // Fills line; returns the bytes decoded, fewer at the end of the data.
    qint64 Decode(std::vector<uchar>& line)
    {
        const qint64 n = qint64(line.size());
        if (!m_encoded)
            return m_source.Read(line.data(), n);
        qint64 at = 0;
        uchar* out = line.data();
        while (at < n) {
            if (m_runLeft > 0) {
                const qint64 take = std::min<qint64>(m_runLeft, n - at);
                std::fill_n(out + at, take, m_runValue);
                at += take;
                m_runLeft -= int(take);
                continue;
            }
            const std::span<const uchar> block = m_source.Peek();
            if (block.empty())
                break;
            // Within the block, as far as a count byte has its value beside it.
            const size_t size = block.size();
            size_t i = 0;
            while (i < size && at < n) {
                const uchar b = block[i];
                if ((b & 0xC0) != 0xC0) {
                    out[at++] = b;
                    ++i;
                    continue;
                }
                // A count byte (top two bits set) and the byte it repeats.
                if (i + 1 == size)
                    break;
                m_runLeft = b & 0x3F;
                m_runValue = block[i + 1];
                i += 2;
                const qint64 take = std::min<qint64>(m_runLeft, n - at);
                std::fill_n(out + at, take, m_runValue);
                at += take;
                m_runLeft -= int(take);
            }
            m_source.Consume(qsizetype(i));
            if (i + 1 == size && at < n && m_runLeft == 0 && (block[i] & 0xC0) == 0xC0) {
                // The count byte ends the block; its value starts the next.
                m_source.Consume(1);
                m_runLeft = block[i] & 0x3F;
                if (!m_source.Next(m_runValue)) {
                    m_runLeft = 0;
                    break;
                }
            }
        }
        return at;
    }

private:
    ByteSource& m_source;
    bool m_encoded;
    int m_runLeft = 0;
    uchar m_runValue = 0;
};

QList<QRgb> colourTable(QIODevice& device, const PcxHeader& h, qint64* dataEnd)
{
    QList<QRgb> table;
    if (h.GetLayout() == PcxHeader::Layout::Indexed && h.bitsPerPixel == 8) {
        const qint64 size = device.size();
        if (size >= PcxHeader::kSize + PcxHeader::kVgaPaletteSize
            && device.seek(size - PcxHeader::kVgaPaletteSize)) {
            const QByteArray pal = device.read(PcxHeader::kVgaPaletteSize);
            if (pal.size() == PcxHeader::kVgaPaletteSize && uchar(pal[0]) == PcxHeader::kVgaPaletteMarker) {
                const auto* p = reinterpret_cast<const uchar*>(pal.constData()) + 1;
                for (int i = 0; i < 256; ++i)
                    table.append(qRgb(p[3 * i], p[3 * i + 1], p[3 * i + 2]));
                *dataEnd = size - PcxHeader::kVgaPaletteSize;
            }
        }
        if (table.isEmpty()) {
            for (int i = 0; i < 256; ++i)
                table.append(qRgb(i, i, i));
        }
        return table;
    }
    const int bits = h.GetLayout() == PcxHeader::Layout::Planar ? h.planes : h.bitsPerPixel;
    const std::array<QRgb, 16> colours = h.HeaderColours();
    for (int i = 0; i < (1 << bits); ++i)
        table.append(colours[size_t(i)]);
    return table;
}

void convertLine(const PcxHeader& h, const std::vector<uchar>& line, uchar* out, int width)
{
    const int bpl = h.bytesPerLine;
    switch (h.GetLayout()) {
    case PcxHeader::Layout::Indexed:
        if (h.bitsPerPixel == 8) {
            std::copy_n(line.data(), width, out);
        } else {
            const int bpp = h.bitsPerPixel;
            const int mask = (1 << bpp) - 1;
            for (int x = 0; x < width; ++x) {
                const int bit = x * bpp;
                out[x] = uchar((line[size_t(bit >> 3)] >> (8 - bpp - (bit & 7))) & mask);
            }
        }
        break;
    case PcxHeader::Layout::Planar:
        for (int x = 0; x < width; ++x) {
            int index = 0;
            for (int p = 0; p < h.planes; ++p)
                index |= ((line[size_t(p * bpl + (x >> 3))] >> (7 - (x & 7))) & 1) << p;
            out[x] = uchar(index);
        }
        break;
    case PcxHeader::Layout::Rgb: {
        auto* px = reinterpret_cast<QRgb*>(out);
        const uchar* r = line.data();
        const uchar* g = r + bpl;
        const uchar* b = g + bpl;
        for (int x = 0; x < width; ++x)
            px[x] = qRgb(r[x], g[x], b[x]);
        break;
    }
    case PcxHeader::Layout::Rgba: {
        auto* px = reinterpret_cast<QRgb*>(out);
        const uchar* r = line.data();
        for (int x = 0; x < width; ++x)
            px[x] = qRgba(r[x], r[bpl + x], r[2 * bpl + x], r[3 * bpl + x]);
        break;
    }
    case PcxHeader::Layout::Unsupported:
        break;
    }
}

std::optional<PcxHeader> readHeader(QIODevice& device)
{
    if (!device.seek(0))
        return std::nullopt;
    const QByteArray bytes = device.read(PcxHeader::kSize);
    return PcxHeader::Parse(std::span(reinterpret_cast<const uchar*>(bytes.constData()), size_t(bytes.size())));
}

} // namespace

bool PcxDecoder::Recognises(QIODevice& device)
{
    const bool yes = readHeader(device).has_value();
    device.seek(0);
    return yes;
}

RasterDecodeResult PcxDecoder::Decode(QIODevice& device)
{
    const std::optional<PcxHeader> header = readHeader(device);
    if (!header)
        return RasterDecodeResult::WithStatus(RasterDecodeStatus::NotThisFormat);
    const PcxHeader& h = *header;
    const PcxHeader::Layout layout = h.GetLayout();
    if (layout == PcxHeader::Layout::Unsupported)
        return RasterDecodeResult::WithStatus(RasterDecodeStatus::Unsupported);
    const int width = h.Width();
    const int height = h.Height();
    if (!RasterMemoryBound::Admits(width, height))
        return RasterDecodeResult::WithStatus(RasterDecodeStatus::TooLarge);

    qint64 dataEnd = device.size();
    const bool truecolour = layout == PcxHeader::Layout::Rgb || layout == PcxHeader::Layout::Rgba;
    const QList<QRgb> table = truecolour ? QList<QRgb>() : colourTable(device, h, &dataEnd);
    if (!device.seek(PcxHeader::kSize))
        return RasterDecodeResult::WithStatus(RasterDecodeStatus::Failed);

    RasterDecodeResult result;
    const QImage::Format format = layout == PcxHeader::Layout::Rgb    ? QImage::Format_RGB32
                                  : layout == PcxHeader::Layout::Rgba ? QImage::Format_ARGB32
                                                                      : QImage::Format_Indexed8;
    QImage image(width, height, format);
    if (image.isNull())
        return RasterDecodeResult::WithStatus(RasterDecodeStatus::Failed);
    if (!truecolour)
        image.setColorTable(table);

    ByteSource source(device, dataEnd);
    LineDecoder decoder(source, h.encoding == 1);
    std::vector<uchar> line(size_t(h.LineBytes()));
    int y = 0;
    bool anyData = false;
    for (; y < height; ++y) {
        const qint64 got = decoder.Decode(line);
        anyData = anyData || got > 0;
        if (got < qint64(line.size()))
            std::fill(line.begin() + got, line.end(), uchar(0));
        convertLine(h, line, image.scanLine(y), width);
        if (got < qint64(line.size())) {
            ++y;
            break;
        }
    }
    if (!anyData)
        return RasterDecodeResult::WithStatus(RasterDecodeStatus::Failed);
    // Lines the file does not hold.
    const uint fill = layout == PcxHeader::Layout::Rgb ? 0xFF000000u : 0u;
    for (; y < height; ++y) {
        if (truecolour)
            std::fill_n(reinterpret_cast<QRgb*>(image.scanLine(y)), width, fill);
        else
            std::fill_n(image.scanLine(y), width, uchar(0));
    }
    result.image = std::move(image);
    result.xDpi = RasterResolution::Checked(h.hDpi);
    result.yDpi = RasterResolution::Checked(h.vDpi);
    result.status = RasterDecodeStatus::Decoded;
    return result;
}
