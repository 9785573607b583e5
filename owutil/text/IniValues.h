#pragma once
// Several typed values as one text and back, with a printf-like format.
// A conversion is "%", then any of the flags "-", "+", " ", "#", a width
// (digits, or "*" taking an int argument), a precision ("." and digits or
// "*"), an optional "l" (long), and one letter:
//
//   letter          IniWrite argument            text                IniRead target
//   d i             int (long with l)            printf              int* (long*)
//   u o x X         unsigned (unsigned long)     printf              unsigned* (unsigned long*)
//   b               bool                         0 or 1              bool*
//   f e E g G       double                       printf              double*
//   c               char                         printf              char*
//   s               const char* (UTF-8)          printf "%s"         QString*
//   q               const char* (UTF-8)          "%s" in quotes      QString* (quotes removed)
//   C               const unsigned long* colour  (red|green|blue)    unsigned long*
//   S               const CSize*                 (cx|cy)             CSize*
//   P               const CPoint*                (x|y)               CPoint*
//   R               const CRect*                 (l|t|r|b)           CRect*
//
// "%%" stands for a percent sign; a "%" before any other character is kept
// as it stands and takes no argument. One converted value is at most 1023
// bytes. Numbers are written with "." as decimal point whatever the locale.
// Null pointer arguments write an empty text or zeros; null targets are skipped.
#include <QString>

namespace OwUtil {

// Empties out and fills it with the formatted values. Returns out. Stops
// silently (keeping what was written) if anything fails.
QString& IniWrite(QString& out, const char* format, ...);

// Reads values from text into the targets: an ordinary format character
// skips text up to and including its first occurrence outside double quotes;
// a conversion reads the text up to the format character that follows it (or
// the whole rest at the end of the format). Numbers pass through their
// conversion, so a precision rounds ("%.1f" reads 2.26 as 2.3). Missing
// values read as 0 or empty; it never fails.
void IniRead(const QString& text, const char* format, ...);

} // namespace OwUtil
