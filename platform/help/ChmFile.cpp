#include "ChmFile.h"

#include <QRegularExpression>
#include <chm_lib.h>

namespace {

uint32_t le32(const QByteArray& b, qsizetype at)
{
    if (at < 0 || at + 4 > b.size())
        return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(b.constData() + at);
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t le16(const QByteArray& b, qsizetype at)
{
    if (at < 0 || at + 2 > b.size())
        return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(b.constData() + at);
    return uint16_t(p[0] | p[1] << 8);
}

QString absolute(const QString& p) { return p.startsWith('/') ? p : '/' + p; }

} // namespace

ChmFile::ChmFile() = default;

ChmFile::~ChmFile()
{
    if (m_file)
        chm_close(m_file);
}

bool ChmFile::Open(const QString& path)
{
    if (m_file)
        chm_close(m_file);
    m_file = chm_open(path.toLocal8Bit().constData());
    m_path = path;
    m_contents.clear();
    m_contexts.clear();
    if (m_file == nullptr)
        return false;
    readSystem();
    readContexts();
    if (m_contentsFile.isEmpty())
        m_contentsFile = QStringLiteral("/toc.hhc");
    readContents(m_contentsFile);
    return true;
}

QByteArray ChmFile::Read(const QString& inner) const
{
    if (m_file == nullptr)
        return {};
    chmUnitInfo ui{};
    const QByteArray name = absolute(inner).toUtf8();
    if (chm_resolve_object(m_file, name.constData(), &ui) != CHM_RESOLVE_SUCCESS)
        return {};
    // Help topics are small; a damaged length never makes a huge buffer.
    constexpr LONGUINT64 kMaxFile = 64u << 20;
    if (ui.length > kMaxFile)
        return {};
    QByteArray out(qsizetype(ui.length), Qt::Uninitialized);
    const LONGINT64 got = chm_retrieve_object(m_file, &ui, reinterpret_cast<unsigned char*>(out.data()), 0,
                                              LONGINT64(ui.length));
    out.resize(got > 0 ? qsizetype(got) : 0);
    return out;
}

bool ChmFile::Exists(const QString& inner) const
{
    chmUnitInfo ui{};
    return m_file && chm_resolve_object(m_file, absolute(inner).toUtf8().constData(), &ui) == CHM_RESOLVE_SUCCESS;
}

QString ChmFile::resolve(const QString& stored) const
{
    QString p = stored;
    p.replace('\\', '/');
    if (Exists(p))
        return absolute(p);
    // Drop leading folders until the rest names a file inside.
    QStringList parts = p.split('/', Qt::SkipEmptyParts);
    while (parts.size() > 1) {
        parts.removeFirst();
        const QString tail = '/' + parts.join('/');
        if (Exists(tail))
            return tail;
    }
    return parts.isEmpty() ? QString() : '/' + parts.join('/');
}

void ChmFile::readSystem()
{
    // #SYSTEM: a version word, then records of code, length and data.
    const QByteArray s = Read(QStringLiteral("/#SYSTEM"));
    for (qsizetype at = 4; at + 4 <= s.size();) {
        const uint16_t code = le16(s, at), len = le16(s, at + 2);
        const QByteArray data = s.mid(at + 4, len);
        const QString text = QString::fromLocal8Bit(data.left(data.indexOf('\0') < 0 ? data.size() : data.indexOf('\0')));
        if (code == 0)
            m_contentsFile = resolve(text);
        else if (code == 2)
            m_defaultTopic = resolve(text);
        else if (code == 3)
            m_title = text;
        at += 4 + len;
    }
}

void ChmFile::readContexts()
{
    const QByteArray ivb = Read(QStringLiteral("/#IVB"));
    const QByteArray strings = Read(QStringLiteral("/#STRINGS"));
    const qsizetype size = std::min<qsizetype>(le32(ivb, 0), ivb.size() - 4);
    for (qsizetype at = 4; at + 8 <= 4 + size; at += 8) {
        const uint32_t id = le32(ivb, at), offset = le32(ivb, at + 4);
        if (offset >= uint32_t(strings.size()))
            continue;
        const qsizetype end = strings.indexOf('\0', offset);
        const QString name = QString::fromLocal8Bit(strings.mid(offset, end < 0 ? -1 : end - offset));
        if (!name.isEmpty())
            m_contexts[id] = resolve(name);
    }
}

QString ChmFile::TopicOf(DWORD contextId) const
{
    auto it = m_contexts.find(contextId);
    return it == m_contexts.end() ? QString() : it->second;
}

void ChmFile::readContents(const QString& inner)
{
    // The sitemap: nested <ul> lists of <object type="text/sitemap"> with
    // Name and Local parameters.
    const QString html = QString::fromUtf8(Read(inner));
    static const QRegularExpression token(
        QStringLiteral("<\\s*(/?)\\s*(ul|object)\\b[^>]*>|<\\s*param\\s+name\\s*=\\s*\"([^\"]*)\"\\s+value\\s*=\\s*\"([^\"]*)\""),
        QRegularExpression::CaseInsensitiveOption);
    std::vector<std::vector<Entry>*> stack{&m_contents};
    Entry current;
    bool inObject = false;
    for (auto it = token.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        const QString tag = m.captured(2).toLower();
        const bool closing = !m.captured(1).isEmpty();
        if (tag == QLatin1String("ul")) {
            if (!closing && !stack.back()->empty())
                stack.push_back(&stack.back()->back().children);
            else if (closing && stack.size() > 1)
                stack.pop_back();
        } else if (tag == QLatin1String("object")) {
            if (!closing) {
                inObject = true;
                current = Entry{};
            } else if (inObject) {
                inObject = false;
                if (!current.name.isEmpty())
                    stack.back()->push_back(current);
            }
        } else if (inObject) {
            const QString key = m.captured(3).toLower();
            if (key == QLatin1String("name"))
                current.name = m.captured(4);
            else if (key == QLatin1String("local"))
                current.local = resolve(m.captured(4).section('#', 0, 0)) +
                                (m.captured(4).contains('#') ? '#' + m.captured(4).section('#', 1) : QString());
        }
    }
}
