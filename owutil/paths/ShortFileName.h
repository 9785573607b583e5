#pragma once
// Paths shortened for display: the root and the file name are kept and the
// folders next to the root are replaced by "..." ("C:\...\docs\f.txt").
#include <QFont>
#include <QFontMetrics>
#include <QString>

class CDC;

namespace OwUtil {

// Measures the width of text as it would be drawn on a device context. The
// device context of the drawing layer measures through GetTextExtent on its
// attribute context; CFontMetricsExtent measures with a Qt font.
class CTextExtent {
public:
    virtual ~CTextExtent() = default;
    // The width of text in device units.
    virtual int GetTextWidth(const QString& text) const = 0;
};

class CFontMetricsExtent : public CTextExtent {
public:
    explicit CFontMetricsExtent(const QFont& font) : m_metrics(font) {}
    explicit CFontMetricsExtent(const QFontMetrics& metrics) : m_metrics(metrics) {}
    int GetTextWidth(const QString& text) const override { return m_metrics.horizontalAdvance(text); }

private:
    QFontMetrics m_metrics;
};

// Measures with a device context's selected font (GetTextExtent), in the
// context's logical units.
class CDcTextExtent : public CTextExtent {
public:
    explicit CDcTextExtent(CDC& dc) : m_dc(dc) {}
    int GetTextWidth(const QString& text) const override;

private:
    CDC& m_dc;
};

// path shortened to at most maxLength characters (the file name alone may be longer).
QString MakeShortFileName(const QString& path, int maxLength);

// path itself when its width measured by dc is at most maxWidth, otherwise
// its longest shortening that fits; empty when maxWidth is below 2. When no
// shortening fits, the file name alone.
QString MakeShortFileName(const QString& path, const CTextExtent& dc, int maxWidth);
// The same, measured with the font selected into dc; maxWidth in dc's
// logical units.
QString MakeShortFileName(const QString& path, CDC& dc, int maxWidth);

} // namespace OwUtil
