#pragma once

#include "readers/text_ops.h"

#include <string_view>
#include <vector>

namespace yanchuan {

// Told about every change of a kill log, so that a view appends what was
// appended instead of setting the whole text again.
class KillLogObserver {
public:
    virtual ~KillLogObserver() = default;
    virtual void TextAppended(std::string_view /*appended*/) { }
    // The whole text changed: by a forecaster's message, or by the user's own
    // edit (the view that reported the edit already shows it).
    virtual void TextReplaced(bool /*byUser*/) { }
};

// One lottery's running log of forecasts: a GBK text whose lines end in CR LF.
// The forecasters' only memory of earlier forecasts is this text, so it is
// never trimmed. Since it grows without end, the position of its last "期" is
// kept as the text grows: an append scans only what was appended, and only a
// replace or a user's edit scans the whole text again.
class KillLog final {
public:
    KillLog() = default;
    KillLog(const KillLog&) = delete;
    KillLog& operator=(const KillLog&) = delete;

    const Text& KillLogText() const { return m_text; }
    void SetKillLogText(std::string_view text);
    // Appends at the very end, whatever the user's caret or selection.
    void AppendKillLogText(std::string_view text);
    // The user typed into or deleted from the box: the text it now holds.
    void EditByUser(std::string_view text);

    // FindTextBackward(KillLogText(), "期"), without rescanning the text.
    Int LastPeriodMark() const { return m_lastPeriodMark; }

    void AddObserver(KillLogObserver* observer);
    void RemoveObserver(KillLogObserver* observer);

private:
    void Replace(std::string_view text, bool byUser);
    void ScanForPeriodMarks();

    Text m_text;
    Int m_lastPeriodMark = -1;
    // The first character start not yet looked at; it stands on a lone lead
    // byte at the end until the next append brings its trail byte.
    std::size_t m_scanFrom = 0;
    std::vector<KillLogObserver*> m_observers;
};

} // namespace yanchuan
