// Synchronous HTTP over libcurl: certificate checks on, redirects followed but never from
// HTTPS down to HTTP, and the request object's usual time-outs (60 s to connect, 30 s
// without data).
#include "platform/linux.h"

#include <QFile>
#include <QUrl>
#include <curl/curl.h>
#include <mutex>

namespace plat {
namespace {

constexpr long connect_timeout_s = 60;
constexpr long stall_timeout_s = 30;
constexpr long max_redirects = 10;

// What one transfer gathers from curl's callbacks.
struct Transfer {
    HttpReply reply;
    qint64 length = -1;  // Content-Length of the current response, -1 when none

    // Downloads only.
    QFile* file = nullptr;
    const std::function<void(int, qint64)>* on_start = nullptr;
    const std::function<void(qint64)>* on_data = nullptr;
    bool started = false;
    QString write_error;

    bool start()
    {
        started = true;
        if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            write_error = QStringLiteral("cannot write %1: %2").arg(file->fileName(), file->errorString());
            return false;
        }
        if (*on_start)
            (*on_start)(reply.status, length);
        return true;
    }
};

size_t on_header(char* data, size_t size, size_t count, void* user)
{
    auto* t = static_cast<Transfer*>(user);
    const size_t n = size * count;
    const QByteArray line = QByteArray(data, qsizetype(n)).trimmed();
    if (line.startsWith("HTTP/")) {
        // A new response (after a redirect or an interim answer): forget the previous one.
        const QList<QByteArray> parts = line.split(' ');
        t->reply.status = parts.size() > 1 ? parts[1].toInt() : 0;
        t->reply.headers.clear();
        t->length = -1;
        return n;
    }
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0)
        return n;
    const QString name = QString::fromLatin1(line.left(colon).trimmed()).toLower();
    const QString value = QString::fromUtf8(line.mid(colon + 1).trimmed());
    t->reply.headers.insert(name, value);
    if (name == QLatin1String("content-length")) {
        bool ok = false;
        const qint64 len = value.toLongLong(&ok);
        t->length = ok && len >= 0 ? len : -1;
    }
    return n;
}

size_t on_body(char* data, size_t size, size_t count, void* user)
{
    auto* t = static_cast<Transfer*>(user);
    const size_t n = size * count;
    if (!t->file) {
        t->reply.body.append(data, qsizetype(n));
        return n;
    }
    if (!t->started && !t->start())
        return 0;
    if (t->file->write(data, qint64(n)) != qint64(n)) {
        t->write_error = QStringLiteral("cannot write %1: %2").arg(t->file->fileName(), t->file->errorString());
        return 0;
    }
    t->reply.received += qint64(n);
    if (*t->on_data)
        (*t->on_data)(t->reply.received);
    return n;
}

bool is_loopback(const QUrl& url)
{
    const QString host = url.host();
    return host == QLatin1String("localhost") || host.startsWith(QLatin1String("127.")) ||
           host == QLatin1String("::1");
}

class LinuxHttp : public Http {
public:
    LinuxHttp()
    {
        static std::once_flag once;
        std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    }

    HttpReply get(const QString& url) override
    {
        Transfer t;
        perform(url, t);
        return t.reply;
    }

    HttpReply download(const QString& url, const QString& path,
                       const std::function<void(int, qint64)>& on_start,
                       const std::function<void(qint64)>& on_data) override
    {
        QFile file(path);
        Transfer t;
        t.file = &file;
        t.on_start = &on_start;
        t.on_data = &on_data;
        perform(url, t);
        // A complete reply without a body still makes the (empty) file.
        if (t.reply.ok && !t.started && !t.start()) {
            t.reply.ok = false;
            t.reply.error = t.write_error;
        }
        file.close();
        return t.reply;
    }

private:
    static void perform(const QString& url, Transfer& t)
    {
        CURL* curl = curl_easy_init();
        if (!curl) {
            t.reply.error = QStringLiteral("cannot start an HTTP request");
            return;
        }
        const QByteArray address = url.toUtf8();
        const QUrl parsed(url);
        const bool https = parsed.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
        char errbuf[CURL_ERROR_SIZE] = {};

        curl_easy_setopt(curl, CURLOPT_URL, address.constData());
        curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(curl, CURLOPT_MAXREDIRS, max_redirects);
        curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, https ? "https" : "http,https");
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, connect_timeout_s);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, stall_timeout_s);
        curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
        curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
        if (is_loopback(parsed))
            curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
        curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errbuf);
        curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, on_header);
        curl_easy_setopt(curl, CURLOPT_HEADERDATA, &t);
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, on_body);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, &t);

        const CURLcode rc = curl_easy_perform(curl);
        long status = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        if (status > 0)
            t.reply.status = int(status);
        t.reply.ok = rc == CURLE_OK;
        if (!t.reply.ok) {
            if (!t.write_error.isEmpty())
                t.reply.error = t.write_error;
            else if (errbuf[0])
                t.reply.error = QString::fromUtf8(errbuf);
            else
                t.reply.error = QString::fromUtf8(curl_easy_strerror(rc));
        }
        curl_easy_cleanup(curl);
    }
};

} // namespace

std::unique_ptr<Http> make_http() { return std::make_unique<LinuxHttp>(); }

} // namespace plat
