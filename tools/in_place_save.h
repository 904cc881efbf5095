#pragma once
// Writing a regular file in place, for the files that replacing would harm: one with other
// hard links (they must keep seeing one file), one in a folder that takes no new file, one
// whose owner cannot be given to a new file. The old text is never at risk:
//   1. a copy of it is made and synced, beside the file when its folder allows, else in
//      the backups folder of the program's state (the newest ten stay there);
//   2. room for the new text is reserved, so that a full disk fails before the first byte
//      of the file changes;
//   3. the new text is written over the old, cut to length and synced;
//   4. the copy is removed. A write that fails halfway puts the old text back from the
//      copy; when even that fails, the copy stays and the failure names it.
// A record of the save (interrupted_saves.h) lets the next start name the copy when the
// save is killed in step 3.

#include <string>
#include <string_view>

#include "runtime/result.h"

namespace sanxing {

Result<void> WriteInPlaceKeepingACopy(const std::string& target, std::string_view bytes);

}  // namespace sanxing
