#include "map/map_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace marv {
namespace {

// Larger than any sensible map many times over; guards against reading a wrong, huge file.
constexpr off_t kLargestMapFile = 16 * 1024 * 1024;

std::string reason(int error) {
    return std::strerror(error);
}

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
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

mode_t modeForNewFile(const std::string& path) {
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) return old.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

std::string mapPathIn(const std::string& folder) {
    if (folder.empty()) return kMapFileName;
    if (folder.back() == '/') return folder + kMapFileName;
    return folder + "/" + kMapFileName;
}

Expected<std::string> readTextFile(const std::string& path) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        const int error = errno;
        if (error == ENOENT) {
            return Expected<std::string>::failure("No se encuentra el archivo del mapa " + path +
                                                  ".");
        }
        return Expected<std::string>::failure("No se puede abrir el archivo del mapa " + path +
                                              ": " + reason(error) + ".");
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        return Expected<std::string>::failure("No se puede leer el archivo del mapa " + path +
                                              ": " + reason(errno) + ".");
    }
    if (!S_ISREG(info.st_mode)) {
        return Expected<std::string>::failure("El mapa " + path + " no es un archivo.");
    }
    if (info.st_size > kLargestMapFile) {
        return Expected<std::string>::failure("El archivo del mapa " + path +
                                              " es demasiado grande para ser un mapa.");
    }
    std::string text;
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return Expected<std::string>::failure("No se puede leer el archivo del mapa " + path +
                                                  ": " + reason(errno) + ".");
        }
        if (n == 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
        if (static_cast<off_t>(text.size()) > kLargestMapFile) {
            return Expected<std::string>::failure("El archivo del mapa " + path +
                                                  " es demasiado grande para ser un mapa.");
        }
    }
    return text;
}

Expected<MapValues> readMapFile(const std::string& path) {
    auto text = readTextFile(path);
    if (!text) return Expected<MapValues>::failure(text.error());
    return parseMapText(text.value(), path);
}

std::optional<std::string> writeTextFileAtomically(const std::string& path,
                                                   const std::string& text) {
    const auto failed = [&](int error) {
        return "No se pudo guardar el mapa en " + path + ": " + reason(error) + ".";
    };
    std::string temporary = path + ".XXXXXX";
    FileDescriptor fd(::mkstemp(temporary.data()));
    if (fd.get() < 0) return failed(errno);

    const auto abandon = [&](int error) {
        ::unlink(temporary.c_str());
        return failed(error);
    };
    if (::fchmod(fd.get(), modeForNewFile(path)) != 0) return abandon(errno);
    if (!writeAll(fd.get(), text)) return abandon(errno);
    if (::fsync(fd.get()) != 0) return abandon(errno);
    if (::close(fd.release()) != 0) return abandon(errno);
    if (::rename(temporary.c_str(), path.c_str()) != 0) return abandon(errno);

    // Make the rename itself durable; the new file is in place whether or not this succeeds.
    FileDescriptor folder(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) ::fsync(folder.get());
    return std::nullopt;
}

std::optional<std::string> writeMapFile(const std::string& path, const CodeGrid& codes) {
    return writeTextFileAtomically(path, formatMapText(codes));
}

}  // namespace marv
