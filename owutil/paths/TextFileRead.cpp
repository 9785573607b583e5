#include "TextFileRead.h"

#include "framework/file/CFile.h"
#include "owutil/text/NumberText.h"

namespace OwUtil {

namespace {

bool isBlank(char c) { return c == ' ' || (c >= 9 && c <= 13); }

} // namespace

bool CReadTextDouble(CFile& file, double* value, unsigned int* totalRead)
{
    constexpr int bufferSize = 100;
    char buffer[bufferSize + 1] = {};
    int count = 0;
    bool started = false;
    bool complete = false;
    while (count < bufferSize) {
        char c = 0;
        if (file.Read(&c, 1) == 0) {
            complete = true;
            break;
        }
        buffer[count++] = c;
        if (!isBlank(c))
            started = true;
        else if (started) {
            complete = true;
            break;
        }
    }
    if (complete && value)
        *value = Internal::ReadDouble(buffer);
    if (totalRead)
        *totalRead += unsigned(count);
    return true;
}

bool CIsEof(CFile& file)
{
    // Unsigned: for an empty file, length - 1 is the largest position there is.
    return file.GetPosition() >= file.GetLength() - 1;
}

} // namespace OwUtil
