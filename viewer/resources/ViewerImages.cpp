#include "Resource.h"
#include "ViewerModule.h"

void RegisterViewerImages(CModule& m)
{
    // Artwork lives in viewer.qrc; the resource ids name the files.
    m.AddImage(IDB_SPLASH, QStringLiteral(":/viewer/bitmaps/splash.svg"));
    m.AddImage(IDR_MAINFRAME, QStringLiteral(":/viewer/icons/lumivue.svg"));
    static const char* const types[] = {"emf", "wmf", "bmp", "ico", "tif", "gif", "jpg", "mj", "png", "tga", "pcx"};
    UINT id = IDR_EMFTYPE;
    for (const char* t : types)
        m.AddImage(id++, QStringLiteral(":/viewer/icons/doc-%1.svg").arg(QLatin1String(t)));
}
