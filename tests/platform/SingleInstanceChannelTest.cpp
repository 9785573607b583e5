#include "platform/shell/SingleInstanceChannel.h"

#include <QFileInfo>
#include <QLocalSocket>
#include <QCoreApplication>
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

TEST(SingleInstanceChannel, LivesInAPrivateFolder)
{
    const QString folder = SingleInstanceChannel::PrivateFolder();
    ASSERT_FALSE(folder.isEmpty());
    struct stat st {};
    ASSERT_EQ(::stat(folder.toLocal8Bit().constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST(SingleInstanceChannel, ASocketLeftByAnEndedProcessIsReplaced)
{
    SingleInstanceChannel probe("stale-test");
    // A socket file nobody listens on, as a crashed instance leaves it.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const QByteArray path = probe.SocketPath().toLocal8Bit();
    std::strncpy(addr.sun_path, path.constData(), sizeof(addr.sun_path) - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)), 0);
    ::close(fd);
    ASSERT_TRUE(QFileInfo::exists(probe.SocketPath()));

    EXPECT_FALSE(probe.IsOtherInstanceRunning());
    EXPECT_TRUE(probe.Listen([](const ShellRequest&) { return true; }));
    SingleInstanceChannel second("stale-test");
    EXPECT_TRUE(second.IsOtherInstanceRunning());
    EXPECT_FALSE(second.Listen([](const ShellRequest&) { return true; }));
}

TEST(SingleInstanceChannel, GarbageFromAClientIsDropped)
{
    SingleInstanceChannel server("garbage-test");
    int handled = 0;
    ASSERT_TRUE(server.Listen([&handled](const ShellRequest&) { return ++handled > 0; }));
    QLocalSocket s;
    s.connectToServer(server.SocketPath());
    ASSERT_TRUE(s.waitForConnected(2000));
    // A wrong magic number and an absurd count.
    s.write(QByteArray::fromHex("deadbeefffffffff0000"));
    s.flush();
    for (int i = 0; i < 20 && s.state() == QLocalSocket::ConnectedState; ++i) {
        QCoreApplication::processEvents();
        s.waitForDisconnected(10);
    }
    EXPECT_EQ(handled, 0);
    EXPECT_NE(s.state(), QLocalSocket::ConnectedState);
}
