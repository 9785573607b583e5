#include "CTipsFile.h"

#include "toolkit/COXPathSpec.h"

#include <QFileInfo>
#include <QStringDecoder>

#include <ctime>

namespace {

bool skipped(const QByteArray& line)
{
    // "\r" stands for the empty line of a file with CR LF line ends.
    const char c = line.at(0);
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == ';';
}

QString decode(QByteArray line)
{
    if (line.endsWith("\r\n"))
        line.remove(line.size() - 2, 1);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(line);
    return utf8.hasError() ? QString::fromLatin1(line) : text;
}

// The length of data without a UTF-8 sequence cut off at its end.
qsizetype completeUtf8(const char* data, qsizetype length)
{
    qsizetype start = length;
    int continuation = 0;
    while (start > 0 && continuation < 3 && (uchar(data[start - 1]) & 0xC0) == 0x80) {
        --start;
        ++continuation;
    }
    if (start == 0)
        return length;
    const uchar lead = uchar(data[start - 1]);
    const int needed = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (needed > continuation && needed > 0)
        return start - 1; // the lead byte and its continuation bytes wait for the next piece
    return length;
}

} // namespace

bool CTipsFile::Open(const QString& path)
{
    m_file.close();
    COXPathSpec pathSpec;
    QString name = path;
    if (pathSpec.SetPath(path)) {
        pathSpec.MakeAbsolute();
        name = pathSpec.GetPath();
    }
    m_file.setFileName(name);
    return !name.isEmpty() && QFileInfo(name).isFile() && m_file.open(QIODevice::ReadOnly);
}

QString CTipsFile::TimeStamp() const
{
    const QFileInfo info(m_file.fileName());
    if (!info.exists())
        return {};
    const time_t modified = time_t(info.lastModified().toSecsSinceEpoch());
    char text[32] = {};
    if (ctime_r(&modified, text) == nullptr)
        return {};
    return QString::fromLatin1(text).trimmed();
}

bool CTipsFile::Seek(qint64 offset) { return offset >= 0 && m_file.isOpen() && m_file.seek(offset); }

bool CTipsFile::readLine(QByteArray& line)
{
    char buffer[kMaxLine + 1];
    const qint64 n = m_file.readLine(buffer, sizeof buffer);
    if (n <= 0)
        return false;
    qsizetype length = qsizetype(n);
    if (buffer[length - 1] != '\n') {
        const qsizetype whole = completeUtf8(buffer, length);
        if (whole > 0 && whole < length) {
            m_file.seek(m_file.pos() - (length - whole));
            length = whole;
        }
    }
    line = QByteArray(buffer, length);
    return true;
}

CTipsFile::ReadResult CTipsFile::ReadTip(QString& tip)
{
    tip.clear();
    if (!m_file.isOpen())
        return ReadFailed;
    // Starting anywhere, one rewind brings every line of the file past once:
    // a second end of file means that the file holds no tip at all.
    bool rewound = false;
    QByteArray line;
    for (;;) {
        if (!readLine(line)) {
            if (rewound)
                return NoTip;
            if (!m_file.seek(0))
                return ReadFailed;
            rewound = true;
            continue;
        }
        if (!skipped(line)) {
            tip = decode(line);
            return TipRead;
        }
    }
}
