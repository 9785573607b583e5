#pragma once
// One conversion of an INI value format, as IniWrite and IniRead collect it.
#include <cstdarg>
#include <string>

class QString;
template <class T> class MemAlloc;

namespace OwUtil::Internal {

struct IniConversion {
    std::string text;   // "%", flags, width, precision, "l": without the letter
    char letter = '\0'; // 0 when the format ended inside the conversion
    bool isLong = false;

    // The printf conversion for the letter: "b" becomes "d", "q" becomes "s";
    // "l" is kept only where printf reads a long.
    std::string Printf() const;
};

// Collects the conversion at format (which points at "%"), taking the int
// argument of each "*" from args. Returns the position after the letter.
const char* ParseIniConversion(const char* format, IniConversion& conversion, va_list* args);

// Formats one value with a printf conversion into the 1024-byte working
// buffer and returns the text.
QString FormatIniValue(MemAlloc<char>& buffer, const char* conversion, ...);

} // namespace OwUtil::Internal
