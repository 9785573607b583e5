#pragma once
// The platform's clipboard calls over QClipboard: a window opens the
// clipboard, empties it (taking ownership), sets data in the platform's
// formats and closes it. What was set is published to the window system
// in one piece when the clipboard closes, so another program never sees
// half of it.
//
// Formats and what other programs get:
//   CF_ENHMETAFILE  the metafile's EMF bytes as "image/emf" and
//                   "image/x-emf", and a PNG rendering ("image/png") at the
//                   picture's size at 96 dots per inch, its longer side
//                   capped at 4096 pixels.
//   CF_DIB          a packed device-independent bitmap (header, colour
//                   table, bits) as a bitmap file, "image/bmp", and as
//                   "image/png".
#include "platform/metafile/EnhMetaFile.h"
#include "platform/types/Win32Types.h"

#include <QByteArray>
#include <QImage>
#include <functional>

class QMimeData;
class QWidget;

enum : UINT {
    CF_DIB = 8,
    CF_ENHMETAFILE = 14,
};

// The clipboard for owner; FALSE while it is open for any window (also
// this one) or when there is no clipboard (no GUI application).
BOOL OpenClipboard(QWidget* owner);
// Drops what the clipboard held; FALSE unless this process opened it.
BOOL EmptyClipboard();
// Puts data on the open clipboard. The clipboard takes ownership of a
// metafile it accepts (the caller must not delete it); a metafile it
// refuses stays the caller's. Null data, an unknown format or a clipboard
// that is not open (or was not emptied) give FALSE.
BOOL SetEnhMetaFileClipboardData(HENHMETAFILE metafile);
BOOL SetDibClipboardData(const QByteArray& packedDib);
// Publishes what was set and closes the clipboard; FALSE when it was not open.
BOOL CloseClipboard();
BOOL IsClipboardOpen();

// The PNG rendering an enhanced metafile gets on the clipboard (null for
// a picture that cannot be drawn).
QImage RenderEnhMetaFileForClipboard(HENHMETAFILE metafile);
// The largest side of that rendering.
constexpr int MaxClipboardRenderSide = 4096;

// Tests: replaces publishing (null restores QClipboard). The hook gets the
// data and returns whether the window system took it.
using ClipboardPublishHook = std::function<bool(QMimeData* data)>;
void SetClipboardPublishHook(ClipboardPublishHook hook);
