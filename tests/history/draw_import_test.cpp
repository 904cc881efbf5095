#include <sys/wait.h>
#include <unistd.h>

#include "failing_vfs.h"
#include "history/draw_export.h"
#include "history/draw_import.h"
#include "history/draw_line.h"
#include "history_fixture.h"
#include "runtime/gbk.h"
#include "runtime/time_limits.h"

namespace sanxing::history::testing {
namespace {

using sanxing::WaitForChild;
using sanxing::WriteBytes;
using Kind = ParsedLine::Kind;

struct LayoutCase {
    const char* line;
    const char* lottery;
    const char* issue;
    const char* number;
    const char* date;
};

class Layouts : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(Layouts, GiveIssueNumberAndDate) {
    const LayoutCase& c = GetParam();
    const ParsedLine parsed = ParseDrawLine(c.line, *FindLottery(c.lottery));
    ASSERT_EQ(parsed.kind, Kind::Draw) << parsed.reason;
    EXPECT_EQ(parsed.issue, c.issue);
    EXPECT_EQ(parsed.number, c.number);
    EXPECT_EQ(parsed.date, c.date);
}

INSTANTIATE_TEST_SUITE_P(
    PlayersFiles, Layouts,
    ::testing::Values(LayoutCase{"2024144 816", "福彩3D", "2024144", "816", ""},
                      LayoutCase{"2024144,8,1,6", "福彩3D", "2024144", "816", ""},
                      LayoutCase{"2024144 8 1 6", "排列三", "2024144", "816", ""},
                      LayoutCase{"2024144\t816", "福彩3D", "2024144", "816", ""},
                      LayoutCase{"2024144,816,2024-05-30", "福彩3D", "2024144", "816", "2024-05-30"},
                      LayoutCase{"2024-05-30,2024144,816", "福彩3D", "2024144", "816", "2024-05-30"},
                      LayoutCase{"20241012-023 1,2,3,4,5", "重庆时时彩", "241012023", "12345", ""},
                      LayoutCase{"第2024144期 8 1 6", "福彩3D", "2024144", "816", ""},
                      LayoutCase{"2014051201，0 1 2 3 4  2014/5/12 20:30", "新疆时时彩", "014051201", "01234",
                                 "2014-05-12"}));

TEST(DrawLine, RejectsWhatIsNotExactlyOneDraw) {
    const Lottery& fc3d = Fc3d();
    EXPECT_EQ(ParseDrawLine("202410120231 12345", Chongqing()).kind, Kind::Rejected);
    for (const char* line :
         {"2024144 8160", "2024144 81", "2024144", "2024144 8 1 x", "24144 816", "abc", "2024144 816 12 34"}) {
        const ParsedLine parsed = ParseDrawLine(line, fc3d);
        EXPECT_EQ(parsed.kind, Kind::Rejected) << line;
        EXPECT_FALSE(parsed.reason.empty());
    }
    EXPECT_NE(ParseDrawLine("241012023 816", Chongqing()).reason.find("5 位"), std::string::npos);
    EXPECT_EQ(ParseDrawLine("期号,开奖号码,开奖日期", fc3d).kind, Kind::Header);
    EXPECT_EQ(ParseDrawLine("  \t ", fc3d).kind, Kind::Blank);
}

class Import : public HistoryTest {
protected:
    HistoryDb db = OpenDb();
    Result<ImportReport> ImportText(const std::string& bytes, const Lottery& lottery = Fc3d()) {
        const std::string file = folder.file("draws.txt");
        WriteBytes(file, bytes);
        return ImportDrawFile(db, lottery, file);
    }
};

TEST_F(Import, ReadsGbkUtf8BomAndCrLfAlike) {
    const std::string lines = "期号 号码\r\n第2024001期 1 2 3\r\n2024002,456\r\n";
    auto gbk = ImportText(sanxing::Utf8ToGbk(lines));
    ASSERT_TRUE(gbk) << gbk.error();
    EXPECT_EQ(gbk->stored, 2u);
    EXPECT_TRUE(gbk->rejected.empty());
    auto bom = ImportText("\xEF\xBB\xBF" + lines + "2024003 789");
    ASSERT_TRUE(bom);
    EXPECT_EQ(bom->stored, 1u);
    EXPECT_EQ(bom->present, 2u);
    EXPECT_EQ(db.newest("福彩3D", 1).value()[0].source, "draws.txt");
}

TEST_F(Import, ReportsConflictsAndRejectionsWithLineNumbers) {
    ASSERT_TRUE(db.record("福彩3D", {{"2024002", "222", "", "A", ""}}));
    auto report = ImportText("2024003 333\n2024002 999\n\n2024001 1\n2024002 222\n");
    ASSERT_TRUE(report);
    EXPECT_EQ(report->stored, 1u);
    EXPECT_EQ(report->present, 1u);
    ASSERT_EQ(report->conflicts.size(), 1u);
    EXPECT_EQ(report->conflicts[0].line, 2u);
    EXPECT_EQ(report->conflicts[0].stored, "222");
    EXPECT_EQ(report->conflicts[0].file, "999");
    ASSERT_EQ(report->rejected.size(), 1u);
    EXPECT_EQ(report->rejected[0].line, 4u);
    EXPECT_EQ(db.newest("福彩3D", 5).value().size(), 2u);
    EXPECT_EQ(db.between("福彩3D", "2024002", "2024002").value()[0].number, "222");
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
    EXPECT_EQ(report->stored, 199u);
    EXPECT_EQ(report->present, 1u);
    ASSERT_EQ(report->conflicts.size(), 1u);
    EXPECT_EQ(report->conflicts[0].line, 151u);
    EXPECT_EQ(report->conflicts[0].stored, "150");
    EXPECT_EQ(db.count("福彩3D").value(), 200u);
}

TEST_F(Import, AWriteThatFailsPartWayStoresNothingAndSaysSo) {
    std::string text;
    for (const StoredDraw& draw : Fc3dDraws(2000)) text += draw.issue + " " + draw.number + "\n";
    const std::string file = folder.file("draws.txt");
    WriteBytes(file, text);
    sanxing::test::FailingVfs vfs;
    HistoryDb failing = OpenDb();  // goes through the failing VFS
    vfs.failWritesAfter(5);
    auto report = ImportDrawFile(failing, Fc3d(), file);
    vfs.heal();
    ASSERT_FALSE(report);
    EXPECT_NE(report.error().find("disk I/O error"), std::string::npos) << report.error();
    EXPECT_EQ(db.count("福彩3D").value(), 0u);
}

TEST_F(Import, FileWithoutDrawsChangesNothing) {
    auto report = ImportText("期号,号码\nnothing here\n");
    ASSERT_TRUE(report);
    EXPECT_EQ(report->draws(), 0u);
    EXPECT_NE(ImportSummary(*report).find("没有开奖号码"), std::string::npos);
    EXPECT_EQ(db.count("福彩3D").value(), 0u);
}

// Good lines before a fault are not kept: the import is one transaction.
TEST_F(Import, BadFilesAreRefusedWholeAndStoreNothing) {
    std::string good;  // more than one read of the file, so lines are written before the fault
    for (int i = 0; i < 8000; ++i) good += std::to_string(2020000 + i) + " 123\n";
    const std::atomic<bool> cancelled{true};
    WriteBytes(folder.file("good.txt"), good);
    EXPECT_FALSE(ImportDrawFile(db, Fc3d(), folder.file("good.txt"), &cancelled));
    auto binary = ImportText(good + std::string("\0\x01\x02", 3));
    ASSERT_FALSE(binary);
    EXPECT_NE(binary.error().find("二进制"), std::string::npos) << binary.error();
    EXPECT_FALSE(
        ImportText("\xFF\xFE"
                   "2\0"
                   "0\0"));
    EXPECT_FALSE(ImportDrawFile(db, Fc3d(), folder.path()));
    EXPECT_FALSE(ImportDrawFile(db, Fc3d(), folder.file("missing.txt")));
    const std::string huge = folder.file("huge.txt");
    WriteBytes(huge, "");
    std::filesystem::resize_file(huge, 1ull << 30);  // sparse: no disk used
    auto tooBig = ImportDrawFile(db, Fc3d(), huge);
    ASSERT_FALSE(tooBig);
    EXPECT_NE(tooBig.error().find("太大"), std::string::npos);
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

TEST_F(Import, OverlongLineIsRejectedAndTheRestRead) {
    auto report = ImportText("2024001 123\n" + std::string(100000, '7') + "\n2024002 456");
    ASSERT_TRUE(report);
    EXPECT_EQ(report->stored, 2u);
    ASSERT_EQ(report->rejected.size(), 1u);
    EXPECT_EQ(report->rejected[0].line, 2u);
}

TEST_F(Import, ExportThenImportIntoAnEmptyDatabaseGivesTheSameDraws) {
    ASSERT_TRUE(ImportText("20241012-023 1,2,3,4,5,2024-10-12\n241012024 54321\n20241013001 00000\n", Chongqing()));
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
    for (int i = 0; i < 3000; ++i) {
        char line[32];
        std::snprintf(line, sizeof line, "%d %03d\n", 2020000 + i, i % 1000);
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

}  // namespace
}  // namespace sanxing::history::testing
