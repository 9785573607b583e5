#include "Resource.h"
#include "ViewerModule.h"
#include "framework/cmd/CommandIds.h"

#include <Qt>

namespace {

MenuItemDef item(const char* text, UINT id) { return {QString::fromUtf8(text), id, {}}; }
MenuItemDef popup(const char* text, std::vector<MenuItemDef> items) { return {QString::fromUtf8(text), 0, std::move(items)}; }
MenuItemDef sep() { return MenuItemDef::Separator(); }

MenuItemDef helpMenu()
{
    return popup("&Help", {item("&Help Topics", ID_HELP_FINDER), item("Help Using...", ID_CONTEXT_HELP), sep(),
                           item("&About Lumivu...", ID_APP_ABOUT)});
}

// The menu while no document is open.
MenuDef mainMenu()
{
    return {
        popup("&File", {item("&Open...\tCtrl+O", ID_FILE_OPEN), item("&Save...\tCtrl+S", ID_FILE_SAVE_AS), sep(),
                        item("P&rint Setup...", ID_FILE_PRINT_SETUP), sep(), item("Pr&eferences...", ID_PREFERENCES),
                        sep(), item("Recent File", ID_FILE_MRU_FILE1), sep(), item("E&xit\tAlt-F4", ID_APP_EXIT)}),
        popup("&View", {item("&Toolbar", ID_VIEW_TOOLBAR), item("&Status Bar", ID_VIEW_STATUS_BAR)}),
        helpMenu(),
    };
}

// The menu of every document window.
MenuDef documentMenu()
{
    return {
        popup("&File",
              {item("&Open...\tCtrl+O", ID_FILE_OPEN), item("&Save...\tCtrl+S", ID_FILE_SAVE_AS),
               item("&Close", ID_FILE_CLOSE), sep(), item("&Print...\tCtrl+P", ID_FILE_PRINT),
               item("Print Pre&view\tCtrl+E", ID_FILE_PRINT_PREVIEW), item("P&rint Setup...", ID_FILE_PRINT_SETUP),
               sep(), item("Sen&d...", ID_FILE_SEND_MAIL), sep(), item("Pr&eferences...", ID_PREFERENCES), sep(),
               item("Recent File", ID_FILE_MRU_FILE1), sep(), item("E&xit\tAlt-F4", ID_APP_EXIT)}),
        popup("&Edit", {item("&Copy to Clipboard\tCtrl+C", ID_EDIT_COPY), sep(),
                        item("Capture &Window", ID_CAPTURE_WINDOW), item("Capture &Rectangle Region", ID_CAPTURE_REGION)}),
        popup("&View",
              {item("Fit &Horizontally\tF2", ID_FIT_X), item("Fit Verticall&y\tF3", ID_FIT_Y),
               item("&Fit to Page\tF4", ID_FIT_PAGE), sep(),
               item("Fit to Given Ho&rizontal Size...\tCtrl-F2", ID_FIT_GIVEN_X),
               item("Fit to Given V&ertical Size...\tCtrl-F3", ID_FIT_GIVEN_Y), sep(), item("Zoom &In\t+", ID_ZOOM_IN),
               item("Zoom &Out\t-", ID_ZOOM_OUT), item("&Zoom To...\tCtrl+Z", ID_ZOOM_TO), sep(),
               item("&Refresh Display\tF5", ID_REFRESH), sep(), item("&Toolbar", ID_VIEW_TOOLBAR),
               item("&Status Bar", ID_VIEW_STATUS_BAR)}),
        popup("&Window", {item("&New Window", ID_WINDOW_NEW), item("&Cascade\tShft+F5", ID_WINDOW_CASCADE),
                          item("&Tile (Horizontal)\tShft+F4", ID_WINDOW_TILE_HORZ),
                          item("&Tile (Vertical)\tCtrl+Shft+F4", ID_WINDOW_TILE_VERT),
                          item("&Arrange Icons", ID_WINDOW_ARRANGE), item("S&plit", ID_WINDOW_SPLIT)}),
        helpMenu(),
    };
}

// The accelerators of every window.
AccelTableDef accelerators()
{
    const int C = Qt::CTRL, S = Qt::SHIFT, A = Qt::ALT;
    return {
        {C | Qt::Key_C, ID_EDIT_COPY},          {C | Qt::Key_Insert, ID_EDIT_COPY},
        {C | Qt::Key_E, ID_FILE_PRINT_PREVIEW}, {C | Qt::Key_O, ID_FILE_OPEN},
        {C | Qt::Key_P, ID_FILE_PRINT},         {C | Qt::Key_S, ID_FILE_SAVE_AS},
        {C | Qt::Key_V, ID_EDIT_PASTE},         {S | Qt::Key_Insert, ID_EDIT_PASTE},
        {C | Qt::Key_X, ID_EDIT_CUT},           {S | Qt::Key_Delete, ID_EDIT_CUT},
        {C | Qt::Key_Z, ID_ZOOM_TO},            {A | Qt::Key_Backspace, ID_EDIT_UNDO},
        {Qt::Key_F1, ID_HELP},                  {S | Qt::Key_F1, ID_CONTEXT_HELP},
        {Qt::Key_F2, ID_FIT_X},                 {C | Qt::Key_F2, ID_FIT_GIVEN_X},
        {Qt::Key_F3, ID_FIT_Y},                 {C | Qt::Key_F3, ID_FIT_GIVEN_Y},
        {Qt::Key_F4, ID_FIT_PAGE},              {S | Qt::Key_F4, ID_WINDOW_TILE_HORZ},
        {C | S | Qt::Key_F4, ID_WINDOW_TILE_VERT}, {Qt::Key_F5, ID_REFRESH},
        {S | Qt::Key_F5, ID_WINDOW_CASCADE},    {Qt::Key_F6, ID_NEXT_PANE},
        {S | Qt::Key_F6, ID_PREV_PANE},
    };
}

} // namespace

void RegisterViewerMenus(CModule& m)
{
    m.AddMenu(IDR_MAINFRAME, mainMenu());
    m.AddAccelerators(IDR_MAINFRAME, accelerators());
    const MenuDef doc = documentMenu();
    for (UINT id = IDR_EMFTYPE; id <= IDR_PCXTYPE; ++id)
        m.AddMenu(id, doc);
}
