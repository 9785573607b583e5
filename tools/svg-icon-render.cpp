// Build-time helper: renders an SVG icon to a square PNG of the given size,
// for the fixed-size folders of the hicolor icon theme (desktops that do not
// read scalable icons look there, 48 x 48 first).
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fputs("usage: svg-icon-render SIZE INPUT.svg OUTPUT.png\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int size = QByteArray(argv[1]).toInt();
    QSvgRenderer svg(QString::fromLocal8Bit(argv[2]));
    if (size <= 0 || size > 1024 || !svg.isValid()) {
        std::fprintf(stderr, "svg-icon-render: %s: not a usable icon\n", argv[2]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
    }
    return image.save(QString::fromLocal8Bit(argv[3]), "PNG") ? 0 : 1;
}
