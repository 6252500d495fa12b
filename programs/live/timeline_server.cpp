#include "programs/live/timeline_server.h"

#include <atomic>
#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

#include "foundation/exception.h"
#include "programs/live/page_gate.h"
#include "programs/live/random_token.h"
#include "programs/live/server_socket.h"
#include "programs/live/timeline_page_files.h"

namespace Ombrel::Live {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;

namespace {

// A request's header and body each get this much at most; the page's
// commands are short lines.
const std::size_t MostHeaderBytes = 16 * 1024;
const std::size_t MostBodyBytes = 64 * 1024;
// A client has this long to send a whole request.
const auto RequestSeconds = std::chrono::seconds(30);
// Connections kept at once; more are closed as they come.
const int MostConnections = 64;

using Request = http::request<http::string_body>;
using Response = http::response<http::string_body>;

class EventStream;

}  // namespace

struct TimelineServer::Shared {
    Shared(int wanted, Handlers given) : handlers(std::move(given)), token(RandomToken()) {
        tcp::endpoint endpoint(asio::ip::make_address_v4("127.0.0.1"),
                               static_cast<unsigned short>(wanted));
        beast::error_code error;
        acceptor.open(endpoint.protocol(), error);
        if (!error && !KeepAddressExclusive(static_cast<std::uintptr_t>(acceptor.native_handle())))
            error = asio::error::access_denied;
        if (!error) KeepFromChildren(static_cast<std::uintptr_t>(acceptor.native_handle()));
        if (!error) acceptor.bind(endpoint, error);
        if (!error) acceptor.listen(asio::socket_base::max_listen_connections, error);
        if (error)
            throw Ombrel::Exception("timeline page: cannot listen on 127.0.0.1 port %d: %s", wanted,
                                    error.message().c_str());
        this->port = acceptor.local_endpoint().port();
        gate.emplace(token, this->port);
    }

    // The worker: calls the handlers, one job at a time.
    void Work() {
        for (;;) {
            std::function<void()> job;
            {
                std::unique_lock<std::mutex> guard(lock);
                wake.wait(guard, [this] { return !jobs.empty(); });
                job = std::move(jobs.front());
                jobs.pop_front();
            }
            job();
        }
    }
    void Queue(std::function<void()> job) {
        {
            std::lock_guard<std::mutex> guard(lock);
            jobs.push_back(std::move(job));
        }
        wake.notify_one();
    }

    asio::io_context io;
    tcp::acceptor acceptor{io};
    Handlers handlers;
    std::string token;
    int port = 0;
    std::optional<PageGate> gate;
    std::atomic<int> connections{0};
    std::atomic<int> listeners{0};

    // The network thread's alone.
    std::set<std::shared_ptr<EventStream>> streams;
    std::string state;

    std::mutex lock;
    std::condition_variable wake;
    std::deque<std::function<void()>> jobs;
    std::optional<std::string> peaks;  // the worker's alone, made once
};

namespace {

using Shared = TimelineServer::Shared;

// A page listening for the state: the events' header, then one event each
// time the state changes. Only the newest state waits while one is being
// written: a page that reads slowly skips states, it does not pile them up.
class EventStream : public std::enable_shared_from_this<EventStream> {
public:
    EventStream(std::shared_ptr<Shared> server, beast::tcp_stream connection)
        : shared(std::move(server)), stream(std::move(connection)) {}

    void Start() {
        stream.expires_never();
        Push(
            "HTTP/1.1 200 OK\r\nContent-Type: text/event-stream\r\n"
            "Cache-Control: no-store\r\nX-Content-Type-Options: nosniff\r\n\r\n");
        if (!shared->state.empty()) Push(Event(shared->state));
        // The page sends nothing more; a read ends when it goes away.
        auto self = shared_from_this();
        stream.socket().async_read_some(asio::buffer(ignored),
                                        [self](beast::error_code, std::size_t) { self->Close(); });
    }

    static std::string Event(const std::string& state) { return "data: " + state + "\n\n"; }

    void Push(std::string text) {
        if (closed) return;
        if (writing) {
            waiting = std::move(text);
            return;
        }
        writing = true;
        out = std::move(text);
        auto self = shared_from_this();
        asio::async_write(stream.socket(), asio::buffer(out),
                          [self](beast::error_code error, std::size_t) {
                              self->writing = false;
                              if (error) return self->Close();
                              if (self->waiting) {
                                  std::string next = std::move(*self->waiting);
                                  self->waiting.reset();
                                  self->Push(std::move(next));
                              }
                          });
    }

    void Close() {
        if (closed) return;
        closed = true;
        beast::error_code ignore;
        stream.socket().shutdown(tcp::socket::shutdown_both, ignore);
        stream.socket().close(ignore);
        if (shared->streams.erase(shared_from_this()) > 0) --shared->listeners;
        --shared->connections;
    }

private:
    std::shared_ptr<Shared> shared;
    beast::tcp_stream stream;
    std::string out;
    std::optional<std::string> waiting;
    bool writing = false;
    bool closed = false;
    char ignored[64];
};

Response Text(http::status status, const std::string& text,
              const char* type = "text/plain; charset=utf-8") {
    Response response(status, 11);
    response.set(http::field::content_type, type);
    response.body() = text;
    return response;
}

Response File(const unsigned char* bytes, unsigned int size, const char* type) {
    return Text(http::status::ok, std::string(reinterpret_cast<const char*>(bytes), size), type);
}

// One client's connection: requests in turn, each answered before the next
// is read.
class Connection : public std::enable_shared_from_this<Connection> {
public:
    Connection(std::shared_ptr<Shared> server, tcp::socket socket)
        : shared(std::move(server)), stream(std::move(socket)) {}
    ~Connection() {
        if (!handedOn) --shared->connections;
    }

    void Read() {
        parser.emplace();
        parser->header_limit(MostHeaderBytes);
        parser->body_limit(MostBodyBytes);
        stream.expires_after(RequestSeconds);
        auto self = shared_from_this();
        http::async_read(stream, buffer, *parser,
                         [self](beast::error_code error, std::size_t) { self->OnRead(error); });
    }

private:
    void OnRead(beast::error_code error) {
        if (error == http::error::header_limit || error == http::error::body_limit) {
            keepAlive = false;
            return Answer(Text(http::status::payload_too_large,
                               "refused: the request is larger "
                               "than 16 KiB of header or 64 KiB "
                               "of body"));
        }
        if (error) return Close();
        Request request = parser->release();
        keepAlive = request.keep_alive();
        Handle(request);
    }

    void Handle(const Request& request) {
        PageRequest asked;
        asked.method = std::string(request.method_string());
        asked.target = std::string(request.target());
        asked.host = std::string(request[http::field::host]);
        asked.origin = std::string(request[http::field::origin]);
        asked.cookie = std::string(request[http::field::cookie]);
        PageVerdict verdict = shared->gate->Check(asked);
        if (verdict.status != 200) {
            keepAlive = false;
            return Answer(Text(static_cast<http::status>(verdict.status), verdict.reason));
        }
        switch (verdict.route) {
            case PageRoute::Page: {
                Response page = File(TimelinePage, TimelinePageSize, "text/html; charset=utf-8");
                page.set(http::field::set_cookie, shared->gate->Cookie());
                return Answer(std::move(page));
            }
            case PageRoute::Script:
                return Answer(
                    File(TimelineScript, TimelineScriptSize, "text/javascript; charset=utf-8"));
            case PageRoute::Style:
                return Answer(File(TimelineStyle, TimelineStyleSize, "text/css; charset=utf-8"));
            case PageRoute::Events:
                return StartEvents();
            case PageRoute::Peaks:
                return Later([shared = shared] {
                    if (!shared->peaks) shared->peaks = shared->handlers.peaks();
                    return Text(http::status::ok, *shared->peaks, "application/json");
                });
            case PageRoute::Command: {
                std::string line;
                try {
                    line = CommandLineOfBody(request.body());
                } catch (const Ombrel::Exception& e) {
                    return Answer(Text(http::status::bad_request, e.message));
                }
                return Later([shared = shared, line] {
                    return Text(http::status::ok, shared->handlers.command(line));
                });
            }
        }
    }

    // The answer made by the worker, then sent from the network's thread.
    template <typename Make>
    void Later(Make make) {
        auto self = shared_from_this();
        shared->Queue([self, make] {
            Response response = make();
            asio::post(self->stream.get_executor(),
                       [self, response]() mutable { self->Answer(std::move(response)); });
        });
    }

    void Answer(Response response) {
        response.set(http::field::cache_control, "no-store");
        response.set("X-Content-Type-Options", "nosniff");
        response.set("X-Frame-Options", "DENY");
        response.set("Content-Security-Policy", "default-src 'self'; frame-ancestors 'none'");
        response.keep_alive(keepAlive);
        response.prepare_payload();
        answer = std::make_shared<Response>(std::move(response));
        auto self = shared_from_this();
        http::async_write(stream, *answer, [self](beast::error_code error, std::size_t) {
            if (error || !self->keepAlive) return self->Close();
            self->Read();
        });
    }

    void StartEvents() {
        handedOn = true;
        auto events = std::make_shared<EventStream>(shared, std::move(stream));
        shared->streams.insert(events);
        ++shared->listeners;
        events->Start();
    }

    void Close() {
        beast::error_code ignore;
        stream.socket().shutdown(tcp::socket::shutdown_both, ignore);
        stream.socket().close(ignore);
    }

    std::shared_ptr<Shared> shared;
    beast::tcp_stream stream;
    beast::flat_buffer buffer;
    std::optional<http::request_parser<http::string_body>> parser;
    std::shared_ptr<Response> answer;
    bool keepAlive = true;
    bool handedOn = false;
};

void Accept(std::shared_ptr<Shared> shared) {
    shared->acceptor.async_accept([shared](beast::error_code error, tcp::socket socket) {
        if (error == asio::error::operation_aborted) return;
        if (!error) {
            if (++shared->connections > MostConnections) {
                --shared->connections;
                beast::error_code ignore;
                socket.close(ignore);
            } else {
                KeepFromChildren(static_cast<std::uintptr_t>(socket.native_handle()));
                std::make_shared<Connection>(shared, std::move(socket))->Read();
            }
        }
        Accept(shared);
    });
}

}  // namespace

TimelineServer::TimelineServer(int port, Handlers handlers)
    : shared(std::make_shared<Shared>(port, std::move(handlers))) {
    Accept(shared);
    // Both threads keep what they use alive and end with the process, as
    // the control channel's do.
    std::shared_ptr<Shared> kept = shared;
    std::thread([kept] { kept->io.run(); }).detach();
    std::thread([kept] { kept->Work(); }).detach();
}

TimelineServer::~TimelineServer() {
    asio::post(shared->io, [kept = shared] {
        beast::error_code ignore;
        kept->acceptor.close(ignore);
    });
}

int TimelineServer::Port() const {
    return shared->port;
}

std::string TimelineServer::Address() const {
    return shared->gate->Address();
}

void TimelineServer::Publish(const std::string& state) {
    asio::post(shared->io, [kept = shared, state] {
        if (state == kept->state) return;
        kept->state = state;
        std::string event = EventStream::Event(state);
        for (const std::shared_ptr<EventStream>& stream : kept->streams) stream->Push(event);
    });
}

int TimelineServer::Listeners() const {
    return shared->listeners;
}

}  // namespace Ombrel::Live
