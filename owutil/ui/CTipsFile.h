#pragma once
// The tips file of the tip-of-the-day dialog: a text file of one tip per
// line. Lines that begin with a blank, a tab or ";" and empty lines are
// skipped; lines are read in pieces of at most 999 bytes; at the end the
// reading starts again from the top. Text is UTF-8, or Latin-1 where a line
// is not valid UTF-8; CR LF line ends read as LF.
#include <QFile>
#include <QString>

class CTipsFile {
public:
    enum ReadResult { TipRead, NoTip, ReadFailed };

    CTipsFile() = default;
    CTipsFile(const CTipsFile&) = delete;
    CTipsFile& operator=(const CTipsFile&) = delete;

    // path is made absolute and its "." and ".." folders resolved first.
    bool Open(const QString& path);
    bool IsOpen() const { return m_file.isOpen(); }
    void Close() { m_file.close(); }
    QString FileName() const { return m_file.fileName(); }

    // The file's last change in the 24-character form "Wed Jun 30 21:49:08
    // 1993" (local time), empty when it cannot be read.
    QString TimeStamp() const;

    bool Seek(qint64 offset);
    qint64 Offset() const { return m_file.pos(); }

    // The next tip, line end kept. NoTip (tip empty) when a whole pass
    // through the file finds no tip line; ReadFailed (tip empty) when the
    // file cannot be read from the top again.
    ReadResult ReadTip(QString& tip);

    // The longest piece read as one line, in bytes.
    static constexpr int kMaxLine = 999;

private:
    // One line or piece of a long line; false at the end of the file.
    bool readLine(QByteArray& line);

    QFile m_file;
};
