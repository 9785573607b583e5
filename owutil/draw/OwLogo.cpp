#include "OwLogo.h"

#include "framework/except/CException.h"
#include "owutil/resources/OwUtilModule.h"
#include "owutil/resources/OwUtilResourceIds.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CPalette.h"
#include "toolkit/COXDIB.h"
#include "toolkit/COXMetaFile.h"

#include <cmath>
#include <memory>

namespace OwUtil {

COXMetaFile* GetOWLogo()
{
    try {
        // The library's own module, whichever program calls.
        const QString* path = OwUtilModule()->FindCustom(QStringLiteral("MetaFile"), IDR_OWLOGO);
        if (path == nullptr)
            return nullptr;
        auto logo = std::make_unique<COXMetaFile>();
        if (logo->LoadFile(*path) == nullptr)
            return nullptr;
        return logo.release();
    } catch (const CException& e) {
        e.ReportError();
        return nullptr;
    }
}

COXDIB* GetOWSideBanner()
{
    try {
        auto banner = std::make_unique<COXDIB>();
        if (!banner->LoadResource(IDB_OWSIDEBANNER, OwUtilModule()))
            return nullptr;
        return banner.release();
    } catch (const CException& e) {
        e.ReportError();
        return nullptr;
    }
}

int PaintClientAreaLogo(CDC* dc, const CRect& area, COXDIB* logo, CPalette* palette)
{
    std::unique_ptr<COXDIB> banner;
    if (logo == nullptr) {
        banner.reset(GetOWSideBanner());
        if (!banner)
            return 0;
    }
    int height = 0;
    try {
        COXDIB image = logo ? *logo : *banner;
        const CSize size = image.GetSize();
        if (dc != nullptr && palette != nullptr) {
            dc->SelectPalette(palette, FALSE);
            dc->RealizePalette();
        }
        if (size.cx <= 0 || size.cy <= 0 || area.Width() <= 0)
            return 0;
        height = MulDiv(area.Width(), size.cy, size.cx);
        if (height <= 0)
            return 0;
        const CRect target(area.left, area.bottom - height, area.right, area.bottom);
        // The pixels the target covers on the device: one logical pixel is
        // several on a high-density screen, and the banner should be sharp there.
        int cx = target.Width(), cy = target.Height();
        if (dc != nullptr) {
            POINT corners[2] = {{target.left, target.top}, {target.right, target.bottom}};
            dc->LPtoDP(corners, 2);
            cx = std::max(1, int(std::abs(corners[1].x - corners[0].x)));
            cy = std::max(1, int(std::abs(corners[1].y - corners[0].y)));
        }
        image.ResizeDIB(cx, cy);
        image.HalfToneDitherDIB();
        if (dc != nullptr)
            image.Paint(dc, target, CRect(0, 0, cx, cy));
    } catch (const CException& e) {
        e.ReportError();
    }
    return height;
}

} // namespace OwUtil
