#include "app/desk.h"

#include "forecast/last_two_kill.h"
#include "forecast/pk10_forecast.h"
#include "readers/chongqing_reader.h"
#include "readers/offshore_reader.h"
#include "readers/pk10_reader.h"

namespace yanchuan {

namespace {

// Which results source serves each lottery, in the order of LotteryKind.
constexpr std::array<SourceId, 6> kSourceOf
    = {SourceId::Pk10, SourceId::Chongqing, SourceId::Viet, SourceId::Indo, SourceId::Viet, SourceId::Indo};

} // namespace

Desk::Desk(PageFetch& fetch, const Clock& clock, EventPump& events, Sources sources)
    : m_fetch(fetch)
    , m_clock(clock)
    , m_events(events)
    , m_sources(std::move(sources))
    , m_messageSink([this](LotteryKind kind, std::string_view message) {
        if (m_listener) {
            m_listener->Message(kind, message);
        }
    })
{
    // Observers first on each log, so that the records are up to date before a
    // front end hears of the change.
    for (const LotteryKind kind : kAllLotteries) {
        m_records[IndexOf(kind)] = std::make_unique<LogRecord>(kind, Log(kind));
    }
}

void Desk::OnMainWindowCreated()
{
    m_events.ProcessEvents();
    SetUpDrawTables(m_tables, m_events);
}

void Desk::Read(LotteryKind kind) { Run({Operation::Verb::Read, kind}); }

void Desk::Analyse(LotteryKind kind) { Run({Operation::Verb::Analyse, kind}); }

void Desk::Run(const Operation& operation)
{
    if (m_listener) {
        m_listener->OperationStarted(operation);
    }
    const LotteryKind kind = operation.kind;
    if (operation.verb == Operation::Verb::Analyse) {
        const ForecastContext context {m_clock, m_events, m_messageSink};
        if (kind == LotteryKind::Pk10) {
            AnalysePk10(Table(kind), Log(kind), context);
        } else {
            AnalyseLastTwo(LastTwoProfileOf(kind), Table(kind), Log(kind), context);
        }
        return;
    }
    // The host is copied: a handler run inside the read may change the settings.
    const std::string host = m_sources.Host(kSourceOf[IndexOf(kind)]);
    ReaderContext context {m_fetch, m_events, m_pendingPause};
    switch (kind) {
    case LotteryKind::Pk10:
        ReadPk10(Table(kind), host, context);
        break;
    case LotteryKind::Chongqing:
        ReadChongqing(Table(kind), host, context);
        break;
    default:
        ReadOffshoreDraws(Table(kind), OffshoreSourceOf(kind), host, context);
        break;
    }
}

void Desk::ClickCell(LotteryKind kind, Int row, Int column) { Table(kind).SetCursor(row, column); }

void Desk::EditLog(LotteryKind kind, std::string_view text) { Log(kind).EditByUser(text); }

void Desk::ClockTick()
{
    m_events.ProcessEvents();
    const DateTime now = m_clock.CurrentTime();
    m_clockText = ClockText(now);
    if (m_listener) {
        m_listener->ClockTextChanged(m_clockText);
    }
    for (const ScheduleRule& rule : AutoRunSchedule()) {
        if (RuleFires(rule, now)) {
            m_events.ProcessEvents();
            for (const Operation& operation : rule.Operations()) {
                Run(operation);
            }
        }
    }
}

void Desk::SetHost(SourceId source, std::string host) { m_sources.SetHost(source, std::move(host)); }

} // namespace yanchuan
