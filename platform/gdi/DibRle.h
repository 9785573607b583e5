#pragma once
// Run-length encoded DIB bits (BI_RLE8, BI_RLE4) expanded into palette
// indices. Runs and literal spans that go past a row or past the bitmap are
// cut where they leave it; a code that asks for bytes the data does not
// have ends the decoding; pixels never reached keep index 0 and are marked
// as not drawn (the platform leaves them untouched).
#include <cstddef>
#include <cstdint>
#include <vector>

class DibRle {
public:
    // indices: width * height bytes, bottom-up rows as in the data; drawn:
    // the same size, 1 where a code set the pixel. False for a bad size.
    static bool Expand(const uint8_t* data, size_t size, int width, int height, bool rle4,
                       std::vector<uint8_t>* indices, std::vector<uint8_t>* drawn);
};
