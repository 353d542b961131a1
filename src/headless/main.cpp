#include "headless/live.h"
#include "headless/script.h"
#include "readers/curl_page_fetch.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string_view>

namespace {

constexpr std::string_view kUsage = "usage: yanchuan-headless [--utf8|--raw]\n"
                                    "       yanchuan-headless --script FILE [--raw]   (FILE may be -)\n";

using namespace yanchuan;

// A fetch that failed leaves rows of minus signs or empty cells; this says why.
void ReportFetchProblems(CurlPageFetch& fetch)
{
    fetch.SetOutcomeSink([](const FetchOutcome& outcome) {
        const bool ok
            = outcome.status == FetchOutcome::Status::Ok && outcome.httpStatus >= 200 && outcome.httpStatus < 300;
        if (!ok) {
            std::cerr << "fetch " << outcome.url << ": " << DescribeOutcome(outcome) << std::endl;
        }
    });
}

int RunScript(CurlPageFetch& fetch, const std::string& path, bool raw)
{
    std::ifstream file;
    std::istream* in = &std::cin;
    if (path != "-") {
        file.open(path, std::ios::binary);
        if (!file) {
            std::cerr << "yanchuan-headless: cannot open script " << path << ": " << std::strerror(errno) << '\n';
            return 2;
        }
        in = &file;
    }
    const Sources sources
        = LoadSources(SourcesFilePath(), [](const std::string& message) { std::cerr << message << '\n'; });
    ScriptClock clock;
    ScriptEvents events;
    Desk desk(fetch, clock, events, sources);
    desk.OnMainWindowCreated();
    ScriptRunner runner(desk, clock, std::cout, std::cerr, raw);
    return runner.Run(*in);
}

int UsageError(std::string_view what)
{
    std::cerr << "yanchuan-headless: " << what << '\n' << kUsage;
    return 2;
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
        } else if (arg == "--script") {
            if (i + 1 == argc) {
                return UsageError("--script needs a FILE (or - for stdin)");
            }
            if (script) {
                return UsageError("--script is given twice");
            }
            script = argv[++i];
        } else if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        } else {
            return UsageError("unknown argument '" + std::string(arg) + "'");
        }
    }
    if (raw && utf8) {
        return UsageError("--raw and --utf8 exclude each other");
    }
    std::ios::sync_with_stdio(false);
    CurlPageFetch fetch;
    ReportFetchProblems(fetch);
    return script ? RunScript(fetch, script, raw) : RunLive(fetch, raw);
}
