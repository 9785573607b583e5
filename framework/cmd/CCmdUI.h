#pragma once
// The state a command's update handler sets: enabled, checked, text. The
// framework then applies it to the menu item or button of the command.
#include "platform/types/Win32Types.h"

#include <QString>
#include <optional>

class CCmdUI {
public:
    explicit CCmdUI(UINT id) : m_nID(id) {}
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL on = TRUE) { m_enabled = on != 0; m_enableChanged = true; }
    virtual void SetCheck(int check = 1) { m_check = check; }
    virtual void SetText(const QString& text) { m_text = text; }

    UINT m_nID;
    // Set once any handler has spoken for the command.
    bool m_enableChanged = false;
    bool m_enabled = true;
    std::optional<int> m_check;
    std::optional<QString> m_text;
};
