#include "app/kill_log_display.h"

#include "app/gbk_codec.h"

#include <utility>

namespace yanchuan {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool IsLeadByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x81 && byte <= 0xFE;
}

} // namespace

std::string KillLogDisplay::Replace(std::string_view gbk)
{
    m_afterCr = false;
    m_heldLead.clear();
    return Append(gbk);
}

std::string KillLogDisplay::Append(std::string_view gbk)
{
    // A CR or LF is never the trail byte of a GBK pair, so line ends can be
    // found byte by byte before the characters are converted.
    std::string lines = std::exchange(m_heldLead, {});
    lines.reserve(lines.size() + gbk.size());
    for (const char c : gbk) {
        if (c == '\n' && m_afterCr) {
            m_afterCr = false;
            continue;
        }
        m_afterCr = c == '\r';
        lines.push_back(c == '\r' ? '\n' : c);
    }
    std::string utf8 = GbkToUtf8(lines);
    // A replacement character at the very end comes from the last byte alone:
    // when that is a lead byte, its trail byte may still come.
    if (utf8.ends_with(kReplacement) && !lines.empty() && IsLeadByte(lines.back())) {
        m_heldLead = lines.back();
        utf8.resize(utf8.size() - kReplacement.size());
    }
    return utf8;
}

void KillLogDisplay::TakeOver(std::string_view gbk)
{
    m_afterCr = gbk.ends_with('\r');
    m_heldLead.clear();
}

std::string KillLogFromDisplay(std::string_view utf8)
{
    std::string lines;
    lines.reserve(utf8.size() + utf8.size() / 16);
    for (const char c : utf8) {
        if (c == '\n') {
            lines += "\r\n";
        } else {
            lines.push_back(c);
        }
    }
    return Utf8ToGbk(lines);
}

} // namespace yanchuan
