#pragma once
// Reading numbers from text files one at a time.
class CFile;

namespace OwUtil {

// Reads one whitespace-separated number from file, a byte at a time: leading
// blanks (space, tab, line feed, vertical tab, form feed, carriage return)
// are read and kept, and the number ends at the next blank (which is read
// too) or at the end of the file. value (when given) receives the number (0
// when there is none); a token of 100 characters or more leaves value
// untouched. totalRead (when given) grows by the number of bytes read.
// Always true: callers detect the end with CIsEof or totalRead. A read error
// of the file throws the framework's CFileException.
bool CReadTextDouble(CFile& file, double* value, unsigned int* totalRead);

// Whether the position is at or beyond the last byte of the file (one byte
// may remain unread). An empty file is not at its end.
bool CIsEof(CFile& file);

} // namespace OwUtil
