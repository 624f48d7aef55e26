#pragma once
// A TDS 7.4 endpoint in front of the central-server double, so that the real driver is
// tested on the wire: pre-login (no encryption), LOGIN7 checked by Server::login, "use"
// batches and remote procedure calls run by Server::execute, on a loopback address.
//
// It serves from its own thread. That thread calls into the server only while it logs a
// client in or answers a call, holding server_mutex(); a client's call returns only after
// the answer was written, so a test may read or change the server between its calls.
// with_server() runs code with the server locked for anything else.
#include "central.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <mutex>

namespace central {

class TdsEndpoint {
public:
    explicit TdsEndpoint(Server& server);
    ~TdsEndpoint();
    TdsEndpoint(const TdsEndpoint&) = delete;
    TdsEndpoint& operator=(const TdsEndpoint&) = delete;

    // Listens on host (an IPv4 address) and port (0: a free port, see port()) and serves
    // until stop(). False with error set when the address cannot be bound.
    bool start(const QString& host = QStringLiteral("127.0.0.1"), int port = 0, QString* error = nullptr);
    // Closes every connection and the listener; returns when the serving thread has ended.
    void stop();
    bool running() const;
    QString host() const;
    int port() const;

    // Closes every client connection at once: each client's next call fails, always by
    // finding the end of the connection (never a reset) where its answer should be.
    void drop_connections();
    // Client connections open now.
    int connections() const;
    // The next n calls find the server gone, as if its cable were pulled: no answer, no
    // closing, and not even TCP acknowledges anything on their connections any more.
    void vanish_at_next_calls(int n);
    // The next n calls of proc (of any procedure when proc is empty) run on the server, but
    // their connection closes before the answer goes out: the client cannot tell whether
    // they ran.
    void lose_answers_at_next_calls(int n, const QString& proc = QString());

    std::mutex& server_mutex();
    template <class F> decltype(auto) with_server(F&& f)
    {
        std::lock_guard<std::mutex> g(server_mutex());
        return f(server_);
    }

    // The last remote procedure call as it went over the wire, packet headers included:
    // the request and the answer.
    QByteArray last_request() const;
    QByteArray last_answer() const;

private:
    struct Impl;
    Server& server_;
    std::unique_ptr<Impl> d_;
};

} // namespace central
