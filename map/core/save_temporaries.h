#pragma once

#include <string>

#include "map/core/file_system.h"

namespace marv {

// The name pattern of the save's temporary files for the file `fileName`: a dot, the name,
// ".guardando-" and six letters or digits.
bool isSaveTemporaryOf(const std::string& entry, const std::string& fileName);

// Removes the temporary files of earlier saves of `name` in `folder` whose writer is gone: a live
// save holds a lock on its temporary file for as long as it writes. Only a regular file of this
// user, with the temporary name and no lock on it, is removed; nothing else is even opened. Where
// the file system has no locks, nothing is removed, since a live save cannot be told from a dead
// one.
void clearStaleTemporaries(const std::string& folder, const std::string& name);

struct Temporary {
    FileDescriptor fd;
    std::string path;
};

// Creates a temporary file for `name` beside it with `mode` and locks it; where the file system
// has no locks, it is used unlocked. The umask and a default ACL of the folder can only narrow
// `mode`: with 0600, no one but this user and root can open the file, from the instant it exists.
// Nothing here changes the process's umask. Fails with errno set, leaving no file it made behind.
bool createTemporary(const std::string& folder, const std::string& name, mode_t mode,
                     Temporary& out);

}  // namespace marv
