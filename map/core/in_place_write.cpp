#include "map/core/in_place_write.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <cerrno>

#include "map/core/file_system.h"

namespace marv {
namespace {

int readWhole(int fd, off_t size, std::string& out) {
    out.resize(static_cast<std::size_t>(size));
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t n =
            ::pread(fd, out.data() + done, out.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return EIO;  // the file shrank under us
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

// Makes room for `size` bytes without changing any byte there is. Where the file system cannot
// reserve space, the length alone is set and the write below may still fail, to be undone.
int reserve(int fd, off_t oldSize, off_t size) {
    if (size <= oldSize) return 0;
    while (::fallocate(fd, 0, 0, size) != 0) {
        if (errno == EINTR) continue;
        if (errno != EOPNOTSUPP && errno != ENOSYS) return errno;
        return ::ftruncate(fd, size) == 0 ? 0 : errno;
    }
    return 0;
}

}  // namespace

int rewriteInPlace(const std::string& file, std::string_view text) {
    FileDescriptor fd(
        ::open(file.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat info {};
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0) return errno;
    if (!S_ISREG(info.st_mode)) return EINVAL;
    // Closing the descriptor at the end lets the lock go.
    if (const int error = lockWithin(fd.get(), LOCK_EX, kInPlaceLockWaitMs); error != 0) {
        if (error == EWOULDBLOCK) return kLockedByAnotherWriter;
        if (!noLocksHere(error)) return error;
    }
    // Another writer may have changed the length while this one waited.
    if (::fstat(fd.get(), &info) != 0) return errno;
    if (info.st_size > kLargestMapFile) return EFBIG;
    std::string old;
    if (const int error = readWhole(fd.get(), info.st_size, old); error != 0) return error;

    const off_t size = static_cast<off_t>(text.size());
    // Puts back the first `written` bytes and the old length; only what changed is rewritten, so
    // that a size limit below the old length does not stop the repair.
    const auto undo = [&](int error, std::size_t written) {
        writeAllAt(fd.get(), std::string_view(old).substr(0, written), 0);
        struct stat now {};
        if (::fstat(fd.get(), &now) == 0 && now.st_size != info.st_size) {
            [[maybe_unused]] const int ignored = ::ftruncate(fd.get(), info.st_size);
        }
        ::fsync(fd.get());
        return error;
    };
    if (const int error = reserve(fd.get(), info.st_size, size); error != 0) return undo(error, 0);
    const std::size_t written = writeAllAt(fd.get(), text, 0);
    if (written < text.size()) return undo(errno, written);
    if (size < info.st_size && ::ftruncate(fd.get(), size) != 0) return undo(errno, written);
    if (::fsync(fd.get()) != 0) return undo(errno, old.size());
    if (::close(fd.release()) != 0) return errno;
    return 0;
}

}  // namespace marv
