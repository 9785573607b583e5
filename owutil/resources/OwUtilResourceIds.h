#pragma once
// Ids of the utility library's artwork.

enum : unsigned {
    // Bitmap: the side banner, 800 x 259, 8 bits, 100 colours.
    IDB_OWSIDEBANNER = 1000,
    // Type "MetaFile": the maker's logo, a placeable Windows metafile.
    IDR_OWLOGO = 1001,
};
