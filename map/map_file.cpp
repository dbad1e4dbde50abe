#include "map/map_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <ctime>
#include <utility>

#include "map/system_reason.h"

namespace marv {
namespace {

// Larger than any sensible map many times over; guards against reading a wrong, huge file.
constexpr off_t kLargestMapFile = 16 * 1024 * 1024;
constexpr const char* kTemporaryInfix = ".guardando-";
constexpr std::size_t kTemporarySuffixLength = 6;
constexpr int kLongestLinkChain = 40;

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    void reset(int fd = -1) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }
    int release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The file a chain of symbolic links ends at, which need not exist yet; `path` itself when it is
// no link.
Expected<std::string> linkTarget(const std::string& path) {
    std::string target = path;
    for (int links = 0; links <= kLongestLinkChain; ++links) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return target;
        char buffer[PATH_MAX];
        const ssize_t n = ::readlink(target.c_str(), buffer, sizeof buffer);
        if (n < 0 || n == static_cast<ssize_t>(sizeof buffer)) {
            return Expected<std::string>::failure(systemReason(n < 0 ? errno : ENAMETOOLONG));
        }
        const std::string next(buffer, static_cast<std::size_t>(n));
        target = next.front() == '/' ? next : folderOf(target) + "/" + next;
    }
    return Expected<std::string>::failure(systemReason(ELOOP));
}

std::string randomSuffix() {
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char bytes[kTemporarySuffixLength] = {};
    if (::getrandom(bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes)) {
        // Without random bytes a clock-based name still works: creation is exclusive and retried.
        unsigned long seed = static_cast<unsigned long>(::getpid()) ^
                             static_cast<unsigned long>(::time(nullptr)) ^
                             reinterpret_cast<std::uintptr_t>(&bytes);
        for (auto& b : bytes)
            b = static_cast<unsigned char>(seed = seed * 6364136223846793005UL + 1);
    }
    std::string suffix;
    for (unsigned char b : bytes) suffix += kLetters[b % (sizeof kLetters - 1)];
    return suffix;
}

// Removes the temporary files of earlier saves of `name` in `folder` whose writer is gone: a
// live save holds a lock on its temporary file for as long as it writes.
void clearStaleTemporaries(const std::string& folder, const std::string& name) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string entryName = entry->d_name;
        if (!isSaveTemporaryOf(entryName, name)) continue;
        FileDescriptor fd(::openat(dirFd, entryName.c_str(),
                                   O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        struct stat locked {
        }, named{};
        if (fd.get() < 0 || ::fstat(fd.get(), &locked) != 0 || !S_ISREG(locked.st_mode)) continue;
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) continue;
        if (::fstatat(dirFd, entryName.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            sameFile(locked, named)) {
            ::unlinkat(dirFd, entryName.c_str(), 0);
        }
    }
    ::closedir(dir);
}

struct Temporary {
    FileDescriptor fd;
    std::string path;
};

// Creates a temporary file beside the target and locks it. The kernel applies the umask to a
// new file's mode, so nothing here changes the process's umask. Fails with errno set.
bool createLockedTemporary(const std::string& folder, const std::string& name, Temporary& out) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string path = folder + "/." + name + kTemporaryInfix + randomSuffix();
        FileDescriptor fd(::open(
            path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0666));
        if (fd.get() < 0) {
            if (errno == EEXIST) continue;
            return false;
        }
        // Another save's clean-up may have taken the file between its creation and the lock;
        // it is ours only if it still has its name once locked.
        struct stat locked {
        }, named{};
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0 || ::fstat(fd.get(), &locked) != 0 ||
            ::lstat(path.c_str(), &named) != 0 || !sameFile(locked, named)) {
            continue;
        }
        out.fd.reset(fd.release());
        out.path = path;
        return true;
    }
    errno = EEXIST;
    return false;
}

// Keeps what the replaced file had: its mode, and its owner and group when the process may give
// them (root may; others may at least keep a group they belong to).
bool takeOverAttributes(int fd, const struct stat& old) {
    [[maybe_unused]] const bool kept = ::fchown(fd, old.st_uid, old.st_gid) == 0 ||
                                       ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

}  // namespace

std::string mapPathIn(const std::string& folder) {
    if (!folder.empty() && folder.back() == '/') return folder + kMapFileName;
    return folder + "/" + kMapFileName;
}

bool isSaveTemporaryOf(const std::string& entry, const std::string& fileName) {
    const std::string prefix = "." + fileName + kTemporaryInfix;
    if (entry.size() != prefix.size() + kTemporarySuffixLength || entry.rfind(prefix, 0) != 0)
        return false;
    for (std::size_t i = prefix.size(); i < entry.size(); ++i) {
        const char c = entry[i];
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}

Expected<std::string> readTextFile(const std::string& path) {
    using Result = Expected<std::string>;
    // O_NONBLOCK: opening a FIFO must not wait for a writer; the type check below refuses it.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) {
        const int error = errno;
        if (error == ENOENT)
            return Result::failure("No se encuentra el archivo del mapa " + path + ".");
        return Result::failure("No se puede abrir el archivo del mapa " + path + ": " +
                               systemReason(error) + ".");
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
    auto text = readTextFile(path);
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

Status saveTextFile(const std::string& path, const std::string& text) {
    const auto failed = [&](const std::string& reason) {
        return Status::failure("No se pudo guardar el mapa en " + path + ": " + reason + ".");
    };
    const auto target = linkTarget(path);
    if (!target) return failed(target.error());
    const std::string& file = target.value();
    const std::string folder = folderOf(file);
    const std::string name = nameOf(file);

    struct stat old {};
    const bool exists = ::stat(file.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return failed(systemReason(errno));
    if (exists) {
        if (!S_ISREG(old.st_mode)) return failed(kNotARegularFile);
        // A file its owner made read-only stays as it is, although its folder would take a
        // replacement.
        if (::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0) {
            return failed(systemReason(errno));
        }
    }

    clearStaleTemporaries(folder, name);
    Temporary temporary;
    if (!createLockedTemporary(folder, name, temporary)) {
        const int error = errno;
        // A folder that takes no new file may still hold a file that can be rewritten.
        if (exists && (error == EACCES || error == EPERM || error == EROFS)) {
            FileDescriptor fd(::open(file.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
            if (fd.get() < 0 || !writeAll(fd.get(), text) ||
                ::ftruncate(fd.get(), static_cast<off_t>(text.size())) != 0 ||
                ::fsync(fd.get()) != 0) {
                return failed(systemReason(errno));
            }
            if (::close(fd.release()) != 0) return failed(systemReason(errno));
            return {};
        }
        return failed(systemReason(error));
    }

    const auto abandon = [&](int error) {
        ::unlink(temporary.path.c_str());
        return failed(systemReason(error));
    };
    if (exists && !takeOverAttributes(temporary.fd.get(), old)) return abandon(errno);
    if (!writeAll(temporary.fd.get(), text)) return abandon(errno);
    if (::fsync(temporary.fd.get()) != 0) return abandon(errno);
    if (::rename(temporary.path.c_str(), file.c_str()) != 0) return abandon(errno);
    // The text is on disk under its name; the lock goes with the descriptor.
    temporary.fd.reset();

    // Make the rename itself durable; the new file is in place whether or not this succeeds.
    FileDescriptor folderFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderFd.get() >= 0) ::fsync(folderFd.get());
    return {};
}

Status writeMapFile(const std::string& path, const CodeGrid& codes) {
    return saveTextFile(path, formatMapText(codes));
}

}  // namespace marv
