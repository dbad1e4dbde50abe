#include "map/core/file_system.h"

#include <sys/file.h>

#include <cerrno>
#include <climits>
#include <ctime>

#include "map/core/system_reason.h"

namespace marv {

std::string folderOf(std::string_view path) {
    const auto slash = path.rfind('/');
    if (slash == std::string_view::npos) return ".";
    if (slash == 0) return "/";
    return std::string(path.substr(0, slash));
}

std::string nameOf(std::string_view path) {
    const auto slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

Expected<std::string> readLink(const std::string& path) {
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink(path.c_str(), buffer, sizeof buffer);
    if (n < 0 || n == static_cast<ssize_t>(sizeof buffer)) {
        return Expected<std::string>::failure(systemReason(n < 0 ? errno : ENAMETOOLONG));
    }
    return std::string(buffer, static_cast<std::size_t>(n));
}

bool noLocksHere(int error) {
    return error == ENOLCK || error == EOPNOTSUPP || error == ENOSYS || error == EINVAL;
}

int lockWithin(int fd, int operation, int milliseconds) {
    constexpr long kPauseNs = 20'000'000;
    for (long waited = 0;; waited += kPauseNs / 1'000'000) {
        if (::flock(fd, operation | LOCK_NB) == 0) return 0;
        const int error = errno;
        if (error == EINTR) continue;
        if (error != EWOULDBLOCK || waited >= milliseconds) return error;
        const timespec pause{0, kPauseNs};
        ::nanosleep(&pause, nullptr);
    }
}

std::size_t writeAllAt(int fd, std::string_view text, off_t offset) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n =
            ::pwrite(fd, text.data() + done, text.size() - done, offset + static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR) continue;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return done;
}

}  // namespace marv
