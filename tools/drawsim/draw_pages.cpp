#include "draw_pages.h"

#include "readers/gbk_texts.h"

namespace yanchuan::drawsim {

namespace {

bool IsOffshore(LotteryKind kind) { return kind != LotteryKind::Pk10 && kind != LotteryKind::Chongqing; }

// Digits of a period number within the day: 4 for the one-minute lotteries, 3 for the rest.
int PeriodWidth(LotteryKind kind) { return kind == LotteryKind::IndoOne || kind == LotteryKind::VietOne ? 4 : 3; }

std::string Padded(int value, int width)
{
    std::string text = std::to_string(value);
    return std::string(text.size() < static_cast<std::size_t>(width) ? width - text.size() : 0, '0') + text;
}

// "YYYY-MM-DD" with the given separator (none for "YYYYMMDD").
std::string DateText(const DateTime& t, std::string_view separator)
{
    return Padded(t.year, 4).append(separator).append(Padded(t.month, 2)).append(separator).append(Padded(t.day, 2));
}

std::string ClockText(const DateTime& t) { return Padded(t.hour, 2) + ":" + Padded(t.minute, 2); }

std::string_view Title(LotteryKind kind)
{
    switch (kind) {
    case LotteryKind::Pk10:
        return gbk::kPk10Name;
    case LotteryKind::Chongqing:
        return gbk::kChongqingName;
    case LotteryKind::VietFive:
        return gbk::kVietFiveName;
    case LotteryKind::IndoFive:
        return gbk::kIndoFiveName;
    case LotteryKind::VietOne:
        return gbk::kVietOneName;
    case LotteryKind::IndoOne:
        break;
    }
    return gbk::kIndoOneName;
}

std::string OffshoreEntry(std::string_view number, std::string_view result, const Draw& draw, std::string_view status)
{
    std::string entry = R"({"num":")";
    entry.append(number).append(R"(","result":")").append(result);
    entry.append(R"(","time":")").append(TimeText(draw));
    entry.append(R"(","status":")").append(status).append(R"("})");
    return entry;
}

std::string OffshorePage(const DrawBook& book, LotteryKind kind, SimTime now, int pendingSeconds)
{
    std::string page = R"({"code":0,"msg":")";
    page.append(gbk::kPageSucceeded).append(R"(","name":")").append(Title(kind)).append(R"(","history":[)");
    Draw draw = book.Latest(kind, now);
    if (now < draw.time + pendingSeconds) {
        page += OffshoreEntry("-" + Padded(draw.period, PeriodWidth(kind)), "", draw, gbk::kPageAwaitingDraw);
        page += ',';
        draw = book.Previous(draw);
    }
    for (int i = 0; i < kHistoryRows; ++i) {
        if (i > 0) {
            page += ',';
            draw = book.Previous(draw);
        }
        page += OffshoreEntry(PeriodText(draw), NumbersText(draw), draw, gbk::kPageDrawn);
    }
    page += "]}";
    return page;
}

std::string HtmlHead(std::string_view title)
{
    std::string head = "<!DOCTYPE html>\r\n<html><head>"
                       "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">";
    head.append("<title>").append(title).append("</title></head>\r\n");
    return head;
}

std::string ChongqingPage(const DrawBook& book, SimTime now)
{
    std::string page = HtmlHead(std::string(gbk::kChongqingName).append(gbk::kPageDrawNumbers));
    page.append("<body>\r\n<div class='opentitle'>").append(gbk::kChongqingName).append(" ");
    page.append(gbk::kPageLatestDraws).append("</div>\r\n");
    for (const Draw& draw : book.History(LotteryKind::Chongqing, now, kHistoryRows)) {
        page.append("<ul class='openul'><li class='openli1'>").append(PeriodText(draw));
        page.append("</li><li class='openli2'>").append(NumbersText(draw));
        page.append("</li><li class='openli3'>").append(TimeText(draw)).append("</li></ul>\r\n");
    }
    page.append("<div class='openfoot'>").append(gbk::kPageDisclaimer).append("</div>\r\n</body></html>\r\n");
    return page;
}

std::string Pk10Page(const DrawBook& book, SimTime now)
{
    std::string page = HtmlHead(gbk::kPageBulletin);
    page.append("<body>\r\n<h2 class=\"title\">").append(gbk::kPk10Name).append(" ").append(gbk::kPageBulletin);
    page.append("</h2>\r\n<table class=\"trax\">\r\n<tr class=\"head\"><td class=\"th\">").append(gbk::kHeaderPeriod);
    page.append("</td><td class=\"th\">").append(gbk::kPageDrawNumbers);
    page.append("</td><td class=\"th\">").append(gbk::kHeaderDrawTime).append("</td></tr>\r\n");
    for (const Draw& draw : book.History(LotteryKind::Pk10, now, kHistoryRows)) {
        page.append("<tr><td>").append(PeriodText(draw)).append("</td><td>").append(NumbersText(draw));
        page.append("</td><td>").append(TimeText(draw)).append("</td></tr>\r\n");
    }
    page.append("</table>\r\n<p class=\"note\">").append(gbk::kPageDisclaimer).append("</p>\r\n</body></html>\r\n");
    return page;
}

} // namespace

std::string PeriodText(const Draw& draw)
{
    if (draw.kind == LotteryKind::Pk10) {
        return std::to_string(Pk10Serial(draw.day, draw.period));
    }
    const std::string date = DateText(ToDateTime(draw.day * kSecondsPerDay), "");
    if (draw.kind == LotteryKind::Chongqing) {
        return date.substr(2) + Padded(draw.period, 3);
    }
    return date + "-" + Padded(draw.period, PeriodWidth(draw.kind));
}

std::string NumbersText(const Draw& draw)
{
    std::string text;
    for (const int number : draw.numbers) {
        if (!text.empty()) {
            text += ',';
        }
        text += draw.kind == LotteryKind::Pk10 ? Padded(number, 2) : std::to_string(number);
    }
    return text;
}

std::string TimeText(const Draw& draw)
{
    const DateTime time = ToDateTime(draw.time);
    if (draw.kind == LotteryKind::Chongqing) {
        return Padded(time.month, 2) + "-" + Padded(time.day, 2) + " " + ClockText(time);
    }
    if (draw.kind == LotteryKind::Pk10) {
        return DateText(time, "-") + " " + ClockText(time);
    }
    return DateText(time, "-") + " " + ClockText(time) + ":" + Padded(time.second, 2);
}

std::string RenderPage(const DrawBook& book, LotteryKind kind, SimTime now, int pendingSeconds)
{
    if (IsOffshore(kind)) {
        return OffshorePage(book, kind, now, pendingSeconds);
    }
    return kind == LotteryKind::Chongqing ? ChongqingPage(book, now) : Pk10Page(book, now);
}

} // namespace yanchuan::drawsim
