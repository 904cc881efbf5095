#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <csignal>

#include "runtime/gbk.h"
#include "runtime/home_folder.h"
#include "runtime/system_error_text.h"
#include "runtime/time_limits.h"
#include "tools/base_set_files.h"
#include "tools_fixture.h"

namespace sanxing {
namespace {

const std::string kFilter = "文本文档(*.txt)|*.txt|文本文档(*.ini)|*.ini|所有文件(*.*)|*.*";

class BaseSetFiles : public ToolsTest {
protected:
    TempFolder folder;

    void open(std::optional<std::string> path) {
        platform.openPaths.push_back(std::move(path));
        window.click("打开大底");
    }
    void save(std::optional<std::string> path) {
        platform.savePaths.push_back(std::move(path));
        window.click("按钮_保存");
    }
    std::string failureMessage(int error) const { return "保存失败：" + SystemErrorText(error); }
};

TEST_F(BaseSetFiles, OpenLoadsSortedNumbersWithItsOwnCaption) {
    WriteBytes(folder.file("a.txt"), "123 045 123 999");
    open(folder.file("a.txt"));
    EXPECT_EQ(text("编辑框_大底"), "045 123 999 ");
    EXPECT_EQ(text("大底注数"), "3注!");
    WriteBytes(folder.file("b.txt"), "123\r\n456\r\n");
    open(folder.file("b.txt"));
    EXPECT_EQ(text("编辑框_大底"), "");
    EXPECT_EQ(text("大底注数"), "0注!");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(BaseSetFiles, OpenDialogStartsAtHomeThenInTheLastFileFolder) {
    set("编辑框_大底", "keep");
    open(std::nullopt);  // cancelled: nothing changes, nothing remembered
    WriteBytes(folder.file("short.txt"), "123 4");
    open(folder.file("short.txt"));  // five bytes: nothing changes
    open(folder.file("missing.txt"));
    EXPECT_EQ(text("编辑框_大底"), "keep");
    EXPECT_EQ(text("大底注数"), "大底内容");
    ASSERT_EQ(platform.openRequests.size(), 3u);
    for (const FileDialogRequest& r : platform.openRequests) {
        EXPECT_EQ(r.title, "打开大底文件");
        EXPECT_EQ(r.filter, kFilter);
    }
    EXPECT_EQ(platform.openRequests[0].directory, HomeFolder()) << "never the program's folder";
    EXPECT_EQ(platform.openRequests[1].directory, HomeFolder());
    EXPECT_EQ(platform.openRequests[2].directory, folder.path());
    EXPECT_EQ(platform.openRequests[0].fileName, "");
    EXPECT_EQ(platform.openRequests[1].fileName, "");
    EXPECT_EQ(platform.openRequests[2].fileName, folder.file("short.txt"));
    EXPECT_TRUE(platform.messages.empty());
}

TEST(OfferedFileName, NextPeriodWithTheDayRollover) {
    EXPECT_EQ(OfferedFileName(""), "1期大底结果");
    EXPECT_EQ(OfferedFileName("期号"), "1期大底结果");
    EXPECT_EQ(OfferedFileName("-5"), "1期大底结果");
    EXPECT_EQ(OfferedFileName("240101023"), "240101024期大底结果");
    EXPECT_EQ(OfferedFileName("240101119"), "240101120期大底结果");
    EXPECT_EQ(OfferedFileName("240101120"), "240102001期大底结果");
    EXPECT_EQ(OfferedFileName("240131120"), "240132001期大底结果");  // no calendar rule
    EXPECT_EQ(OfferedFileName("240101125x"), "240102006期大底结果");
    EXPECT_EQ(OfferedFileName("240101199"), "240102080期大底结果");  // draw index past 120 as given
    EXPECT_EQ(OfferedFileName("20240101099"), "20240101100期大底结果");
    EXPECT_EQ(OfferedFileName("99999999999999999999"), "922338687期大底结果");  // saturates, no overflow
}

TEST_F(BaseSetFiles, SaveOffersTheNameFromTheNewestDrawAndRemembersTheFolder) {
    c.insertRow("列表框_开奖", 0, {"240101120", "12345", ""});
    set("编辑框_结果", "012 345 012 ");  // the footer counts tokens, repeats included
    save(folder.file("out"));
    save(std::nullopt);
    ASSERT_EQ(platform.saveRequests.size(), 2u);
    EXPECT_EQ(platform.saveRequests[0].title, "保存大底文件");
    EXPECT_EQ(platform.saveRequests[0].filter, kFilter);
    EXPECT_EQ(platform.saveRequests[0].directory, HomeFolder());
    EXPECT_EQ(platform.saveRequests[0].fileName, "240102001期大底结果");
    EXPECT_EQ(platform.saveRequests[1].directory, folder.path());
    EXPECT_EQ(ReadBytes(folder.file("out.txt")), Utf8ToGbk("012 345 012 \r\n\r\n保存：总注数：3注"));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(BaseSetFiles, SaveAppendsTxtUnlessThePathHoldsIt) {
    set("编辑框_结果", "");
    for (const char* name : {"plain", "upper.TXT", "inner.txt.bak", "done.txt"}) save(folder.file(name));
    EXPECT_TRUE(std::filesystem::exists(folder.file("plain.txt")));
    EXPECT_TRUE(std::filesystem::exists(folder.file("upper.TXT.txt")));
    EXPECT_TRUE(std::filesystem::exists(folder.file("inner.txt.bak")));
    EXPECT_TRUE(std::filesystem::exists(folder.file("done.txt")));
    // An empty result: only the separator, 0 and 注.
    EXPECT_EQ(ReadBytes(folder.file("done.txt")), Utf8ToGbk("\r\n\r\n保存：总注数：0注"));
    // No temporary file is left beside them.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 4);
}

TEST_F(BaseSetFiles, SavedFileLoadsBackToTheSameNumbers) {
    set("编辑框_结果", "789 001 456 001 ");
    save(folder.file("round.txt"));
    open(folder.file("round.txt"));
    EXPECT_EQ(text("编辑框_大底"), "001 456 789 ");  // the footer's digits touch no space
    EXPECT_EQ(text("大底注数"), "3注!");
}

TEST_F(BaseSetFiles, SaveReplacesAnEarlierFileAndKeepsItsPermissions) {
    WriteBytes(folder.file("old.txt"), "earlier content that is longer than the new one");
    ::chmod(folder.file("old.txt").c_str(), 0640);
    set("编辑框_结果", "123 ");
    save(folder.file("old.txt"));
    EXPECT_EQ(ReadBytes(folder.file("old.txt")), Utf8ToGbk("123 \r\n\r\n保存：总注数：1注"));
    EXPECT_EQ(std::filesystem::status(folder.file("old.txt")).permissions() & std::filesystem::perms::all,
              std::filesystem::perms(0640));
}

TEST_F(BaseSetFiles, SaveThroughASymlinkWritesItsTarget) {
    WriteBytes(folder.file("real.txt"), "old");
    std::filesystem::create_symlink(folder.file("real.txt"), folder.file("link.txt"));
    set("编辑框_结果", "555 ");
    save(folder.file("link.txt"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("link.txt")));
    EXPECT_EQ(ReadBytes(folder.file("real.txt")), Utf8ToGbk("555 \r\n\r\n保存：总注数：1注"));
}

// A file with other hard links stays one file; a replaced file keeps its owner (given
// to another user when the tests run as root).
TEST_F(BaseSetFiles, SaveKeepsHardLinksAndTheOwner) {
    WriteBytes(folder.file("linked.txt"), "old");
    std::filesystem::create_hard_link(folder.file("linked.txt"), folder.file("other.txt"));
    WriteBytes(folder.file("owned.txt"), "old");
    const uid_t owner = ::geteuid() == 0 ? 65534 : ::geteuid();
    const gid_t group = ::geteuid() == 0 ? 65534 : ::getegid();
    ASSERT_EQ(::chown(folder.file("owned.txt").c_str(), owner, group), 0);
    set("编辑框_结果", "555 ");
    save(folder.file("linked.txt"));
    save(folder.file("owned.txt"));
    EXPECT_TRUE(platform.messages.empty());
    const std::string saved = Utf8ToGbk("555 \r\n\r\n保存：总注数：1注");
    EXPECT_EQ(ReadBytes(folder.file("other.txt")), saved);
    EXPECT_TRUE(std::filesystem::equivalent(folder.file("linked.txt"), folder.file("other.txt")));
    struct stat after {};
    ::stat(folder.file("owned.txt").c_str(), &after);
    EXPECT_EQ(ReadBytes(folder.file("owned.txt")), saved);
    EXPECT_EQ(after.st_uid, owner);
    EXPECT_EQ(after.st_gid, group);
}

TEST_F(BaseSetFiles, SaveThroughADanglingSymlinkCreatesTheFileItNames) {
    std::filesystem::create_symlink("made.txt", folder.file("link.txt"));  // relative, target missing
    set("编辑框_结果", "555 ");
    save(folder.file("link.txt"));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("link.txt")));
    EXPECT_EQ(ReadBytes(folder.file("made.txt")), Utf8ToGbk("555 \r\n\r\n保存：总注数：1注"));
}

// Each failing save shows one error box with the system's reason and leaves the
// remembered folder alone.
class FailingSave : public BaseSetFiles {
protected:
    void SetUp() override {
        session().saveDirectory = "/remembered";
        set("编辑框_结果", std::string(4000, '1'));
    }
    SessionState& session() { return window.session(); }
    void expectFailure(int error) {
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0],
                  (RecordedMessage{failureMessage(error), "保存大底文件", MessageIcon::Error, MessageButtons::Ok}));
        EXPECT_EQ(session().saveDirectory, "/remembered");
    }
};

TEST_F(FailingSave, TargetIsAFolder) {
    std::filesystem::create_directory(folder.file("taken.txt"));
    save(folder.file("taken.txt"));
    expectFailure(EISDIR);
}

TEST_F(FailingSave, FolderDoesNotExist) {
    save(folder.file("missing/out.txt"));
    expectFailure(ENOENT);
}

TEST_F(FailingSave, LinkLoop) {
    std::filesystem::create_symlink("b.txt", folder.file("a.txt"));
    std::filesystem::create_symlink("a.txt", folder.file("b.txt"));
    save(folder.file("a.txt"));
    expectFailure(ELOOP);
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("a.txt")) && std::filesystem::is_symlink(folder.file("b.txt")));
}

TEST_F(FailingSave, DiskFull) {
    std::filesystem::create_symlink("/dev/full", folder.file("full.txt"));
    save(folder.file("full.txt"));
    expectFailure(ENOSPC);
}

// Writes beyond the limit fail with EFBIG, as a full disk would fail them; this holds
// for root too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

TEST_F(FailingSave, WriteFailingHalfwayLeavesTheEarlierFileIntact) {
    WriteBytes(folder.file("kept.txt"), "earlier");
    {
        FileSizeLimit limit(100);
        save(folder.file("kept.txt"));
    }
    expectFailure(EFBIG);
    EXPECT_EQ(ReadBytes(folder.file("kept.txt")), "earlier");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);  // no temporary left
}

TEST_F(FailingSave, ReadOnlyFolder) {
    WriteBytes(folder.file("kept.txt"), "earlier");
    std::filesystem::permissions(folder.path(), std::filesystem::perms(0555));
    ExpectAsUnprivilegedUser([&] {
        save(folder.file("kept.txt"));
        return platform.messages.size() == 1 && platform.messages[0].text == failureMessage(EACCES) &&
               ReadBytes(folder.file("kept.txt")) == "earlier" && session().saveDirectory == "/remembered";
    });
}

// A writable file in a folder where no file can be created is written in place, and
// keeps its owner (root, when the tests run as root).
TEST_F(BaseSetFiles, SaveWritesAWritableFileOfAReadOnlyFolderInPlace) {
    WriteBytes(folder.file("shared.txt"), "earlier");
    ::chmod(folder.file("shared.txt").c_str(), 0666);
    std::filesystem::permissions(folder.path(), std::filesystem::perms(0555));
    set("编辑框_结果", "123 ");
    ExpectAsUnprivilegedUser([&] {
        save(folder.file("shared.txt"));
        return platform.messages.empty() &&
               ReadBytes(folder.file("shared.txt")) == Utf8ToGbk("123 \r\n\r\n保存：总注数：1注");
    });
    struct stat after {};
    ::stat(folder.file("shared.txt").c_str(), &after);
    EXPECT_EQ(after.st_uid, ::geteuid());
    EXPECT_EQ(after.st_mode & 07777, 0666u);
}

// Renaming over a file needs only a writable folder; the file's own protection must
// still keep it from being replaced.
TEST_F(FailingSave, ReadOnlyFileInAWritableFolder) {
    WriteBytes(folder.file("kept.txt"), "earlier");
    std::filesystem::permissions(folder.file("kept.txt"), std::filesystem::perms(0444));
    std::filesystem::permissions(folder.path(), std::filesystem::perms(0777));
    ExpectAsUnprivilegedUser([&] {
        save(folder.file("kept.txt"));
        return platform.messages.size() == 1 && platform.messages[0].text == failureMessage(EACCES) &&
               ReadBytes(folder.file("kept.txt")) == "earlier" && session().saveDirectory == "/remembered" &&
               std::distance(std::filesystem::directory_iterator(folder.path()), {}) == 1;
    });
}

}  // namespace
}  // namespace sanxing
