// Writes the bundled samples: an enhanced metafile, a placeable Windows
// metafile and a few raster images. The metafiles are assembled record by
// record (MS-EMF and MS-WMF little-endian layouts), independently of the
// viewer's own metafile code, so the samples also test the reader.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

class Bytes {
public:
    void u16(uint32_t v) { put(v, 2); }
    void u32(uint32_t v) { put(v, 4); }
    void i16(int v) { put(uint32_t(v), 2); }
    void i32(int v) { put(uint32_t(v), 4); }
    void set32(size_t at, uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            data[at + size_t(i)] = char((v >> (8 * i)) & 0xFF);
    }
    size_t size() const { return size_t(data.size()); }
    QByteArray data;

private:
    void put(uint32_t v, int n)
    {
        for (int i = 0; i < n; ++i)
            data.append(char((v >> (8 * i)) & 0xFF));
    }
};

// --- enhanced metafile ------------------------------------------------------

class EmfWriter {
public:
    EmfWriter(int width, int height) : m_w(width), m_h(height) {}

    void record(uint32_t type, const std::vector<int32_t>& params)
    {
        m_body.u32(type);
        m_body.u32(uint32_t(8 + 4 * params.size()));
        for (int32_t p : params)
            m_body.i32(p);
        ++m_records;
    }
    void pen(uint32_t handle, int style, int width, uint32_t color) { record(38, {int32_t(handle), style, width, 0, int32_t(color)}); }
    void brush(uint32_t handle, int style, uint32_t color, int hatch = 0) { record(39, {int32_t(handle), style, int32_t(color), hatch}); }
    void select(uint32_t handle) { record(37, {int32_t(handle)}); }
    void remove(uint32_t handle) { record(40, {int32_t(handle)}); }
    void rectangle(int l, int t, int r, int b) { record(43, {l, t, r, b}); }
    void ellipse(int l, int t, int r, int b) { record(42, {l, t, r, b}); }
    void poly16(uint32_t type, const std::vector<QPoint>& pts)
    {
        QRect bounds;
        for (const QPoint& p : pts)
            bounds |= QRect(p, QSize(1, 1));
        m_body.u32(type);
        m_body.u32(uint32_t(28 + 4 * ((pts.size() + 1) / 2) * 2));
        m_body.i32(bounds.left());
        m_body.i32(bounds.top());
        m_body.i32(bounds.right());
        m_body.i32(bounds.bottom());
        m_body.u32(uint32_t(pts.size()));
        for (const QPoint& p : pts) {
            m_body.i16(p.x());
            m_body.i16(p.y());
        }
        if (pts.size() % 2)
            m_body.u32(0); // records are multiples of 4 bytes
        ++m_records;
    }

    QByteArray finish(uint16_t handles)
    {
        record(14, {0, 16, 20}); // EMR_EOF: no palette
        const QString desc = QStringLiteral("Lumivu samples%1Chart%1%1").arg(QChar(0));
        Bytes h;
        const uint32_t headerSize = 108 + uint32_t(desc.size()) * 2;
        const uint32_t padded = (headerSize + 3) & ~3u;
        // Reference device: 1024 x 768 pixels on 271 x 203 mm (about 96 dpi).
        const int devW = 1024, devH = 768, mmW = 271, mmH = 203;
        h.u32(1);
        h.u32(padded);
        h.i32(0); h.i32(0); h.i32(m_w - 1); h.i32(m_h - 1);            // bounds, pixels
        h.i32(0); h.i32(0);
        h.i32((m_w * mmW * 100) / devW); h.i32((m_h * mmH * 100) / devH); // frame, 0.01 mm
        h.u32(0x464D4520);                                             // " EMF"
        h.u32(0x10000);
        h.u32(uint32_t(padded + m_body.size()));
        h.u32(m_records + 1);
        h.u16(handles);
        h.u16(0);
        h.u32(uint32_t(desc.size()));
        h.u32(108);
        h.u32(0);
        h.i32(devW); h.i32(devH);
        h.i32(mmW); h.i32(mmH);
        for (QChar c : desc)
            h.u16(c.unicode());
        while (h.size() < padded)
            h.data.append('\0');
        return h.data + m_body.data;
    }

private:
    int m_w, m_h;
    uint32_t m_records = 0;
    Bytes m_body;
};

QByteArray chartEmf()
{
    const int W = 480, H = 320;
    EmfWriter e(W, H);
    auto rgb = [](int r, int g, int b) { return uint32_t(r | (g << 8) | (b << 16)); };
    e.pen(1, 0, 1, rgb(40, 40, 40));
    e.brush(2, 0, rgb(245, 247, 252));
    e.select(1);
    e.select(2);
    e.rectangle(0, 0, W, H);
    // Bars with a hatched one among them.
    const int heights[] = {120, 190, 150, 230, 90};
    const uint32_t colors[] = {rgb(47, 111, 219), rgb(42, 157, 143), rgb(233, 196, 106), rgb(231, 111, 81), rgb(138, 79, 216)};
    for (int i = 0; i < 5; ++i) {
        e.brush(3, i == 2 ? 2 : 0, colors[i], 3);
        e.select(3);
        e.rectangle(50 + i * 60, 280 - heights[i], 95 + i * 60, 280);
        e.select(2);
        e.remove(3);
    }
    // Axes.
    e.pen(4, 0, 3, rgb(20, 20, 20));
    e.select(4);
    e.poly16(87, {{40, 20}, {40, 280}, {360, 280}}); // EMR_POLYLINE16
    // A pie-like disc and a star.
    e.brush(5, 0, rgb(244, 162, 97));
    e.select(5);
    e.ellipse(375, 30, 465, 120);
    e.brush(6, 0, rgb(255, 209, 102));
    e.select(6);
    e.poly16(86, {{420, 150}, {432, 185}, {468, 185}, {439, 206}, {450, 240}, {420, 219}, {390, 240}, {401, 206},
                  {372, 185}, {408, 185}}); // EMR_POLYGON16
    // A smooth trend line.
    e.pen(7, 0, 2, rgb(230, 57, 70));
    e.select(7);
    e.poly16(85, {{50, 200}, {110, 120}, {170, 180}, {230, 100}, {290, 60}, {330, 140}, {350, 90}}); // EMR_POLYBEZIER16
    e.select(1);
    for (uint32_t h : {2u, 4u, 5u, 6u, 7u})
        e.remove(h);
    return e.finish(8);
}

// --- Windows metafile with a placeable header -------------------------------

QByteArray shapesWmf()
{
    Bytes body;
    uint32_t maxRecord = 0;
    auto rec = [&](uint16_t func, const std::vector<int>& params) {
        const uint32_t words = 3 + uint32_t(params.size());
        maxRecord = std::max(maxRecord, words);
        body.u32(words);
        body.u16(func);
        for (int p : params)
            body.i16(p);
    };
    auto rgb = [](int r, int g, int b) { return std::vector<int>{r | (g << 8), b}; };
    rec(0x020B, {0, 0});      // META_SETWINDOWORG y, x
    rec(0x020C, {300, 400});  // META_SETWINDOWEXT y, x
    auto pen = [&](int style, int width, std::vector<int> c) {
        std::vector<int> p{style, width, 0};
        p.insert(p.end(), c.begin(), c.end());
        rec(0x02FA, p); // META_CREATEPENINDIRECT
    };
    auto brush = [&](int style, std::vector<int> c, int hatch) {
        std::vector<int> p{style};
        p.insert(p.end(), c.begin(), c.end());
        p.push_back(hatch);
        rec(0x02FC, p); // META_CREATEBRUSHINDIRECT
    };
    pen(0, 3, rgb(22, 58, 128));          // object 0
    brush(0, rgb(159, 193, 255), 0);      // object 1
    rec(0x012D, {0});                     // META_SELECTOBJECT
    rec(0x012D, {1});
    rec(0x041B, {280, 380, 20, 20});      // META_RECTANGLE bottom, right, top, left
    brush(0, rgb(42, 157, 143), 0);       // object 2
    rec(0x012D, {2});
    rec(0x0418, {260, 200, 60, 40});      // META_ELLIPSE
    brush(1, rgb(0, 0, 0), 0);            // object 3: hollow
    rec(0x012D, {3});
    pen(0, 4, rgb(230, 57, 70));          // object 4
    rec(0x012D, {4});
    rec(0x0324, {3, 300, 60, 360, 260, 240, 260}); // META_POLYGON: count, points
    rec(0x01F0, {2});                     // META_DELETEOBJECT
    rec(0x0000, {});                      // META_EOF

    Bytes out;
    // Placeable header: key, handle, bounding box, units per inch, reserved, checksum.
    out.u32(0x9AC6CDD7);
    out.u16(0);
    out.i16(0); out.i16(0); out.i16(400); out.i16(300);
    out.u16(96);
    out.u32(0);
    uint16_t checksum = 0;
    for (int i = 0; i < 20; i += 2)
        checksum ^= uint16_t(uint8_t(out.data[i]) | (uint8_t(out.data[i + 1]) << 8));
    out.u16(checksum);
    // Standard header: type, header words, version, size in words, objects, largest record.
    out.u16(1);
    out.u16(9);
    out.u16(0x0300);
    out.u32(uint32_t(9 + body.size() / 2));
    out.u16(5);
    out.u32(maxRecord);
    out.u16(0);
    return out.data + body.data;
}

// --- raster images ------------------------------------------------------------

QImage photo(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(79, 141, 245));
    sky.setColorAt(1, QColor(200, 225, 255));
    p.fillRect(img.rect(), sky);
    p.setBrush(QColor(244, 162, 97));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(w * 0.78, h * 0.25), h * 0.12, h * 0.12);
    QPainterPath hills;
    hills.moveTo(0, h);
    hills.cubicTo(w * 0.2, h * 0.45, w * 0.45, h * 0.85, w * 0.65, h * 0.6);
    hills.cubicTo(w * 0.8, h * 0.45, w * 0.9, h * 0.7, w, h * 0.55);
    hills.lineTo(w, h);
    p.setBrush(QColor(42, 157, 143));
    p.drawPath(hills);
    return img;
}

QImage badge(int size)
{
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(47, 111, 219));
    p.setPen(QPen(QColor(22, 58, 128), size / 16.0));
    p.drawRoundedRect(QRectF(size * 0.06, size * 0.06, size * 0.88, size * 0.88), size * 0.2, size * 0.2);
    p.setPen(QPen(Qt::white, size / 10.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(size * 0.3, size * 0.5), QPointF(size * 0.45, size * 0.68));
    p.drawLine(QPointF(size * 0.45, size * 0.68), QPointF(size * 0.72, size * 0.32));
    return img;
}

bool writeFile(const QString& path, const QByteArray& data)
{
    FILE* f = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(data.constData(), 1, size_t(data.size()), f) == size_t(data.size());
    return std::fclose(f) == 0 && ok;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("samples");
    QDir().mkpath(out);
    bool ok = writeFile(out + "/chart.emf", chartEmf());
    ok = writeFile(out + "/shapes.wmf", shapesWmf()) && ok;
    const QImage p = photo(640, 400);
    ok = p.save(out + "/photo.png") && ok;
    ok = p.save(out + "/photo.jpg", "JPG", 88) && ok;
    const QImage b = badge(96);
    ok = b.convertToFormat(QImage::Format_RGB32).save(out + "/badge.bmp") && ok;
    ok = b.save(out + "/badge.tif") && ok;
    ok = badge(48).save(out + "/badge.ico") && ok;
    if (!ok)
        std::fprintf(stderr, "lumivu-samples: could not write every sample into %s\n", qPrintable(out));
    return ok ? 0 : 1;
}
