#pragma once
// Copying text into the fixed-size character buffers of the plain functions.
#include <QByteArray>

namespace OwUtil::Internal {

// Copies utf8 into buffer (size bytes, already zero-filled): at most size - 1
// bytes, cut before a character that would not fit whole. Returns the number
// of bytes copied.
int CopyUtf8(const QByteArray& utf8, char* buffer, int size);

// The length of the longest beginning of utf8 of at most max bytes that does
// not end inside a character.
int Utf8Prefix(const QByteArray& utf8, int max);

} // namespace OwUtil::Internal
