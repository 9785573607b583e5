#pragma once
// The client-area device context a drag draws its feedback through. The
// platform inverts the window's pixels in place (InvertRect) so that a
// second inversion of the same rectangle erases the first; Qt cannot XOR
// what is on the screen, so this is a transparent child over the window's
// client area that remembers the inverted rectangles and paints them with
// a difference against white over whatever the window drew beneath. It
// follows the window's size, ignores the mouse, and takes its inversions
// with it when it is deleted.
#include "platform/types/CRect.h"

#include <QWidget>
#include <vector>

class CFeedbackDC : public QWidget {
    Q_OBJECT
public:
    explicit CFeedbackDC(QWidget* window);
    ~CFeedbackDC() override;

    // Inverts rect (client coordinates; an unnormalised rectangle counts as
    // its normalised form, an empty one inverts nothing). Inverting the same
    // rectangle again restores the pixels.
    void InvertRect(const CRect& rect);
    // The rectangles inverted an odd number of times, oldest first.
    const std::vector<CRect>& Inverted() const { return m_rects; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<CRect> m_rects;
};
