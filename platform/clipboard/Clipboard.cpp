#include "Clipboard.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/Dib.h"
#include "platform/gdi/QPainterBackend.h"
#include "platform/metafile/EmfPlayer.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>
#include <QWidget>
#include <QtEndian>
#include <cmath>
#include <memory>

namespace {

struct ClipboardState {
    bool open = false;
    bool emptied = false;
    QPointer<QWidget> owner;
    std::unique_ptr<QMimeData> pending;
    ClipboardPublishHook hook;
};

ClipboardState& state()
{
    static ClipboardState s;
    return s;
}

bool hasClipboard() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

QByteArray pngOf(const QImage& image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? png : QByteArray();
}

// Bytes of the header, bit masks and colour table of a packed DIB; 0 when
// they do not fit.
uint64_t dibInfoBytes(const QByteArray& packed, DibHeader* h)
{
    if (!Dib::ParseHeader(reinterpret_cast<const uint8_t*>(packed.constData()), size_t(packed.size()), h))
        return 0;
    uint64_t bytes = h->headerSize;
    if (h->core) {
        bytes += h->bitCount <= 8 ? 3ull << h->bitCount : 0;
    } else {
        if (h->headerSize == 40 && (h->compression == BI_BITFIELDS || h->compression == BI_ALPHABITFIELDS))
            bytes += h->compression == BI_BITFIELDS ? 12 : 16;
        uint64_t colours = h->clrUsed;
        if (colours == 0 && h->bitCount <= 8)
            colours = 1ull << h->bitCount;
        bytes += 4 * std::min<uint64_t>(colours, 1u << 16);
    }
    return bytes <= uint64_t(packed.size()) ? bytes : 0;
}

} // namespace

BOOL OpenClipboard(QWidget* owner)
{
    ClipboardState& s = state();
    if (s.open || !hasClipboard())
        return FALSE;
    s.open = true;
    s.emptied = false;
    s.owner = owner;
    s.pending.reset();
    return TRUE;
}

BOOL IsClipboardOpen() { return state().open ? TRUE : FALSE; }

BOOL EmptyClipboard()
{
    ClipboardState& s = state();
    if (!s.open)
        return FALSE;
    s.emptied = true;
    s.pending = std::make_unique<QMimeData>();
    return TRUE;
}

BOOL SetEnhMetaFileClipboardData(HENHMETAFILE metafile)
{
    ClipboardState& s = state();
    if (metafile == nullptr || !s.open || !s.emptied)
        return FALSE;
    const QByteArray bytes = metafile->Bytes();
    s.pending->setData(QStringLiteral("image/emf"), bytes);
    s.pending->setData(QStringLiteral("image/x-emf"), bytes);
    const QImage rendering = RenderEnhMetaFileForClipboard(metafile);
    if (!rendering.isNull())
        s.pending->setData(QStringLiteral("image/png"), pngOf(rendering));
    // The clipboard owns the handle now; its bytes live on in the data.
    DeleteEnhMetaFile(metafile);
    return TRUE;
}

BOOL SetDibClipboardData(const QByteArray& packedDib)
{
    ClipboardState& s = state();
    if (packedDib.isEmpty() || !s.open || !s.emptied)
        return FALSE;
    DibHeader h;
    const uint64_t info = dibInfoBytes(packedDib, &h);
    if (info == 0)
        return FALSE;
    // Other programs read the bitmap file as it stands: every row must be there.
    const bool rows = h.compression == BI_RGB || h.compression == BI_BITFIELDS || h.compression == BI_ALPHABITFIELDS;
    if (rows && uint64_t(packedDib.size()) - info < h.Stride() * h.AbsHeight())
        return FALSE;
    DibImage decoded;
    const auto* base = reinterpret_cast<const uint8_t*>(packedDib.constData());
    if (!Dib::Decode(base, size_t(info), base + info, size_t(packedDib.size()) - size_t(info), DIB_RGB_COLORS, {},
                     Dib::PixelBound(0), &decoded))
        return FALSE;
    // A bitmap file is the packed DIB behind a 14-byte file header.
    QByteArray file(14, '\0');
    file[0] = 'B';
    file[1] = 'M';
    qToLittleEndian<uint32_t>(uint32_t(14 + packedDib.size()), file.data() + 2);
    qToLittleEndian<uint32_t>(uint32_t(14 + info), file.data() + 10);
    s.pending->setData(QStringLiteral("image/bmp"), file + packedDib);
    QImage image = decoded.image;
    if (!decoded.hasAlpha)
        image = image.convertToFormat(QImage::Format_RGB32);
    s.pending->setData(QStringLiteral("image/png"), pngOf(image));
    return TRUE;
}

BOOL CloseClipboard()
{
    ClipboardState& s = state();
    if (!s.open)
        return FALSE;
    s.open = false;
    if (s.emptied && s.pending) {
        QMimeData* data = s.pending.release();
        if (s.hook) {
            s.hook(data);
            delete data;
        } else if (QClipboard* cb = QGuiApplication::clipboard()) {
            cb->setMimeData(data, QClipboard::Clipboard);
        } else {
            delete data;
        }
    }
    s.emptied = false;
    s.owner = nullptr;
    return TRUE;
}

QImage RenderEnhMetaFileForClipboard(HENHMETAFILE metafile)
{
    ENHMETAHEADER header;
    if (metafile == nullptr || !GetEnhMetaFileHeader(metafile, &header))
        return {};
    // The frame is inclusive, in hundredths of a millimetre.
    const double w = std::abs(double(header.frame.right) - header.frame.left) + 1;
    const double h = std::abs(double(header.frame.bottom) - header.frame.top) + 1;
    double px = w * 96 / 2540, py = h * 96 / 2540;
    if (!(px >= 1 && py >= 1))
        return {};
    const double scale = std::min(1.0, MaxClipboardRenderSide / std::max(px, py));
    const int cx = std::max(1, int(std::lround(px * scale))), cy = std::max(1, int(std::lround(py * scale)));
    // Pasted into a document, a transparent background keeps the picture
    // a picture rather than a white box.
    QImage image(cx, cy, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        CDC dc(std::make_unique<QPainterBackend>(&image));
        const RECT rect{0, 0, cx, cy};
        PlayEnhMetaFile(&dc, metafile, &rect);
        dc.Flush();
    }
    return image;
}

void SetClipboardPublishHook(ClipboardPublishHook hook) { state().hook = std::move(hook); }
