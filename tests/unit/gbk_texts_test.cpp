#include "app/gbk_codec.h"
#include "readers/gbk_texts.h"

#include <gtest/gtest.h>

#include <string>

namespace yanchuan {
namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes) { return std::string(bytes.begin(), bytes.end()); }

// The fixed texts whose bytes the kill logs are judged by, byte for byte.
TEST(GbkTexts, BytesAreExactlyTheSystemsOwn)
{
    EXPECT_EQ(gbk::kPk10LineStart, Bytes({0xB5, 0xDA}));
    EXPECT_EQ(gbk::kPk10PeriodsEnd, Bytes({0xC6, 0xDA, 0x33, 0x2D, 0x2D, 0x38, 0xC3, 0xFB, 0xA3, 0xBA}));
    EXPECT_EQ(gbk::kPk10Hit, Bytes({0x20, 0xD6, 0xD0, 0x0D, 0x0A}));
    EXPECT_EQ(gbk::kPk10Miss, Bytes({0x20, 0xA8, 0x77, 0x0D, 0x0A}));
    EXPECT_EQ(gbk::kPeriodMark, Bytes({0xC6, 0xDA}));
    EXPECT_EQ(gbk::kLastTwoFailed, Bytes({0xA8, 0x77}));
    EXPECT_EQ(gbk::kLastTwoHeld, Bytes({0xD7, 0xBC}));
    EXPECT_EQ(gbk::kLastTwoKill, Bytes({0xC6, 0xDA, 0xBA, 0xF3, 0xB6, 0xFE, 0xC9, 0xB1, 0xA3, 0xBA}));
    EXPECT_EQ(gbk::kReadFirstMessage,
        Bytes({0xC7, 0xEB, 0xCF, 0xC8, 0xB6, 0xC1, 0xC8, 0xA1, 0xBF, 0xAA, 0xBD, 0xB1, 0xBA, 0xC5, 0xC2, 0xEB, 0xA3,
            0xAC, 0xD4, 0xD9, 0xB7, 0xD6, 0xCE, 0xF6, 0xA1, 0xA3}));
    EXPECT_EQ(gbk::kWindowTitle,
        Bytes({0xD1, 0xE2, 0xB4, 0xA8, 0xB8, 0xDF, 0xC6, 0xB5, 0xB2, 0xCA, 0x20, 0x76, 0x30, 0x2E, 0x33}));
    EXPECT_EQ(gbk::kIndoOneName, Bytes({0xD3, 0xA1, 0xC4, 0xE1, 0xB7, 0xD6, 0xB7, 0xD6, 0xB2, 0xCA}));
    EXPECT_EQ(gbk::kChongqingName, Bytes({0xD6, 0xD8, 0xC7, 0xEC, 0xCA, 0xB1, 0xCA, 0xB1, 0xB2, 0xCA}));
}

// Every text: its bytes are the GBK form of the characters it stands for.
TEST(GbkTexts, EveryTextIsTheGbkFormOfItsCharacters)
{
    const struct {
        std::string_view gbk;
        std::string_view utf8;
    } texts[] = {
        {gbk::kWindowTitle, "砚川高频彩 v0.3"},
        {gbk::kPk10Name, "北京赛车PK拾"},
        {gbk::kChongqingName, "重庆时时彩"},
        {gbk::kVietFiveName, "越南五分彩"},
        {gbk::kIndoFiveName, "印尼五分彩"},
        {gbk::kVietOneName, "越南分分彩"},
        {gbk::kIndoOneName, "印尼分分彩"},
        {gbk::kReadPk10Caption, "读取PK拾开奖号码"},
        {gbk::kReadChongqingCaption, "读取重庆时时彩"},
        {gbk::kReadVietFiveCaption, "读取越南五分彩"},
        {gbk::kReadIndoFiveCaption, "读取印尼五分彩"},
        {gbk::kReadVietOneCaption, "读取越南分分彩"},
        {gbk::kReadIndoOneCaption, "读取印尼分分彩"},
        {gbk::kAnalysePk10Caption, "分析"},
        {gbk::kAnalyseLastTwoCaption, "分析后二"},
        {gbk::kHeaderNumber, "序号"},
        {gbk::kHeaderPeriod, "期号"},
        {gbk::kHeaderFirst, "冠军"},
        {gbk::kHeaderSecond, "亚军"},
        {gbk::kHeaderThird, "三"},
        {gbk::kHeaderFourth, "四"},
        {gbk::kHeaderFifth, "五"},
        {gbk::kHeaderSixth, "六"},
        {gbk::kHeaderSeventh, "七"},
        {gbk::kHeaderEighth, "八"},
        {gbk::kHeaderNinth, "九"},
        {gbk::kHeaderTenth, "十"},
        {gbk::kHeaderDrawTime, "开奖时间"},
        {gbk::kHeaderTenThousands, "万"},
        {gbk::kHeaderThousands, "千"},
        {gbk::kHeaderHundreds, "百"},
        {gbk::kHeaderTens, "十"},
        {gbk::kHeaderUnits, "个"},
        {gbk::kHeaderTime, "时间"},
        {gbk::kPeriodMark, "期"},
        {gbk::kLastTwoKill, "期后二杀："},
        {gbk::kLastTwoHeld, "准"},
        {gbk::kLastTwoFailed, "╳"},
        {gbk::kReadFirstMessage, "请先读取开奖号码，再分析。"},
        {gbk::kPk10LineStart, "第"},
        {gbk::kPk10PeriodsEnd, "期3--8名："},
        {gbk::kPk10Hit, " 中\r\n"},
        {gbk::kPk10Miss, " ╳\r\n"},
        {gbk::kPk10HitSign, "中"},
        {gbk::kRecordNotJudged, "未判"},
        {gbk::kRecordHitRate, "命中率"},
        {gbk::kRecordChance, "随机"},
        {gbk::kRecordLongestMisses, "最长连错"},
        {gbk::kPageSucceeded, "成功"},
        {gbk::kPageDrawn, "已开奖"},
        {gbk::kPageAwaitingDraw, "等待开奖"},
        {gbk::kPageLatestDraws, "最新开奖"},
        {gbk::kPageDrawNumbers, "开奖号码"},
        {gbk::kPageBulletin, "开奖公告"},
        {gbk::kPageDisclaimer, "数据仅供参考，以官方公布为准"},
    };
    for (const auto& t : texts) {
        EXPECT_EQ(t.gbk, Utf8ToGbk(t.utf8)) << t.utf8;
        EXPECT_EQ(GbkToUtf8(t.gbk), t.utf8);
    }
}

} // namespace
} // namespace yanchuan
