#include "Resource.h"
#include "ViewerModule.h"
#include "framework/cmd/CommandIds.h"

namespace {

struct DocType {
    UINT id;
    const char* name;
    const char* filter;
    const char* ext;
};

// The eleven document types, in the order of their templates.
const DocType kDocTypes[] = {
    {IDR_EMFTYPE, "EMF", "Enhanced Metafiles (*.emf)", ".emf"},
    {IDR_WMFTYPE, "WMF", "Windows 3.x Metafiles (*.wmf)", ".wmf"},
    {IDR_BMPTYPE, "BMP", "Windows Bitmaps (*.bmp)", ".bmp"},
    {IDR_ICOTYPE, "ICO", "Icons (*.ico)", ".ico"},
    {IDR_TIFTYPE, "TIF", "TIF Images (*.tif)", ".tif"},
    {IDR_GIFTYPE, "GIF", "GIF Images (*.gif)", ".gif"},
    {IDR_JPGTYPE, "JPG", "JPEG Images (*.jpg)", ".jpg"},
    {IDR_MJTYPE, "MJ", "MJ Systems Images (*.mj)", ".mj"},
    {IDR_PNGTYPE, "PNG", "PNG Images (*.png)", ".png"},
    {IDR_TGATYPE, "TGA", "TGA Images (*.tga)", ".tga"},
    {IDR_PCXTYPE, "PCX", "PCX Images (*.pcx)", ".pcx"},
};

} // namespace

void RegisterViewerStrings(CModule& m)
{
    m.AddString(AFX_IDS_APP_TITLE, QStringLiteral("Lumivue"));
    m.AddString(IDR_MAINFRAME, QStringLiteral("Lumivue"));
    // Window title, document name, new-file name, filter name, filter
    // extension, file type id, file type name.
    for (const DocType& t : kDocTypes)
        m.AddString(t.id, QStringLiteral("\n%1\nLumivue\n%2\n%3\nLumivue.Document\nLumivue Document")
                              .arg(QLatin1String(t.name), QLatin1String(t.filter), QLatin1String(t.ext)));

    m.AddString(ID_PREFERENCES, QStringLiteral("Modify the Glyphview preferences\nPreferences"));
    m.AddString(ID_CAPTURE_WINDOW, QStringLiteral("Capture the window output to the clipboard or a file\nCapture Window"));
    m.AddString(ID_CAPTURE_REGION, QStringLiteral("Capture a rectangular region to the clipboard or a file\nCapture Region"));
    m.AddString(ID_FIT_PAGE, QStringLiteral("Fit the entire image in the window\nFit to Page"));
    m.AddString(ID_FIT_X, QStringLiteral("Fit the image horizonally in the window\nFit Horizontally"));
    m.AddString(ID_FIT_Y, QStringLiteral("Fit the image vertically in the window\nFit Vertically"));
    m.AddString(ID_FIT_GIVEN_X, QStringLiteral("Zoom to fit the given width\nFit to Given Width"));
    m.AddString(ID_FIT_GIVEN_Y, QStringLiteral("Zoom to fit the given height\nFit to Given Height"));
    m.AddString(ID_ZOOM_IN, QStringLiteral("Zoom in on the image\nZoom In"));
    m.AddString(ID_ZOOM_OUT, QStringLiteral("Zoom out from the image\nZoom Out"));
    m.AddString(ID_ZOOM_TO, QStringLiteral("Zoom to a specified zoom factor\nZoom To"));
    m.AddString(ID_REFRESH, QStringLiteral("Refresh the window display\nRefresh"));
    // The zoom pane of the status bar: its width is that of this text.
    m.AddString(ID_INDICATOR_ZOOM, QStringLiteral("               "));
}
