#pragma once

#include <string_view>

// Every GBK text of the system in one place: captions, headers and the fixed
// pieces of the kill logs. The system works on GBK bytes throughout; each text
// is spelled as its bytes with the characters beside it.
namespace yanchuan::gbk {

// clang-format off

// Window
inline constexpr std::string_view kWindowTitle = "\xD1\xE2\xB4\xA8\xB8\xDF\xC6\xB5\xB2\xCA v0.3"; // "砚川高频彩 v0.3"

// Lotteries
inline constexpr std::string_view kPk10Name = "\xB1\xB1\xBE\xA9\xC8\xFC\xB3\xB5PK\xCA\xB0"; // "北京赛车PK拾"
inline constexpr std::string_view kChongqingName = "\xD6\xD8\xC7\xEC\xCA\xB1\xCA\xB1\xB2\xCA"; // "重庆时时彩"
inline constexpr std::string_view kVietFiveName = "\xD4\xBD\xC4\xCF\xCE\xE5\xB7\xD6\xB2\xCA"; // "越南五分彩"
inline constexpr std::string_view kIndoFiveName = "\xD3\xA1\xC4\xE1\xCE\xE5\xB7\xD6\xB2\xCA"; // "印尼五分彩"
inline constexpr std::string_view kVietOneName = "\xD4\xBD\xC4\xCF\xB7\xD6\xB7\xD6\xB2\xCA"; // "越南分分彩"
inline constexpr std::string_view kIndoOneName = "\xD3\xA1\xC4\xE1\xB7\xD6\xB7\xD6\xB2\xCA"; // "印尼分分彩"

// Buttons
inline constexpr std::string_view kReadPk10Caption
    = "\xB6\xC1\xC8\xA1PK\xCA\xB0\xBF\xAA\xBD\xB1\xBA\xC5\xC2\xEB"; // "读取PK拾开奖号码"
inline constexpr std::string_view kReadChongqingCaption
    = "\xB6\xC1\xC8\xA1\xD6\xD8\xC7\xEC\xCA\xB1\xCA\xB1\xB2\xCA"; // "读取重庆时时彩"
inline constexpr std::string_view kReadVietFiveCaption
    = "\xB6\xC1\xC8\xA1\xD4\xBD\xC4\xCF\xCE\xE5\xB7\xD6\xB2\xCA"; // "读取越南五分彩"
inline constexpr std::string_view kReadIndoFiveCaption
    = "\xB6\xC1\xC8\xA1\xD3\xA1\xC4\xE1\xCE\xE5\xB7\xD6\xB2\xCA"; // "读取印尼五分彩"
inline constexpr std::string_view kReadVietOneCaption
    = "\xB6\xC1\xC8\xA1\xD4\xBD\xC4\xCF\xB7\xD6\xB7\xD6\xB2\xCA"; // "读取越南分分彩"
inline constexpr std::string_view kReadIndoOneCaption
    = "\xB6\xC1\xC8\xA1\xD3\xA1\xC4\xE1\xB7\xD6\xB7\xD6\xB2\xCA"; // "读取印尼分分彩"
inline constexpr std::string_view kAnalysePk10Caption = "\xB7\xD6\xCE\xF6"; // "分析"
inline constexpr std::string_view kAnalyseLastTwoCaption = "\xB7\xD6\xCE\xF6\xBA\xF3\xB6\xFE"; // "分析后二"

// Table headers
inline constexpr std::string_view kHeaderNumber = "\xD0\xF2\xBA\xC5"; // "序号"
inline constexpr std::string_view kHeaderPeriod = "\xC6\xDA\xBA\xC5"; // "期号"
inline constexpr std::string_view kHeaderFirst = "\xB9\xDA\xBE\xFC"; // "冠军"
inline constexpr std::string_view kHeaderSecond = "\xD1\xC7\xBE\xFC"; // "亚军"
inline constexpr std::string_view kHeaderThird = "\xC8\xFD"; // "三"
inline constexpr std::string_view kHeaderFourth = "\xCB\xC4"; // "四"
inline constexpr std::string_view kHeaderFifth = "\xCE\xE5"; // "五"
inline constexpr std::string_view kHeaderSixth = "\xC1\xF9"; // "六"
inline constexpr std::string_view kHeaderSeventh = "\xC6\xDF"; // "七"
inline constexpr std::string_view kHeaderEighth = "\xB0\xCB"; // "八"
inline constexpr std::string_view kHeaderNinth = "\xBE\xC5"; // "九"
inline constexpr std::string_view kHeaderTenth = "\xCA\xAE"; // "十"
inline constexpr std::string_view kHeaderDrawTime = "\xBF\xAA\xBD\xB1\xCA\xB1\xBC\xE4"; // "开奖时间"
inline constexpr std::string_view kHeaderTenThousands = "\xCD\xF2"; // "万"
inline constexpr std::string_view kHeaderThousands = "\xC7\xA7"; // "千"
inline constexpr std::string_view kHeaderHundreds = "\xB0\xD9"; // "百"
inline constexpr std::string_view kHeaderTens = "\xCA\xAE"; // "十"
inline constexpr std::string_view kHeaderUnits = "\xB8\xF6"; // "个"
inline constexpr std::string_view kHeaderTime = "\xCA\xB1\xBC\xE4"; // "时间"

// Kill logs
inline constexpr std::string_view kPeriodMark = "\xC6\xDA"; // "期"
inline constexpr std::string_view kLastTwoKill = "\xC6\xDA\xBA\xF3\xB6\xFE\xC9\xB1\xA3\xBA"; // "期后二杀："
inline constexpr std::string_view kLastTwoHeld = "\xD7\xBC"; // "准"
inline constexpr std::string_view kLastTwoFailed = "\xA8w"; // "╳"
inline constexpr std::string_view kReadFirstMessage = "\xC7\xEB\xCF\xC8\xB6\xC1\xC8\xA1\xBF\xAA\xBD\xB1\xBA\xC5\xC2\xEB"
                                                      "\xA3\xAC\xD4\xD9\xB7\xD6\xCE\xF6\xA1\xA3"; // "请先读取开奖号码，再分析。"
inline constexpr std::string_view kPk10LineStart = "\xB5\xDA"; // "第"
inline constexpr std::string_view kPk10PeriodsEnd = "\xC6\xDA"
                                                    "3--8\xC3\xFB\xA3\xBA"; // "期3--8名："
inline constexpr std::string_view kPk10Hit = " \xD6\xD0\r\n"; // " 中\r\n"
inline constexpr std::string_view kPk10Miss = " \xA8w\r\n"; // " ╳\r\n"

// Forecast record
inline constexpr std::string_view kPk10HitSign = "\xD6\xD0"; // "中"
inline constexpr std::string_view kRecordNotJudged = "\xCE\xB4\xC5\xD0"; // "未判"
inline constexpr std::string_view kRecordHitRate = "\xC3\xFC\xD6\xD0\xC2\xCA"; // "命中率"
inline constexpr std::string_view kRecordChance = "\xCB\xE6\xBB\xFA"; // "随机"
inline constexpr std::string_view kRecordLongestMisses = "\xD7\xEE\xB3\xA4\xC1\xAC\xB4\xED"; // "最长连错"

// Draw simulator pages
inline constexpr std::string_view kPageSucceeded = "\xB3\xC9\xB9\xA6"; // "成功"
inline constexpr std::string_view kPageDrawn = "\xD2\xD1\xBF\xAA\xBD\xB1"; // "已开奖"
inline constexpr std::string_view kPageAwaitingDraw = "\xB5\xC8\xB4\xFD\xBF\xAA\xBD\xB1"; // "等待开奖"
inline constexpr std::string_view kPageLatestDraws = "\xD7\xEE\xD0\xC2\xBF\xAA\xBD\xB1"; // "最新开奖"
inline constexpr std::string_view kPageDrawNumbers = "\xBF\xAA\xBD\xB1\xBA\xC5\xC2\xEB"; // "开奖号码"
inline constexpr std::string_view kPageBulletin = "\xBF\xAA\xBD\xB1\xB9\xAB\xB8\xE6"; // "开奖公告"
inline constexpr std::string_view kPageDisclaimer = "\xCA\xFD\xBE\xDD\xBD\xF6\xB9\xA9\xB2\xCE\xBF\xBC\xA3\xAC"
                                                    "\xD2\xD4\xB9\xD9\xB7\xBD\xB9\xAB\xB2\xBC\xCE\xAA\xD7\xBC"; // "数据仅供参考，以官方公布为准"

// clang-format on

} // namespace yanchuan::gbk
