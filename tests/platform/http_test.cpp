#include "platform/linux.h"
#include "tests/doubles/files.h"

#include <QTemporaryDir>
#include <algorithm>
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <map>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

// Binds fd to a free loopback port and answers the port.
int bind_loopback(int fd)
{
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    return ntohs(addr.sin_port);
}

// A loopback port with nobody listening.
int closed_port()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const int port = bind_loopback(fd);
    ::close(fd);
    return port;
}

std::string answer(const std::string& status, const std::string& body, const std::string& headers = "",
                   bool length = true)
{
    return "HTTP/1.1 " + status + "\r\n" + headers +
           (length ? "Content-Length: " + std::to_string(body.size()) + "\r\n" : "") + "Connection: close\r\n\r\n" + body;
}

std::string payload(size_t size)
{
    std::string s(size, '\0');
    for (size_t i = 0; i < size; ++i)
        s[i] = char((i * 7 + i / 251) % 256);  // every byte value, zeros included
    return s;
}

const std::string big = payload(300000);
const std::string small = payload(5000);

// A small HTTP server on 127.0.0.1: each path has a canned raw answer, sent whole before the
// connection is closed. Unknown paths get 404.
class LoopbackServer {
public:
    LoopbackServer()
    {
        port_ = bind_loopback(fd_);
        if (::listen(fd_, 8) == 0)
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

private:
    const std::map<std::string, std::string> answers_ = {
        {"/getipx", answer("200 OK", "hello world", "X-Test: yes\r\n")},
        {"/missing", answer("404 Not Found", "not here")},
        {"/failing", answer("500 Internal Server Error", "boom")},
        {"/moved", answer("302 Found", "moved", "Location: /getipx\r\n")},
        {"/BRONTEX.EX_", answer("200 OK", big)},
        {"/nolength", answer("200 OK", small, "", false)},
        {"/empty", answer("200 OK", "")},
        {"/moved-file", answer("302 Found", "moved", "Location: /BRONTEX.EX_\r\n")},
        {"/short", answer("200 OK", small.substr(0, 500), "Content-Length: 1000\r\n", false)},
    };
    int fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    int port_ = 0;
    std::thread thread_;

    void serve()
    {
        for (int client; (client = ::accept(fd_, nullptr, nullptr)) >= 0;) {
            std::string request;
            char buf[4096];
            for (ssize_t n; request.find("\r\n\r\n") == std::string::npos && (n = ::recv(client, buf, sizeof buf, 0)) > 0;)
                request.append(buf, size_t(n));
            const size_t start = request.find(' ') + 1;
            const auto it = answers_.find(request.substr(start, request.find(' ', start) - start));
            const std::string a = it != answers_.end() ? it->second : answer("404 Not Found", "");
            for (size_t sent = 0; sent < a.size();) {
                const ssize_t n = ::send(client, a.data() + sent, a.size() - sent, MSG_NOSIGNAL);
                if (n <= 0)
                    break;
                sent += size_t(n);
            }
            ::shutdown(client, SHUT_WR);  // let the client read everything before the close
            while (::recv(client, buf, sizeof buf, 0) > 0) {
            }
            ::close(client);
        }
    }
};

TEST(PlatformHttp, GetGivesStatusBodyAndHeadersOrATransportErrorAndBypassesTheProxy)
{
    LoopbackServer server;
    // Loopback is never sent through a proxy: this one would refuse every request.
    const QByteArray saved = qgetenv("http_proxy");
    qputenv("http_proxy", QString("http://127.0.0.1:%1").arg(closed_port()).toUtf8());
    auto http = plat::make_http();

    const struct { QString url; bool ok; int status; QByteArray body; } cases[] = {
        {server.url("/getipx"), true, 200, "hello world"},
        {server.url("/missing"), true, 404, "not here"},
        {server.url("/failing"), true, 500, "boom"},
        {server.url("/moved"), true, 200, "hello world"},
        {QString("http://127.0.0.1:%1/getipx").arg(closed_port()), false, 0, ""},
    };
    for (const auto& c : cases) {
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

    if (saved.isNull())
        qunsetenv("http_proxy");
    else
        qputenv("http_proxy", saved);
}

TEST(PlatformHttp, DownloadWritesTheFileReportsProgressAndReportsFailures)
{
    LoopbackServer server;
    QTemporaryDir dir;
    const qint64 big_size = qint64(big.size());
    using Starts = QList<QPair<int, qint64>>;
    // route: a path on the server, or a URL with the refused port as %1; starts: what on_start got.
    const struct { const char* route; bool ok; Starts starts; std::string content; const char* file = "BRONTEX.EX_"; } cases[] = {
        {"/BRONTEX.EX_", true, {{200, big_size}}, big},
        {"/nolength", true, {{200, -1}}, small},
        {"/empty", true, {{200, 0}}, ""},
        {"/missing", true, {{404, 8}}, "not here"},  // an error page is still written: the caller judges it
        {"/moved-file", true, {{200, big_size}}, big},  // the redirect's own body is not written
        {"/short", false, {{200, 1000}}, ""},  // cut short
        {"http://127.0.0.1:%1/BRONTEX.EX_", false, {}, "", "refused"},
        {"/BRONTEX.EX_", false, {}, "", "no/such/folder/c"},
        {"/empty", false, {}, "", "no/such/folder/d"},
    };
    auto http = plat::make_http();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.route << " to " << c.file);
        const QString path = dir.filePath(c.file);
        if (c.ok) {  // a stale, longer file is replaced
            ASSERT_TRUE(write_file(path, QByteArray(400000, 'x')));
        }
        const QString url = c.route[0] == '/' ? server.url(c.route) : QString(c.route).arg(closed_port());
        Starts starts;
        QList<qint64> data;
        int data_before_start = 0;
        const plat::HttpReply r = http->download(
            url, path, [&](int status, qint64 length) { starts.append({status, length}); },
            [&](qint64 received) {
                data_before_start += starts.isEmpty();
                data.append(received);
            });
        EXPECT_EQ(r.ok, c.ok) << r.error.toStdString();
        EXPECT_EQ(r.error.isEmpty(), c.ok);
        EXPECT_EQ(starts, c.starts);
        EXPECT_EQ(data_before_start, 0);
        if (!c.ok) {
            EXPECT_TRUE(!c.starts.isEmpty() || !QFile::exists(path));
            continue;
        }
        EXPECT_EQ(r.status, c.starts[0].first);
        EXPECT_TRUE(r.body.isEmpty());
        EXPECT_EQ(r.received, qint64(c.content.size()));
        EXPECT_TRUE(std::adjacent_find(data.begin(), data.end(), std::greater_equal<qint64>()) == data.end());
        EXPECT_EQ(data.value(data.size() - 1, 0), qint64(c.content.size()));
        EXPECT_TRUE(c.content.size() < 100000 || data.size() >= 2);  // progress comes in steps
        EXPECT_TRUE(read_file(path) == QByteArray::fromStdString(c.content));
    }
}

} // namespace
