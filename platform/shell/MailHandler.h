#pragma once
#include <QString>

// Whether a mail program can take a file as an attachment (xdg-email and a
// handler for mailto: links). Checked at most every few seconds.
bool IsMailHandlerAvailable();
// Starts the user's mail program with a new message carrying path.
bool SendFileByMail(const QString& path);
