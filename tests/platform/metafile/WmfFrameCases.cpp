#include "tests/platform/metafile/WmfFrameCases.h"

#include "platform/gdi/Dib.h"
#include "platform/gdi/GdiDefs.h"
#include "platform/gdi/LogFont.h"
#include "platform/metafile/WmfRecordTypes.h"
#include "tests/platform/metafile/WmfBuilder.h"

#include <algorithm>
#include <cstdlib>
#include <functional>

namespace wmfframe {

namespace {

constexpr uint32_t Black = 0x000000, Red = 0x0000FF, Navy = 0x800000;

// Where a picture draws, in its logical units: (x0, y0) is the corner
// shown at the top left, (x1, y1) the one at the bottom right, whatever
// the directions of the axes.
struct Area {
    int x0, y0, x1, y1;
    int Width() const { return x1 - x0; }
    int Height() const { return y1 - y0; }
    int Cx() const { return (x0 + x1) / 2; }
    int Cy() const { return (y0 + y1) / 2; }
    // A length of the given share of the area's smaller side, signed as
    // the axis runs.
    int Dx(double share) const { return int(Width() * share); }
    int Dy(double share) const { return int(Height() * share); }
};

struct Mapping {
    const char* name;
    std::function<void(WmfBuilder&)> records;
    Area area;
};

int lo(uint32_t v) { return WmfBuilder::Lo(v); }
int hi(uint32_t v) { return WmfBuilder::Hi(v); }

// Object slots: the pictures create every object once, in this order.
enum Slot { BlackPen, RedPen, HollowBrush, NavyBrush, FontSlot, SlotCount };

void basics(WmfBuilder& b)
{
    b.Record(META_CREATEPENINDIRECT, {PS_SOLID, 0, 0, lo(Black), hi(Black)});
    b.Record(META_CREATEPENINDIRECT, {PS_SOLID, 0, 0, lo(Red), hi(Red)});
    b.Record(META_CREATEBRUSHINDIRECT, {BS_NULL, 0, 0, 0});
    b.Record(META_CREATEBRUSHINDIRECT, {BS_SOLID, lo(Navy), hi(Navy), 0});
    b.Record(META_SELECTOBJECT, {BlackPen}).Record(META_SELECTOBJECT, {HollowBrush});
}

std::vector<int> words(const QByteArray& bytes)
{
    std::vector<int> out;
    for (qsizetype i = 0; i < bytes.size(); i += 2)
        out.push_back(uint8_t(bytes[i]) | (i + 1 < bytes.size() ? uint8_t(bytes[i + 1]) << 8 : 0));
    return out;
}

void font(WmfBuilder& b, int height, const char* face)
{
    std::vector<int> f = {height, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0};
    const std::vector<int> name = words(QByteArray(face) + '\0');
    f.insert(f.end(), name.begin(), name.end());
    b.Record(META_CREATEFONTINDIRECT, f).Record(META_SELECTOBJECT, {FontSlot});
}

void line(WmfBuilder& b, int x0, int y0, int x1, int y1)
{
    b.Record(META_MOVETO, {y0, x0}).Record(META_LINETO, {y1, x1});
}

void rectangle(WmfBuilder& b, const Area& a) { b.Record(META_RECTANGLE, {a.y1, a.x1, a.y0, a.x0}); }

// A bottom-up 24-bit DIB of w x h pixels, all of one colour.
std::vector<int> dib(int w, int h, uint32_t color)
{
    const int stride = (w * 3 + 3) & ~3;
    QByteArray bytes;
    auto put32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes.append(char((v >> (8 * i)) & 0xFF));
    };
    put32(40);
    put32(uint32_t(w));
    put32(uint32_t(h));
    bytes.append(char(1)).append(char(0)).append(char(24)).append(char(0));
    put32(BI_RGB);
    put32(uint32_t(stride * h));
    for (int i = 0; i < 4; ++i)
        put32(0);
    for (int y = 0; y < h; ++y) {
        QByteArray row;
        for (int x = 0; x < w; ++x)
            row.append(char((color >> 16) & 0xFF)).append(char((color >> 8) & 0xFF)).append(char(color & 0xFF));
        row.append(QByteArray(stride - row.size(), '\0'));
        bytes.append(row);
    }
    return words(bytes);
}

// The picture's corner points reached by a drawing of the whole area.
Area inset(const Area& a, double share) { return {a.x0 + a.Dx(share), a.y0 + a.Dy(share), a.x1 - a.Dx(share), a.y1 - a.Dy(share)}; }

using Content = std::function<void(WmfBuilder&, const Area&)>;

struct Drawing {
    const char* name;
    Content draw;
    bool allMappings; // drawn under every mapping, or only the usual ones
    bool exactInk = true;
};

std::vector<Drawing> drawings()
{
    std::vector<Drawing> out;
    out.push_back({"border", [](WmfBuilder& b, const Area& a) {
                       rectangle(b, a);
                       b.Record(META_SELECTOBJECT, {NavyBrush});
                       const Area in = inset(a, 0.3);
                       b.Record(META_ELLIPSE, {in.y1, in.x1, in.y0, in.x0});
                   }, true});
    out.push_back({"lines", [](WmfBuilder& b, const Area& a) {
                       b.Record(META_MOVETO, {a.y0, a.x0});
                       b.Record(META_LINETO, {a.y0, a.x1}).Record(META_LINETO, {a.y1, a.x1});
                       b.Record(META_LINETO, {a.y1, a.x0}).Record(META_LINETO, {a.y0, a.x0});
                       line(b, a.x0, a.y0, a.x1, a.y1);
                   }, true});
    out.push_back({"ellipse", [](WmfBuilder& b, const Area& a) {
                       b.Record(META_SELECTOBJECT, {NavyBrush});
                       b.Record(META_ELLIPSE, {a.y1, a.x1, a.y0, a.x0});
                   }, true});
    out.push_back({"filled-rect", [](WmfBuilder& b, const Area& a) {
                       b.Record(META_SELECTOBJECT, {NavyBrush});
                       rectangle(b, a);
                   }, false});
    out.push_back({"roundrect", [](WmfBuilder& b, const Area& a) {
                       b.Record(META_ROUNDRECT, {a.Dy(0.2), a.Dx(0.2), a.y1, a.x1, a.y0, a.x0});
                   }, false});
    out.push_back({"polygon", [](WmfBuilder& b, const Area& a) {
                       b.Record(META_SELECTOBJECT, {NavyBrush});
                       b.Record(META_POLYGON, {4, a.Cx(), a.y0, a.x1, a.Cy(), a.Cx(), a.y1, a.x0, a.Cy()});
                   }, false});
    out.push_back({"polyline", [](WmfBuilder& b, const Area& a) {
                       b.Record(META_POLYLINE, {4, a.x0, a.y1, a.x0 + a.Dx(0.3), a.y0, a.x1 - a.Dx(0.3), a.y1, a.x1, a.y0});
                   }, false});
    out.push_back({"polypolygon", [](WmfBuilder& b, const Area& a) {
                       b.Record(META_SELECTOBJECT, {NavyBrush});
                       const Area l = {a.x0, a.y0, a.Cx() - a.Dx(0.05), a.y1}, r = {a.Cx() + a.Dx(0.05), a.y0, a.x1, a.y1};
                       b.Record(META_POLYPOLYGON, {2, 3, 3, l.x0, l.y1, l.Cx(), l.y0, l.x1, l.y1, r.x0, r.y0, r.x1, r.y0, r.Cx(), r.y1});
                   }, false});
    out.push_back({"arc", [](WmfBuilder& b, const Area& a) {
                       // The upper half of the ellipse, counter-clockwise from its right end.
                       b.Record(META_ARC, {a.Cy(), a.x0, a.Cy(), a.x1, a.y1, a.x1, a.y0, a.x0});
                   }, false});
    out.push_back({"pie", [](WmfBuilder& b, const Area& a) {
                       b.Record(META_SELECTOBJECT, {NavyBrush});
                       b.Record(META_PIE, {a.y0, a.Cx(), a.Cy(), a.x1, a.y1, a.x1, a.y0, a.x0});
                   }, false});
    out.push_back({"chord", [](WmfBuilder& b, const Area& a) {
                       b.Record(META_SELECTOBJECT, {NavyBrush});
                       b.Record(META_CHORD, {a.y1, a.Cx(), a.y0, a.Cx(), a.y1, a.x1, a.y0, a.x0});
                   }, false});
    out.push_back({"patblt", [](WmfBuilder& b, const Area& a) {
                       b.Record(META_SELECTOBJECT, {NavyBrush});
                       b.Record(META_PATBLT, {lo(PATCOPY), hi(PATCOPY), a.Height(), a.Width(), a.y0, a.x0});
                   }, false});
    out.push_back({"pixels", [](WmfBuilder& b, const Area& a) {
                       for (const auto& [x, y] : {std::pair{a.x0, a.y0}, {a.x1, a.y0}, {a.x0, a.y1}, {a.x1, a.y1}})
                           b.Record(META_SETPIXEL, {lo(Black), hi(Black), y, x});
                       line(b, a.x0 + a.Dx(0.25), a.Cy(), a.x1 - a.Dx(0.25), a.Cy());
                   }, false});
    out.push_back({"dibstretchblt", [](WmfBuilder& b, const Area& a) {
                       std::vector<int> p = {lo(SRCCOPY), hi(SRCCOPY), 2, 2, 0, 0, a.Height(), a.Width(), a.y0, a.x0};
                       const std::vector<int> bits = dib(2, 2, Navy);
                       p.insert(p.end(), bits.begin(), bits.end());
                       b.Record(META_DIBSTRETCHBLT, p);
                   }, true});
    out.push_back({"stretchdib", [](WmfBuilder& b, const Area& a) {
                       std::vector<int> p = {lo(SRCCOPY), hi(SRCCOPY), DIB_RGB_COLORS, 3, 4, 0, 0, a.Height(), a.Width(), a.y0, a.x0};
                       const std::vector<int> bits = dib(4, 3, Navy);
                       p.insert(p.end(), bits.begin(), bits.end());
                       b.Record(META_STRETCHDIB, p);
                   }, false});
    out.push_back({"dibbitblt", [](WmfBuilder& b, const Area& a) {
                       // Unstretched: as many logical units as the bitmap has pixels.
                       const int w = std::abs(a.Dx(0.5)), h = std::abs(a.Dy(0.5));
                       std::vector<int> p = {lo(SRCCOPY), hi(SRCCOPY), 0, 0, h, w, a.Cy(), a.Cx()};
                       const std::vector<int> bits = dib(w, h, Navy);
                       p.insert(p.end(), bits.begin(), bits.end());
                       b.Record(META_DIBBITBLT, p);
                       rectangle(b, inset(a, 0.1));
                   }, false});
    out.push_back({"setdibtodev", [](WmfBuilder& b, const Area& a) {
                       std::vector<int> p = {DIB_RGB_COLORS, 40, 0, 0, 0, 40, 60, a.Cy(), a.Cx()};
                       const std::vector<int> bits = dib(60, 40, Navy);
                       p.insert(p.end(), bits.begin(), bits.end());
                       b.Record(META_SETDIBTODEV, p);
                       rectangle(b, inset(a, 0.1));
                   }, false});
    out.push_back({"regions", [](WmfBuilder& b, const Area& a) {
                       // A region filled and framed: counted by its box through the mapping.
                       const Area in = inset(a, 0.1);
                       const int l = std::min(in.x0, in.x1), r = std::max(in.x0, in.x1);
                       const int t = std::min(in.y0, in.y1), bt = std::max(in.y0, in.y1);
                       b.Record(META_CREATEREGION, {0, 6, 0, 0, 34, 1, 1, l, t, r, bt, 2, t, bt, l, r, 2}); // slot 4
                       b.Record(META_FILLREGION, {NavyBrush, FontSlot});
                       b.Record(META_FRAMEREGION, {2, 2, HollowBrush, FontSlot});
                       b.Record(META_DELETEOBJECT, {FontSlot});
                   }, false,
                   // The fill is drawn in the recording's device units where
                   // the reference maps the region as logical coordinates:
                   // only the frame is compared.
                   false});
    out.push_back({"clipped", [](WmfBuilder& b, const Area& a) {
                       // Clipping hides most of the drawing but does not narrow its frame.
                       const Area in = inset(a, 0.25);
                       const int l = std::min(in.x0, in.x1), r = std::max(in.x0, in.x1);
                       const int t = std::min(in.y0, in.y1), bt = std::max(in.y0, in.y1);
                       b.Record(META_INTERSECTCLIPRECT, {bt, r, t, l});
                       rectangle(b, a);
                       line(b, a.x0, a.y0, a.x1, a.y1);
                   }, false});
    return out;
}

struct TextCase {
    const char* face;
    UINT align;
    bool ext; // META_EXTTEXTOUT with advances rather than META_TEXTOUT
};

// Names that differ in more than case: the reference's file system
// ignores case.
const char* alignName(UINT align)
{
    switch (align) {
    case TA_LEFT | TA_TOP: return "left-top";
    case TA_CENTER | TA_TOP: return "center-top";
    case TA_RIGHT | TA_TOP: return "right-top";
    case TA_LEFT | TA_BASELINE: return "left-baseline";
    case TA_CENTER | TA_BASELINE: return "center-baseline";
    case TA_RIGHT | TA_BASELINE: return "right-baseline";
    case TA_LEFT | TA_BOTTOM: return "left-bottom";
    case TA_CENTER | TA_BOTTOM: return "center-bottom";
    case TA_RIGHT | TA_BOTTOM: return "right-bottom";
    default: return "other";
    }
}

// Text alone: its box is the frame. The red probe, a line inside the box
// whatever the alignment, shows where the picture landed.
void text(WmfBuilder& b, const Area& a, const TextCase& t)
{
    const int em = std::max(1, std::abs(a.Dy(0.12)));
    const int sy = a.Height() < 0 ? -1 : 1; // the direction "down" runs in
    font(b, -em, t.face);
    b.Record(META_SETTEXTALIGN, {int(t.align), 0});
    const QByteArray s("MMMMMMMM");
    const int x = a.Cx(), y = a.Cy();
    if (t.ext) {
        // Advances of 0.7 em: the recorder sums them for the box.
        std::vector<int> p = {y, x, int(s.size()), 0};
        const std::vector<int> chars = words(s);
        p.insert(p.end(), chars.begin(), chars.end());
        for (qsizetype i = 0; i < s.size(); ++i)
            p.push_back(em * 7 / 10);
        b.Record(META_EXTTEXTOUT, p);
    } else {
        std::vector<int> p = {int(s.size())};
        const std::vector<int> chars = words(s);
        p.insert(p.end(), chars.begin(), chars.end());
        p.push_back(y);
        p.push_back(x);
        b.Record(META_TEXTOUT, p);
    }
    int px0 = x + em, px1 = x + 3 * em;
    if ((t.align & TA_CENTER) == TA_CENTER) {
        px0 = x - em;
        px1 = x + em;
    } else if (t.align & TA_RIGHT) {
        px0 = x - 3 * em;
        px1 = x - em;
    }
    const int py = (t.align & (TA_BOTTOM | TA_BASELINE)) ? y - sy * em / 2 : y + sy * em / 2;
    b.Record(META_SELECTOBJECT, {RedPen});
    line(b, px0, py, px1, py);
}

std::vector<Mapping> mappings()
{
    auto window = [](int ox, int oy, int ex, int ey) {
        return [=](WmfBuilder& b) {
            b.Record(META_SETWINDOWORG, {oy, ox}).Record(META_SETWINDOWEXT, {ey, ex});
        };
    };
    return {
        // No mapping records: logical units are the reference device's pixels.
        {"pixels", [](WmfBuilder&) {}, {40, 30, 600, 420}},
        {"pixels-neg", [](WmfBuilder&) {}, {-200, -150, 300, 250}},
        {"window", window(0, 0, 1000, 700), {50, 40, 950, 660}},
        {"window-neg", window(-500, -350, 1000, 700), {-450, -300, 450, 300}},
        {"window-off", window(200, 100, 800, 800), {250, 180, 930, 860}},
        {"flipped", window(0, 700, 1000, -700), {50, 660, 950, 40}},
        {"twips", window(0, 0, 14400, 10800), {720, 540, 13680, 10260}},
        {"coarse", window(0, 0, 67, 102), {3, 5, 64, 97}},
        {"viewport", [](WmfBuilder& b) {
             b.Record(META_SETWINDOWORG, {0, 0}).Record(META_SETWINDOWEXT, {700, 1000});
             b.Record(META_SETVIEWPORTEXT, {300, 500});
         }, {50, 40, 950, 660}},
        {"isotropic", [](WmfBuilder& b) {
             b.Record(META_SETMAPMODE, {MM_ISOTROPIC});
             b.Record(META_SETWINDOWORG, {0, 0}).Record(META_SETWINDOWEXT, {500, 1000});
         }, {50, 40, 950, 460}},
        {"mmtext", [](WmfBuilder& b) { b.Record(META_SETMAPMODE, {MM_TEXT}); }, {20, 10, 620, 450}},
        {"mmtext-neg", [](WmfBuilder& b) {
             b.Record(META_SETMAPMODE, {MM_TEXT});
             b.Record(META_SETWINDOWORG, {-80, -100}).Record(META_SETWINDOWEXT, {100, 100}); // the extent has no effect
         }, {-90, -70, 400, 300}},
        {"lometric", [](WmfBuilder& b) { b.Record(META_SETMAPMODE, {MM_LOMETRIC}); }, {100, -100, 2000, -1400}},
    };
}

QByteArray picture(const Mapping& m, const std::function<void(WmfBuilder&, const Area&)>& draw)
{
    WmfBuilder b(SlotCount);
    m.records(b);
    basics(b);
    draw(b, m.area);
    return b.Bytes();
}

} // namespace

std::vector<Case> Cases()
{
    std::vector<Case> out;
    const std::vector<Mapping> maps = mappings();
    for (const Mapping& m : maps) {
        const bool usual = QByteArray(m.name) == "window" || QByteArray(m.name) == "pixels" ||
                           QByteArray(m.name) == "window-neg" || QByteArray(m.name) == "coarse";
        for (const Drawing& d : drawings())
            if (d.allMappings || usual)
                out.push_back({QStringLiteral("%1-%2").arg(QLatin1String(m.name), QLatin1String(d.name)), picture(m, d.draw),
                               d.exactInk});
    }
    // Text in three faces and nine alignments under the usual mapping, and
    // a few under each of the others.
    const char* faces[] = {"Arial", "Times New Roman", "Courier New"};
    const UINT aligns[] = {TA_LEFT | TA_TOP,      TA_CENTER | TA_TOP,      TA_RIGHT | TA_TOP,
                           TA_LEFT | TA_BASELINE, TA_CENTER | TA_BASELINE, TA_RIGHT | TA_BASELINE,
                           TA_LEFT | TA_BOTTOM,   TA_CENTER | TA_BOTTOM,   TA_RIGHT | TA_BOTTOM};
    auto addText = [&](const Mapping& m, const TextCase& t) {
        const QString face = QString::fromLatin1(t.face).remove(QLatin1Char(' ')).toLower();
        Case c{QStringLiteral("%1-text-%2-%3%4").arg(QLatin1String(m.name), face, QLatin1String(alignName(t.align)),
                                                       t.ext ? QStringLiteral("-dx") : QString()),
               picture(m, [&](WmfBuilder& b, const Area& a) { text(b, a, t); })};
        c.inkIsExact = false;
        c.hasProbe = true;
        out.push_back(c);
    };
    for (const Mapping& m : maps) {
        const bool usual = QByteArray(m.name) == "window";
        for (const char* face : faces)
            for (UINT align : aligns)
                if (usual || (align == (TA_LEFT | TA_TOP) && face == faces[0]) ||
                    (align == (TA_RIGHT | TA_BASELINE) && face == faces[1]))
                    addText(m, {face, align, false});
        addText(m, {faces[0], TA_CENTER | TA_BOTTOM, true});
    }
    return out;
}

} // namespace wmfframe
