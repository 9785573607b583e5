#pragma once
// What a decoder hands back: the first (or, for icons, the largest) image of
// the file and the resolution the file states.
#include <QImage>

enum class RasterDecodeStatus {
    Decoded,       // image holds the picture
    NotThisFormat, // the content is not of the decoder's format: try another
    Unsupported,   // the format's, but a variant this decoder does not read
    TooLarge,      // the declared or decoded size exceeds the memory bound
    Failed,        // the format's, but unreadable (corrupt, or no data)
};

struct RasterDecodeResult {
    RasterDecodeStatus status = RasterDecodeStatus::NotThisFormat;
    QImage image;
    // Dots per inch as the file states them; 0 when it states none.
    int xDpi = 0;
    int yDpi = 0;

    static RasterDecodeResult WithStatus(RasterDecodeStatus s)
    {
        RasterDecodeResult r;
        r.status = s;
        return r;
    }
    bool Final() const { return status == RasterDecodeStatus::Decoded || status == RasterDecodeStatus::TooLarge; }
};
