#pragma once
// The channel through which a second process hands its open and print
// requests to the running one (what the shell's DDE conversation does on
// the platform the program comes from): a local socket in a private,
// per-user folder (mode 0700).
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QLocalServer;
class QLocalSocket;

struct ShellRequest {
    QString verb; // "open" or "print"
    QString path;
};

class SingleInstanceChannel : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<bool(const ShellRequest& request)>;

    // name: the channel's name within the user's private folder.
    explicit SingleInstanceChannel(const QString& name, QObject* parent = nullptr);
    ~SingleInstanceChannel() override;

    // The socket's full path ("" when no private folder can be made).
    QString SocketPath() const { return m_path; }

    // Another process listens on the channel.
    bool IsOtherInstanceRunning() const;
    // Hands requests to the running instance; true when they were delivered.
    bool Send(const std::vector<ShellRequest>& requests, int timeoutMs = 10000) const;

    // Starts serving requests with handler (called on this object's thread).
    // False when another instance serves already or the socket cannot be made.
    bool Listen(Handler handler);
    bool IsListening() const;

    // The private per-user folder for such sockets ($XDG_RUNTIME_DIR/lumivue,
    // else a folder under the temporary folder owned by the user).
    static QString PrivateFolder();

private:
    void onNewConnection();
    void onReadyRead(QLocalSocket* socket);

    QString m_path;
    QLocalServer* m_server = nullptr;
    Handler m_handler;
};
