#include "platform/metafile/RenderLayout.h"

#include <QRegularExpression>
#include <QStringList>
#include <cmath>

bool RenderLayout::OutputSize(CSize imageSize, int unitsPerInch, CSize* out, QString* error) const
{
    const double iw = std::abs(double(imageSize.cx)), ih = std::abs(double(imageSize.cy));
    if (iw <= 0 || ih <= 0 || unitsPerInch <= 0) {
        *error = QStringLiteral("the image has no size");
        return false;
    }
    double w = 0, h = 0;
    switch (mode) {
    case Mode::Width:
        w = width;
        h = std::floor(width * ih / iw + 0.5);
        break;
    case Mode::Height:
        h = height;
        w = std::floor(height * iw / ih + 0.5);
        break;
    case Mode::Zoom:
        w = std::floor(iw / unitsPerInch * dpi * zoom + 0.5);
        h = std::floor(ih / unitsPerInch * dpi * zoom + 0.5);
        break;
    }
    w = std::max(1.0, w);
    h = std::max(1.0, h);
    if (!std::isfinite(w) || !std::isfinite(h) || w > MaxSide || h > MaxSide) {
        *error = QStringLiteral("the output would be larger than %1 pixels on a side").arg(MaxSide);
        return false;
    }
    *out = CSize(LONG(w), LONG(h));
    return true;
}

bool RenderLayout::ParseOptions(QStringList& args, bool* timing, QString* error)
{
    bool sized = false;
    QStringList rest;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&](const char* name) -> QString {
            if (i + 1 >= args.size()) {
                *error = QStringLiteral("%1 needs a value").arg(QLatin1String(name));
                return QString();
            }
            return args[++i];
        };
        bool ok = true;
        if (a == QLatin1String("--width") || a == QLatin1String("--height") || a == QLatin1String("--zoom")) {
            if (sized) {
                *error = QStringLiteral("give only one of --width, --height and --zoom");
                return false;
            }
            sized = true;
            const QString v = value(a.toLatin1().constData());
            if (v.isEmpty())
                return false;
            if (a == QLatin1String("--width")) {
                mode = Mode::Width;
                width = v.toInt(&ok);
                ok = ok && width > 0 && width <= MaxSide;
            } else if (a == QLatin1String("--height")) {
                mode = Mode::Height;
                height = v.toInt(&ok);
                ok = ok && height > 0 && height <= MaxSide;
            } else {
                mode = Mode::Zoom;
                zoom = v.toDouble(&ok);
                ok = ok && zoom > 0 && zoom <= 100;
            }
        } else if (a == QLatin1String("--dpi")) {
            const QString v = value("--dpi");
            if (v.isEmpty())
                return false;
            dpi = v.toInt(&ok);
            ok = ok && dpi > 0 && dpi <= 9600;
        } else if (a == QLatin1String("--fit")) {
            fit = value("--fit");
            static const QStringList fits{QStringLiteral("page"), QStringLiteral("x"), QStringLiteral("y"),
                                          QStringLiteral("given-x"), QStringLiteral("given-y")};
            ok = fits.contains(fit);
        } else if (a == QLatin1String("--page") || a == QLatin1String("--given")) {
            // WxH: whole pixels for the page, centimetres for the given size.
            const QStringList parts = value(a.toLatin1().constData()).split(QLatin1Char('x'));
            ok = parts.size() == 2;
            if (ok && a == QLatin1String("--page")) {
                bool okW = false, okH = false;
                pageWidth = parts[0].toInt(&okW);
                pageHeight = parts[1].toInt(&okH);
                ok = okW && okH && pageWidth > 0 && pageHeight > 0 && pageWidth <= MaxSide && pageHeight <= MaxSide;
            } else if (ok) {
                bool okW = false, okH = false;
                givenWidthCm = parts[0].toDouble(&okW);
                givenHeightCm = parts[1].toDouble(&okH);
                ok = okW && okH && givenWidthCm > 0 && givenHeightCm > 0 && givenWidthCm <= 10000 &&
                     givenHeightCm <= 10000;
            }
        } else if (a == QLatin1String("--print")) {
            print = true;
        } else if (a == QLatin1String("--landscape")) {
            landscape = true;
        } else if (a == QLatin1String("--center")) {
            center = true;
        } else if (a == QLatin1String("--paper")) {
            paper = value("--paper");
            static const QRegularExpression custom(QStringLiteral("^\\d+(\\.\\d+)?x\\d+(\\.\\d+)?mm$"));
            ok = paper.compare(QLatin1String("A4"), Qt::CaseInsensitive) == 0 ||
                 paper.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0 || custom.match(paper).hasMatch();
        } else if (a == QLatin1String("--timing")) {
            *timing = true;
        } else if (a.startsWith(QLatin1String("--"))) {
            *error = QStringLiteral("unknown option %1").arg(a);
            return false;
        } else {
            rest << a;
        }
        if (!ok) {
            *error = QStringLiteral("bad value for %1").arg(a);
            return false;
        }
    }
    if (sized && !fit.isEmpty()) {
        *error = QStringLiteral("give either --fit or one of --width, --height and --zoom");
        return false;
    }
    args = rest;
    return true;
}
