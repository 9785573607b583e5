#pragma once
// Format ids of the raster image library: the ids documents pass when they
// load a file by its extension; -1 asks for recognition by content.
enum RasterFormat : int {
    RASTER_FORMAT_UNKNOWN = 0,
    RASTER_FORMAT_BMP = 1,
    RASTER_FORMAT_GIF = 2,
    RASTER_FORMAT_JPG = 3,
    RASTER_FORMAT_PNG = 4,
    RASTER_FORMAT_ICO = 5,
    RASTER_FORMAT_TIF = 6,
    RASTER_FORMAT_TGA = 7,
    RASTER_FORMAT_PCX = 8,
    RASTER_FORMAT_WBMP = 9,
    RASTER_FORMAT_WMF = 10,
    RASTER_FORMAT_JP2 = 11,
    RASTER_FORMAT_JPC = 12,
    RASTER_FORMAT_PGX = 13,
    RASTER_FORMAT_PNM = 14,
    RASTER_FORMAT_RAS = 15,
    RASTER_FORMAT_MNG = 17,
    RASTER_FORMAT_SKA = 18,
    RASTER_FORMAT_RAW = 19,
    RASTER_FORMAT_BY_CONTENT = -1,
};
