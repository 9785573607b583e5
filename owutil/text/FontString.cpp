#include "FontString.h"

#include "owutil/text/NumberFormat.h"
#include "owutil/text/NumberText.h"
#include "owutil/text/TextBuffer.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstring>

namespace OwUtil {

char* GetFontAsString(int pointSize, const LOGFONTA* font, unsigned long colour, char* buffer,
                      unsigned int size)
{
    if (buffer == nullptr)
        return nullptr;
    LOGFONTA none{};
    const LOGFONTA& f = font ? *font : none;
    const QByteArray face(f.lfFaceName, qsizetype(strnlen(f.lfFaceName, LF_FACESIZE)));
    const QString text = QString::asprintf("%s\n%d\n%d\n%d\n%d\n%d\n%d\n", face.constData(), pointSize,
                                           int(f.lfWeight), int(f.lfItalic), f.lfUnderline == 1 ? 1 : 0,
                                           f.lfStrikeOut == 1 ? 1 : 0, int(uint32_t(colour)));
    const int room = size > 0x7FFFFFFFu ? 0x7FFFFFFF : int(size);
    std::memset(buffer, 0, size);
    Internal::CopyUtf8(text.toUtf8(), buffer, room);
    return buffer;
}

void GetFontFromString(int* pointSize, LOGFONTA* font, unsigned long* colour, const char* text)
{
    const QList<QByteArray> lines = QByteArray(text ? text : "").split('\n');
    auto line = [&](int k) { return k < lines.size() ? lines[k] : QByteArray(); };
    auto number = [&](int k) { return Internal::ReadDecimal(line(k).constData()); };

    const long long size = number(1);
    if (pointSize)
        *pointSize = int(size);
    if (font) {
        *font = LOGFONTA{};
        const QByteArray face = line(0);
        std::memcpy(font->lfFaceName, face.constData(), size_t(Internal::Utf8Prefix(face, LF_FACESIZE - 1)));
        font->lfHeight = LONG(-Round(double(int(size)) / 10.0, 1.0));
        font->lfWeight = LONG(number(2));
        font->lfItalic = BYTE(number(3));
        font->lfUnderline = BYTE(number(4));
        font->lfStrikeOut = BYTE(number(5));
    }
    if (colour)
        *colour = uint32_t(number(6)); // colours are 32-bit, also when written negative
}

} // namespace OwUtil
