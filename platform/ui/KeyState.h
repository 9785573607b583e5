#pragma once
// GetKeyState for the modifier keys: negative while the key is held down.
// Tests replace the query with a hook.
#include <Qt>
#include <functional>

short GetKeyState(int virtualKey);
void SetKeyStateHook(std::function<short(int virtualKey)> hook);

// While a key or mouse message is handled, GetKeyState answers with the
// modifiers that message carried, as the platform's does for the message
// being processed (a key pressed with Ctrl sees Ctrl down, even when the
// event was synthesised and the window system never saw the key).
class MessageKeyState {
public:
    explicit MessageKeyState(Qt::KeyboardModifiers modifiers);
    ~MessageKeyState();
    MessageKeyState(const MessageKeyState&) = delete;
    MessageKeyState& operator=(const MessageKeyState&) = delete;

private:
    const MessageKeyState* m_previous;
    Qt::KeyboardModifiers m_modifiers;
    friend short GetKeyState(int virtualKey);
};
