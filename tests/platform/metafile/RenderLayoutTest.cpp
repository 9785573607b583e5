#include "platform/metafile/RenderLayout.h"

#include <QStringList>
#include <gtest/gtest.h>

TEST(RenderLayout, WidthHeightAndZoom)
{
    RenderLayout l;
    CSize out;
    QString error;
    l.mode = RenderLayout::Mode::Width;
    l.width = 800;
    ASSERT_TRUE(l.OutputSize(CSize(2540, 1271), 2540, &out, &error));
    EXPECT_EQ(out, CSize(800, 400)); // 400.3 rounds to the nearest pixel
    l.mode = RenderLayout::Mode::Height;
    l.height = 100;
    ASSERT_TRUE(l.OutputSize(CSize(-2540, 1270), 2540, &out, &error));
    EXPECT_EQ(out, CSize(200, 100)) << "a flipped frame has the same size";
    l.mode = RenderLayout::Mode::Zoom;
    l.zoom = 1.5;
    l.dpi = 200;
    ASSERT_TRUE(l.OutputSize(CSize(2540, 5080), 2540, &out, &error));
    EXPECT_EQ(out, CSize(300, 600));
    EXPECT_FALSE(l.OutputSize(CSize(0, 100), 2540, &out, &error));
    l.zoom = 100;
    EXPECT_FALSE(l.OutputSize(CSize(254000, 100), 2540, &out, &error)) << "too large";
}

TEST(RenderLayout, ParsesTheCommandLine)
{
    RenderLayout l;
    bool timing = false;
    QString error;
    QStringList args = {"--timing", "--width", "640", "in.emf", "out.png"};
    ASSERT_TRUE(l.ParseOptions(args, &timing, &error));
    EXPECT_TRUE(timing);
    EXPECT_EQ(l.mode, RenderLayout::Mode::Width);
    EXPECT_EQ(l.width, 640);
    EXPECT_EQ(args, (QStringList{"in.emf", "out.png"}));
    for (QStringList bad : {QStringList{"--width", "10", "--zoom", "2"}, QStringList{"--width"},
                            QStringList{"--dpi", "0"}, QStringList{"--zoom", "x"}, QStringList{"--frobnicate"}}) {
        RenderLayout m;
        EXPECT_FALSE(m.ParseOptions(bad, &timing, &error)) << bad.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}
