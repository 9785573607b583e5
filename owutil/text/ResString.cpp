#include "ResString.h"

#include <vector>

namespace OwUtil {

QString ResString(unsigned int id, HINSTANCE module)
{
    // LoadString cuts a string to the buffer without saying so: a text that
    // leaves fewer than two characters free may have been cut, so load it
    // again into a larger buffer.
    constexpr int step = 256;
    std::vector<QChar> buffer;
    int size = 0;
    int length = 0;
    do {
        size += step;
        buffer.assign(size_t(size), QChar());
        length = LoadString(module, id, buffer.data(), size);
    } while (size - length < 2);
    return QString(buffer.data(), length);
}

} // namespace OwUtil
