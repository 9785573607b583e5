// Player entries: fonts and text.
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/metafile/EmfPlayOps.h"
#include "platform/metafile/EmfPlayback.h"
#include "platform/metafile/EmfPlayer.h"

namespace emfplay {
namespace {

bool validIndex(const EmfPlayContext& ctx, DWORD index)
{
    return index != 0 && index < ctx.nHandles && index < ctx.table->objectHandle.size();
}

// Advances for every character: the record's, then the font's own for the
// characters a short array leaves out.
std::vector<INT> fullAdvances(CDC& dc, const EmrTextItem& item)
{
    const bool pdy = item.options & ETO_PDY;
    const size_t per = pdy ? 2 : 1;
    const size_t length = item.Length();
    std::vector<INT> dx = item.dx;
    if (dx.size() >= length * per)
        return dx;
    dx.reserve(length * per);
    for (size_t i = dx.size() / per; i < length; ++i) {
        if (dx.size() % per)
            dx.push_back(0); // the y of a half-read pair
        INT advance = 0;
        if (item.options & ETO_GLYPH_INDEX) {
            advance = 0;
        } else {
            const QChar c = item.isWide ? QChar(item.wide[i]) : QChar(char16_t(uint8_t(item.narrow[i])));
            advance = dc.GetTextExtent(QString(c)).cx;
        }
        dx.push_back(advance);
        if (pdy)
            dx.push_back(0);
    }
    return dx;
}

} // namespace

bool playCreateFont(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& f = std::get<EmrCreateFont>(r);
    HFONT font = CreateFontIndirectW(&f.font);
    if (!validIndex(ctx, f.index)) {
        DeleteObject(font);
        return true;
    }
    HGDIOBJ& slot = ctx.table->objectHandle[f.index];
    if (slot)
        DeleteObject(slot);
    slot = font;
    return true;
}

bool playTextOut(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& t = std::get<EmrText>(r);
    CDC& dc = *ctx.dc;
    dc.SetTextGraphicsMode(t.graphicsMode == GM_ADVANCED ? GM_ADVANCED : GM_COMPATIBLE);
    for (const EmrTextItem& item : t.items) {
        if (dc.IsCancelled())
            break;
        const RECT* rect = (item.options & ETO_NO_RECT) ? nullptr : &item.rect;
        const UINT options = item.options & ~UINT(ETO_NO_RECT);
        std::vector<INT> dx;
        if (!item.dx.empty())
            dx = fullAdvances(dc, item);
        const INT* pdx = dx.empty() ? nullptr : dx.data();
        const int n = int(item.Length());
        if (item.isWide)
            dc.ExtTextOutW(item.reference.x, item.reference.y, options, rect, item.wide.data(), n, pdx);
        else
            dc.ExtTextOutA(item.reference.x, item.reference.y, options, rect, item.narrow.data(), n, pdx);
    }
    dc.SetTextGraphicsMode(0);
    return true;
}

} // namespace emfplay
