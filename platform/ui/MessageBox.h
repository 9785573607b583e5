#pragma once
// The platform's message box: a modal QMessageBox with the type's buttons
// and icon. Tests (and headless runs) replace it with a hook; without a
// window system the text goes to standard error and the default answer is
// returned instead of blocking.
#include "platform/types/Win32Types.h"

#include <QString>
#include <functional>

class QWidget;

using MessageBoxHook = std::function<int(const QString& text, const QString& caption, UINT type)>;

// Shows text with caption (empty: the application's name) and returns the
// button pressed (IDOK, IDCANCEL, IDYES, ...).
int MessageBox(QWidget* parent, const QString& text, const QString& caption, UINT type);

// Replaces the message box for the whole process; an empty hook restores it.
void SetMessageBoxHook(MessageBoxHook hook);
