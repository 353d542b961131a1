#pragma once

#include "app/desk.h"
#include "app/forecast_record.h"

#include <array>
#include <iosfwd>
#include <memory>

namespace yanchuan {

// Live mode's output: one line for each table row and each kill log that
// changes, "table KIND ROW<TAB>cells" and "log KIND +appended" or
// "log KIND =whole text"; on err the desk's messages, and each lottery's forecast
// record whenever a log change changes it. A row is printed once the reader has
// moved on from it, so a read gives one line per row it changed.
class LivePrinter final : public DeskListener {
public:
    LivePrinter(Desk& desk, std::ostream& out, std::ostream& err, bool raw);
    ~LivePrinter() override;
    LivePrinter(const LivePrinter&) = delete;
    LivePrinter& operator=(const LivePrinter&) = delete;

    // Prints the rows changed since the last flush.
    void Flush();

    void Message(LotteryKind kind, std::string_view gbkMessage) override;

private:
    class TableWatch;
    class LogWatch;

    void PrintRow(LotteryKind kind, Int row);
    void PrintLog(LotteryKind kind, std::string_view sign, std::string_view text);

    Desk& m_desk;
    std::ostream& m_out;
    std::ostream& m_err;
    bool m_raw;
    std::array<std::unique_ptr<TableWatch>, 6> m_tables;
    std::array<std::unique_ptr<LogWatch>, 6> m_logs;
};

// Runs live mode on the fetch until SIGINT or SIGTERM; returns the exit status.
int RunLive(PageFetch& fetch, bool raw);

} // namespace yanchuan
