#include "toolkit/COXMetaFile.h"

#include "platform/metafile/EmfPlayer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

COXMetaFile::~COXMetaFile() { Close(); }

void COXMetaFile::Close()
{
    if (m_hEMF)
        DeleteEnhMetaFile(m_hEMF);
    m_hEMF = nullptr;
}

HENHMETAFILE COXMetaFile::LoadFile(const CString& path)
{
    Close();
    m_hEMF = GetEnhMetaFile(path);
    return m_hEMF;
}

HENHMETAFILE COXMetaFile::Detach()
{
    HENHMETAFILE h = m_hEMF;
    m_hEMF = nullptr;
    return h;
}

CRect COXMetaFile::frame() const
{
    if (!m_hEMF)
        return CRect();
    const EmfHeader& h = m_hEMF->Header();
    CRect f = h.frame;
    if (f.right != f.left && f.bottom != f.top)
        return f;
    // No frame: the bounds (inclusive device units) through the reference
    // device's size.
    const CRect& b = h.bounds;
    auto toHundredths = [](double px, double pxPerMM) {
        return LONG(std::clamp(std::round(px / pxPerMM * 100.0), -2147483647.0, 2147483647.0));
    };
    return CRect(toHundredths(b.left, h.PixelsPerMMX()), toHundredths(b.top, h.PixelsPerMMY()),
                 toHundredths(b.right + 1.0, h.PixelsPerMMX()), toHundredths(b.bottom + 1.0, h.PixelsPerMMY()));
}

CSize COXMetaFile::GetSize() const
{
    // Sides of hostile frames may not fit 32 bits: they are clamped.
    const CRect f = frame();
    auto side = [](long long a, long long b) { return LONG(std::clamp(b - a, -(long long)INT32_MAX, (long long)INT32_MAX)); };
    return CSize(side(f.left, f.right), side(f.top, f.bottom));
}

CSize COXMetaFile::GetNormalizedSize() const
{
    const CSize s = GetSize();
    return CSize(s.cx < 0 ? -s.cx : s.cx, s.cy < 0 ? -s.cy : s.cy);
}

CRect COXMetaFile::GetNormalizedRect() const { return CRect(CPoint(0, 0), GetNormalizedSize()); }

CRect COXMetaFile::GetBoundingRect() const
{
    CRect f = frame();
    f.NormalizeRect();
    return f;
}

CString COXMetaFile::GetDescription() const
{
    if (!m_hEMF)
        return CString();
    QString d = m_hEMF->Header().description;
    while (d.endsWith(QChar(0)))
        d.chop(1);
    return d;
}

BOOL COXMetaFile::PlayFile(CDC* dc, const CRect* rect) const
{
    if (!m_hEMF || !dc)
        return FALSE;
    const CRect r = rect ? *rect : GetBoundingRect();
    return PlayEnhMetaFile(dc, m_hEMF, &r);
}
