#include <cerrno>

#include "history/history_db_impl.h"
#include "runtime/system_error_text.h"

namespace sanxing::history {

namespace {

// The errno values that say why a file could not be opened (CANTOPEN) or read and
// written (IOERR). SQLite hands on the last errno of any call, which after an I/O error
// may be left over from an earlier, harmless one (a missing journal), so those count only
// when they can only come from the failing call.
bool SaysWhatFailed(int primary, int systemErrno) {
    switch (systemErrno) {
        case ENOSPC:
        case EDQUOT:
        case EIO:
        case EROFS:
        case EFBIG: return primary == SQLITE_IOERR || primary == SQLITE_CANTOPEN || primary == SQLITE_FULL;
        case EACCES:
        case EPERM:
        case ENOENT:
        case ENOTDIR:
        case EISDIR: return primary == SQLITE_CANTOPEN;
        default: return false;
    }
}

// SQLite's failure in words a player understands, with SQLite's or the system's own text
// in parentheses for the record.
std::string DescribeSqliteError(int code, const std::string& message, int systemErrno) {
    const int primary = code & 0xff;
    if (SaysWhatFailed(primary, systemErrno)) return SystemErrorText(systemErrno);
    // The shared-memory file beside a WAL history could not grow: the disk is full.
    if (code == SQLITE_IOERR_SHMSIZE) return "磁盘空间不足（" + message + "）";
    std::string reason;
    switch (primary) {
        case SQLITE_NOTADB: reason = "文件不是数据库，或已损坏，文件未作改动"; break;
        case SQLITE_CORRUPT: reason = "数据库文件已损坏，文件未作改动"; break;
        case SQLITE_READONLY:
        case SQLITE_PERM: reason = "没有写入权限"; break;
        case SQLITE_BUSY:
        case SQLITE_LOCKED: reason = "数据库正被其他程序长时间占用"; break;
        case SQLITE_FULL: reason = "磁盘空间不足"; break;
        case SQLITE_IOERR: reason = "读写出错（磁盘或设备故障）"; break;
        case SQLITE_CANTOPEN: reason = "无法打开文件"; break;
        case SQLITE_NOMEM: reason = "内存不足"; break;
        case SQLITE_TOOBIG: reason = "数据过大"; break;
        default: reason = "数据库出错"; break;
    }
    return reason + "（" + message + "）";
}

}  // namespace

std::string detail::Refusal(const std::filesystem::path& file, std::string_view reason) {
    return "开奖历史数据库“" + file.string() + "”无法使用：" + std::string(reason);
}

bool detail::IsBusy(int code) { return (code & 0xff) == SQLITE_BUSY || (code & 0xff) == SQLITE_LOCKED; }

std::string detail::Problem(const std::filesystem::path& file, int code, const std::string& message, int systemErrno) {
    if (IsBusy(code)) return "开奖历史正被其他程序占用，请稍后再试（" + file.string() + "）";
    return Refusal(file, DescribeSqliteError(code, message, systemErrno));
}

Failure detail::LastProblem(const HistoryDb::Impl& db) {
    return Failure{
        Problem(db.path, db.connection.lastErrorCode(), db.connection.lastError(), db.connection.lastSystemErrno())};
}

bool detail::IsDiskProblem(int code, int systemErrno) {
    const int primary = code & 0xff;
    return primary == SQLITE_FULL || primary == SQLITE_IOERR || systemErrno == ENOSPC || systemErrno == EDQUOT;
}

Failure detail::WriteFailure(const HistoryDb::Impl& db, int code, const std::string& message) {
    if (IsBusy(code)) return Failure{Problem(db.path, code, message)};
    if (IsDiskProblem(code, db.connection.lastSystemErrno())) db.diskFailed = true;
    if (db.readOnly) return Failure{ReadOnlyNotice(db.path)};
    return Failure{"写入开奖历史数据库“" + db.path.string() + "”失败：" +
                   DescribeSqliteError(code, message, db.connection.lastSystemErrno()) + "；开奖历史未作改动"};
}

Failure detail::WriteProblem(const HistoryDb::Impl& db) {
    return WriteFailure(db, db.connection.lastErrorCode(), db.connection.lastError());
}

std::string ReadOnlyNotice(const std::filesystem::path& file) {
    return "开奖历史“" + file.string() +
           "”只能读取（没有写入权限）：历史验证、走势图和导出照常，导入、更新和删除已关闭。";
}

}  // namespace sanxing::history
