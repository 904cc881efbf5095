#pragma once
// A history database in a temporary folder, and the draws tests put into it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "history/history_db.h"
#include "history/lotteries.h"
#include "runtime/temp_folder.h"
#include "runtime/today.h"

namespace sanxing::history::testing {

inline const Lottery& Fc3d() { return *FindLottery("福彩3D"); }
inline const Lottery& Pl3() { return *FindLottery("排列三"); }
inline const Lottery& Chongqing() { return *FindLottery("重庆时时彩"); }

// `count` draws of 福彩3D from 2024001 on, number = the serial's last three digits.
inline std::vector<StoredDraw> Fc3dDraws(int count, int first = 1) {
    std::vector<StoredDraw> draws;
    for (int i = first; i < first + count; ++i) {
        char issue[16], number[8];
        std::snprintf(issue, sizeof issue, "%07d", 2024000 + i);
        std::snprintf(number, sizeof number, "%03d", i % 1000);
        draws.push_back({issue, number, "", "T", "2024-01-01T00:00:00Z"});
    }
    return draws;
}

// Fixes Today() at 2026-08-20 while it lives: the rules of the current year and of
// tomorrow give the same answers whatever day the tests run.
// Eight draws of 2024 stored as 福彩3D's and, with other numbers, as 排列三's; `file`
// gives the 福彩3D ones, one "issue,number" a line: a file of the other lottery.
struct OtherLotteryFile {
    std::vector<StoredDraw> fc3d, pl3;
    std::string file;
    OtherLotteryFile() {
        for (int i = 1; i <= 8; ++i) {
            const std::string issue = std::to_string(2024000 + i), number = std::to_string(100 + i * 37);
            fc3d.push_back({issue, number, "", "t", ""});
            pl3.push_back({issue, std::to_string(900 - i), "", "t", ""});
            file += issue + "," + number + "\n";
        }
    }
};

class FixedToday {
public:
    FixedToday()
        : previous_(SetTodayFunction([] { return std::chrono::sys_days{std::chrono::year{2026} / 8 / 20}; })) {}
    ~FixedToday() { SetTodayFunction(previous_); }
    FixedToday(const FixedToday&) = delete;
    FixedToday& operator=(const FixedToday&) = delete;

private:
    TodayFunction previous_;
};

// `count` lines "YYYYNNN NNN" of 福彩3D, 360 draws a year from 2003001 on.
inline std::string Fc3dLines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        char line[32];
        std::snprintf(line, sizeof line, "%d%03d %03d\n", 2003 + i / 360, i % 360 + 1, i % 1000);
        text += line;
    }
    return text;
}

// Makes `file` unreadable for the test's child process: root reads anything, so as root
// the file is kept to its owner and the child runs as nobody (see DropToNobody); any other
// user loses every permission on it.
inline void KeepFromChild(const std::string& file) {
    namespace fs = std::filesystem;
    fs::permissions(file, ::geteuid() == 0 ? fs::perms::owner_read | fs::perms::owner_write : fs::perms::none);
}

// In a forked child: runs on as an unprivileged user when started as root.
inline bool DropToNobody() { return ::geteuid() != 0 || ::setuid(65534) == 0; }

class HistoryTest : public ::testing::Test {
protected:
    sanxing::TempFolder folder;
    std::string dbPath = folder.file("history.sqlite");

    HistoryDb OpenDb() {
        auto db = HistoryDb::open(dbPath);
        EXPECT_TRUE(db) << db.error();
        return std::move(*db);
    }
    std::vector<std::string> Issues(const std::vector<StoredDraw>& draws) {
        std::vector<std::string> issues;
        for (const auto& draw : draws) issues.push_back(draw.issue);
        return issues;
    }
};

}  // namespace sanxing::history::testing
