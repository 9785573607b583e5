#include "OwUtilResourceIds.h"

#include "platform/module/CModule.h"

// Artwork lives in owutil.qrc; the resource ids name the files.
void OwUtilRegisterImages(CModule& module)
{
    module.AddImage(IDB_LIGHTBULB, QStringLiteral(":/owutil/bitmaps/bulb.svg"));
}
