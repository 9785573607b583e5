#pragma once
// A generated set of Windows 3.x metafiles without a placeable header, to
// compare the frame their conversion gets with the platform's: lines,
// rectangles, ellipses, arcs, polygons, text in several faces and
// alignments, and bitmaps, in MM_ANISOTROPIC with and without a window, in
// MM_TEXT, and reaching negative coordinates.
//
// Each picture draws its frame-defining content in dark ink. Pictures whose
// edges the renderer cannot pin to a pixel (text, whose glyphs differ from
// one rasteriser to the next) also draw a pure red probe well inside the
// frame: where it lands shows where the frame put the picture.
#include <QByteArray>
#include <QString>
#include <vector>

namespace wmfframe {

struct Case {
    QString name;
    QByteArray bytes;
    // The dark ink's extent pins the frame (false for text, whose glyph
    // outlines differ between renderers; its red probe does).
    bool inkIsExact = true;
    bool hasProbe = false;
};

std::vector<Case> Cases();

} // namespace wmfframe
