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
// in parentheses for the record, and its code.
Failure DescribeSqliteError(int code, const std::string& message, int systemErrno) {
    const int primary = code & 0xff;
    if (SaysWhatFailed(primary, systemErrno)) return detail::SystemFailure(systemErrno);
    // The shared-memory file beside a WAL history could not grow: the disk is full.
    if (code == SQLITE_IOERR_SHMSIZE) return {"磁盘空间不足（" + message + "）", ErrorCode::DiskFull};
    Failure reason;
    switch (primary) {
        case SQLITE_NOTADB: reason = {"文件不是数据库，或已损坏，文件未作改动", ErrorCode::Damaged}; break;
        case SQLITE_CORRUPT: reason = {"数据库文件已损坏，文件未作改动", ErrorCode::Damaged}; break;
        case SQLITE_READONLY: reason = {"没有写入权限", ErrorCode::ReadOnly}; break;
        case SQLITE_PERM: reason = {"没有写入权限", ErrorCode::NoPermission}; break;
        case SQLITE_BUSY:
        case SQLITE_LOCKED: reason = {"数据库正被其他程序长时间占用", ErrorCode::Busy}; break;
        case SQLITE_FULL: reason = {"磁盘空间不足", ErrorCode::DiskFull}; break;
        case SQLITE_IOERR: reason = {"读写出错（磁盘或设备故障）"}; break;
        case SQLITE_CANTOPEN: reason = {"无法打开文件"}; break;
        case SQLITE_NOMEM: reason = {"内存不足"}; break;
        case SQLITE_TOOBIG: reason = {"数据过大"}; break;
        default: reason = {"数据库出错"}; break;
    }
    reason.error += "（" + message + "）";
    return reason;
}

}  // namespace

Failure detail::SystemFailure(int systemErrno) {
    ErrorCode code = ErrorCode::Failed;
    switch (systemErrno) {
        case ENOSPC:
        case EDQUOT: code = ErrorCode::DiskFull; break;
        case EACCES:
        case EPERM: code = ErrorCode::NoPermission; break;
        case EROFS: code = ErrorCode::ReadOnly; break;
        case ENOENT:
        case ENOTDIR: code = ErrorCode::NotFound; break;
        default: break;
    }
    return {SystemErrorText(systemErrno), code};
}

std::string detail::Refusal(const std::filesystem::path& file, std::string_view reason) {
    return "开奖历史数据库“" + file.string() + "”无法使用：" + std::string(reason);
}

Failure detail::Refused(const std::filesystem::path& file, const Failure& reason) {
    return {Refusal(file, reason.error), reason.code};
}

bool detail::IsBusy(int code) { return (code & 0xff) == SQLITE_BUSY || (code & 0xff) == SQLITE_LOCKED; }

Failure detail::Problem(const std::filesystem::path& file, int code, const std::string& message, int systemErrno) {
    if (IsBusy(code)) return {"开奖历史正被其他程序占用，请稍后再试（" + file.string() + "）", ErrorCode::Busy};
    return Refused(file, DescribeSqliteError(code, message, systemErrno));
}

Failure detail::LastProblem(const HistoryDb::Impl& db) {
    return Problem(db.path, db.connection.lastErrorCode(), db.connection.lastError(), db.connection.lastSystemErrno());
}

bool detail::IsDiskProblem(int code, int systemErrno) {
    const int primary = code & 0xff;
    return primary == SQLITE_FULL || primary == SQLITE_IOERR || systemErrno == ENOSPC || systemErrno == EDQUOT;
}

Failure detail::WriteFailure(const HistoryDb::Impl& db, int code, const std::string& message) {
    if (IsBusy(code)) return Problem(db.path, code, message);
    if (IsDiskProblem(code, db.connection.lastSystemErrno())) db.diskFailed = true;
    if (db.readOnly) return ReadOnlyFailure(db.path);
    const Failure reason = DescribeSqliteError(code, message, db.connection.lastSystemErrno());
    return {"写入开奖历史数据库“" + db.path.string() + "”失败：" + reason.error + "；开奖历史未作改动", reason.code};
}

Failure detail::WriteProblem(const HistoryDb::Impl& db) {
    return WriteFailure(db, db.connection.lastErrorCode(), db.connection.lastError());
}

Failure detail::ReadOnlyFailure(const std::filesystem::path& file) {
    return {ReadOnlyNotice(file), ErrorCode::ReadOnly};
}

Failure detail::UnknownLottery(std::string_view lottery) {
    return {"未知彩种“" + std::string(lottery) + "”", ErrorCode::BadArgument};
}

std::string ReadOnlyNotice(const std::filesystem::path& file) {
    return "开奖历史“" + file.string() +
           "”只能读取（没有写入权限）：历史验证、走势图和导出照常，导入、更新和删除已关闭。";
}

}  // namespace sanxing::history
