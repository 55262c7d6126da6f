// The HTTP response reader: the same answer however the stream is cut, where the body
// begins and ends, the bounds on the header section, and what it refuses.
#include "net/HttpResponseParser.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using net::HttpResponseParser;
using State = HttpResponseParser::State;
using Error = HttpResponseParser::Error;

const QByteArray kResponse("HTTP/1.0 200 OK\r\n"
                           "Server: test\r\n"
                           "Content-Type: application/octet-stream\r\n"
                           "Content-Length: 10\r\n"
                           "\r\n"
                           "0123456789");

// Everything the parser reports when fed `stream` in pieces of `piece` bytes.
struct Outcome {
    QList<QByteArray> lines;
    int headerEnds = 0;
    QByteArray body;
};

Outcome feedInPieces(HttpResponseParser &parser, const QByteArray &stream, qsizetype piece)
{
    Outcome outcome;
    for (qsizetype at = 0; at < stream.size(); at += piece) {
        const HttpResponseParser::Piece found =
            parser.feed(QByteArrayView(stream).sliced(at, std::min(piece, stream.size() - at)));
        outcome.lines += found.lines;
        outcome.headerEnds += found.headerEnded ? 1 : 0;
        outcome.body += found.body.toByteArray();
    }
    return outcome;
}

TEST(HttpResponseParser, AResponseFedByteByByteReadsAsWhole)
{
    HttpResponseParser parser;
    const Outcome outcome = feedInPieces(parser, kResponse, 1);
    EXPECT_EQ(outcome.lines,
              (QList<QByteArray>{"HTTP/1.0 200 OK", "Server: test", "Content-Type: application/octet-stream",
                                 "Content-Length: 10"}));
    EXPECT_EQ(outcome.headerEnds, 1);
    EXPECT_EQ(outcome.body, QByteArray("0123456789"));
    EXPECT_EQ(parser.statusCode(), 200);
    EXPECT_EQ(parser.header("content-type"), QByteArray("application/octet-stream"));
    EXPECT_EQ(parser.state(), State::Complete);
    EXPECT_TRUE(parser.finish());
}

TEST(HttpResponseParser, BareLineFeedsEndLinesAndBlankLinesBeforeTheStatusLineAreSkipped)
{
    HttpResponseParser parser;
    const Outcome outcome = feedInPieces(parser, "\r\n\nHTTP/1.1 404 Not Found\nX: 1\n\nbody", 1000);
    EXPECT_EQ(outcome.lines, (QList<QByteArray>{"HTTP/1.1 404 Not Found", "X: 1"}));
    EXPECT_EQ(outcome.body, QByteArray("body"));
    EXPECT_EQ(parser.statusText(), QStringLiteral("404 Not Found"));
}

TEST(HttpResponseParser, WithoutALengthTheBodyRunsToTheEndOfTheStream)
{
    HttpResponseParser parser;
    const Outcome outcome = feedInPieces(parser, "HTTP/1.0 200 OK\r\n\r\nabc", 2);
    EXPECT_EQ(parser.state(), State::Body);
    EXPECT_EQ(outcome.body, QByteArray("abc"));
    EXPECT_EQ(parser.feed("def").body, QByteArrayView("def"));
    EXPECT_TRUE(parser.finish());
    EXPECT_EQ(parser.bodyBytes(), 6);
}

TEST(HttpResponseParser, BytesPastTheAnnouncedLengthAreNotBody)
{
    HttpResponseParser parser;
    const Outcome outcome = feedInPieces(parser, "HTTP/1.0 200 OK\r\nContent-Length: 3\r\n\r\nabcdef", 1000);
    EXPECT_EQ(outcome.body, QByteArray("abc"));
    EXPECT_EQ(parser.feed("more").body.size(), 0);
    EXPECT_EQ(parser.state(), State::Complete);
}

TEST(HttpResponseParser, AZeroLengthBodyIsCompleteWithTheHeader)
{
    HttpResponseParser parser;
    parser.feed("HTTP/1.0 200 OK\r\nContent-Length: 0\r\n\r\n");
    EXPECT_EQ(parser.state(), State::Complete);
}

TEST(HttpResponseParser, AStreamEndingShortOfTheLengthFails)
{
    HttpResponseParser parser;
    parser.feed("HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\n0123");
    EXPECT_FALSE(parser.finish());
    EXPECT_EQ(parser.error(), Error::EndedEarly);
    EXPECT_EQ(parser.errorText(), QStringLiteral("The connection closed after 4 of 10 bytes."));
}

TEST(HttpResponseParser, AStreamEndingInTheHeaderFails)
{
    HttpResponseParser parser;
    parser.feed("HTTP/1.0 200 OK\r\nServer: x\r\n");
    EXPECT_FALSE(parser.finish());
    EXPECT_EQ(parser.error(), Error::EndedInHeader);
}

TEST(HttpResponseParser, AContinuationLineExtendsThePreviousValue)
{
    HttpResponseParser parser;
    parser.feed("HTTP/1.0 200 OK\r\nX-Long: one\r\n  two\r\n\tthree\r\n\r\n");
    EXPECT_EQ(parser.header("X-Long"), QByteArray("one two three"));
    EXPECT_EQ(parser.headers().size(), 1);
}

// --- Bounds -------------------------------------------------------------------------------

TEST(HttpResponseParser, AHeaderLineMayHoldTheLimitButNotOneByteMore)
{
    const QByteArray name = "X-Big: ";
    const QByteArray longest = name + QByteArray(HttpResponseParser::kMaxLineLength - name.size(), 'a');
    HttpResponseParser fits;
    fits.feed("HTTP/1.0 200 OK\r\n" + longest + "\r\n\r\n");
    EXPECT_EQ(fits.state(), State::Body);

    HttpResponseParser over;
    over.feed("HTTP/1.0 200 OK\r\n" + longest + "a\r\n\r\n");
    EXPECT_EQ(over.error(), Error::LineTooLong);
}

TEST(HttpResponseParser, AnEndlessLineFailsBeforeItsEndArrives)
{
    HttpResponseParser parser;
    parser.feed("HTTP/1.0 200 OK\r\nX: ");
    const QByteArray chunk(1000, 'a');
    int fed = 0;
    while (!parser.failed() && fed < 100) {
        parser.feed(chunk);
        ++fed;
    }
    EXPECT_EQ(parser.error(), Error::LineTooLong);
    EXPECT_LE(fed, 9);
}

TEST(HttpResponseParser, TheHeaderSectionMayNotGrowPastItsLimit)
{
    HttpResponseParser parser;
    parser.feed("HTTP/1.0 200 OK\r\n");
    const QByteArray line = "X-Filler: " + QByteArray(1000, 'b') + "\r\n";
    int fed = 0;
    while (!parser.failed() && fed < 200) {
        parser.feed(line);
        ++fed;
    }
    EXPECT_EQ(parser.error(), Error::HeaderTooLarge);
    EXPECT_LE(parser.headerBytes(), HttpResponseParser::kMaxHeaderSize);
    EXPECT_EQ(fed, HttpResponseParser::kMaxHeaderSize / line.size() + 1);
}

// --- Refused input ------------------------------------------------------------------------

struct Refused {
    const char *name;
    const char *stream;
    Error error;
};

class HttpResponseParserRefuses : public testing::TestWithParam<Refused> { };

TEST_P(HttpResponseParserRefuses, MalformedAnswersFailWithTheirReason)
{
    HttpResponseParser parser;
    parser.feed(GetParam().stream);
    EXPECT_TRUE(parser.failed());
    EXPECT_EQ(parser.error(), GetParam().error);
    EXPECT_FALSE(parser.errorText().isEmpty());
    EXPECT_FALSE(parser.finish());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, HttpResponseParserRefuses,
    testing::Values(Refused{"html", "<html>\r\n", Error::BadStatusLine},
                    Refused{"twoDigitStatus", "HTTP/1.0 20 OK\r\n", Error::BadStatusLine},
                    Refused{"noSpaceBeforeReason", "HTTP/1.0 200OK\r\n", Error::BadStatusLine},
                    Refused{"icy", "ICY 200 OK\r\n", Error::BadStatusLine},
                    Refused{"noColon", "HTTP/1.0 200 OK\r\nServer test\r\n", Error::BadHeaderLine},
                    Refused{"spaceInName", "HTTP/1.0 200 OK\r\nContent Length: 1\r\n", Error::BadHeaderLine},
                    Refused{"continuationFirst", "HTTP/1.0 200 OK\r\n more\r\n", Error::BadHeaderLine},
                    Refused{"lengthNotANumber", "HTTP/1.0 200 OK\r\nContent-Length: ten\r\n\r\n",
                            Error::BadContentLength},
                    Refused{"hugeLength", "HTTP/1.0 200 OK\r\nContent-Length: 9999999999999999999\r\n\r\n",
                            Error::BadContentLength},
                    Refused{"lengthsDisagree", "HTTP/1.0 200 OK\r\nContent-Length: 5\r\nContent-Length: 6\r\n\r\n",
                            Error::BadContentLength},
                    Refused{"chunked", "HTTP/1.0 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n",
                            Error::UnsupportedTransferEncoding}),
    [](const testing::TestParamInfo<Refused> &info) { return std::string(info.param.name); });

TEST(HttpResponseParser, RepeatedEqualLengthsAreOneLength)
{
    HttpResponseParser parser;
    parser.feed("HTTP/1.0 200 OK\r\nContent-Length: 4, 4\r\nContent-length: 4\r\n\r\n");
    EXPECT_EQ(parser.contentLength(), 4);
}

// --- Status text ----------------------------------------------------------------------------

struct Status {
    const char *name;
    const char *line;
    const char *text;
};

class HttpResponseParserStatusText : public testing::TestWithParam<Status> { };

TEST_P(HttpResponseParserStatusText, TheStatusTextIsCodeAndCleanedReason)
{
    HttpResponseParser parser;
    parser.feed(QByteArray(GetParam().line) + "\r\n");
    EXPECT_EQ(parser.statusText(), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Lines, HttpResponseParserStatusText,
                         testing::Values(Status{"plain", "HTTP/1.0 404 Not Found", "404 Not Found"},
                                         Status{"noReason", "HTTP/1.0 500", "500"},
                                         Status{"spacesOnly", "HTTP/1.0 503   ", "503"},
                                         Status{"controls", "HTTP/1.0 403 No\x01\x1b[31mWay\x7f", "403 No [31mWay"},
                                         Status{"latin1", "HTTP/1.0 410 Verl\xf6ren", "410 Verl\xc3\xb6ren"}),
                         [](const testing::TestParamInfo<Status> &info) { return std::string(info.param.name); });

TEST(HttpResponseParser, ALongReasonIsCutInTheStatusText)
{
    HttpResponseParser parser;
    parser.feed("HTTP/1.0 418 " + QByteArray(5000, 'x') + "\r\n");
    EXPECT_EQ(parser.statusText(), QStringLiteral("418 ") + QString(100, QLatin1Char('x')));
}

}  // namespace
