#pragma once

#include "app/kill_log.h"
#include "readers/text_ops.h"
#include "tables/lottery.h"

#include <string_view>

namespace yanchuan {

// How a lottery's forecasts have fared, read from its kill log's own text:
// lines closed with the hit sign held, lines closed with "╳" failed, forecast
// lines closed with a bare line end were not judged. It follows the log as it
// grows, a line at a time, so that a year-long log is never read twice.
class ForecastRecord final {
public:
    explicit ForecastRecord(LotteryKind kind);

    // The log's whole text, after a replace or a user's edit.
    void Reset(std::string_view text);
    // Text appended to the log.
    void Feed(std::string_view appended);

    Int Held() const { return m_held; }
    Int Failed() const { return m_failed; }
    Int NotJudged() const { return m_notJudged; }
    Int LongestFailedRun() const { return m_longestFailedRun; }
    // Held among the judged, from 0 to 1; negative while none was judged.
    double HitRate() const;
    // What pure chance gives: a killed digit is absent from two positions of a
    // fair draw 0.9 * 0.9 of the time; a PK10 number is among six places of ten
    // 0.6 of the time.
    double ChanceRate() const;

    // One line for the page, in GBK: "准 12  ╳ 3  未判 1  命中率 80.0% (随机 81.0%)  最长连错 2".
    Text Describe() const;

private:
    void TakeLine(std::string_view line);

    LotteryKind m_kind;
    Text m_openLine;
    Int m_held = 0;
    Int m_failed = 0;
    Int m_notJudged = 0;
    Int m_failedRun = 0;
    Int m_longestFailedRun = 0;
};

// A lottery's record kept in step with its log: a replace counts the whole text
// again, an append only what it adds.
class LogRecord final : public KillLogObserver {
public:
    LogRecord(LotteryKind kind, KillLog& log);
    ~LogRecord() override;
    LogRecord(const LogRecord&) = delete;
    LogRecord& operator=(const LogRecord&) = delete;

    const ForecastRecord& Record() const { return m_record; }

    void TextAppended(std::string_view appended) override { m_record.Feed(appended); }
    void TextReplaced(bool) override { m_record.Reset(m_log.KillLogText()); }

private:
    KillLog& m_log;
    ForecastRecord m_record;
};

} // namespace yanchuan
