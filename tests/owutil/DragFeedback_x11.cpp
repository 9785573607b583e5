// A vertical range dragged with the mouse on a real X server: the feedback
// band inverts the window's own pixels on the screen, is erased exactly
// where the next one is drawn, and is gone after the release.
#include "owutil/ui/CDragVerticalRange.h"

#include <QDir>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A window that paints horizontal stripes and selects a range of them by
// dragging, as a client of the library would.
class StripeView : public QWidget {
public:
    class Range : public CDragVerticalRange {
    public:
        Range(QWidget* w, StripeView* view) : CDragVerticalRange(w), m_view(view) {}
        void UpdateData(BOOL take) override
        {
            if (take) {
                m_view->selTop = std::min(m_nDragTop, m_nDragBottom);
                m_view->selBottom = std::max(m_nDragTop, m_nDragBottom);
            }
        }

    private:
        StripeView* m_view;
    };

    StripeView()
    {
        setAccessibleName(QStringLiteral("Stripes"));
        resize(240, 200);
    }

    static QColor stripe(int y) { return (y / 10) % 2 ? QColor(200, 60, 40) : QColor(40, 120, 220); }

    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        for (int y = 0; y < height(); y += 10)
            p.fillRect(0, y, width(), 10, stripe(y));
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        drag = std::make_unique<Range>(this, this);
        drag->m_nSelTop = selTop;
        drag->m_nSelBottom = selBottom;
        if (!drag->Begin(toCPoint(e->position().toPoint())))
            drag.reset();
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        if (drag)
            drag->Update(toCPoint(e->position().toPoint()), FALSE);
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        if (drag)
            drag->End(toCPoint(e->position().toPoint()));
        drag.reset();
    }
    static CPoint toCPoint(QPoint p) { return CPoint(p.x(), p.y()); }

    std::unique_ptr<Range> drag;
    int selTop = CDragVerticalRange::NoSelection, selBottom = CDragVerticalRange::NoSelection;
};

// What the screen shows of the view now.
QImage onScreen(QWidget* view)
{
    QTest::qWait(60);
    const QPoint at = view->mapToGlobal(QPoint(0, 0));
    const qreal ratio = view->devicePixelRatioF();
    QImage shot = view->screen()->grabWindow(0, at.x(), at.y(), view->width(), view->height()).toImage();
    // Logical coordinates from here on.
    return shot.scaled(view->size(), Qt::IgnoreAspectRatio, Qt::FastTransformation).convertToFormat(QImage::Format_RGB32);
    Q_UNUSED(ratio);
}

void keepPicture(const QImage& image, const QString& name)
{
    const QString dir = qEnvironmentVariable("LUMIVU_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        image.save(QDir(dir).filePath(name + QStringLiteral(".png")));
}

bool inverted(const QImage& shot, int y)
{
    const QColor want = StripeView::stripe(y);
    const QColor got = shot.pixelColor(120, y);
    return std::abs(got.red() - (255 - want.red())) < 8 && std::abs(got.green() - (255 - want.green())) < 8
        && std::abs(got.blue() - (255 - want.blue())) < 8;
}

bool plain(const QImage& shot, int y)
{
    const QColor want = StripeView::stripe(y), got = shot.pixelColor(120, y);
    return std::abs(got.red() - want.red()) < 8 && std::abs(got.green() - want.green()) < 8
        && std::abs(got.blue() - want.blue()) < 8;
}

} // namespace

TEST(DragFeedback, BandInvertsTheWindowAndFollowsThePointer)
{
    StripeView view;
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));

    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(60, 45));
    ASSERT_NE(view.drag, nullptr);
    QTest::mouseMove(&view, QPoint(60, 125));
    QImage shot = onScreen(&view);
    keepPicture(shot, "drag-band-45-125");
    for (int y : {46, 60, 100, 124})
        EXPECT_TRUE(inverted(shot, y)) << "y " << y;
    for (int y : {30, 44, 125, 150})
        EXPECT_TRUE(plain(shot, y)) << "y " << y;

    // Back up: the lower part is restored exactly, the upper part stays inverted.
    QTest::mouseMove(&view, QPoint(60, 85));
    shot = onScreen(&view);
    keepPicture(shot, "drag-band-45-85");
    for (int y : {46, 84})
        EXPECT_TRUE(inverted(shot, y)) << "y " << y;
    for (int y : {85, 100, 124, 125})
        EXPECT_TRUE(plain(shot, y)) << "y " << y;

    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(60, 85));
    EXPECT_EQ(view.selTop, 45);
    EXPECT_EQ(view.selBottom, 85);
    shot = onScreen(&view);
    keepPicture(shot, "drag-released");
    for (int y : {46, 84, 100})
        EXPECT_TRUE(plain(shot, y)) << "y " << y;
}

TEST(DragFeedback, MovingTheSelectionKeepsItsHeight)
{
    StripeView view;
    view.selTop = 40;
    view.selBottom = 70;
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));

    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(60, 50));
    ASSERT_NE(view.drag, nullptr);
    EXPECT_EQ(view.drag->m_nMoveType, CDragVerticalRange::MoveSelection);
    QTest::mouseMove(&view, QPoint(60, 130));
    const QImage shot = onScreen(&view);
    keepPicture(shot, "drag-move-120-150");
    for (int y : {121, 149})
        EXPECT_TRUE(inverted(shot, y)) << "y " << y;
    for (int y : {45, 65, 119, 150})
        EXPECT_TRUE(plain(shot, y)) << "y " << y;
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(60, 130));
    EXPECT_EQ(view.selTop, 120);
    EXPECT_EQ(view.selBottom, 150);
}
