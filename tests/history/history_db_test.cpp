#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

#include "failing_vfs.h"
#include "history/draw_import.h"
#include "history/issue_gaps.h"
#include "history/schema.h"
#include "history_fixture.h"
#include "runtime/small_disk.h"
#include "runtime/time_limits.h"

namespace sanxing::history::testing {
namespace {

using sanxing::ReadBytes;
using sanxing::WaitForChild;
using sanxing::WriteBytes;

TEST(Lotteries, SixInComboOrderWithTheirDigitCounts) {
    const auto all = Lotteries();
    ASSERT_EQ(all.size(), 6u);
    for (std::size_t i = 0; i < all.size(); ++i) EXPECT_EQ(all[i].kindIndex, static_cast<int>(i));
    EXPECT_EQ(all[0].name, "重庆时时彩");
    EXPECT_EQ(all[3].name, "龙江时时彩");
    EXPECT_EQ(FindLottery("排列三")->digits, 3);
    EXPECT_EQ(FindLottery("新疆时时彩")->digits, 5);
    EXPECT_EQ(FindLottery("双色球"), nullptr);
}

TEST(DefaultPath, FollowsXdgDataHomeElseHome) {
    const std::string saved = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    setenv("XDG_DATA_HOME", "/data/x", 1);
    EXPECT_EQ(DefaultDatabasePath(), "/data/x/sanxing/history.sqlite");
    setenv("XDG_DATA_HOME", "relative", 1);  // a relative value is ignored, as XDG says
    EXPECT_EQ(DefaultDatabasePath(),
              std::filesystem::path(std::getenv("HOME")) / ".local/share/sanxing/history.sqlite");
    saved.empty() ? unsetenv("XDG_DATA_HOME") : setenv("XDG_DATA_HOME", saved.c_str(), 1);
}

TEST_F(HistoryTest, RecordsOncePerIssueAndReadsOldestFirst) {
    auto db = OpenDb();
    auto first = db.record("福彩3D", Fc3dDraws(30));
    ASSERT_TRUE(first) << first.error();
    EXPECT_EQ(first->stored, 30u);

    auto again = Fc3dDraws(35);
    again[0].number = "999";                          // another number for a stored issue: the stored one stays
    again.push_back({"2024999", "12", "", "T", ""});  // too few digits
    auto second = db.record("福彩3D", again);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->stored, 5u);
    EXPECT_EQ(second->present, 29u);
    EXPECT_EQ(second->conflicts, 1u);
    EXPECT_EQ(second->invalid, 1u);

    EXPECT_FALSE(db.record("双色球", Fc3dDraws(1)));
    EXPECT_EQ(db.count("福彩3D").value(), 35u);
    EXPECT_EQ(db.count("排列三").value(), 0u);
    const auto newest = db.newest("福彩3D", 3).value();
    EXPECT_EQ(Issues(newest), (std::vector<std::string>{"2024033", "2024034", "2024035"}));
    EXPECT_EQ(db.newest("福彩3D", 100).value().front().number, "001");
    EXPECT_FALSE(newest[0].recorded.empty());
}

TEST_F(HistoryTest, BetweenComparesIssuesNumerically) {
    auto db = OpenDb();
    ASSERT_TRUE(db.record("福彩3D", Fc3dDraws(20)));
    EXPECT_EQ(Issues(db.between("福彩3D", "2024005", "2024007").value()),
              (std::vector<std::string>{"2024005", "2024006", "2024007"}));
    EXPECT_EQ(db.between("福彩3D", "", "2024002").value().size(), 2u);
    EXPECT_EQ(db.between("福彩3D", "999", "99999999").value().size(), 20u);  // shorter below all, longer above all
    EXPECT_TRUE(db.between("福彩3D", "20240010", "").value().empty());
    EXPECT_EQ(db.between("福彩3D", "2024019", "").value().size(), 2u);
    EXPECT_TRUE(db.between("福彩3D", "2024009", "2024008").value().empty());
}

TEST_F(HistoryTest, DescendingPagesAndDelete) {
    auto db = OpenDb();
    ASSERT_TRUE(db.record("福彩3D", Fc3dDraws(10)));
    EXPECT_EQ(Issues(db.descending("福彩3D", "2024005", 2).value()), (std::vector<std::string>{"2024005", "2024004"}));
    EXPECT_EQ(db.issuesDescending("福彩3D").value().front(), "2024010");
    auto deleted = db.remove("福彩3D", {"2024002", "2024003", "2024077"});
    ASSERT_TRUE(deleted);
    EXPECT_EQ(*deleted, 2u);
    EXPECT_EQ(db.count("福彩3D").value(), 8u);
}

// A read that fails part-way is an error with SQLite's reason, never "no draws"; a write
// that fails leaves the history as it was.
TEST_F(HistoryTest, FailedReadsAndWritesAreReportedAndChangeNothing) {
    ASSERT_TRUE(OpenDb().record("福彩3D", Fc3dDraws(3000)));
    sanxing::test::FailingVfs vfs;
    HistoryDb db = OpenDb();
    vfs.failReadsAfter(0);
    for (const std::string& error : {db.between("福彩3D", "", "").error(), db.span("福彩3D").error(),
                                     db.newest("福彩3D", 3000).error(), db.issuesDescending("福彩3D").error()}) {
        EXPECT_NE(error.find("disk I/O error"), std::string::npos) << error;
    }
    vfs.heal();
    vfs.failWritesAfter(0);
    const auto recorded = db.record("福彩3D", Fc3dDraws(100, 3001));
    ASSERT_FALSE(recorded);
    EXPECT_NE(recorded.error().find("开奖历史未作改动"), std::string::npos) << recorded.error();
    vfs.heal();
    EXPECT_EQ(db.count("福彩3D").value(), 3000u);
}

// Another program's long write gets a plain sentence with the file, not SQLite's code.
TEST_F(HistoryTest, AHistoryHeldByAnotherWriterSaysSo) {
    HistoryDb holder = OpenDb();
    auto held = holder.startWriting();
    ASSERT_TRUE(held);
    HistoryDb::setWaitForWriters(std::chrono::milliseconds(20));
    HistoryDb db = OpenDb();
    const auto written = db.record("福彩3D", Fc3dDraws(1));
    HistoryDb::setWaitForWriters(std::chrono::seconds(15));
    ASSERT_FALSE(written);
    EXPECT_EQ(written.error(), "开奖历史正被其他程序占用，请稍后再试（" + dbPath + "）");
    EXPECT_EQ(written.code(), ErrorCode::Busy);
}

TEST_F(HistoryTest, SchemaIsVersionedInWalModeAndKeptOnReopen) {
    {
        auto db = OpenDb();
        ASSERT_TRUE(db.record("排列三", Fc3dDraws(3)));
    }
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(dbPath.c_str(), &raw), SQLITE_OK);
    auto pragma = [&](const char* sql) {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(raw, sql, -1, &stmt, nullptr);
        sqlite3_step(stmt);
        std::string value = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        sqlite3_finalize(stmt);
        return value;
    };
    EXPECT_EQ(pragma("PRAGMA user_version"), std::to_string(kSchemaVersion));
    EXPECT_EQ(pragma("PRAGMA journal_mode"), "wal");
    sqlite3_close(raw);
    EXPECT_EQ(OpenDb().count("排列三").value(), 3u);
}

// A file that is not a usable history is refused with its name, and left byte for byte.
class BrokenDatabase : public HistoryTest {
protected:
    void ExpectRefused(const std::string& path, const std::string& reasonPart, ErrorCode code) {
        const bool isFile = std::filesystem::is_regular_file(path);
        const std::string before = isFile ? ReadBytes(path) : "";
        auto db = HistoryDb::open(path);
        ASSERT_FALSE(db);
        EXPECT_NE(db.error().find(path), std::string::npos) << db.error();
        EXPECT_NE(db.error().find(reasonPart), std::string::npos) << db.error();
        EXPECT_EQ(db.code(), code) << db.error();
        if (isFile) {
            EXPECT_EQ(ReadBytes(path), before);
        }
    }
    // A version-1 database with `sql` run on it afterwards.
    void MakeDatabase(const std::string& sql) {
        {
            auto db = OpenDb();
            ASSERT_TRUE(db.record("福彩3D", Fc3dDraws(200)));
        }
        sqlite3* raw = nullptr;
        sqlite3_open(dbPath.c_str(), &raw);
        sqlite3_exec(raw, ("PRAGMA journal_mode=DELETE;" + sql).c_str(), nullptr, nullptr, nullptr);
        sqlite3_close(raw);
    }
};

TEST_F(BrokenDatabase, GarbageFileIsNotADatabase) {
    WriteBytes(dbPath, std::string(5000, 'x') + "not sqlite");
    ExpectRefused(dbPath, "不是数据库", ErrorCode::Damaged);
}

TEST_F(BrokenDatabase, TruncatedFileIsDamaged) {
    MakeDatabase("");
    const std::string whole = ReadBytes(dbPath);
    ASSERT_GT(whole.size(), 8192u);
    WriteBytes(dbPath, whole.substr(0, whole.size() / 2));
    ExpectRefused(dbPath, "损坏", ErrorCode::Damaged);
}

// A damaged page that no write would touch: every write path checks the whole file first,
// refuses with the sentence reads give and leaves the file byte for byte.
TEST_F(BrokenDatabase, DamagedHistoryIsNeverWritten) {
    ASSERT_TRUE(OpenDb().record("福彩3D", Fc3dDraws(3000)));
    std::string bytes = ReadBytes(dbPath);
    const std::size_t middle = bytes.size() / 4096 / 2 * 4096;
    for (std::size_t at = middle; at < middle + 4096; ++at) bytes[at] = static_cast<char>(at * 37 % 251);
    WriteBytes(dbPath, bytes);
    const auto read = OpenDb().between("福彩3D", "", "");
    const std::string readError = read.error();
    ASSERT_NE(readError.find("数据库文件已损坏，文件未作改动"), std::string::npos) << readError;
    EXPECT_EQ(read.code(), ErrorCode::Damaged);
    const std::vector<std::pair<std::string, std::function<Failure(HistoryDb&)>>> writes{
        {"record", [](HistoryDb& db) { return db.record("福彩3D", Fc3dDraws(2, 3001)).failure(); }},
        {"import", [](HistoryDb& db) { return ImportDrawText(db, Fc3d(), "2003001 001\n", "t").failure(); }},
        {"offer", [](HistoryDb& db) { return db.offer("排列三", Fc3dDraws(2)).failure(); }},
        {"remove", [](HistoryDb& db) { return db.remove("福彩3D", {"2027000"}).failure(); }},
        {"checkWritable", [](HistoryDb& db) { return db.checkWritable().failure(); }},
    };
    for (const auto& [name, write] : writes) {
        {
            HistoryDb db = OpenDb();
            const Failure failure = write(db);
            EXPECT_EQ(failure.error, readError) << name;
            EXPECT_EQ(failure.code, ErrorCode::Damaged) << name;
        }
        EXPECT_EQ(ReadBytes(dbPath), bytes) << name;
    }
}

TEST_F(BrokenDatabase, FolderIsNotAFile) { ExpectRefused(folder.path(), "文件夹", ErrorCode::BadInput); }

TEST_F(BrokenDatabase, NewerSchemaVersionIsRefused) {
    MakeDatabase("PRAGMA user_version = 7;");
    ExpectRefused(dbPath, "较新版本", ErrorCode::BadInput);
}

TEST_F(BrokenDatabase, VersionZeroWithTablesIsRefusedAsUnknownFormat) {
    MakeDatabase("PRAGMA user_version = 0;");
    ExpectRefused(dbPath, "格式不明或已损坏", ErrorCode::Damaged);
}

TEST_F(BrokenDatabase, AnotherProgramsDatabaseIsRefused) {
    sqlite3* raw = nullptr;
    sqlite3_open(dbPath.c_str(), &raw);
    sqlite3_exec(raw, "CREATE TABLE notes(text TEXT)", nullptr, nullptr, nullptr);
    sqlite3_close(raw);
    ExpectRefused(dbPath, "不是 sanxing", ErrorCode::BadInput);
}

// The file is opened by a child that may not read or write it.
TEST_F(BrokenDatabase, FileWithoutPermissionIsRefused) {
    MakeDatabase("");
    KeepFromChild(dbPath);
    std::filesystem::permissions(folder.path(), std::filesystem::perms::all, std::filesystem::perm_options::add);
    const pid_t child = fork();
    if (child == 0) {
        if (!DropToNobody()) _exit(3);
        auto db = HistoryDb::open(dbPath);
        _exit(!db && db.error().find("权限") != std::string::npos && db.code() == ErrorCode::NoPermission ? 0 : 1);
    }
    const int status = WaitForChild(child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    std::filesystem::permissions(dbPath, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(OpenDb().count("福彩3D").value(), 200u);
}

// A history the user may read but not write (another user's, in a folder only they may
// write) opens read-only: its draws read, every write refused with the notice.
TEST_F(BrokenDatabase, HistoryTheUserCannotWriteOpensForReading) {
    MakeDatabase("PRAGMA journal_mode=WAL;");
    namespace fs = std::filesystem;
    fs::permissions(dbPath, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                       fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    const pid_t child = fork();
    if (child == 0) {
        if (!DropToNobody()) _exit(3);
        auto db = HistoryDb::open(dbPath);
        if (!db) _exit(4);
        const auto written = db->record("福彩3D", Fc3dDraws(1, 5000));
        const bool refused =
            !written && written.error() == ReadOnlyNotice(dbPath) && written.code() == ErrorCode::ReadOnly;
        _exit(db->readOnly() && db->count("福彩3D") && *db->count("福彩3D") == 200 && refused ? 0 : 1);
    }
    const int status = WaitForChild(child);
    fs::permissions(folder.path(), fs::perms::owner_all);
    fs::permissions(dbPath, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_FALSE(OpenDb().readOnly());
}

// A full disk: a new history is refused as "磁盘空间不足" and leaves neither file nor folder;
// a write to a history there is refused the same way and changes nothing.
TEST_F(HistoryTest, FullDiskSaysSoAndLeavesNoNewFile) {
    const std::string disk = folder.file("disk");
    std::filesystem::create_directory(disk);
    WithSmallDisk(disk, 8 << 10, [&] {
        const std::string file = disk + "/sanxing/history.sqlite";
        const auto opened = HistoryDb::open(file);
        ASSERT_FALSE(opened);
        EXPECT_NE(opened.error().find("磁盘空间不足"), std::string::npos) << opened.error();
        EXPECT_EQ(opened.code(), ErrorCode::DiskFull);
        EXPECT_NE(opened.error().find(file), std::string::npos) << opened.error();
        EXPECT_TRUE(std::filesystem::is_empty(disk));
    });
    WithSmallDisk(disk, 96 << 10, [&] {
        auto db = HistoryDb::open(disk + "/history.sqlite");
        ASSERT_TRUE(db) << db.error();
        const auto written = db->record("福彩3D", Fc3dDraws(5000));
        ASSERT_FALSE(written);
        EXPECT_NE(written.error().find("磁盘空间不足"), std::string::npos) << written.error();
        EXPECT_EQ(written.code(), ErrorCode::DiskFull);
        EXPECT_EQ(db->count("福彩3D").value(), 0u);
        db = Failure{"closed"};
        EXPECT_TRUE(std::filesystem::is_empty(disk));
    });
}

// A write the disk refuses on a history its connection created: once closed, the file and
// its companions are gone, unless the file was there before or is open elsewhere.
TEST_F(HistoryTest, ADiskFailureOnANewHistoryLeavesNoFileBehind) {
    struct Case {
        const char* name;
        bool existedBefore, openElsewhere;
    };
    for (const Case c : {Case{"new", false, false}, {"existed before", true, false}, {"open elsewhere", false, true}}) {
        std::filesystem::remove(dbPath);
        if (c.existedBefore) OpenDb();
        std::optional<HistoryDb> elsewhere;
        {
            sanxing::test::FailingVfs vfs;
            HistoryDb db = OpenDb();
            if (c.openElsewhere) elsewhere.emplace(OpenDb());
            vfs.failWritesAfter(0);
            EXPECT_FALSE(db.offer("福彩3D", Fc3dDraws(500))) << c.name;
            vfs.heal();
        }
        elsewhere.reset();
        EXPECT_EQ(std::filesystem::exists(dbPath), c.existedBefore || c.openElsewhere) << c.name;
        EXPECT_FALSE(std::filesystem::exists(dbPath + "-wal") || std::filesystem::exists(dbPath + "-shm")) << c.name;
    }
}

TEST(IssueGaps, MissingSerialsWithinADayOrYearOnly) {
    const std::vector<std::string> day{"241012001", "241012002", "241012005", "241013001", "241012009"};
    const auto gaps = FindGaps(day, *FindLottery("重庆时时彩"));
    ASSERT_EQ(gaps.size(), 2u);
    EXPECT_EQ(GapText(gaps[0]), "241012003-241012004（2 期）");
    EXPECT_EQ(GapText(gaps[1]), "241012006-241012008（3 期）");
    const auto year = FindGaps({"2023358", "2024001", "2024003"}, *FindLottery("福彩3D"));
    ASSERT_EQ(year.size(), 1u);
    EXPECT_EQ(GapText(year[0]), "2024002");
}

}  // namespace
}  // namespace sanxing::history::testing
