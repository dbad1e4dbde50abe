#include "map/core/file_attributes.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <set>
#include <string_view>

#include "map/core/file_system.h"

namespace marv {
namespace {

// The names of the extended attributes `list` reads; none where the file system has none.
bool attributeNames(const std::function<ssize_t(char*, std::size_t)>& list,
                    std::set<std::string>& names) {
    for (;;) {
        const ssize_t size = list(nullptr, 0);
        if (size < 0) return errno == ENOTSUP;
        std::string buffer(static_cast<std::size_t>(size), '\0');
        const ssize_t n = list(buffer.data(), buffer.size());
        if (n < 0 && errno == ERANGE) continue;  // an attribute came in between
        if (n < 0) return false;
        for (std::string_view rest(buffer.data(), static_cast<std::size_t>(n)); !rest.empty();) {
            const std::string_view name = rest.substr(0, rest.find('\0'));
            names.emplace(name);
            rest.remove_prefix(std::min(rest.size(), name.size() + 1));
        }
        return true;
    }
}

bool copyAttribute(const std::string& old, const std::string& name, int fd) {
    for (;;) {
        const ssize_t size = ::lgetxattr(old.c_str(), name.c_str(), nullptr, 0);
        if (size < 0) return false;
        std::string value(static_cast<std::size_t>(size), '\0');
        const ssize_t n = ::lgetxattr(old.c_str(), name.c_str(), value.data(), value.size());
        if (n < 0 && errno == ERANGE) continue;
        if (n < 0) return false;
        return ::fsetxattr(fd, name.c_str(), value.data(), static_cast<std::size_t>(n), 0) == 0;
    }
}

// The file system keeps no inode flags.
bool noFlagsHere(int error) {
    return error == ENOTTY || error == EOPNOTSUPP || error == ENOSYS || error == EINVAL;
}

}  // namespace

bool takeOverAttributes(int fd, const std::string& old, const struct stat& oldInfo) {
    // Owner first: a change of owner clears the set-user and set-group bits the mode then sets.
    if (::fchown(fd, oldInfo.st_uid, oldInfo.st_gid) != 0) return false;
    std::set<std::string> oldNames, newNames;
    if (!attributeNames([&](char* b, std::size_t s) { return ::llistxattr(old.c_str(), b, s); },
                        oldNames) ||
        !attributeNames([&](char* b, std::size_t s) { return ::flistxattr(fd, b, s); }, newNames)) {
        return false;
    }
    for (const std::string& name : newNames) {
        if (!oldNames.count(name) && ::fremovexattr(fd, name.c_str()) != 0) return false;
    }
    for (const std::string& name : oldNames) {
        if (!copyAttribute(old, name, fd)) return false;
    }
    // Last, so that an ACL's mask and the mode's group bits agree as they did.
    return ::fchmod(fd, oldInfo.st_mode & 07777) == 0;
}

bool userFlagsOf(const std::string& file, unsigned& flags) {
    flags = 0;
    // Reading the flags needs an open file; a map that may be written but not read opens so too.
    FileDescriptor fd(
        ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0 && errno == EACCES)
        fd.reset(::open(file.c_str(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) return false;
    int all = 0;
    if (::ioctl(fd.get(), FS_IOC_GETFLAGS, &all) != 0) return noFlagsHere(errno);
    flags = static_cast<unsigned>(all) & FS_FL_USER_MODIFIABLE;
    return true;
}

bool flagsForbidWriting(unsigned flags) {
    return (flags & (FS_IMMUTABLE_FL | FS_APPEND_FL)) != 0;
}

bool takeOverFlags(int fd, unsigned flags) {
    int all = 0;
    if (::ioctl(fd, FS_IOC_GETFLAGS, &all) != 0) return flags == 0 && noFlagsHere(errno);
    const unsigned managed = static_cast<unsigned>(all) & ~FS_FL_USER_MODIFIABLE;
    if ((static_cast<unsigned>(all) & FS_FL_USER_MODIFIABLE) == flags) return true;
    int wanted = static_cast<int>(managed | flags);
    if (::ioctl(fd, FS_IOC_SETFLAGS, &wanted) != 0) return false;
    // Some file systems take the call but keep only the flags they know.
    if (::ioctl(fd, FS_IOC_GETFLAGS, &all) != 0) return false;
    if ((static_cast<unsigned>(all) & FS_FL_USER_MODIFIABLE) == flags) return true;
    errno = EOPNOTSUPP;
    return false;
}

}  // namespace marv
