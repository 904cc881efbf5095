#pragma once
// The steps a save is made of, over the system calls: whole writes that go on after short
// writes and interruptions, reserving room on the disk, temporary files in a folder and
// syncing a folder. A step that can fail returns 0 or the errno of its failure.

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/file_descriptor.h"

namespace sanxing::save_io {

// Writes everything at `offset`.
int WriteAllAt(int fd, std::string_view bytes, off_t offset);

// Copies the first `size` bytes of `from` to the start of `to`.
int CopyContent(int from, int to, std::uintmax_t size);

// Makes sure that writing the file's first `size` bytes cannot fail for want of room,
// without changing its size or content: the blocks are reserved where the file system
// can (fallocate), else the free space must hold what the file grows by. ENOSPC (or
// EDQUOT) when there is no room.
int Reserve(int fd, std::uintmax_t size);

// Flushes a folder's entries (a rename, a new name) to disk; best effort.
void SyncFolder(const std::string& folder);

// The folder of a path, "." for a bare name.
std::string FolderOf(const std::string& path);

// A file being written: nameless (O_TMPFILE) until it is complete where the file system
// allows it, else named .sanxing-save-<pid>-<n> from the start.
struct Temporary {
    FileDescriptor fd;
    std::string path;  // empty while nameless
};

// A new temporary file in `folder`; `fd` is invalid and errno set when none can be made.
Temporary CreateTemporary(const std::string& folder);

// Gives the temporary file a name of its own in the folder where it was made: `name`
// must not exist yet (EEXIST). A named temporary loses its old name.
int LinkTemporary(Temporary& temporary, const std::string& name);

// Closes the temporary file and removes it.
void Discard(Temporary& temporary);

// A temporary name in `folder` that no other save uses.
std::string NextTemporaryName(const std::string& folder);

// Removes the named temporary files that saves of ended processes left in `folder`.
void RemoveStaleTemporaries(const std::string& folder);

// Whether no process has this id any more.
bool ProcessEnded(pid_t pid);

}  // namespace sanxing::save_io
