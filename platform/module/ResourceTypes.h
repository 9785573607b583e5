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
