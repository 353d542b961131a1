#include "app/window/kill_log_view.h"

#include <QTextCursor>

#include <utility>

namespace yanchuan {

namespace {

constexpr int kEditPauseMs = 1000;

} // namespace

KillLogView::KillLogView(KillLog& log, std::function<void(std::string_view)> edited, QWidget* parent)
    : QPlainTextEdit(parent)
    , m_log(log)
    , m_edited(std::move(edited))
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Appends are the program's, not the user's to undo, and an undo stack
    // would keep a second copy of a log that never stops growing.
    setUndoRedoEnabled(false);
    setPlainText(QString::fromStdString(m_display.Replace(m_log.KillLogText())));

    m_editPause.setSingleShot(true);
    m_editPause.setInterval(kEditPauseMs);
    connect(&m_editPause, &QTimer::timeout, this, &KillLogView::SendEdit);
    connect(document(), &QTextDocument::contentsChange, this, &KillLogView::OnContentsChange);
    m_log.AddObserver(this);
}

KillLogView::~KillLogView() { m_log.RemoveObserver(this); }

void KillLogView::OnContentsChange(int, int removed, int added)
{
    if (m_showingLog || (removed == 0 && added == 0)) {
        return;
    }
    m_editWaiting = true;
    m_editPause.start();
}

void KillLogView::SendEdit()
{
    m_editPause.stop();
    if (!std::exchange(m_editWaiting, false)) {
        return;
    }
    m_edited(KillLogFromDisplay(toPlainText().toStdString()));
}

void KillLogView::TextAppended(std::string_view appended)
{
    const QString shown = QString::fromStdString(m_display.Append(appended));
    const bool showing = std::exchange(m_showingLog, true);
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(shown);
    setTextCursor(cursor);
    ensureCursorVisible();
    m_showingLog = showing;
}

void KillLogView::TextReplaced(bool byUser)
{
    if (byUser) {
        // The box holds that text already: it is what the user typed.
        m_display.TakeOver(m_log.KillLogText());
        return;
    }
    // The program's text takes the place of the user's edit that waited.
    m_editPause.stop();
    m_editWaiting = false;
    const bool showing = std::exchange(m_showingLog, true);
    setPlainText(QString::fromStdString(m_display.Replace(m_log.KillLogText())));
    moveCursor(QTextCursor::End);
    m_showingLog = showing;
}

} // namespace yanchuan
