#pragma once
// The records with which a recording sets its readers' mapping to that of
// the device context it records. Readers other than the platform's follow a
// mapping mode with window and viewport far better than world transforms:
// LibreOffice's import, for one, turns a font's escapement by the sign of
// the window extents only and maps box sizes through the world transform's
// diagonal, so a mirror held in the world transform moves rotated text and
// loses small ellipses. So
// the page mapping stays a page mapping (MM_ANISOTROPIC with the device
// context's window, and its viewport carried through the playback's outer
// transform), and only the device context's own world transform is written
// as one. An outer transform that turns or shears cannot be carried by a
// viewport; then the whole logical-to-device transform becomes the world
// transform under MM_TEXT.
#include "platform/gdi/DcMapping.h"

#include <cstdint>
#include <vector>

class EmfMappingRecords {
public:
    // SETMAPMODE, SETWINDOWEXTEX, SETVIEWPORTEXTEX, SETWINDOWORGEX,
    // SETVIEWPORTORGEX and SETWORLDTRANSFORM, each complete.
    static std::vector<std::vector<uint8_t>> For(const DcMapping& mapping);

    // Window and viewport extents whose ratio is ratio (the viewport's
    // extent over the window's on one axis) as closely as 32-bit extents
    // carry it, the window extent a whole multiple of window where one fits.
    struct Extents {
        int32_t window = 1, viewport = 1;
    };
    static Extents Scaled(int32_t window, double viewport);
};
