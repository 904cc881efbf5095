#pragma once
// Writing a file whole or not at all: the bytes go to a temporary file beside the target,
// are flushed to disk, and the temporary file is then renamed over the target. On any
// failure the temporary file is removed and an existing target keeps its old content.
//
// The temporary file has no name while it is written (O_TMPFILE) where the file system
// allows it, so a save that is killed leaves nothing behind; where it must have a name
// (.sanxing-save-<pid>-<n>), the next save removes those of processes that have ended.

#include <string>
#include <string_view>

#include "runtime/result.h"

namespace sanxing {

// Writes `bytes` to `path`, creating or replacing the file. Fails with the system's reason
// (strerror text).
//
// A symbolic link is followed, so the file it names is replaced (or created) and the
// link stays. A file the caller may not write is refused, as a plain write would be. A
// replaced file keeps its owner and mode. The target is written in place (truncated,
// written, flushed) instead of replaced where replacing would lose something: it is
// neither a regular file nor a folder (a device, a FIFO), it has other hard links (they
// keep seeing one file), no file can be created in its folder (a read-only folder
// holding a writable file), or its owner cannot be given to a new file.
Result<void> WriteFileWhole(const std::string& path, std::string_view bytes);

}  // namespace sanxing
