#pragma once

#include "readers/page_fetch.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

// The page fetch over libcurl, for the front ends. It lives outside the core,
// which sees only PageFetch.
namespace yanchuan {

// How one fetch ended, for the window's status line; readers see only the text.
struct FetchOutcome {
    enum class Status { Ok, Refused, TimedOut, Cut, Failed };

    std::string url;
    Status status = Status::Failed;
    long httpStatus = 0; // of the last response; 0 when none came
    std::size_t bytes = 0; // the bytes the fetch returned
    std::chrono::milliseconds elapsed {0};
    std::string detail; // why it failed, when it did
};

// A short line such as "ok 1234 bytes in 12 ms", "HTTP 404, 120 bytes" or "refused".
std::string DescribeOutcome(const FetchOutcome& outcome);

// The bounds that keep a dead or hostile server from holding the window's
// thread or its memory for long.
struct FetchLimits {
    std::chrono::milliseconds connectTimeout {5000};
    std::chrono::milliseconds totalTimeout {20000};
    // The first this many bytes of a longer body are kept.
    std::size_t maxBodyBytes = 8 * 1024 * 1024;
};

// One GET over HTTP/1.0 with a fixed user agent, no caching, no proxy and at
// most five redirects, to http or https only. One libcurl handle, opened by the
// first fetch, serves every fetch of the object's life. Each fetch reports its
// outcome to the sink, if one is set, after the transfer has ended.
class CurlPageFetch final : public PageFetch {
public:
    explicit CurlPageFetch(FetchLimits limits = {});
    ~CurlPageFetch() override;
    CurlPageFetch(const CurlPageFetch&) = delete;
    CurlPageFetch& operator=(const CurlPageFetch&) = delete;

    Bytes FetchPage(std::string_view url) override;

    void SetOutcomeSink(std::function<void(const FetchOutcome&)> sink);

private:
    struct Client;

    Bytes Fetch(std::string_view url, FetchOutcome& outcome);

    FetchLimits m_limits;
    std::unique_ptr<Client> m_client;
    std::function<void(const FetchOutcome&)> m_sink;
};

} // namespace yanchuan
