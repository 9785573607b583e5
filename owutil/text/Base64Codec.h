#pragma once
// The Base64 alphabet and group arithmetic (RFC 2045, MIME), shared by the
// buffer and file functions. Internal to the library.
#include <cstddef>
#include <cstdint>

namespace OwUtil::Internal {

// Full groups per encoded line: 19 groups of 4 characters make 76.
constexpr int GroupsPerLine = 19;
constexpr int BytesPerLine = GroupsPerLine * 3;

// The encoded size of length bytes: 4 characters per started group of 3,
// CR LF after every 76 characters, and a terminating zero.
uint64_t EncodedSize(uint64_t length);

// Encodes length bytes into text (which holds EncodedSize(length) bytes,
// already zero-filled); returns the number of characters written.
size_t Encode(const unsigned char* data, size_t length, char* text);

// Decodes Base64 text piece by piece: alphabet characters and "=" form groups
// of four, everything else is passed over. A group left incomplete when the
// text ends is dropped.
class Base64Decoder {
public:
    // Decodes text up to its zero byte (or length bytes) into out when given;
    // returns the number of bytes the complete groups give.
    size_t Feed(const char* text, size_t length, unsigned char* out);
    size_t Feed(const char* text, unsigned char* out);

private:
    size_t flushGroup(unsigned char* out);

    char m_group[4] = {};
    int m_filled = 0;
};

} // namespace OwUtil::Internal
