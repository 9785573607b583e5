#pragma once
// The help viewer: a compiled help file's contents tree beside its pages,
// with back, forward and home. Pictures, style sheets and links between
// topics are read from the same file.
#include "ChmFile.h"

#include <QTextBrowser>
#include <QWidget>

class QTreeWidget;
class QTreeWidgetItem;
class QToolBar;

class HtmlHelpWindow : public QWidget {
    Q_OBJECT
public:
    HtmlHelpWindow();
    ~HtmlHelpWindow() override;

    // Opens the file (again only when another is asked for). False when unreadable.
    bool OpenFile(const QString& path);
    // Shows a topic ("/name.htm"); false when the file has no such topic.
    bool ShowTopic(const QString& inner);
    // The topic of a context id; false when the file has none.
    bool ShowContext(DWORD contextId);
    QString CurrentTopic() const;
    const ChmFile& File() const { return m_chm; }
    QTextBrowser* Browser() const { return m_browser; }
    QTreeWidget* ContentsTree() const { return m_tree; }

    // The URL of a file inside.
    static QUrl UrlOf(const QString& inner);

private:
    class ChmBrowser;
    void fillTree();
    void selectInTree(const QString& inner);

    ChmFile m_chm;
    QTreeWidget* m_tree = nullptr;
    QTextBrowser* m_browser = nullptr;
    bool m_selecting = false;
};
