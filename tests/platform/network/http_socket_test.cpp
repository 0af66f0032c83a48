#include "platform/network/http_socket.h"

#include "platform/timer.h"
#include "support/scoped_env.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <memory>
#include <string>

using namespace platform;

namespace {

/// A one-reply HTTP server on 127.0.0.1: once a request's head has arrived it writes
/// `reply` and, unless told to keep it open, closes the connection.
class LocalServer {
public:
    LocalServer(QByteArray reply, bool close)
        : m_reply(std::move(reply))
        , m_close(close) {
        EXPECT_TRUE(m_server.listen(QHostAddress::LocalHost, 0));
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
            QTcpSocket* socket = m_server.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                m_request += socket->readAll();
                if (!m_request.contains("\r\n\r\n") || m_answered)
                    return;
                m_answered = true;
                if (m_reply.isEmpty())
                    return;  // a server that never answers
                socket->write(m_reply);
                if (m_close)
                    socket->disconnectFromHost();
            });
        });
    }
    std::string Address(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(m_server.serverPort()) + path;
    }
    const QByteArray& Request() const { return m_request; }

private:
    QTcpServer m_server;
    QByteArray m_reply;
    bool m_close;
    QByteArray m_request;
    bool m_answered = false;
};

QByteArray Reply(const char* status, const QByteArray& body, bool withLength = true) {
    QByteArray head = QByteArray("HTTP/1.1 ") + status + "\r\nContent-Type: text/plain\r\n";
    if (withLength)
        head += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    return head + "\r\n" + body;
}

struct ReplyCase {
    const char* name;
    QByteArray reply;
    bool close;
    std::string expected;
};

const std::size_t kCap = kHttpBodyCap;  // 1 MiB = 1,048,576 bytes

const ReplyCase kReplyCases[] = {
    {"OkGivesTheBody", Reply("200 OK", "1.2.3\nhttp://x/d\nNotes"), true,
     "1.2.3\nhttp://x/d\nNotes"},
    {"NotFoundGivesItsBodyToo", Reply("404 Not Found", "no such file"), true, "no such file"},
    {"ServerErrorGivesItsBodyToo", Reply("500 Internal Server Error", "down"), true, "down"},
    {"EmptyBodyIsEmpty", Reply("200 OK", ""), true, ""},
    {"BodyOfExactlyTheCapIsWhole", Reply("200 OK", QByteArray(kCap, 'a')), true,
     std::string(kCap, 'a')},
    {"BodyOneByteOverTheCapIsRefused", Reply("200 OK", QByteArray(kCap + 1, 'a')), true, ""},
    // No length, connection left open: the reply never ends, the cap ends it.
    {"NeverEndingBodyIsCutAtTheCap", Reply("200 OK", QByteArray(2 * kCap, 'b'), false), false, ""},
    // The length promises more than comes, and the server hangs up: a broken transfer.
    {"TruncatedBodyIsAFailure",
     QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nonly this"), true, ""},
};

class HttpReplyTest : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(HttpReplyTest, GivesTheBodyOrNothing) {
    ScopedManualTimers timers;  // the 80 s time-out never passes here
    LocalServer server(GetParam().reply, GetParam().close);
    const std::string body = HTTPSocket().Get(server.Address("/Malvoren/version.txt"), 80);
    EXPECT_EQ(body.size(), GetParam().expected.size());
    EXPECT_TRUE(body == GetParam().expected);
    EXPECT_TRUE(server.Request().startsWith("GET /Malvoren/version.txt HTTP/1.1\r\n"));
    EXPECT_EQ(timers->ScheduledCount(), 0u);  // the time-out is gone with the call
}

INSTANTIATE_TEST_SUITE_P(Http, HttpReplyTest, ::testing::ValuesIn(kReplyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HttpTest, RefusedConnectionGivesNothing) {
    ScopedManualTimers timers;
    quint16 port = 0;
    {
        QTcpServer closed;
        ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
        port = closed.serverPort();
    }  // nobody listens there any more
    EXPECT_EQ(HTTPSocket().Get("http://127.0.0.1:" + std::to_string(port) + "/v.txt", 80), "");
}

TEST(HttpTest, TimeOutPassesOnTheTimerDriver) {
    ScopedManualTimers timers;
    LocalServer silent(QByteArray(), false);
    // 80 s = 80,000 ms: one millisecond short the call still waits, at 80,000 it gives up.
    bool waitedAtTheLastMillisecond = false;
    QTimer::singleShot(0, [&] {
        timers->Advance(79'999);
        waitedAtTheLastMillisecond = timers->ScheduledCount() == 1;
        QTimer::singleShot(0, [&] { timers->Advance(1); });
    });
    const std::int64_t start = timers->NowMs();
    EXPECT_EQ(HTTPSocket().Get(silent.Address("/v.txt"), 80), "");
    EXPECT_TRUE(waitedAtTheLastMillisecond);
    EXPECT_EQ(timers->NowMs() - start, 80'000);
}

TEST(HttpTest, MalformedAddressesGiveNothingAtOnce) {
    ScopedManualTimers timers;
    bool loopRan = false;
    QTimer probe;  // gone with the test, so it never fires into a later one
    probe.setSingleShot(true);
    QObject::connect(&probe, &QTimer::timeout, [&] { loopRan = true; });
    probe.start(0);
    for (const char* address : {"", "version.txt", "http//127.0.0.1/v.txt", "http://",
                                "ftp://127.0.0.1/v.txt", "file:///etc/passwd", "http://a b/v"}) {
        EXPECT_EQ(HTTPSocket().Get(address, 80), "") << address;
    }
    EXPECT_FALSE(loopRan);  // no request, no wait
    EXPECT_EQ(timers->ScheduledCount(), 0u);
}

TEST(NetworkTest, OfflineOnlyWhenAskedFor) {
    {
        ScopedEnv offline{"MALVOREN_OFFLINE", "1"};
        EXPECT_FALSE(IsConnected());
    }
    {
        ScopedEnv offline{"MALVOREN_OFFLINE", "0"};
        EXPECT_TRUE(IsConnected());
    }
    ScopedEnv offline{"MALVOREN_OFFLINE", std::nullopt};
    EXPECT_TRUE(IsConnected());
}

TEST(NetworkTest, UpdateAddressAppendsThePathToTheServer) {
    {
        ScopedEnv server{"MALVOREN_UPDATE_URL", "http://127.0.0.1:8080/"};
        EXPECT_EQ(UpdateServerAddress(), "http://127.0.0.1:8080");
        EXPECT_EQ(UpdateAddress("/Malvoren/version.txt"),
                  "http://127.0.0.1:8080/Malvoren/version.txt");
        EXPECT_EQ(UpdateAddress("Malvoren/version.txt"),
                  "http://127.0.0.1:8080/Malvoren/version.txt");
    }
    ScopedEnv server{"MALVOREN_UPDATE_URL", std::nullopt};
    EXPECT_EQ(UpdateAddress("/Malvoren/version.txt"),
              "http://updates.malvoren.invalid/Malvoren/version.txt");
}

TEST(NetworkTest, ServedUpdateDescriptionThroughTheConfiguredServer) {
    ScopedManualTimers timers;
    LocalServer server(Reply("200 OK", "2.0.0"), true);
    ScopedEnv base{"MALVOREN_UPDATE_URL", server.Address("")};
    EXPECT_EQ(HTTPSocket().Get(UpdateAddress("/Malvoren/version.txt"), 80), "2.0.0");
}

}  // namespace
