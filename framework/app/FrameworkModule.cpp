#include "FrameworkModule.h"

#include "framework/cmd/CommandIds.h"

HINSTANCE FrameworkModule()
{
    static CModule module("LvFramework");
    static const bool loaded = [] {
        module.AddString(AFX_IDS_IDLEMESSAGE, QStringLiteral("Ready"));
        module.AddString(AFX_IDS_ALLFILTER, QStringLiteral("All Files (*.*)"));
        module.AddString(AFX_IDS_UNTITLED, QStringLiteral("Untitled"));
        module.AddString(AFX_IDP_FAILED_TO_OPEN_DOC, QStringLiteral("Failed to open document."));
        module.AddString(AFX_IDP_FAILED_TO_SAVE_DOC, QStringLiteral("Failed to save document."));
        module.AddString(AFX_IDP_UNREG_DONE,
                         QStringLiteral("System registry entries have been removed and the INI file (if any) was deleted."));
        module.AddString(AFX_IDP_UNREG_FAILURE,
                         QStringLiteral("Not all of the system registry entries (or INI file) were removed."));
        module.AddString(AFX_IDP_PRINT_NOT_AVAILABLE, QStringLiteral("Printing is not available yet."));
        module.AddString(AFX_IDP_NO_MAIL_HANDLER, QStringLiteral("No mail program is set up to send the document."));
        return true;
    }();
    (void)loaded;
    return &module;
}
