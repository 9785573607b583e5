#include "OwUtilStringIds.h"

#include "platform/module/CModule.h"

// The utility library's string table.
void OwUtilRegisterStrings(CModule& module)
{
    module.AddString(IDS_TIP_DIDYOUKNOW, QStringLiteral("Did you know..."));
    module.AddString(IDS_TIP_FILE_ABSENT, QStringLiteral("Tips file does not exist in the prescribed directory"));
    module.AddString(IDS_TIP_FILE_ERROR, QStringLiteral("Trouble reading the tips file"));
    module.AddString(IDS_MEM_NO_BUFFER, QStringLiteral("%s <%s> : Invalid buffer trying Index %u (size=%u)"));
    module.AddString(IDS_MEM_BAD_INDEX, QStringLiteral("%s <%s> : Invalid Index %u in %u (%u) (size=%u)"));
    module.AddString(
        IDS_MEM_TOO_LARGE,
        QStringLiteral("%s <%s> Resize Error: Total size (%u elements of size %u) is greater than "
                       "64K -- Use CHMem!"));
    module.AddString(
        IDS_MEM_NOT_ALLOCATED,
        QStringLiteral("%s <%s> Resize Error: Unable to allocate requested buffer size (%d wanted, "
                       "but only allocated %d)! (size=%u)"));
}
