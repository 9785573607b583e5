#include "MailHandler.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>

bool IsMailHandlerAvailable()
{
    static QElapsedTimer lastCheck;
    static bool available = false;
    if (lastCheck.isValid() && lastCheck.elapsed() < 10000)
        return available;
    lastCheck.start();
    available = false;
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-email")).isEmpty())
        return available;
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return available;
    QProcess p;
    p.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("x-scheme-handler/mailto")});
    if (p.waitForFinished(2000) && p.exitCode() == 0)
        available = !p.readAllStandardOutput().trimmed().isEmpty();
    else
        p.kill();
    return available;
}

bool SendFileByMail(const QString& path)
{
    return QProcess::startDetached(QStringLiteral("xdg-email"), {QStringLiteral("--attach"), path});
}
