#include "platform/gdi/GdiRegion.h"

int GdiRegion::Complexity(const QRegion& r)
{
    if (r.isEmpty())
        return NULLREGION;
    return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}
