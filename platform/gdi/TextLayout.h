#pragma once
// Where the glyphs of one text output go: advances (the font's, or the
// caller's dx array), character extra and justification, alignment to the
// reference point, and the transform from the text's own frame (x along
// the baseline, y down, logical units) to the device.
//
// The two graphics modes differ as on the platform: in GM_ADVANCED the text
// follows the world-to-device transform entirely (escapement turns the
// baseline, orientation the glyphs, in logical space); in GM_COMPATIBLE
// glyphs stay upright and unmirrored, sized by the vertical scale, and the
// escapement turns them on the device, counterclockwise.
#include "platform/gdi/FontResolver.h"
#include "platform/gdi/GdiDefs.h"
#include "platform/gdi/RecordedBounds.h"

#include <QGlyphRun>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>
#include <functional>
#include <vector>

class TextLayout {
public:
    TextLayout(const ResolvedFont& font, const QTransform& toDevice, int graphicsMode);

    void SetExtras(int charExtra, int breakExtra, int breakCount);
    // Polled while long texts are laid out.
    void SetCancel(std::function<bool()> cancelled) { m_cancelled = std::move(cancelled); }
    // dx: one advance per glyph (two with pdy: x and y), or null. False for
    // an unusable transform.
    bool Lay(const QString& text, const std::vector<quint32>& glyphs, const INT* dx, bool pdy);
    // The advance of the whole text along the baseline, logical units.
    double Width() const { return m_end.x(); }
    double RoundMetric(double logical) const { return double(std::lround(logical)); }

    // Aligns the laid-out text to ref with the TA_ flags.
    void Place(POINT ref, UINT align);
    // Where TA_UPDATECP leaves the current position after this text.
    POINT NextCurrentPosition(UINT align) const;
    // The text cell (advance by ascent plus descent) in device space.
    QPolygonF CellPolygon() const;
    // The box a recording device context counts for this text in the
    // metafile's bounds, logical units: from the reference point, the
    // advance (the sum of the characters' whole logical widths) and the text
    // height (ascent plus descent; below a baseline the descent), each one
    // unit larger, as the platform's recorder counts text, whatever the
    // glyphs' ink, the escapement and the direction of the axes.
    RecordedBounds::Box RecordedBox(UINT align) const;
    // Glyph outlines, underline and strike-out in device space; cancelled
    // is polled while a long text is built.
    QPainterPath Outlines(const std::function<bool()>& cancelled) const { return Outlines(0, m_glyphs.size(), true, cancelled); }
    // Glyphs [begin, end), with the underline and strike-out when lines.
    QPainterPath Outlines(size_t begin, size_t end, bool lines, const std::function<bool()>& cancelled) const;
    size_t GlyphCount() const { return m_glyphs.size(); }
    // The whole pixels per em the glyphs are drawn at when they stand
    // upright on the device at a whole pixel size (what a font engine can
    // rasterize itself), 0 otherwise; stretch: their width's scale (the
    // font's lfWidth).
    int UprightPpem(double* stretch = nullptr) const;
    // Glyphs [begin, end) of the face at UprightPpem, with their baseline
    // origins on the device, the x coordinates divided by the stretch (the
    // device scales the run by it horizontally). False when the text is not
    // upright.
    bool GlyphRun(size_t begin, size_t end, bool hinted, bool smooth, QGlyphRun* run) const;

private:
    // The pixels per em of the font the platform realizes for this text.
    double realizedPpem() const;
    QPointF localToDevice(QPointF p) const { return m_place.map(p); }

    const ResolvedFont& m_font;
    QTransform m_toDevice;
    bool m_advanced;
    double m_sx = 1, m_sy = 1;
    double m_escapement = 0, m_orientation = 0; // radians
    int m_charExtra = 0, m_breakExtra = 0, m_breakCount = 0;
    std::vector<quint32> m_glyphs;
    std::vector<QPointF> m_pos; // glyph origins in the text frame
    QPointF m_end;
    // The advance the recorder counts: the characters' widths each rounded
    // to whole logical units, or the sum of the given advances.
    double m_recordedWidth = 0;
    POINT m_ref;
    QTransform m_place; // text frame (after alignment) to device
    QTransform m_glyph; // em-1 glyph outline to device, without translation
    std::function<bool()> m_cancelled;
};
