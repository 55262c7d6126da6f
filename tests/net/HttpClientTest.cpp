// The HTTP/1.0 client against a loopback server: the exact request, the body in the
// sink, redirects and their limit, failures with their texts, the bounds in time and size,
// and abort.
#include "net/HttpClient.h"
#include "net/LoopbackHttpServer.h"

#include <QBuffer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace {

using net::HttpClient;
using Then = LoopbackHttpServer::Then;

constexpr int kWaitMs = 5000;
const QByteArray kBody = QByteArray("MZ installer bytes ").repeated(300);

class HttpClientTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.isListening());
        sink.open(QIODevice::WriteOnly);
    }

    // Runs a fetch of `path` to its end; the finished() arguments.
    std::pair<bool, QString> fetch(const QString &path)
    {
        QSignalSpy finished(&client, &HttpClient::finished);
        EXPECT_TRUE(client.get(server.url(path), &sink));
        if (!finished.wait(kWaitMs))
            return {false, QStringLiteral("(no end)")};
        EXPECT_EQ(finished.count(), 1);
        return {finished.at(0).at(0).toBool(), finished.at(0).at(1).toString()};
    }

    LoopbackHttpServer server;
    HttpClient client;
    QBuffer sink;
};

TEST_F(HttpClientTest, ACompleteDownloadSendsTheExactRequestAndWritesTheBody)
{
    server.route("/lobby/Setup.exe", {LoopbackHttpServer::response("HTTP/1.0 200 OK", kBody, {"Server: loop"})});
    QSignalSpy lines(&client, &HttpClient::headerLineReceived);
    QSignalSpy bodyStarted(&client, &HttpClient::bodyStarted);
    QSignalSpy received(&client, &HttpClient::bytesReceived);

    EXPECT_EQ(fetch(QStringLiteral("/lobby/Setup.exe")), std::make_pair(true, QStringLiteral("200 OK")));

    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_EQ(server.requests().at(0),
              "GET /lobby/Setup.exe HTTP/1.0\r\n"
              "User-Agent: Mozilla/3.0 (compatible)\r\n"
              "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n"
              "Host: 127.0.0.1:"
                  + QByteArray::number(server.port())
                  + "\r\n"
                    "\r\n");
    EXPECT_EQ(sink.data(), kBody);
    ASSERT_EQ(lines.count(), 3);
    EXPECT_EQ(lines.at(0).at(0).toByteArray(), QByteArray("HTTP/1.0 200 OK"));
    EXPECT_EQ(lines.at(1).at(0).toByteArray(), QByteArray("Server: loop"));
    EXPECT_EQ(bodyStarted.count(), 1);
    ASSERT_GE(received.count(), 1);
    EXPECT_EQ(received.last().at(0).toLongLong(), kBody.size());
    EXPECT_EQ(client.bodyBytesWritten(), kBody.size());
    EXPECT_FALSE(client.isRunning());
}

TEST_F(HttpClientTest, ABodyWithoutALengthEndsWhenTheServerCloses)
{
    server.route("/f", {LoopbackHttpServer::response("HTTP/1.0 200 OK", kBody, {}, false)});
    EXPECT_EQ(fetch(QStringLiteral("/f")), std::make_pair(true, QStringLiteral("200 OK")));
    EXPECT_EQ(sink.data(), kBody);
}

TEST_F(HttpClientTest, AServerClosingShortOfTheLengthFailsTheDownload)
{
    server.route("/f", {"HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nonly this"});
    EXPECT_EQ(fetch(QStringLiteral("/f")),
              std::make_pair(false, QStringLiteral("The connection closed after 9 of 100 bytes.")));
}

TEST_F(HttpClientTest, ANotFoundFailsWithItsStatusTextAndWritesNothing)
{
    QSignalSpy bodyStarted(&client, &HttpClient::bodyStarted);
    EXPECT_EQ(fetch(QStringLiteral("/missing.exe")), std::make_pair(false, QStringLiteral("404 Not Found")));
    EXPECT_TRUE(sink.data().isEmpty());
    EXPECT_EQ(bodyStarted.count(), 0);
}

// --- Redirects ------------------------------------------------------------------------------

class HttpClientRedirectTest : public HttpClientTest, public testing::WithParamInterface<int> { };

TEST_P(HttpClientRedirectTest, ARedirectIsFollowedAndOnlyTheFinalBodyWritten)
{
    server.route("/old/Setup.exe", LoopbackHttpServer::redirect(GetParam(), "../new/Setup.exe?v=2"));
    server.route("/new/Setup.exe?v=2", {LoopbackHttpServer::response("HTTP/1.0 200 OK", kBody)});
    EXPECT_EQ(fetch(QStringLiteral("/old/Setup.exe")), std::make_pair(true, QStringLiteral("200 OK")));
    EXPECT_EQ(server.paths(), (QList<QByteArray>{"/old/Setup.exe", "/new/Setup.exe?v=2"}));
    EXPECT_EQ(sink.data(), kBody);
    EXPECT_EQ(client.redirectCount(), 1);
    EXPECT_EQ(client.currentUrl(), server.url(QStringLiteral("/new/Setup.exe?v=2")));
}

INSTANTIATE_TEST_SUITE_P(Statuses, HttpClientRedirectTest, testing::Values(301, 302, 303, 307));

// A chain of `count` redirects /r1 -> /r2 -> ... -> /r<count+1>, which serves the file.
void routeChain(LoopbackHttpServer &server, int count)
{
    for (int i = 1; i <= count; ++i) {
        const QByteArray next = server.url(QStringLiteral("/r%1").arg(i + 1)).toEncoded();  // absolute
        server.route("/r" + QByteArray::number(i), LoopbackHttpServer::redirect(302, next));
    }
    server.route("/r" + QByteArray::number(count + 1), {LoopbackHttpServer::response("HTTP/1.0 200 OK", kBody)});
}

TEST_F(HttpClientTest, FiveRedirectsAreFollowed)
{
    routeChain(server, 5);
    EXPECT_EQ(fetch(QStringLiteral("/r1")), std::make_pair(true, QStringLiteral("200 OK")));
    EXPECT_EQ(server.requests().size(), 6);
    EXPECT_EQ(sink.data(), kBody);
}

TEST_F(HttpClientTest, ASixthRedirectFailsTheDownload)
{
    routeChain(server, 6);
    EXPECT_EQ(fetch(QStringLiteral("/r1")), std::make_pair(false, QStringLiteral("Too many redirects (more than 5).")));
    EXPECT_EQ(server.requests().size(), 6);
    EXPECT_TRUE(sink.data().isEmpty());
}

struct BadRedirect {
    const char *name;
    QByteArray reply;
    const char *text;
};

class HttpClientBadRedirectTest : public HttpClientTest, public testing::WithParamInterface<BadRedirect> { };

TEST_P(HttpClientBadRedirectTest, ARedirectWithoutAUsableAddressFails)
{
    server.route("/f", {GetParam().reply});
    EXPECT_EQ(fetch(QStringLiteral("/f")), std::make_pair(false, QString::fromUtf8(GetParam().text)));
    EXPECT_EQ(server.requests().size(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, HttpClientBadRedirectTest,
    testing::Values(BadRedirect{"noLocation", LoopbackHttpServer::response("HTTP/1.0 302 Found", ""),
                                "302 Found (the server gave no new address)"},
                    BadRedirect{"ftp", LoopbackHttpServer::redirect(301, "ftp://127.0.0.1/Setup.exe").bytes,
                                "Not a web address that can be downloaded: ftp://127.0.0.1/Setup.exe"}),
    [](const testing::TestParamInfo<BadRedirect> &info) { return std::string(info.param.name); });

// --- Bounds in time and size ------------------------------------------------------------

struct FloorCase {
    const char *name;
    Then then;  // after the header and "first"
    qint64 floorBytes;
    const char *failure;  // the start of the text
};

class HttpClientFloorTest : public HttpClientTest, public testing::WithParamInterface<FloorCase> { };

// A real server that falls silent, or sends one byte every 50 seconds, is played here at
// a scale of milliseconds.
TEST_P(HttpClientFloorTest, AFetchThatBringsLessThanTheFloorInAWindowFails)
{
    const FloorCase &c = GetParam();
    server.route("/f", {"HTTP/1.0 200 OK\r\n\r\nfirst", c.then});
    client.setProgressFloor(c.floorBytes, std::chrono::milliseconds(200));
    const auto [ok, text] = fetch(QStringLiteral("/f"));
    EXPECT_FALSE(ok);
    EXPECT_TRUE(text.startsWith(QString::fromUtf8(c.failure))) << text.toStdString();
    EXPECT_TRUE(sink.data().startsWith("first"));  // the owner discards it
    QTRY_COMPARE_WITH_TIMEOUT(server.openConnections(), 0, kWaitMs);
}

INSTANTIATE_TEST_SUITE_P(Servers, HttpClientFloorTest,
                         testing::Values(FloorCase{"silent", Then::Stall, 1,
                                                   "The server sent nothing for 0.2 seconds."},
                                         FloorCase{"trickling", Then::Trickle, 4096, "The download is too slow: "}),
                         [](const testing::TestParamInfo<FloorCase> &info) { return std::string(info.param.name); });

constexpr qint64 kLimit = 64 * 1024;

struct LimitCase {
    const char *name;
    QByteArray reply;
    Then then;
    bool ok;
    const char *text;
};

class HttpClientLimitTest : public HttpClientTest, public testing::WithParamInterface<LimitCase> { };

TEST_P(HttpClientLimitTest, ABodyOverTheLimitFailsWithoutBeingWrittenPastIt)
{
    const LimitCase &c = GetParam();
    server.route("/f", {c.reply, c.then});
    client.setBodyLimit(kLimit);
    EXPECT_EQ(fetch(QStringLiteral("/f")), std::make_pair(c.ok, QString::fromUtf8(c.text)));
    EXPECT_LE(sink.data().size(), kLimit);
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, HttpClientLimitTest,
    testing::Values(LimitCase{"announcedLarger", "HTTP/1.0 200 OK\r\nContent-Length: 65537\r\n\r\nfirst", Then::Stall,
                              false, "The file is larger than the 65536 bytes allowed (the server announced 65537)."},
                    // Without a length the body could go on for ever: 8 MB, and never closed.
                    LimitCase{"endless", "HTTP/1.0 200 OK\r\n\r\n" + QByteArray(8 << 20, 'x'), Then::Stall, false,
                              "The file is larger than the 65536 bytes allowed."},
                    LimitCase{"justWithin",
                              LoopbackHttpServer::response("HTTP/1.0 200 OK", QByteArray(kLimit, 'x'), {}, false),
                              Then::Close, true, "200 OK"}),
    [](const testing::TestParamInfo<LimitCase> &info) { return std::string(info.param.name); });

// --- Abort and other endings ----------------------------------------------------------------

TEST_F(HttpClientTest, AbortEndsTheDownloadAtOnceAndClosesTheConnection)
{
    server.route("/f", {"HTTP/1.0 200 OK\r\n\r\nfirst", Then::Stall});
    QSignalSpy received(&client, &HttpClient::bytesReceived);
    QSignalSpy finished(&client, &HttpClient::finished);
    ASSERT_TRUE(client.get(server.url(QStringLiteral("/f")), &sink));
    ASSERT_TRUE(received.wait(kWaitMs));
    ASSERT_EQ(server.openConnections(), 1);

    client.abort();
    ASSERT_EQ(finished.count(), 1);  // before abort() returned
    EXPECT_FALSE(finished.at(0).at(0).toBool());
    EXPECT_EQ(finished.at(0).at(1).toString(), QStringLiteral("Download Aborted"));
    EXPECT_FALSE(client.isRunning());
    QTRY_COMPARE_WITH_TIMEOUT(server.openConnections(), 0, kWaitMs);

    // Only one ending.
    client.abort();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(sink.data(), QByteArray("first"));
}

TEST_F(HttpClientTest, ARefusedConnectionFailsWithTheSocketsReason)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const quint16 port = closed.serverPort();
    closed.close();
    QSignalSpy finished(&client, &HttpClient::finished);
    ASSERT_TRUE(client.get(QUrl(QStringLiteral("http://127.0.0.1:%1/f").arg(port)), &sink));
    ASSERT_TRUE(finished.wait(kWaitMs));
    EXPECT_FALSE(finished.at(0).at(0).toBool());
    EXPECT_EQ(finished.at(0).at(1).toString(), QStringLiteral("Connection refused"));
}

TEST_F(HttpClientTest, AnAddressThatCannotBeFetchedFailsFromTheEventLoop)
{
    QSignalSpy finished(&client, &HttpClient::finished);
    ASSERT_TRUE(client.get(QUrl(QStringLiteral("file:///etc/passwd")), &sink));
    EXPECT_EQ(finished.count(), 0);  // not inside get()
    ASSERT_TRUE(finished.wait(kWaitMs));
    EXPECT_EQ(finished.at(0).at(1).toString(),
              QStringLiteral("Not a web address that can be downloaded: file:///etc/passwd"));
}

TEST_F(HttpClientTest, ASecondGetWhileOneRunsIsRefused)
{
    server.route("/f", {"HTTP/1.0 200 OK\r\n\r\n", Then::Stall});
    ASSERT_TRUE(client.get(server.url(QStringLiteral("/f")), &sink));
    EXPECT_FALSE(client.get(server.url(QStringLiteral("/g")), &sink));
    client.abort();
}

// --- The request ----------------------------------------------------------------------------

struct RequestCase {
    const char *name;
    const char *url;
    const char *requestLine;
    const char *host;
};

class HttpClientRequestTest : public testing::TestWithParam<RequestCase> { };

TEST_P(HttpClientRequestTest, TheRequestNamesThePathAndTheHost)
{
    const RequestCase &c = GetParam();
    EXPECT_EQ(HttpClient::requestFor(QUrl(QString::fromUtf8(c.url))),
              QByteArray(c.requestLine)
                  + "\r\n"
                    "User-Agent: Mozilla/3.0 (compatible)\r\n"
                    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n"
                    "Host: "
                  + c.host + "\r\n\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, HttpClientRequestTest,
    testing::Values(RequestCase{"plain", "http://www.korvex.com/lobby/KorvexLobbySetup.exe",
                                "GET /lobby/KorvexLobbySetup.exe HTTP/1.0", "www.korvex.com"},
                    RequestCase{"queryKeptFragmentDropped", "http://h.example/a?b=1&c#frag", "GET /a?b=1&c HTTP/1.0",
                                "h.example"},
                    RequestCase{"defaultPortLeftOut", "http://h.example:80/a", "GET /a HTTP/1.0", "h.example"},
                    RequestCase{"otherPortNamed", "https://h.example:8443/a", "GET /a HTTP/1.0", "h.example:8443"},
                    RequestCase{"ipv6", "http://[::1]:8080/a", "GET /a HTTP/1.0", "[::1]:8080"},
                    RequestCase{"spacesAndLineBreaksEncoded", "http://h.example/a b%0D%0AX: y",
                                "GET /a%20b%0D%0AX:%20y HTTP/1.0", "h.example"},
                    RequestCase{"internationalHost",
                                "http://b\xc3\xbc"
                                "cher.example/",
                                "GET / HTTP/1.0", "xn--bcher-kva.example"}),
    [](const testing::TestParamInfo<RequestCase> &info) { return std::string(info.param.name); });

}  // namespace
