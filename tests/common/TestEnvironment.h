#pragma once
// What every test process gets before its first test: a private HOME with its
// own XDG folders (no test touches the user's settings, desktop entries or
// caches), and message boxes that are recorded instead of shown.
#include "platform/types/Win32Types.h"

#include <QString>
#include <functional>
#include <string>
#include <vector>

namespace testenv {

struct RecordedMessage {
    QString text;
    QString caption;
    UINT type = 0;
};

// Creates the private folders and points HOME and XDG_* at them. Called by
// the test main before the Qt application exists.
void Install();

// The private HOME of this process.
QString Home();

// Message boxes shown since the last Clear, oldest first. Each returns IDOK
// (or the answer set with SetMessageBoxAnswer).
const std::vector<RecordedMessage>& Messages();
void ClearMessages();
void SetMessageBoxAnswer(int answer);

// The folder of small fixture files and the shared metafile corpus.
QString DataDir();
QString CorpusDir();
QString BuildDir();
QString SourceDir();
// The corpus files INDEX.tsv lists whose format column (e.g. "EMF",
// "WMF-placeable") the predicate accepts; empty without the corpus.
std::vector<std::string> CorpusFiles(const std::function<bool(const QString& format)>& accept);

} // namespace testenv
