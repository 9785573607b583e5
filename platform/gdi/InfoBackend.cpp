#include "platform/gdi/InfoBackend.h"

#include <algorithm>
#include <cmath>

int InfoBackend::GetDeviceCaps(int index) const
{
    // Millimetres from the pixels at the logical resolution, as a screen
    // reports them.
    auto mm = [](int pixels, int dpi) { return std::max(1, int(std::lround(pixels * 25.4 / std::max(1, dpi)))); };
    switch (index) {
    case TECHNOLOGY: return m_device.technology;
    case HORZRES:
    case DESKTOPHORZRES:
    case PHYSICALWIDTH: return m_device.pixels.width();
    case VERTRES:
    case DESKTOPVERTRES:
    case PHYSICALHEIGHT: return m_device.pixels.height();
    case HORZSIZE: return mm(m_device.pixels.width(), m_device.logPixelsX);
    case VERTSIZE: return mm(m_device.pixels.height(), m_device.logPixelsY);
    case LOGPIXELSX: return m_device.logPixelsX;
    case LOGPIXELSY: return m_device.logPixelsY;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case COLORRES: return 24;
    default: return 0;
    }
}
