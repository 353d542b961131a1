#include "app/forecast_record.h"

#include "readers/gbk_texts.h"

#include <algorithm>
#include <cstdio>

namespace yanchuan {

namespace {

std::string_view HitSign(LotteryKind kind) { return kind == LotteryKind::Pk10 ? gbk::kPk10HitSign : gbk::kLastTwoHeld; }

Text Percent(double rate)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f%%", rate * 100);
    return buffer;
}

} // namespace

ForecastRecord::ForecastRecord(LotteryKind kind)
    : m_kind(kind)
{ }

void ForecastRecord::Reset(std::string_view text)
{
    *this = ForecastRecord(m_kind);
    Feed(text);
}

void ForecastRecord::Feed(std::string_view appended)
{
    std::size_t start = 0;
    for (std::size_t end = appended.find('\n'); end != std::string_view::npos; end = appended.find('\n', start)) {
        m_openLine.append(appended.substr(start, end - start));
        TakeLine(m_openLine);
        m_openLine.clear();
        start = end + 1;
    }
    m_openLine.append(appended.substr(start));
}

void ForecastRecord::TakeLine(std::string_view line)
{
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    if (FindText(line, gbk::kPeriodMark) == -1) {
        return; // a message or a note, not a forecast
    }
    if (line.ends_with(JoinTexts(" ", HitSign(m_kind)))) {
        ++m_held;
        m_failedRun = 0;
    } else if (line.ends_with(JoinTexts(" ", gbk::kLastTwoFailed))) {
        ++m_failed;
        m_longestFailedRun = std::max(m_longestFailedRun, ++m_failedRun);
    } else {
        ++m_notJudged;
    }
}

double ForecastRecord::HitRate() const
{
    const Int judged = m_held + m_failed;
    return judged == 0 ? -1.0 : static_cast<double>(m_held) / static_cast<double>(judged);
}

double ForecastRecord::ChanceRate() const { return m_kind == LotteryKind::Pk10 ? 0.6 : 0.9 * 0.9; }

Text ForecastRecord::Describe() const
{
    const double rate = HitRate();
    return JoinTexts(HitSign(m_kind), " ", IntToText(m_held), "  ", gbk::kLastTwoFailed, " ", IntToText(m_failed), "  ",
        gbk::kRecordNotJudged, " ", IntToText(m_notJudged), "  ", gbk::kRecordHitRate, " ",
        rate < 0 ? Text("-") : Percent(rate), " (", gbk::kRecordChance, " ", Percent(ChanceRate()), ")  ",
        gbk::kRecordLongestMisses, " ", IntToText(m_longestFailedRun));
}

LogRecord::LogRecord(LotteryKind kind, KillLog& log)
    : m_log(log)
    , m_record(kind)
{
    m_record.Reset(m_log.KillLogText());
    m_log.AddObserver(this);
}

LogRecord::~LogRecord() { m_log.RemoveObserver(this); }

} // namespace yanchuan
