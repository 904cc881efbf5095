#include "tools/save_io.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <filesystem>

namespace sanxing::save_io {

namespace {

constexpr std::string_view kTemporaryPrefix = ".sanxing-save-";

// The process id in a temporary file's name, 0 when the name is not one of ours.
pid_t TemporaryOwner(std::string_view name) {
    if (!name.starts_with(kTemporaryPrefix)) return 0;
    name.remove_prefix(kTemporaryPrefix.size());
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
    return error == std::errc() && end != name.data() + name.size() && *end == '-' ? pid : 0;
}

// Whether a failed nameless open means that the file system has no nameless files (as
// opposed to a folder that refuses any new file).
bool LacksNamelessFiles(int error) { return error == EOPNOTSUPP || error == EISDIR || error == EINVAL; }

}  // namespace

int WriteAllAt(int fd, std::string_view bytes, off_t offset) {
    while (!bytes.empty()) {
        const ssize_t wrote = ::pwrite(fd, bytes.data(), bytes.size(), offset);
        if (wrote < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(wrote));
        offset += wrote;
    }
    return 0;
}

int CopyContent(int from, int to, std::uintmax_t size) {
    char buffer[1 << 16];
    off_t offset = 0;
    while (static_cast<std::uintmax_t>(offset) < size) {
        const ssize_t got = ::pread(from, buffer, sizeof buffer, offset);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return errno;
        if (got == 0) return EIO;  // the file shrank while copied
        const std::size_t wanted = static_cast<std::size_t>(
            std::min<std::uintmax_t>(static_cast<std::uintmax_t>(got), size - static_cast<std::uintmax_t>(offset)));
        if (const int error = WriteAllAt(to, {buffer, wanted}, offset)) return error;
        offset += static_cast<off_t>(wanted);
    }
    return 0;
}

int Reserve(int fd, std::uintmax_t size) {
    if (size == 0) return 0;
    int result;
    do {
        result = ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size));
    } while (result != 0 && errno == EINTR);
    if (result == 0) return 0;
    if (errno != EOPNOTSUPP && errno != ENOSYS) return errno;
    // No reservation on this file system: the free space must at least hold the growth.
    struct stat file {};
    struct statvfs disk {};
    if (::fstat(fd, &file) != 0 || ::fstatvfs(fd, &disk) != 0) return 0;  // nothing to go by
    const std::uintmax_t current = static_cast<std::uintmax_t>(file.st_size);
    const std::uintmax_t growth = size > current ? size - current : 0;
    const std::uintmax_t available = static_cast<std::uintmax_t>(disk.f_bavail) * disk.f_frsize;
    return growth > available ? ENOSPC : 0;
}

void SyncFolder(const std::string& folder) {
    const FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid()) ::fsync(fd.get());
}

std::string FolderOf(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

std::string NextTemporaryName(const std::string& folder) {
    static std::atomic<unsigned> counter{0};
    return folder + "/" + std::string(kTemporaryPrefix) + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

Temporary CreateTemporary(const std::string& folder) {
    Temporary temporary;
    temporary.fd = FileDescriptor(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    if (temporary.fd.valid() || !LacksNamelessFiles(errno)) return temporary;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary.path = NextTemporaryName(folder);
        temporary.fd = FileDescriptor(::open(temporary.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (temporary.fd.valid() || errno != EEXIST) break;
    }
    if (!temporary.fd.valid()) {
        const int error = errno;
        temporary.path.clear();
        errno = error;
    }
    return temporary;
}

int LinkTemporary(Temporary& temporary, const std::string& name) {
    if (!temporary.path.empty()) {
        if (::link(temporary.path.c_str(), name.c_str()) != 0) return errno;
        ::unlink(temporary.path.c_str());
        temporary.path = name;
        return 0;
    }
    // A nameless file is linked through /proc, which needs no privilege, else through
    // the descriptor itself (needs CAP_DAC_READ_SEARCH).
    const std::string self = "/proc/self/fd/" + std::to_string(temporary.fd.get());
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) != 0) {
        const int error = errno;
        if (error == EEXIST) return error;
        if (::linkat(temporary.fd.get(), "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) != 0) return error;
    }
    temporary.path = name;
    return 0;
}

void Discard(Temporary& temporary) {
    temporary.fd.close();
    if (!temporary.path.empty()) ::unlink(temporary.path.c_str());
    temporary.path.clear();
}

bool ProcessEnded(pid_t pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }

void RemoveStaleTemporaries(const std::string& folder) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const pid_t owner = TemporaryOwner(entry.path().filename().native());
        if (owner > 0 && owner != ::getpid() && ProcessEnded(owner)) std::filesystem::remove(entry.path(), error);
    }
}

}  // namespace sanxing::save_io
