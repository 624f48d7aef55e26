// HTTP over libcurl against a small server on loopback: GET with its status, body and
// headers, a download with its progress; what each request gave is a golden transcript
// (tests/golden/platform/http.txt).
#include "platform/linux.h"
#include "tests/doubles/files.h"
#include "tests/doubles/golden.h"
#include "tests/doubles/loopback.h"

#include <QTemporaryDir>
#include <algorithm>
#include <map>
#include <string>
#include <thread>

namespace {

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
    QString url(const QString& path) const { return QString("http://127.0.0.1:%1%2").arg(port_).arg(path); }

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

// A path on the server, or "refused" for a port nobody listens on. GETs never go through a
// proxy for loopback (this one would refuse every request); after a redirect only the final
// answer's headers are kept. A download writes the file whole, progress after its start,
// rising to the size; an error page is still written (the caller judges it), a redirect's
// own body is not; a stale, longer file is replaced.
TEST(PlatformHttp, GetAndDownload)
{
    LoopbackServer server;
    QTemporaryDir dir;
    const QByteArray saved_proxy = qgetenv("http_proxy");
    qputenv("http_proxy", QString("http://127.0.0.1:%1").arg(loopback_port()).toUtf8());
    auto http = plat::make_http();
    auto url = [&](const QString& route) {
        return route == "refused" ? QString("http://127.0.0.1:%1/getipx").arg(loopback_port()) : server.url(route);
    };
    QStringList t;
    for (const char* route : {"/getipx", "/missing", "/failing", "/moved", "refused"}) {
        const plat::HttpReply r = http->get(url(route));
        QStringList headers;
        for (const char* h : {"x-test", "content-length", "location"})
            if (r.headers.contains(h))
                headers << QString(h) + ": " + r.headers.value(h);
        t << QString("get %1: ok %2, status %3, body '%4', headers [%5], error %6")
                 .arg(route).arg(r.ok).arg(r.status).arg(QString(r.body), headers.join(", ")).arg(!r.error.isEmpty());
    }
    if (saved_proxy.isNull())
        qunsetenv("http_proxy");
    else
        qputenv("http_proxy", saved_proxy);
    for (const auto& [route, file] : {std::pair{"/BRONTEX.EX_", "a"}, {"/nolength", "b"}, {"/empty", "c"},
                                      {"/missing", "d"}, {"/moved-file", "e"}, {"/short", "f"}, {"refused", "g"},
                                      {"/BRONTEX.EX_", "no/such/folder/h"}, {"/empty", "no/such/folder/i"}}) {
        const QString path = dir.filePath(file);
        if (QString(route) != "refused")
            write_file(path, QByteArray(400000, 'x'));
        QStringList starts;
        QList<qint64> data;
        const plat::HttpReply r = http->download(
            url(route), path, [&](int status, qint64 length) { starts << QString("%1 %2").arg(status).arg(length); },
            [&](qint64 received) {
                EXPECT_FALSE(starts.isEmpty()) << route;
                data << received;
            });
        const QByteArray got = read_file(path);
        t << QString("download %1 to %2: ok %3, status %4, received %5, body %6, error %7, started [%8], progress %9, "
                     "file %10 bytes, crc %11")
                 .arg(route, file).arg(r.ok).arg(r.status).arg(r.received).arg(r.body.size()).arg(!r.error.isEmpty())
                 .arg(starts.join(", "))
                 .arg(std::adjacent_find(data.begin(), data.end(), std::greater_equal<qint64>()) == data.end() &&
                              data.size() >= (got.size() > 100000 ? 2 : 0)
                          ? QString("rising to %1").arg(data.value(data.size() - 1, 0))
                          : "NOT rising in steps")
                 .arg(got.size()).arg(qChecksum(got));
    }
    EXPECT_EQ(read_file(dir.filePath("a")), QByteArray::fromStdString(big));
    expect_golden(t, "platform/http.txt");
}

// libcurl is loaded by the first request; where it cannot be, every request fails with
// the reason and no file is written.
TEST(PlatformHttp, WithoutTheLibraryEveryRequestFailsWithTheReason)
{
    LoopbackServer server;
    QTemporaryDir dir;
    auto http = plat::make_http("libtovaren-no-curl.so.4");
    const plat::HttpReply got = http->get(server.url("/getipx"));
    bool started = false;
    const plat::HttpReply saved = http->download(
        server.url("/BRONTEX.EX_"), dir.filePath("a"), [&](int, qint64) { started = true; }, [](qint64) {});
    for (const plat::HttpReply& r : {got, saved}) {
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.status, 0);
        EXPECT_TRUE(r.error.contains("libtovaren-no-curl.so.4")) << r.error.toStdString();
    }
    EXPECT_FALSE(started);
    EXPECT_FALSE(QFile::exists(dir.filePath("a")));
}

} // namespace
