// The dialogs' plain exported functions for clients not written against the
// framework: UTF-8 text, a window handle that is a QWidget* or null.
#include "owutil/OwUtilC.h"
#include "owutil/resources/OwUtilModule.h"
#include "owutil/ui/CDateTimeDlg.h"
#include "owutil/ui/CTipDlg.h"
#include "owutil/ui/GuiApplication.h"

#include "framework/app/CWinApp.h"
#include "framework/except/CException.h"

namespace {

// The library's own resources while one of its dialogs runs.
class LibraryResources {
public:
    LibraryResources() : m_previous(AfxGetResourceHandle()) { AfxSetResourceHandle(OwUtilModule()); }
    ~LibraryResources() { AfxSetResourceHandle(m_previous); }
    LibraryResources(const LibraryResources&) = delete;
    LibraryResources& operator=(const LibraryResources&) = delete;

private:
    HINSTANCE m_previous;
};

template <class F>
int runDialog(F run)
{
    if (!OwUtil::EnsureGuiApplication())
        return IDCANCEL;
    LibraryResources resources;
    try {
        return run();
    } catch (const CException& e) {
        e.ReportError();
        return IDCANCEL;
    }
}

} // namespace

extern "C" int TipOfTheDay(void* parent, const char* file, int* position, int* showAtStartup, char* stamp,
                           int stampSize)
{
    return runDialog([&] {
        CTipDlg dlg(static_cast<QWidget*>(parent));
        dlg.Setup(QString::fromUtf8(file ? file : ""), position, showAtStartup, stamp, stampSize);
        return int(dlg.DoModal());
    });
}

extern "C" int DateTimeDlg(void* parent, const char* prompt, uint32_t* time)
{
    return runDialog([&] {
        CDateTimeDlg dlg(static_cast<QWidget*>(parent));
        dlg.Setup(QString::fromUtf8(prompt ? prompt : ""), time);
        return int(dlg.DoModal());
    });
}
