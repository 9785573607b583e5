// Fonts and text output of the device context: heights with the platform's
// meaning, alignment to the reference point, advance arrays, opaque and
// clipping rectangles, rotation, paths. Checked through the recorded
// glyph outlines, with assertions relative to the selected face so that
// they hold whichever metric-compatible faces the machine has.
#include "platform/gdi/AnsiText.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/FontResolver.h"
#include "tests/platform/gdi/RecordingBackend.h"

#include <QFontDatabase>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

namespace {

LOGFONTW logFont(int height, const char* face = "Arial", int escapement = 0)
{
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = FW_NORMAL;
    lf.lfEscapement = lf.lfOrientation = escapement;
    for (int i = 0; face[i]; ++i)
        lf.lfFaceName[i] = char16_t(face[i]);
    return lf;
}

struct TextDc {
    RecordingBackend* backend = new RecordingBackend(2000, 2000);
    CDC dc{std::unique_ptr<DcBackend>(backend)};
    CFont font;

    explicit TextDc(const LOGFONTW& lf)
    {
        font.CreateFontIndirect(&lf);
        dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
    }
    // The bounds of the glyphs the last text output filled.
    QRectF Ink() const
    {
        for (auto it = backend->calls.rbegin(); it != backend->calls.rend(); ++it)
            if (it->kind == RecordedCall::Fill)
                return it->path.boundingRect();
        return {};
    }
};

bool haveOutlines()
{
    return FontResolver::Resolve(logFont(-20))->raw.isValid();
}

} // namespace

TEST(CDCText, NegativeHeightIsTheEmAndPositiveTheCell)
{
    if (!haveOutlines())
        GTEST_SKIP() << "no outline font";
    TextDc em(logFont(-100));
    TEXTMETRICW a;
    ASSERT_TRUE(em.dc.GetTextMetrics(&a));
    EXPECT_NEAR(a.tmHeight - a.tmInternalLeading, 100, 1);
    TextDc cell(logFont(100));
    TEXTMETRICW b;
    ASSERT_TRUE(cell.dc.GetTextMetrics(&b));
    EXPECT_NEAR(b.tmHeight, 100, 1);
    EXPECT_GT(b.tmInternalLeading, 0);
    EXPECT_LT(b.tmHeight - b.tmInternalLeading, 100);
    // Extents follow the height, and lfWidth stretches only horizontally.
    const CSize e100 = em.dc.GetTextExtent(QStringLiteral("Hello"));
    TextDc half(logFont(-50));
    const CSize e50 = half.dc.GetTextExtent(QStringLiteral("Hello"));
    EXPECT_NEAR(e100.cx, 2 * e50.cx, 3);
    LOGFONTW wide = logFont(-50);
    wide.lfWidth = 2 * LONG(FontResolver::Resolve(logFont(-50))->avgCharWidth + 0.5);
    TextDc stretched(wide);
    const CSize e = stretched.dc.GetTextExtent(QStringLiteral("Hello"));
    EXPECT_NEAR(double(e.cx) / e50.cx, 2.0, 0.1);
    EXPECT_EQ(e.cy, e50.cy);
}

TEST(CDCText, AlignmentPlacesTheTextAroundTheReferencePoint)
{
    if (!haveOutlines())
        GTEST_SKIP() << "no outline font";
    TextDc t(logFont(-100));
    TEXTMETRICW tm;
    t.dc.GetTextMetrics(&tm);
    const QString text = QStringLiteral("HH");
    const int width = t.dc.GetTextExtent(text).cx;

    t.dc.SetTextAlign(TA_LEFT | TA_TOP);
    t.dc.TextOut(500, 500, text);
    QRectF ink = t.Ink();
    EXPECT_NEAR(ink.left(), 500, 12);
    // The capital's top lies below the cell top by the internal leading and
    // some; its foot on the baseline, ascent below the top.
    EXPECT_GT(ink.top(), 500 + tm.tmInternalLeading - 2);
    EXPECT_NEAR(ink.bottom(), 500 + tm.tmAscent, 2);

    t.dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
    t.dc.TextOut(500, 500, text);
    ink = t.Ink();
    EXPECT_NEAR(ink.right(), 500, 12);
    EXPECT_LE(ink.right(), 500.5);
    EXPECT_NEAR(ink.bottom(), 500, 2);

    t.dc.SetTextAlign(TA_CENTER | TA_BOTTOM);
    t.dc.TextOut(500, 500, text);
    ink = t.Ink();
    EXPECT_NEAR(ink.center().x(), 500, 3);
    EXPECT_NEAR(ink.bottom(), 500 - tm.tmDescent, 2);

    // TA_UPDATECP draws at the current position and moves it by the advance.
    t.dc.SetTextAlign(TA_LEFT | TA_BASELINE | TA_UPDATECP);
    t.dc.MoveTo(100, 300);
    t.dc.TextOut(900, 900, text);
    EXPECT_NEAR(t.Ink().left(), 100, 12);
    EXPECT_NEAR(t.dc.GetCurrentPosition().x, 100 + width, 1);
    EXPECT_EQ(t.dc.GetCurrentPosition().y, 300);
}

TEST(CDCText, CompatibleTextSitsOnWholeDevicePixels)
{
    if (!haveOutlines())
        GTEST_SKIP() << "no outline font";
    // A logical unit of 7.33 device pixels down: the reference point maps
    // between pixels. The platform rounds it to a pixel, and moves a top-
    // aligned baseline by the ascent in whole pixels, so the foot of an H
    // (which sits on the baseline) lands on a pixel edge.
    TextDc t(logFont(-10));
    t.dc.SetMapMode(MM_ANISOTROPIC);
    t.dc.SetWindowExt(100, 100);
    t.dc.SetViewportExt(1000, 733);
    t.dc.SetTextAlign(TA_LEFT | TA_BASELINE);
    t.dc.TextOut(10, 10, QStringLiteral("H"));
    EXPECT_DOUBLE_EQ(t.Ink().bottom(), 73.0);
    EXPECT_NEAR(t.Ink().left(), 100, 10);

    t.dc.SetTextAlign(TA_LEFT | TA_TOP);
    t.dc.TextOut(10, 10, QStringLiteral("H"));
    const double baseline = t.Ink().bottom();
    EXPECT_DOUBLE_EQ(baseline, std::round(baseline));
    // The ascent of a 73-pixel em (Arial's is 0.905 em), whole.
    EXPECT_NEAR(baseline - 73, 0.905 * 73.3, 1.0);

    // GM_ADVANCED text keeps the exact position.
    t.dc.SetGraphicsMode(GM_ADVANCED);
    t.dc.SetTextAlign(TA_LEFT | TA_BASELINE);
    t.dc.TextOut(10, 10, QStringLiteral("H"));
    EXPECT_NEAR(t.Ink().bottom(), 73.3, 1e-6);
}

TEST(CDCText, CompatibleTextIsRealizedAtTheTruncatedPixelSize)
{
    if (!haveOutlines())
        GTEST_SKIP() << "no outline font";
    // 10 units an em at 1.69 and 1.793 pixels a unit: 16.9 and 17.9 pixels,
    // realized at 16 and 17 (the height truncated). The glyphs take that
    // size, and a top-aligned baseline moves by the realized ascent (0.905
    // em: 14 and 15 pixels) after a round trip through whole logical
    // units: 8 units, back on the device 14 pixels both times.
    struct Case {
        int viewport;
        double ppem, baseline;
    };
    for (const Case c : {Case{1690, 16, 17 + 14}, Case{1793, 17, 18 + 14}}) {
        TextDc t(logFont(-10));
        t.dc.SetMapMode(MM_ANISOTROPIC);
        t.dc.SetWindowExt(1000, 1000);
        t.dc.SetViewportExt(c.viewport, c.viewport);
        t.dc.SetTextAlign(TA_LEFT | TA_TOP);
        t.dc.TextOut(10, 10, QStringLiteral("H"));
        // Arial's capitals are 0.688 em tall.
        EXPECT_NEAR(t.Ink().height(), 0.688 * c.ppem, 0.1) << c.viewport;
        EXPECT_DOUBLE_EQ(t.Ink().bottom(), c.baseline) << c.viewport;
    }
}

TEST(CDCText, AdvanceArraysPlaceEachGlyph)
{
    if (!haveOutlines())
        GTEST_SKIP() << "no outline font";
    TextDc t(logFont(-40));
    t.dc.SetTextAlign(TA_LEFT | TA_BASELINE);
    t.dc.TextOut(100, 500, QStringLiteral("I"));
    const QRectF one = t.Ink();
    const INT dx[] = {300, 10, 0};
    t.dc.ExtTextOut(100, 500, 0, nullptr, QStringLiteral("III"), dx);
    const QRectF three = t.Ink();
    EXPECT_NEAR(three.left(), one.left(), 0.5);
    EXPECT_NEAR(three.right(), one.right() + 310, 0.5);
    // The array is in logical units: a scaled mapping scales it.
    t.dc.SetMapMode(MM_ANISOTROPIC);
    t.dc.SetWindowExt(100, 100);
    t.dc.SetViewportExt(200, 200);
    t.dc.ExtTextOut(50, 250, 0, nullptr, QStringLiteral("III"), dx);
    EXPECT_NEAR(t.Ink().right() - t.Ink().left(), 2 * (three.width() - one.width()) + 2 * one.width(), 2);
    // ETO_PDY pairs: a positive y advance moves the next glyph up.
    t.dc.SetMapMode(MM_TEXT);
    const INT pdy[] = {0, 100, 0, 0};
    t.dc.ExtTextOut(100, 500, ETO_PDY, nullptr, QStringLiteral("II"), pdy);
    EXPECT_NEAR(t.Ink().top(), one.top() - 100, 0.5);
    EXPECT_NEAR(t.Ink().width(), one.width(), 0.5);
}

TEST(CDCText, OpaqueAndClippingRectangles)
{
    TextDc t(logFont(-40));
    t.dc.SetBkColor(RGB(255, 0, 0));
    const RECT r(100, 100, 300, 150);
    t.dc.ExtTextOut(100, 100, ETO_OPAQUE, &r, QString());
    ASSERT_FALSE(t.backend->calls.empty());
    EXPECT_EQ(t.backend->calls.back().kind, RecordedCall::Region);
    EXPECT_EQ(t.backend->calls.back().region, QRegion(100, 100, 200, 50));
    EXPECT_EQ(t.backend->calls.back().color, QColor(255, 0, 0));
    if (!haveOutlines())
        return;
    t.dc.ExtTextOut(100, 100, ETO_CLIPPED, &r, QStringLiteral("Clipped text that runs far"));
    ASSERT_TRUE(t.backend->calls.back().clip.has_value());
    EXPECT_EQ(*t.backend->calls.back().clip, QRegion(100, 100, 200, 50));
    // The next drawing is clipped as before, not by the text's rectangle.
    t.dc.Rectangle(0, 0, 10, 10);
    EXPECT_FALSE(t.backend->calls.back().clip.has_value());
    // OPAQUE background mode fills the text cell behind the glyphs.
    t.dc.SetBkMode(OPAQUE);
    const size_t before = t.backend->calls.size();
    t.dc.TextOut(100, 400, QStringLiteral("Cell"));
    ASSERT_EQ(t.backend->calls.size(), before + 2);
    const RecordedCall& cell = t.backend->calls[before];
    EXPECT_EQ(cell.color, QColor(255, 0, 0));
    EXPECT_TRUE(cell.path.boundingRect().contains(t.Ink()));
}

TEST(CDCText, EscapementRotatesCounterclockwiseAndYUpKeepsTextUpright)
{
    if (!haveOutlines())
        GTEST_SKIP() << "no outline font";
    TextDc t(logFont(-40, "Arial", 900));
    t.dc.SetTextAlign(TA_LEFT | TA_BASELINE);
    t.dc.TextOut(500, 500, QStringLiteral("HHHHHH"));
    QRectF ink = t.Ink();
    EXPECT_GT(ink.height(), 3 * ink.width()); // runs up the page
    EXPECT_LT(ink.top(), 400);
    EXPECT_NEAR(ink.bottom(), 500, 12);
    EXPECT_LE(ink.right(), 500.5); // glyph tops point left

    // A y-up mapping in compatible mode: the text still reads upright, its
    // top below the reference point's device position with TA_TOP.
    TextDc up(logFont(-40));
    up.dc.SetMapMode(MM_ANISOTROPIC);
    up.dc.SetWindowExt(1000, -1000);
    up.dc.SetViewportExt(1000, 1000);
    up.dc.SetTextAlign(TA_LEFT | TA_TOP);
    up.dc.TextOut(100, -100, QStringLiteral("H"));
    ink = up.Ink();
    EXPECT_GT(ink.top(), 100);
    EXPECT_LT(ink.bottom(), 150);
    // Under that mirroring mapping the escapement turns the other way on
    // the device: 2700 reads upwards.
    LOGFONTW down = logFont(-40, "Arial", 2700);
    CFont turned;
    turned.CreateFontIndirect(&down);
    up.dc.SelectObject(&turned);
    up.dc.SetTextAlign(TA_LEFT | TA_BASELINE);
    up.dc.TextOut(500, -500, QStringLiteral("HHHHHH"));
    ink = up.Ink();
    EXPECT_GT(ink.height(), 3 * ink.width());
    EXPECT_LT(ink.top(), 400);
    EXPECT_NEAR(ink.bottom(), 500, 12);
    up.dc.SelectObject(&up.font);
    up.dc.SetTextAlign(TA_LEFT | TA_TOP);
    // In advanced mode the text follows the mirroring transform.
    up.dc.SetGraphicsMode(GM_ADVANCED);
    up.dc.TextOut(100, -100, QStringLiteral("H"));
    ink = up.Ink();
    EXPECT_LT(ink.bottom(), 100.5);
}

TEST(CDCText, TextInsideAPathBracketAddsOutlines)
{
    if (!haveOutlines())
        GTEST_SKIP() << "no outline font";
    TextDc t(logFont(-40));
    t.dc.BeginPath();
    t.dc.TextOut(10, 10, QStringLiteral("O"));
    t.dc.EndPath();
    EXPECT_TRUE(t.backend->calls.empty());
    std::vector<POINT> points;
    std::vector<BYTE> types;
    EXPECT_GT(t.dc.GetPath(&points, &types), 8);
    t.dc.FillPath();
    EXPECT_EQ(t.backend->calls.size(), 1u);
}

TEST(CDCText, GlyphIndicesMissingGlyphsAndCancelling)
{
    TextDc t(logFont(-40));
    // A glyph index beyond the face draws nothing and fails nothing.
    const char16_t glyphs[] = {0xFFFF, 0xFFFE};
    EXPECT_TRUE(t.dc.ExtTextOutW(10, 10, ETO_GLYPH_INDEX, nullptr, glyphs, 2));
    EXPECT_FALSE(t.dc.ExtTextOutW(10, 10, 0, nullptr, nullptr, 5));
    EXPECT_FALSE(t.dc.ExtTextOutW(10, 10, 0, nullptr, glyphs, -1));
    // Absurd heights neither hang nor draw glyphs the size of a city.
    TextDc huge(logFont(-2000000000));
    EXPECT_TRUE(huge.dc.TextOut(0, 0, QStringLiteral("Big")));
    EXPECT_TRUE(huge.Ink().isEmpty());
    // A cancelled DC draws no text.
    t.dc.CancelDC();
    EXPECT_FALSE(t.dc.TextOut(0, 0, QStringLiteral("late")));
}

TEST(CDCText, AnsiTextGoesThroughTheFontsCodePage)
{
    if (!haveOutlines())
        GTEST_SKIP() << "no outline font";
    LOGFONTW lf = logFont(-40);
    lf.lfCharSet = RUSSIAN_CHARSET;
    TextDc t(lf);
    t.dc.SetTextAlign(TA_LEFT | TA_BASELINE);
    t.dc.TextOut(100, 300, QString::fromUtf16(u"\u0416"));
    const QRectF wide = t.Ink();
    // 0xC6 is the same letter in code page 1251; two strings in one call.
    POLYTEXTA items[2];
    items[0].x = 100;
    items[0].y = 300;
    items[0].n = 1;
    items[0].lpstr = "\xC6";
    items[1] = items[0];
    items[1].y = 500;
    ASSERT_TRUE(t.dc.PolyTextOutA(items, 2));
    EXPECT_NEAR(t.Ink().left(), wide.left(), 0.01);
    EXPECT_NEAR(t.Ink().top(), wide.top() + 200, 0.01);
    EXPECT_NEAR(t.Ink().width(), wide.width(), 0.01);
    // A double-byte code page gives one advance to both bytes of a character.
    lf.lfCharSet = SHIFTJIS_CHARSET;
    TextDc j(lf);
    j.dc.SetTextAlign(TA_LEFT | TA_BASELINE);
    const INT dx[] = {30, 30, 100};
    EXPECT_TRUE(j.dc.ExtTextOutA(100, 300, 0, nullptr, "\x82\xA0I", 3, dx));
    const QRectF both = j.Ink();
    j.dc.ExtTextOutA(160, 300, 0, nullptr, "I", 1, dx);
    EXPECT_NEAR(both.right(), j.Ink().right(), 0.01);
}

TEST(AnsiText, BytesDecodeInTheCodePageOfTheCharset)
{
    auto dec = [](const char* s, BYTE cs) { return AnsiToUnicode(s, strlen(s), cs); };
    EXPECT_EQ(dec("\x80\x93", ANSI_CHARSET), QString::fromUtf16(u"\u20AC\u201C"));
    EXPECT_EQ(dec("\xE9", DEFAULT_CHARSET), QString::fromUtf16(u"\u00E9"));
    EXPECT_EQ(dec("\x8A\xB9", EASTEUROPE_CHARSET), QString::fromUtf16(u"\u0160\u0105"));
    EXPECT_EQ(dec("\xC0\xFF", RUSSIAN_CHARSET), QString::fromUtf16(u"\u0410\u044F"));
    EXPECT_EQ(dec("\xE1", GREEK_CHARSET), QString::fromUtf16(u"\u03B1"));
    EXPECT_EQ(dec("\xA1", THAI_CHARSET), QString::fromUtf16(u"\u0E01"));
    EXPECT_EQ(dec("\x82\xA0", SHIFTJIS_CHARSET), QString::fromUtf16(u"\u3042"));
    EXPECT_EQ(dec("A\xB7", SYMBOL_CHARSET), QString::fromUtf16(u"\uF041\uF0B7"));
    EXPECT_EQ(CodePageForCharset(BALTIC_CHARSET), 1257);
}

TEST(FontResolver, FacesFallBackToMetricCompatibleOnes)
{
    if (!QFontDatabase::families().contains(QStringLiteral("Liberation Sans")))
        GTEST_SKIP() << "Liberation fonts not installed";
    EXPECT_EQ(FontResolver::FamilyFor(QStringLiteral("Arial"), 0, ANSI_CHARSET), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(FontResolver::FamilyFor(QStringLiteral("liberation serif"), FF_SWISS, ANSI_CHARSET),
              QStringLiteral("liberation serif"));
    // Core faces the machine lacks go by the family the document gives.
    EXPECT_EQ(FontResolver::FamilyFor(QStringLiteral("Times New Roman"), VARIABLE_PITCH | FF_ROMAN, ANSI_CHARSET),
              QStringLiteral("Liberation Serif"));
    EXPECT_EQ(FontResolver::FamilyFor(QStringLiteral("Times New Roman"), VARIABLE_PITCH | FF_SWISS, ANSI_CHARSET),
              QStringLiteral("Liberation Sans"));
    EXPECT_EQ(FontResolver::FamilyFor(QStringLiteral("Courier New"), FIXED_PITCH | FF_MODERN, ANSI_CHARSET),
              QStringLiteral("Liberation Mono"));
    // Unknown faces: by pitch, then by family.
    EXPECT_EQ(FontResolver::FamilyFor(QStringLiteral("No Such Face"), FIXED_PITCH | FF_SWISS, ANSI_CHARSET),
              QStringLiteral("Liberation Mono"));
    EXPECT_EQ(FontResolver::FamilyFor(QStringLiteral("No Such Face"), VARIABLE_PITCH | FF_ROMAN, ANSI_CHARSET),
              QStringLiteral("Liberation Serif"));
    EXPECT_EQ(FontResolver::FamilyFor(QString(), FF_SWISS, ANSI_CHARSET), QStringLiteral("Liberation Sans"));
}

TEST(FontResolver, SymbolCodesReachPlainFacesThroughTheirLowByte)
{
    if (!haveOutlines())
        GTEST_SKIP() << "no outline font";
    const auto f = FontResolver::Resolve(logFont(-20));
    if (f->symbol)
        GTEST_SKIP() << "the fallback face is symbol-encoded";
    const auto plain = f->Glyphs(QStringLiteral("A\u00B9"));
    const auto symbol = f->Glyphs(QString::fromUtf16(u"\uF041\uF0B9"));
    ASSERT_NE(plain[0], 0u);
    EXPECT_EQ(symbol, plain);
    // An unassigned character stays glyph 0 and draws nothing.
    EXPECT_EQ(f->Glyphs(QString::fromUtf16(u"\u0378"))[0], 0u);
}

TEST(CDCText, CharacterExtraJustificationAndLines)
{
    if (!haveOutlines())
        GTEST_SKIP() << "no outline font";
    TextDc t(logFont(-40));
    const QString text = QStringLiteral("a b c");
    const int plain = t.dc.GetTextExtent(text).cx;
    // Character extra adds to every character, justification to the
    // break characters only (all of it, spread over the count).
    t.dc.SetTextCharacterExtra(3);
    EXPECT_EQ(t.dc.GetTextExtent(text).cx, plain + 5 * 3);
    t.dc.SetTextCharacterExtra(0);
    t.dc.SetTextJustification(7, 2);
    EXPECT_EQ(t.dc.GetTextExtent(text).cx, plain + 7);
    t.dc.SetTextJustification(0, 0);
    // An advance array replaces both.
    t.dc.SetTextCharacterExtra(0);
    t.dc.SetTextAlign(TA_LEFT | TA_BASELINE);
    t.dc.TextOut(100, 300, QStringLiteral("ab"));
    const QRectF bare = t.Ink();
    // Underline and strike-out run the whole advance, below the baseline
    // and through the middle of the lower case.
    LOGFONTW lined = logFont(-40);
    lined.lfUnderline = lined.lfStrikeOut = 1;
    TextDc u(lined);
    u.dc.SetTextAlign(TA_LEFT | TA_BASELINE);
    u.dc.TextOut(100, 300, QStringLiteral("ab"));
    const QRectF ink = u.Ink();
    EXPECT_NEAR(ink.left(), 100, 0.5);
    EXPECT_NEAR(ink.right(), 100 + u.dc.GetTextExtent(QStringLiteral("ab")).cx, 1);
    EXPECT_GT(ink.bottom(), 301);
    EXPECT_LT(ink.bottom(), bare.bottom() + 10);
    EXPECT_NEAR(ink.top(), bare.top(), 0.5);
}
