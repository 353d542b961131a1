#include "headless/live.h"
#include "headless/script.h"
#include "readers/curl_page_fetch.h"

#include <fstream>
#include <iostream>
#include <string_view>

namespace {

constexpr std::string_view kUsage = "usage: yanchuan-headless [--utf8|--raw]\n"
                                    "       yanchuan-headless --script FILE [--raw]   (FILE may be -)\n";

int RunScript(const std::string& path, bool raw)
{
    using namespace yanchuan;
    std::ifstream file;
    std::istream* in = &std::cin;
    if (path != "-") {
        file.open(path, std::ios::binary);
        if (!file) {
            std::cerr << "yanchuan-headless: cannot open script " << path << '\n';
            return 2;
        }
        in = &file;
    }
    const Sources sources
        = LoadSources(SourcesFilePath(), [](const std::string& message) { std::cerr << message << '\n'; });
    CurlPageFetch fetch;
    ScriptClock clock;
    ScriptEvents events;
    Desk desk(fetch, clock, events, sources);
    desk.OnMainWindowCreated();
    ScriptRunner runner(desk, clock, std::cout, std::cerr, raw);
    return runner.Run(*in);
}

} // namespace

int main(int argc, char** argv)
{
    bool raw = false;
    bool utf8 = false;
    const char* script = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--raw") {
            raw = true;
        } else if (arg == "--utf8") {
            utf8 = true;
        } else if (arg == "--script" && i + 1 < argc) {
            script = argv[++i];
        } else if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        } else {
            std::cerr << "yanchuan-headless: unknown argument '" << arg << "'\n" << kUsage;
            return 2;
        }
    }
    if ((raw && utf8) || (script && utf8)) {
        std::cerr << kUsage;
        return 2;
    }
    std::ios::sync_with_stdio(false);
    return script ? RunScript(script, raw) : yanchuan::RunLive(raw);
}
