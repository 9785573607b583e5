#pragma once
// A loaded module (the program or one of its shared libraries) with its
// resources: the stand-in for the platform's module instance handle. Each
// module defines one static CModule; its address lies inside the module's
// own file, which is how GetModuleFileName finds that file.
#include "ResourceTypes.h"

#include <QString>
#include <map>
#include <utility>

class CModule {
public:
    explicit CModule(const char* name);
    CModule(const CModule&) = delete;
    CModule& operator=(const CModule&) = delete;

    const char* Name() const { return m_name; }

    void AddString(UINT id, const QString& text) { m_strings[id] = text; }
    void AddMenu(UINT id, MenuDef menu) { m_menus[id] = std::move(menu); }
    void AddAccelerators(UINT id, AccelTableDef table) { m_accels[id] = std::move(table); }
    void AddToolBar(UINT id, ToolBarDef bar) { m_toolbars[id] = std::move(bar); }
    // Bitmaps and icons: a path in Qt's resource system (":/..."), SVG or raster.
    void AddImage(UINT id, const QString& qtResourcePath) { m_images[id] = qtResourcePath; }
    // Resources of a type of the module's own (such as "MetaFile"): a path
    // in Qt's resource system. Types match without regard to case, as the
    // platform's resource names do.
    void AddCustom(const QString& type, UINT id, const QString& qtResourcePath)
    {
        m_custom[{type.toUpper(), id}] = qtResourcePath;
    }
    void AddDialog(UINT id, DialogDef dialog) { m_dialogs[id] = std::move(dialog); }

    const QString* FindString(UINT id) const { return find(m_strings, id); }
    const MenuDef* FindMenu(UINT id) const { return find(m_menus, id); }
    const AccelTableDef* FindAccelerators(UINT id) const { return find(m_accels, id); }
    const QString* FindImage(UINT id) const { return find(m_images, id); }
    const ToolBarDef* FindToolBar(UINT id) const { return find(m_toolbars, id); }
    const QString* FindCustom(const QString& type, UINT id) const { return find(m_custom, {type.toUpper(), id}); }
    const DialogDef* FindDialog(UINT id) const { return find(m_dialogs, id); }

    // The file this module was loaded from (the program or the .so), or empty.
    QString FilePath() const;

private:
    template <class M>
    static const typename M::mapped_type* find(const M& m, const typename M::key_type& id)
    {
        auto it = m.find(id);
        return it == m.end() ? nullptr : &it->second;
    }

    const char* m_name;
    std::map<UINT, QString> m_strings;
    std::map<UINT, MenuDef> m_menus;
    std::map<UINT, AccelTableDef> m_accels;
    std::map<UINT, QString> m_images;
    std::map<UINT, ToolBarDef> m_toolbars;
    std::map<std::pair<QString, UINT>, QString> m_custom;
    std::map<UINT, DialogDef> m_dialogs;
};

using HINSTANCE = CModule*;
using HMODULE = CModule*;

// LoadString with the platform's contract: copies at most bufferMax - 1
// characters and a terminating null, returns the number of characters copied
// (0 for a missing resource or a buffer of fewer than 2 characters).
int LoadString(HINSTANCE module, UINT id, QChar* buffer, int bufferMax);
