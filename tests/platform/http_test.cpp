#include "platform/linux.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <gtest/gtest.h>
#include <map>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

// A small HTTP server on 127.0.0.1: each request path has a canned raw answer, sent
// whole before the connection is closed. Unknown paths get 404.
class LoopbackServer {
public:
    explicit LoopbackServer(std::map<std::string, std::string> answers) : answers_(std::move(answers))
    {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        if (::bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd_, 8) != 0 ||
            ::getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
            return;
        port_ = ntohs(addr.sin_port);
        thread_ = std::thread([this] { serve(); });
    }

    ~LoopbackServer()
    {
        ::shutdown(fd_, SHUT_RDWR);  // wakes accept()
        if (thread_.joinable())
            thread_.join();
        ::close(fd_);
    }

    QString url(const char* path) const { return QString("http://127.0.0.1:%1%2").arg(port_).arg(path); }
    int port() const { return port_; }

private:
    void serve()
    {
        for (;;) {
            const int client = ::accept(fd_, nullptr, nullptr);
            if (client < 0)
                return;
            std::string request;
            char buf[4096];
            while (request.find("\r\n\r\n") == std::string::npos) {
                const ssize_t n = ::recv(client, buf, sizeof buf, 0);
                if (n <= 0)
                    break;
                request.append(buf, size_t(n));
            }
            const size_t start = request.find(' ') + 1;
            const std::string path = request.substr(start, request.find(' ', start) - start);
            const auto it = answers_.find(path);
            const std::string answer = it != answers_.end()
                ? it->second
                : "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
            for (size_t sent = 0; sent < answer.size();) {
                const ssize_t n = ::send(client, answer.data() + sent, answer.size() - sent, MSG_NOSIGNAL);
                if (n <= 0)
                    break;
                sent += size_t(n);
            }
            ::shutdown(client, SHUT_WR);
            while (::recv(client, buf, sizeof buf, 0) > 0) {
            }
            ::close(client);
        }
    }

    std::map<std::string, std::string> answers_;
    int fd_ = -1;
    int port_ = 0;
    std::thread thread_;
};

// A loopback port with nobody listening.
int closed_port()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    ::close(fd);
    return ntohs(addr.sin_port);
}

std::string payload(size_t size)
{
    std::string s(size, '\0');
    for (size_t i = 0; i < size; ++i)
        s[i] = char((i * 7 + i / 251) % 256);  // every byte value, zeros included
    return s;
}

std::string answer(const std::string& status, const std::string& headers, const std::string& body)
{
    return "HTTP/1.1 " + status + "\r\n" + headers + "Connection: close\r\n\r\n" + body;
}

std::string with_length(const std::string& status, const std::string& body)
{
    return answer(status, "Content-Length: " + std::to_string(body.size()) + "\r\n", body);
}

const std::string big = payload(300000);
const std::string small = payload(5000);

std::map<std::string, std::string> routes()
{
    return {
        {"/getipx", answer("200 OK", "Content-Length: 11\r\nX-Test: yes\r\n", "hello world")},
        {"/missing", with_length("404 Not Found", "not here")},
        {"/failing", with_length("500 Internal Server Error", "boom")},
        {"/moved", answer("302 Found", "Location: /getipx\r\nContent-Length: 5\r\n", "moved")},
        {"/BRONTEX.EX_", with_length("200 OK", big)},
        {"/nolength", answer("200 OK", "", small)},
        {"/empty", with_length("200 OK", "")},
        {"/moved-file", answer("302 Found", "Location: /BRONTEX.EX_\r\nContent-Length: 5\r\n", "moved")},
        {"/short", answer("200 OK", "Content-Length: 1000\r\n", small.substr(0, 500))},
    };
}

TEST(PlatformHttp, GetGivesStatusBodyAndHeadersOrATransportError)
{
    LoopbackServer server(routes());
    ASSERT_NE(server.port(), 0);
    const QString refused = QString("http://127.0.0.1:%1/getipx").arg(closed_port());

    struct Case {
        QString url;
        bool ok;
        int status;
        QByteArray body;
    };
    const QList<Case> cases = {
        {server.url("/getipx"), true, 200, "hello world"},
        {server.url("/missing"), true, 404, "not here"},
        {server.url("/failing"), true, 500, "boom"},
        {server.url("/moved"), true, 200, "hello world"},
        {refused, false, 0, ""},
    };
    auto http = plat::make_http();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url.toStdString());
        const plat::HttpReply r = http->get(c.url);
        EXPECT_EQ(r.ok, c.ok);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.body, c.body);
        EXPECT_EQ(r.error.isEmpty(), c.ok) << r.error.toStdString();
    }

    const plat::HttpReply r = http->get(server.url("/getipx"));
    EXPECT_EQ(r.headers.value("x-test"), "yes");
    EXPECT_EQ(r.headers.value("content-length"), "11");
    // After a redirect only the final answer's headers are kept.
    EXPECT_FALSE(http->get(server.url("/moved")).headers.contains("location"));
}

TEST(PlatformHttp, LoopbackIsNeverSentThroughAProxy)
{
    LoopbackServer server(routes());
    const QByteArray saved = qgetenv("http_proxy");
    qputenv("http_proxy", QString("http://127.0.0.1:%1").arg(closed_port()).toUtf8());
    const plat::HttpReply r = plat::make_http()->get(server.url("/getipx"));
    if (saved.isNull())
        qunsetenv("http_proxy");
    else
        qputenv("http_proxy", saved);
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.body, "hello world");
}

struct Progress {
    QList<QPair<int, qint64>> starts;
    QList<qint64> data;
    int data_before_start = 0;
};

plat::HttpReply download(plat::Http& http, const QString& url, const QString& path, Progress* p)
{
    return http.download(
        url, path, [p](int status, qint64 length) { p->starts.append({status, length}); },
        [p](qint64 received) {
            if (p->starts.isEmpty())
                ++p->data_before_start;
            p->data.append(received);
        });
}

bool strictly_increasing(const QList<qint64>& v)
{
    return std::adjacent_find(v.begin(), v.end(), std::greater_equal<qint64>()) == v.end();
}

QByteArray file_content(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

TEST(PlatformHttp, DownloadWritesTheFileAndReportsProgress)
{
    LoopbackServer server(routes());
    QTemporaryDir dir;
    const QString path = dir.filePath("BRONTEX.EX_");
    const qint64 big_size = qint64(big.size());

    struct Case {
        const char* route;
        int status;
        qint64 length;
        std::string content;
    };
    const QList<Case> cases = {
        {"/BRONTEX.EX_", 200, big_size, big},
        {"/nolength", 200, -1, small},
        {"/empty", 200, 0, ""},
        {"/missing", 404, 8, "not here"},  // an error page is still written: the caller judges it
        {"/moved-file", 200, big_size, big},  // the redirect's own body is not written
    };
    auto http = plat::make_http();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.route);
        {
            // A stale, longer file is replaced.
            QFile stale(path);
            ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
            stale.write(QByteArray(400000, 'x'));
        }
        Progress p;
        const plat::HttpReply r = download(*http, server.url(c.route), path, &p);
        EXPECT_TRUE(r.ok) << r.error.toStdString();
        EXPECT_EQ(r.status, c.status);
        EXPECT_TRUE(r.body.isEmpty());
        EXPECT_EQ(r.received, qint64(c.content.size()));
        ASSERT_EQ(p.starts.size(), 1);
        EXPECT_EQ(p.starts[0].first, c.status);
        EXPECT_EQ(p.starts[0].second, c.length);
        EXPECT_EQ(p.data_before_start, 0);
        EXPECT_TRUE(strictly_increasing(p.data));
        if (!c.content.empty()) {
            EXPECT_EQ(p.data.last(), qint64(c.content.size()));
        }
        if (c.content.size() > 100000) {
            EXPECT_GE(p.data.size(), 2);  // progress comes in steps
        }
        EXPECT_TRUE(file_content(path) == QByteArray::fromStdString(c.content));
    }
}

TEST(PlatformHttp, FailedDownloadsAreReportedAsErrors)
{
    LoopbackServer server(routes());
    QTemporaryDir dir;
    struct Case {
        const char* name;
        QString url;
        QString path;
        bool started;  // the reply began, so on_start ran
    };
    const QList<Case> cases = {
        {"cut short", server.url("/short"), dir.filePath("a"), true},
        {"refused", QString("http://127.0.0.1:%1/BRONTEX.EX_").arg(closed_port()), dir.filePath("b"), false},
        {"unwritable", server.url("/BRONTEX.EX_"), dir.filePath("no/such/folder/c"), false},
        {"unwritable, empty reply", server.url("/empty"), dir.filePath("no/such/folder/d"), false},
    };
    auto http = plat::make_http();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Progress p;
        const plat::HttpReply r = download(*http, c.url, c.path, &p);
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.error.isEmpty());
        EXPECT_EQ(p.starts.size(), c.started ? 1 : 0);
        if (!c.started) {
            EXPECT_FALSE(QFile::exists(c.path));
        }
    }
}

} // namespace
