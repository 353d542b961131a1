#pragma once

#include "readers/events.h"
#include "readers/page_fetch.h"

#include <chrono>

namespace yanchuan {

// What a reader needs besides its table and its host: the page fetch, the event
// pump, and how it waits while a page still shows a pending draw.
struct ReaderContext {
    PageFetch& fetch;
    EventPump& events;
    // The pause between two fetches of a page that still shows the pending draw.
    std::chrono::milliseconds pendingPause {0};
    // At most this many fetches in one read; then the last page is parsed.
    int maxFetches = 60;
};

} // namespace yanchuan
