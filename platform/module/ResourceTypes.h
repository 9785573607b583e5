#pragma once
// Resource data as plain tables: what a Windows module keeps in its resource
// section (menus, accelerator tables, images) becomes data in code, keyed by
// the same numeric ids.
#include "platform/types/Win32Types.h"

#include <QString>
#include <vector>

// One menu item. A popup has children; a separator has no text and id 0.
struct MenuItemDef {
    QString text;
    UINT id = 0;
    std::vector<MenuItemDef> popup;

    static MenuItemDef Separator() { return {}; }
    bool IsSeparator() const { return text.isEmpty() && id == 0 && popup.empty(); }
    bool IsPopup() const { return !popup.empty(); }
};
using MenuDef = std::vector<MenuItemDef>;

// One accelerator: a Qt key combination (key | modifiers) and the command it sends.
struct AccelDef {
    int key = 0;
    UINT id = 0;
};
using AccelTableDef = std::vector<AccelDef>;

// One toolbar button: the command it sends and its image (a Qt resource
// path, SVG or raster); id 0 is a separator.
struct ToolBarButtonDef {
    UINT id = 0;
    QString image;
};
using ToolBarDef = std::vector<ToolBarButtonDef>;
// One control of a dialog template, placed in dialog units.
struct DialogItemDef {
    enum Kind { Static, Edit, ListBox, PushButton, DefPushButton, CheckBox, GroupBox, Frame };
    Kind kind = Static;
    int id = -1;
    QString text;
    int x = 0, y = 0, cx = 0, cy = 0;
    // Kind-specific style bits: LBS_SORT for a list box, ES_PASSWORD for an edit...
    UINT style = 0;
    bool hidden = false;
};

// A dialog template: the caption, the client size in dialog units and the
// controls in tab order.
struct DialogDef {
    QString caption;
    int cx = 0, cy = 0;
    std::vector<DialogItemDef> items;
};

// Styles a dialog template's controls may carry.
enum : UINT {
    LBS_SORT = 0x0002,
    ES_PASSWORD = 0x0020,
    ES_READONLY = 0x0800,
};
