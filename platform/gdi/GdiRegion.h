#pragma once
// A region: a set of whole device pixels, made of rectangles. Regions are
// the only mutable GDI objects besides palettes (CombineRgn, OffsetRgn).
#include "platform/gdi/GdiObject.h"

#include <QRegion>

class GdiRegion : public GdiObject {
public:
    GdiRegion() : GdiObject(OBJ_REGION) {}
    explicit GdiRegion(const QRegion& r) : GdiObject(OBJ_REGION), m_region(r) {}

    const QRegion& Region() const { return m_region; }
    void SetRegion(const QRegion& r) { m_region = r; }

    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int Complexity() const { return Complexity(m_region); }
    static int Complexity(const QRegion& r);

private:
    QRegion m_region;
};

using HRGN = GdiRegion*;
