#include "platform/gdi/DibRle.h"

bool DibRle::Expand(const uint8_t* data, size_t size, int width, int height, bool rle4,
                    std::vector<uint8_t>* indices, std::vector<uint8_t>* drawn)
{
    if (width <= 0 || height <= 0)
        return false;
    const size_t w = size_t(width), h = size_t(height);
    indices->assign(w * h, 0);
    drawn->assign(w * h, 0);
    size_t x = 0, y = 0, pos = 0;
    auto put = [&](uint8_t index) {
        if (x < w && y < h) {
            (*indices)[y * w + x] = index;
            (*drawn)[y * w + x] = 1;
        }
        ++x;
    };
    while (pos + 2 <= size && y < h) {
        const uint8_t count = data[pos], value = data[pos + 1];
        pos += 2;
        if (count > 0) {
            // An encoded run; RLE4 alternates the two nibbles.
            for (unsigned i = 0; i < count && x < w; ++i)
                put(rle4 ? ((i & 1) ? (value & 0x0f) : (value >> 4)) : value);
            continue;
        }
        if (value == 0) { // end of line
            x = 0;
            ++y;
        } else if (value == 1) { // end of bitmap
            break;
        } else if (value == 2) { // delta
            if (pos + 2 > size)
                break;
            x += data[pos];
            y += data[pos + 1];
            pos += 2;
        } else { // absolute: value literal pixels, padded to 16 bits
            const size_t bytes = rle4 ? (size_t(value) + 1) / 2 : value;
            if (pos + bytes > size)
                break;
            for (unsigned i = 0; i < value; ++i) {
                const uint8_t b = data[pos + (rle4 ? i / 2 : i)];
                put(rle4 ? ((i & 1) ? (b & 0x0f) : (b >> 4)) : b);
            }
            pos += (bytes + 1) & ~size_t(1);
        }
    }
    return true;
}
