#include "ViewerModule.h"

HINSTANCE ViewerModule()
{
    static CModule module("Lumivu");
    static const bool loaded = [] {
        RegisterViewerStrings(module);
        RegisterViewerMenus(module);
        RegisterViewerImages(module);
        return true;
    }();
    (void)loaded;
    return &module;
}
