// One login-sized procedure call (getutq: five texts in, a return status, about twenty
// rows out) through the FreeTDS driver to the central-server double on loopback, against
// a bare TCP exchange of the very same request and answer bytes: the difference is what
// db-lib and the endpoint cost on top of the network round trip.
#include "core/db/tds_driver.h"
#include "central/tds_endpoint.h"

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

struct Central {
    central::Server server;
    central::TdsEndpoint endpoint{server};
    db::TdsDriver driver;
    std::unique_ptr<db::Session> session;

    Central()
    {
        QString error;
        if (!endpoint.start(QStringLiteral("127.0.0.1"), 0, &error))
            die("endpoint", error);
        db::ConnectProps p;
        p.host = endpoint.host();
        p.port = endpoint.port();
        p.user = server.model.db_user;
        p.password = server.model.db_password;
        p.database = QStringLiteral("tovaren");
        p.workstation = QStringLiteral("0123456789abcdef01234567");
        p.app_name = QStringLiteral("3.8.2.4");
        session = driver.open(p, &error);
        if (!session)
            die("open", error);
    }

    static void die(const char* what, const QString& error)
    {
        std::fprintf(stderr, "%s: %s\n", what, qPrintable(error));
        std::exit(1);
    }

    bool getutq()
    {
        QList<db::Parameter> params{{"d0", db::adInteger, db::adParamReturnValue, 0, {}},
                                    {"d1", db::adVarChar, db::adParamInput, 10, "CAJERO"},
                                    {"d2", db::adVarChar, db::adParamInput, 10, "CLAVE"},
                                    {"d3", db::adVarChar, db::adParamInput, 10, "0305419896"},
                                    {"d4", db::adVarChar, db::adParamInput, 8, "3.8.2.4"},
                                    {"d5", db::adVarChar, db::adParamInput, 15, "10.1.1.1"}};
        QList<db::ResultSet> sets;
        QString error;
        const bool ok = session->call(QStringLiteral("getutq"), params, sets, &error);
        server.log.clear();  // the call log would grow without end
        return ok && !sets.isEmpty() && !sets[0].rows.isEmpty();
    }
};

Central& central_server()
{
    static Central c;
    return c;
}

void BM_TdsDriverCall(benchmark::State& state)
{
    auto& c = central_server();
    for (auto _ : state)
        if (!c.getutq())
            state.SkipWithError("call failed");
}
BENCHMARK(BM_TdsDriverCall);

bool write_all(int fd, const QByteArray& b)
{
    qsizetype sent = 0;
    while (sent < b.size()) {
        const ssize_t n = ::send(fd, b.constData() + sent, size_t(b.size() - sent), MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += n;
    }
    return true;
}

bool read_exactly(int fd, char* buf, qsizetype n)
{
    qsizetype got = 0;
    while (got < n) {
        const ssize_t r = ::recv(fd, buf + got, size_t(n - got), 0);
        if (r <= 0)
            return false;
        got += r;
    }
    return true;
}

void BM_RawTcpExchange(benchmark::State& state)
{
    auto& c = central_server();
    if (!c.getutq())
        return state.SkipWithError("call failed");
    const QByteArray request = c.endpoint.last_request();
    const QByteArray answer = c.endpoint.last_answer();

    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listener, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::listen(listener, 1);
    socklen_t len = sizeof a;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&a), &len);

    // The peer answers every request with the recorded answer, until the client hangs up.
    std::thread peer([&] {
        const int fd = ::accept(listener, nullptr, nullptr);
        const int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        QByteArray buf(request.size(), '\0');
        while (read_exactly(fd, buf.data(), buf.size()) && write_all(fd, answer)) {
        }
        ::close(fd);
    });
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0)
        state.SkipWithError("connect failed");
    QByteArray buf(answer.size(), '\0');
    for (auto _ : state)
        if (!write_all(fd, request) || !read_exactly(fd, buf.data(), buf.size()))
            state.SkipWithError("exchange failed");
    ::close(fd);
    peer.join();
    ::close(listener);
    state.counters["request_bytes"] = double(request.size());
    state.counters["answer_bytes"] = double(answer.size());
}
BENCHMARK(BM_RawTcpExchange);

} // namespace
