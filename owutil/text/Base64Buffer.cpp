#include "owutil/OwUtilC.h"
#include "owutil/text/Base64Codec.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

using OwUtil::Internal::Base64Decoder;
using OwUtil::Internal::EncodedSize;

extern "C" void EncodeBuffer(const unsigned char* data, unsigned int length, char* text)
{
    if (text == nullptr)
        return;
    std::memset(text, 0, size_t(EncodedSize(length)));
    if (data != nullptr)
        OwUtil::Internal::Encode(data, length, text);
}

extern "C" int DecodeBuffer(const char* text, unsigned char* data)
{
    if (text == nullptr || data == nullptr)
        return 0;
    Base64Decoder decoder;
    const size_t n = decoder.Feed(text, data);
    return n > size_t(INT_MAX) ? INT_MAX : int(n);
}

extern "C" int CreateMatchingEncodingBuffer(int length, char** buffer)
{
    if (buffer == nullptr)
        return 0;
    *buffer = nullptr;
    if (length < 0)
        return 0;
    const uint64_t size = EncodedSize(uint64_t(length));
    if (size > uint64_t(INT_MAX))
        return 0;
    *buffer = static_cast<char*>(std::calloc(size_t(size), 1));
    return *buffer ? int(size) : 0;
}

extern "C" int CreateMatchingDecodingBuffer(const char* text, unsigned char** buffer)
{
    if (buffer == nullptr)
        return 0;
    *buffer = nullptr;
    if (text == nullptr)
        return 0;
    const size_t length = std::strlen(text);
    // Three bytes per four characters, less the padding at the end; never
    // less than the decoder will write, whatever the text holds (padding that
    // belongs to no complete group would otherwise make the buffer too small).
    uint64_t size = uint64_t(length / 4) * 3;
    if (length >= 2 && text[length - 1] == '=' && text[length - 2] == '=')
        size = size >= 2 ? size - 2 : 0;
    else if (length >= 1 && text[length - 1] == '=')
        size = size >= 1 ? size - 1 : 0;
    Base64Decoder counter;
    size = std::max<uint64_t>(size, counter.Feed(text, length, nullptr));
    if (size > uint64_t(INT_MAX))
        return 0;
    // At least one byte, so that an empty result is still a buffer to free.
    *buffer = static_cast<unsigned char*>(std::calloc(size_t(size ? size : 1), 1));
    return *buffer ? int(size) : 0;
}

extern "C" void DeleteMatchingBuffer(void** buffer)
{
    if (buffer == nullptr)
        return;
    std::free(*buffer);
    *buffer = nullptr;
}
