#include "tools/in_place_save.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <filesystem>

#include "runtime/system_error_text.h"
#include "tools/interrupted_saves.h"
#include "tools/save_io.h"

namespace sanxing {

namespace {

Failure Reason(int error) { return {SystemErrorText(error)}; }

// Copies go beside the file when its folder takes new files, else to the backups folder.
std::string CopyFolderFor(const std::string& target) {
    const std::string folder = save_io::FolderOf(target);
    if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0) return folder;
    const std::string backups = BackupFolder();
    std::error_code error;
    if (!backups.empty()) std::filesystem::create_directories(backups, error);
    if (!backups.empty()) ::chmod(backups.c_str(), 0700);  // copies may be private
    return backups;
}

// "<name>.bak-YYYYMMDD-HHMMSS" in `folder`, with "-2", "-3", … when taken.
std::string FreeCopyName(const std::string& folder, const std::string& target) {
    char stamp[32];
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = folder + "/" + std::filesystem::path(target).filename().string() + ".bak-" + stamp;
    std::string name = base;
    for (int n = 2; ::access(name.c_str(), F_OK) == 0 || errno != ENOENT; ++n) {
        if (n > 1000) return base;  // the copy's own creation reports what is wrong
        name = base + "-" + std::to_string(n);
    }
    return name;
}

// Writes the copy whole under a temporary name, syncs it, then gives it its name.
int MakeCopy(int original, const struct stat& status, const std::string& folder, const std::string& copy) {
    save_io::Temporary temporary = save_io::CreateTemporary(folder);
    if (!temporary.fd.valid()) return errno;
    const std::uintmax_t size = static_cast<std::uintmax_t>(status.st_size);
    int error = save_io::Reserve(temporary.fd.get(), size);
    if (error == 0) error = save_io::CopyContent(original, temporary.fd.get(), size);
    if (error == 0 && ::fchmod(temporary.fd.get(), status.st_mode & 0666) != 0) error = errno;
    if (error == 0 && ::fsync(temporary.fd.get()) != 0) error = errno;
    if (error == 0) error = save_io::LinkTemporary(temporary, copy);
    if (error == 0) error = temporary.fd.close();
    if (error != 0) {
        save_io::Discard(temporary);
        if (temporary.path == copy) ::unlink(copy.c_str());
        return error;
    }
    save_io::SyncFolder(folder);
    return 0;
}

// Writes `bytes` over the file from its start, cuts it to their length and syncs it.
int Overwrite(int fd, std::string_view bytes) {
    if (const int error = save_io::WriteAllAt(fd, bytes, 0)) return error;
    if (::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) return errno;
    return ::fsync(fd) == 0 ? 0 : errno;
}

// Frees what was reserved past the end of the file (its size has not changed).
void DropReservation(int fd, std::uintmax_t size) {
    if (::ftruncate(fd, static_cast<off_t>(size)) != 0) return;  // best effort: the blocks are only unused
}

// Puts the old text back from the copy.
bool Restore(int fd, const std::string& copy, std::uintmax_t size) {
    const FileDescriptor old(::open(copy.c_str(), O_RDONLY | O_CLOEXEC));
    return old.valid() && save_io::CopyContent(old.get(), fd, size) == 0 &&
           ::ftruncate(fd, static_cast<off_t>(size)) == 0 && ::fsync(fd) == 0;
}

}  // namespace

Result<void> WriteInPlaceKeepingACopy(const std::string& target, std::string_view bytes) {
    const FileDescriptor file(::open(target.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (!file.valid()) return Reason(errno);
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) return Reason(errno);

    const std::string folder = CopyFolderFor(target);
    if (folder.empty()) return Failure{"无法为原文件做备份：所在文件夹不能新建文件，也找不到程序的状态文件夹"};
    const std::string copy = FreeCopyName(folder, target);
    const PendingSave pending(target, copy, bytes);
    if (const int error = MakeCopy(file.get(), status, folder, copy)) {
        return Failure{SystemErrorText(error) + "\n（为原文件做备份时：" + copy + "）"};
    }
    if (folder == BackupFolder()) PruneBackups();

    const std::uintmax_t oldSize = static_cast<std::uintmax_t>(status.st_size);
    if (const int error = save_io::Reserve(file.get(), bytes.size())) {
        DropReservation(file.get(), oldSize);
        ::unlink(copy.c_str());
        return Reason(error);
    }
    if (const int error = Overwrite(file.get(), bytes)) {
        if (!Restore(file.get(), copy, oldSize)) {
            return Failure{SystemErrorText(error) + "\n原文件的副本保存在：" + copy};
        }
        ::unlink(copy.c_str());
        return Reason(error);
    }
    ::unlink(copy.c_str());
    return {};
}

}  // namespace sanxing
