#pragma once

#include <optional>
#include <string>
#include <string_view>

// How yanchuan-headless writes texts on one line and reads them back: backslash,
// TAB, CR and LF as \\ \t \r \n, other control bytes as \xHH. Without raw mode,
// GBK is shown as UTF-8 and a byte that does not begin a GBK character as \xHH.
namespace yanchuan {

std::string EscapeText(std::string_view gbk, bool raw);

// A piece of a script as its author wrote it (GBK in raw mode, UTF-8 otherwise),
// in UTF-8 and on one line, for a message that quotes it.
std::string EscapeScriptText(std::string_view text, bool raw);

// The text of a `type` command. Fails on a bad escape, a zero byte (escaped or
// not), or (without raw mode) text that is not UTF-8; `error` then says what is
// wrong.
std::optional<std::string> UnescapeText(std::string_view escaped, bool raw, std::string& error);

} // namespace yanchuan
