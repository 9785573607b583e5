#pragma once
// The output size of a headless conversion: a width in pixels (the height
// follows the image's aspect, rounded to the nearest pixel), a height (the
// width follows), or the physical size times a zoom factor on a device of
// the given dots per inch.
#include "platform/types/CSize.h"

#include <QString>
#include <QStringList>

class RenderLayout {
public:
    enum class Mode { Width, Height, Zoom };

    Mode mode = Mode::Zoom;
    int width = 0;
    int height = 0;
    double zoom = 1.0;
    int dpi = 96;
    // The viewer's layout instead of a plain size: a fit mode ("page", "x",
    // "y", "given-x", "given-y"; empty for none), the page (the window's
    // client area) in pixels, and the given size in centimetres.
    QString fit;
    int pageWidth = 1024;
    int pageHeight = 768;
    double givenWidthCm = 20.32;
    double givenHeightCm = 20.32;
    // Printing through the viewer's print loop into a PDF: the paper ("A4",
    // "Letter" or "WxHmm"), its orientation, and whether a picture smaller
    // than the page is centred on it.
    bool print = false;
    QString paper = QStringLiteral("A4");
    bool landscape = false;
    bool center = false;

    // The largest side an output may have.
    static constexpr int MaxSide = 32768;

    // The output size for an image of imageSize units at unitsPerInch
    // (2540 for a metafile's hundredths of a millimetre); false when the
    // request or the image gives no usable size.
    bool OutputSize(CSize imageSize, int unitsPerInch, CSize* out, QString* error) const;

    // Parses the command-line options of lumivu-render; false with a
    // message on a usage error. Consumes options from args, leaving the rest.
    bool ParseOptions(QStringList& args, bool* timing, QString* error);
};
