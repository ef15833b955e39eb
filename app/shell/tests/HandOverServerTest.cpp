// A hostile program of the same user against the hand-over socket of the
// running program: idle connections by the hundred, messages that never
// end, a huge message, and an accept that fails for want of file handles.
// Each time the socket keeps serving, and a later start still hands over.
#include "HandOverTestSupport.h"

#include "shell/HandOverMessage.h"
#include "shell/SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTest>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <vector>

namespace {

using namespace std::chrono_literals;

const QString kInstance = QStringLiteral("KwlHostileClientTest");

// Short waits, so that the test waits little.
SingleInstanceTiming ShortTiming()
{
    SingleInstanceTiming timing;
    timing.handOver = 5s;
    timing.retry = 10ms;
    timing.server.connectionsAtOnce = 4;
    timing.server.wholeMessage = 50ms;
    timing.server.listenCheck = 50ms;
    return timing;
}

int OpenHandles()
{
    return static_cast<int>(
        QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size());
}

// A connection of the hostile program; -1 when the socket's queue is full.
int Connect(const QString& path, bool wait = false)
{
    const int client = ::socket(AF_UNIX, SOCK_STREAM | (wait ? 0 : SOCK_NONBLOCK), 0);
    if (client < 0)
        return -1;
    const sockaddr_un address = SocketAddress(path);
    if (::connect(client, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(client);
        return -1;
    }
    return client;
}

// Whether the running program has closed the connection.
bool IsClosedByTheServer(int client)
{
    char byte = 0;
    return ::recv(client, &byte, 1, MSG_DONTWAIT) == 0;
}

class HandOverServerTest : public ::testing::Test
{
protected:
    explicit HandOverServerTest(SingleInstanceTiming timing = ShortTiming())
        : m_timing(timing)
        , m_first(kInstance, timing)
    { }

    void SetUp() override
    {
        ASSERT_TRUE(m_first.TryAcquire());
        ASSERT_TRUE(m_first.Listen([this](const QStringList& paths) { m_received << paths; }));
    }

    void TearDown() override
    {
        for (int client : m_clients)
            ::close(client);
    }

    // A later start hands a project over.
    bool LaterStartHandsOver(const QStringList& names = { QStringLiteral("/projects/Later.kwxe") })
    {
        m_received.clear();
        return HandOverBeside(kInstance, names, m_timing) == SingleInstance::HandOverResult::Delivered
            && WaitFor([&] { return m_received == names; });
    }

    SingleInstanceTiming m_timing;
    SingleInstance m_first;
    QStringList m_received;
    std::vector<int> m_clients;
};

// About a thousand idle connections once stopped the server (an accept ran
// out of file handles). It serves a few at once; the others wait in the
// system's queue, not as handles of the program.
TEST_F(HandOverServerTest, IdleConnectionsAreServedAFewAtATime)
{
    const int before = OpenHandles();
    for (int i = 0; i < 300; ++i)
        if (const int client = Connect(m_first.ServerName()); client >= 0)
            m_clients.push_back(client);
    ASSERT_GT(m_clients.size(), 20U);
    QTest::qWait(20); // less than a connection may take for its message
    const int ofTheServer = OpenHandles() - before - static_cast<int>(m_clients.size());
    // Those served and those that Qt holds waiting for their turn.
    EXPECT_LE(ofTheServer, 2 * ShortTiming().server.connectionsAtOnce + 2);

    // Each is closed in its turn when its message does not come, and a
    // later start then hands over.
    EXPECT_TRUE(WaitFor([&] { return IsClosedByTheServer(m_clients.back()); }));
    EXPECT_TRUE(LaterStartHandsOver());
}

// A connection that never finishes its message is closed after a while.
TEST_F(HandOverServerTest, AMessageThatIsNotWholeInTimeIsClosed)
{
    const QByteArray whole = HandOverMessage::Encode({ QStringLiteral("/projects/Never.kwxe") });
    for (const qsizetype sent : { qsizetype(0), qsizetype(2), qsizetype(6), whole.size() - 1 }) {
        SCOPED_TRACE(sent);
        const int client = Connect(m_first.ServerName(), true);
        ASSERT_GE(client, 0);
        m_clients.push_back(client);
        ASSERT_EQ(::send(client, whole.constData(), static_cast<std::size_t>(sent), 0), sent);
        EXPECT_TRUE(WaitFor([&] { return IsClosedByTheServer(client); }));
        EXPECT_TRUE(m_received.isEmpty());
    }
    EXPECT_TRUE(LaterStartHandsOver());
}

// The largest message a sender can write arrives whole.
// The largest message may take its time on a slow or instrumented build: the
// short waits of the other tests would close its connection half-read.
class HandOverServerLargeMessageTest : public HandOverServerTest
{
protected:
    HandOverServerLargeMessageTest()
        : HandOverServerTest(PatientTiming())
    { }

    static SingleInstanceTiming PatientTiming()
    {
        SingleInstanceTiming timing = ShortTiming();
        timing.handOver = 60s;
        timing.server.wholeMessage = 30s;
        return timing;
    }
};

TEST_F(HandOverServerLargeMessageTest, TheLargestMessageArrivesWhole)
{
    QStringList names;
    for (quint32 i = 0; i < HandOverMessage::kMaxNames; ++i)
        names << QStringLiteral("/%1/").arg(i) + QString(4000, QLatin1Char('a' + i % 26));
    EXPECT_TRUE(LaterStartHandsOver(names));
}

// Qt closes a server for good, and removes its socket, when an accept fails
// (as it does when the program is out of file handles): it listens again.
TEST_F(HandOverServerTest, AnAcceptThatFailsDoesNotEndTheHandOver)
{
    const int client = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(client, 0);
    m_clients.push_back(client);
    // No handle is left: every one below the limit is taken.
    rlimit handles {};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &handles), 0);
    const int lowestFree = ::dup(0);
    ASSERT_GE(lowestFree, 0);
    ::close(lowestFree);
    rlimit none = handles;
    none.rlim_cur = static_cast<rlim_t>(lowestFree);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &none), 0);

    const sockaddr_un address = SocketAddress(m_first.ServerName());
    ASSERT_EQ(::connect(client, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    const bool stopped = WaitFor([&] { return !QFileInfo::exists(m_first.ServerName()); });
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &handles), 0);
    ASSERT_TRUE(stopped);

    EXPECT_TRUE(LaterStartHandsOver());
    // Said in the log (while no handle was left, the log could not be written).
    EXPECT_TRUE(SessionLogHolds(QStringLiteral("Hand-over socket stopped"))
        || SessionLogHolds(QStringLiteral("Hand-over socket listens again")));
}

// A cleaner of the temporary folder removes the socket, or a program that
// died leaves its own in its place: no later start could reach the running
// program. It listens there again, says so in the log, and a later start
// hands over.
TEST_F(HandOverServerTest, ASocketGoneFromItsFolderIsMadeAgain)
{
    const QString socket = m_first.ServerName();
    struct Case
    {
        const char* what;
        std::function<bool()> happen;
    };
    const Case cases[] = {
        { "removed", [&] { return QFile::remove(socket); } },
        { "replaced by one no program answers on",
            [&] { return QFile::remove(socket) && LeaveDeadSocket(socket); } },
    };
    const QString said = QStringLiteral("Hand-over socket \"%1\" was removed from its folder").arg(socket);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int saidBefore = SessionLogCount(said);
        ASSERT_TRUE(c.happen());
        EXPECT_TRUE(LaterStartHandsOver());
        EXPECT_EQ(SessionLogCount(said), saidBefore + 1);
    }
}


// A cleaner of the temporary folder removes the lock file with the socket:
// the check that makes the socket again takes the lock again too, so that a
// later start still hands over instead of opening a second window.
TEST_F(HandOverServerTest, ALockFileGoneFromItsFolderIsTakenAgain)
{
    ASSERT_TRUE(QFile::remove(m_first.LockFilePath()));
    ASSERT_TRUE(QFile::remove(m_first.ServerName()));
    EXPECT_TRUE(WaitFor([&] { return QFileInfo::exists(m_first.LockFilePath()); }));
    SingleInstance later(kInstance, m_timing);
    EXPECT_FALSE(later.TryAcquire());
    EXPECT_TRUE(LaterStartHandsOver());
    EXPECT_EQ(SessionLogCount(
                  QStringLiteral("Lock file \"%1\" was removed from its folder; taken again").arg(m_first.LockFilePath())),
        1);
}

// At its end the program removes its socket file, and nothing else that
// sits at that path: not another program's live socket, not a file.
TEST_F(HandOverServerTest, AtItsEndTheProgramRemovesItsOwnSocketFileOnly)
{
    const QString instance = kInstance + QStringLiteral("End");
    QLocalServer other;
    const struct
    {
        const char* what;
        std::function<void(const QString& path)> putThere; // after the program's socket was removed
        bool stays;
    } kinds[] = {
        { "its own socket", {}, false },
        { "another program's live socket", [&](const QString& path) { ASSERT_TRUE(other.listen(path)); }, true },
        { "a file",
            [](const QString& path) {
                QFile file(path);
                ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                file.write("kept");
            },
            true },
    };
    for (const auto& kind : kinds) {
        for (const bool checksRan : { false, true }) {
            SCOPED_TRACE(testing::Message() << kind.what << (checksRan ? ", after checks" : ", at once"));
            QString path;
            {
                SingleInstance program(instance, m_timing);
                ASSERT_TRUE(program.TryAcquire());
                ASSERT_TRUE(program.Listen([](const QStringList&) { }));
                path = program.ServerName();
                if (kind.putThere) {
                    ASSERT_TRUE(QFile::remove(path));
                    ASSERT_NO_FATAL_FAILURE(kind.putThere(path));
                }
                if (checksRan)
                    QTest::qWait(4 * static_cast<int>(m_timing.server.listenCheck.count()));
            }
            EXPECT_EQ(QFileInfo::exists(path), kind.stays);
            if (other.isListening()) {
                QLocalSocket probe;
                probe.connectToServer(path);
                EXPECT_TRUE(probe.waitForConnected(500));
                other.close();
            }
            QFile file(path);
            if (file.open(QIODevice::ReadOnly)) {
                EXPECT_EQ(file.readAll(), "kept");
            }
            QFile::remove(path);
        }
    }
}

} // namespace
