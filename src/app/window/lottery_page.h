#pragma once

#include "app/desk.h"

#include <QColor>
#include <QWidget>

#include <memory>
#include <string_view>

class QLabel;
class QPushButton;

namespace yanchuan {

class DrawGrid;
class DrawTableModel;
class KillLogView;

// What sets one lottery's page apart: its captions (GBK), the object names of
// its controls, and the font and colour of its kill log.
struct PageSpec {
    LotteryKind kind;
    std::string_view caption;
    const char* gridName;
    const char* logName;
    const char* readName;
    std::string_view readCaption;
    const char* analyseName;
    std::string_view analyseCaption;
    const char* logFace;
    int logPixelSize;
    int logRed;
    int logGreen;
    int logBlue;
};

const PageSpec& PageSpecOf(LotteryKind kind);

// One tab page: the lottery's grid, its kill log, the read and analyse
// buttons, and the record of its forecasts, all following the desk.
class LotteryPage final : public QWidget {
    Q_OBJECT

public:
    LotteryPage(Desk& desk, LotteryKind kind, QWidget* parent = nullptr);
    ~LotteryPage() override;

    LotteryKind Kind() const { return m_kind; }
    // Hands the user's waiting edit of the log to the desk.
    void SendLogEdit();

private:
    class RecordFollower;

    void ShowRecord();

    Desk& m_desk;
    LotteryKind m_kind;
    DrawTableModel* m_model;
    DrawGrid* m_grid;
    KillLogView* m_log;
    QPushButton* m_read;
    QPushButton* m_analyse;
    QLabel* m_record;
    std::unique_ptr<RecordFollower> m_recordFollower;
};

} // namespace yanchuan
