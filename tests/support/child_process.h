#pragma once

#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <string>

namespace marv::testing {

// What a body run in a child process said, and how the child ended.
struct ChildResult {
    int status = -1;   // its exit status, -1 if a signal ended it
    int signal = 0;    // the signal that ended it, if one did
    std::string said;  // the body's result
};

enum class RunAs { kSelf, kUnprivileged };

// Runs `body` in a forked child and passes its result back. A child that takes longer than
// `seconds` is ended by SIGALRM, so a hang fails the test instead of stalling it. kUnprivileged
// drops to the user `nobody` first when running as root, where permissions would bind nothing.
// An exception out of `body` ends the child by SIGABRT, not by running on as a copy of the test.
inline ChildResult runInChild(const std::function<std::string()>& body, RunAs as = RunAs::kSelf,
                              unsigned seconds = 10) {
    int channel[2];
    if (::pipe(channel) != 0) return {};
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(channel[0]);
        ::close(channel[1]);
        return {.said = std::string("no se pudo crear el proceso: ") + std::strerror(errno)};
    }
    if (pid == 0) {
        ::close(channel[0]);
        ::alarm(seconds);
        if (as == RunAs::kUnprivileged && ::geteuid() == 0) {
            constexpr id_t kNobody = 65534;
            if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
                ::_exit(3);
        }
        const std::string said = [&]() noexcept { return body(); }();
        ::_exit(::write(channel[1], said.data(), said.size()) == std::ssize(said) ? 0 : 4);
    }
    ::close(channel[1]);
    ChildResult result;
    char buffer[4096];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        result.said.append(buffer, static_cast<std::size_t>(n));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return result;
}

// Files may grow to `bytes` only, while it lives: writes past it fail as on a full disk, even
// for root. Unless the process ignores SIGXFSZ, as the programs do, such a write ends it.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        const rlimit limit{bytes, old_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &old_); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit old_{};
};

}  // namespace marv::testing
