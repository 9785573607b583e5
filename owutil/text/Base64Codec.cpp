#include "Base64Codec.h"

#include <cstring>

namespace OwUtil::Internal {

namespace {

const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The value of an alphabet character, 0 for "=", -1 for any other character.
int value(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    if (c == '=')
        return 0;
    return -1;
}

} // namespace

uint64_t EncodedSize(uint64_t length)
{
    const uint64_t characters = (length + 2) / 3 * 4;
    return characters + characters / 76 * 2 + 1;
}

size_t Encode(const unsigned char* data, size_t length, char* text)
{
    size_t out = 0;
    int groups = 0;
    for (size_t i = 0; i < length; i += 3) {
        const size_t left = length - i;
        const uint32_t b0 = data[i];
        const uint32_t b1 = left > 1 ? data[i + 1] : 0;
        const uint32_t b2 = left > 2 ? data[i + 2] : 0;
        const uint32_t bits = (b0 << 16) | (b1 << 8) | b2;
        text[out++] = alphabet[(bits >> 18) & 63];
        text[out++] = alphabet[(bits >> 12) & 63];
        text[out++] = left > 1 ? alphabet[(bits >> 6) & 63] : '=';
        text[out++] = left > 2 ? alphabet[bits & 63] : '=';
        if (++groups == GroupsPerLine) {
            text[out++] = '\r';
            text[out++] = '\n';
            groups = 0;
        }
    }
    return out;
}

size_t Base64Decoder::flushGroup(unsigned char* out)
{
    const uint32_t bits = uint32_t(value(m_group[0])) << 18 | uint32_t(value(m_group[1])) << 12
                          | uint32_t(value(m_group[2])) << 6 | uint32_t(value(m_group[3]));
    size_t n = 3;
    if (m_group[3] == '=')
        n = m_group[2] == '=' ? 1 : 2;
    if (out) {
        out[0] = (unsigned char)(bits >> 16);
        if (n > 1)
            out[1] = (unsigned char)(bits >> 8);
        if (n > 2)
            out[2] = (unsigned char)bits;
    }
    m_filled = 0;
    return n;
}

size_t Base64Decoder::Feed(const char* text, size_t length, unsigned char* out)
{
    size_t written = 0;
    if (text == nullptr)
        return 0;
    for (size_t i = 0; i < length && text[i] != '\0'; ++i) {
        if (value(text[i]) < 0)
            continue;
        m_group[m_filled++] = text[i];
        if (m_filled == 4)
            written += flushGroup(out ? out + written : nullptr);
    }
    return written;
}

size_t Base64Decoder::Feed(const char* text, unsigned char* out)
{
    return Feed(text, text ? std::strlen(text) : 0, out);
}

} // namespace OwUtil::Internal
