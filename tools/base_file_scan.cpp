#include "tools/base_file_scan.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "runtime/file_descriptor.h"
#include "runtime/text.h"

namespace sanxing {

namespace {

constexpr char kCtrlZ = '\x1A';

}  // namespace

void BaseTextScanner::feed(std::string_view piece) {
    if (ended_) return;
    // Only the bytes before an end byte count.
    for (const char end : {'\0', kCtrlZ}) {
        if (const void* hit = std::memchr(piece.data(), end, piece.size())) {
            piece = piece.substr(0, static_cast<std::size_t>(static_cast<const char*>(hit) - piece.data()));
            ended_ = true;
        }
    }
    length_ += piece.size();

    // The state lives in locals while the loop runs, so that it stays in registers.
    bool afterSpace = afterSpace_, runAfterSpace = runAfterSpace_;
    int run = run_, value = value_;
    for (const char c : piece) {
        if (IsAsciiDigit(c)) {
            if (run == 0) {
                runAfterSpace = afterSpace;
                value = 0;
            }
            value = (value * 10 + (c - '0')) % kUniverseSize;
            // " 123": the first three digits of a run that follows a space. The run
            // length stops counting at three, so that endless digit runs cannot overflow it.
            if (run < 3 && ++run == 3 && runAfterSpace) numbers_.insert(value);
            afterSpace = false;
            continue;
        }
        // "123 ": the last three digits of a run that a space follows.
        if (c == ' ' && run >= 3) numbers_.insert(value);
        run = 0;
        afterSpace = c == ' ';
    }
    afterSpace_ = afterSpace;
    runAfterSpace_ = runAfterSpace;
    run_ = run;
    value_ = value;
}

std::optional<NumberSet> ReadBaseFile(const std::string& path, std::size_t chunkSize) {
    // Non-blocking, so that a FIFO without a writer or a terminal reads as nothing
    // instead of waiting; regular files are unaffected.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
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
