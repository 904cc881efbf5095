#include "tools/base_file_scan.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

namespace sanxing {

namespace {

constexpr char kCtrlZ = '\x1A';

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Closes a file descriptor when it goes out of scope.
class FileHandle {
public:
    explicit FileHandle(int fd) : fd_(fd) {}
    ~FileHandle() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

void BaseTextScanner::feed(std::string_view piece) {
    if (ended_) return;
    for (std::size_t i = 0; i < piece.size(); ++i) {
        const char c = piece[i];
        if (c == '\0' || c == kCtrlZ) {
            ended_ = true;
            length_ += i;
            return;
        }
        if (IsDigit(c)) {
            if (run_ == 0) {
                runAfterSpace_ = afterSpace_;
                value_ = 0;
            }
            value_ = (value_ * 10 + (c - '0')) % kUniverseSize;
            // " 123": the first three digits of a run that follows a space.
            if (++run_ == 3 && runAfterSpace_) numbers_.insert(value_);
            afterSpace_ = false;
            continue;
        }
        // "123 ": the last three digits of a run that a space follows.
        if (c == ' ' && run_ >= 3) numbers_.insert(value_);
        run_ = 0;
        afterSpace_ = c == ' ';
    }
    length_ += piece.size();
}

std::optional<NumberSet> ReadBaseFile(const std::string& path, std::size_t chunkSize) {
    // Non-blocking, so that a FIFO without a writer or a terminal reads as nothing
    // instead of waiting; regular files are unaffected.
    FileHandle file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0) return std::nullopt;
    if (chunkSize == 0) chunkSize = 1;
    const std::unique_ptr<char[]> buffer(new char[chunkSize]);
    BaseTextScanner scanner;
    while (!scanner.ended()) {
        const ssize_t got = ::read(file.get(), buffer.get(), chunkSize);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;  // unreadable (a folder, a device error): as if missing
        }
        scanner.feed({buffer.get(), static_cast<std::size_t>(got)});
    }
    if (scanner.length() < kShortestLoadableText) return std::nullopt;
    return scanner.numbers();
}

}  // namespace sanxing
