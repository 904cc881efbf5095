#pragma once
// The one routine through which the program writes every file it saves (results, schemes,
// CSV and PNG exports, settings): whole or not at all. The bytes go to a temporary file
// beside the target, room for them is reserved, they are synced, and the temporary file
// is renamed over the target, whose folder is then synced. On any failure the temporary
// file is removed and an existing target keeps its old content.
//
// The temporary file has no name while it is written (O_TMPFILE) where the file system
// allows it, so a save that is killed leaves nothing behind; where it must have a name
// (.sanxing-save-<pid>-<n>), the next save into that folder removes those of processes
// that have ended.

#include <string>
#include <string_view>

#include "runtime/result.h"

namespace sanxing {

// Writes `bytes` to `path`, creating or replacing the file. Fails with the system's reason
// in Chinese (SystemErrorText).
//
// A symbolic link is followed, so the file it names is replaced (or created) and the
// link stays. A file the caller may not write is refused, as a plain write would be. A
// replaced file keeps its owner and mode. A regular file that replacing would harm (other
// hard links, a folder that takes no new file, an owner that cannot be given to a new
// file) is written in place with a copy of its old text kept until the new text is on
// the disk (in_place_save.h). A device or FIFO is written as it is.
Result<void> WriteFileWhole(const std::string& path, std::string_view bytes);

}  // namespace sanxing
