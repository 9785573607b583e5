#include "OwUtilModule.h"

namespace {

CModule& module()
{
    static CModule m("OwUtil");
    return m;
}

} // namespace

void OwUtilRegisterStrings(CModule& module);
void OwUtilRegisterImages(CModule& module);

HINSTANCE OwUtilModule()
{
    static const bool loaded = [] {
        OwUtilRegisterStrings(module());
        OwUtilRegisterImages(module());
        return true;
    }();
    (void)loaded;
    return &module();
}
