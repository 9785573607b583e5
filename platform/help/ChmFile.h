#pragma once
// A Compiled HTML Help file read with chmlib: its files, its contents tree
// (the sitemap named in #SYSTEM, or the first .hhc) and its numeric context
// ids (#IVB pairs of id and #STRINGS offset).
#include "platform/types/Win32Types.h"

#include <QByteArray>
#include <QString>
#include <map>
#include <memory>
#include <vector>

struct chmFile;

class ChmFile {
public:
    struct Entry {
        QString name;
        QString local; // a path in the file ("/topic.htm#part"), or empty
        std::vector<Entry> children;
    };

    ChmFile();
    ~ChmFile();
    ChmFile(const ChmFile&) = delete;
    ChmFile& operator=(const ChmFile&) = delete;

    bool Open(const QString& path);
    bool IsOpen() const { return m_file != nullptr; }
    QString Path() const { return m_path; }

    // The bytes of a file inside ("/a.htm"); empty when it is missing.
    QByteArray Read(const QString& inner) const;
    bool Exists(const QString& inner) const;
    // The default topic, as "/name.htm".
    QString DefaultTopic() const { return m_defaultTopic; }
    QString Title() const { return m_title; }
    const std::vector<Entry>& Contents() const { return m_contents; }
    // The topic of a context id, or empty when the file has no such id.
    QString TopicOf(DWORD contextId) const;

private:
    void readSystem();
    void readContexts();
    void readContents(const QString& inner);
    // A path as stored by some compilers (absolute on the build machine)
    // made into the path of a file inside.
    QString resolve(const QString& stored) const;

    chmFile* m_file = nullptr;
    QString m_path;
    QString m_defaultTopic;
    QString m_title;
    QString m_contentsFile;
    std::vector<Entry> m_contents;
    std::map<DWORD, QString> m_contexts;
};
