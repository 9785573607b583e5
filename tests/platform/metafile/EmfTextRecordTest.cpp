// Text and font records: parsing with hostile sizes and offsets, and
// playing onto a device context.
#include "platform/gdi/CDC.h"
#include "platform/metafile/EmfPlayback.h"
#include "platform/metafile/EmfPlayer.h"
#include "platform/metafile/EmfRecordTable.h"
#include "tests/platform/gdi/RecordingBackend.h"
#include "tests/platform/metafile/EmfBuilder.h"

#include <gtest/gtest.h>

namespace {

// The words of an EMR_EXTTEXTOUTW record after its type and size.
// String and advances follow the 17 fixed words, at offset 76.
struct TextRecord {
    int x = 100, y = 100;
    std::u16string text = u"Hi!";
    std::vector<int> dx;
    uint32_t options = 0;
    uint32_t chars = 0xFFFFFFFF;    // 0xFFFFFFFF: the text's length
    uint32_t offString = 0xFFFFFFFF; // 0xFFFFFFFF: right after the fixed part
    uint32_t offDx = 0xFFFFFFFF;     // 0xFFFFFFFF: after the string (0 when dx is empty)

    std::vector<uint32_t> Words() const
    {
        const uint32_t stringAt = 76;
        const uint32_t stringWords = uint32_t((text.size() + 1) / 2);
        std::vector<uint32_t> w = {
            0, 0, 0, 0,                 // rclBounds
            GM_COMPATIBLE,              // iGraphicsMode
            EmfBuilder::F(1), EmfBuilder::F(1),
            uint32_t(x), uint32_t(y),   // ptlReference
            chars == 0xFFFFFFFF ? uint32_t(text.size()) : chars,
            offString == 0xFFFFFFFF ? stringAt : offString,
            options,
            0, 0, 500, 500,             // rcl
            offDx == 0xFFFFFFFF ? (dx.empty() ? 0 : stringAt + 4 * stringWords) : offDx,
        };
        for (size_t i = 0; i < text.size(); i += 2)
            w.push_back(text[i] | (i + 1 < text.size() ? uint32_t(text[i + 1]) << 16 : 0));
        for (int d : dx)
            w.push_back(uint32_t(d));
        return w;
    }
};

// EMR_EXTCREATEFONTINDIRECTW: index, LOGFONTW (height, width, escapement,
// orientation, weight, the eight byte fields, 32 UTF-16 face units).
std::vector<uint32_t> fontRecord(uint32_t index, int height, const char16_t* face)
{
    std::vector<uint32_t> w = {index, uint32_t(height), 0, 0, 0, 400, 0, 0};
    char16_t name[32] = {};
    for (int i = 0; face[i] && i < 31; ++i)
        name[i] = face[i];
    for (int i = 0; i < 32; i += 2)
        w.push_back(name[i] | (uint32_t(name[i + 1]) << 16));
    return w;
}

bool parse(uint32_t type, const std::vector<uint32_t>& words, EmfRecord* out)
{
    std::vector<uint8_t> bytes;
    auto put = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(uint8_t(v >> (8 * i)));
    };
    put(type);
    put(uint32_t(8 + 4 * words.size()));
    for (uint32_t w : words)
        put(w);
    return ParseEmfRecord(type, bytes.data(), bytes.size(), out);
}

const EmrTextItem& item(const EmfRecord& r) { return std::get<EmrText>(r.payload).items.at(0); }

} // namespace

TEST(EmfTextRecords, ReadsTextAndAdvances)
{
    TextRecord t;
    t.dx = {10, 20, 30};
    t.options = ETO_CLIPPED;
    EmfRecord r;
    ASSERT_TRUE(parse(EMR_EXTTEXTOUTW, t.Words(), &r));
    EXPECT_EQ(item(r).wide, u"Hi!");
    EXPECT_EQ(item(r).dx, (std::vector<INT>{10, 20, 30}));
    EXPECT_EQ(item(r).rect, RECT(0, 0, 500, 500));
    EXPECT_EQ(item(r).reference.x, 100);

    ASSERT_TRUE(parse(EMR_EXTCREATEFONTINDIRECTW, fontRecord(3, -24, u"Arial"), &r));
    const auto& f = std::get<EmrCreateFont>(r.payload);
    EXPECT_EQ(f.index, 3u);
    EXPECT_EQ(f.font.lfHeight, -24);
    EXPECT_EQ(std::u16string(f.font.lfFaceName), u"Arial");
}

TEST(EmfTextRecords, HostileCountsAndOffsetsKeepWhatFits)
{
    EmfRecord r;
    TextRecord huge; // four billion characters claimed, three present
    huge.chars = 0xFFFFFFF0;
    huge.dx = {5, 5, 5};
    ASSERT_TRUE(parse(EMR_EXTTEXTOUTW, huge.Words(), &r));
    EXPECT_LE(item(r).Length(), 10u); // the bytes to the record end, no more
    EXPECT_LE(item(r).dx.size(), item(r).Length());

    TextRecord outside; // the string lies past the record's end
    outside.offString = 0x7FFFFFF0;
    ASSERT_TRUE(parse(EMR_EXTTEXTOUTW, outside.Words(), &r));
    EXPECT_EQ(item(r).Length(), 0u);

    TextRecord shortDx; // fewer advances than characters
    shortDx.text = u"abcd";
    shortDx.dx = {7};
    shortDx.offDx = 76 + 8 + 0; // the last advance word, then the record ends
    auto words = shortDx.Words();
    ASSERT_TRUE(parse(EMR_EXTTEXTOUTW, words, &r));
    EXPECT_EQ(item(r).dx, (std::vector<INT>{7}));

    // A record too short for its fixed part is malformed.
    auto cut = TextRecord().Words();
    cut.resize(10);
    EXPECT_FALSE(parse(EMR_EXTTEXTOUTW, cut, &r));
    EXPECT_FALSE(parse(EMR_EXTCREATEFONTINDIRECTW, {1, 2, 3}, &r));
    // PolyTextOut with more strings than the record can hold.
    EXPECT_FALSE(parse(EMR_POLYTEXTOUTW, {0, 0, 0, 0, 1, 0, 0, 0x10000000}, &r));
}

TEST(EmfTextRecords, SmallTextOutCarriesBytesOrUnits)
{
    EmfRecord r;
    // x, y, cChars, fuOptions (ETO_NO_RECT | ETO_SMALL_CHARS), iGraphicsMode,
    // exScale, eyScale, then "Hey" as bytes.
    ASSERT_TRUE(parse(EMR_SMALLTEXTOUT, {5, 6, 3, ETO_NO_RECT | ETO_SMALL_CHARS, 1, 0, 0, 0x00796548}, &r));
    EXPECT_EQ(item(r).wide, u"Hey");
    EXPECT_EQ(item(r).reference.y, 6);
    // Without ETO_SMALL_CHARS: a rectangle, then UTF-16 units.
    ASSERT_TRUE(parse(EMR_SMALLTEXTOUT, {5, 6, 2, 0, 1, 0, 0, 1, 2, 3, 4, 0x00420041}, &r));
    EXPECT_EQ(item(r).wide, u"AB");
    EXPECT_EQ(item(r).rect, RECT(1, 2, 3, 4));
}

TEST(EmfTextRecords, PlaysTextWithTheMetafilesFont)
{
    EmfBuilder b(RECT(0, 0, 10000, 10000)); // 1000 x 1000 reference pixels
    TextRecord t;
    t.text = u"Text";
    t.dx = {40, 40, 40, 40};
    b.Record(EMR_EXTCREATEFONTINDIRECTW, fontRecord(1, -50, u"Arial"));
    b.Record(EMR_SELECTOBJECT, {1});
    b.Record(EMR_SETTEXTCOLOR, {RGB(0, 0, 255)});
    b.Record(EMR_SETBKMODE, {TRANSPARENT});
    b.Record(EMR_EXTTEXTOUTW, t.Words());
    // Hostile ones after it: glyph indices the face lacks, a short advance
    // array, and a string far outside the record.
    TextRecord glyphs;
    glyphs.options = ETO_GLYPH_INDEX;
    glyphs.text = u"\uFFFF\uFFFE";
    b.Record(EMR_EXTTEXTOUTW, glyphs.Words());
    TextRecord shortDx;
    shortDx.text = u"abcdef";
    shortDx.dx = {1};
    b.Record(EMR_EXTTEXTOUTW, shortDx.Words());
    TextRecord far;
    far.offString = 0xFFFFFF00;
    far.chars = 0x7FFFFFFF;
    b.Record(EMR_EXTTEXTOUTW, far.Words());
    const QByteArray bytes = b.Bytes();
    EnhMetaFilePtr mf(SetEnhMetaFileBits(UINT(bytes.size()), reinterpret_cast<const BYTE*>(bytes.constData())));
    ASSERT_TRUE(mf);

    auto* backend = new RecordingBackend(1000, 1000);
    CDC dc{std::unique_ptr<DcBackend>(backend)};
    const RECT frame(0, 0, 1000, 1000);
    EXPECT_TRUE(PlayEnhMetaFile(&dc, mf.get(), &frame));
    const auto fill = std::find_if(backend->calls.begin(), backend->calls.end(),
                                   [](const RecordedCall& c) { return c.kind == RecordedCall::Fill; });
    ASSERT_NE(fill, backend->calls.end());
    EXPECT_EQ(fill->color, QColor(0, 0, 255));
    const QRectF ink = fill->path.boundingRect();
    if (!ink.isEmpty()) {
        EXPECT_GE(ink.left(), 95);
        // Four glyphs at 40-unit advances: the last starts at 220.
        EXPECT_GT(ink.right(), 220);
        EXPECT_LT(ink.right(), 280);
        EXPECT_GT(ink.height(), 25);
    }
    EXPECT_EQ(LastEmfPlaybackStats().skipped.count(EMR_EXTTEXTOUTW), 0u);
}
