#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <string_view>
#include <utility>

#include "map/core/expected.h"

namespace marv {

// Larger than any sensible map many times over: a larger file is neither read as a map nor kept
// in memory to be put back after a failed write.
inline constexpr off_t kLargestMapFile = 16 * 1024 * 1024;

// Owns an open file descriptor and closes it.
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

// The folder part of a path: "." for a bare name, "/" for a name at the root.
std::string folderOf(std::string_view path);

// The last part of a path.
std::string nameOf(std::string_view path);

bool sameFile(const struct stat& a, const struct stat& b);

// The text a symbolic link holds, as raw bytes; the reason in Spanish when it cannot be read.
Expected<std::string> readLink(const std::string& path);

// The file system offers no locks at all, as opposed to a lock held by someone else.
bool noLocksHere(int error);

// Takes the flock `operation` (LOCK_SH or LOCK_EX) on `fd`, trying again for up to `milliseconds`
// while another holder has it. Returns 0 when locked, EWOULDBLOCK when the wait ran out, or the
// error that tells the file system has no locks (see noLocksHere), or another error.
int lockWithin(int fd, int operation, int milliseconds);

// Writes the whole text at `offset`, retrying short writes. Returns how many bytes it wrote; fewer
// than the text's size when a write failed, with errno set.
std::size_t writeAllAt(int fd, std::string_view text, off_t offset);

}  // namespace marv
