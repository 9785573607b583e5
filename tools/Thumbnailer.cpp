#include "tools/Thumbnailer.h"

#include "tools/DocumentRender.h"
#include "tools/ViewRender.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QUrl>
#include <algorithm>
#include <cmath>

QString Thumbnailer::LocalPath(const QString& input)
{
    if (input.isEmpty())
        return {};
    // A path that exists is a path, even one that looks like a URI.
    if (!input.contains(QLatin1String("://")) || QFileInfo::exists(input))
        return input;
    const QUrl url = QUrl::fromEncoded(input.toUtf8(), QUrl::StrictMode);
    if (!url.isValid() || !url.isLocalFile())
        return {};
    // A file URI naming another host is not ours to read.
    if (!url.host().isEmpty() && url.host() != QLatin1String("localhost"))
        return {};
    // toLocalFile would keep "localhost" as a UNC-style host.
    return url.path(QUrl::FullyDecoded);
}

Thumbnailer::Result Thumbnailer::Render(const QString& path, int size, int limitMs, QString* error)
{
    Result result;
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable()) {
        *error = QStringLiteral("cannot be read");
        return result;
    }
    if (info.size() > kMaxInputBytes) {
        *error = QStringLiteral("larger than %1 MB").arg(kMaxInputBytes >> 20);
        return result;
    }
    DocumentRender doc;
    if (!doc.Load(path)) {
        *error = QStringLiteral("not a metafile or an image the viewer can open");
        return result;
    }
    const CSize natural = doc.NaturalSize();
    const double inches = 1.0 / std::max(1, doc.UnitsPerInch());
    result.naturalSize = QSize(int(std::lround(natural.cx * inches * 96)), int(std::lround(natural.cy * inches * 96)));

    ViewRender view(doc.Document());
    CSize dest;
    if (!view.Layout(QStringLiteral("page"), CSize(size, size), 20.32, 20.32, 96, &dest, error))
        return result;
    // The window's fit may round a side to 0 for a sliver of a picture.
    dest.cx = std::clamp<LONG>(dest.cx, 1, size);
    dest.cy = std::clamp<LONG>(dest.cy, 1, size);
    // A metafile is drawn on paper; a raster image keeps its transparency.
    const bool metafile = doc.IsMetafile();
    QImage image(int(dest.cx), int(dest.cy), metafile ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        *error = QStringLiteral("out of memory");
        return result;
    }
    image.fill(metafile ? Qt::white : Qt::transparent);
    result.complete = view.PaintBounded(&image, false, limitMs);
    result.image = std::move(image);
    return result;
}

QByteArray Thumbnailer::Png(const Result& result, const QString& path)
{
    const QFileInfo info(path);
    QImage image = result.image;
    image.setText(QStringLiteral("Thumb::URI"), QUrl::fromLocalFile(info.absoluteFilePath()).toString(QUrl::FullyEncoded));
    image.setText(QStringLiteral("Thumb::MTime"), QString::number(info.lastModified().toSecsSinceEpoch()));
    image.setText(QStringLiteral("Thumb::Size"), QString::number(info.size()));
    if (result.naturalSize.isValid()) {
        image.setText(QStringLiteral("Thumb::Image::Width"), QString::number(result.naturalSize.width()));
        image.setText(QStringLiteral("Thumb::Image::Height"), QString::number(result.naturalSize.height()));
    }
    image.setText(QStringLiteral("Software"), QStringLiteral("Lumivu"));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image))
        return {};
    return bytes;
}
