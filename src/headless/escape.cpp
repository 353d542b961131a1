#include "headless/escape.h"

#include "app/gbk_codec.h"

namespace yanchuan {

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

void AppendHexEscape(std::string& out, unsigned char byte)
{
    out += "\\x";
    out.push_back(kHexDigits[byte >> 4]);
    out.push_back(kHexDigits[byte & 0xF]);
}

// Escapes one byte below 0x80; false when the byte is not one.
bool AppendAsciiEscaped(std::string& out, unsigned char byte)
{
    switch (byte) {
    case '\\':
        out += "\\\\";
        return true;
    case '\t':
        out += "\\t";
        return true;
    case '\r':
        out += "\\r";
        return true;
    case '\n':
        out += "\\n";
        return true;
    default:
        break;
    }
    if (byte < 0x20 || byte == 0x7F) {
        AppendHexEscape(out, byte);
        return true;
    }
    if (byte < 0x80) {
        out.push_back(static_cast<char>(byte));
        return true;
    }
    return false;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

} // namespace

std::string EscapeText(std::string_view gbk, bool raw)
{
    std::string out;
    out.reserve(gbk.size() + gbk.size() / 2);
    std::size_t i = 0;
    while (i < gbk.size()) {
        const auto byte = static_cast<unsigned char>(gbk[i]);
        if (AppendAsciiEscaped(out, byte)) {
            ++i;
        } else if (raw) {
            out.push_back(gbk[i++]);
        } else if (auto utf8 = i + 1 < gbk.size() ? GbkCharToUtf8(gbk[i], gbk[i + 1]) : std::nullopt) {
            out += *utf8;
            i += 2;
        } else {
            AppendHexEscape(out, byte);
            ++i;
        }
    }
    return out;
}

std::string EscapeScriptText(std::string_view text, bool raw)
{
    if (raw) {
        return EscapeText(text, false);
    }
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (AppendAsciiEscaped(out, byte)) {
            ++i;
            continue;
        }
        if (const std::size_t length = Utf8SequenceLength(text.substr(i)); length > 0) {
            out += text.substr(i, length);
            i += length;
        } else {
            AppendHexEscape(out, byte);
            ++i;
        }
    }
    return out;
}

std::optional<std::string> UnescapeText(std::string_view escaped, bool raw, std::string& error)
{
    std::string out;
    std::string plain; // unescaped text waiting for conversion to GBK
    auto flushPlain = [&] {
        if (!raw && !IsValidUtf8(plain)) {
            error = "the text is not UTF-8 (use --raw for GBK bytes)";
            return false;
        }
        out += raw ? plain : Utf8ToGbk(plain);
        plain.clear();
        return true;
    };
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] == '\0') {
            error = "a zero byte in the text";
            return std::nullopt;
        }
        if (escaped[i] != '\\') {
            plain.push_back(escaped[i]);
            continue;
        }
        if (i + 1 == escaped.size()) {
            error = "a lone backslash at the end of the text";
            return std::nullopt;
        }
        const char kind = escaped[++i];
        switch (kind) {
        case '\\':
            plain.push_back('\\');
            break;
        case 't':
            plain.push_back('\t');
            break;
        case 'r':
            plain.push_back('\r');
            break;
        case 'n':
            plain.push_back('\n');
            break;
        case 'x': {
            const int high = i + 1 < escaped.size() ? HexValue(escaped[i + 1]) : -1;
            const int low = i + 2 < escaped.size() ? HexValue(escaped[i + 2]) : -1;
            if (high < 0 || low < 0) {
                error = "a bad escape: \\x needs two hex digits";
                return std::nullopt;
            }
            const int value = high * 16 + low;
            if (value == 0) {
                error = "a bad escape: \\x00 (a text holds no zero byte)";
                return std::nullopt;
            }
            if (!flushPlain()) {
                return std::nullopt;
            }
            out.push_back(static_cast<char>(value));
            i += 2;
            break;
        }
        default:
            // The message is UTF-8 on one line, whatever byte came.
            if (kind > ' ' && kind < 0x7F) {
                error = std::string("a bad escape: \\") + kind;
            } else {
                error = "a bad escape: a backslash before ";
                if (!AppendAsciiEscaped(error, static_cast<unsigned char>(kind))) {
                    AppendHexEscape(error, static_cast<unsigned char>(kind));
                }
            }
            return std::nullopt;
        }
    }
    if (!flushPlain()) {
        return std::nullopt;
    }
    return out;
}

} // namespace yanchuan
