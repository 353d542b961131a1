#pragma once

#include "readers/events.h"
#include "readers/page_fetch.h"
#include "tables/draw_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace yanchuan::testing {

// Serves canned pages per URL and counts the fetches. Each fetch of a URL takes
// its next page, and the last one again once they run out; a URL without pages
// gives empty bytes, like a host that cannot be reached.
class FakeFetch final : public PageFetch {
public:
    // Replaces the URL's pages; the next fetch takes the first of them.
    void Serve(const std::string& url, std::vector<Bytes> pages) { m_served[url] = {std::move(pages), 0}; }

    Bytes FetchPage(std::string_view url) override
    {
        ++m_fetches[std::string(url)];
        const auto found = m_served.find(std::string(url));
        if (found == m_served.end() || found->second.pages.empty()) {
            return {};
        }
        Served& served = found->second;
        const std::size_t n = std::min(served.next++, served.pages.size() - 1);
        return served.pages[n];
    }

    int Fetches(const std::string& url) const
    {
        const auto found = m_fetches.find(url);
        return found == m_fetches.end() ? 0 : found->second;
    }

private:
    struct Served {
        std::vector<Bytes> pages;
        std::size_t next;
    };

    std::map<std::string, Served> m_served;
    std::map<std::string, int> m_fetches;
};

// Counts ProcessEvents and can run a handler on its nth call, the way a click
// or tick that is waiting runs nested in the operation. Pauses pass at once and
// are recorded.
class FakeEvents final : public EventPump {
public:
    // `n` counts from 1; the handler runs once.
    void OnCall(int n, std::function<void()> handler)
    {
        m_handlerCall = n;
        m_handler = std::move(handler);
    }

    void ProcessEvents() override
    {
        if (++m_calls == m_handlerCall && m_handler) {
            // Moved out first: the handler may call ProcessEvents itself.
            const std::function<void()> handler = std::move(m_handler);
            m_handler = nullptr;
            handler();
        }
    }

    void Pause(std::chrono::milliseconds duration) override { m_pauses.push_back(duration); }

    int Calls() const { return m_calls; }
    const std::vector<std::chrono::milliseconds>& Pauses() const { return m_pauses; }

private:
    int m_calls = 0;
    int m_handlerCall = 0;
    std::function<void()> m_handler;
    std::vector<std::chrono::milliseconds> m_pauses;
};

// The texts of columns first to last of a row.
inline std::vector<std::string> RowTexts(const DrawTable& table, Int row, Int first, Int last)
{
    std::vector<std::string> texts;
    for (Int column = first; column <= last; ++column) {
        texts.push_back(table.CellText(row, column));
    }
    return texts;
}

// A page of tests/fixtures, byte for byte.
inline Bytes ReadFixture(std::string_view name)
{
    const char* sourceDir = std::getenv("YANCHUAN_SOURCE_DIR");
    if (sourceDir == nullptr) {
        ADD_FAILURE() << "YANCHUAN_SOURCE_DIR is not set: run the test under CTest";
        return {};
    }
    const std::string path = std::string(sourceDir) + "/tests/fixtures/" + std::string(name);
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ADD_FAILURE() << "cannot read " << path;
        return {};
    }
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace yanchuan::testing
