// CDC: fonts and text output.
#include "platform/gdi/CDC.h"

#include "platform/gdi/AnsiText.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/FontResolver.h"
#include "platform/gdi/GdiColor.h"
#include "platform/gdi/TextLayout.h"

#include <QPolygonF>
#include <cmath>

namespace {

// Text longer than this is drawn up to here: no document needs more in one
// call, and it bounds the work of a hostile one.
constexpr int MaxChars = 1 << 20;
constexpr size_t GlyphChunk = 64;
// Up to this size the font engine draws text; above it stems are wide
// enough for filled outlines, which follow the layout's exact positions.
constexpr int EngineTextUpTo = 16;

// The pixels of a device-space rectangle (turned, under a rotating world
// transform).
QRegion polygonRegion(const QPolygonF& poly)
{
    return QRegion(poly.toPolygon());
}

} // namespace

std::shared_ptr<const ResolvedFont> CDC::resolvedFont() const
{
    LOGFONTW lf{};
    if (m_state.font)
        lf = m_state.font->LogFont();
    // The size that picks the face is the size on this device, after any
    // player's transform: the reference rasterizes at that size, whatever
    // size the metafile recorded.
    const QTransform t = m_state.mapping.ToDevice();
    const double scale = std::hypot(t.m21(), t.m22());
    return FontResolver::Resolve(lf, scale);
}

CFont* CDC::SelectObject(CFont* font)
{
    return font ? static_cast<CFont*>(tempWrapper(SelectObject(font->m_hObject))) : nullptr;
}

BOOL CDC::GetTextMetrics(TEXTMETRICW* tm) const
{
    if (!tm)
        return FALSE;
    const auto f = resolvedFont();
    const TextLayout layout(*f, m_state.mapping.ToDevice(), (m_textGraphicsMode ? m_textGraphicsMode : GetGraphicsMode()));
    const double ascent = layout.RoundMetric(f->ascent), descent = layout.RoundMetric(f->descent);
    *tm = TEXTMETRICW();
    tm->tmAscent = LONG(ascent);
    tm->tmDescent = LONG(descent);
    tm->tmHeight = tm->tmAscent + tm->tmDescent;
    tm->tmInternalLeading = LONG(std::lround(f->internalLeading));
    tm->tmExternalLeading = LONG(std::lround(f->externalLeading));
    tm->tmAveCharWidth = LONG(std::lround(f->avgCharWidth * f->stretch));
    tm->tmMaxCharWidth = LONG(std::lround(f->maxCharWidth * f->stretch));
    tm->tmWeight = f->lf.lfWeight == 0 ? FW_NORMAL : f->lf.lfWeight;
    tm->tmItalic = f->lf.lfItalic ? 1 : 0;
    tm->tmUnderlined = f->lf.lfUnderline ? 1 : 0;
    tm->tmStruckOut = f->lf.lfStrikeOut ? 1 : 0;
    tm->tmPitchAndFamily = BYTE((f->lf.lfPitchAndFamily & 0xF0) | TMPF_TRUETYPE | TMPF_VECTOR |
                                (f->fixedPitch ? 0 : TMPF_FIXED_PITCH));
    tm->tmCharSet = f->symbol ? BYTE(SYMBOL_CHARSET) : (f->lf.lfCharSet == DEFAULT_CHARSET ? BYTE(ANSI_CHARSET) : f->lf.lfCharSet);
    tm->tmFirstChar = 0x20;
    tm->tmLastChar = 0xFFFC;
    tm->tmDefaultChar = 0x1F;
    tm->tmBreakChar = 0x20;
    tm->tmDigitizedAspectX = tm->tmDigitizedAspectY = 96;
    return TRUE;
}

BOOL CDC::GetTextExtentPoint32W(const char16_t* text, int count, SIZE* size) const
{
    if (!size || count < 0 || (count > 0 && !text))
        return FALSE;
    count = std::min(count, MaxChars);
    const auto f = resolvedFont();
    const QString s = QString::fromUtf16(text, count);
    TextLayout layout(*f, m_state.mapping.ToDevice(), (m_textGraphicsMode ? m_textGraphicsMode : GetGraphicsMode()));
    layout.SetExtras(m_state.textCharExtra, m_state.breakExtra, m_state.breakCount);
    layout.Lay(s, f->Glyphs(s), nullptr, 0);
    size->cx = LONG(std::lround(layout.Width()));
    size->cy = LONG(layout.RoundMetric(f->ascent) + layout.RoundMetric(f->descent));
    return TRUE;
}

CSize CDC::GetTextExtent(const QString& text) const
{
    SIZE s;
    if (!GetTextExtentPoint32W(reinterpret_cast<const char16_t*>(text.utf16()), int(std::min<qsizetype>(text.size(), MaxChars)), &s))
        return CSize(0, 0);
    return CSize(s.cx, s.cy);
}

QString CDC::GetTextFace() const { return resolvedFont()->family; }

BOOL CDC::TextOut(int x, int y, const QString& text) { return ExtTextOut(x, y, 0, nullptr, text, nullptr); }

BOOL CDC::ExtTextOut(int x, int y, UINT options, const RECT* rect, const QString& text, const INT* dx)
{
    return ExtTextOutW(x, y, options, rect, reinterpret_cast<const char16_t*>(text.utf16()),
                       int(std::min<qsizetype>(text.size(), MaxChars)), dx);
}

BOOL CDC::ExtTextOutW(int x, int y, UINT options, const RECT* rect, const char16_t* text, int count, const INT* dx)
{
    if (count < 0 || (count > 0 && !text))
        return FALSE;
    count = std::min(count, MaxChars);
    if (options & ETO_GLYPH_INDEX) {
        std::vector<quint32> glyphs(text, text + count);
        return textOut(x, y, options, rect, QString(), std::move(glyphs), dx);
    }
    const QString s = QString::fromUtf16(text, count);
    return textOut(x, y, options, rect, s, resolvedFont()->Glyphs(s, [this] { return IsCancelled(); }), dx);
}

BOOL CDC::ExtTextOutA(int x, int y, UINT options, const RECT* rect, const char* text, int count, const INT* dx)
{
    if (count < 0 || (count > 0 && !text))
        return FALSE;
    count = std::min(count, MaxChars);
    if (options & ETO_GLYPH_INDEX) {
        std::vector<quint32> glyphs(count);
        for (int i = 0; i < count; ++i)
            glyphs[size_t(i)] = uint8_t(text[i]);
        return textOut(x, y, options, rect, QString(), std::move(glyphs), dx);
    }
    const BYTE charSet = m_state.font ? m_state.font->LogFont().lfCharSet : BYTE(ANSI_CHARSET);
    // One advance per byte: a double-byte character takes the advances of
    // both its bytes.
    QString s;
    std::vector<INT> merged;
    const bool pdy = options & ETO_PDY;
    const int codePage = CodePageForCharset(charSet);
    if (dx && (codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950 || codePage == 1361)) {
        for (int i = 0; i < count;) {
            const bool lead = uint8_t(text[i]) >= 0x81 && i + 1 < count;
            const int n = lead ? 2 : 1;
            s += AnsiToUnicode(text + i, size_t(n), charSet);
            INT ax = 0, ay = 0;
            for (int k = i; k < i + n; ++k) {
                ax += pdy ? dx[2 * k] : dx[k];
                ay += pdy ? dx[2 * k + 1] : 0;
            }
            merged.push_back(ax);
            if (pdy)
                merged.push_back(ay);
            i += n;
        }
        if (size_t(s.size()) * (pdy ? 2 : 1) != merged.size())
            merged.clear();
        dx = merged.empty() ? nullptr : merged.data();
    } else {
        s = AnsiToUnicode(text, size_t(count), charSet);
        if (s.size() != count)
            dx = nullptr; // advances no longer line up with the characters
    }
    return textOut(x, y, options, rect, s, resolvedFont()->Glyphs(s, [this] { return IsCancelled(); }), dx);
}

BOOL CDC::PolyTextOutW(const POLYTEXTW* items, int count)
{
    if (!items || count < 0)
        return FALSE;
    for (int i = 0; i < count; ++i) {
        const POLYTEXTW& t = items[i];
        if (IsCancelled())
            return FALSE;
        const int n = int(std::min<UINT>(t.n, UINT(MaxChars)));
        if (!ExtTextOutW(t.x, t.y, t.uiFlags, &t.rcl, t.lpstr, n, t.pdx))
            return FALSE;
    }
    return TRUE;
}

BOOL CDC::PolyTextOutA(const POLYTEXTA* items, int count)
{
    if (!items || count < 0)
        return FALSE;
    for (int i = 0; i < count; ++i) {
        const POLYTEXTA& t = items[i];
        if (IsCancelled())
            return FALSE;
        const int n = int(std::min<UINT>(t.n, UINT(MaxChars)));
        if (!ExtTextOutA(t.x, t.y, t.uiFlags, &t.rcl, t.lpstr, n, t.pdx))
            return FALSE;
    }
    return TRUE;
}

BOOL CDC::textOut(int x, int y, UINT options, const RECT* rect, const QString& text, std::vector<quint32> glyphs,
                  const INT* dx)
{
    if (!canDraw())
        return FALSE;
    const auto font = resolvedFont();
    const QTransform toDevice = m_state.mapping.ToDevice();
    TextLayout layout(*font, toDevice, (m_textGraphicsMode ? m_textGraphicsMode : GetGraphicsMode()));
    layout.SetCancel([this] { return IsCancelled(); });
    if (IsCancelled())
        return FALSE;
    if (!dx)
        layout.SetExtras(m_state.textCharExtra, m_state.breakExtra, m_state.breakCount);
    else
        layout.SetExtras(m_state.textCharExtra, 0, 0);
    if (!layout.Lay(text, glyphs, dx, options & ETO_PDY))
        return FALSE;

    const UINT align = m_state.textAlign;
    POINT ref(x, y);
    if (align & TA_UPDATECP)
        ref = m_state.curPos;
    layout.Place(ref, align);
    if (align & TA_UPDATECP)
        m_state.curPos = layout.NextCurrentPosition(align);

    // ETO_OPAQUE and ETO_CLIPPED work on the logical rectangle.
    QPolygonF rectPoly;
    if (rect && (options & (ETO_OPAQUE | ETO_CLIPPED))) {
        const QRectF r(QPointF(rect->left, rect->top), QPointF(rect->right, rect->bottom));
        rectPoly = toDevice.map(QPolygonF(r.normalized()));
    }
    if (m_state.pathOpen) {
        // Inside a path bracket only the glyph outlines count.
        GdiPath figure;
        figure.AppendPainterPath(layout.Outlines([this] { return IsCancelled(); }));
        m_state.path.Append(figure);
        return IsCancelled() ? FALSE : TRUE;
    }
    if (!m_backend)
        return TRUE;
    // A recording counts the text's box alone: not the opaque rectangle,
    // nor clipped by ETO_CLIPPED.
    if (RecordedBounds::Count(*this, layout.RecordedBox(align)))
        return IsCancelled() ? FALSE : TRUE;
    syncClip();
    DrawAttrs a = attrs();
    a.rop2 = R2_COPYPEN; // text ignores the binary raster operation
    const QBrush bk(toQColor(m_state.bkColor));
    if ((options & ETO_OPAQUE) && !rectPoly.isEmpty()) {
        m_backend->FillRegion(polygonRegion(rectPoly), bk, a);
    }
    if ((options & ETO_CLIPPED) && !rectPoly.isEmpty()) {
        QRegion r = polygonRegion(rectPoly);
        if (const auto clip = EffectiveClip())
            r &= *clip;
        m_backend->SetClip(&r);
        m_clipDirty = true;
    }
    if (m_state.bkMode == OPAQUE && !(options & ETO_OPAQUE)) {
        QPainterPath cell;
        cell.addPolygon(layout.CellPolygon());
        m_backend->FillPath(cell, bk, a);
    }
    // Long strings go to the device in pieces, so that a cancel stops them
    // between two pieces.
    const QBrush ink(toQColor(m_state.textColor));
    // Small upright text on pixels is rasterized by the font engine, as the
    // platform rasterizes it, the way each face's 'gasp' table asks at that
    // size: hinted in black and white (the Liberation faces from 9 to 17
    // pixels an em), or smoothed (every face up to 8). Filled outlines lose
    // every stem thinner than a pixel there: "d" reads as "c" in an
    // 11-pixel chart title.
    double stretch = 1;
    const int ppem = m_backend->IsRaster() ? layout.UprightPpem(&stretch) : 0;
    bool engineGlyphs = ppem > 0 && ppem <= EngineTextUpTo;
    const quint16 gasp = engineGlyphs ? font->GaspFlags(ppem) : 0;
    const bool hinted = (gasp & ResolvedFont::GaspGridFit) != 0, smooth = (gasp & ResolvedFont::GaspDoGray) != 0;
    const size_t n = layout.GlyphCount();
    for (size_t begin = 0; begin < n || begin == 0; begin += GlyphChunk) {
        if (IsCancelled())
            break;
        const size_t end = std::min(n, begin + GlyphChunk);
        if (engineGlyphs) {
            QGlyphRun run;
            engineGlyphs = layout.GlyphRun(begin, end, hinted, smooth, &run) &&
                           m_backend->DrawGlyphs(run, stretch, toQColor(m_state.textColor), smooth, a);
        }
        // Drawn by the engine: only the underline and strike-out are left.
        const QPainterPath piece =
            layout.Outlines(engineGlyphs ? end : begin, end, end == n, [this] { return IsCancelled(); });
        if (!piece.isEmpty() && !IsCancelled())
            m_backend->FillPath(piece, ink, a);
        if (n == 0)
            break;
    }
    return IsCancelled() ? FALSE : TRUE;
}
