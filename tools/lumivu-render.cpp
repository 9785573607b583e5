// lumivu-render: converts a metafile or a raster image to PNG, BMP, PDF or
// SVG headlessly, with the same loading, layout and playback as the viewer,
// and a metafile to an enhanced metafile through the recording layer.
#include "platform/gdi/CDC.h"
#include "platform/gdi/QPainterBackend.h"
#include "platform/metafile/BoundsBackend.h"
#include "platform/metafile/EmfPlayer.h"
#include "platform/metafile/EnhMetaFileDC.h"
#include "platform/metafile/RenderLayout.h"
#include "tools/BatchConverter.h"
#include "tools/DocumentRender.h"
#include "tools/ViewRender.h"
#include "viewer/document/CLumivueDoc.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QApplication>
#include <QImage>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

void usage(FILE* out)
{
    std::fputs("usage: lumivu-render [--width W | --height H | --zoom Z | --fit FIT [--page WxH] [--given WxH]]\n"
               "                     [--dpi D] [--timing] INPUT OUTPUT\n"
               "       lumivu-render [OPTIONS] --out-dir DIR [--format F] [--jobs N] INPUT...\n"
               "Converts a metafile or an image to PNG, BMP, PDF or SVG, or a metafile to EMF\n"
               "(chosen by OUTPUT's extension).\n"
               "  --fit FIT     lay the image out as the viewer's window does: page, x, y,\n"
               "                given-x or given-y\n"
               "  --page WxH    the window's client area in pixels (default 1024x768)\n"
               "  --given WxH   the given width and height in centimetres (default 20.32x20.32)\n"
               "  --print       print into OUTPUT.pdf as the viewer prints: fitted (--fit) or at\n"
               "                --zoom times the physical size, tiled over as many pages as needed\n"
               "  --paper P     A4 (default), Letter or WxHmm; --landscape; --center centres a\n"
               "                picture smaller than the page\n"
               "  --out-dir DIR convert every INPUT into DIR, named after the input\n"
               "  --format F    png (default), pdf, svg, emf or bmp, for --out-dir\n"
               "  --jobs N      conversions at a time (default: the number of cores)\n"
               "Exit status: 0 done (in a batch: every file), 1 a file failed, 2 usage error.\n",
               out);
}

int fail(const QString& file, const QString& reason)
{
    std::fprintf(stderr, "lumivu-render: %s: %s\n", qPrintable(file), qPrintable(reason));
    return 1;
}

// Draws the image onto device, filling size; returns the playback time.
qint64 play(QPaintDevice* device, const DocumentRender& doc, CSize size, bool white)
{
    CDC dc(std::make_unique<QPainterBackend>(device));
    const CRect rect(0, 0, size.cx, size.cy);
    if (white)
        dc.FillSolidRect(&rect, RGB(255, 255, 255));
    QElapsedTimer timer;
    timer.start();
    doc.Draw(&dc, rect);
    dc.Flush();
    return timer.nsecsElapsed() / 1000;
}

// Records the metafile into an enhanced metafile file that keeps its frame,
// description and reference device, its records played in their own device
// units: the copy keeps every coordinate, and the pixel size each font has
// on that device (which picks its face, as the platform's renderer does).
bool saveEmf(const COXMetaFile& mf, const QString& output)
{
    const EmfHeader& h = mf.GethEMF()->Header();
    // The player's defaults for a header without a usable device.
    auto size = [](LONG v, int fallback) { return v > 0 ? int(std::min<LONG>(v, 1000000)) : fallback; };
    BoundsBackend::Device device;
    device.horzRes = size(h.device.cx, 1024);
    device.vertRes = size(h.device.cy, 768);
    device.horzSize = size(h.millimeters.cx, 320);
    device.vertSize = size(h.millimeters.cy, 240);
    CDC reference(std::make_unique<BoundsBackend>(device, [](const QRectF&) {}));
    const RECT frame = h.frame;
    HDC dc = CreateEnhMetaFile(&reference, output, &frame, mf.GetDescription());
    if (!dc)
        return false;
    PlayEnhMetaFileUnscaled(dc, mf.GethEMF());
    EnhMetaFilePtr saved(CloseEnhMetaFile(dc));
    return saved != nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        usage(stdout);
        return 0;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A batch run on a machine without a session has no runtime folder; Qt's
    // note about it is noise on standard error, which reports our results.
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (!message.startsWith(QLatin1String("QStandardPaths:")) && previous)
            previous(type, context, message);
    });
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    RenderLayout layout;
    bool timing = false;
    QString error;

    BatchConverter::Options batch;
    bool isBatch = false;
    if (!BatchConverter::ParseArguments(args, &batch, &isBatch, &error)) {
        std::fprintf(stderr, "lumivu-render: %s\n", qPrintable(error));
        usage(stderr);
        return 2;
    }
    if (isBatch) {
        // Usage errors show once, here, rather than once per file.
        QStringList options = batch.renderOptions;
        if (!layout.ParseOptions(options, &timing, &error) || !options.isEmpty()) {
            std::fprintf(stderr, "lumivu-render: %s\n",
                         qPrintable(error.isEmpty() ? QStringLiteral("unknown option %1").arg(options.value(0)) : error));
            usage(stderr);
            return 2;
        }
        if (layout.print && batch.format != QLatin1String("pdf")) {
            std::fputs("lumivu-render: --print writes PDF: give --format pdf\n", stderr);
            usage(stderr);
            return 2;
        }
        BatchConverter converter(batch, QCoreApplication::applicationFilePath());
        return converter.Run();
    }
    if (!layout.ParseOptions(args, &timing, &error) || args.size() != 2) {
        if (!error.isEmpty())
            std::fprintf(stderr, "lumivu-render: %s\n", qPrintable(error));
        usage(stderr);
        return 2;
    }
    const QString input = args[0], output = args[1];
    const QString ext = QFileInfo(output).suffix().toLower();
    if (ext != QLatin1String("png") && ext != QLatin1String("bmp") && ext != QLatin1String("pdf") &&
        ext != QLatin1String("svg") && ext != QLatin1String("emf")) {
        std::fprintf(stderr, "lumivu-render: %s: the output must end in .png, .bmp, .pdf, .svg or .emf\n",
                     qPrintable(output));
        usage(stderr);
        return 2;
    }
    if (!QFileInfo(input).isFile() || !QFileInfo(input).isReadable())
        return fail(input, QStringLiteral("cannot be read"));

    DocumentRender doc;
    if (!doc.Load(input))
        return fail(input, QStringLiteral("not a metafile or an image the viewer can open"));
    if (ext == QLatin1String("emf")) {
        if (!doc.IsMetafile())
            return fail(input, QStringLiteral("only a metafile can be saved as an enhanced metafile"));
        return saveEmf(doc.Document().m_MetaFile, output) ? 0 : fail(output, QStringLiteral("cannot be written"));
    }
    if (layout.print) {
        if (ext != QLatin1String("pdf"))
            return fail(output, QStringLiteral("--print writes a PDF: the output must end in .pdf"));
        ViewRender printer(doc.Document());
        if (printer.PrintPdf(output, layout.fit, layout.zoom, layout.paper, layout.landscape, layout.center, &error) == 0)
            return fail(output, error);
        return 0;
    }
    CSize size;
    std::unique_ptr<ViewRender> view;
    if (!layout.fit.isEmpty()) {
        view = std::make_unique<ViewRender>(doc.Document());
        if (!view->Layout(layout.fit, CSize(layout.pageWidth, layout.pageHeight), layout.givenWidthCm,
                          layout.givenHeightCm, layout.dpi, &size, &error))
            return fail(input, error);
    } else if (!layout.OutputSize(doc.NaturalSize(), doc.UnitsPerInch(), &size, &error)) {
        return fail(input, error);
    }
    // The viewer's layout paints through the view's own painting thread.
    auto draw = [&](QPaintDevice* device, bool white) {
        return view ? view->Paint(device, white) : play(device, doc, size, white);
    };

    qint64 us = 0;
    if (ext == QLatin1String("pdf")) {
        QPdfWriter pdf(output);
        pdf.setResolution(layout.dpi);
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setPageSize(QPageSize(QSizeF(size.cx * 72.0 / layout.dpi, size.cy * 72.0 / layout.dpi), QPageSize::Point));
        us = draw(&pdf, false);
    } else if (ext == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setFileName(output);
        svg.setSize(QSize(size.cx, size.cy));
        svg.setViewBox(QRect(0, 0, size.cx, size.cy));
        svg.setResolution(layout.dpi);
        // "application\0title": the nulls have no place in XML.
        svg.setDescription(doc.Description().replace(QChar(0), QStringLiteral(" - ")));
        us = draw(&svg, false);
    } else {
        QImage image(size.cx, size.cy, QImage::Format_RGB32);
        image.fill(Qt::white);
        const int dpm = int(layout.dpi / 0.0254 + 0.5);
        image.setDotsPerMeterX(dpm);
        image.setDotsPerMeterY(dpm);
        us = draw(&image, false);
        if (!image.save(output, ext == QLatin1String("png") ? "PNG" : "BMP"))
            return fail(output, QStringLiteral("cannot be written"));
    }
    if (timing)
        std::fprintf(stderr, "playback_us=%lld\n", static_cast<long long>(us));
    return 0;
}
