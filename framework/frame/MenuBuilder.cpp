#include "MenuBuilder.h"

#include "framework/app/CWinApp.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace MenuBuilder {

UINT CommandId(const QAction* action)
{
    return action ? action->data().toUInt() : 0;
}

QAction* MakeAction(QWidget* parent, const QString& text, UINT id, const Callbacks& callbacks)
{
    auto* a = new QAction(text, parent);
    a->setData(id);
    // The text after a tab is shown as the shortcut column; the keys
    // themselves belong to the frame's accelerator table.
    a->setShortcutVisibleInContextMenu(true);
    // The text before the line break of the command's string is its fly-by
    // prompt, which the main window's status bar shows while it is highlighted.
    if (CWinApp* app = AfxGetApp(); app && id != 0) {
        const QString prompt = app->LoadFrameworkString(id).section('\n', 0, 0);
        a->setStatusTip(prompt);
    }
    if (callbacks.command)
        QObject::connect(a, &QAction::triggered, a, [cb = callbacks.command, id] { cb(id); });
    return a;
}

void AddItems(QMenu* menu, const std::vector<MenuItemDef>& items, const Callbacks& callbacks)
{
    for (const MenuItemDef& item : items) {
        if (item.IsSeparator()) {
            menu->addSeparator();
        } else if (item.IsPopup()) {
            QMenu* sub = menu->addMenu(item.text);
            AddItems(sub, item.popup, callbacks);
            if (callbacks.aboutToShow)
                QObject::connect(sub, &QMenu::aboutToShow, sub, [cb = callbacks.aboutToShow, sub] { cb(sub); });
        } else {
            menu->addAction(MakeAction(menu, item.text, item.id, callbacks));
        }
    }
}

void Fill(QMenuBar* bar, const MenuDef& menu, const Callbacks& callbacks)
{
    bar->clear();
    for (const MenuItemDef& top : menu) {
        if (top.IsPopup()) {
            QMenu* popup = bar->addMenu(top.text);
            AddItems(popup, top.popup, callbacks);
            if (callbacks.aboutToShow)
                QObject::connect(popup, &QMenu::aboutToShow, popup,
                                 [cb = callbacks.aboutToShow, popup] { cb(popup); });
        } else if (!top.IsSeparator()) {
            bar->addAction(MakeAction(bar, top.text, top.id, callbacks));
        }
    }
}

} // namespace MenuBuilder
