#pragma once
// The key file format of the desktop specifications (desktop entries,
// mimeapps.list, mimeinfo.cache): groups of Key=Value lines. Lines this
// class does not change (comments, other groups, other keys) are kept as
// they were, in their order.
#include <QString>
#include <QStringList>
#include <vector>

class XdgKeyFile {
public:
    bool Load(const QString& path);
    void Parse(const QString& text);
    QString ToText() const;
    // Writes through a temporary file renamed over path; false on failure.
    bool Save(const QString& path) const;

    bool HasKey(const QString& group, const QString& key) const;
    QString Value(const QString& group, const QString& key) const;
    // A ';'-separated list (the trailing ';' is optional).
    QStringList ListValue(const QString& group, const QString& key) const;
    void SetValue(const QString& group, const QString& key, const QString& value);
    void SetListValue(const QString& group, const QString& key, const QStringList& values);
    void RemoveKey(const QString& group, const QString& key);
    QStringList Keys(const QString& group) const;
    QStringList Groups() const;
    bool IsEmpty() const;

    // String escapes of the desktop entry format (\s \n \t \r \\).
    static QString Escape(const QString& value);
    static QString Unescape(const QString& value);
    // One argument of an Exec line, quoted as the format requires.
    static QString QuoteExecArgument(const QString& arg);

private:
    struct Line {
        QString group; // the group the line belongs to ("" before the first)
        QString key;   // empty for comments, blank lines and group headers
        QString text;  // the line as written
        bool header = false;
    };
    int find(const QString& group, const QString& key) const;
    std::vector<Line> m_lines;
};
