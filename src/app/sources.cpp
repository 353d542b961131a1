#include "app/sources.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace yanchuan {
namespace {

struct SourceEntry {
    SourceId id;
    std::string_view key;
    std::uint16_t port;
};

// The draw simulator serves each source on a port of its own on 127.0.0.1.
constexpr std::array<SourceEntry, 4> kSourceTable = {{
    {SourceId::Indo, "indo", 47301},
    {SourceId::Viet, "viet", 47302},
    {SourceId::Chongqing, "chongqing", 47303},
    {SourceId::Pk10, "pk10", 47304},
}};

constexpr std::string_view kDefaultAddress = "127.0.0.1";

constexpr bool TableFollowsSourceOrder()
{
    for (std::size_t i = 0; i < kSourceTable.size(); ++i) {
        if (kSourceTable[i].id != kAllSources[i]) {
            return false;
        }
    }
    return true;
}
static_assert(TableFollowsSourceOrder());

const SourceEntry& EntryOf(SourceId source) { return kSourceTable[static_cast<std::size_t>(source)]; }

std::string_view Trim(std::string_view s)
{
    constexpr std::string_view kSpace = " \t\r\n\v\f";
    const auto first = s.find_first_not_of(kSpace);
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(kSpace) - first + 1);
}

std::string KeyList()
{
    std::string list;
    for (const auto& entry : kSourceTable) {
        list += (list.empty() ? "" : ", ") + std::string(entry.key);
    }
    return list;
}

} // namespace

std::optional<std::string_view> HostProblem(std::string_view host)
{
    if (host.empty()) {
        return "it is empty";
    }
    if (std::any_of(host.begin(), host.end(), [](unsigned char c) { return c <= ' ' || c == 0x7f; })) {
        return "it holds a space or a control character";
    }
    if (host.find("://") != std::string_view::npos) {
        return "it has a scheme; give the host alone";
    }
    if (host.find_first_of("/?#") != std::string_view::npos) {
        return "it has a path; give the host alone";
    }
    const auto at = host.rfind('@');
    const std::string_view hostPort = at == std::string_view::npos ? host : host.substr(at + 1);
    const auto colon = hostPort.rfind(':');
    const auto bracket = hostPort.rfind(']');
    if (colon == std::string_view::npos || (bracket != std::string_view::npos && colon < bracket)) {
        if (hostPort.empty()) {
            return "it has no host name";
        }
        return std::nullopt;
    }
    if (colon == 0) {
        return "it has no host name before the port";
    }
    const std::string_view port = hostPort.substr(colon + 1);
    const bool digits = !port.empty() && port.size() <= 5
        && std::all_of(port.begin(), port.end(), [](char c) { return c >= '0' && c <= '9'; });
    unsigned value = 0;
    if (digits) {
        std::from_chars(port.data(), port.data() + port.size(), value);
    }
    if (!digits || value < 1 || value > 65535) {
        return "the port is not a number from 1 to 65535";
    }
    return std::nullopt;
}

std::string_view SourceKey(SourceId source) { return EntryOf(source).key; }

std::optional<SourceId> SourceFromKey(std::string_view key)
{
    for (const auto& entry : kSourceTable) {
        if (entry.key == key) {
            return entry.id;
        }
    }
    return std::nullopt;
}

std::uint16_t DefaultPort(SourceId source) { return EntryOf(source).port; }

Sources DefaultSources()
{
    Sources sources;
    for (const auto source : kAllSources) {
        sources.SetHost(source, std::string(kDefaultAddress) + ":" + std::to_string(DefaultPort(source)));
    }
    return sources;
}

std::vector<SourceId> SourcesOfUrl(const Sources& sources, std::string_view url)
{
    const auto scheme = url.find("://");
    std::string_view authority = scheme == std::string_view::npos ? url : url.substr(scheme + 3);
    authority = authority.substr(0, authority.find_first_of("/?#"));
    const auto sameHost = [authority](std::string_view host) {
        return std::equal(host.begin(), host.end(), authority.begin(), authority.end(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
        });
    };
    std::vector<SourceId> found;
    if (authority.empty()) {
        return found;
    }
    for (const SourceId source : kAllSources) {
        if (sameHost(sources.Host(source))) {
            found.push_back(source);
        }
    }
    return found;
}

std::string SourcesFilePath()
{
    constexpr std::string_view kFile = "/yanchuan/sources.ini";
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config != '\0') {
        return std::string(config) + std::string(kFile);
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return std::string(home) + "/.config" + std::string(kFile);
    }
    // Without a home there is no file to read, and the defaults apply.
    return {};
}

Sources LoadSources(const std::string& path, const std::function<void(const std::string&)>& message)
{
    Sources sources = DefaultSources();
    const auto report = [&](const std::string& where, std::string_view what) {
        if (message) {
            message("sources.ini: " + path + where + ": " + std::string(what));
        }
    };

    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return sources;
    }
    std::ifstream file;
    if (std::filesystem::is_regular_file(status)) {
        file.open(path, std::ios::binary);
    }
    if (!file.is_open()) {
        report("", "cannot be read");
        return sources;
    }

    enum class Section { None, Sources, Other };
    Section section = Section::None;
    std::string raw;
    for (int number = 1; std::getline(file, raw); ++number) {
        const auto fault = [&](std::string_view what) { report(":" + std::to_string(number), what); };
        const std::string_view line = Trim(raw);
        if (line.empty() || line.front() == '#' || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            if (line.back() != ']') {
                fault("a section header ends with ']'");
                continue;
            }
            section = Trim(line.substr(1, line.size() - 2)) == "sources" ? Section::Sources : Section::Other;
            continue;
        }
        // Other sections are left for whatever else may share the file.
        if (section == Section::Other) {
            continue;
        }
        if (section == Section::None) {
            fault("the line is outside the [sources] section");
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) {
            fault("expected key = value");
            continue;
        }
        const std::string_view key = Trim(line.substr(0, equals));
        const std::string_view value = Trim(line.substr(equals + 1));
        const auto source = SourceFromKey(key);
        if (!source) {
            fault("unknown key '" + std::string(key) + "'; the keys are " + KeyList());
            continue;
        }
        if (const auto problem = HostProblem(value)) {
            fault("invalid host '" + std::string(value) + "' for " + std::string(key) + ": " + std::string(*problem));
            continue;
        }
        sources.SetHost(*source, std::string(value));
    }
    return sources;
}

} // namespace yanchuan
