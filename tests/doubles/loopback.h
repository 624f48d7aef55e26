#pragma once
// Loopback ports for tests of network clients.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

// Binds fd to a free loopback port and answers the port.
inline int bind_loopback(int fd)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    return ntohs(a.sin_port);
}

// A loopback port nobody listens on; with listener, one that listens but never accepts
// (its descriptor is handed back for the caller to close).
inline int loopback_port(int* listener = nullptr)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const int port = bind_loopback(fd);
    if (listener && ::listen(fd, 4) == 0)
        *listener = fd;
    else
        ::close(fd);
    return port;
}
