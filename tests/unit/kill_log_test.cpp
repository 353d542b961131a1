#include "app/kill_log.h"
#include "readers/gbk_texts.h"

#include <gtest/gtest.h>

#include <random>

namespace yanchuan {
namespace {

struct Recorder : KillLogObserver {
    void TextAppended(std::string_view appended) override { events.push_back(JoinTexts("+", appended)); }
    void TextReplaced(bool byUser) override { events.push_back(byUser ? "=user" : "="); }
    std::vector<Text> events;
};

TEST(KillLog, TellsObserversWhatWasAppendedOrReplaced)
{
    KillLog log;
    Recorder recorder;
    log.AddObserver(&recorder);
    log.AppendKillLogText("ab");
    log.AppendKillLogText("");
    log.AppendKillLogText("c");
    log.SetKillLogText("x");
    log.EditByUser("y");
    log.RemoveObserver(&recorder);
    log.AppendKillLogText("z");
    EXPECT_EQ(recorder.events, (std::vector<Text> {"+ab", "+c", "=", "=user"}));
    EXPECT_EQ(log.KillLogText(), "yz");
}

// The kept position of the last "期" must always equal a full backward search,
// however the text was built: appends that split a character in two, trail
// bytes that look like the mark's lead byte, replaces and edits.
TEST(KillLog, LastPeriodMarkMatchesAFullSearchAfterEveryChange)
{
    const std::string_view pieces[] = {
        gbk::kPeriodMark,
        "\xC6",
        "\xDA",
        "\xB0",
        "\xC6\xDA\xC6",
        "a",
        "\r\n",
        "\xDA\xC6",
        "12",
        "\xA8w",
    };
    std::mt19937 random(7);
    KillLog log;
    for (int step = 0; step < 5000; ++step) {
        const auto choice = random() % 40;
        if (choice == 0) {
            log.SetKillLogText(pieces[random() % std::size(pieces)]);
        } else if (choice == 1) {
            log.EditByUser(LeftText(log.KillLogText(), static_cast<Int>(random() % 50)));
        } else {
            log.AppendKillLogText(pieces[random() % std::size(pieces)]);
        }
        ASSERT_EQ(log.LastPeriodMark(), FindTextBackward(log.KillLogText(), gbk::kPeriodMark)) << "step " << step;
    }
}

} // namespace
} // namespace yanchuan
