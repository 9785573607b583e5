// WMF records that have no EMF record of their own or were skipped before:
// flood fills and character extra, checked through the converted picture.
#include "platform/gdi/QPainterBackend.h"
#include "platform/metafile/EmfPlayer.h"
#include "platform/metafile/WmfPlayer.h"
#include "platform/metafile/WmfRecordTypes.h"
#include "tests/platform/metafile/WmfBuilder.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

constexpr uint32_t Red = 0x0000FF, Green = 0x00FF00, Blue = 0xFF0000;

QImage convertAndRender(const QByteArray& wmf, int w, int h)
{
    EnhMetaFilePtr emf(ConvertWinMetaFile(wmf));
    if (!emf)
        return QImage();
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    CDC dc(std::make_unique<QPainterBackend>(&image));
    const RECT rect(0, 0, w, h);
    PlayEnhMetaFile(&dc, emf.get(), &rect);
    dc.Flush();
    return image;
}

QRgb rgb(uint32_t colorref) { return qRgb(colorref & 0xFF, (colorref >> 8) & 0xFF, (colorref >> 16) & 0xFF); }

// The rightmost column with a dark pixel, -1 for none.
int inkRight(const QImage& image)
{
    for (int x = image.width() - 1; x >= 0; --x)
        for (int y = 0; y < image.height(); ++y)
            if (qGray(image.pixel(x, y)) < 128)
                return x;
    return -1;
}

} // namespace

TEST(WmfFloodFill, BorderAndSurfaceFillsReachThePicture)
{
    // A red square outline; META_FLOODFILL fills its inside up to the red
    // border, META_EXTFLOODFILL (FLOODFILLSURFACE) the white around it.
    WmfBuilder b;
    b.Placeable(0, 0, 100, 100, 100);
    b.Record(META_SETWINDOWORG, {0, 0}).Record(META_SETWINDOWEXT, {100, 100});
    b.Record(META_CREATEPENINDIRECT, {0, 1, 0, WmfBuilder::Lo(Red), WmfBuilder::Hi(Red)}).Record(META_SELECTOBJECT, {0});
    b.Record(META_CREATEBRUSHINDIRECT, {1, 0, 0, 0}).Record(META_SELECTOBJECT, {1}); // hollow
    b.Record(META_RECTANGLE, {80, 80, 20, 20});
    b.Record(META_CREATEBRUSHINDIRECT, {0, WmfBuilder::Lo(Blue), WmfBuilder::Hi(Blue), 0}).Record(META_SELECTOBJECT, {2});
    b.Record(META_FLOODFILL, {WmfBuilder::Lo(Red), WmfBuilder::Hi(Red), 50, 50});
    b.Record(META_CREATEBRUSHINDIRECT, {0, WmfBuilder::Lo(Green), WmfBuilder::Hi(Green), 0}).Record(META_SELECTOBJECT, {3});
    b.Record(META_EXTFLOODFILL, {FLOODFILLSURFACE, 0xFFFF, 0x00FF, 5, 5});
    const QImage image = convertAndRender(b.Bytes(), 100, 100);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(50, 50), rgb(Blue));
    EXPECT_EQ(image.pixel(20, 50), rgb(Red));
    EXPECT_EQ(image.pixel(5, 5), rgb(Green));
    EXPECT_EQ(image.pixel(95, 95), rgb(Green));
}

TEST(WmfTextCharExtra, SpacesTheCharactersOfLaterText)
{
    // Ten units between the characters of "iiii": its last glyph moves
    // thirty units right, also once the picture is an enhanced metafile,
    // which has no record for the setting.
    auto picture = [](int extra) {
        WmfBuilder b;
        b.Placeable(0, 0, 200, 100, 100);
        b.Record(META_SETWINDOWORG, {0, 0}).Record(META_SETWINDOWEXT, {100, 200});
        std::vector<int> font = {-20, 0, 0, 0, 400, 0, 0, 0, 0};
        font.insert(font.end(), {'A' | ('r' << 8), 'i' | ('a' << 8), 'l'});
        b.Record(META_CREATEFONTINDIRECT, font).Record(META_SELECTOBJECT, {0});
        if (extra)
            b.Record(META_SETTEXTCHAREXTRA, {extra});
        b.Record(META_TEXTOUT, {4, 'i' | ('i' << 8), 'i' | ('i' << 8), 10, 10});
        return convertAndRender(b.Bytes(), 200, 100);
    };
    const int plain = inkRight(picture(0)), spaced = inkRight(picture(10));
    ASSERT_GT(plain, 10);
    EXPECT_NEAR(spaced - plain, 30, 2);
}
