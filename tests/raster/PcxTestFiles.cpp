#include "PcxTestFiles.h"

#include "RasterFixture.h"

QByteArray PcxHeaderBytes(int width, int height, int bitsPerPixel, int planes, int bytesPerLine, int dpi,
                          int encoding)
{
    QByteArray h(128, '\0');
    h[0] = 0x0A;                          // Manufacturer: ZSoft
    h[1] = 5;                             // Version: 3.0 and later
    h[2] = char(encoding);                // Encoding: 1 run-length
    h[3] = char(bitsPerPixel);            // BitsPerPixel, per plane
    PutLe16(h, 4, 0);                     // Xmin
    PutLe16(h, 6, 0);                     // Ymin
    PutLe16(h, 8, quint16(width - 1));    // Xmax, inclusive
    PutLe16(h, 10, quint16(height - 1));  // Ymax, inclusive
    PutLe16(h, 12, quint16(dpi));         // HDpi
    PutLe16(h, 14, quint16(dpi));         // VDpi
    // 16..63 Colormap: 16 RGB triples, left 0 (the EGA default applies)
    h[64] = 0;                            // Reserved
    h[65] = char(planes);                 // NPlanes
    PutLe16(h, 66, quint16(bytesPerLine)); // BytesPerLine, per plane
    PutLe16(h, 68, 1);                    // PaletteInfo: colour
    return h;
}

QByteArray PcxEncode(const QByteArray& raw)
{
    QByteArray out;
    for (qsizetype i = 0; i < raw.size();) {
        qsizetype run = 1;
        while (i + run < raw.size() && raw[i + run] == raw[i] && run < 63)
            ++run;
        const uchar b = uchar(raw[i]);
        if (run > 1 || b >= 0xC0)
            out.append(char(0xC0 | run));
        out.append(char(b));
        i += run;
    }
    return out;
}
