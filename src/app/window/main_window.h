#pragma once

#include "app/desk.h"

#include <QWidget>

#include <array>

class QLabel;
class QTabWidget;

namespace yanchuan {

struct FetchOutcome;
class LotteryPage;
class SecondTicker;

// The one window: the clock label, the tab control with the six lottery pages,
// the one-second clock, and a status line below the tabs with the outcome of
// the last fetch from each results source and the desk's last message. It
// holds no state of its own beyond what it shows: everything is the desk's.
class MainWindow final : public QWidget, private DeskListener {
    Q_OBJECT

public:
    // Builds every control and starts the clock; the desk's OnMainWindowCreated
    // comes after.
    explicit MainWindow(Desk& desk, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Where the page fetch reports how each fetch ended.
    void ShowFetchOutcome(const FetchOutcome& outcome);

protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ClockTextChanged(const Text& clockText) override;
    void Message(LotteryKind kind, std::string_view gbkMessage) override;
    void OperationStarted(const Operation& operation) override;

    void FitOuterSize();
    void PlaceStatusLine();

    Desk& m_desk;
    QLabel* m_clock;
    QTabWidget* m_tabs;
    std::array<LotteryPage*, 6> m_pages {};
    std::array<QLabel*, 4> m_fetchStatus {};
    QLabel* m_messageStatus;
    SecondTicker* m_ticker;
};

} // namespace yanchuan
