#pragma once
// A font and its colour as text: seven lines, each ended by a line feed,
// holding the face name, the point size in tenths of a point, the weight,
// italic, underline, strike-out and the colour (all decimal).
#include "platform/gdi/LogFont.h"

namespace OwUtil {

// Writes the text of font (pointSize in tenths of a point) into buffer: the
// buffer is zero-filled over size bytes and at most size - 1 bytes are
// written. Returns buffer (null for a null buffer). A null font writes an
// empty face name and zeros.
char* GetFontAsString(int pointSize, const LOGFONTA* font, unsigned long colour, char* buffer,
                      unsigned int size);

// Reads a text written by GetFontAsString: every field of font is cleared,
// then the face name (at most 31 bytes), the weight, italic, underline and
// strike-out are set, and the height becomes minus the point size in whole
// points (95 tenths give -10). Null pointers are skipped.
void GetFontFromString(int* pointSize, LOGFONTA* font, unsigned long* colour, const char* text);

} // namespace OwUtil
