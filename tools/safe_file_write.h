#pragma once
// Writing a file whole or not at all: the bytes go to a temporary file beside the target,
// are flushed to disk, and the temporary file is then renamed over the target. On any
// failure the temporary file is removed and an existing target keeps its old content.

#include <optional>
#include <string>
#include <string_view>

namespace sanxing {

// Writes `bytes` to `path`, creating or replacing the file. Returns nothing on success,
// else the system's reason for the failure (strerror text).
//
// A symbolic link is followed, so the file it names is replaced (or created) and the
// link stays. A file the caller may not write is refused, as a plain write would be. A
// target that exists but is neither a regular file nor a folder (a device, a FIFO) cannot
// be replaced by renaming and is written in place.
std::optional<std::string> WriteFileWhole(const std::string& path, std::string_view bytes);

}  // namespace sanxing
