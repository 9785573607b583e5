#include "Resource.h"
#include "ViewerModule.h"
#include "framework/cmd/CommandIds.h"

namespace {

ToolBarButtonDef button(UINT id, const char* image)
{
    return {id, QStringLiteral(":/viewer/toolbar/%1.svg").arg(QLatin1String(image))};
}
ToolBarButtonDef separator() { return {}; }

} // namespace

void RegisterViewerToolBar(CModule& m)
{
    m.AddToolBar(IDR_MAINFRAME, {
        button(ID_FILE_OPEN, "open"), separator(),
        button(ID_FIT_X, "fit-x"), button(ID_FIT_Y, "fit-y"), button(ID_FIT_PAGE, "fit-page"), separator(),
        button(ID_ZOOM_IN, "zoom-in"), button(ID_ZOOM_OUT, "zoom-out"), button(ID_ZOOM_TO, "zoom-to"), separator(),
        button(ID_REFRESH, "refresh"), separator(),
        button(ID_FILE_PRINT, "print"), button(ID_FILE_PRINT_PREVIEW, "preview"), separator(),
        button(ID_APP_ABOUT, "about"), button(ID_CONTEXT_HELP, "context-help"),
    });
    // The menu images, bitmaps 149 to 172.
    for (UINT id : {149u, 150u, 151u, 152u, 153u, 154u, 155u, 156u, 157u, 159u, 160u, 161u, 162u, 163u, 164u, 165u,
                    166u, 167u, 168u, 169u, 170u, 172u})
        m.AddImage(id, QStringLiteral(":/viewer/menu/bitmap%1.svg").arg(id));
}
