#pragma once
// Ids of the utility library's dialog templates, bitmaps and artwork.

enum : unsigned {
    // Bitmap: the side banner, 800 x 259, 8 bits, 100 colours.
    IDB_OWSIDEBANNER = 1000,
    // Type "MetaFile": the maker's logo, a placeable Windows metafile.
    IDR_OWLOGO = 1001,
    IDD_TIP = 1002,
    IDD_DATETIME = 1004,
    IDD_PROGRESS = 1005,
    IDB_LIGHTBULB = 1004,
};
