#pragma once
// Dialog units: templates give their sizes in quarters of the font's average
// character width and eighths of its character height, so that a dialog keeps
// its proportions whatever font it is shown with. This converts them to
// pixels as the platform's MapDialogRect does.
#include "platform/types/CRect.h"

#include <QFont>
#include <QRect>
#include <QSize>

class CDialogUnits {
public:
    explicit CDialogUnits(const QFont& font);

    // The font's average character width and character height in pixels.
    int BaseX() const { return m_baseX; }
    int BaseY() const { return m_baseY; }

    int MapX(int x) const;
    int MapY(int y) const;
    // rect in dialog units becomes pixels, in place.
    void MapDialogRect(CRect& rect) const;
    // A template's item: position and size in dialog units.
    QRect MapItem(int x, int y, int cx, int cy) const;
    QSize MapSize(int cx, int cy) const;

private:
    int m_baseX = 0;
    int m_baseY = 0;
};
