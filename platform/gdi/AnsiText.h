#pragma once
// ANSI text of the platform's "A" calls and records: bytes in the code page
// of the selected font's character set.
#include "platform/gdi/FontDefs.h"

#include <QString>
#include <cstddef>

// The Windows code page of a character set (1252 for ANSI and DEFAULT; 0
// for SYMBOL_CHARSET, whose bytes are not characters).
int CodePageForCharset(BYTE charSet);
// Decodes bytes in the code page of charSet. SYMBOL_CHARSET bytes become
// the private-use characters U+F000 + byte, as the platform hands them to
// a symbol-encoded face; code pages without a decoder here fall back to
// 1252.
QString AnsiToUnicode(const char* bytes, size_t count, BYTE charSet);
