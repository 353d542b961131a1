#include "readers/page_fetch.h"

namespace yanchuan {

Text BytesToText(std::string_view bytes) { return Text(bytes.substr(0, bytes.find('\0'))); }

Text FetchPageText(PageFetch& fetch, std::string_view url) { return BytesToText(fetch.FetchPage(url)); }

} // namespace yanchuan
