#pragma once
// Paths relative to a base folder and back. The plain forms for C callers,
// DetermineRelativePath and ResolveRelativePath, are in owutil/OwUtilC.h.
#include <QString>

namespace OwUtil {

// source relative to the folder base: "../b/c/f.txt" for "/a/b/c/f.txt"
// against "/a/x". The folders compare character by character without regard
// to case, so "/a/bc/f" against "/a/b" gives "c/f". A source on another
// server, share or drive, or one the base cannot be cut down to, is
// returned whole.
QString DetermineRelPath(const QString& source, const QString& base);

// A relative source made absolute against the folder base: each leading
// "../" climbs one folder (never above the root). A source that starts with
// a separator or a drive ("C:") is absolute and returned unchanged.
QString ResolveRelPath(const QString& source, const QString& base);

} // namespace OwUtil
