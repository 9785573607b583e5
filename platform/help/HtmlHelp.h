#pragma once
// The stand-in for the platform's HTML Help call: shows a topic of a
// compiled help file in the process's help window.
#include "platform/types/Win32Types.h"

#include <QString>

class QWidget;
class HtmlHelpWindow;

enum : UINT {
    HH_DISPLAY_TOPIC = 0x0000,
    HH_HELP_CONTEXT = 0x000F,
};

// HH_DISPLAY_TOPIC: the file's default topic (data 0) or the topic path in
// data's string; HH_HELP_CONTEXT: the topic of context id data. Returns the
// help window, or null when the file cannot be read or has no such topic.
QWidget* HtmlHelp(QWidget* caller, const QString& file, UINT command, DWORD data, const QString& topic = QString());
// The process's help window, or null before the first call.
HtmlHelpWindow* HtmlHelpWindowInstance();
