#pragma once

#include "readers/page_fetch.h"
#include "tables/draw_table.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

// What the fuzz targets share: cutting one input into pieces, a page fetch that
// serves them, and the checks that end the run on a broken invariant.
namespace yanchuan::fuzz {

inline std::string_view AsView(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

// The pieces of `input` between the separators; always at least one.
inline std::vector<std::string_view> SplitInput(std::string_view input, std::string_view separator)
{
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (std::size_t at = input.find(separator); at != std::string_view::npos; at = input.find(separator, start)) {
        pieces.push_back(input.substr(start, at - start));
        start = at + separator.size();
    }
    pieces.push_back(input.substr(start));
    return pieces;
}

// Ends the run the way a sanitizer does, so that libFuzzer keeps the input.
inline void Require(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

// Serves the same sequence of pages to every URL: each fetch takes the next,
// and the last again once they run out.
class PageSequence final : public PageFetch {
public:
    explicit PageSequence(std::vector<std::string_view> pages)
        : m_pages(std::move(pages))
    { }

    Bytes FetchPage(std::string_view) override
    {
        if (m_pages.empty()) {
            return {};
        }
        const std::size_t n = std::min(m_next++, m_pages.size() - 1);
        return Bytes(m_pages[n]);
    }

    std::size_t Fetches() const { return m_next; }

private:
    std::vector<std::string_view> m_pages;
    std::size_t m_next = 0;
};

// The header row and the number column of a table, to compare after it has
// been read into or analysed.
inline std::vector<Text> FrameOf(const DrawTable& table)
{
    std::vector<Text> frame;
    for (Int column = 0; column < table.ColumnCount(); ++column) {
        frame.push_back(table.CellText(0, column));
    }
    for (Int row = 1; row < table.RowCount(); ++row) {
        frame.push_back(table.CellText(row, 0));
    }
    return frame;
}

} // namespace yanchuan::fuzz
