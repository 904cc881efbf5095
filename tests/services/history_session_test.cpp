// The one holder of the history connection: opened on first use, a broken file said once
// and left alone, a read-only file said and refused for writes, the shipped draws offered
// to the user's own history.

#include "services/history_session.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <vector>

#include "history/history_fixture.h"
#include "runtime/temp_folder.h"
#include "runtime/time_limits.h"

namespace sanxing::test {
namespace {

using Kind = HistoryNotice::Kind;

struct Heard {
    std::vector<HistoryNotice> notices;
    void listen(HistorySession& session) {
        session.onNotice([this](const HistoryNotice& notice) { notices.push_back(notice); });
    }
};

TEST(HistorySessionTest, OpensOnFirstUseAndSharesTheConnection) {
    TempFolder folder;
    HistorySession session(folder.file("h.sqlite"));
    EXPECT_FALSE(std::filesystem::exists(folder.file("h.sqlite")));
    auto first = session.database();
    auto again = session.writable();
    ASSERT_TRUE(first && again);
    EXPECT_EQ(first->get(), again->get());
    EXPECT_EQ(first->get(), history::HistoryDb::shared(session.path()).value().get());
    auto own = session.ownConnection();
    ASSERT_TRUE(own);
    EXPECT_NE(&*own, first->get());
}

TEST(HistorySessionTest, ABrokenFileIsSaidOnceLeftAloneAndForgottenForAnother) {
    TempFolder folder;
    const std::string broken = folder.file("broken.sqlite");
    WriteBytes(broken, std::string(3000, '#'));
    HistorySession session(broken);
    Heard heard;
    heard.listen(session);
    EXPECT_FALSE(session.database());
    EXPECT_FALSE(session.writable());
    ASSERT_EQ(heard.notices.size(), 1u);
    EXPECT_EQ(heard.notices[0].kind, Kind::Off);
    EXPECT_NE(heard.notices[0].text.find(broken), std::string::npos);
    EXPECT_TRUE(session.off());
    EXPECT_EQ(ReadBytes(broken), std::string(3000, '#'));
    session.chooseFile(folder.file("good.sqlite"));
    EXPECT_FALSE(session.off());
    EXPECT_TRUE(session.database());
}

TEST(HistorySessionTest, TheUsersOwnHistoryGetsTheShippedDrawsOnce) {
    TempFolder folder;
    HistorySession session(folder.file("h.sqlite"));
    Heard heard;
    heard.listen(session);
    session.offerShippedDraws(folder.path());
    auto db = session.database();
    ASSERT_TRUE(db);
    EXPECT_GT((*db)->count("福彩3D").value(), 1000u);
    ASSERT_EQ(heard.notices.size(), 1u);
    EXPECT_EQ(heard.notices[0].kind, Kind::ShippedDraws);
    ASSERT_TRUE(session.database());
    EXPECT_EQ(heard.notices.size(), 1u);
}

// A history the user may only read: said once when it opens, and again when a write asks
// for it; reading goes on. Run by a child as another user (nobody, where the tests run as
// root), which may not write the folder or the file.
TEST(HistorySessionTest, AReadOnlyHistoryIsSaidOnceAndRefusesWrites) {
    namespace fs = std::filesystem;
    TempFolder folder;
    const std::string file = folder.file("history.sqlite");
    ASSERT_TRUE(history::HistoryDb::open(file));
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const auto readAndEnter = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                              fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec;
    fs::permissions(folder.path(), readAndEnter);
    const pid_t child = fork();
    if (child == 0) {
        if (!history::testing::DropToNobody()) _exit(3);
        HistorySession session(file);
        Heard heard;
        heard.listen(session);
        const bool reads = session.database() && heard.notices.size() == 1 && session.readOnly();
        const auto write = session.writable();
        const bool refuses = !write && write.code() == ErrorCode::ReadOnly && heard.notices.size() == 2 &&
                             heard.notices[1].kind == Kind::ReadOnly &&
                             heard.notices[1].text == history::ReadOnlyNotice(file);
        _exit(reads && refuses && !session.off() ? 0 : 1);
    }
    const int status = sanxing::WaitForChild(child);
    fs::permissions(folder.path(), fs::perms::owner_all);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

}  // namespace
}  // namespace sanxing::test
