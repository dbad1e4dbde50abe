#include "map/core/save_temporaries.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <ctime>

namespace marv {
namespace {

constexpr const char* kTemporaryInfix = ".guardando-";
constexpr std::size_t kTemporarySuffixLength = 6;

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

}  // namespace

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

void clearStaleTemporaries(const std::string& folder, const std::string& name) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string entryName = entry->d_name;
        if (!isSaveTemporaryOf(entryName, name)) continue;
        struct stat named {};
        if (::fstatat(dirFd, entryName.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(named.st_mode) || named.st_uid != ::geteuid()) {
            continue;
        }
        // A handle that opens nothing, to make sure the name still holds the file just checked;
        // the file is then opened through it, so that nothing else can be opened instead.
        FileDescriptor handle(::openat(dirFd, entryName.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        struct stat held {};
        if (handle.get() < 0 || ::fstat(handle.get(), &held) != 0 || !sameFile(held, named))
            continue;
        const std::string reopen = "/proc/self/fd/" + std::to_string(handle.get());
        FileDescriptor fd(::open(reopen.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC));
        if (fd.get() < 0 || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) continue;
        if (::fstatat(dirFd, entryName.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            sameFile(held, named)) {
            ::unlinkat(dirFd, entryName.c_str(), 0);
        }
    }
    ::closedir(dir);
}

bool createTemporary(const std::string& folder, const std::string& name, mode_t mode,
                     Temporary& out) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string path = folder + "/." + name + kTemporaryInfix + randomSuffix();
        FileDescriptor fd(::open(
            path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, mode));
        if (fd.get() < 0) {
            if (errno == EEXIST) continue;
            return false;
        }
        const bool locked = ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0;
        const int lockError = errno;
        // Another save's clean-up holds it, and removes it.
        if (!locked && lockError == EWOULDBLOCK) continue;
        // That clean-up may also have removed it before the lock was taken: the file is ours
        // only if it still has its name.
        struct stat held = {}, named = {};
        if (::fstat(fd.get(), &held) != 0 || ::lstat(path.c_str(), &named) != 0 ||
            !sameFile(held, named)) {
            continue;
        }
        if (!locked && !noLocksHere(lockError)) {
            ::unlink(path.c_str());
            errno = lockError;
            return false;
        }
        out.fd.reset(fd.release());
        out.path = path;
        return true;
    }
    errno = EEXIST;
    return false;
}

}  // namespace marv
