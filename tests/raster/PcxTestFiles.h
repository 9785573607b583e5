#pragma once
// Hand-built PCX files for the decoder tests.
#include <QByteArray>

// A 128-byte header; every field as the ZSoft reference names it.
QByteArray PcxHeaderBytes(int width, int height, int bitsPerPixel, int planes, int bytesPerLine, int dpi = 0,
                          int encoding = 1);
// Run-length encodes bytes as PCX does (runs of up to 63, and single bytes
// of 0xC0 and above as runs of one).
QByteArray PcxEncode(const QByteArray& raw);
