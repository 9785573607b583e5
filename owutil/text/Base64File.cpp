#include "owutil/OwUtilC.h"
#include "owutil/text/Base64Codec.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cstring>
#include <vector>

using namespace OwUtil::Internal;

namespace {

QString path(const char* utf8) { return QString::fromUtf8(utf8); }

} // namespace

extern "C" int EncodeFile(const char* inputPath, const char* outputPath)
{
    if (inputPath == nullptr || outputPath == nullptr)
        return OWUTIL_FILE_DONE;
    QFile input(path(inputPath));
    if (!input.open(QIODevice::ReadOnly))
        return OWUTIL_FILE_DONE;
    // The output replaces an existing file only once it is complete.
    QSaveFile output(path(outputPath));
    if (!output.open(QIODevice::WriteOnly))
        return OWUTIL_FILE_NO_OUTPUT;
    char* text = nullptr;
    if (CreateMatchingEncodingBuffer(BytesPerLine, &text) == 0)
        return OWUTIL_FILE_NO_BUFFER;

    // One line per piece of 57 bytes: each full piece ends with CR LF.
    int result = OWUTIL_FILE_DONE;
    unsigned char piece[BytesPerLine];
    for (;;) {
        const qint64 n = input.read(reinterpret_cast<char*>(piece), BytesPerLine);
        if (n < 0) {
            result = OWUTIL_FILE_IO_ERROR;
            break;
        }
        if (n == 0)
            break;
        EncodeBuffer(piece, unsigned(n), text);
        const qint64 length = qint64(std::strlen(text));
        if (output.write(text, length) != length) {
            result = OWUTIL_FILE_IO_ERROR;
            break;
        }
    }
    DeleteMatchingBuffer(reinterpret_cast<void**>(&text));
    if (result != OWUTIL_FILE_DONE || !output.commit()) {
        output.cancelWriting();
        return OWUTIL_FILE_IO_ERROR;
    }
    return OWUTIL_FILE_DONE;
}

extern "C" int DecodeFile(const char* inputPath, const char* outputPath)
{
    if (inputPath == nullptr || outputPath == nullptr)
        return OWUTIL_FILE_DONE;
    QFile input(path(inputPath));
    if (!input.open(QIODevice::ReadOnly))
        return OWUTIL_FILE_DONE;
    QSaveFile output(path(outputPath));
    if (!output.open(QIODevice::WriteOnly))
        return OWUTIL_FILE_NO_OUTPUT;

    // Read in pieces rather than lines, so that a text without line breaks
    // needs no more memory than any other; a group may span two pieces (or
    // two lines) and is decoded whole.
    constexpr qint64 pieceSize = 64 * 1024;
    std::vector<char> piece(pieceSize);
    std::vector<unsigned char> bytes(pieceSize / 4 * 3 + 3);
    Base64Decoder decoder;
    int result = OWUTIL_FILE_DONE;
    for (;;) {
        const qint64 n = input.read(piece.data(), pieceSize);
        if (n < 0) {
            result = OWUTIL_FILE_IO_ERROR;
            break;
        }
        if (n == 0)
            break;
        // A zero byte in the text is passed over like a line break.
        size_t decoded = 0;
        for (qint64 start = 0; start < n;) {
            const qint64 end = qint64(std::find(piece.data() + start, piece.data() + n, '\0') - piece.data());
            decoded += decoder.Feed(piece.data() + start, size_t(end - start), bytes.data() + decoded);
            start = end + 1;
        }
        if (output.write(reinterpret_cast<const char*>(bytes.data()), qint64(decoded)) != qint64(decoded)) {
            result = OWUTIL_FILE_IO_ERROR;
            break;
        }
    }
    if (result != OWUTIL_FILE_DONE || !output.commit()) {
        output.cancelWriting();
        return OWUTIL_FILE_IO_ERROR;
    }
    return OWUTIL_FILE_DONE;
}
