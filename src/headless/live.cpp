#include "headless/live.h"

#include "app/gbk_codec.h"
#include "app/qt/qt_event_pump.h"
#include "app/qt/second_ticker.h"
#include "headless/escape.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <iostream>
#include <set>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace yanchuan {

class LivePrinter::TableWatch final : public DrawTableObserver {
public:
    TableWatch(LivePrinter& printer, LotteryKind kind)
        : m_printer(printer)
        , m_kind(kind)
    {
        m_printer.m_desk.Table(m_kind).AddObserver(this);
    }
    ~TableWatch() override { m_printer.m_desk.Table(m_kind).RemoveObserver(this); }

    void CellTextChanged(int row, int) override { m_dirtyRows.insert(row); }
    void CursorChanged() override { Flush(); }

    void Flush()
    {
        const std::set<int> rows = std::exchange(m_dirtyRows, {});
        for (const int row : rows) {
            m_printer.PrintRow(m_kind, row);
        }
    }

private:
    LivePrinter& m_printer;
    LotteryKind m_kind;
    std::set<int> m_dirtyRows;
};

class LivePrinter::LogWatch final : public KillLogObserver {
public:
    LogWatch(LivePrinter& printer, LotteryKind kind)
        : m_printer(printer)
        , m_kind(kind)
    {
        m_printer.m_desk.Log(m_kind).AddObserver(this);
    }
    ~LogWatch() override { m_printer.m_desk.Log(m_kind).RemoveObserver(this); }

    void TextAppended(std::string_view appended) override
    {
        m_printer.PrintLog(m_kind, "+", appended);
        PrintRecordIfChanged();
    }
    void TextReplaced(bool) override
    {
        m_printer.PrintLog(m_kind, "=", m_printer.m_desk.Log(m_kind).KillLogText());
        PrintRecordIfChanged();
    }

private:
    void PrintRecordIfChanged()
    {
        Text description = m_printer.m_desk.Record(m_kind).Describe();
        if (description != m_described) {
            m_printer.m_err << KindName(m_kind) << ": " << GbkToUtf8(description) << std::endl;
            m_described = std::move(description);
        }
    }

    LivePrinter& m_printer;
    LotteryKind m_kind;
    Text m_described = m_printer.m_desk.Record(m_kind).Describe();
};

LivePrinter::LivePrinter(Desk& desk, std::ostream& out, std::ostream& err, bool raw)
    : m_desk(desk)
    , m_out(out)
    , m_err(err)
    , m_raw(raw)
{
    for (const LotteryKind kind : kAllLotteries) {
        m_tables[IndexOf(kind)] = std::make_unique<TableWatch>(*this, kind);
        m_logs[IndexOf(kind)] = std::make_unique<LogWatch>(*this, kind);
    }
    m_desk.SetListener(this);
}

LivePrinter::~LivePrinter() { m_desk.SetListener(nullptr); }

void LivePrinter::Flush()
{
    for (const auto& table : m_tables) {
        table->Flush();
    }
}

void LivePrinter::Message(LotteryKind kind, std::string_view gbkMessage)
{
    m_err << KindName(kind) << ": " << GbkToUtf8(gbkMessage) << std::endl;
}

void LivePrinter::PrintRow(LotteryKind kind, Int row)
{
    const DrawTable& table = m_desk.Table(kind);
    m_out << "table " << KindName(kind) << ' ' << row;
    for (Int c = 0; c < table.ColumnCount(); ++c) {
        m_out << '\t' << EscapeText(table.CellText(row, c), m_raw);
    }
    m_out << std::endl;
}

void LivePrinter::PrintLog(LotteryKind kind, std::string_view sign, std::string_view text)
{
    Flush();
    m_out << "log " << KindName(kind) << ' ' << sign << EscapeText(text, m_raw) << std::endl;
}

namespace {

// Rows are printed as soon as the reader moves on to the next one, which it
// does by letting pending events run.
class FlushingEventPump final : public EventPump {
public:
    void ProcessEvents() override
    {
        if (printer) {
            printer->Flush();
        }
        m_qt.ProcessEvents();
    }
    void Pause(std::chrono::milliseconds duration) override
    {
        if (printer) {
            printer->Flush();
        }
        m_qt.Pause(duration);
    }

    LivePrinter* printer = nullptr;

private:
    QtEventPump m_qt;
};

int g_signalSocket[2] = {-1, -1};

void OnSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(g_signalSocket[0], &byte, 1);
}

constexpr std::chrono::milliseconds kLivePendingPause {1000};

} // namespace

int RunLive(PageFetch& fetch, bool raw)
{
    int argc = 1;
    char name[] = "yanchuan-headless";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);

    // Non-blocking, so that a flood of signals never holds the handler.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, g_signalSocket) != 0) {
        std::cerr << "yanchuan-headless: cannot set up signal handling\n";
        return 1;
    }
    // A signal can come while no event loop runs (during the start-up's own
    // ProcessEvents), where exit() would be lost; the flag keeps it.
    bool stopping = false;
    QSocketNotifier signalNotifier(g_signalSocket[1], QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &app, [&] {
        char byte = 0;
        [[maybe_unused]] const auto read = ::read(g_signalSocket[1], &byte, 1);
        stopping = true;
        QCoreApplication::exit(0);
    });
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);

    const Sources sources
        = LoadSources(SourcesFilePath(), [](const std::string& message) { std::cerr << message << '\n'; });
    SystemClock clock;
    FlushingEventPump events;
    Desk desk(fetch, clock, events, sources);
    desk.SetPendingPause(kLivePendingPause);
    LivePrinter printer(desk, std::cout, std::cerr, raw);
    events.printer = &printer;

    desk.OnMainWindowCreated();
    printer.Flush();
    // A tick due while the operation under way finishes after a signal starts
    // nothing new.
    SecondTicker ticker([&] {
        if (!stopping) {
            desk.ClockTick();
            printer.Flush();
        }
    });
    ticker.Start();
    const int status = stopping ? 0 : app.exec();
    printer.Flush();
    return status;
}

} // namespace yanchuan
