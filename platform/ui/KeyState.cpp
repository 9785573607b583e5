#include "KeyState.h"

#include "platform/types/Win32Types.h"

#include <QGuiApplication>

namespace {
std::function<short(int)>& hook()
{
    static std::function<short(int)> h;
    return h;
}
thread_local const MessageKeyState* t_message = nullptr;
} // namespace

MessageKeyState::MessageKeyState(Qt::KeyboardModifiers modifiers) : m_previous(t_message), m_modifiers(modifiers)
{
    t_message = this;
}

MessageKeyState::~MessageKeyState() { t_message = m_previous; }

void SetKeyStateHook(std::function<short(int)> h) { hook() = std::move(h); }

short GetKeyState(int vk)
{
    if (hook())
        return hook()(vk);
    Qt::KeyboardModifiers m;
    if (t_message) {
        m = t_message->m_modifiers;
    } else {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
            return 0;
        // Asks the window system for the keyboard as it is now, not as the
        // last event saw it: start-up runs before any event.
        m = QGuiApplication::queryKeyboardModifiers();
    }
    bool down = false;
    switch (vk) {
    case VK_CONTROL: down = m.testFlag(Qt::ControlModifier); break;
    case VK_SHIFT: down = m.testFlag(Qt::ShiftModifier); break;
    case VK_MENU: down = m.testFlag(Qt::AltModifier); break;
    default: break;
    }
    return down ? short(0x8000) : short(0);
}
