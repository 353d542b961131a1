#include "app/kill_log.h"

#include "readers/gbk_texts.h"

#include <algorithm>

namespace yanchuan {

void KillLog::SetKillLogText(std::string_view text) { Replace(text, false); }

void KillLog::EditByUser(std::string_view text) { Replace(text, true); }

void KillLog::Replace(std::string_view text, bool byUser)
{
    m_text.assign(text);
    m_lastPeriodMark = -1;
    m_scanFrom = 0;
    ScanForPeriodMarks();
    for (KillLogObserver* observer : std::vector(m_observers)) {
        observer->TextReplaced(byUser);
    }
}

void KillLog::AppendKillLogText(std::string_view text)
{
    if (text.empty()) {
        return;
    }
    m_text.append(text);
    ScanForPeriodMarks();
    for (KillLogObserver* observer : std::vector(m_observers)) {
        observer->TextAppended(text);
    }
}

void KillLog::ScanForPeriodMarks()
{
    const std::string_view text = m_text;
    const std::string_view mark = gbk::kPeriodMark;
    std::size_t i = m_scanFrom;
    while (i < text.size()) {
        const bool lead = static_cast<unsigned char>(text[i]) >= 0x80;
        if (lead && i + 1 == text.size()) {
            break;
        }
        if (text.compare(i, mark.size(), mark) == 0) {
            m_lastPeriodMark = static_cast<Int>(i) + 1;
        }
        i = NextCharIndex(text, i);
    }
    m_scanFrom = i;
}

void KillLog::AddObserver(KillLogObserver* observer) { m_observers.push_back(observer); }

void KillLog::RemoveObserver(KillLogObserver* observer) { std::erase(m_observers, observer); }

} // namespace yanchuan
