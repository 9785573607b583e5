#pragma once
// A splash window: a frameless window showing a bitmap resource, shaped by
// making the bitmap's border colour transparent, that closes and frees
// itself after a time-out or a click.
#include "platform/types/CPoint.h"
#include "platform/types/Win32Types.h"

#include <QImage>
#include <QWidget>

class COXSplashWnd : public QWidget {
    Q_OBJECT
public:
    // Show without a time-out: the window stays until Hide or a click.
    static constexpr int SPLASH_NOTIMER = 0;

    COXSplashWnd();
    ~COXSplashWnd() override;

    // Loads bitmap resource nID of the current resource module. The area
    // connected to the start point (default: the top-left pixel) whose colour
    // lies within tolerance of border (CLR_DEFAULT: the start point's colour,
    // on each of red, green and blue) becomes transparent.
    BOOL LoadBitmap(UINT nID, COLORREF border = CLR_DEFAULT, const CPoint* startPoint = nullptr, BYTE tolerance = 0);
    // Loads an image directly (the resource loader's work done by the caller).
    BOOL LoadImage(const QImage& image, COLORREF border = CLR_DEFAULT, const CPoint* startPoint = nullptr,
                   BYTE tolerance = 0);
    // Shows the window for timeOut milliseconds, centred on the screen (or
    // on parent, or at displayAt). FALSE when no bitmap was loaded.
    BOOL Show(int timeOut = 3000, QWidget* parent = nullptr, const CPoint* displayAt = nullptr);
    // Closes the window; it frees itself.
    void Hide();

    // The shaped image (transparent where the border was).
    const QImage& Image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage m_image;
};
