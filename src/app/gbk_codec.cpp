#include "app/gbk_codec.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <vector>

namespace yanchuan {

namespace {

// One conversion descriptor per direction for the program's life; everything
// runs on one thread.
class Converter final {
public:
    Converter(const char* to, const char* from)
        : m_cd(iconv_open(to, from))
    { }
    ~Converter()
    {
        if (m_cd != reinterpret_cast<iconv_t>(-1)) {
            iconv_close(m_cd);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much of `in` as it can; returns the number of bytes consumed.
    // Stops at the first byte sequence that does not convert.
    std::size_t Convert(std::string_view in, std::string& out)
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1)) {
            return 0;
        }
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        char buffer[4096];
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
                break;
            }
        }
        return in.size() - inLeft;
    }

private:
    iconv_t m_cd;
};

Converter& FromGbk()
{
    static Converter converter("UTF-8", "GBK");
    return converter;
}

Converter& ToGbk()
{
    static Converter converter("GBK", "UTF-8");
    return converter;
}

bool IsGbkPair(unsigned char lead, unsigned char trail)
{
    return lead >= 0x81 && lead <= 0xFE && trail >= 0x40 && trail <= 0xFE && trail != 0x7F;
}

// One UTF-8 sequence at the start of a text: its length, 0 when it is not one.
struct Utf8Char {
    std::size_t length = 0;
    char32_t codePoint = 0;
};

Utf8Char DecodeUtf8(std::string_view text)
{
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    char32_t minimum = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        return {1, lead};
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, cp = lead & 0x07;
    } else {
        return {};
    }
    if (text.size() < length) {
        return {};
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0) != 0x80) {
            return {};
        }
        cp = cp << 6 | (c & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return {};
    }
    return {length, cp};
}

// A kill log that has run for a year holds millions of characters, and iconv
// called once per character takes seconds over them: each character's form is
// asked of iconv once and kept.
struct PairForm {
    enum class State : unsigned char { Unknown, None, Found };
    State state = State::Unknown;
    unsigned char length = 0;
    char utf8[4] = {};
};

// For a pair that IsGbkPair takes.
const PairForm& FormOf(unsigned char lead, unsigned char trail)
{
    constexpr std::size_t kTrails = 0xFE - 0x40 + 1;
    static std::vector<PairForm> forms((0xFE - 0x81 + 1) * kTrails);
    PairForm& form = forms[static_cast<std::size_t>(lead - 0x81) * kTrails + (trail - 0x40)];
    if (form.state == PairForm::State::Unknown) {
        const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        std::string out;
        if (FromGbk().Convert(std::string_view(pair, 2), out) == 2 && out.size() <= sizeof form.utf8) {
            form.state = PairForm::State::Found;
            form.length = static_cast<unsigned char>(out.size());
            std::copy(out.begin(), out.end(), form.utf8);
        } else {
            form.state = PairForm::State::None;
        }
    }
    return form;
}

// The UTF-8 form of the GBK character lead, trail; nothing when the two bytes
// are not one.
std::optional<std::string_view> PairToUtf8(unsigned char lead, unsigned char trail)
{
    if (!IsGbkPair(lead, trail)) {
        return std::nullopt;
    }
    const PairForm& form = FormOf(lead, trail);
    if (form.state != PairForm::State::Found) {
        return std::nullopt;
    }
    return std::string_view(form.utf8, form.length);
}

// The GBK pair of each character of the Basic Multilingual Plane, asked of
// iconv once: 0 while unknown, 1 when GBK has none (no pair is below 0x8140).
std::uint16_t GbkPairOf(char32_t cp, std::string_view utf8)
{
    static std::vector<std::uint16_t> pairs(0x10000);
    std::uint16_t& pair = pairs[cp];
    if (pair == 0) {
        std::string gbk;
        // A character that GBK writes as one high byte (glibc's euro sign) would
        // read as a lead byte everywhere else; it is not taken either.
        if (ToGbk().Convert(utf8, gbk) == utf8.size() && gbk.size() == 2) {
            pair = static_cast<std::uint16_t>(
                static_cast<unsigned char>(gbk[0]) << 8 | static_cast<unsigned char>(gbk[1]));
        } else {
            pair = 1;
        }
    }
    return pair;
}

} // namespace

std::optional<std::string> GbkCharToUtf8(char lead, char trail)
{
    const auto utf8 = PairToUtf8(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail));
    return utf8 ? std::optional<std::string>(*utf8) : std::nullopt;
}

std::string GbkToUtf8(std::string_view gbk)
{
    std::string out;
    out.reserve(gbk.size() * 3 / 2);
    std::size_t i = 0;
    while (i < gbk.size()) {
        // ASCII runs go straight through; characters one at a time, so that
        // glibc's single-byte reading of 0x80 never applies.
        const auto c = static_cast<unsigned char>(gbk[i]);
        if (c < 0x80) {
            out.push_back(gbk[i++]);
            continue;
        }
        if (const auto utf8
            = i + 1 < gbk.size() ? PairToUtf8(c, static_cast<unsigned char>(gbk[i + 1])) : std::nullopt) {
            out += *utf8;
            i += 2;
            continue;
        }
        out += "\xEF\xBF\xBD";
        ++i;
    }
    return out;
}

std::string Utf8ToGbk(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto [length, cp] = DecodeUtf8(utf8.substr(i));
        if (length == 0) {
            out.push_back('?');
            ++i;
            continue;
        }
        if (length == 1) {
            out.push_back(utf8[i++]);
            continue;
        }
        // GBK has nothing beyond the Basic Multilingual Plane.
        const std::uint16_t pair = cp < 0x10000 ? GbkPairOf(cp, utf8.substr(i, length)) : 1;
        if (pair > 1) {
            out.push_back(static_cast<char>(pair >> 8));
            out.push_back(static_cast<char>(pair & 0xFF));
        } else {
            out.push_back('?');
        }
        i += length;
    }
    return out;
}

std::size_t Utf8SequenceLength(std::string_view text) { return text.empty() ? 0 : DecodeUtf8(text).length; }

bool IsValidUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t length = Utf8SequenceLength(text.substr(i));
        if (length == 0) {
            return false;
        }
        i += length;
    }
    return true;
}

} // namespace yanchuan
