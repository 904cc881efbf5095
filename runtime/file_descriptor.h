#pragma once
// A file descriptor that closes itself when it goes out of scope.

#include <unistd.h>

#include <cerrno>
#include <utility>

namespace sanxing {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other) {
            reset();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    // Gives up the descriptor, now owned elsewhere (a stream opened on it).
    int release() { return std::exchange(fd_, -1); }
    bool valid() const { return fd_ >= 0; }
    // Closes now; 0, or the errno of a failed close (which may report a failed write).
    int close() {
        if (fd_ < 0) return 0;
        const int result = ::close(std::exchange(fd_, -1));
        return result == 0 ? 0 : errno;
    }

private:
    void reset() {
        if (fd_ >= 0) ::close(std::exchange(fd_, -1));
    }
    int fd_;
};

}  // namespace sanxing
