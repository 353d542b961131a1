#pragma once

#include "app/kill_log.h"
#include "app/kill_log_display.h"

#include <QPlainTextEdit>
#include <QTimer>

#include <functional>
#include <string_view>

namespace yanchuan {

// The edit box of a lottery's KillLog. It follows the log by appending what
// the log appends, at the end whatever the caret, so that a log of hundreds of
// thousands of lines stays responsive; only a replace sets the whole text. The
// user's typing goes back to the log lazily, since reading the box's whole
// text costs time on a long log: after a short pause in the typing, or at once
// when the window asks (before any operation runs).
class KillLogView final : public QPlainTextEdit, private KillLogObserver {
    Q_OBJECT

public:
    // `edited` takes the box's text as the log's new text (GBK, CR LF lines).
    KillLogView(KillLog& log, std::function<void(std::string_view)> edited, QWidget* parent = nullptr);
    ~KillLogView() override;

    // Hands the user's edit, if any is waiting, to the log.
    void SendEdit();

private:
    void TextAppended(std::string_view appended) override;
    void TextReplaced(bool byUser) override;
    void OnContentsChange(int position, int removed, int added);

    KillLog& m_log;
    std::function<void(std::string_view)> m_edited;
    KillLogDisplay m_display;
    QTimer m_editPause;
    bool m_showingLog = false;
    bool m_editWaiting = false;
};

} // namespace yanchuan
