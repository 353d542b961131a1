#include "readers/curl_page_fetch.h"

#include <curl/curl.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <utility>

namespace yanchuan {
namespace {

constexpr char kUserAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
// Every request goes to the server: no cache on the way may answer it or keep it.
constexpr std::array<const char*, 3> kHeaders = {"Accept: */*", "Cache-Control: no-cache", "Pragma: no-cache"};
constexpr long kMaxRedirects = 5;
constexpr char kProtocols[] = "http,https";
constexpr std::size_t kMiB = 1024 * 1024;

// libcurl's global state is set up once and never torn down: the client may be
// used until the program ends.
bool GlobalInit()
{
    static const bool ok = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return ok;
}

// Where one response's body goes, up to its cap.
struct Body {
    Bytes bytes;
    std::size_t cap = 0;
    bool cut = false;
};

// Keeps the bytes up to the cap and ends the transfer at the first byte beyond
// it: libcurl's own size limit does not stop a body that is already coming.
std::size_t WriteBody(char* data, std::size_t size, std::size_t count, void* target)
{
    auto& body = *static_cast<Body*>(target);
    const std::size_t n = size * count;
    const std::size_t room = body.cap - body.bytes.size();
    if (n > room) {
        body.bytes.append(data, room);
        body.cut = true;
        return 0; // anything but n makes libcurl stop with a write error
    }
    body.bytes.append(data, n);
    return n;
}

FetchOutcome::Status StatusOf(CURLcode code, bool cut, long osErrno)
{
    if (cut) {
        return FetchOutcome::Status::Cut;
    }
    switch (code) {
    case CURLE_OK:
        return FetchOutcome::Status::Ok;
    case CURLE_OPERATION_TIMEDOUT:
        return FetchOutcome::Status::TimedOut;
    case CURLE_COULDNT_CONNECT:
        return osErrno == ECONNREFUSED ? FetchOutcome::Status::Refused : FetchOutcome::Status::Failed;
    default:
        return FetchOutcome::Status::Failed;
    }
}

std::string SizeText(std::size_t bytes)
{
    if (bytes >= kMiB && bytes % kMiB == 0) {
        return std::to_string(bytes / kMiB) + " MiB";
    }
    return std::to_string(bytes) + " bytes";
}

// Sets every option once: curl_easy_reset would drop them all, so only the URL
// and the write target change from one fetch to the next.
bool Configure(CURL* h, curl_slist* headers, char* error, const FetchLimits& limits)
{
    const CURLcode codes[] = {
        curl_easy_setopt(h, CURLOPT_ERRORBUFFER, error),
        curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L),
        curl_easy_setopt(h, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0)),
        curl_easy_setopt(h, CURLOPT_USERAGENT, kUserAgent),
        curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers),
        // Always direct: no proxy of our own, and none that http_proxy,
        // ALL_PROXY and the like name, for any host.
        curl_easy_setopt(h, CURLOPT_PROXY, ""),
        curl_easy_setopt(h, CURLOPT_NOPROXY, "*"),
        curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, kProtocols),
        curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, kProtocols),
        // A connection serves one request: a server that answers an HTTP/1.0
        // request in HTTP/1.1 and then closes would otherwise leave a dead
        // connection for the next request, and a chain of redirects through
        // such connections runs out of retries.
        curl_easy_setopt(h, CURLOPT_FORBID_REUSE, 1L),
        curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L),
        curl_easy_setopt(h, CURLOPT_MAXREDIRS, kMaxRedirects),
        curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connectTimeout.count())),
        curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.totalTimeout.count())),
        curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &WriteBody),
    };
    return std::all_of(std::begin(codes), std::end(codes), [](CURLcode c) { return c == CURLE_OK; });
}

} // namespace

// The libcurl handle and what it points at, which must live as long as it does.
struct CurlPageFetch::Client {
    Client() = default;
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;
    ~Client()
    {
        curl_easy_cleanup(handle);
        curl_slist_free_all(headers);
    }

    // Makes the handle with every option set; false when libcurl cannot.
    bool Open(const FetchLimits& limits)
    {
        if (!GlobalInit() || (handle = curl_easy_init()) == nullptr) {
            return false;
        }
        for (const char* header : kHeaders) {
            curl_slist* appended = curl_slist_append(headers, header);
            if (appended == nullptr) {
                return false;
            }
            headers = appended;
        }
        return Configure(handle, headers, error, limits);
    }

    CURL* handle = nullptr;
    curl_slist* headers = nullptr;
    char error[CURL_ERROR_SIZE] = {};
};

CurlPageFetch::CurlPageFetch(FetchLimits limits)
    : m_limits(limits)
{ }

CurlPageFetch::~CurlPageFetch() = default;

void CurlPageFetch::SetOutcomeSink(std::function<void(const FetchOutcome&)> sink) { m_sink = std::move(sink); }

Bytes CurlPageFetch::FetchPage(std::string_view url)
{
    const auto start = std::chrono::steady_clock::now();
    FetchOutcome outcome;
    outcome.url = std::string(url);
    Bytes body = Fetch(url, outcome);
    outcome.bytes = body.size();
    outcome.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    if (m_sink) {
        m_sink(outcome);
    }
    return body;
}

Bytes CurlPageFetch::Fetch(std::string_view url, FetchOutcome& outcome)
{
    if (url.empty()) {
        outcome.detail = "no URL";
        return {};
    }
    if (!m_client) {
        auto client = std::make_unique<Client>();
        if (!client->Open(m_limits)) {
            // Nothing is kept, so the next fetch tries again.
            outcome.detail = "the HTTP client cannot be opened";
            return {};
        }
        m_client = std::move(client);
    }

    CURL* h = m_client->handle;
    // The fragment names a place in the page, not the page.
    const std::string target(url.substr(0, url.find('#')));
    Body body;
    body.cap = m_limits.maxBodyBytes;
    m_client->error[0] = '\0';
    if (curl_easy_setopt(h, CURLOPT_URL, target.c_str()) != CURLE_OK
        || curl_easy_setopt(h, CURLOPT_WRITEDATA, &body) != CURLE_OK) {
        outcome.detail = "the URL cannot be set";
        return {};
    }
    const CURLcode code = curl_easy_perform(h);

    long httpStatus = 0;
    long osErrno = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &httpStatus);
    curl_easy_getinfo(h, CURLINFO_OS_ERRNO, &osErrno);
    outcome.httpStatus = httpStatus;
    outcome.status = StatusOf(code, body.cut, osErrno);
    if (code != CURLE_OK && !body.cut) {
        outcome.detail = m_client->error[0] != '\0' ? m_client->error : curl_easy_strerror(code);
    }
    // Only the final response's body is written here, so whatever failed before
    // it leaves this empty, and a read that broke off keeps what came.
    return std::move(body.bytes);
}

std::string DescribeOutcome(const FetchOutcome& outcome)
{
    const std::string ms = std::to_string(outcome.elapsed.count()) + " ms";
    const std::string read = outcome.bytes > 0 ? ", " + SizeText(outcome.bytes) + " read" : "";
    switch (outcome.status) {
    case FetchOutcome::Status::Ok:
        if (outcome.httpStatus >= 200 && outcome.httpStatus < 300) {
            return "ok " + std::to_string(outcome.bytes) + " bytes in " + ms;
        }
        return "HTTP " + std::to_string(outcome.httpStatus) + ", " + std::to_string(outcome.bytes) + " bytes";
    case FetchOutcome::Status::Refused:
        return "refused";
    case FetchOutcome::Status::TimedOut:
        return "timed out after " + ms + read;
    case FetchOutcome::Status::Cut:
        return "cut at " + SizeText(outcome.bytes);
    case FetchOutcome::Status::Failed:
        break;
    }
    return "failed: " + outcome.detail + read;
}

} // namespace yanchuan
