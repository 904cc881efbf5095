#pragma once
// Reading a small stored file (settings, sources.json, a scheme) whole, and only when it
// is a regular file: a FIFO, socket or device is named and left unopened, so that reading
// can never block, and a file over the size limit is left unread.

#include <cstdint>
#include <string>

namespace sanxing {

enum class FileReadStatus { Read, Missing, NotRegular, TooLarge, Failed };

struct FileRead {
    FileReadStatus status = FileReadStatus::Failed;
    std::string bytes;   // the whole file, when Read
    std::string reason;  // why it was not read, in Chinese, when not Read
};

// Reads `path` (symbolic links followed) when it is a regular file of at most `maxBytes`.
FileRead ReadRegularFile(const std::string& path, std::uintmax_t maxBytes);

// What a file that is not a regular file is, for messages: "FIFO", "套接字", "设备",
// "文件夹"; empty for a regular file.
std::string FileKindName(unsigned mode);

}  // namespace sanxing
