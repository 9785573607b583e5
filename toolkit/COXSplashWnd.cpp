#include "COXSplashWnd.h"

#include "platform/module/CModule.h"
#include "framework/app/CWinApp.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <cstdlib>
#include <vector>

COXSplashWnd::COXSplashWnd()
{
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_DeleteOnClose);
}

COXSplashWnd::~COXSplashWnd() = default;

BOOL COXSplashWnd::LoadBitmap(UINT nID, COLORREF border, const CPoint* startPoint, BYTE tolerance)
{
    HINSTANCE res = AfxGetResourceHandle();
    const QString* path = res ? res->FindImage(nID) : nullptr;
    if (path == nullptr)
        return FALSE;
    QImageReader reader(*path);
    const QImage image = reader.read();
    return LoadImage(image, border, startPoint, tolerance);
}

BOOL COXSplashWnd::LoadImage(const QImage& source, COLORREF border, const CPoint* startPoint, BYTE tolerance)
{
    if (source.isNull())
        return FALSE;
    QImage img = source.convertToFormat(QImage::Format_ARGB32);
    const int w = img.width(), h = img.height();
    const CPoint start = startPoint ? *startPoint : CPoint(0, 0);
    if (start.x < 0 || start.y < 0 || start.x >= w || start.y >= h) {
        m_image = img;
        return TRUE;
    }
    const QRgb seed = img.pixel(start.x, start.y);
    const int br = border == CLR_DEFAULT ? qRed(seed) : GetRValue(border);
    const int bg = border == CLR_DEFAULT ? qGreen(seed) : GetGValue(border);
    const int bb = border == CLR_DEFAULT ? qBlue(seed) : GetBValue(border);
    auto matches = [&](QRgb c) {
        return std::abs(qRed(c) - br) <= tolerance && std::abs(qGreen(c) - bg) <= tolerance &&
               std::abs(qBlue(c) - bb) <= tolerance && qAlpha(c) != 0;
    };
    // Flood fill from the start point: only the border region connected to
    // it goes, so the same colour inside the picture stays.
    std::vector<QPoint> stack;
    if (matches(seed))
        stack.emplace_back(start.x, start.y);
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        if (p.x() < 0 || p.y() < 0 || p.x() >= w || p.y() >= h)
            continue;
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(p.y()));
        if (!matches(line[p.x()]))
            continue;
        line[p.x()] = qRgba(0, 0, 0, 0);
        stack.emplace_back(p.x() + 1, p.y());
        stack.emplace_back(p.x() - 1, p.y());
        stack.emplace_back(p.x(), p.y() + 1);
        stack.emplace_back(p.x(), p.y() - 1);
    }
    m_image = img;
    return TRUE;
}

BOOL COXSplashWnd::Show(int timeOut, QWidget* parent, const CPoint* displayAt)
{
    if (m_image.isNull())
        return FALSE;
    setFixedSize(m_image.size());
    // Without a compositing manager the transparent parts need a mask (a
    // platform with no windows on screen has neither).
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal"))
        setMask(QBitmap::fromImage(m_image.createAlphaMask()));
    QPoint pos;
    if (displayAt) {
        pos = QPoint(displayAt->x, displayAt->y);
    } else {
        QRect area;
        if (parent && parent->isVisible())
            area = parent->frameGeometry();
        else if (QScreen* s = QGuiApplication::primaryScreen())
            area = s->availableGeometry();
        pos = area.center() - QPoint(m_image.width() / 2, m_image.height() / 2);
    }
    move(pos);
    show();
    // Windows shown later during start-up must not cover it.
    if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal"))
        QTimer::singleShot(0, this, [this] { raise(); });
    if (timeOut > 0)
        QTimer::singleShot(timeOut, this, &COXSplashWnd::Hide);
    return TRUE;
}

void COXSplashWnd::Hide() { close(); }

void COXSplashWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, m_image);
}

void COXSplashWnd::mousePressEvent(QMouseEvent*) { Hide(); }
