// The shipped draw records: read from the installed copy or the built-in one, and offered
// to a history once per issue.

#include "history/shipped_draws.h"

#include "history/data_end.h"

#include "history_fixture.h"

namespace sanxing::history::testing {
namespace {

class Shipped : public HistoryTest {
protected:
    // A program folder whose share/sanxing/fc3d.csv is `csv`.
    std::filesystem::path installed(const std::string& csv) {
        const std::filesystem::path bin = folder.file("prefix/bin");
        std::filesystem::create_directories(bin.parent_path() / "share" / "sanxing");
        std::filesystem::create_directories(bin);
        WriteBytes((bin.parent_path() / "share" / "sanxing" / "fc3d.csv").string(), csv);
        return bin;
    }
};

TEST_F(Shipped, BuiltInRecordsStandInForAMissingInstalledCopy) {
    const auto fc3d = ShippedDraws(Fc3d(), folder.file("nowhere/bin"));
    ASSERT_EQ(fc3d.size(), 8374u);
    EXPECT_EQ(fc3d.front(), StoredDraw("2002001", "073", "2002-01-01", "内置"));
    EXPECT_EQ(fc3d.back().issue, "2025217");
    const auto pl3 = ShippedDraws(*FindLottery("排列三"), folder.file("nowhere/bin"));
    ASSERT_EQ(pl3.size(), 7691u);
    EXPECT_EQ(pl3.back().issue, "2026216");
    EXPECT_TRUE(pl3[200].date.empty());  // the records have no dates there
    EXPECT_TRUE(ShippedDraws(Chongqing(), folder.file("nowhere/bin")).empty());
}

TEST_F(Shipped, EachIssueIsOfferedOnceSoDeletedDrawsStayDeleted) {
    HistoryDb db = OpenDb();
    ASSERT_TRUE(db.record("福彩3D", {{"2002002", "999", "", "mine", ""}}));
    const auto bin = installed("期号,号码,开奖日期\n2002001,073,2002-01-01\n2002002,237,2002-01-02\n");
    auto first = db.offer("福彩3D", ShippedDraws(Fc3d(), bin));
    ASSERT_TRUE(first) << first.error();
    EXPECT_EQ(first->added, 1u);
    ASSERT_EQ(first->conflicts.size(), 1u);
    EXPECT_EQ(first->conflicts[0].stored, "999");  // the stored draw stays

    ASSERT_TRUE(db.remove("福彩3D", {"2002001"}));
    // A later version ships one more draw: only that one comes.
    const auto later = installed("期号,号码,开奖日期\n2002001,073,\n2002002,237,\n2002003,001,\n");
    auto second = AddShippedDraws(db, later);
    ASSERT_TRUE(second) << second.error();
    EXPECT_EQ(second->front().report.added, 1u);
    EXPECT_TRUE(second->front().report.conflicts.empty());  // said once, the first time
    EXPECT_EQ(Issues(db.between("福彩3D", "", "").value()), (std::vector<std::string>{"2002002", "2002003"}));
    EXPECT_EQ(db.between("福彩3D", "", "").value()[0].number, "999");
}

// A history offered the earlier edition's 排列三 2004001–2004020 gets the corrected draws once;
// a draw the player changed stays, reported as a conflict.
TEST_F(Shipped, CorrectionsReachHistoriesOfTheEarlierEditionOnce) {
    HistoryDb db = OpenDb();
    std::vector<StoredDraw> earlier = ShippedDraws(Pl3(), folder.file("nowhere/bin"));
    const char* before[] = {"928", "173", "183", "432", "541", "262", "307", "226", "418", "274",
                            "364", "305", "032", "359", "598", "445", "193", "129", "711", "109"};
    for (std::size_t k = 0; k < 20; ++k) earlier[k].number = before[k];
    ASSERT_TRUE(db.offer("排列三", earlier));
    ASSERT_TRUE(db.remove("排列三", {"2004002"}));
    ASSERT_TRUE(db.record("排列三", {{"2004002", "555", "", "导入", ""}}));

    auto added = AddShippedDraws(db, folder.file("nowhere/bin"));
    ASSERT_TRUE(added) << added.error();
    const std::string summary = ShippedSummary(*added);
    EXPECT_NE(summary.find("内置开奖数据更正了排列三 19 期：2004001 928→192、2004003 183→718"), std::string::npos)
        << summary;
    EXPECT_NE(summary.find("排列三 期号 2004002：内置数据为 317，保留已存的 555"), std::string::npos) << summary;
    const auto draws = db.between("排列三", "2004001", "2004020").value();
    EXPECT_EQ(draws[0].number, "192");
    EXPECT_EQ(draws[1].number, "555");
    EXPECT_EQ(draws[19].number, "810");

    auto again = AddShippedDraws(db, folder.file("nowhere/bin"));
    ASSERT_TRUE(again);
    EXPECT_EQ(ShippedSummary(*again), "");
    // A new history has the right draws from the start and nothing to correct.
    HistoryDb fresh = std::move(HistoryDb::open(folder.file("fresh.sqlite")).value());
    auto first = AddShippedDraws(fresh, folder.file("nowhere/bin"));
    ASSERT_TRUE(first);
    EXPECT_EQ(ShippedSummary(*first).find("更正"), std::string::npos);
}

TEST_F(Shipped, TheEndOfTheHistoryIsNamedWithAdviceWhenOld) {
    HistoryDb db = OpenDb();
    using namespace std::chrono;
    const sys_days today = 2025y / August / 18;
    EXPECT_EQ(DataEndText(db, Fc3d(), today).value(), "");
    ASSERT_TRUE(db.record("福彩3D", {{"2025217", "123", "2025-08-15", "T", ""}}));
    EXPECT_EQ(DataEndText(db, Fc3d(), today).value(), "开奖历史到 2025217（2025-08-15）");
    const std::string old = DataEndText(db, Fc3d(), today + days(1)).value();
    EXPECT_TRUE(old.starts_with("开奖历史到 2025217（2025-08-15）。更新开奖号码")) << old;
    for (const char* way : {"历史 → 导入开奖号码", "历史 → 更新开奖数据", "--update-draws"}) {
        EXPECT_NE(old.find(way), std::string::npos) << way;
    }
}

}  // namespace
}  // namespace sanxing::history::testing
