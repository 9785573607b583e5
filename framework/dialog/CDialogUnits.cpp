#include "CDialogUnits.h"

#include <QFontMetrics>

namespace {

// a * b / c rounded half away from zero, as the platform's MulDiv.
int mulDiv(int a, int b, int c)
{
    const long long p = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(p >= 0 ? (p + half) / c : (p - half) / c);
}

} // namespace

CDialogUnits::CDialogUnits(const QFont& font)
{
    const QFontMetrics fm(font);
    // The platform measures the 52 Latin letters and rounds their mean width;
    // the widest character would stretch dialogs set in proportional fonts.
    const int letters = fm.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_baseX = qMax(1, (letters / 26 + 1) / 2);
    m_baseY = qMax(1, fm.height());
}

int CDialogUnits::MapX(int x) const { return mulDiv(x, m_baseX, 4); }
int CDialogUnits::MapY(int y) const { return mulDiv(y, m_baseY, 8); }

void CDialogUnits::MapDialogRect(CRect& rect) const
{
    rect.left = MapX(rect.left);
    rect.right = MapX(rect.right);
    rect.top = MapY(rect.top);
    rect.bottom = MapY(rect.bottom);
}

QRect CDialogUnits::MapItem(int x, int y, int cx, int cy) const
{
    // Edges are mapped, not sizes, so that neighbouring items stay flush.
    const int left = MapX(x);
    const int top = MapY(y);
    return QRect(left, top, MapX(x + cx) - left, MapY(y + cy) - top);
}

QSize CDialogUnits::MapSize(int cx, int cy) const { return QSize(MapX(cx), MapY(cy)); }
