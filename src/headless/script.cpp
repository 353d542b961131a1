#include "headless/script.h"

#include "app/gbk_codec.h"
#include "headless/escape.h"

#include <charconv>
#include <istream>
#include <ostream>
#include <thread>
#include <vector>

namespace yanchuan {

namespace {

using Error = std::optional<std::string>;

std::vector<std::string_view> SplitWords(std::string_view line)
{
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) {
            ++i;
        }
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') {
            ++i;
        }
        if (i > start) {
            words.push_back(line.substr(start, i - start));
        }
    }
    return words;
}

template <typename Number> std::optional<Number> ParseNumber(std::string_view text)
{
    Number value {};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month)
{
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

} // namespace

void ScriptEvents::Pause(std::chrono::milliseconds duration)
{
    if (duration.count() > 0) {
        std::this_thread::sleep_for(duration);
    }
}

std::optional<DateTime> ParseDateTime(std::string_view text)
{
    // YYYY-MM-DD HH:MM:SS
    constexpr std::string_view shape = "dddd-dd-dd dd:dd:dd";
    if (text.size() != shape.size()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (shape[i] == 'd' ? !digit : text[i] != shape[i]) {
            return std::nullopt;
        }
    }
    auto field = [&](std::size_t at, std::size_t length) { return *ParseNumber<int>(text.substr(at, length)); };
    const DateTime dt {field(0, 4), field(5, 2), field(8, 2), field(11, 2), field(14, 2), field(17, 2)};
    if (dt.month < 1 || dt.month > 12 || dt.day < 1 || dt.day > DaysInMonth(dt.year, dt.month) || dt.hour > 23
        || dt.minute > 59 || dt.second > 59) {
        return std::nullopt;
    }
    return dt;
}

ScriptRunner::ScriptRunner(Desk& desk, ScriptClock& clock, std::ostream& out, std::ostream& err, bool raw)
    : m_desk(desk)
    , m_clock(clock)
    , m_out(out)
    , m_err(err)
    , m_raw(raw)
{
    m_desk.SetListener(this);
}

ScriptRunner::~ScriptRunner() { m_desk.SetListener(nullptr); }

void ScriptRunner::Message(LotteryKind kind, std::string_view gbkMessage)
{
    m_err << KindName(kind) << ": " << GbkToUtf8(gbkMessage) << '\n';
}

void ScriptRunner::OperationStarted(const Operation& operation)
{
    if (m_trace) {
        m_out << "> " << OperationName(operation) << '\n';
    }
}

std::optional<std::string> ScriptRunner::RunLine(std::string_view line)
{
    const std::vector<std::string_view> words = SplitWords(line);
    if (words.empty() || words.front().starts_with('#')) {
        return std::nullopt;
    }
    const std::string_view command = words.front();
    auto quoted = [&](std::string_view text) { return "'" + EscapeScriptText(text, m_raw) + "'"; };

    auto expectWords = [&](std::size_t count, std::string_view usage) -> Error {
        if (words.size() != count) {
            return "usage: " + std::string(usage);
        }
        return std::nullopt;
    };
    auto kindAt = [&](std::size_t i, LotteryKind& kind) -> Error {
        const auto parsed = KindFromName(words[i]);
        if (!parsed) {
            return "unknown lottery " + quoted(words[i])
                + " (one of Pk10, Chongqing, VietFive, IndoFive, VietOne, IndoOne)";
        }
        kind = *parsed;
        return std::nullopt;
    };

    LotteryKind kind {};
    if (command == "source") {
        if (auto e = expectWords(3, "source SOURCE HOST")) {
            return e;
        }
        const auto source = SourceFromKey(words[1]);
        if (!source) {
            return "unknown source " + quoted(words[1]) + " (one of indo, viet, chongqing, pk10)";
        }
        if (const auto problem = HostProblem(words[2])) {
            return "bad host " + quoted(words[2]) + ": " + std::string(*problem);
        }
        m_desk.SetHost(*source, std::string(words[2]));
    } else if (command == "now") {
        if (words.size() != 3) {
            return std::string("usage: now YYYY-MM-DD HH:MM:SS");
        }
        const std::string text = std::string(words[1]) + " " + std::string(words[2]);
        const auto now = ParseDateTime(text);
        if (!now) {
            return "bad time " + quoted(text) + " (YYYY-MM-DD HH:MM:SS)";
        }
        m_clock.Set(*now);
    } else if (command == "read" || command == "analyse" || command == "table" || command == "cursor"
        || command == "log") {
        if (auto e = expectWords(2, std::string(command) + " KIND")) {
            return e;
        }
        if (auto e = kindAt(1, kind)) {
            return e;
        }
        if (command == "read") {
            m_desk.Read(kind);
        } else if (command == "analyse") {
            m_desk.Analyse(kind);
        } else if (command == "table") {
            const DrawTable& table = m_desk.Table(kind);
            for (Int r = 0; r < table.RowCount(); ++r) {
                for (Int c = 0; c < table.ColumnCount(); ++c) {
                    m_out << (c > 0 ? "\t" : "") << EscapeText(table.CellText(r, c), m_raw);
                }
                m_out << '\n';
            }
        } else if (command == "cursor") {
            const DrawTable& table = m_desk.Table(kind);
            m_out << table.CurrentRow() << ' ' << table.CurrentColumn() << '\n';
        } else {
            m_out << EscapeText(m_desk.Log(kind).KillLogText(), m_raw) << '\n';
        }
    } else if (command == "click") {
        if (auto e = expectWords(4, "click KIND ROW COL")) {
            return e;
        }
        if (auto e = kindAt(1, kind)) {
            return e;
        }
        const auto row = ParseNumber<Int>(words[2]);
        const auto column = ParseNumber<Int>(words[3]);
        if (!row || !column) {
            return "bad number " + quoted(row ? words[3] : words[2]);
        }
        m_desk.ClickCell(kind, *row, *column);
    } else if (command == "type") {
        if (words.size() < 2) {
            return std::string("usage: type KIND TEXT");
        }
        if (auto e = kindAt(1, kind)) {
            return e;
        }
        // TEXT is the rest of the line after the one space that follows KIND.
        const std::size_t kindEnd = static_cast<std::size_t>(words[1].data() - line.data()) + words[1].size();
        const std::string_view text = kindEnd < line.size() ? line.substr(kindEnd + 1) : std::string_view();
        std::string error;
        const auto gbk = UnescapeText(text, m_raw, error);
        if (!gbk) {
            return error;
        }
        m_desk.EditLog(kind, *gbk);
    } else if (command == "tick") {
        if (auto e = expectWords(1, "tick")) {
            return e;
        }
        m_desk.ClockTick();
    } else if (command == "pause") {
        if (auto e = expectWords(2, "pause MS")) {
            return e;
        }
        const auto ms = ParseNumber<int>(words[1]);
        if (!ms || *ms < 0) {
            return "bad number " + quoted(words[1]) + " (milliseconds, 0 or more)";
        }
        m_desk.SetPendingPause(std::chrono::milliseconds(*ms));
    } else if (command == "clock") {
        if (auto e = expectWords(1, "clock")) {
            return e;
        }
        m_out << EscapeText(m_desk.ClockLabel(), m_raw) << '\n';
    } else if (command == "trace") {
        if (words.size() != 2 || (words[1] != "on" && words[1] != "off")) {
            return std::string("usage: trace on|off");
        }
        m_trace = words[1] == "on";
    } else {
        return "unknown command " + quoted(command);
    }
    return std::nullopt;
}

int ScriptRunner::Run(std::istream& in)
{
    std::string line;
    long number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const auto error = RunLine(line);
        // Whoever feeds the script a line at a time sees each line's output
        // before sending the next.
        m_out.flush();
        if (error) {
            m_err << "error: line " << number << ": " << *error << std::endl;
            return 2;
        }
    }
    return 0;
}

} // namespace yanchuan
