// CDC: selecting objects (pens, brushes, fonts, regions, palettes) and the
// temporary wrappers the framework's Select calls hand back.
#include "platform/gdi/CDC.h"
#include "platform/gdi/DcRecording.h"

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/CPalette.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/CRgn.h"

HGDIOBJ CDC::SelectObject(HGDIOBJ object)
{
    if (!object || object->IsDeleted())
        return nullptr;
    switch (object->Type()) {
    case OBJ_PEN:
    case OBJ_EXTPEN: {
        HGDIOBJ prev = m_state.pen.get();
        m_state.pen = static_cast<GdiPen*>(object);
        if (MetaRecorder* r = Recorder())
            r->Select(*this, object);
        return prev;
    }
    case OBJ_BRUSH: {
        HGDIOBJ prev = m_state.brush.get();
        m_state.brush = static_cast<GdiBrush*>(object);
        if (MetaRecorder* r = Recorder())
            r->Select(*this, object);
        return prev;
    }
    case OBJ_REGION:
        // Selecting a region selects a copy of it as the clip region; the
        // platform returns the region's complexity in place of a handle.
        return reinterpret_cast<HGDIOBJ>(intptr_t(SelectClipRgn(static_cast<HRGN>(object))));
    case OBJ_PAL:
        return SelectPalette(static_cast<HPALETTE>(object), FALSE);
    case OBJ_FONT: {
        HGDIOBJ prev = m_state.font.get();
        m_state.font = static_cast<GdiFont*>(object);
        return prev;
    }
    case OBJ_BITMAP:
        return selectBitmap(static_cast<HBITMAP>(object));
    default:
        return nullptr;
    }
}

HGDIOBJ CDC::GetCurrentObject(DWORD type) const
{
    switch (type) {
    case OBJ_PEN:
    case OBJ_EXTPEN: return m_state.pen.get();
    case OBJ_BRUSH: return m_state.brush.get();
    case OBJ_PAL: return m_state.palette.get();
    case OBJ_FONT: return m_state.font.get();
    case OBJ_BITMAP: return m_bitmap.get();
    default: return nullptr;
    }
}

CGdiObject* CDC::tempWrapper(HGDIOBJ object)
{
    if (!object)
        return nullptr;
    auto& slot = m_temps[object];
    if (!slot) {
        switch (object->Type()) {
        case OBJ_PEN:
        case OBJ_EXTPEN: slot = std::make_unique<CPen>(); break;
        case OBJ_BRUSH: slot = std::make_unique<CBrush>(); break;
        case OBJ_PAL: slot = std::make_unique<CPalette>(); break;
        case OBJ_FONT: slot = std::make_unique<CFont>(); break;
        case OBJ_BITMAP: slot = std::make_unique<CBitmap>(); break;
        default: slot = std::make_unique<CGdiObject>(); break;
        }
        slot->MakeTemporary();
        slot->Attach(object);
    }
    return slot.get();
}

CPen* CDC::SelectObject(CPen* pen)
{
    return pen ? static_cast<CPen*>(tempWrapper(SelectObject(pen->m_hObject))) : nullptr;
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    return brush ? static_cast<CBrush*>(tempWrapper(SelectObject(brush->m_hObject))) : nullptr;
}

int CDC::SelectObject(CRgn* region) { return SelectClipRgn(region); }

CGdiObject* CDC::SelectStockObject(int index) { return tempWrapper(SelectObject(GetStockObject(index))); }

HPALETTE CDC::SelectPalette(HPALETTE palette, BOOL)
{
    if (!palette || palette->IsDeleted())
        return nullptr;
    HPALETTE prev = m_state.palette.get();
    m_state.palette = palette;
    if (MetaRecorder* r = Recorder())
        r->Select(*this, palette);
    return prev;
}

CPalette* CDC::SelectPalette(CPalette* palette, BOOL forceBackground)
{
    if (!palette)
        return nullptr;
    return static_cast<CPalette*>(tempWrapper(SelectPalette(HPALETTE(*palette), forceBackground)));
}

UINT CDC::RealizePalette()
{
    // A true-colour device maps no palette entries.
    recordCall(*this, EMR_REALIZEPALETTE);
    return 0;
}

// --- attributes --------------------------------------------------------------

