#include "TextBuffer.h"

#include <algorithm>
#include <cstring>

namespace OwUtil::Internal {

int Utf8Prefix(const QByteArray& utf8, int max)
{
    int n = int(std::min<qsizetype>(utf8.size(), std::max(max, 0)));
    if (n == utf8.size())
        return n;
    // utf8[n] is the first byte left out: step back while it continues a character.
    while (n > 0 && (static_cast<unsigned char>(utf8[n]) & 0xC0) == 0x80)
        --n;
    return n;
}

int CopyUtf8(const QByteArray& utf8, char* buffer, int size)
{
    if (buffer == nullptr || size <= 0)
        return 0;
    const int n = Utf8Prefix(utf8, size - 1);
    std::memcpy(buffer, utf8.constData(), size_t(n));
    buffer[n] = '\0';
    return n;
}

} // namespace OwUtil::Internal
