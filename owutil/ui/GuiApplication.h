#pragma once
// What a dialog needs in a client that has no Qt application of its own.
namespace OwUtil {

// Makes sure a widget application exists, creating one on first use when
// the process has none and a window system is at hand. False when dialogs
// cannot be shown: no window system, a non-widget application, or a call
// from a thread other than the application's.
bool EnsureGuiApplication();

} // namespace OwUtil
