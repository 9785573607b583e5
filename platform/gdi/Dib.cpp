#include "platform/gdi/Dib.h"

#include "platform/gdi/DibRle.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <bit>
#include <utility>
#include <sys/mman.h>
#include <unistd.h>

namespace {

uint32_t u32(const uint8_t* p) { return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24); }
uint16_t u16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }

// One channel of a BI_BITFIELDS pixel scaled to eight bits.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
    explicit Channel(uint32_t m) : mask(m)
    {
        if (m) {
            shift = std::countr_zero(m);
            bits = std::min(8, std::popcount(m >> shift));
        }
    }
    uint32_t operator()(uint32_t v) const
    {
        if (!mask)
            return 0;
        uint32_t c = (v & mask) >> shift;
        const int width = std::popcount(mask >> shift);
        if (width > 8)
            return c >> (width - 8);
        // Spread the top bits into the low ones: 5-bit 31 becomes 255.
        uint32_t out = 0;
        for (int s = 8 - width; s > -width; s -= width)
            out |= s >= 0 ? c << s : c >> -s;
        return out & 0xff;
    }
};

// An ARGB32 image for a decoded bitmap. Large ones get memory of their own
// in huge pages where the kernel offers them: touching and releasing tens of
// megabytes in small pages takes several milliseconds that no cancel can
// interrupt, while huge pages make both cheap.
QImage allocateImage(int width, int height)
{
    constexpr size_t Large = size_t(8) << 20;
    const size_t bytes = size_t(width) * 4 * size_t(height);
    if (bytes < Large)
        return QImage(width, height, QImage::Format_ARGB32);
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        return QImage();
    madvise(p, bytes, MADV_HUGEPAGE);
    QImageCleanupFunction release = [](void* info) {
        auto* block = static_cast<std::pair<void*, size_t>*>(info);
        munmap(block->first, block->second);
        delete block;
    };
    auto* block = new std::pair<void*, size_t>(p, bytes);
    return QImage(static_cast<uchar*>(p), width, height, qsizetype(width) * 4, QImage::Format_ARGB32, release, block);
}

bool decodeCompressed(const uint8_t* bits, size_t size, const DibHeader& h, uint64_t maxPixels, DibImage* out)
{
    if (size == 0 || size > size_t(INT32_MAX))
        return false;
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(bits), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, h.compression == BI_PNG ? "png" : "jpeg");
    const QSize s = reader.size();
    if (!s.isValid() || uint64_t(s.width()) * uint64_t(s.height()) > maxPixels)
        return false;
    QImage img = reader.read();
    if (img.isNull())
        return false;
    out->hasAlpha = img.hasAlphaChannel();
    // The platform's blits treat a PNG's alpha as AlphaBlend does: premultiplied bytes.
    out->image = img.convertToFormat(out->hasAlpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32)
                     .convertToFormat(QImage::Format_ARGB32);
    if (out->hasAlpha)
        out->image.reinterpretAsFormat(QImage::Format_ARGB32);
    return true;
}

} // namespace

uint64_t DibHeader::Stride() const
{
    const uint64_t bitsPerRow = uint64_t(width < 0 ? 0 : width) * bitCount;
    return ((bitsPerRow + 31) / 32) * 4;
}

bool Dib::ParseHeader(const uint8_t* bmi, size_t bmiSize, DibHeader* out)
{
    if (!bmi || bmiSize < 12)
        return false;
    DibHeader h;
    h.headerSize = u32(bmi);
    if (h.headerSize == 12) {
        h.core = true;
        h.width = u16(bmi + 4);
        h.height = u16(bmi + 6);
        h.bitCount = u16(bmi + 10);
    } else {
        if (h.headerSize < 40 || h.headerSize > bmiSize)
            return false;
        h.width = int32_t(u32(bmi + 4));
        h.height = int32_t(u32(bmi + 8));
        h.bitCount = u16(bmi + 14);
        h.compression = u32(bmi + 16);
        h.sizeImage = u32(bmi + 20);
        h.clrUsed = u32(bmi + 32);
        if (h.compression == BI_BITFIELDS || h.compression == BI_ALPHABITFIELDS) {
            // The masks follow a 40-byte header, or are part of a larger one.
            const int n = h.compression == BI_ALPHABITFIELDS || h.headerSize >= 56 ? 4 : 3;
            if (40 + size_t(n) * 4 > bmiSize)
                return false;
            for (int i = 0; i < n; ++i)
                h.masks[i] = u32(bmi + 40 + 4 * i);
        }
    }
    if (h.width <= 0 || h.height == 0 || h.height == INT32_MIN)
        return false;
    switch (h.bitCount) {
    case 0: if (h.compression != BI_JPEG && h.compression != BI_PNG) return false; break;
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return false;
    }
    if (h.compression > BI_ALPHABITFIELDS)
        return false;
    *out = h;
    return true;
}

uint64_t Dib::PixelBound(uint64_t outputPixels)
{
    static const uint64_t machine = [] {
        const long pages = sysconf(_SC_PHYS_PAGES), pageSize = sysconf(_SC_PAGESIZE);
        const uint64_t bytes = pages > 0 && pageSize > 0 ? uint64_t(pages) * uint64_t(pageSize) : (uint64_t(4) << 30);
        return bytes / 8 / 4;
    }();
    const uint64_t wanted = std::max<uint64_t>(uint64_t(64) << 20, outputPixels * 64);
    return std::min(wanted, machine);
}

bool Dib::Decode(const uint8_t* bmi, size_t bmiSize, const uint8_t* bits, size_t bitsSize, UINT usage,
                 const std::vector<PALETTEENTRY>& palette, uint64_t maxPixels, DibImage* out,
                 const std::atomic<bool>* cancel)
{
    DibHeader h;
    if (!ParseHeader(bmi, bmiSize, &h))
        return false;
    out->header = h;
    out->monochrome = false;
    out->hasAlpha = false;
    if (!bits)
        bitsSize = 0;
    if (h.compression == BI_JPEG || h.compression == BI_PNG)
        return decodeCompressed(bits, bitsSize, h, maxPixels, out);
    const uint32_t height = h.AbsHeight();
    if (uint64_t(h.width) * height > maxPixels || h.width > (1 << 24) || height > (1u << 24))
        return false;
    const bool rle = h.compression == BI_RLE8 || h.compression == BI_RLE4;
    if ((h.compression == BI_RLE8 && h.bitCount != 8) || (h.compression == BI_RLE4 && h.bitCount != 4))
        return false;
    // Run-length codes of a real bitmap do not describe thousands of pixels
    // per byte: a few bytes declaring a vast bitmap are not one.
    if (rle && uint64_t(h.width) * height > std::max<uint64_t>(uint64_t(1) << 20, uint64_t(bitsSize) * 4096))
        return false;
    if ((h.compression == BI_BITFIELDS || h.compression == BI_ALPHABITFIELDS) && h.bitCount != 16 && h.bitCount != 32)
        return false;

    // The colour table.
    std::vector<QRgb> colors;
    if (h.bitCount <= 8) {
        const uint32_t maxColors = 1u << h.bitCount;
        const uint32_t n = h.clrUsed && h.clrUsed < maxColors ? h.clrUsed : maxColors;
        const size_t each = usage == DIB_PAL_COLORS ? 2 : (h.core ? 3 : 4);
        const size_t start = h.headerSize;
        colors.assign(maxColors, qRgb(0, 0, 0));
        for (uint32_t i = 0; i < n; ++i) {
            const size_t at = start + i * each;
            if (at + each > bmiSize)
                break; // a short table: the rest stays black
            if (usage == DIB_PAL_COLORS) {
                const uint16_t index = u16(bmi + at);
                if (index < palette.size())
                    colors[i] = qRgb(palette[index].peRed, palette[index].peGreen, palette[index].peBlue);
            } else {
                colors[i] = qRgb(bmi[at + 2], bmi[at + 1], bmi[at]);
            }
        }
        out->monochrome = h.bitCount == 1 && usage == DIB_RGB_COLORS && (colors[0] & 0xffffff) == 0 &&
                          (colors[1] & 0xffffff) == 0xffffff;
    }

    const uint64_t stride = h.Stride();
    if (!rle && (stride == 0 || (bitsSize / stride) * 2 < height))
        return false; // the bits describe less than half of the bitmap: it does not fit its record
    QImage img = allocateImage(h.width, int(height));
    if (img.isNull())
        return false;
    const bool topDown = h.TopDown();

    if (rle) {
        std::vector<uint8_t> indices, drawn;
        if (!DibRle::Expand(bits, bitsSize, h.width, int(height), h.compression == BI_RLE4, &indices, &drawn))
            return false;
        for (uint32_t y = 0; y < height; ++y) {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(int(topDown ? y : height - 1 - y)));
            const size_t row = size_t(y) * size_t(h.width);
            // Pixels no code reached stay transparent: the destination shows.
            for (int x = 0; x < h.width; ++x)
                line[x] = drawn[row + size_t(x)] ? (colors[indices[row + size_t(x)]] | 0xff000000) : 0;
        }
        out->hasAlpha = true;
        out->image = std::move(img);
        return true;
    }

    const bool fields = h.compression == BI_BITFIELDS || h.compression == BI_ALPHABITFIELDS;
    uint32_t masks[4] = {h.masks[0], h.masks[1], h.masks[2], h.masks[3]};
    if (!fields && h.bitCount == 16) {
        masks[0] = 0x7c00; masks[1] = 0x03e0; masks[2] = 0x001f;
    }
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);
    const uint64_t rows = std::min<uint64_t>(height, bitsSize / stride);
    // Rows the bits do not reach are black. The image is not filled first:
    // touching a large image's memory takes long, and is done row by row
    // here where a cancel is polled.
    for (uint64_t y = rows; y < height; ++y)
        std::fill_n(reinterpret_cast<QRgb*>(img.scanLine(int(topDown ? y : height - 1 - y))), h.width, 0xff000000u);
    uint64_t sinceCheck = 0;
    for (uint64_t y = 0; y < rows; ++y) {
        sinceCheck += uint64_t(h.width);
        if (cancel && sinceCheck >= (1u << 15)) {
            sinceCheck = 0;
            if (cancel->load(std::memory_order_relaxed))
                return false;
        }
        const uint8_t* src = bits + y * stride;
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(int(topDown ? y : height - 1 - y)));
        switch (h.bitCount) {
        case 1:
            for (int x = 0; x < h.width; ++x)
                line[x] = colors[(src[x >> 3] >> (7 - (x & 7))) & 1];
            break;
        case 4:
            for (int x = 0; x < h.width; ++x)
                line[x] = colors[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 15];
            break;
        case 8:
            for (int x = 0; x < h.width; ++x)
                line[x] = colors[src[x]];
            break;
        case 16:
            for (int x = 0; x < h.width; ++x) {
                const uint32_t v = u16(src + 2 * x);
                line[x] = qRgb(int(red(v)), int(green(v)), int(blue(v)));
            }
            break;
        case 24:
            for (int x = 0; x < h.width; ++x)
                line[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
            break;
        case 32:
            if (fields) {
                // Without an alpha mask the byte the colour masks leave free
                // is the alpha AlphaBlend reads, as in BI_RGB.
                const bool freeTop = !((masks[0] | masks[1] | masks[2]) & 0xff000000u);
                for (int x = 0; x < h.width; ++x) {
                    const uint32_t v = u32(src + 4 * x);
                    const int a = masks[3] ? int(alpha(v)) : (freeTop ? int(v >> 24) : 255);
                    line[x] = qRgba(int(red(v)), int(green(v)), int(blue(v)), a);
                }
            } else {
                for (int x = 0; x < h.width; ++x)
                    line[x] = u32(src + 4 * x);
            }
            break;
        }
    }
    out->hasAlpha = h.bitCount == 32;
    out->image = std::move(img);
    return true;
}
