#include "support/process.h"
#include "support/raw_server.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

// The built yanchuan as a user starts it, with no display: it reads its
// sources.ini, reports a bad line on stderr, and runs until it is ended.
namespace yanchuan {
namespace {

using namespace std::chrono_literals;

TEST(WindowProgram, StartsOffscreenReportsABadSettingAndRunsUntilEnded)
{
    testing::ClosedPort closed;
    ASSERT_GT(closed.Port(), 0);
    const std::string host = "127.0.0.1:" + std::to_string(closed.Port());
    testing::TempDir config;
    ASSERT_FALSE(config.Path().empty());
    config.Write("yanchuan/sources.ini",
        "[sources]\nindo = " + host + "\nviet = " + host + "\nchongqing = " + host + "\npk10 = not a host\n");

    testing::Process window(
        {"yanchuan", {}, "", {"QT_QPA_PLATFORM=offscreen", "XDG_CONFIG_HOME=" + config.Path().string()}});
    ASSERT_TRUE(window.Started());
    // Still running when the wait ends, and then ended by it.
    const testing::Finished finished = window.Wait(3s);
    EXPECT_TRUE(finished.timedOut) << finished.err;
    EXPECT_NE(finished.err.find("sources.ini:5: invalid host 'not a host' for pk10"), std::string::npos)
        << finished.err;
}

} // namespace
} // namespace yanchuan
