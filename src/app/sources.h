#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The hosts of the four results sources, the only settings of the system.
namespace yanchuan {

enum class SourceId { Indo, Viet, Chongqing, Pk10 };

inline constexpr std::array<SourceId, 4> kAllSources
    = {SourceId::Indo, SourceId::Viet, SourceId::Chongqing, SourceId::Pk10};

// The key of a source in sources.ini and in scripts: "indo", "viet", "chongqing", "pk10".
std::string_view SourceKey(SourceId source);
std::optional<SourceId> SourceFromKey(std::string_view key);

// The draw simulator's port for each source on 127.0.0.1: the built-in default.
std::uint16_t DefaultPort(SourceId source);

struct Sources {
    std::array<std::string, 4> hosts; // indexed by SourceId: a host or host:port

    const std::string& Host(SourceId source) const { return hosts[static_cast<std::size_t>(source)]; }
    void SetHost(SourceId source, std::string host) { hosts[static_cast<std::size_t>(source)] = std::move(host); }
};

// Why a host setting cannot be put into a URL, or nothing when it can: a host or
// host:port, possibly with a user name and password ("user:pw@host:port").
std::optional<std::string_view> HostProblem(std::string_view host);

// Every source on the draw simulator's port on 127.0.0.1.
Sources DefaultSources();

// The sources whose host setting is the URL's host, port and user, as the
// readers put it there: the sources that a fetch of the URL may have served.
// Several when they share a host.
std::vector<SourceId> SourcesOfUrl(const Sources& sources, std::string_view url);

// $XDG_CONFIG_HOME/yanchuan/sources.ini, or ~/.config/yanchuan/sources.ini.
std::string SourcesFilePath();

// Reads the [sources] section of the file. A missing file or key gives the
// default; a malformed line is reported through `message` (naming the file and
// the line) and gives the default for that source.
Sources LoadSources(const std::string& path, const std::function<void(const std::string&)>& message);

} // namespace yanchuan
