#pragma once
// One value of the per-user registry: root, key and value name, read and
// written as a number or a string.
//
// The current user's registry is QSettings in native format. The key
// "\Software\<Organization>\<Application>\<Group>\...\" names the settings of
// QSettings(<Organization>, <Application>) (on Linux the file
// ~/.config/<Organization>/<Application>.conf), the remaining key names being
// nested groups. As in the registry, group and value names compare without
// regard to case (an existing spelling is kept); the organization and the
// application must be spelled as they were first written. The empty value
// name (the key's default value) is stored as "@".
//
// Only HKEY_CURRENT_USER is supported: with any other root, or a key that
// does not name an organization and an application under "Software", every
// read gives its default and every write fails. Every access opens the
// settings afresh and closes them again, so that changes made by other
// processes are seen at the next call.
#include "platform/types/Win32Types.h"

#include <QString>
#include <QStringList>

class COXRegistryItem {
public:
    COXRegistryItem() = default;

    // The root, e.g. "\HKEY_CURRENT_USER\" (backslashes at either end and
    // the short form "HKCU" are accepted).
    void SetRegistryName(const QString& root);
    // The key below the root, e.g. "\Software\Orrery Works\Debugging\".
    void SetKeyNames(const QString& keys);
    void SetValueName(const QString& name);

    QString GetRegistryName() const { return m_root; }
    QString GetKeyNames() const { return m_keys; }
    QString GetValueName() const { return m_valueName; }
    // Root, key names and value name as one registry path.
    QString GetFullRegistryItem() const;

    // Whether root and key can be reached: the current user's root and a key
    // naming an organization and an application.
    bool IsValid() const;

    // The value as a 32-bit number, or defaultValue when it is absent or not
    // a number. success (when given) tells which.
    DWORD GetNumberValue(DWORD defaultValue = 0, BOOL* success = nullptr) const;
    BOOL SetNumberValue(DWORD value);
    // The value as text, or defaultValue when it is absent.
    QString GetStringValue(const QString& defaultValue = QString(), BOOL* success = nullptr) const;
    BOOL SetStringValue(const QString& value);
    // Removes the value. True when it is gone afterwards (also when it was absent).
    BOOL DeleteValue();

private:
    struct Location {
        QString organization;
        QString application;
        QStringList groups;
    };
    bool location(Location& where) const;

    QString m_root;
    QString m_keys;
    QString m_valueName;
};
