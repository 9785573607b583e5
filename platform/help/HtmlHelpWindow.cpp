#include "HtmlHelpWindow.h"

#include <QAction>
#include <QBoxLayout>
#include <QSplitter>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>
#include <QUrl>

namespace {
const char* const kScheme = "its";
} // namespace

// A browser that takes every page and picture from the help file.
class HtmlHelpWindow::ChmBrowser : public QTextBrowser {
public:
    explicit ChmBrowser(const ChmFile& chm, QWidget* parent) : QTextBrowser(parent), m_chm(chm) {}

    QVariant loadResource(int type, const QUrl& url) override
    {
        if (url.scheme() != QLatin1String(kScheme))
            return QTextBrowser::loadResource(type, url);
        const QByteArray data = m_chm.Read(url.path());
        if (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource)
            return QString::fromUtf8(data);
        return data;
    }

private:
    const ChmFile& m_chm;
};

HtmlHelpWindow::HtmlHelpWindow()
    : QWidget(nullptr, Qt::Window)
{
    setObjectName(QStringLiteral("htmlHelp"));
    setAccessibleName(QStringLiteral("Help"));
    resize(900, 640);
    auto* bar = new QToolBar(this);
    bar->setAccessibleName(QStringLiteral("Help toolbar"));
    m_tree = new QTreeWidget(this);
    m_tree->setHeaderHidden(true);
    m_tree->setAccessibleName(QStringLiteral("Contents"));
    m_browser = new ChmBrowser(m_chm, this);
    m_browser->setOpenLinks(true);
    m_browser->setOpenExternalLinks(true);
    m_browser->setAccessibleName(QStringLiteral("Topic"));

    QAction* back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), tr("Back"));
    QAction* forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), tr("Forward"));
    QAction* home = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), tr("Home"));
    back->setShortcut(QKeySequence::Back);
    forward->setShortcut(QKeySequence::Forward);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(home, &QAction::triggered, this, [this] { ShowTopic(m_chm.DefaultTopic()); });
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
        setWindowTitle(m_browser->documentTitle().isEmpty() ? m_chm.Title()
                                                            : m_chm.Title() + QStringLiteral(" - ") + m_browser->documentTitle());
        selectInTree(url.path());
    });
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item && !m_selecting && !item->data(0, Qt::UserRole).toString().isEmpty())
            m_browser->setSource(QUrl(item->data(0, Qt::UserRole).toString()));
    });

    auto* split = new QSplitter(this);
    split->addWidget(m_tree);
    split->addWidget(m_browser);
    split->setStretchFactor(1, 1);
    split->setSizes({240, 660});
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(bar);
    box->addWidget(split, 1);
}

HtmlHelpWindow::~HtmlHelpWindow() = default;

QUrl HtmlHelpWindow::UrlOf(const QString& inner)
{
    QUrl u;
    u.setScheme(QString::fromLatin1(kScheme));
    const QString path = inner.section('#', 0, 0);
    u.setPath(path.startsWith('/') ? path : '/' + path);
    if (inner.contains('#'))
        u.setFragment(inner.section('#', 1));
    return u;
}

bool HtmlHelpWindow::OpenFile(const QString& path)
{
    if (m_chm.IsOpen() && m_chm.Path() == path)
        return true;
    if (!m_chm.Open(path))
        return false;
    m_browser->clearHistory();
    fillTree();
    setWindowTitle(m_chm.Title());
    return true;
}

bool HtmlHelpWindow::ShowTopic(const QString& inner)
{
    if (inner.isEmpty() || !m_chm.Exists(inner.section('#', 0, 0)))
        return false;
    m_browser->setSource(UrlOf(inner));
    return true;
}

bool HtmlHelpWindow::ShowContext(DWORD contextId)
{
    return ShowTopic(m_chm.TopicOf(contextId));
}

QString HtmlHelpWindow::CurrentTopic() const { return m_browser->source().path(); }

void HtmlHelpWindow::fillTree()
{
    m_tree->clear();
    std::function<void(QTreeWidgetItem*, const std::vector<ChmFile::Entry>&)> add =
        [&](QTreeWidgetItem* parent, const std::vector<ChmFile::Entry>& entries) {
            for (const ChmFile::Entry& e : entries) {
                auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_tree);
                item->setText(0, e.name);
                item->setIcon(0, style()->standardIcon(e.children.empty() ? QStyle::SP_FileIcon : QStyle::SP_DirIcon));
                if (!e.local.isEmpty())
                    item->setData(0, Qt::UserRole, UrlOf(e.local).toString());
                add(item, e.children);
            }
        };
    add(nullptr, m_chm.Contents());
    m_tree->expandToDepth(0);
}

void HtmlHelpWindow::selectInTree(const QString& inner)
{
    const QString want = UrlOf(inner).toString();
    m_selecting = true;
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
        if (QUrl((*it)->data(0, Qt::UserRole).toString()).adjusted(QUrl::RemoveFragment).toString() == want) {
            m_tree->setCurrentItem(*it);
            break;
        }
    m_selecting = false;
}
