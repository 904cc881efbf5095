#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "failing_vfs.h"
#include "history/draw_export.h"
#include "history/draw_import.h"
#include "history/draw_preview.h"
#include "history/staged_import.h"
#include "history_fixture.h"
#include "runtime/gbk.h"
#include "runtime/text.h"
#include "runtime/time_limits.h"

namespace sanxing::history::testing {
namespace {

using sanxing::WaitForChild;
using sanxing::WriteBytes;

// Options with one choice made.
ImportOptions Replacing() {
    ImportOptions options;
    options.replaceConflicts = true;
    return options;
}
ImportOptions WithColumns(const char* columns) {
    ImportOptions options;
    options.columns = ParseColumnMap(columns).value();
    return options;
}

class Import : public HistoryTest {
protected:
    FixedToday today;  // 2026-08-20
    HistoryDb db = OpenDb();
    Result<ImportReport> ImportText(const std::string& bytes, const Lottery& lottery = Fc3d(),
                                    const ImportOptions& options = {}) {
        const std::string file = folder.file("draws.txt");
        WriteBytes(file, bytes);
        return ImportDrawFile(db, lottery, file, options);
    }
    StoredDraw Stored(const Lottery& lottery, const std::string& issue) {
        const auto draws = db.between(lottery.name, issue, issue).value();
        return draws.empty() ? StoredDraw{} : draws.front();
    }
};

// Files of every shape players keep, each detected on its own: the columns found, and
// the draw of `issue` stored from it without a rejected line.
struct Shape {
    const char* name;
    const char* lottery;
    const char* text;
    const char* columns;
    const char* issue;
    const char* number;
    const char* date;
};

class Shapes : public Import, public ::testing::WithParamInterface<Shape> {};

TEST_P(Shapes, AreDetectedAndImportWhole) {
    const Shape& s = GetParam();
    const Lottery& lottery = *FindLottery(s.lottery);
    auto report = ImportDrawText(db, lottery, s.text, "shape");
    ASSERT_TRUE(report) << report.error();
    EXPECT_EQ(ColumnMapText(report->columns), s.columns);
    EXPECT_TRUE(report->rejected.empty()) << report->rejected[0].line << ": " << report->rejected[0].reason;
    EXPECT_EQ(report->stored, 2u);
    const StoredDraw draw = Stored(lottery, s.issue);
    EXPECT_EQ(draw.number, s.number);
    EXPECT_EQ(draw.date, s.date);
}

INSTANTIATE_TEST_SUITE_P(
    PlayersFiles, Shapes,
    ::testing::Values(
        Shape{"Spaces", "福彩3D", "2024144 816\n2024145 092\n", "期号=1,号码=2", "2024144", "816", ""},
        Shape{"DigitsByComma", "福彩3D", "2024144,8,1,6\n2024145,0,9,2\n", "期号=1,号码=2-4", "2024144", "816", ""},
        Shape{"DigitsBySpace", "排列三", "2024144 8 1 6\n2024145 0 9 2\n", "期号=1,号码=2-4", "2024144", "816", ""},
        Shape{"Tab", "福彩3D", "2024144\t816\n2024145\t092\n", "期号=1,号码=2", "2024144", "816", ""},
        Shape{"DateLast", "福彩3D", "2024144,816,2024-05-30\n2024145,092,2024-05-31\n", "期号=1,号码=2,日期=3",
              "2024144", "816", "2024-05-30"},
        Shape{"DateFirst", "福彩3D", "2024-05-30,2024144,816\n2024-05-31,2024145,092\n", "期号=2,号码=3,日期=1",
              "2024144", "816", "2024-05-30"},
        Shape{"Chinese", "福彩3D", "第2024144期 8 1 6\n第2024145期 0 9 2\n", "期号=1,号码=2-4", "2024144", "816", ""},
        Shape{"Hourly", "重庆时时彩", "20241012-023 1,2,3,4,5\n20241012-024 5,4,3,2,1\n", "期号=1,号码=2-6",
              "241012023", "12345", ""},
        Shape{"XinjiangTenDigits", "新疆时时彩",
              "2014051201，0 1 2 3 4  2014/5/12 20:30\n2014051202，4 3 2 1 0  2014/5/12 20:40\n",
              "期号=1,号码=2-6,日期=7", "014051201", "01234", "2014-05-12"},
        Shape{"EnglishHeaderDerivedColumns", "福彩3D",
              "issue,prize,hundred,ten,unit,sum,tail,gap\n2024144,816,8,1,6,15,5,7\n2024145,092,0,9,2,11,1,9\n",
              "期号=1,号码=2", "2024144", "816", ""},
        Shape{"WordHeaderWithDigits", "福彩3D", "Seq,red_1,red_2,red_3\n2024144,8,1,6\n2024145,0,9,2\n",
              "期号=1,号码=2-4", "2024145", "092", ""},
        Shape{"TwoDigitYearNewestFirst", "排列三", "26216,2026-08-14,9,5,3\n26215,2026-08-13,0,7,0\n",
              "期号=1,号码=3-5,日期=2", "2026215", "070", "2026-08-13"},
        Shape{"ResultsSiteDownload", "排列三",
              "2004001 2004-11-14 1 9 2 271814 1 100000\n2004002 2004-11-15 3 1 7 312004 2 100000\n",
              "期号=1,号码=3-5,日期=2", "2004002", "317", "2004-11-15"},
        Shape{"SpanAndSumTailAfterTheDigits", "福彩3D", "2024144,8,1,6,7,5\n2024145,0,9,2,9,1\n", "期号=1,号码=2-4",
              "2024145", "092", ""},
        Shape{"QuotedFieldsWithCommas", "福彩3D",
              "\"期号\",\"号码\",\"销售额\"\n\"2024144\",\"816\",\"1,234,567\"\n\"2024145\",\"0,9,2\",\"7,654\"\n",
              "期号=1,号码=2", "2024145", "092", ""},
        Shape{"TrialNumberBeforeTheDraw", "福彩3D",
              "期号,试机号,开奖号码,开奖日期\n2024144,\"5 6 7\",\"8 1 6\",2024/05/30\n2024145,567,092,2024/05/31\n",
              "期号=1,号码=3,日期=4", "2024144", "816", "2024-05-30"},
        Shape{"DigitsByDash", "福彩3D", "期号\t开奖号码\t和值\n2024144\t8-1-6\t15\n2024145\t0-9-2\t11\n",
              "期号=1,号码=2", "2024144", "816", ""},
        Shape{"CopiedAnnouncements", "福彩3D",
              "福彩3D 第2024144期 开奖号码：8,1,6 试机号：5,6,7\n福彩3D 第2024145期 开奖号码：0,9,2 试机号：1,1,2\n",
              "期号=2,号码=4-6", "2024144", "816", ""},
        Shape{"JsonRecords", "福彩3D",
              R"({"code": 0, "data": [{"expect": "2024144", "opencode": "8,1,6", "opentime": "2024-05-30 21:15:00"},)"
              R"( {"expect": "2024145", "opencode": [0, 9, 2], "opentime": "2024-05-31 21:15:00"}]})",
              "期号=1,号码=2,日期=3", "2024144", "816", "2024-05-30"},
        Shape{"JsonRows", "排列三", "[[\"2024144\", 8, 1, 6], [\"2024145\", 0, 9, 2]]\n", "期号=1,号码=2-4", "2024145",
              "092", ""},
        Shape{"CrOnly", "福彩3D", "期号,号码\r2024144,816\r2024145,092\r", "期号=1,号码=2", "2024144", "816", ""},
        Shape{"MixedBreaks", "福彩3D", "2024144 816\r\n\r2024145 092\n", "期号=1,号码=2", "2024145", "092", ""},
        Shape{"ByteOrderMarksTwice", "福彩3D",
              "\xEF\xBB\xBF\xEF\xBB\xBF"
              "2024144,816\n2024145,092",
              "期号=1,号码=2", "2024144", "816", ""},
        Shape{"CopiedTrialDrawFirst", "排列三",
              "第2024144期 试机号：5 6 7 开奖号码：8 1 6\n第2024145期 试机号：1 1 2 开奖号码：0 9 2\n",
              "期号=1,号码=7-9", "2024145", "092", ""},
        Shape{"ExcelDroppedYearZeros", "排列三", "期号,开奖号码,开奖日期\n9357,192,2009-12-30\n9358,317,2009-12-31\n",
              "期号=1,号码=2,日期=3", "2009358", "317", "2009-12-31"},
        Shape{"LetteredIssueGbkTabs", "福彩3D",  // 期号 号码 和值 日期, 2005年1月1日 in GBK
              "\xC6\xDA\xBA\xC5\t\xBA\xC5\xC2\xEB\t\xBA\xCD\xD6\xB5\t\xC8\xD5\xC6\xDA\t\n"
              "2005D001\t816\t15\t2005\xC4\xEA"
              "1\xD4\xC2"
              "1\xC8\xD5\t\n"
              "2005D002\t092\t11\t2005\xC4\xEA"
              "1\xD4\xC2"
              "2\xC8\xD5\t\n",
              "期号=1,号码=2,日期=4", "2005002", "092", "2005-01-02"},
        Shape{"JsonPaddedDigitStrings", "福彩3D",
              R"({"data":[{"issue":"2024144","red":["08","01","06"]},{"issue":"2024145","red":["00","09","02"]}]})",
              "期号=1,号码=2", "2024144", "816", ""}),
    [](const ::testing::TestParamInfo<Shape>& info) { return info.param.name; });

// Files mix the number's two forms; a lone digit is never read as the start of a number
// when another one-digit field follows its digits (a spreadsheet that dropped the zeros
// of 007 leaves "7" before the digit columns 0, 0, 7 and the sum 7).
TEST_F(Import, NumbersWholeOrByDigitAtTheNumbersPlace) {
    auto mixed = ImportText("2024001 1 2 3\n2024002,456\n2024003 789 2024-01-03\n2024004 1 0 1 2024-01-04\n");
    ASSERT_TRUE(mixed) << mixed.error();
    EXPECT_EQ(mixed->stored, 4u);
    EXPECT_EQ(Stored(Fc3d(), "2024004").number, "101");
    const std::string stripped = "issue,prize,hundred,ten,unit,sum\n2024005,816,8,1,6,15\n2024006,7,0,0,7,7\n";
    auto byPrize = ImportText(stripped, Fc3d(), WithColumns("期号=1,号码=2"));
    ASSERT_TRUE(byPrize);
    EXPECT_EQ(byPrize->stored, 1u);
    ASSERT_EQ(byPrize->rejected.size(), 1u);
    EXPECT_EQ(byPrize->rejected[0].line, 3u);
    auto detected = ImportText(stripped);  // the digit columns hold on every line
    ASSERT_TRUE(detected);
    EXPECT_EQ(ColumnMapText(detected->columns), "期号=1,号码=3-5");
    EXPECT_EQ(Stored(Fc3d(), "2024006").number, "007");
}

TEST_F(Import, ReadsGbkUtf8BomAndCrLfAlike) {
    const std::string lines = "期号 号码\r\n第2024001期 1 2 3\r\n第2024002期 4 5 6\r\n";
    auto gbk = ImportText(sanxing::Utf8ToGbk(lines));
    ASSERT_TRUE(gbk) << gbk.error();
    EXPECT_EQ(gbk->stored, 2u);
    EXPECT_TRUE(gbk->rejected.empty());
    auto bom = ImportText("\xEF\xBB\xBF" + lines + "第2024003期 7 8 9");
    ASSERT_TRUE(bom);
    EXPECT_EQ(bom->stored, 1u);
    EXPECT_EQ(bom->present, 2u);
    EXPECT_EQ(db.newest("福彩3D", 1).value()[0].source, "draws.txt");
    // Excel's "Unicode text": UTF-16 with its mark, tabs, CR LF.
    std::string utf16 = "\xFF\xFE";
    for (const char16_t unit : std::u16string(u"期号\t开奖号码\r\n2024004\t246\r\n")) {
        utf16 += static_cast<char>(unit & 0xFF);
        utf16 += static_cast<char>(unit >> 8);
    }
    auto wide = ImportText(utf16);
    ASSERT_TRUE(wide) << wide.error();
    EXPECT_EQ(Stored(Fc3d(), "2024004").number, "246");
}

TEST_F(Import, TwoSpellingsOfOneDrawAreOneDraw) {
    const Lottery& xinjiang = *FindLottery("新疆时时彩");
    ASSERT_TRUE(ImportDrawText(db, xinjiang, "2024101223 12345\n", "a"));
    auto again = ImportDrawText(db, xinjiang, "20241012-023 12345\n", "b");
    ASSERT_TRUE(again);
    EXPECT_EQ(again->present, 1u);
    EXPECT_EQ(db.count(xinjiang.name).value(), 1u);
}

TEST_F(Import, ReportsStoredConflictsAndRejectionsWithLineNumbers) {
    ASSERT_TRUE(db.record("福彩3D", {{"2024002", "222", "", "A", ""}}));
    auto report = ImportText("2024003 333\n2024002 999\n\n2024999 111\n2024004 444\n");
    ASSERT_TRUE(report);
    EXPECT_EQ(report->stored, 2u);
    ASSERT_EQ(report->conflicts.size(), 1u);
    EXPECT_EQ(report->conflicts[0].line, 2u);
    EXPECT_EQ(report->conflicts[0].stored, "222");
    EXPECT_EQ(report->conflicts[0].file, "999");
    ASSERT_EQ(report->rejected.size(), 1u);
    EXPECT_EQ(report->rejected[0].line, 4u);
    EXPECT_NE(report->rejected[0].reason.find("001–366"), std::string::npos) << report->rejected[0].reason;
    EXPECT_EQ(Stored(Fc3d(), "2024002").number, "222");
}

// One issue twice in the file: the same number is stored once; different numbers are
// both conflicts and neither is stored, whatever was read in between.
TEST_F(Import, LinesOfOneFileThatDisagreeStoreNeither) {
    auto report = ImportText("2024001 111\n2024002 222\n2024001 111\n2024002 999\n2024003 333\n2024002 222\n");
    ASSERT_TRUE(report) << report.error();
    EXPECT_EQ(report->stored, 2u);
    EXPECT_EQ(report->repeated, 1u);
    EXPECT_EQ(report->fileConflicts, 1u);
    ASSERT_EQ(report->conflicts.size(), 3u);
    EXPECT_EQ(report->conflicts[0].line, 2u);
    EXPECT_EQ(report->conflicts[0].otherLine, 4u);
    EXPECT_EQ(report->conflicts[1].line, 4u);
    EXPECT_EQ(report->conflicts[1].file, "999");
    EXPECT_EQ(report->conflicts[2].line, 6u);
    EXPECT_TRUE(report->conflicts[2].stored.empty());
    EXPECT_EQ(Stored(Fc3d(), "2024002").number, "");
    EXPECT_NE(ImportSummary(*report).find("冲突 1 期"), std::string::npos) << ImportSummary(*report);
}

TEST_F(Import, ReplacingConflictsTakesTheFileAndListsEachReplacedDraw) {
    ASSERT_TRUE(db.record("福彩3D", {{"2024002", "222", "2024-01-02", "A", ""}, {"2024003", "333", "", "A", ""}}));
    const std::string text = "2024002,999\n2024003,333,2024-01-03\n2024004,444\n";
    auto kept = ImportText(text);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->storedConflicts, 1u);
    EXPECT_EQ(Stored(Fc3d(), "2024002").number, "222");
    auto replaced = ImportText(text, Fc3d(), Replacing());
    ASSERT_TRUE(replaced) << replaced.error();
    ASSERT_EQ(replaced->replaced.size(), 1u);
    EXPECT_EQ(replaced->replaced[0].line, 1u);
    EXPECT_EQ(replaced->replaced[0].before, "222");
    EXPECT_EQ(replaced->replaced[0].after, "999");
    EXPECT_EQ(replaced->conflictCount(), 0u);
    EXPECT_EQ(replaced->present, 2u);
    EXPECT_EQ(Stored(Fc3d(), "2024002").number, "999");
    EXPECT_EQ(Stored(Fc3d(), "2024002").date, "2024-01-02");  // the file gave no date
    EXPECT_NE(ImportSummary(*replaced).find("以文件为准替换 1 期"), std::string::npos);
}

TEST_F(Import, GivenColumnsOverrideTheDetection) {
    const std::string text = "2024144,101,816\n2024145,102,092\n";
    auto detected = ImportText(text);
    ASSERT_TRUE(detected);
    EXPECT_EQ(Stored(Fc3d(), "2024144").number, "101");
    ImportOptions options = WithColumns("期号=1,号码=3");
    options.replaceConflicts = true;
    auto given = ImportText(text, Fc3d(), options);
    ASSERT_TRUE(given);
    EXPECT_EQ(Stored(Fc3d(), "2024144").number, "816");
    auto misfit = ImportText(text, Chongqing(), WithColumns("期号=1,号码=2-4"));
    ASSERT_FALSE(misfit);
    EXPECT_NE(misfit.error().find("号码有 5 位"), std::string::npos) << misfit.error();
}

// Only a date gives back the year a spreadsheet cut from an issue; the report counts
// the issues so restored and names a skipped first line that holds digits.
TEST_F(Import, DroppedYearZerosComeBackOnlyByTheLinesDate) {
    auto report = ImportText("期号 2004,号码,日期\n4001,192,2004-11-14\n4002,317,2004-11-15\n4003,718\n", Pl3());
    ASSERT_TRUE(report) << report.error();
    EXPECT_EQ(report->stored, 2u);
    EXPECT_EQ(Stored(Pl3(), "2004002").number, "317");
    ASSERT_EQ(report->rejectedCount(), 1u);
    EXPECT_EQ(report->rejected[0].line, 4u);
    const std::string summary = ImportSummary(*report);
    EXPECT_NE(summary.find("2 行的期号缺了开头的 0"), std::string::npos) << summary;
    EXPECT_NE(summary.find("第 1 行当作标题跳过：“期号 2004 号码 日期”"), std::string::npos) << summary;
}

// Five-digit draws picked for a three-digit lottery are never cut to three silently: the
// file is refused unless the three columns are given; for a five-digit lottery whose
// issues they are not, the issues are named.
TEST_F(Import, FiveDigitDrawsAreNamedNotCut) {
    std::string file = "Seq,pos_1,pos_2,pos_3,pos_4,pos_5\n";
    for (int i = 1; i <= 30; ++i) {
        file += std::to_string(2005000 + i) + "," + std::to_string(i % 10) + "," + std::to_string(i * 7 % 10) + ",";
        file += std::to_string(i * 3 % 10) + "," + std::to_string(i * 9 % 10) + "," + std::to_string(i * 13 % 7) + "\n";
    }
    auto refused = ImportText(file, Pl3());
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().find("文件中的号码是 5 位（像排列五），而排列三的号码是 3 位"), std::string::npos)
        << refused.error();
    auto fronts = ImportText(file, Pl3(), WithColumns("期号=1,号码=2-4"));
    ASSERT_TRUE(fronts) << fronts.error();
    EXPECT_EQ(fronts->stored, 30u);
    auto hourly = ImportText(file, Chongqing());
    ASSERT_FALSE(hourly);
    EXPECT_NE(hourly.error().find("没有一列是重庆时时彩的期号"), std::string::npos) << hourly.error();
}

// A file whose draws contradict the chosen lottery's history and agree with another's is
// named before anything is stored; --replace-conflicts does not override that, the
// player's confirmation does.
TEST_F(Import, AFileOfTheOtherLotteryIsNamedBeforeStoring) {
    const OtherLotteryFile other;
    const std::string& file = other.file;
    ASSERT_TRUE(db.record("福彩3D", other.fc3d));
    ASSERT_TRUE(db.record("排列三", other.pl3));
    for (const ImportOptions& options : {ImportOptions{}, Replacing()}) {
        auto refused = ImportText(file, Pl3(), options);
        ASSERT_FALSE(refused);
        EXPECT_NE(refused.error().find("这些号码与福彩3D的开奖历史一致（8 期），与排列三的不一致：是不是选错了彩种？"),
                  std::string::npos)
            << refused.error();
    }
    EXPECT_EQ(Stored(Pl3(), "2024001").number, "899");
    ImportOptions confirmed;
    confirmed.otherLotteryConfirmed = true;
    auto report = ImportText(file, Pl3(), confirmed);
    ASSERT_TRUE(report) << report.error();
    EXPECT_EQ(report->conflictCount(), 8u);
}

TEST_F(Import, HeaderOnlyFileChangesNothingAndSaysSo) {
    auto report = ImportText("期号,号码,开奖日期\n\n");
    ASSERT_TRUE(report) << report.error();
    EXPECT_EQ(report->draws(), 0u);
    EXPECT_TRUE(report->rejected.empty());
    EXPECT_NE(ImportSummary(*report).find("没有开奖号码"), std::string::npos);
    EXPECT_EQ(db.count("福彩3D").value(), 0u);
}

TEST_F(Import, FileOfDerivedColumnsOnlyNamesItsFirstLine) {
    auto report = ImportText("和值,跨度,形态\n15,7,组六\n12,5,组三\n");
    ASSERT_FALSE(report);
    EXPECT_NE(report.error().find("无法识别期号和号码所在的列"), std::string::npos) << report.error();
    EXPECT_NE(report.error().find("和值,跨度,形态"), std::string::npos) << report.error();
}

TEST_F(Import, DrawsOfAnotherDigitCountNameTheRightLottery) {
    auto report = ImportText("2024144 816\n2024145 092\n", Chongqing());
    ASSERT_FALSE(report);
    EXPECT_NE(report.error().find("福彩3D"), std::string::npos) << report.error();
    const auto preview = PreviewDrawText("20241012-023 1,2,3,4,5\n", "x", Fc3d()).value();
    ASSERT_NE(preview.detection.better, nullptr);
    EXPECT_EQ(preview.detection.better->digits, 5);
    // Columns given (as the preview passes them on) do not hide it from the import's report.
    const auto given =
        ImportText("241012001 12345\n2024144 816\n2024145 092\n", Chongqing(), WithColumns("期号=1,号码=2")).value();
    ASSERT_NE(given.better, nullptr);
    EXPECT_EQ(given.better->name, "福彩3D");
    EXPECT_EQ(given.rejectedCount(), 2u);
}

TEST_F(Import, PreviewTellsWhatTheImportWillDoAndStoresNothing) {
    std::string text = "期号,号码\n";
    for (int i = 1; i <= 30; ++i) text += "2024" + std::string(i < 10 ? "00" : "0") + std::to_string(i) + ",123\n";
    text += "2024999,123\n2024031,12\n";
    const auto preview = PreviewDrawText(text, "x", Fc3d()).value();
    EXPECT_EQ(PreviewSummary(preview), "共 33 行，找到 30 期开奖号码，2 行将被拒绝");
    ASSERT_EQ(preview.firstLines.size(), kPreviewLines);
    EXPECT_EQ(preview.firstLines[0].kind, ParsedLine::Kind::Header);
    EXPECT_EQ(preview.firstLines[1].fields, (std::vector<std::string>{"2024001", "123"}));
    ASSERT_EQ(preview.refusals.size(), 2u);
    EXPECT_EQ(preview.refusals[1].line, 33u);
    EXPECT_EQ(db.count("福彩3D").value(), 0u);
    const auto undetected = PreviewDrawText("a,b\nc,d\n", "x", Fc3d()).value();
    EXPECT_NE(undetected.problem.find("无法识别"), std::string::npos);
    EXPECT_EQ(undetected.refused, 1u);
}

// Draws go in by blocks; a block with a stored issue or an issue given twice still gets
// every line its own outcome.
TEST_F(Import, LongFilesReportEveryLineAsShortOnesDo) {
    ASSERT_TRUE(db.record("福彩3D", {{"2024100", "100", "", "A", ""}}));
    std::string text;
    for (int i = 1; i <= 200; ++i) {
        char line[32];
        std::snprintf(line, sizeof line, "%d %03d\n", 2024000 + i, i % 1000);
        text += line;
        if (i == 150) text += "2024150 999\n";
    }
    auto report = ImportText(text);
    ASSERT_TRUE(report) << report.error();
    EXPECT_EQ(report->stored, 198u);
    EXPECT_EQ(report->present, 1u);
    ASSERT_EQ(report->conflicts.size(), 2u);
    EXPECT_EQ(report->conflicts[0].line, 150u);
    EXPECT_EQ(report->conflicts[1].line, 151u);
    EXPECT_EQ(db.count("福彩3D").value(), 199u);
}

TEST_F(Import, AWriteThatFailsPartWayStoresNothingAndSaysSo) {
    const std::string file = folder.file("draws.txt");
    WriteBytes(file, Fc3dLines(2000));
    sanxing::test::FailingVfs vfs;
    HistoryDb failing = OpenDb();  // goes through the failing VFS
    vfs.failWritesAfter(5);
    auto report = ImportDrawFile(failing, Fc3d(), file);
    vfs.heal();
    ASSERT_FALSE(report);
    EXPECT_NE(report.error().find("disk I/O error"), std::string::npos) << report.error();
    EXPECT_EQ(db.count("福彩3D").value(), 0u);
}

// Good lines before a fault are not kept: the import is one transaction.
TEST_F(Import, BadFilesAreRefusedWholeAndStoreNothing) {
    const std::string good = Fc3dLines(8000);  // more than one read of the file
    const std::atomic<bool> cancelled{true};
    WriteBytes(folder.file("good.txt"), good);
    ImportOptions cancelling;
    cancelling.cancel = &cancelled;
    EXPECT_FALSE(ImportDrawFile(db, Fc3d(), folder.file("good.txt"), cancelling));
    auto binary = ImportText(good + std::string("\0\x01\x02", 3));
    ASSERT_FALSE(binary);
    EXPECT_NE(binary.error().find("二进制"), std::string::npos) << binary.error();
    auto page = ImportText("\n<!DOCTYPE html><html><body><table><tr><td>2024144</td><td>816</td></tr></table>\n");
    ASSERT_FALSE(page);
    EXPECT_NE(page.error().find("这是网页（HTML）"), std::string::npos) << page.error();
    auto workbook = ImportText(std::string("PK\x03\x04\x14\0\x06\0", 8) + "[Content_Types].xml");
    ASSERT_FALSE(workbook);
    EXPECT_NE(workbook.error().find("另存为” CSV"), std::string::npos) << workbook.error();
    auto deep = ImportText("[" + std::string(70000, '[') + std::string(70000, ']') + "]");
    ASSERT_FALSE(deep);
    EXPECT_NE(deep.error().find("JSON 嵌套太深（超过 64 层）"), std::string::npos) << deep.error();
    EXPECT_FALSE(ImportDrawFile(db, Fc3d(), folder.path()));
    EXPECT_FALSE(ImportDrawFile(db, Fc3d(), folder.file("missing.txt")));
    const std::string huge = folder.file("huge.txt");
    WriteBytes(huge, "");
    std::filesystem::resize_file(huge, 1ull << 30);  // sparse: no disk used
    auto tooBig = ImportDrawFile(db, Fc3d(), huge);
    ASSERT_FALSE(tooBig);
    EXPECT_NE(tooBig.error().find("太大"), std::string::npos);
    EXPECT_FALSE(ImportDrawText(db, Fc3d(), std::string_view(good.data(), kMaxImportBytes + 1), "x"));
    EXPECT_EQ(db.count("福彩3D").value(), 0u);
}

// Closing the window while many draws are stored: the store stops, and nothing is stored.
TEST_F(Import, ACancelWhileStoringStopsTheStoreAndStoresNothing) {
    std::vector<FileDraw> draws;
    for (const StoredDraw& draw : Fc3dDraws(5000)) draws.push_back({draws.size() + 1, draw.issue, draw.number, ""});
    {
        auto staging = StagedImport::begin(db, Fc3d());
        ASSERT_TRUE(staging);
        ASSERT_TRUE(staging->stage(draws));
        const std::atomic<bool> cancel{true};
        staging->cancelWith(&cancel);
        EXPECT_FALSE(staging->finish("x", NowUtc(), false, kListLimit));
    }
    EXPECT_EQ(db.count("福彩3D").value(), 0u);
}

// The reading is done by a child that may not read the file, with its own database.
TEST_F(Import, UnreadableFileIsRefused) {
    const std::string file = folder.file("secret.txt");
    WriteBytes(file, "2024001 123\n");
    KeepFromChild(file);
    std::filesystem::permissions(folder.path(), std::filesystem::perms::all);
    const pid_t child = fork();
    if (child == 0) {
        if (!DropToNobody()) _exit(3);
        auto own = HistoryDb::open(folder.file("child.sqlite"));
        if (!own) _exit(2);
        auto report = ImportDrawFile(*own, Fc3d(), file);
        _exit(!report && report.error().find("没有读取权限") != std::string::npos && own->count("福彩3D").value() == 0
                  ? 0
                  : 1);
    }
    const int status = WaitForChild(child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

// What is read is checked as opened: a FIFO at the path, or swapped in for the file at
// any moment, is refused at once, never waited on.
TEST_F(Import, AFifoSwappedInIsRefusedWithoutWaiting) {
    const std::string path = folder.file("draws.txt"), fifo = folder.file("fifo"), plain = folder.file("plain");
    const std::string spare = folder.file("spare");
    WriteBytes(plain, "2024001 123\n");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_hard_link(fifo, path);
    auto refused = ImportDrawFile(db, Fc3d(), path);
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().find("这不是普通文件"), std::string::npos) << refused.error();
    std::atomic<bool> done{false};
    std::atomic<int> reads{0}, waited{0};
    std::thread swapper([&] {
        for (int k = 0; !done; ++k) {
            ::unlink(spare.c_str());
            if (::link((k % 2 ? fifo : plain).c_str(), spare.c_str()) == 0) ::rename(spare.c_str(), path.c_str());
        }
    });
    // A read that waits on the FIFO is freed by a writer once no read ended for a while.
    std::thread watchdog([&] {
        for (int seen = -1; !done; std::this_thread::sleep_for(std::chrono::milliseconds(250))) {
            if (const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK); writer >= 0) {
                waited += reads == seen;
                ::close(writer);
            }
            seen = reads;
        }
    });
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    for (; std::chrono::steady_clock::now() < end; ++reads) (void)PreviewDrawFile(path, Fc3d());
    done = true;
    swapper.join();
    watchdog.join();
    EXPECT_EQ(waited, 0);
}

TEST_F(Import, OverlongLineIsRejectedAndTheRestRead) {
    auto report = ImportText("2024001 123\n" + std::string(100000, '7') + "\n2024002 456");
    ASSERT_TRUE(report);
    EXPECT_EQ(report->stored, 2u);
    ASSERT_EQ(report->rejected.size(), 1u);
    EXPECT_EQ(report->rejected[0].line, 2u);
}

// The last line of a file without a final line break may be cut short: a value it ends
// in that a whole file would not end in rejects it, counted; whole last lines are stored.
TEST_F(Import, LastLineCutShortIsRejectedNeverStoredAltered) {
    const std::string first = "2024144,816,2024-05-30\n2024145,092,2024-05-31\n";
    for (const std::string last :
         {"2024-08-1", "2024-10-1", "2024-08-", "2024-0", "2024", "202408", "2024年8月1", ""}) {
        const auto preview = PreviewDrawText(first + "2024146,333," + last, "x", Fc3d()).value();
        EXPECT_EQ(preview.refused, 1u) << last;
        const auto cutBeforeDate = PreviewDrawText(first + "2024146,333", "x", Fc3d()).value();
        EXPECT_EQ(cutBeforeDate.refused, 1u);
    }
    for (const char* last : {"2024-08-11", "2024/8/1", "2024年10月1日", "20241001", "2024-06-02(日)"}) {
        EXPECT_EQ(PreviewDrawText(first + "2024146,333," + last, "x", Fc3d()).value().draws, 3u) << last;
    }
    // A padded month beside a one-digit day is no date anywhere in a file.
    EXPECT_EQ(PreviewDrawText("2024146,333,2024-08-1\n" + first, "x", Fc3d()).value().refused, 1u);
    const auto issueLast = PreviewDrawText("816 2024144\n092 2024145\n333 20241", "x", Fc3d()).value();
    EXPECT_EQ(issueLast.refused, 1u);
    auto report = ImportText(first + "2024146,333,2025-08-1");
    ASSERT_TRUE(report) << report.error();
    ASSERT_EQ(report->rejected.size(), 1u);
    EXPECT_EQ(report->rejected[0].line, 3u);
    EXPECT_NE(report->rejected[0].reason.find("“2025-08-1”不完整"), std::string::npos) << report->rejected[0].reason;
    EXPECT_EQ(db.count("福彩3D").value(), 2u);
}

// Lines end at LF, CR LF or CR, each counted once, even when a CR LF falls between two
// reads of the file; a first line with digits where the issue is is never a header.
TEST_F(Import, EveryLineIsCountedWhateverItsBreak) {
    // 13 bytes a line after 4 spaces: a CR at the last byte of the first read.
    auto report = ImportText(ToCrLf("    " + Fc3dLines(5041) + "2024999 123\n"));
    ASSERT_TRUE(report) << report.error();
    EXPECT_EQ(report->stored, 5041u);
    ASSERT_EQ(report->rejected.size(), 1u);
    EXPECT_EQ(report->rejected[0].line, 5042u);
    const auto wideDigit = PreviewDrawText("2024１44,816\n2024145,092\n", "x", Fc3d()).value();
    EXPECT_EQ(wideDigit.refused, 1u);
}

// Text of the file is quoted with its control characters written out, never raw.
TEST_F(Import, QuotedFileTextCarriesNoControlCharacters) {
    auto undetected = ImportText("\x1b[2J\x1b[1;1H\x1b[32m福彩3D 更新成功\nx\n");
    ASSERT_FALSE(undetected);
    EXPECT_EQ(undetected.error().find('\x1b'), std::string::npos);
    EXPECT_NE(undetected.error().find("\\x1b[2J\\x1b[1;1H"), std::string::npos) << undetected.error();
    auto rejected = ImportText("2024001 123\n2024\x1b[2J002 456\n2024003 45\x1b[2J\n");
    ASSERT_TRUE(rejected) << rejected.error();
    ASSERT_EQ(rejected->rejected.size(), 2u);
    for (const ImportRejection& line : rejected->rejected) {
        EXPECT_EQ(line.reason.find('\x1b'), std::string::npos) << line.reason;
    }
}

TEST_F(Import, ExportThenImportIntoAnEmptyDatabaseGivesTheSameDraws) {
    ASSERT_TRUE(ImportText("20241012-023 12345 2024-10-12\n241012024 54321\n20241013001 00000\n", Chongqing()));
    const std::string csv = ExportCsv(db, "重庆时时彩").value();
    // A byte order mark for spreadsheets, numbers as plain digits; the import reads it back.
    EXPECT_EQ(csv, "\xEF\xBB\xBF期号,号码,开奖日期\n241012023,12345,2024-10-12\n241012024,54321,\n241013001,00000,\n");
    const std::string file = folder.file("export.csv");
    WriteBytes(file, csv);
    sanxing::TempFolder other;
    auto empty = HistoryDb::open(other.file("h.sqlite"));
    ASSERT_TRUE(empty);
    auto report = ImportDrawFile(*empty, Chongqing(), file);
    ASSERT_TRUE(report) << report.error();
    EXPECT_EQ(report->stored, 3u);
    EXPECT_TRUE(report->rejected.empty());
    auto fields = [](std::vector<StoredDraw> draws) {
        for (auto& draw : draws) draw.source = draw.recorded = "";
        return draws;
    };
    EXPECT_EQ(fields(empty->newest("重庆时时彩", 10).value()), fields(db.newest("重庆时时彩", 10).value()));
}

// Two processes import at once into one database: each waits for the other's
// transaction, and every draw of both files ends up stored.
TEST_F(Import, TwoProcessesImportingAtOnceLoseNothing) {
    std::string a, b;
    const std::string lines = Fc3dLines(3000);
    std::size_t at = 0;
    for (int i = 0; at < lines.size(); ++i) {
        const std::size_t end = lines.find('\n', at) + 1;
        const std::string line = lines.substr(at, end - at);
        at = end;
        (i % 2 ? a : b) += line;
        if (i % 3 == 0) (i % 2 ? b : a) += line;  // some draws in both files
    }
    WriteBytes(folder.file("a.txt"), a);
    WriteBytes(folder.file("b.txt"), b);
    std::vector<pid_t> children;
    for (const char* name : {"a.txt", "b.txt"}) {
        const pid_t child = fork();
        if (child == 0) {
            auto own = HistoryDb::open(dbPath);
            if (!own) _exit(2);
            auto report = ImportDrawFile(*own, Fc3d(), folder.file(name));
            _exit(report && report->conflicts.empty() && report->rejected.empty() ? 0 : 1);
        }
        children.push_back(child);
    }
    for (pid_t child : children) {
        const int status = WaitForChild(child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    EXPECT_EQ(db.count("福彩3D").value(), 3000u);
}

// Reading the input holds no lock: while an import waits for more of its standard input,
// another connection writes at once.
TEST_F(Import, AnImportWaitingForInputLeavesTheHistoryToOtherWriters) {
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    std::FILE* input = ::fdopen(pipeEnds[0], "r");
    Result<ImportReport> imported = Failure{"not run"};
    std::thread importing([&] { imported = ImportDrawStream(db, Fc3d(), input, "-"); });
    const std::string lines = Fc3dLines(200);
    ASSERT_EQ(::write(pipeEnds[1], lines.data(), lines.size()), static_cast<ssize_t>(lines.size()));
    for (int unread = 1; unread > 0;) {  // the import has begun once it took the lines
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        ASSERT_EQ(::ioctl(pipeEnds[0], FIONREAD, &unread), 0);
    }
    HistoryDb::setWaitForWriters(std::chrono::milliseconds(20));
    auto other = HistoryDb::open(dbPath);
    HistoryDb::setWaitForWriters(std::chrono::seconds(15));
    ASSERT_TRUE(other);
    const auto written = other->record("排列三", Fc3dDraws(1));
    ::close(pipeEnds[1]);
    importing.join();
    std::fclose(input);
    EXPECT_TRUE(written) << written.error();
    ASSERT_TRUE(imported) << imported.error();
    EXPECT_EQ(imported->stored, 200u);
}

}  // namespace
}  // namespace sanxing::history::testing
