#include "LoopbackHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdint>

CLoopbackHttpServer::CLoopbackHttpServer(std::vector<HttpReply> replies)
    : m_replies(std::move(replies)) {
    m_listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    m_wake = eventfd(0, EFD_CLOEXEC);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    if (m_listener < 0 || m_wake < 0 ||
        bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        listen(m_listener, 8) != 0 ||
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    m_port = ntohs(address.sin_port);
    m_thread = std::thread(&CLoopbackHttpServer::Serve, this);
}

CLoopbackHttpServer::~CLoopbackHttpServer() {
    const std::uint64_t one = 1;
    (void)!write(m_wake, &one, sizeof(one));
    m_thread.join();
    close(m_listener);
    close(m_wake);
}

std::string CLoopbackHttpServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

bool CLoopbackHttpServer::WaitForRequests(std::size_t count,
                                          std::chrono::milliseconds timeout) const {
    std::unique_lock lock(m_lock);
    return m_arrived.wait_for(lock, timeout, [&] { return m_requests.size() >= count; });
}

std::vector<HttpExchange> CLoopbackHttpServer::Requests() const {
    std::lock_guard lock(m_lock);
    return m_requests;
}

bool CLoopbackHttpServer::WaitReadable(int fd) {
    pollfd fds[2] = {{fd, POLLIN, 0}, {m_wake, POLLIN, 0}};
    while (poll(fds, 2, -1) < 0) {
    }
    return (fds[1].revents & POLLIN) == 0;
}

bool CLoopbackHttpServer::ReadRequest(int connection, HttpExchange& exchange) {
    std::string data;
    std::size_t headerEnd;
    char chunk[4096];
    while ((headerEnd = data.find("\r\n\r\n")) == std::string::npos) {
        if (!WaitReadable(connection)) {
            return false;
        }
        const ssize_t got = read(connection, chunk, sizeof(chunk));
        if (got <= 0) {
            return false;
        }
        data.append(chunk, got);
    }
    std::size_t lineEnd = data.find("\r\n");
    const std::string requestLine = data.substr(0, lineEnd);
    const std::size_t firstSpace = requestLine.find(' ');
    exchange.method = requestLine.substr(0, firstSpace);
    exchange.path = requestLine.substr(firstSpace + 1, requestLine.rfind(' ') - firstSpace - 1);
    while (lineEnd < headerEnd) {
        const std::size_t next = data.find("\r\n", lineEnd + 2);
        const std::string line = data.substr(lineEnd + 2, next - lineEnd - 2);
        const std::size_t colon = line.find(':');
        if (colon != std::string::npos) {
            std::string name = line.substr(0, colon);
            std::transform(name.begin(), name.end(), name.begin(),
                           [](unsigned char c) { return char(std::tolower(c)); });
            exchange.headers[name] = line.substr(line.find_first_not_of(' ', colon + 1));
        }
        lineEnd = next;
    }
    const auto length = exchange.headers.find("content-length");
    const std::size_t bodySize = length == exchange.headers.end() ? 0 : std::stoul(length->second);
    exchange.body = data.substr(headerEnd + 4);
    while (exchange.body.size() < bodySize) {
        if (!WaitReadable(connection)) {
            return false;
        }
        const ssize_t got = read(connection, chunk, sizeof(chunk));
        if (got <= 0) {
            return false;
        }
        exchange.body.append(chunk, got);
    }
    return true;
}

void CLoopbackHttpServer::Serve() {
    for (std::size_t index = 0;; ++index) {
        if (!WaitReadable(m_listener)) {
            return;
        }
        const int connection = accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) {
            continue;
        }
        HttpExchange exchange;
        const bool complete = ReadRequest(connection, exchange);
        if (complete) {
            std::lock_guard lock(m_lock);
            m_requests.push_back(exchange);
            m_arrived.notify_all();
        }
        const HttpReply& reply = m_replies[std::min(index, m_replies.size() - 1)];
        if (complete && reply.stall) {
            WaitReadable(m_wake);
        } else if (complete) {
            std::string answer = "HTTP/1.1 " + std::to_string(reply.status) + " Scripted\r\n" +
                                 "Content-Length: " + std::to_string(reply.body.size()) +
                                 "\r\nConnection: close\r\n";
            if (!reply.location.empty()) {
                answer += "Location: " + reply.location + "\r\n";
            }
            answer += "\r\n" + reply.body;
            for (std::size_t sent = 0; sent < answer.size();) {
                const ssize_t wrote =
                    send(connection, answer.data() + sent, answer.size() - sent, MSG_NOSIGNAL);
                if (wrote <= 0) {
                    break;
                }
                sent += wrote;
            }
        }
        close(connection);
    }
}
