#pragma once
// What the metafile harnesses share: a Qt application on the offscreen
// platform (fonts and painting need one) and playback onto a small image.
#include "platform/gdi/QPainterBackend.h"
#include "platform/metafile/EmfPlayer.h"

#include <QGuiApplication>
#include <QImage>
#include <cstdlib>

namespace fuzzsupport {

inline void StartQt(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
}

inline QImage SmallImage()
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// Plays an enhanced metafile into the whole of image.
inline void PlayInto(QImage& image, HENHMETAFILE metafile)
{
    CDC dc(std::make_unique<QPainterBackend>(&image));
    const RECT rect(0, 0, image.width(), image.height());
    PlayEnhMetaFile(&dc, metafile, &rect);
}

} // namespace fuzzsupport
