// A small HTTP/1.1 server on 127.0.0.1 for the transport tests: it answers each request with
// the next scripted reply (the last one repeats) and records what it was asked.
#pragma once

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct HttpReply {
    HttpReply(int status, std::string body, std::string location = {}, bool stall = false)
        : status(status), body(std::move(body)), location(std::move(location)), stall(stall) {}
    // Never answers: the connection stays open and silent until the server stops.
    static HttpReply Stall() { return {0, {}, {}, true}; }

    int status;
    std::string body;
    // Sent as the Location header when not empty.
    std::string location;
    bool stall;
};

struct HttpExchange {
    std::string method;
    std::string path;
    // Header names in lower case.
    std::map<std::string, std::string> headers;
    std::string body;
};

class CLoopbackHttpServer {
public:
    explicit CLoopbackHttpServer(std::vector<HttpReply> replies);
    ~CLoopbackHttpServer();

    // The address of `path` on this server.
    std::string Url(const std::string& path = "/vistrelUpdate.js") const;
    // Waits until at least `count` requests have arrived; false after the timeout.
    bool WaitForRequests(std::size_t count,
                         std::chrono::milliseconds timeout = std::chrono::seconds(20)) const;
    std::vector<HttpExchange> Requests() const;

private:
    void Serve();
    // Reads one request from the connection; false when the client went or the server stops.
    bool ReadRequest(int connection, HttpExchange& exchange);
    // Waits until the descriptor is readable; false when the server is stopping.
    bool WaitReadable(int fd);

    int m_listener = -1;
    int m_wake = -1; // an eventfd that ends every wait of the server thread
    int m_port = 0;
    std::vector<HttpReply> m_replies; // read only by the server thread after start
    mutable std::mutex m_lock;
    mutable std::condition_variable m_arrived;
    std::vector<HttpExchange> m_requests; // guarded by m_lock
    std::thread m_thread;
};
