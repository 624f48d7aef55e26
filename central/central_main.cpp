// Serves the central-server double over TDS until it is ended:
//   tovaren-central [HOST [PORT]]      (default 127.1.1.1 11433; port 0 picks a free one)
#include "central/tds_endpoint.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <pthread.h>

int main(int argc, char** argv)
{
    const QString host = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("127.1.1.1");
    bool ok = true;
    const int port = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt(&ok) : 11433;
    if (argc > 3 || !ok) {
        std::fprintf(stderr, "usage: %s [HOST [PORT]]\n", argv[0]);
        return 2;
    }

    // The serving thread must not take the ending signals: they are awaited here.
    sigset_t ending;
    sigemptyset(&ending);
    sigaddset(&ending, SIGINT);
    sigaddset(&ending, SIGTERM);
    sigaddset(&ending, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &ending, nullptr);

    central::Server server;
    central::TdsEndpoint endpoint(server);
    QString error;
    if (!endpoint.start(host, port, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("listening on %s:%d\n", qPrintable(endpoint.host()), endpoint.port());
    std::fflush(stdout);

    int sig = 0;
    sigwait(&ending, &sig);
    endpoint.stop();
    return 0;
}
