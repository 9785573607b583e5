#pragma once
// GetKeyState for the modifier keys: negative while the key is held down.
// Tests replace the query with a hook.
#include <functional>

short GetKeyState(int virtualKey);
void SetKeyStateHook(std::function<short(int virtualKey)> hook);
