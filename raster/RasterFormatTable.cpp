#include "raster/RasterFormatTable.h"

namespace {

// GraphicsMagick serves only formats without a Qt reader, and formats whose
// Qt reader covers a part of the variants files use: Qt reads true-colour
// Targa only, GraphicsMagick also the colour-mapped and grey ones.
// PCX has its own decoder (it streams into the final image; GraphicsMagick
// holds the file, the raw planes and a 16-bit pixel cache at once), with
// GraphicsMagick behind it for the variants the decoder does not know.
constexpr RasterFormatEntry kEntries[] = {
    {RASTER_FORMAT_BMP, "BMP", {"bmp"}, false, {}, false},
    {RASTER_FORMAT_GIF, "GIF", {"gif"}, false, {}, false},
    {RASTER_FORMAT_JPG, "JPEG", {"jpeg", "jpg"}, false, {}, false},
    {RASTER_FORMAT_PNG, "PNG", {"png"}, false, {}, false},
    {RASTER_FORMAT_ICO, "ICO", {"ico", "cur"}, false, {}, true},
    {RASTER_FORMAT_TIF, "TIFF", {"tiff", "tif"}, false, {}, false},
    {RASTER_FORMAT_TGA, "TGA", {"tga"}, false, {"TGA"}, false},
    {RASTER_FORMAT_PCX, "PCX", {}, true, {"PCX"}, false},
    {RASTER_FORMAT_WBMP, "WBMP", {"wbmp"}, false, {"WBMP"}, false},
    {RASTER_FORMAT_JP2, "JP2", {"jp2"}, false, {"JP2"}, false},
    {RASTER_FORMAT_JPC, "JPC", {"jpc", "j2k"}, false, {"JPC", "J2C"}, false},
    {RASTER_FORMAT_PGX, "PGX", {"pgx"}, false, {"PGX"}, false},
    {RASTER_FORMAT_PNM, "PNM", {"pbm", "pgm", "ppm"}, false, {"PNM", "PAM"}, false},
    {RASTER_FORMAT_RAS, "RAS", {"ras"}, false, {"SUN", "RAS"}, false},
    {RASTER_FORMAT_MNG, "MNG", {"mng"}, false, {"MNG", "JNG"}, false},
    // Camera RAW through a Qt plugin when one is installed. GraphicsMagick
    // reads it only by running an outside program on the file, which a
    // viewer of untrusted files does not do.
    {RASTER_FORMAT_RAW, "RAW", {"raw", "dng", "nef", "cr2"}, false, {}, false},
};

template <size_t N>
bool listHolds(const std::array<const char*, N>& list, const QByteArray& name)
{
    for (const char* item : list) {
        if (item && name.compare(item, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

std::span<const RasterFormatEntry> RasterFormatTable::Entries()
{
    return kEntries;
}

const RasterFormatEntry* RasterFormatTable::Find(int id)
{
    for (const RasterFormatEntry& e : kEntries) {
        if (e.id == id)
            return &e;
    }
    return nullptr;
}

const RasterFormatEntry* RasterFormatTable::FindByQtFormat(const QByteArray& qtFormat)
{
    if (qtFormat.isEmpty())
        return nullptr;
    for (const RasterFormatEntry& e : kEntries) {
        if (listHolds(e.qtFormats, qtFormat))
            return &e;
    }
    return nullptr;
}

const RasterFormatEntry* RasterFormatTable::FindByMagickCoder(const QByteArray& coder)
{
    if (coder.isEmpty())
        return nullptr;
    for (const RasterFormatEntry& e : kEntries) {
        if (listHolds(e.magickCoders, coder))
            return &e;
    }
    return nullptr;
}
