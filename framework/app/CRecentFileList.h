#pragma once
// The most-recently-used file list of the File menu, kept in the profile
// under "Recent File List" as "File1", "File2"...
#include <QString>
#include <QStringList>

class CWinApp;

class CRecentFileList {
public:
    CRecentFileList(QString section, QString entryFormat, int size);

    int GetSize() const { return int(m_files.size()); }
    int GetMaxSize() const { return m_maxSize; }
    const QString& operator[](int index) const { return m_files.at(index); }
    const QStringList& Files() const { return m_files; }

    // path goes to the top; it appears once; the oldest falls off.
    void Add(const QString& path);
    void Remove(int index);
    // The menu text of an entry: the path, shortened in its middle when long.
    QString GetDisplayName(int index, int maxLength = 60) const;

    void ReadList(CWinApp* app);
    void WriteList(CWinApp* app) const;

private:
    QString m_section;
    QString m_entryFormat;
    int m_maxSize;
    QStringList m_files;
};
