#pragma once
// Reading a small stored file (settings, sources.json, a scheme) whole, and only when it
// is a regular file: a FIFO, socket or device is named and left unopened, so that reading
// can never block, and a file over the size limit is left unread.

#include <cstdint>
#include <string>

#include "runtime/result.h"

namespace sanxing {

// The bytes of `path` (symbolic links followed) when it is a regular file of at most
// `maxBytes`. Failures: NotFound (no such file), NoPermission, BadInput (not a regular
// file, or over the limit: see OverLimit), Failed (any other); the text is in Chinese.
Result<std::string> ReadRegularFile(const std::string& path, std::uintmax_t maxBytes);

// Whether a failed read was refused for the file's size, for callers that treat a file
// over the limit apart from a FIFO or folder: a BadInput failure of a path that is a
// regular file.
bool OverLimit(const Result<std::string>& read, const std::string& path);

// What a file that is not a regular file is, for messages: "FIFO", "套接字", "设备",
// "文件夹"; empty for a regular file.
std::string FileKindName(unsigned mode);

}  // namespace sanxing
