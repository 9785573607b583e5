// The bounded painting behind the thumbnailer, in process: the view's own
// painting thread, stopped by the watchdog at the limit with what it drew.
#include "tests/platform/metafile/EmfBuilder.h"
#include "tools/DocumentRender.h"
#include "tools/ViewRender.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString writeEmf(const QTemporaryDir& dir, uint32_t ellipses)
{
    EmfBuilder b(RECT(0, 0, 20000, 15000));
    b.Record(38, {1, 0, 200, 0, RGB(0, 0, 255)}) // CREATEPEN: handle 1, solid, 200 wide, blue
        .Record(37, {1});                        // SELECTOBJECT 1
    for (uint32_t i = 0; i < ellipses; ++i) {
        const uint32_t x = (i * 37) % 1900, y = (i * 53) % 1400;
        b.Record(42, {x, y, x + 300, y + 300}); // ELLIPSE
    }
    const QString path = dir.filePath(QStringLiteral("in.emf"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(b.Bytes());
    return path;
}

int countBlue(const QImage& image)
{
    int blue = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            blue += image.pixel(x, y) == qRgb(0, 0, 255);
    return blue;
}

} // namespace

TEST(ViewRenderBounded, StopsAtTheLimitAndKeepsWhatWasDrawn)
{
    QTemporaryDir dir;
    DocumentRender doc;
    ASSERT_TRUE(doc.Load(writeEmf(dir, 400000)));
    ViewRender view(doc.Document());
    CSize size;
    QString error;
    ASSERT_TRUE(view.Layout(QStringLiteral("page"), CSize(200, 200), 20.32, 20.32, 96, &size, &error));
    EXPECT_EQ(size, CSize(200, 150));
    QImage image(int(size.cx), int(size.cy), QImage::Format_RGB32);
    image.fill(Qt::white);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(view.PaintBounded(&image, false, 100));
    EXPECT_LT(clock.elapsed(), 1000) << "the stop reaches the thread within a record or two";
    EXPECT_GT(countBlue(image), 100);

    // The same view paints again, to the end, once given the time.
    QImage again(int(size.cx), int(size.cy), QImage::Format_RGB32);
    again.fill(Qt::white);
    DocumentRender small;
    ASSERT_TRUE(small.Load(writeEmf(dir, 50)));
    ViewRender smallView(small.Document());
    ASSERT_TRUE(smallView.Layout(QStringLiteral("page"), CSize(200, 200), 20.32, 20.32, 96, &size, &error));
    EXPECT_TRUE(smallView.PaintBounded(&again, true, 5000));
    EXPECT_GT(countBlue(again), 100);
}

TEST(ViewRenderBounded, ARasterImageIsDrawnWhole)
{
    QTemporaryDir dir;
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(qRgb(0, 0, 255));
    const QString path = dir.filePath(QStringLiteral("in.png"));
    ASSERT_TRUE(picture.save(path));
    DocumentRender doc;
    ASSERT_TRUE(doc.Load(path));
    ViewRender view(doc.Document());
    CSize size;
    QString error;
    ASSERT_TRUE(view.Layout(QStringLiteral("page"), CSize(128, 128), 20.32, 20.32, 96, &size, &error));
    EXPECT_EQ(size, CSize(128, 64));
    QImage image(int(size.cx), int(size.cy), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    EXPECT_TRUE(view.PaintBounded(&image, false, 1000));
    EXPECT_EQ(countBlue(image), 128 * 64);
}
