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

}  // namespace marv
