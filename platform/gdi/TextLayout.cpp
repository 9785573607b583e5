#include "platform/gdi/TextLayout.h"

#include <QHash>
#include <algorithm>
#include <cmath>

namespace {

// A rotation by a (radians) counterclockwise on a y-down plane.
QTransform rotation(double a)
{
    const double c = std::cos(a), s = std::sin(a);
    return QTransform(c, -s, s, c, 0, 0);
}

// Glyphs bigger than this many device pixels are not drawn: the device is
// a small part of one, and the rasterizer's coordinates would overflow.
constexpr double MaxDeviceEm = double(1 << 20);
constexpr int CancelStride = 64;
// Glyph origins beyond this many device pixels are off every device.
constexpr double FarOff = double(1 << 22);

} // namespace

TextLayout::TextLayout(const ResolvedFont& font, const QTransform& toDevice, int graphicsMode)
    : m_font(font), m_toDevice(toDevice), m_advanced(graphicsMode == GM_ADVANCED)
{
    m_sx = std::hypot(toDevice.m11(), toDevice.m12());
    m_sy = std::hypot(toDevice.m21(), toDevice.m22());
    constexpr double tenthDegree = M_PI / 1800.0;
    m_escapement = (font.lf.lfEscapement % 3600) * tenthDegree;
    // GM_COMPATIBLE turns the glyphs with the escapement and ignores the
    // orientation. Under a mapping that mirrors one axis the platform turns
    // text the other way on the device (Wine's gdi32 negates the angle
    // there too): 2700 with y going up reads upwards.
    if (!m_advanced && toDevice.determinant() < 0)
        m_escapement = -m_escapement;
    m_orientation = m_advanced ? (font.lf.lfOrientation % 3600) * tenthDegree : m_escapement;
}

void TextLayout::SetExtras(int charExtra, int breakExtra, int breakCount)
{
    m_charExtra = charExtra;
    m_breakExtra = breakExtra;
    m_breakCount = breakCount;
}

bool TextLayout::Lay(const QString& text, const std::vector<quint32>& glyphs, const INT* dx, bool pdy)
{
    if (!std::isfinite(m_sx) || !std::isfinite(m_sy))
        return false;
    m_glyphs = glyphs;
    m_pos.assign(glyphs.size(), QPointF());
    const std::vector<double> adv = dx ? std::vector<double>() : m_font.Advances(glyphs, m_cancelled);
    if (!dx && adv.size() != glyphs.size())
        return false; // cancelled
    const double em = m_font.em * m_font.stretch;
    // Break characters in the text take breakExtra between them, the first
    // ones one unit more when it does not divide evenly.
    int breaksLeft = m_breakCount > 0 ? m_breakCount : 0;
    const int breakEach = breaksLeft ? m_breakExtra / breaksLeft : 0;
    int breakRem = breaksLeft ? m_breakExtra % breaksLeft : 0;
    QPointF p;
    m_recordedWidth = 0;
    for (size_t i = 0; i < glyphs.size(); ++i) {
        if (i % 4096 == 4095 && m_cancelled && m_cancelled())
            return false;
        m_pos[i] = p;
        double ax, ay = 0;
        if (dx) {
            ax = double(pdy ? dx[2 * i] : dx[i]) + m_charExtra;
            ay = pdy ? -double(dx[2 * i + 1]) : 0.0;
            m_recordedWidth += double(pdy ? dx[2 * i] : dx[i]);
        } else {
            ax = adv[i] * em;
            // The recorder measures each character on the font realized at
            // a whole number of pixels, and brings its whole-pixel width
            // back to logical units rounded.
            double recorded = ax;
            if (!m_advanced && m_sx > 0 && m_sy > 0)
                recorded = std::round(adv[i] * m_font.stretch * realizedPpem()) / m_sx;
            recorded += m_charExtra;
            if (std::isfinite(recorded))
                m_recordedWidth += std::floor(recorded + 0.5);
            // GM_COMPATIBLE advances are whole device pixels at the
            // device's em size, as the platform's hinted widths are.
            if (!m_advanced && m_sx > 0 && m_sy > 0)
                ax = std::round(ax * m_sy) / m_sx;
            ax += m_charExtra;
            if (breaksLeft > 0 && i < size_t(text.size()) && text.at(qsizetype(i)) == QLatin1Char(' ')) {
                ax += breakEach + (breakRem > 0 ? 1 : 0);
                if (breakRem > 0)
                    --breakRem;
                --breaksLeft;
            }
        }
        p += QPointF(ax, ay);
    }
    m_end = p;
    return true;
}

void TextLayout::Place(POINT ref, UINT align)
{
    m_ref = ref;
    const double em = m_font.em;
    // GM_COMPATIBLE text is placed as the platform places it: the reference
    // point lands on a whole device pixel (LPtoDP rounds it), and top or
    // bottom alignment moves the baseline by the ascent or descent of the
    // font realized at its pixel size (the device height truncated), in
    // whole pixels, after a round trip through whole logical units (the
    // text metrics the alignment reads are logical).
    const double ppem = std::floor(em * m_sy + 1e-6);
    const bool pixelMetrics = !m_advanced && em > 0 && ppem > 0 && std::isfinite(ppem);
    auto metric = [&](double logical) {
        if (!pixelMetrics)
            return logical;
        const double device = std::round(logical / em * ppem);
        return std::round(std::round(device / m_sy) * m_sy) / m_sy;
    };
    QPointF shift;
    switch (align & (TA_CENTER)) {
    case TA_CENTER: shift.rx() = -m_end.x() / 2; shift.ry() = -m_end.y() / 2; break;
    case TA_RIGHT: shift = -m_end; break;
    default: break;
    }
    switch (align & TA_BASELINE) {
    case TA_BASELINE: break;
    case TA_BOTTOM: shift.ry() -= metric(m_font.descent); break;
    default: shift.ry() += metric(m_font.ascent); break; // TA_TOP
    }
    if (m_advanced) {
        m_place = QTransform::fromTranslate(shift.x(), shift.y()) * rotation(m_escapement) *
                  QTransform::fromTranslate(ref.x, ref.y) * m_toDevice;
        QTransform lin = m_toDevice;
        lin.setMatrix(lin.m11(), lin.m12(), 0, lin.m21(), lin.m22(), 0, 0, 0, 1);
        m_glyph = QTransform::fromScale(em * m_font.stretch, em) * rotation(m_orientation) * lin;
    } else {
        QPointF d0 = m_toDevice.map(QPointF(ref.x, ref.y));
        if (std::fabs(d0.x()) < 1e15 && std::fabs(d0.y()) < 1e15)
            d0 = QPointF(std::floor(d0.x() + 0.5), std::floor(d0.y() + 0.5));
        m_place = QTransform::fromTranslate(shift.x(), shift.y()) * QTransform::fromScale(m_sx, m_sy) *
                  rotation(m_escapement) * QTransform::fromTranslate(d0.x(), d0.y());
        // Glyphs at the realized font's whole pixel size.
        const double size = pixelMetrics ? ppem : em * m_sy;
        m_glyph = QTransform::fromScale(size * m_font.stretch, size) * rotation(m_orientation);
    }
}

POINT TextLayout::NextCurrentPosition(UINT align) const
{
    QPointF move;
    switch (align & TA_CENTER) {
    case TA_CENTER: return m_ref;
    case TA_RIGHT: move = -m_end; break;
    default: move = m_end; break;
    }
    QPointF logical;
    if (m_advanced) {
        logical = (rotation(m_escapement) * QTransform::fromTranslate(m_ref.x, m_ref.y)).map(move);
    } else {
        const QPointF d0 = m_toDevice.map(QPointF(m_ref.x, m_ref.y));
        const QPointF d = (QTransform::fromScale(m_sx, m_sy) * rotation(m_escapement) *
                           QTransform::fromTranslate(d0.x(), d0.y())).map(move);
        bool invertible = false;
        const QTransform inv = m_toDevice.inverted(&invertible);
        if (!invertible)
            return m_ref;
        logical = inv.map(d);
    }
    auto clampInt = [](double v) { return LONG(std::clamp(std::round(v), -2147483648.0, 2147483647.0)); };
    return POINT(clampInt(logical.x()), clampInt(logical.y()));
}

double TextLayout::realizedPpem() const
{
    // GM_COMPATIBLE fonts scale only with the mapping's vertical scale, and
    // the platform multiplies the integer height by it, cutting the
    // fraction: 1166 units at 0.0711 pixels each make an 82-pixel font.
    const double h = std::fabs(double(m_font.lf.lfHeight));
    if (m_font.lf.lfHeight == 0 || !(m_sy > 0) || !std::isfinite(h * m_sy))
        return std::round(m_font.em * m_sy);
    const double device = std::trunc(h * m_sy + 1e-9);
    // A cell height holds the em in the face's proportion.
    return m_font.lf.lfHeight < 0 ? device : std::round(device * m_font.em / h);
}

RecordedBounds::Box TextLayout::RecordedBox(UINT align) const
{
    const long long width =
        std::isfinite(m_recordedWidth) ? (long long)std::min(std::fabs(m_recordedWidth), 1e15) : 0;
    // The metrics are whole pixels of the realized font, brought back to
    // logical units rounded, as the platform's text extents are.
    double descent = RoundMetric(m_font.descent), height = RoundMetric(m_font.ascent) + descent;
    if (m_sy > 0 && std::isfinite(m_sy) && m_font.em > 0) {
        const double ppem = m_advanced ? m_font.em * m_sy : realizedPpem();
        const double deviceDescent = std::round(m_font.descent / m_font.em * ppem);
        const double deviceHeight = std::round(m_font.ascent / m_font.em * ppem) + deviceDescent;
        descent = std::floor(deviceDescent / m_sy + 0.5);
        height = std::floor(deviceHeight / m_sy + 0.5);
    }
    auto whole = [](double v) { return std::isfinite(v) ? (long long)std::clamp(v, -1e15, 1e15) : 0LL; };
    const long long h = whole(height), d = whole(descent);
    // ETO_PDY moves the baseline: the box spans every glyph's baseline.
    const long long up = whole(std::round(std::min(0.0, m_end.y()))), down = whole(std::round(std::max(0.0, m_end.y())));
    const long long x = m_ref.x, y = m_ref.y;
    RecordedBounds::Box b;
    switch (align & TA_CENTER) {
    case TA_CENTER: b.left = x - width / 2 - 1; b.right = x + width / 2 + 1; break;
    case TA_RIGHT: b.left = x - width - 1; b.right = x; break;
    default: b.left = x; b.right = x + width + 1; break;
    }
    switch (align & TA_BASELINE) {
    case TA_BASELINE: b.top = y + up - h - 1; b.bottom = y + down + d + 1; break;
    case TA_BOTTOM: b.top = y + up - h - 1; b.bottom = y + down; break;
    default: b.top = y + up; b.bottom = y + down + h + 1; break; // TA_TOP
    }
    return b;
}

QPolygonF TextLayout::CellPolygon() const
{
    const QRectF cell(QPointF(std::min(0.0, m_end.x()), -m_font.ascent),
                      QPointF(std::max(0.0, m_end.x()), m_font.descent));
    return m_place.map(QPolygonF(cell));
}

QPainterPath TextLayout::Outlines(size_t begin, size_t end, bool lines, const std::function<bool()>& cancelled) const
{
    QPainterPath out;
    out.setFillRule(Qt::WindingFill);
    const double deviceEm = std::hypot(m_glyph.m21(), m_glyph.m22());
    if (!std::isfinite(deviceEm) || deviceEm > MaxDeviceEm || deviceEm <= 0)
        return out;
    QHash<quint32, QPainterPath> outlines;
    end = std::min(end, m_glyphs.size());
    for (size_t i = begin; i < end; ++i) {
        if (i % CancelStride == CancelStride - 1 && cancelled && cancelled())
            return QPainterPath();
        auto it = outlines.find(m_glyphs[i]);
        if (it == outlines.end())
            it = outlines.insert(m_glyphs[i], m_glyph.map(m_font.Outline(m_glyphs[i])));
        if (it->isEmpty())
            continue;
        const QPointF o = localToDevice(m_pos[i]);
        out.addPath(it->translated(o));
    }
    // Underline and strike-out run along the whole advance.
    auto line = [&](double top, double thickness) {
        const QRectF r(QPointF(std::min(0.0, m_end.x()), top), QPointF(std::max(0.0, m_end.x()), top + thickness));
        out.addPolygon(m_place.map(QPolygonF(r)));
        out.closeSubpath();
    };
    if (!lines)
        return out;
    const double thick = std::max(m_font.lineThickness, 1.0 / std::max(m_sy, 1e-9));
    if (m_font.lf.lfUnderline)
        line(m_font.underlinePos, thick);
    if (m_font.lf.lfStrikeOut)
        line(-m_font.strikeOutPos - thick / 2, thick);
    return out;
}

int TextLayout::UprightPpem(double* stretch) const
{
    const double size = m_glyph.m22(), width = m_glyph.m11();
    if (m_glyph.m12() != 0 || m_glyph.m21() != 0 || !(size > 0) || !(width > 0) || !std::isfinite(width / size))
        return 0;
    const double whole = std::round(size);
    if (whole < 1 || whole > 4096 || std::fabs(size - whole) > 0.01)
        return 0;
    const double s = width / size;
    if (s < 0.05 || s > 20)
        return 0;
    if (stretch)
        *stretch = s;
    return int(whole);
}

bool TextLayout::GlyphRun(size_t begin, size_t end, bool hinted, bool smooth, QGlyphRun* run) const
{
    double stretch = 1;
    const int ppem = UprightPpem(&stretch);
    if (ppem == 0)
        return false;
    const QRawFont face = m_font.Sized(ppem, hinted, smooth);
    if (!face.isValid())
        return false;
    end = std::min(end, m_glyphs.size());
    QList<quint32> glyphs;
    QList<QPointF> positions;
    glyphs.reserve(qsizetype(end - std::min(begin, end)));
    positions.reserve(glyphs.capacity());
    for (size_t i = begin; i < end; ++i) {
        // Glyphs the face does not have draw nothing, as with outlines.
        if (m_glyphs[i] >= m_font.glyphCount)
            continue;
        // Far off any device: the engine's fixed-point positions would
        // overflow.
        const QPointF at = localToDevice(m_pos[i]);
        if (!(std::fabs(at.x()) < FarOff && std::fabs(at.y()) < FarOff))
            continue;
        glyphs.push_back(m_glyphs[i]);
        positions.push_back(QPointF(at.x() / stretch, at.y()));
    }
    run->setRawFont(face);
    run->setGlyphIndexes(glyphs);
    run->setPositions(positions);
    return true;
}
