#include "ShortFileName.h"

#include "platform/gdi/CDC.h"
#include "toolkit/COXUNC.h"

namespace OwUtil {

QString MakeShortFileName(const QString& path, int maxLength)
{
    return COXUNC(path).GetAbbreviation(maxLength, true);
}

QString MakeShortFileName(const QString& path, const CTextExtent& dc, int maxWidth)
{
    if (maxWidth < 2)
        return {};
    const COXUNC unc(path);
    // Start from the whole path: a path that fits is shown whole.
    int n = int(std::min<qsizetype>(path.size(), INT32_MAX));
    QString text = unc.GetAbbreviation(n, true);
    int width = dc.GetTextWidth(text);
    while (n >= 1 && width > maxWidth) {
        --n;
        const QString shorter = unc.GetAbbreviation(n, true);
        // Lengths between two abbreviations give the same text: measure it once.
        if (shorter != text) {
            text = shorter;
            width = dc.GetTextWidth(text);
        }
    }
    return text;
}

int CDcTextExtent::GetTextWidth(const QString& text) const { return m_dc.GetTextExtent(text).cx; }

QString MakeShortFileName(const QString& path, CDC& dc, int maxWidth)
{
    return MakeShortFileName(path, CDcTextExtent(dc), maxWidth);
}

} // namespace OwUtil
