#pragma once

#include <sys/stat.h>

#include <string>

namespace marv {

// Gives the new file open as `fd` everything but the text of the file `old` it is to replace:
// its owner and group, its mode, and exactly its extended attributes (the access ACL, `user.`
// attributes, security labels), removing any the new file got from its folder. False when any of
// it cannot be given, with errno set: such a file must not take the old one's place, since it
// could grant access the old one did not.
bool takeOverAttributes(int fd, const std::string& old, const struct stat& oldInfo);

// The inode flags a user may set (no-atime, synchronous, no-dump and the like) of the regular file
// `file`, without the ones the file system manages itself; 0 where the file system has none.
// False, with errno set, when they cannot be read.
bool userFlagsOf(const std::string& file, unsigned& flags);

// Immutable or append-only: no save may change such a file.
bool flagsForbidWriting(unsigned flags);

// Gives the file open as `fd` exactly the user's flags `flags`, keeping the ones its file system
// manages. False, with errno set, when the file does not end with them.
bool takeOverFlags(int fd, unsigned flags);

}  // namespace marv
