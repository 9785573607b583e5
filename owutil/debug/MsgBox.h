#pragma once
// The utility library's message box for any client.
#include <QString>

namespace OWDebug {

// Shows text with caption and the platform's type flags (MB_OK,
// MB_ICONWARNING...) and returns the id of the button pressed. The box is
// owned by the main window of the calling thread when it has one; from a
// thread without windows it shows on the user-interface thread, without
// owner, while the calling thread waits.
int MsgBox(const QString& text, const QString& caption, unsigned int type);

} // namespace OWDebug
