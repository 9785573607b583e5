#pragma once
// Builds Qt menus from the menu resources. Every action carries its command
// id; triggering sends the command, and opening a popup asks the owner to
// update its items (enable, check) as the framework's update handlers say.
#include "platform/module/ResourceTypes.h"

#include <QList>
#include <functional>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace MenuBuilder {

struct Callbacks {
    std::function<void(UINT id)> command;
    std::function<void(QMenu* popup)> aboutToShow;
};

// Fills bar with the popups of menu (existing contents are removed).
void Fill(QMenuBar* bar, const MenuDef& menu, const Callbacks& callbacks);
// Adds the items of one popup to menu.
void AddItems(QMenu* menu, const std::vector<MenuItemDef>& items, const Callbacks& callbacks);
// The command id an action carries (0 for separators and popups).
UINT CommandId(const QAction* action);
QAction* MakeAction(QWidget* parent, const QString& text, UINT id, const Callbacks& callbacks);

} // namespace MenuBuilder
