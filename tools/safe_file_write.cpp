#include "tools/safe_file_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>

#include "runtime/system_error_text.h"
#include "tools/in_place_save.h"
#include "tools/save_io.h"

namespace sanxing {

namespace {

Failure Reason(int error) { return {SystemErrorText(error)}; }

// The file a path finally names, symbolic links resolved. A link to a missing file is
// followed by hand, so that the save creates that file and the link stays.
std::string ResolveTarget(const std::string& path) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr) return resolved;
    std::filesystem::path target = path;
    std::error_code error;
    for (int hops = 0; hops < 40 && std::filesystem::is_symlink(target, error); ++hops) {
        const std::filesystem::path next = std::filesystem::read_symlink(target, error);
        if (error) break;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target.string();
}

// Whether no file can be created in the folder, although it exists.
bool FolderRefusesNewFiles(int error) { return error == EACCES || error == EPERM || error == EROFS; }

// A device or FIFO is written as it is: there is no file to replace and no old text to keep.
Result<void> WriteToDevice(const std::string& target, std::string_view bytes) {
    FileDescriptor device(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!device.valid()) return Reason(errno);
    for (std::string_view rest = bytes; !rest.empty();) {
        const ssize_t wrote = ::write(device.get(), rest.data(), rest.size());
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote < 0) return Reason(errno);
        rest.remove_prefix(static_cast<std::size_t>(wrote));
    }
    if (const int error = device.close()) return Reason(error);
    return {};
}

// Writes the temporary file, names it and renames it over the target; removes it on
// failure. Returns 0 or the errno of the failure.
int WriteAndReplace(save_io::Temporary& temporary, const std::string& folder, const std::string& target,
                    std::string_view bytes) {
    int error = save_io::Reserve(temporary.fd.get(), bytes.size());
    if (error == 0) error = save_io::WriteAllAt(temporary.fd.get(), bytes, 0);
    if (error == 0 && ::fsync(temporary.fd.get()) != 0) error = errno;
    for (int attempt = 0; error == 0 && temporary.path.empty() && attempt < 100; ++attempt) {
        error = save_io::LinkTemporary(temporary, save_io::NextTemporaryName(folder));
        if (error == EEXIST) error = 0;
    }
    if (error == 0) error = temporary.fd.close();
    if (error == 0 && ::rename(temporary.path.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) save_io::Discard(temporary);
    return error;
}

}  // namespace

Result<void> WriteFileWhole(const std::string& path, std::string_view bytes) {
    const std::string target = ResolveTarget(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (!exists && errno == ELOOP) return Reason(ELOOP);  // links in a circle name no file
    if (exists && S_ISDIR(existing.st_mode)) return Reason(EISDIR);
    if (exists && !S_ISREG(existing.st_mode)) return WriteToDevice(target, bytes);
    // Renaming over a file needs only a writable folder; a file the user may not write
    // must stay as it is, as it would for a plain write.
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return Reason(errno);

    const std::string folder = save_io::FolderOf(target);
    save_io::RemoveStaleTemporaries(folder);
    if (exists && existing.st_nlink > 1) return WriteInPlaceKeepingACopy(target, bytes);
    save_io::Temporary temporary = save_io::CreateTemporary(folder);
    if (!temporary.fd.valid()) {
        if (exists && FolderRefusesNewFiles(errno)) return WriteInPlaceKeepingACopy(target, bytes);
        return Reason(errno);
    }
    // The new file takes the old one's owner and mode. An owner that cannot be given away
    // (another user's file that we may write) keeps the old file, written in place.
    const bool sameOwner = existing.st_uid == ::geteuid() && existing.st_gid == ::getegid();
    if (exists && !sameOwner && ::fchown(temporary.fd.get(), existing.st_uid, existing.st_gid) != 0) {
        save_io::Discard(temporary);
        return WriteInPlaceKeepingACopy(target, bytes);
    }
    if (exists && ::fchmod(temporary.fd.get(), existing.st_mode & 07777) != 0) {
        const int error = errno;
        save_io::Discard(temporary);
        return Reason(error);
    }
    if (const int error = WriteAndReplace(temporary, folder, target, bytes)) return Reason(error);
    save_io::SyncFolder(folder);
    return {};
}

}  // namespace sanxing
