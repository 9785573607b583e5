#pragma once
// Conversions between the Windows-style geometry types and Qt's. QRect's
// right() and bottom() are inclusive, CRect's are exclusive: always go
// through these helpers.
#include "CRect.h"

#include <QPoint>
#include <QRect>
#include <QSize>

inline QRect toQRect(const CRect& r) { return QRect(QPoint(r.left, r.top), QSize(r.Width(), r.Height())); }
inline CRect toCRect(const QRect& r) { return CRect(r.x(), r.y(), r.x() + r.width(), r.y() + r.height()); }
inline QPoint toQPoint(const CPoint& p) { return QPoint(p.x, p.y); }
inline CPoint toCPoint(const QPoint& p) { return CPoint(p.x(), p.y()); }
inline QSize toQSize(const CSize& s) { return QSize(s.cx, s.cy); }
inline CSize toCSize(const QSize& s) { return CSize(s.width(), s.height()); }
