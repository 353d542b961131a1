#pragma once

#include <optional>
#include <string>
#include <string_view>

// GBK <-> UTF-8 at the display boundary. The system itself works on GBK bytes
// throughout; only what a person reads or types is converted.
namespace yanchuan {

// Every byte that does not begin a valid two-byte GBK character (0x80 and 0xFF
// included) becomes U+FFFD.
std::string GbkToUtf8(std::string_view gbk);

// Characters that GBK lacks, and bytes that are not UTF-8, become "?".
std::string Utf8ToGbk(std::string_view utf8);

// The UTF-8 form of the two-byte GBK character lead, trail; nothing when the
// pair is not a GBK character.
std::optional<std::string> GbkCharToUtf8(char lead, char trail);

// The length of the UTF-8 character at the start of text, or 0 when it does not
// start with one.
std::size_t Utf8SequenceLength(std::string_view text);

bool IsValidUtf8(std::string_view text);

} // namespace yanchuan
