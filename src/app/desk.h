#pragma once

#include "app/forecast_record.h"
#include "app/kill_log.h"
#include "app/schedule.h"
#include "app/sources.h"
#include "forecast/forecast_context.h"
#include "readers/reader_context.h"
#include "tables/draw_tables.h"

#include <array>
#include <chrono>
#include <memory>

namespace yanchuan {

// What a front end hears from the desk besides the table and log changes.
class DeskListener {
public:
    virtual ~DeskListener() = default;
    virtual void ClockTextChanged(const Text& /*clockText*/) { }
    // A message for the user that has no place in a log (GBK).
    virtual void Message(LotteryKind /*kind*/, std::string_view /*gbkMessage*/) { }
    // An operation starts, from a button or from the schedule.
    virtual void OperationStarted(const Operation& /*operation*/) { }
};

// The state of the six lottery pages and every operation on them: the twelve
// buttons, a click on a cell, a user's edit of a log and the clock's tick. The
// window and the headless front end are thin shells over it. The page fetch,
// the clock and the event pump are the front end's; the desk only borrows them.
class Desk final {
public:
    Desk(PageFetch& fetch, const Clock& clock, EventPump& events, Sources sources);
    Desk(const Desk&) = delete;
    Desk& operator=(const Desk&) = delete;

    DrawTable& Table(LotteryKind kind) { return m_tables[kind]; }
    const DrawTable& Table(LotteryKind kind) const { return m_tables[kind]; }
    KillLog& Log(LotteryKind kind) { return m_logs[IndexOf(kind)]; }
    const KillLog& Log(LotteryKind kind) const { return m_logs[IndexOf(kind)]; }
    const Text& ClockLabel() const { return m_clockText; }
    // How the lottery's forecasts have fared, up to date with its log by the
    // time the front end's own observers of the log hear of a change.
    const ForecastRecord& Record(LotteryKind kind) const { return m_records[IndexOf(kind)]->Record(); }

    // Once the front end's controls exist: pending events, then the tables' set-up.
    void OnMainWindowCreated();

    void Read(LotteryKind kind);
    void Analyse(LotteryKind kind);
    void Run(const Operation& operation);
    void ClickCell(LotteryKind kind, Int row, Int column);
    void EditLog(LotteryKind kind, std::string_view text);
    // One tick of the one-second clock: shows the time, then runs the rules
    // that fire at this second. The clock is read once for the whole tick.
    void ClockTick();

    const Sources& GetSources() const { return m_sources; }
    void SetHost(SourceId source, std::string host);
    // The pause between fetches of a page that still shows a pending draw.
    void SetPendingPause(std::chrono::milliseconds pause) { m_pendingPause = pause; }
    std::chrono::milliseconds PendingPause() const { return m_pendingPause; }

    void SetListener(DeskListener* listener) { m_listener = listener; }

private:
    PageFetch& m_fetch;
    const Clock& m_clock;
    EventPump& m_events;
    Sources m_sources;
    std::chrono::milliseconds m_pendingPause {0};
    DrawTables m_tables;
    std::array<KillLog, 6> m_logs;
    std::array<std::unique_ptr<LogRecord>, 6> m_records;
    Text m_clockText;
    DeskListener* m_listener = nullptr;
    MessageSink m_messageSink;
};

} // namespace yanchuan
