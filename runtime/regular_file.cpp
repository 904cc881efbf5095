#include "runtime/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "runtime/file_descriptor.h"
#include "runtime/system_error_text.h"

namespace sanxing {

namespace {

Failure Failed(int error) {
    const ErrorCode code = error == ENOENT                     ? ErrorCode::NotFound
                           : error == EACCES || error == EPERM ? ErrorCode::NoPermission
                                                               : ErrorCode::Failed;
    return {SystemErrorText(error), code};
}

Failure NotRegular(unsigned mode) { return {"不是普通文件（" + FileKindName(mode) + "）", ErrorCode::BadInput}; }

std::string SizeText(std::uintmax_t bytes) {
    constexpr std::uintmax_t kMegabyte = 1u << 20;
    if (bytes >= kMegabyte && bytes % kMegabyte == 0) return std::to_string(bytes / kMegabyte) + " MB";
    return std::to_string(bytes) + " 字节";
}

Failure TooLarge(std::uintmax_t maxBytes) {
    return {"文件过大（超过 " + SizeText(maxBytes) + "）", ErrorCode::BadInput};
}

}  // namespace

std::string FileKindName(unsigned mode) {
    if (S_ISREG(mode)) return {};
    if (S_ISDIR(mode)) return "文件夹";
    if (S_ISFIFO(mode)) return "FIFO";
    if (S_ISSOCK(mode)) return "套接字";
    return "设备";
}

Result<std::string> ReadRegularFile(const std::string& path, std::uintmax_t maxBytes) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return Failed(errno);
    if (!S_ISREG(status.st_mode)) return NotRegular(status.st_mode);
    if (static_cast<std::uintmax_t>(status.st_size) > maxBytes) return TooLarge(maxBytes);
    // Without waiting, and checked again once open: the path may have been replaced by a
    // FIFO in between.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) return Failed(errno);
    if (::fstat(file.get(), &status) != 0) return Failed(errno);
    if (!S_ISREG(status.st_mode)) return NotRegular(status.st_mode);

    std::string bytes;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            return Failed(errno);
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
        if (bytes.size() > maxBytes) return TooLarge(maxBytes);  // it grew while read
    }
    return bytes;
}

bool OverLimit(const Result<std::string>& read, const std::string& path) {
    struct stat status {};
    return !read && read.code() == ErrorCode::BadInput && ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

}  // namespace sanxing
