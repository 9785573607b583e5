#include "ViewerModule.h"

HINSTANCE ViewerModule()
{
    static CModule module("Lumivu");
    static const bool loaded = [] {
        RegisterViewerStrings(module);
        RegisterViewerMenus(module);
        RegisterViewerImages(module);
        RegisterViewerToolBar(module);
        RegisterViewerPrompts(module);
        return true;
    }();
    (void)loaded;
    return &module;
}
