#include "SingleInstanceChannel.h"

#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr quint32 kMagic = 0x4C564459; // "LVDY"
constexpr int kMaxRequests = 4096;

bool makePrivateFolder(const QString& path)
{
    QDir().mkpath(path);
    struct stat st {};
    const QByteArray p = QFile::encodeName(path);
    if (::lstat(p.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid())
        return false;
    if ((st.st_mode & 0777) != 0700 && ::chmod(p.constData(), 0700) != 0)
        return false;
    return true;
}

} // namespace

QString SingleInstanceChannel::PrivateFolder()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty()) {
        const QString path = QFile::decodeName(runtime) + QStringLiteral("/lumivue");
        if (makePrivateFolder(path))
            return path;
    }
    const QString path = QDir::tempPath() + QStringLiteral("/lumivue-%1").arg(::getuid());
    return makePrivateFolder(path) ? path : QString();
}

SingleInstanceChannel::SingleInstanceChannel(const QString& name, QObject* parent) : QObject(parent)
{
    const QString folder = PrivateFolder();
    if (!folder.isEmpty())
        m_path = folder + '/' + name;
}

SingleInstanceChannel::~SingleInstanceChannel()
{
    if (m_server)
        m_server->close();
}

bool SingleInstanceChannel::IsOtherInstanceRunning() const
{
    if (m_path.isEmpty() || IsListening())
        return false;
    QLocalSocket s;
    s.connectToServer(m_path);
    const bool ok = s.waitForConnected(1000);
    s.abort();
    return ok;
}

bool SingleInstanceChannel::Send(const std::vector<ShellRequest>& requests, int timeoutMs) const
{
    if (m_path.isEmpty())
        return false;
    QLocalSocket s;
    s.connectToServer(m_path);
    if (!s.waitForConnected(timeoutMs))
        return false;
    QByteArray block;
    {
        QDataStream out(&block, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_6_0);
        out << kMagic << quint32(requests.size());
        for (const ShellRequest& r : requests)
            out << r.verb << r.path;
    }
    s.write(block);
    if (!s.waitForBytesWritten(timeoutMs))
        return false;
    // The running instance answers once it has carried out every request;
    // it may be busy (a message box of its own), and then the requests were
    // delivered all the same.
    while (s.bytesAvailable() < qint64(sizeof(quint32))) {
        if (!s.waitForReadyRead(timeoutMs))
            return s.state() == QLocalSocket::ConnectedState;
    }
    return true;
}

bool SingleInstanceChannel::Listen(Handler handler)
{
    if (m_path.isEmpty() || IsListening())
        return IsListening();
    if (IsOtherInstanceRunning())
        return false;
    // Nobody answers: a socket file left by an ended process goes.
    QLocalServer::removeServer(m_path);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_path)) {
        delete m_server;
        m_server = nullptr;
        return false;
    }
    m_handler = std::move(handler);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstanceChannel::onNewConnection);
    return true;
}

bool SingleInstanceChannel::IsListening() const { return m_server != nullptr && m_server->isListening(); }

void SingleInstanceChannel::onNewConnection()
{
    while (QLocalSocket* s = m_server->nextPendingConnection()) {
        connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        connect(s, &QLocalSocket::readyRead, this, [this, s] { onReadyRead(s); });
        if (s->bytesAvailable() > 0)
            onReadyRead(s);
    }
}

void SingleInstanceChannel::onReadyRead(QLocalSocket* s)
{
    QDataStream in(s);
    in.setVersion(QDataStream::Qt_6_0);
    in.startTransaction();
    quint32 magic = 0, count = 0;
    in >> magic >> count;
    if (in.status() == QDataStream::Ok && (magic != kMagic || count > quint32(kMaxRequests))) {
        s->abort();
        return;
    }
    std::vector<ShellRequest> requests;
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        ShellRequest r;
        in >> r.verb >> r.path;
        requests.push_back(r);
    }
    if (!in.commitTransaction())
        return; // more bytes to come
    bool all = true;
    for (const ShellRequest& r : requests)
        all = (m_handler && m_handler(r)) && all;
    QByteArray reply;
    QDataStream out(&reply, QIODevice::WriteOnly);
    out << quint32(all ? 1 : 0);
    s->write(reply);
    s->flush();
}
