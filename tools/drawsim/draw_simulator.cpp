#include "draw_simulator.h"

#include "draw_pages.h"

#include <httplib.h>

#include <charconv>
#include <cstdio>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

namespace yanchuan::drawsim {

namespace {

constexpr std::string_view kJson = "application/json; charset=GBK";
constexpr std::string_view kHtml = "text/html; charset=GBK";

// The pages of each source: the paths (and the query parameter) the readers ask for.
struct PageRoute {
    SourceId source;
    std::string_view path;
    std::string_view param; // a parameter the request must carry, or empty
    std::string_view value;
    LotteryKind kind;
    std::string_view contentType;
};

constexpr std::array<PageRoute, 6> kPageRoutes = {{
    {SourceId::Indo, "/others/draw.php", "", "", LotteryKind::IndoFive, kJson},
    {SourceId::Indo, "/others/draw_ffc.php", "", "", LotteryKind::IndoOne, kJson},
    {SourceId::Viet, "/others/draw.php", "", "", LotteryKind::VietFive, kJson},
    {SourceId::Viet, "/others/draw_ffc.php", "", "", LotteryKind::VietOne, kJson},
    {SourceId::Chongqing, "/Game/GetNum.aspx", "iType", "3", LotteryKind::Chongqing, kHtml},
    {SourceId::Pk10, "/bulletin/trax.html", "", "", LotteryKind::Pk10, kHtml},
}};

constexpr std::string_view kAddress = "127.0.0.1";
// Threads per port: requests are short, and a browser's kept-alive connection
// holds one thread at most this long.
constexpr std::size_t kThreadsPerPort = 4;
constexpr time_t kKeepAliveSeconds = 2;

const PageRoute* FindRoute(SourceId source, const httplib::Request& request)
{
    for (const PageRoute& route : kPageRoutes) {
        if (route.source == source && request.path == route.path
            && (route.param.empty() || request.get_param_value(std::string(route.param)) == route.value)) {
            return &route;
        }
    }
    return nullptr;
}

std::size_t Index(SourceId source) { return static_cast<std::size_t>(source); }

std::string TimeLabel(const DateTime& t)
{
    char text[24];
    std::snprintf(
        text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
    return text;
}

// The request's own bytes, with control characters masked, for a terminal.
std::string Printable(std::string text)
{
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = '?';
        }
    }
    return text;
}

template <typename T> bool ParseValue(const std::string& text, T& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

void Answer(httplib::Response& response, int status, const std::string& text)
{
    response.status = status;
    response.set_content(text + "\n", "text/plain; charset=utf-8");
}

} // namespace

struct DrawSimulator::Impl {
    explicit Impl(SimulatorOptions opts)
        : options(opts)
        , book(opts.seed)
        , manualNow(ToSimTime(SystemClock().CurrentTime()))
    { }

    SimTime CurrentTime() const
    {
        if (!options.manualClock) {
            return ToSimTime(SystemClock().CurrentTime());
        }
        const std::lock_guard lock(mutex);
        return manualNow;
    }

    bool NextRequestFails()
    {
        const std::lock_guard lock(mutex);
        if (failureRate <= 0) {
            return false;
        }
        // 53 random bits as a fraction in [0, 1), the same on every platform.
        return static_cast<double>(failures() >> 11) * 0x1.0p-53 < failureRate;
    }

    void Handle(SourceId source, const httplib::Request& request, httplib::Response& response);
    void ControlNow(const httplib::Request& request, httplib::Response& response);
    void ControlFail(const httplib::Request& request, httplib::Response& response);

    SimulatorOptions options;
    DrawBook book;

    mutable std::mutex mutex; // guards the manual clock and the failures
    SimTime manualNow;
    double failureRate = 0;
    std::mt19937_64 failures;

    std::mutex logMutex;
    std::function<void(const std::string&)> log;

    std::array<std::unique_ptr<httplib::Server>, 4> servers;
    std::array<std::uint16_t, 4> ports {};
    std::vector<std::thread> threads;
};

void DrawSimulator::Impl::Handle(SourceId source, const httplib::Request& request, httplib::Response& response)
{
    std::string outcome;
    if (request.path == "/_sim/now") {
        ControlNow(request, response);
    } else if (request.path == "/_sim/fail") {
        ControlFail(request, response);
    } else if (const PageRoute* route = FindRoute(source, request)) {
        std::string page = RenderPage(book, route->kind, CurrentTime(), options.pendingSeconds);
        if (NextRequestFails()) {
            // The head goes out, then the connection closes before the body.
            response.set_content_provider(page.size(), std::string(route->contentType),
                [](std::size_t, std::size_t, httplib::DataSink&) { return false; });
            outcome = "dropped";
        } else {
            response.status = 200;
            response.set_content(std::move(page), std::string(route->contentType));
        }
    } else {
        Answer(response, 404, "not found");
    }
    if (outcome.empty()) {
        outcome = std::to_string(response.status) + " " + std::to_string(response.body.size()) + " bytes";
    }

    // Read again: a control may just have set the clock.
    const std::string line = TimeLabel(ToDateTime(CurrentTime())) + " " + std::string(SourceKey(source)) + " "
        + request.method + " " + Printable(request.target) + " " + outcome;
    const std::lock_guard lock(logMutex);
    if (log) {
        log(line);
    }
}

void DrawSimulator::Impl::ControlNow(const httplib::Request& request, httplib::Response& response)
{
    if (!request.has_param("t")) {
        Answer(response, 200, TimeLabel(ToDateTime(CurrentTime())));
        return;
    }
    if (!options.manualClock) {
        Answer(response, 409, "the clock is real: start with --clock manual to set it");
        return;
    }
    const std::optional<DateTime> time = ParseDateTime(request.get_param_value("t"));
    if (!time) {
        Answer(response, 400, "t must be a time YYYY-MM-DDTHH:MM:SS");
        return;
    }
    {
        const std::lock_guard lock(mutex);
        manualNow = ToSimTime(*time);
    }
    Answer(response, 200, TimeLabel(*time));
}

void DrawSimulator::Impl::ControlFail(const httplib::Request& request, httplib::Response& response)
{
    double rate = 0;
    std::uint64_t seed = 1;
    if (!ParseValue(request.get_param_value("rate"), rate) || !(rate >= 0 && rate <= 1)) {
        Answer(response, 400, "rate must be a number from 0 to 1");
        return;
    }
    if (request.has_param("seed") && !ParseValue(request.get_param_value("seed"), seed)) {
        Answer(response, 400, "seed must be a whole number");
        return;
    }
    {
        const std::lock_guard lock(mutex);
        failureRate = rate;
        failures.seed(seed);
    }
    Answer(response, 200, "failing " + request.get_param_value("rate") + " of page requests");
}

DrawSimulator::DrawSimulator(SimulatorOptions options)
    : m_impl(std::make_unique<Impl>(options))
{ }

DrawSimulator::~DrawSimulator() { Stop(); }

void DrawSimulator::SetRequestLog(std::function<void(const std::string&)> log)
{
    const std::lock_guard lock(m_impl->logMutex);
    m_impl->log = std::move(log);
}

std::optional<std::string> DrawSimulator::Start()
{
    Impl& impl = *m_impl;
    for (const SourceId source : kAllSources) {
        auto server = std::make_unique<httplib::Server>();
        server->new_task_queue = [] { return new httplib::ThreadPool(kThreadsPerPort); };
        server->set_keep_alive_timeout(kKeepAliveSeconds);
        // Without the library's SO_REUSEPORT, so that a second simulator on the
        // same ports fails instead of sharing them.
        server->set_socket_options([](socket_t socket) {
            const int yes = 1;
            setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        });
        server->Get(".*", [&impl, source](const httplib::Request& request, httplib::Response& response) {
            impl.Handle(source, request, response);
        });
        const std::uint16_t wanted = impl.options.ports[Index(source)];
        int port = wanted;
        if (wanted == 0) {
            port = server->bind_to_any_port(std::string(kAddress));
        } else if (!server->bind_to_port(std::string(kAddress), wanted)) {
            port = -1;
        }
        if (port <= 0) {
            impl.servers = {};
            return "cannot listen on " + std::string(kAddress) + ":" + std::to_string(wanted) + " for "
                + std::string(SourceKey(source));
        }
        impl.ports[Index(source)] = static_cast<std::uint16_t>(port);
        impl.servers[Index(source)] = std::move(server);
    }
    for (auto& server : impl.servers) {
        httplib::Server& s = *server;
        impl.threads.emplace_back([&s] { s.listen_after_bind(); });
        // stop() does nothing until the loop runs; connections that come
        // before then wait in the listen queue.
        while (!s.is_running()) {
            std::this_thread::yield();
        }
    }
    return std::nullopt;
}

void DrawSimulator::Stop()
{
    for (auto& server : m_impl->servers) {
        if (server) {
            server->stop();
        }
    }
    for (std::thread& thread : m_impl->threads) {
        thread.join();
    }
    m_impl->threads.clear();
    m_impl->servers = {};
}

std::uint16_t DrawSimulator::Port(SourceId source) const { return m_impl->ports[Index(source)]; }

bool DrawSimulator::SetNow(const DateTime& now)
{
    if (!m_impl->options.manualClock) {
        return false;
    }
    const std::lock_guard lock(m_impl->mutex);
    m_impl->manualNow = ToSimTime(now);
    return true;
}

DateTime DrawSimulator::Now() const { return ToDateTime(m_impl->CurrentTime()); }

void DrawSimulator::SetFailures(double rate, std::uint64_t seed)
{
    const std::lock_guard lock(m_impl->mutex);
    m_impl->failureRate = rate;
    m_impl->failures.seed(seed);
}

const DrawBook& DrawSimulator::Book() const { return m_impl->book; }

} // namespace yanchuan::drawsim
