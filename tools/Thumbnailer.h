#pragma once
// Thumbnails through the viewer's own document and painting code: the
// image is laid out as a document window fitted to a SIZE x SIZE page and
// drawn by the view's painting thread, which a watchdog stops once the
// playback limit has passed, keeping what was drawn.
#include <QImage>
#include <QString>

class Thumbnailer {
public:
    struct Result {
        QImage image;
        // The whole picture was drawn (not stopped at the limit).
        bool complete = false;
        // The picture's natural size in pixels at 96 dots per inch.
        QSize naturalSize;
    };

    // The local path named by input, a path or a file:// URI; empty when
    // input names no local file.
    static QString LocalPath(const QString& input);

    // Files larger than this are refused before they are read: a
    // thumbnailer reads the whole file within its time and memory limits.
    static constexpr qint64 kMaxInputBytes = qint64(64) << 20;

    // Loads path and draws it no larger than size x size with its aspect,
    // its longer side filling size; playback stops after limitMs. A null
    // image with the reason when the file gives no picture.
    static Result Render(const QString& path, int size, int limitMs, QString* error);

    // The PNG of a thumbnail with the thumbnail standard's attributes
    // (Thumb::URI, Thumb::MTime, Thumb::Size, the image's own size).
    static QByteArray Png(const Result& result, const QString& path);
};
