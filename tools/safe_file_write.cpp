#include "tools/safe_file_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace sanxing {

namespace {

std::string Reason(int error) { return std::strerror(error); }

// Writes everything, going on after short writes and interruptions; false with errno set.
bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t wrote = ::write(fd, bytes.data(), bytes.size());
        if (wrote < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(wrote));
    }
    return true;
}

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

std::string FolderOf(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

// Creates a new, empty temporary file in `folder`; returns its descriptor (or -1 with
// errno set) and its path.
int CreateTemporary(const std::string& folder, std::string& temporary) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder + "/.sanxing-save-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

std::optional<std::string> WriteInPlace(const std::string& target, std::string_view bytes) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return Reason(errno);
    const bool wrote = WriteAll(fd, bytes);
    const int error = errno;
    if (::close(fd) != 0 && wrote) return Reason(errno);
    if (!wrote) return Reason(error);
    return std::nullopt;
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // best effort: the rename has happened either way
    ::close(fd);
}

}  // namespace

std::optional<std::string> WriteFileWhole(const std::string& path, std::string_view bytes) {
    const std::string target = ResolveTarget(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (!exists && errno == ELOOP) return Reason(ELOOP);  // links in a circle name no file
    if (exists && S_ISDIR(existing.st_mode)) return Reason(EISDIR);
    if (exists && !S_ISREG(existing.st_mode)) return WriteInPlace(target, bytes);
    // Renaming over a file needs only a writable folder; a file the user may not write
    // must stay as it is, as it would for a plain write.
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return Reason(errno);

    const std::string folder = FolderOf(target);
    std::string temporary;
    const int fd = CreateTemporary(folder, temporary);
    if (fd < 0) return Reason(errno);

    // A replaced file keeps its permissions; a new one gets 0666 less the umask.
    bool ok = !exists || ::fchmod(fd, existing.st_mode & 07777) == 0;
    ok = ok && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return Reason(error);
    }
    SyncFolder(folder);
    return std::nullopt;
}

}  // namespace sanxing
