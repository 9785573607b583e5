#include "platform/gdi/AnsiText.h"

#include <QStringDecoder>
#include <array>

namespace {

// Windows-1252 at 0x80-0x9F (the rest of the page is Latin-1); unassigned
// bytes keep their value, as the platform's conversion does.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString decode1252(const char* bytes, size_t count)
{
    QString out(qsizetype(count), Qt::Uninitialized);
    for (size_t i = 0; i < count; ++i) {
        const auto b = uint8_t(bytes[i]);
        out[qsizetype(i)] = QChar(b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : char16_t(b));
    }
    return out;
}

} // namespace

int CodePageForCharset(BYTE charSet)
{
    switch (charSet) {
    case SYMBOL_CHARSET: return 0;
    case SHIFTJIS_CHARSET: return 932;
    case HANGUL_CHARSET: return 949;
    case JOHAB_CHARSET: return 1361;
    case GB2312_CHARSET: return 936;
    case CHINESEBIG5_CHARSET: return 950;
    case GREEK_CHARSET: return 1253;
    case TURKISH_CHARSET: return 1254;
    case VIETNAMESE_CHARSET: return 1258;
    case HEBREW_CHARSET: return 1255;
    case ARABIC_CHARSET: return 1256;
    case BALTIC_CHARSET: return 1257;
    case RUSSIAN_CHARSET: return 1251;
    case THAI_CHARSET: return 874;
    case EASTEUROPE_CHARSET: return 1250;
    case MAC_CHARSET: return 10000;
    case OEM_CHARSET: return 437;
    default: return 1252;
    }
}

QString AnsiToUnicode(const char* bytes, size_t count, BYTE charSet)
{
    if (!bytes || count == 0)
        return {};
    const int cp = CodePageForCharset(charSet);
    if (cp == 0) {
        QString out(qsizetype(count), Qt::Uninitialized);
        for (size_t i = 0; i < count; ++i)
            out[qsizetype(i)] = QChar(char16_t(0xF000 | uint8_t(bytes[i])));
        return out;
    }
    if (cp == 1252)
        return decode1252(bytes, count);
    const char* name = nullptr;
    QByteArray buf;
    switch (cp) {
    case 932: name = "Shift_JIS"; break;
    case 936: name = "GBK"; break;
    case 949: name = "windows-949"; break;
    case 950: name = "Big5"; break;
    case 874: name = "windows-874"; break;
    case 10000: name = "macintosh"; break;
    case 437: name = "IBM437"; break;
    default:
        buf = "windows-" + QByteArray::number(cp);
        name = buf.constData();
        break;
    }
    QStringDecoder decoder(name);
    if (!decoder.isValid())
        return decode1252(bytes, count);
    QString out = decoder.decode(QByteArrayView(bytes, qsizetype(count)));
    return decoder.hasError() ? decode1252(bytes, count) : out;
}
