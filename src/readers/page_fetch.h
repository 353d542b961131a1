#pragma once

#include "readers/text_ops.h"

#include <string>
#include <string_view>

// The one network operation: the body of the response to one GET request.
namespace yanchuan {

// The raw body of a response; unlike a text it may hold zero bytes.
using Bytes = std::string;

class PageFetch {
public:
    virtual ~PageFetch() = default;
    // Never fails: a request that cannot be made gives empty bytes, a read that
    // breaks off gives the bytes read so far, an error status gives its body.
    virtual Bytes FetchPage(std::string_view url) = 0;
};

// The bytes before the first zero byte.
Text BytesToText(std::string_view bytes);

Text FetchPageText(PageFetch& fetch, std::string_view url);

} // namespace yanchuan
