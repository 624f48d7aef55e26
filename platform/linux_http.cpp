// Synchronous HTTP over libcurl: certificate checks on, redirects followed but never from
// HTTPS down to HTTP, and the request object's usual time-outs (60 s to connect, 30 s
// without data). libcurl and its chain of TLS, Kerberos and LDAP libraries are loaded on
// the first request: most starts of the program never reach server discovery or the
// update.
#include "platform/linux.h"
#include "platform/loaded_library.h"

#include <QFile>
#include <QUrl>
#include <curl/curl.h>
#include <map>
#include <mutex>
#include <string>

namespace plat {
namespace {

// The libcurl functions used, looked up once; the library is then initialised.
struct Curl {
    decltype(&curl_global_init) global_init = nullptr;
    decltype(&curl_easy_init) easy_init = nullptr;
    decltype(&curl_easy_setopt) easy_setopt = nullptr;
    decltype(&curl_easy_perform) easy_perform = nullptr;
    decltype(&curl_easy_getinfo) easy_getinfo = nullptr;
    decltype(&curl_easy_strerror) easy_strerror = nullptr;
    decltype(&curl_easy_cleanup) easy_cleanup = nullptr;
    LoadedLibrary so;

    explicit Curl(const char* library) : so("HTTP", library)
    {
        so.find(global_init, "curl_global_init");
        so.find(easy_init, "curl_easy_init");
        so.find(easy_setopt, "curl_easy_setopt");
        so.find(easy_perform, "curl_easy_perform");
        so.find(easy_getinfo, "curl_easy_getinfo");
        so.find(easy_strerror, "curl_easy_strerror");
        so.find(easy_cleanup, "curl_easy_cleanup");
        if (so.ok() && global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK)
            so.fail(QStringLiteral("it could not be initialised"));
    }
};

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

// The library, loaded by the first request that needs it (once for the process).
const Curl& loaded(const char* library)
{
    static std::mutex lock;
    static std::map<std::string, std::unique_ptr<Curl>> libraries;
    const std::lock_guard guard(lock);
    std::unique_ptr<Curl>& c = libraries[library];
    if (!c)
        c = std::make_unique<Curl>(library);
    return *c;
}

class LinuxHttp : public Http {
public:
    explicit LinuxHttp(const char* library) : library_(library) {}

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
    const char* library_;

    void perform(const QString& url, Transfer& t) const
    {
        const Curl& c = loaded(library_);
        if (!c.so.ok()) {
            t.reply.error = c.so.error();
            return;
        }
        CURL* curl = c.easy_init();
        if (!curl) {
            t.reply.error = QStringLiteral("cannot start an HTTP request");
            return;
        }
        const QByteArray address = url.toUtf8();
        const QUrl parsed(url);
        const bool https = parsed.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
        char errbuf[CURL_ERROR_SIZE] = {};

        c.easy_setopt(curl, CURLOPT_URL, address.constData());
        c.easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
        c.easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
        c.easy_setopt(curl, CURLOPT_MAXREDIRS, max_redirects);
        c.easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, https ? "https" : "http,https");
        c.easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, connect_timeout_s);
        c.easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
        c.easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, stall_timeout_s);
        c.easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
        c.easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
        c.easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
        if (is_loopback(parsed))
            c.easy_setopt(curl, CURLOPT_NOPROXY, "*");
        c.easy_setopt(curl, CURLOPT_ERRORBUFFER, errbuf);
        c.easy_setopt(curl, CURLOPT_HEADERFUNCTION, on_header);
        c.easy_setopt(curl, CURLOPT_HEADERDATA, &t);
        c.easy_setopt(curl, CURLOPT_WRITEFUNCTION, on_body);
        c.easy_setopt(curl, CURLOPT_WRITEDATA, &t);

        const CURLcode rc = c.easy_perform(curl);
        long status = 0;
        c.easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        if (status > 0)
            t.reply.status = int(status);
        t.reply.ok = rc == CURLE_OK;
        if (!t.reply.ok) {
            if (!t.write_error.isEmpty())
                t.reply.error = t.write_error;
            else if (errbuf[0])
                t.reply.error = QString::fromUtf8(errbuf);
            else
                t.reply.error = QString::fromUtf8(c.easy_strerror(rc));
        }
        c.easy_cleanup(curl);
    }
};

} // namespace

std::unique_ptr<Http> make_http(const char* library) { return std::make_unique<LinuxHttp>(library); }

} // namespace plat
