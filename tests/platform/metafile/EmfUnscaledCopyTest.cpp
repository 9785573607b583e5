// Copying an enhanced metafile by playing it in its own device units onto a
// recording device like its reference device: the copy keeps the header's
// frame and device, every coordinate, and the way its text is drawn.
#include "platform/metafile/EmfPlayer.h"
#include "platform/metafile/EmfRecordTypes.h"
#include "platform/metafile/EnhMetaFileDC.h"
#include "tests/platform/metafile/EmfBuilder.h"
#include "tests/platform/metafile/EmfTestSupport.h"

#include <QtEndian>
#include <gtest/gtest.h>

using namespace emftest;

namespace {

// The reference device's fields of the header (MS-EMF 2.2.9): szlDevice at
// byte 72, szlMillimeters at 80.
void setDevice(QByteArray& bytes, SIZE pixels, SIZE millimeters)
{
    qToLittleEndian<qint32>(pixels.cx, bytes.data() + 72);
    qToLittleEndian<qint32>(pixels.cy, bytes.data() + 76);
    qToLittleEndian<qint32>(millimeters.cx, bytes.data() + 80);
    qToLittleEndian<qint32>(millimeters.cy, bytes.data() + 84);
}

// A small bold caption and thin lines on a 1366 x 768 pixel, 361 x 203 mm
// screen, under a frame that is no whole number of its pixels.
EnhMetaFilePtr caption()
{
    EmfBuilder b(RECT(1234, 567, 30001, 15003));
    std::vector<uint32_t> font = {1, uint32_t(-10), 0, 0, 0, FW_BOLD, 0, 0};
    const char16_t face[32] = u"Arial";
    for (int i = 0; i < 32; i += 2)
        font.push_back(face[i] | (uint32_t(face[i + 1]) << 16));
    b.Record(EMR_EXTCREATEFONTINDIRECTW, font);
    b.Record(EMR_SELECTOBJECT, {1});
    b.Record(EMR_SETBKMODE, {TRANSPARENT});
    // EMR_EXTTEXTOUTW "Caption" at (150, 120), no advances.
    const std::u16string text = u"Caption";
    std::vector<uint32_t> t = {0, 0, 0, 0, GM_COMPATIBLE, EmfBuilder::F(1), EmfBuilder::F(1), 150, 120,
                               uint32_t(text.size()), 76, 0, 0, 0, 0, 0, 0};
    for (size_t i = 0; i < text.size(); i += 2)
        t.push_back(text[i] | (i + 1 < text.size() ? uint32_t(text[i + 1]) << 16 : 0));
    b.Record(EMR_EXTTEXTOUTW, t);
    b.Record(EMR_POLYLINE16, {0, 0, 0, 0, 4, EmfBuilder::Pt16(101, 333), EmfBuilder::Pt16(777, 334),
                              EmfBuilder::Pt16(1003, 501), EmfBuilder::Pt16(1101, 113)});
    b.Record(EMR_RECTANGLE, {333, 201, 667, 299});
    QByteArray bytes = b.Bytes();
    setDevice(bytes, SIZE(1366, 768), SIZE(361, 203));
    return EnhMetaFilePtr(SetEnhMetaFileBits(UINT(bytes.size()), reinterpret_cast<const BYTE*>(bytes.constData())));
}

EnhMetaFilePtr copyUnscaled(HENHMETAFILE mf)
{
    const EmfHeader& h = mf->Header();
    CDC reference(std::make_unique<BoundsBackend>(
        BoundsBackend::Device{int(h.device.cx), int(h.device.cy), int(h.millimeters.cx), int(h.millimeters.cy), 96, 32},
        [](const QRectF&) {}));
    const RECT frame = h.frame;
    HDC dc = CreateEnhMetaFile(&reference, QString(), &frame, QString());
    if (!dc)
        return nullptr;
    EXPECT_TRUE(PlayEnhMetaFileUnscaled(dc, mf));
    return EnhMetaFilePtr(CloseEnhMetaFile(dc));
}

} // namespace

TEST(EmfUnscaledCopy, KeepsTheHeaderAndDrawsPixelForPixelTheSame)
{
    EnhMetaFilePtr original = caption();
    ASSERT_TRUE(original);
    EnhMetaFilePtr copy = copyUnscaled(original.get());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->Header().frame, original->Header().frame);
    EXPECT_EQ(copy->Header().device, SIZE(1366, 768));
    EXPECT_EQ(copy->Header().millimeters, SIZE(361, 203));
    // The copy's bounds are the drawing's own pixels on that device.
    EXPECT_EQ(copy->Header().bounds.left, 101);
    EXPECT_EQ(copy->Header().bounds.top, 113);
    EXPECT_EQ(copy->Header().bounds.right, 1101);
    EXPECT_EQ(copy->Header().bounds.bottom, 501);

    // Rendered small (the caption far under 14 pixels an em, drawn with the
    // regular face) and large (about 3 pixels a unit, where thin lines and
    // the caption's face would show any change), the copy is the original.
    for (int size : {300, 4000}) {
        const QImage a = render(original.get(), size), b = render(copy.get(), size);
        EXPECT_EQ(a, b) << "at " << size << " pixels, " << difference(a, b) << " of them differ";
    }

    // Copied again, nothing drifts.
    EnhMetaFilePtr again = copyUnscaled(copy.get());
    ASSERT_TRUE(again);
    EXPECT_EQ(render(again.get(), 4000), render(original.get(), 4000));
}

TEST(EmfUnscaledCopy, RefusesMissingArguments)
{
    EnhMetaFilePtr original = caption();
    ASSERT_TRUE(original);
    EXPECT_FALSE(PlayEnhMetaFileUnscaled(nullptr, original.get()));
    CDC dc(std::make_unique<BoundsBackend>(BoundsBackend::Device{}, [](const QRectF&) {}));
    EXPECT_FALSE(PlayEnhMetaFileUnscaled(&dc, nullptr));
}
