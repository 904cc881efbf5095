#include "tools/safe_file_write.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace sanxing {

namespace {

constexpr std::string_view kTemporaryPrefix = ".sanxing-save-";

Failure Reason(int error) { return {std::strerror(error)}; }

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

// The process id in a temporary file's name, 0 when the name is not one of ours.
pid_t TemporaryOwner(std::string_view name) {
    if (!name.starts_with(kTemporaryPrefix)) return 0;
    name.remove_prefix(kTemporaryPrefix.size());
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
    return error == std::errc() && end != name.data() + name.size() && *end == '-' ? pid : 0;
}

bool ProcessEnded(pid_t pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }

// Removes the named temporary files that saves of ended processes left in `folder`.
void RemoveStaleTemporaries(const std::string& folder) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const pid_t owner = TemporaryOwner(entry.path().filename().native());
        if (owner > 0 && owner != ::getpid() && ProcessEnded(owner)) std::filesystem::remove(entry.path(), error);
    }
}

std::string NextTemporaryName(const std::string& folder) {
    static std::atomic<unsigned> counter{0};
    return folder + "/" + std::string(kTemporaryPrefix) + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

// The file being written: nameless (O_TMPFILE) until it is complete, or named from the start.
struct Temporary {
    int fd = -1;
    bool nameless = false;
    std::string path;  // empty while nameless
};

Temporary CreateTemporary(const std::string& folder) {
    Temporary temporary;
    temporary.fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (temporary.fd >= 0 || errno == EACCES || errno == EPERM || errno == EROFS || errno == ENOENT ||
        errno == ENOTDIR) {
        temporary.nameless = temporary.fd >= 0;
        return temporary;
    }
    // The file system has no nameless files: a name that no other save uses.
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary.path = NextTemporaryName(folder);
        temporary.fd = ::open(temporary.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (temporary.fd >= 0 || errno != EEXIST) break;
    }
    if (temporary.fd < 0) temporary.path.clear();
    return temporary;
}

void Discard(const Temporary& temporary) {
    ::close(temporary.fd);
    if (!temporary.path.empty()) ::unlink(temporary.path.c_str());
}

// Gives the finished nameless file a name beside the target: through /proc, which needs
// no privilege, else through the descriptor itself (needs CAP_DAC_READ_SEARCH).
bool GiveName(Temporary& temporary, const std::string& folder) {
    const std::string name = NextTemporaryName(folder);
    const std::string self = "/proc/self/fd/" + std::to_string(temporary.fd);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) != 0 &&
        ::linkat(temporary.fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) != 0) {
        return false;
    }
    temporary.path = name;
    return true;
}

// Whether no file can be created in the folder, although it exists.
bool FolderRefusesNewFiles(int error) { return error == EACCES || error == EPERM || error == EROFS; }

// Opens, truncates and writes the target itself, then flushes it. Used where replacing
// the file would lose something; a failure halfway leaves the file cut short.
Result<void> WriteInPlace(const std::string& target, std::string_view bytes, bool regular) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return Reason(errno);
    const bool wrote = WriteAll(fd, bytes) && (!regular || ::fsync(fd) == 0);
    const int error = errno;
    if (::close(fd) != 0 && wrote) return Reason(errno);
    if (!wrote) return Reason(error);
    return {};
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // best effort: the rename has happened either way
    ::close(fd);
}

// Writes the temporary file, names it when nameless and renames it over the target;
// removes it on failure. Returns 0 or the errno of the failure.
int WriteAndReplace(Temporary& temporary, const std::string& folder, const std::string& target,
                    std::string_view bytes) {
    int error = 0;
    if (!WriteAll(temporary.fd, bytes) || ::fsync(temporary.fd) != 0 ||
        (temporary.nameless && !GiveName(temporary, folder))) {
        error = errno;
    }
    if (::close(temporary.fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temporary.path.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0 && !temporary.path.empty()) ::unlink(temporary.path.c_str());
    return error;
}

}  // namespace

Result<void> WriteFileWhole(const std::string& path, std::string_view bytes) {
    const std::string target = ResolveTarget(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (!exists && errno == ELOOP) return Reason(ELOOP);  // links in a circle name no file
    if (exists && S_ISDIR(existing.st_mode)) return Reason(EISDIR);
    if (exists && !S_ISREG(existing.st_mode)) return WriteInPlace(target, bytes, false);
    // Renaming over a file needs only a writable folder; a file the user may not write
    // must stay as it is, as it would for a plain write.
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return Reason(errno);
    if (exists && existing.st_nlink > 1) return WriteInPlace(target, bytes, true);

    const std::string folder = FolderOf(target);
    RemoveStaleTemporaries(folder);
    Temporary temporary = CreateTemporary(folder);
    if (temporary.fd < 0) {
        if (exists && FolderRefusesNewFiles(errno)) return WriteInPlace(target, bytes, true);
        return Reason(errno);
    }
    // The new file takes the old one's owner and mode. An owner that cannot be given away
    // (another user's file that we may write) keeps the old file, written in place.
    const bool sameOwner = existing.st_uid == ::geteuid() && existing.st_gid == ::getegid();
    if (exists && !sameOwner && ::fchown(temporary.fd, existing.st_uid, existing.st_gid) != 0) {
        Discard(temporary);
        return WriteInPlace(target, bytes, true);
    }
    if (exists && ::fchmod(temporary.fd, existing.st_mode & 07777) != 0) {
        const int error = errno;
        Discard(temporary);
        return Reason(error);
    }
    if (const int error = WriteAndReplace(temporary, folder, target, bytes)) return Reason(error);
    SyncFolder(folder);
    return {};
}

}  // namespace sanxing
