#include "platform/module/CModule.h"

// The utility library's string table.
void OwUtilRegisterStrings(CModule& module)
{
    (void)module;
}
