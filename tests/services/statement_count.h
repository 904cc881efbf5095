#pragma once
// Counts the SQL statements SQLite starts on connections to one file: every connection
// opened while a StatementCount lives reports each statement it begins to run, so a test
// sees how often a use case really reaches the database.

#include <sqlite3.h>

#include <atomic>
#include <filesystem>
#include <string>

namespace sanxing::testing {

class StatementCount {
public:
    explicit StatementCount(const std::filesystem::path& file) : file_(std::filesystem::weakly_canonical(file)) {
        Active() = this;
        sqlite3_auto_extension(reinterpret_cast<void (*)()>(&Watch));
    }
    ~StatementCount() {
        sqlite3_cancel_auto_extension(reinterpret_cast<void (*)()>(&Watch));
        Active() = nullptr;
    }
    StatementCount(const StatementCount&) = delete;
    StatementCount& operator=(const StatementCount&) = delete;

    int count() const { return count_; }

private:
    static std::atomic<StatementCount*>& Active() {
        static std::atomic<StatementCount*> active{nullptr};
        return active;
    }
    static int Watch(sqlite3* db, const char**, const void*) {
        sqlite3_trace_v2(db, SQLITE_TRACE_STMT, &Started, nullptr);
        return SQLITE_OK;
    }
    static int Started(unsigned, void*, void* statement, void*) {
        StatementCount* counter = Active();
        const char* file = sqlite3_db_filename(sqlite3_db_handle(static_cast<sqlite3_stmt*>(statement)), "main");
        if (counter && file && std::filesystem::weakly_canonical(file) == counter->file_) ++counter->count_;
        return 0;
    }

    std::filesystem::path file_;
    std::atomic<int> count_{0};
};

}  // namespace sanxing::testing
