#include "readers/curl_page_fetch.h"
#include "support/page_server.h"
#include "support/raw_server.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace yanchuan {
namespace {

using namespace std::chrono_literals;
using testing::ClosedPort;
using testing::Pages;
using testing::PageServer;
using testing::RawConnection;
using testing::RawServer;
using Status = FetchOutcome::Status;

constexpr std::size_t kMiB = 1024 * 1024;
// Short enough that a test of a silent server ends well within a second.
constexpr FetchLimits kQuick {300ms, 300ms};
// What no time-out of these tests comes near, however loaded the machine.
constexpr auto kGivingUp = 5s;

struct Fetched {
    Bytes body;
    FetchOutcome outcome;
};

// Fetches once and takes the one outcome that the fetch reports.
Fetched Fetch(CurlPageFetch& fetch, const std::string& url)
{
    Fetched fetched;
    int reports = 0;
    fetch.SetOutcomeSink([&](const FetchOutcome& outcome) {
        fetched.outcome = outcome;
        ++reports;
    });
    fetched.body = fetch.FetchPage(url);
    fetch.SetOutcomeSink(nullptr);
    EXPECT_EQ(reports, 1) << url;
    EXPECT_EQ(fetched.outcome.url, url);
    EXPECT_EQ(fetched.outcome.bytes, fetched.body.size()) << url;
    return fetched;
}

// The request line, then the header lines sorted, without the blank line.
std::vector<std::string> RequestLines(const std::string& head)
{
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = head.find("\r\n", start)) != std::string::npos; start = end + 2) {
        if (end > start) {
            lines.push_back(head.substr(start, end - start));
        }
    }
    if (!lines.empty()) {
        std::sort(lines.begin() + 1, lines.end());
    }
    return lines;
}

// Bytes of a pattern, so that a body with bytes lost or out of place does not
// compare equal.
std::string Pattern(std::size_t size)
{
    std::string body(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        body[i] = static_cast<char>('a' + i % 23 + (i / 23) % 3);
    }
    return body;
}

TEST(CurlPageFetch, SendsOneHttp10GetWithTheFixedHeadersOnly)
{
    RawServer server([](RawConnection& connection) {
        connection.ReadRequest();
        connection.Send("HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nok");
    });
    ASSERT_GT(server.Port(), 0);
    const std::string host = "127.0.0.1:" + std::to_string(server.Port());

    struct RequestCase {
        std::string url;
        std::string requestLine;
        std::optional<std::string> authorization;
    };
    const RequestCase cases[] = {
        {server.Url("/others/draw_ffc.php?x=1&y=2"), "GET /others/draw_ffc.php?x=1&y=2 HTTP/1.0", std::nullopt},
        {server.Url("/bulletin/trax.html#latest"), "GET /bulletin/trax.html HTTP/1.0", std::nullopt},
        {server.Url("/Game/GetNum.aspx?iType=3#a#b"), "GET /Game/GetNum.aspx?iType=3 HTTP/1.0", std::nullopt},
        {"http://user:pw@" + host + "/p", "GET /p HTTP/1.0", "Authorization: Basic dXNlcjpwdw=="},
    };
    CurlPageFetch fetch;
    for (const auto& c : cases) {
        const Fetched fetched = Fetch(fetch, c.url);
        EXPECT_EQ(fetched.body, "ok") << c.url;
        EXPECT_EQ(fetched.outcome.status, Status::Ok) << c.url;

        std::vector<std::string> expected = {
            c.requestLine,
            "Host: " + host,
            "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)",
            "Accept: */*",
            "Cache-Control: no-cache",
            "Pragma: no-cache",
        };
        if (c.authorization) {
            expected.push_back(*c.authorization);
        }
        std::sort(expected.begin() + 1, expected.end());
        const auto requests = server.Requests();
        ASSERT_FALSE(requests.empty());
        EXPECT_EQ(RequestLines(requests.back()), expected) << requests.back();
    }
    EXPECT_EQ(server.Requests().size(), std::size(cases));
}

TEST(CurlPageFetch, AnyStatusGivesItsBodyAsItIs)
{
    struct StatusCase {
        std::string path;
        int status;
        std::string body;
    };
    const StatusCase cases[] = {
        {"/missing", 404, "<html>\xB2\xBB\xB4\xE6\xD4\xDA</html>"},
        {"/broken", 500, "Internal error\r\n"},
    };
    PageServer server([&](httplib::Server& s) {
        for (const auto& c : cases) {
            s.Get(c.path, [&c](const httplib::Request&, httplib::Response& response) {
                response.status = c.status;
                response.set_content(c.body, "text/html");
            });
        }
    });
    ASSERT_GT(server.Port(), 0);

    CurlPageFetch fetch;
    for (const auto& c : cases) {
        const Fetched fetched = Fetch(fetch, server.Url(c.path));
        EXPECT_EQ(fetched.body, c.body) << c.path;
        EXPECT_EQ(fetched.outcome.status, Status::Ok) << c.path;
        EXPECT_EQ(fetched.outcome.httpStatus, c.status) << c.path;
    }
}

TEST(CurlPageFetch, ZeroByteEndsThePageTextButNotTheBytes)
{
    const std::string page("ab\0cd", 5);
    PageServer server(Pages({{"/draw", page}}));
    ASSERT_GT(server.Port(), 0);
    CurlPageFetch fetch;
    EXPECT_EQ(fetch.FetchPage(server.Url("/draw")), page);
    EXPECT_EQ(FetchPageText(fetch, server.Url("/draw")), "ab");
}

TEST(CurlPageFetch, FollowsAtMostFiveRedirects)
{
    // /hop/N redirects to /hop/N-1, and /hop/0 is the page.
    std::atomic<int> requests = 0;
    PageServer server([&](httplib::Server& s) {
        s.Get(R"(/hop/(\d+))", [&](const httplib::Request& request, httplib::Response& response) {
            ++requests;
            const int n = std::stoi(request.matches[1].str());
            if (n == 0) {
                response.set_content("landed", "text/html");
            } else {
                response.set_redirect("/hop/" + std::to_string(n - 1));
                response.set_content("hop " + std::to_string(n), "text/html");
            }
        });
    });
    ASSERT_GT(server.Port(), 0);

    struct HopCase {
        int hops;
        std::string body;
        Status status;
        int requests;
    };
    const HopCase cases[] = {
        {1, "landed", Status::Ok, 2},
        {5, "landed", Status::Ok, 6},
        {6, "", Status::Failed, 6},
        {50, "", Status::Failed, 6},
    };
    CurlPageFetch fetch;
    for (const auto& c : cases) {
        requests = 0;
        const Fetched fetched = Fetch(fetch, server.Url("/hop/" + std::to_string(c.hops)));
        EXPECT_EQ(fetched.body, c.body) << c.hops << " hops";
        EXPECT_EQ(fetched.outcome.status, c.status) << c.hops << " hops";
        EXPECT_EQ(requests, c.requests) << c.hops << " hops";
    }
}

TEST(CurlPageFetch, EachRequestHasAConnectionOfItsOwn)
{
    // Answers in HTTP/1.1 without closing, then serves nothing more on that
    // connection: a client that kept it for the next request would wait there.
    RawServer server([](RawConnection& connection) {
        const std::string head = connection.ReadRequest();
        if (head.rfind("GET /hop/2 ", 0) == 0) {
            connection.Send("HTTP/1.1 302 Found\r\nLocation: /hop/1\r\nContent-Length: 0\r\n\r\n");
        } else if (head.rfind("GET /hop/1 ", 0) == 0) {
            connection.Send("HTTP/1.1 302 Found\r\nLocation: /hop/0\r\nContent-Length: 0\r\n\r\n");
        } else {
            connection.Send("HTTP/1.1 200 OK\r\nContent-Length: 6\r\n\r\nlanded");
        }
        connection.Hold();
    });
    ASSERT_GT(server.Port(), 0);

    CurlPageFetch fetch(kQuick);
    for (const char* path : {"/hop/2", "/hop/0"}) {
        const Fetched fetched = Fetch(fetch, server.Url(path));
        EXPECT_EQ(fetched.body, "landed") << path;
        EXPECT_EQ(fetched.outcome.status, Status::Ok) << path;
    }
    EXPECT_EQ(server.Requests().size(), 4u);
}

TEST(CurlPageFetch, FetchesOnlyHttpAndFollowsOnlyToHttp)
{
    testing::TempDir dir;
    ASSERT_FALSE(dir.Path().empty());
    const std::string secret = "file://" + dir.Write("secret.txt", "not for the page fetch").string();
    ClosedPort closed;
    const std::string ftp = "ftp://127.0.0.1:" + std::to_string(closed.Port()) + "/draw.txt";
    PageServer server([&](httplib::Server& s) {
        s.Get("/to-file", [&](const httplib::Request&, httplib::Response& response) { response.set_redirect(secret); });
        s.Get("/to-ftp", [&](const httplib::Request&, httplib::Response& response) { response.set_redirect(ftp); });
    });
    ASSERT_GT(server.Port(), 0);

    // An ftp fetch would be refused by the closed port; a disallowed one never gets that far.
    const std::string cases[] = {"", "#draw", "not a url", secret, ftp, server.Url("/to-file"), server.Url("/to-ftp")};
    CurlPageFetch fetch;
    for (const auto& url : cases) {
        const Fetched fetched = Fetch(fetch, url);
        EXPECT_EQ(fetched.body, "") << url;
        EXPECT_EQ(fetched.outcome.status, Status::Failed) << url;
    }
}

TEST(CurlPageFetch, RefusedConnectionGivesEmptyBytesAndTheClientGoesOn)
{
    ClosedPort closed;
    PageServer server(Pages({{"/draw", "draws"}}));
    ASSERT_GT(closed.Port(), 0);
    ASSERT_GT(server.Port(), 0);

    CurlPageFetch fetch;
    const Fetched refused = Fetch(fetch, closed.Url("/draw"));
    EXPECT_EQ(refused.body, "");
    EXPECT_EQ(refused.outcome.status, Status::Refused);
    EXPECT_EQ(refused.outcome.httpStatus, 0);
    EXPECT_EQ(FetchPageText(fetch, closed.Url("/draw")), "");

    const Fetched next = Fetch(fetch, server.Url("/draw"));
    EXPECT_EQ(next.body, "draws");
    EXPECT_EQ(next.outcome.status, Status::Ok);
    EXPECT_EQ(next.outcome.httpStatus, 200);
}

TEST(CurlPageFetch, ProxyVariablesAreIgnored)
{
    ClosedPort proxy;
    PageServer server(Pages({{"/draw", "direct"}}));
    ASSERT_GT(proxy.Port(), 0);
    ASSERT_GT(server.Port(), 0);

    // Each variable alone: an empty one set beside it can hide it from the
    // client, and a loopback exception would let a fetch that honours it pass.
    const char* const variables[] = {"http_proxy", "HTTP_PROXY", "ALL_PROXY", "all_proxy", "no_proxy", "NO_PROXY"};
    CurlPageFetch fetch;
    for (const char* variable : {"http_proxy", "HTTP_PROXY", "ALL_PROXY", "all_proxy"}) {
        testing::ScopedEnv env;
        for (const char* other : variables) {
            env.Set(other, std::nullopt);
        }
        env.Set(variable, proxy.Url(""));
        const Fetched fetched = Fetch(fetch, server.Url("/draw"));
        EXPECT_EQ(fetched.body, "direct") << variable;
        EXPECT_EQ(fetched.outcome.status, Status::Ok) << variable;
    }
}

TEST(CurlPageFetch, BodyBeyondTheCapIsCutToItsFirstBytes)
{
    // /size/N serves N bytes of the pattern, /chunked/N the same without a length.
    PageServer server([](httplib::Server& s) {
        s.Get(R"(/size/(\d+))", [](const httplib::Request& request, httplib::Response& response) {
            response.set_content(Pattern(std::stoul(request.matches[1].str())), "text/html");
        });
        s.Get(R"(/chunked/(\d+))", [](const httplib::Request& request, httplib::Response& response) {
            const std::size_t size = std::stoul(request.matches[1].str());
            response.set_chunked_content_provider("text/html", [size](std::size_t offset, httplib::DataSink& sink) {
                if (offset < size) {
                    const std::string chunk = Pattern(size).substr(offset, 4096);
                    sink.write(chunk.data(), chunk.size());
                } else {
                    sink.done();
                }
                return true;
            });
        });
    });
    ASSERT_GT(server.Port(), 0);

    struct CapCase {
        FetchLimits limits;
        std::string path;
        std::size_t expected;
        Status status;
    };
    const CapCase cases[] = {
        {{}, "/size/" + std::to_string(8 * kMiB + 1), 8 * kMiB, Status::Cut},
        {{}, "/size/" + std::to_string(8 * kMiB), 8 * kMiB, Status::Ok},
        {{.maxBodyBytes = 1000}, "/size/5000", 1000, Status::Cut},
        {{.maxBodyBytes = 1000}, "/size/1000", 1000, Status::Ok},
        {{.maxBodyBytes = 1000}, "/chunked/20000", 1000, Status::Cut},
        {{.maxBodyBytes = 1000}, "/chunked/999", 999, Status::Ok},
    };
    for (const auto& c : cases) {
        CurlPageFetch fetch(c.limits);
        const Fetched fetched = Fetch(fetch, server.Url(c.path));
        EXPECT_EQ(fetched.outcome.status, c.status) << c.path;
        ASSERT_EQ(fetched.body.size(), c.expected) << c.path;
        EXPECT_TRUE(fetched.body == Pattern(c.expected)) << c.path;
    }
}

TEST(CurlPageFetch, BrokenOrSilentServerGivesTheBytesReadSoFar)
{
    constexpr std::string_view kHead = "HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\n";
    struct ServerCase {
        std::string name;
        RawServer::Script script;
        std::string body;
        Status status;
    };
    const ServerCase cases[] = {
        {"closes mid-body",
            [&](RawConnection& c) {
                c.ReadRequest();
                c.Send(std::string(kHead) + "hello");
            },
            "hello", Status::Failed},
        {"stalls mid-body",
            [&](RawConnection& c) {
                c.ReadRequest();
                c.Send(std::string(kHead) + "hello");
                c.Hold();
            },
            "hello", Status::TimedOut},
        {"never answers",
            [](RawConnection& c) {
                c.ReadRequest();
                c.Hold();
            },
            "", Status::TimedOut},
        {"closes without answering", [](RawConnection& c) { c.ReadRequest(); }, "", Status::Failed},
        {"ends an unsized body by closing",
            [](RawConnection& c) {
                c.ReadRequest();
                c.Send("HTTP/1.0 200 OK\r\n\r\nwhole");
            },
            "whole", Status::Ok},
    };
    for (const auto& c : cases) {
        RawServer server(c.script);
        ASSERT_GT(server.Port(), 0);
        CurlPageFetch fetch(kQuick);
        const Fetched fetched = Fetch(fetch, server.Url("/draw"));
        EXPECT_EQ(fetched.body, c.body) << c.name;
        EXPECT_EQ(fetched.outcome.status, c.status) << c.name;
        EXPECT_LT(fetched.outcome.elapsed, kGivingUp) << c.name;
    }
}

TEST(CurlPageFetch, OutcomeReadsAsAShortLine)
{
    struct DescribeCase {
        FetchOutcome outcome;
        std::string expected;
    };
    const DescribeCase cases[] = {
        {{"u", Status::Ok, 200, 1234, 12ms, ""}, "ok 1234 bytes in 12 ms"},
        {{"u", Status::Ok, 404, 120, 3ms, ""}, "HTTP 404, 120 bytes"},
        {{"u", Status::Refused, 0, 0, 1ms, "Connection refused"}, "refused"},
        {{"u", Status::TimedOut, 0, 0, 20000ms, "Timeout"}, "timed out after 20000 ms"},
        {{"u", Status::TimedOut, 200, 5, 300ms, "Timeout"}, "timed out after 300 ms, 5 bytes read"},
        {{"u", Status::Cut, 200, 8 * kMiB, 90ms, ""}, "cut at 8 MiB"},
        {{"u", Status::Cut, 200, 1000, 90ms, ""}, "cut at 1000 bytes"},
        {{"u", Status::Failed, 0, 0, 0ms, "Maximum (5) redirects followed"}, "failed: Maximum (5) redirects followed"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DescribeOutcome(c.outcome), c.expected);
    }
}

} // namespace
} // namespace yanchuan
