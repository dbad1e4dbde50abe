#include "map/core/map_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "map/core/file_attributes.h"
#include "map/core/file_system.h"
#include "map/core/in_place_write.h"
#include "map/core/save_temporaries.h"
#include "map/core/system_reason.h"

namespace marv {
namespace {

constexpr int kLongestLinkChain = 40;
// A reader waits this long for an in-place save to finish, then reads anyway: a stuck writer must
// not keep a program from starting.
constexpr int kReaderLockWaitMs = 1000;

// In a sticky folder anyone may write, a link is followed only when it belongs to this user or to
// the folder's owner: anyone else may have pointed it at this user's files. The kernel has the
// same rule, but it is a setting, and it cannot see links that are resolved here.
bool mayFollow(const std::string& link, const struct stat& linkInfo) {
    struct stat folder {};
    if (::stat(folderOf(link).c_str(), &folder) != 0) return false;
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    return !shared || linkInfo.st_uid == ::geteuid() || linkInfo.st_uid == folder.st_uid;
}

// The file a chain of symbolic links ends at, which need not exist yet; `path` itself when it is
// no link.
Expected<std::string> linkTarget(const std::string& path) {
    std::string target = path;
    for (int links = 0; links <= kLongestLinkChain; ++links) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return target;
        if (!mayFollow(target, info))
            return Expected<std::string>::failure(kForeignLinkInSharedFolder);
        const auto next = readLink(target);
        if (!next) return next;
        target = next.value().front() == '/' ? next.value() : folderOf(target) + "/" + next.value();
    }
    return Expected<std::string>::failure(systemReason(ELOOP));
}

// Errors of a rename that leave the file itself writable: a file mounted over its name, another
// user's file in a sticky folder, a file on another file system.
bool renameRefusedButFileWritable(int error) {
    return error == EBUSY || error == EPERM || error == EACCES || error == EXDEV;
}

// Errors of a folder that takes no new file.
bool folderTakesNoFile(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

}  // namespace

std::string mapPathIn(const std::string& folder) {
    if (!folder.empty() && folder.back() == '/') return folder + kMapFileName;
    return folder + "/" + kMapFileName;
}

Expected<std::string> readMapFileText(const std::string& path) {
    using Result = Expected<std::string>;
    const auto cannotOpen = [&](const std::string& reason) {
        return Result::failure("No se puede abrir el archivo del mapa " + path + ": " + reason +
                               ".");
    };
    const auto file = linkTarget(path);
    if (!file) return cannotOpen(file.error());
    // O_NONBLOCK: opening a FIFO must not wait for a writer; the type check below refuses it.
    // O_NOFOLLOW: the links were followed above, under the rule for shared folders.
    FileDescriptor fd(
        ::open(file.value().c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) {
        const int error = errno;
        if (error == ENOENT)
            return Result::failure("No se encuentra el archivo del mapa " + path + ".");
        return cannotOpen(systemReason(error));
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        return Result::failure("No se puede leer el archivo del mapa " + path + ": " +
                               systemReason(errno) + ".");
    }
    if (!S_ISREG(info.st_mode)) {
        return Result::failure("El mapa " + path + " " + kNotARegularFile + ".");
    }
    const auto tooLarge = [&] {
        return Result::failure("El archivo del mapa " + path +
                               " es demasiado grande para ser un mapa.");
    };
    if (info.st_size > kLargestMapFile) return tooLarge();
    // Not halfway through an in-place save; the lock goes with the descriptor.
    lockWithin(fd.get(), LOCK_SH, kReaderLockWaitMs);
    std::string text;
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return Result::failure("No se puede leer el archivo del mapa " + path + ": " +
                                   systemReason(errno) + ".");
        }
        if (n == 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
        if (static_cast<off_t>(text.size()) > kLargestMapFile) return tooLarge();
    }
    return text;
}

Expected<MapValues> readMapFile(const std::string& path) {
    auto text = readMapFileText(path);
    if (!text) return Expected<MapValues>::failure(text.error());
    return parseMapText(text.value(), path);
}

Expected<MapValues> loadMap(const std::string& path, const DrawableCodes& codes) {
    auto values = readMapFile(path);
    if (!values) return values;
    if (const Status drawable = checkDrawable(values.value(), codes, path); !drawable) {
        return Expected<MapValues>::failure(drawable.error());
    }
    return values;
}

Status saveMapFileText(const std::string& path, const std::string& text) {
    const auto failed = [&](const std::string& reason) {
        return Status::failure("No se pudo guardar el mapa en " + path + ": " + reason + ".");
    };
    const auto target = linkTarget(path);
    if (!target) return failed(target.error());
    const std::string& file = target.value();
    const std::string folder = folderOf(file);
    const std::string name = nameOf(file);
    const auto inPlace = [&] {
        const int error = rewriteInPlace(file, text);
        if (error == kLockedByAnotherWriter) return failed(kAnotherProgramIsSaving);
        return error == 0 ? Status() : failed(systemReason(error));
    };

    struct stat old {};
    unsigned flags = 0;
    const bool exists = ::lstat(file.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return failed(systemReason(errno));
    if (exists) {
        if (!S_ISREG(old.st_mode)) return failed(kNotARegularFile);
        // A file made read-only stays as it is, although its folder would take a replacement,
        // and even for root, whom the access check lets write anything.
        if ((old.st_mode & 0222) == 0) return failed(systemReason(EACCES));
        if (::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0) {
            return failed(systemReason(errno));
        }
        if (!userFlagsOf(file, flags)) return failed(systemReason(errno));
        if (flagsForbidWriting(flags)) return failed(systemReason(EPERM));
        // A replacement would split the file from its other names.
        if (old.st_nlink > 1) return inPlace();
    }

    clearStaleTemporaries(folder, name);
    Temporary temporary;
    // Private until it has the map's owner, mode and ACL; a new map gets what any new file gets.
    if (!createTemporary(folder, name, exists ? 0600 : 0666, temporary)) {
        const int error = errno;
        if (exists && folderTakesNoFile(error)) return inPlace();
        return failed(systemReason(error));
    }
    const auto abandon = [&](int error) {
        ::unlink(temporary.path.c_str());
        return failed(systemReason(error));
    };
    if (exists && (!takeOverFlags(temporary.fd.get(), flags) ||
                   !takeOverAttributes(temporary.fd.get(), file, old))) {
        // The new file would differ from the old one in more than its text.
        ::unlink(temporary.path.c_str());
        return inPlace();
    }
    if (writeAllAt(temporary.fd.get(), text, 0) < text.size()) return abandon(errno);
    if (::fsync(temporary.fd.get()) != 0) return abandon(errno);
    if (::rename(temporary.path.c_str(), file.c_str()) != 0) {
        const int error = errno;
        if (exists && renameRefusedButFileWritable(error)) {
            ::unlink(temporary.path.c_str());
            return inPlace();
        }
        return abandon(error);
    }
    // The text is on disk under its name; the lock goes with the descriptor.
    temporary.fd.reset();

    // Make the rename itself durable; the new file is in place whether or not this succeeds.
    FileDescriptor folderFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderFd.get() >= 0) ::fsync(folderFd.get());
    return {};
}

Status writeMapFile(const std::string& path, const CodeGrid& codes) {
    return saveMapFileText(path, formatMapText(codes));
}

}  // namespace marv
