#include <dlfcn.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdarg>
#include <cstring>
#include <filesystem>
#include <set>

#include "editor/model/editor_model.h"
#include "map/core/file_system.h"
#include "map/core/map_file.h"
#include "map/core/map_location.h"
#include "map/core/program_setup.h"
#include "map/core/system_reason.h"
#include "support/board_text.h"
#include "support/child_process.h"
#include "support/temp_folder.h"

// Where the test sets it, file locks fail as on a file system that has none.
static bool locksFail = false;
extern "C" int flock(int fd, int operation) noexcept {
    if (locksFail) return errno = ENOLCK, -1;
    static const auto real = reinterpret_cast<int (*)(int, int)>(::dlsym(RTLD_NEXT, "flock"));
    return real(fd, operation);
}

// The save temporary files as they are made, counted in memory the test's children share: how
// many, and how many another user could have opened the instant they existed.
struct Creations {
    int made = 0, open = 0;
};
static Creations* const creations = static_cast<Creations*>(
    ::mmap(nullptr, sizeof(Creations), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
extern "C" int open(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = (flags & O_CREAT) != 0 ? va_arg(args, mode_t) : 0;
    va_end(args);
    static const auto real =
        reinterpret_cast<int (*)(const char*, int, ...)>(::dlsym(RTLD_NEXT, "open"));
    const int fd = real(path, flags, mode);
    struct stat info {};
    if (fd >= 0 && (flags & O_CREAT) != 0 && std::strstr(path, ".guardando-") != nullptr &&
        creations != nullptr && ::fstat(fd, &info) == 0) {
        ++creations->made;
        creations->open += (info.st_mode & 077) != 0;
    }
    return fd;
}

namespace marv::testing {
namespace {

namespace fs = std::filesystem;

// All of a file that a save keeps but its text: mode, owner, group, links, the inode flags a user
// may set (-1 where the file system has none), extended attributes.
std::string keptState(const std::string& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat info {};
    int flags = -1;
    ::fstat(fd, &info);
    if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) flags &= FS_FL_USER_MODIFIABLE;
    std::set<std::string> attributes;
    char names[1024], value[256];
    const ssize_t n = std::max<ssize_t>(::flistxattr(fd, names, sizeof names), 0);
    for (const char* name = names; name < names + n; name += std::strlen(name) + 1) {
        const ssize_t size = std::max<ssize_t>(::fgetxattr(fd, name, value, sizeof value), 0);
        attributes.insert(std::string(name) + "=" + std::string(value, value + size));
    }
    ::close(fd);
    return ::testing::PrintToString(
        std::tuple(info.st_mode, info.st_uid, info.st_gid, info.st_nlink, flags, attributes));
}

const std::string kOld = formatMapText(uniformCodes(3)), kFresh = formatMapText(uniformCodes(7));

// Writes the old map into `f`; returns its path.
std::string oldMap(TempFolder& f) {
    TempFolder::write(f.file(kMapFileName), kOld);
    return f.file(kMapFileName);
}

class MapFile : public ::testing::Test {
  protected:
    TempFolder folder;
    const std::string path = mapPathIn(folder.path());
};

// A longer map first, then a shorter one: the file holds the second whole, byte for byte. Saves
// clear what crashed saves left (the first file), but never a temporary file that a running save
// holds (the second, held through the first save), a folder, nor a file the user made; they leave
// none of theirs.
TEST_F(MapFile, SavesWriteTheWholeMapAndClearOnlyStaleTemporaryFiles) {
    const std::string files[] = {
        ".mapa.txt.guardando-Ab12Cd", ".mapa.txt.guardando-Zz99Yy", "mapa.txt.backup",
        ".mapa.txt.guardando-notas",  ".mapa.txt.guardando-Ab1",    ".otro.txt.guardando-Ab12Cd"};
    for (const std::string& name : files) TempFolder::write(folder.file(name), "0,0,");
    fs::create_directory(folder.file(".mapa.txt.guardando-Dir123"));
    const int held = ::open(folder.file(files[1]).c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    ASSERT_EQ(writeMapFile(path, uniformCodes(-15)).error(), "");
    ::close(held);
    locksFail = true;  // then the save goes on, and the clean-up removes nothing
    EXPECT_EQ(writeMapFile(path, uniformCodes(3)).error(), "");
    locksFail = false;
    for (const std::string& name : files)
        EXPECT_EQ(TempFolder::read(folder.file(name)), name == files[0] ? "" : "0,0,") << name;
    EXPECT_EQ(TempFolder::read(path), kOld);
    EXPECT_EQ(folder.entries(), std::size(files) + 1) << "the map, the folder and the kept files";
}

// Each is refused at once, and reading creates nothing: nothing waits for a writer, nothing reads
// an endless device, and a file far too large is refused by its size; a map read aborts the child.
TEST_F(MapFile, ReadFailuresAreReportedAtOnce) {
    const std::string fifo = folder.file("fifo"), huge = folder.file("enorme.txt");
    const std::string shortMap = folder.file("corto.txt");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    TempFolder::write(huge, "0,");
    fs::resize_file(huge, 16 * 1024 * 1024 + 1);
    TempFolder::write(shortMap, "0,0,");
    const std::pair<std::string, std::string> cases[] = {
        {path, "No se encuentra el archivo del mapa " + path + "."},
        {shortMap, shortMap + ": el mapa tiene 2 valores y hacen falta 400."},
        {fifo, "El mapa " + fifo + " no es un archivo normal."},
        {"/dev/zero", "El mapa /dev/zero no es un archivo normal."},
        {huge, "El archivo del mapa " + huge + " es demasiado grande para ser un mapa."},
    };
    for (const auto& [file, message] : cases) {
        const ChildResult child =
            runInChild([&] { return readMapFile(file).error(); }, RunAs::kSelf, 5);
        ASSERT_EQ(child.status, 0) << file << " ended by signal " << child.signal;
        EXPECT_EQ(child.said, message);
    }
    EXPECT_FALSE(fs::exists(path)) << "reading never creates the file";
}

TEST_F(MapFile, TheProgramFolderIsAlwaysAbsolute) {
    EXPECT_EQ(folderOfProgram("/opt/marv/marvane").value(), "/opt/marv");
    EXPECT_EQ(folderOfProgram("/marvane").value(), "/");
    EXPECT_EQ(folderOfProgram("/carpeta-\xff\xfe/marvedit").value(), "/carpeta-\xff\xfe");
    const std::string unknown =
        "No se sabe en qué carpeta está el programa, y por eso tampoco dónde está su mapa.";
    for (const char* unusable : {"", "marvane", "./bin/marvane"})  // error() throws on a folder
        EXPECT_EQ(folderOfProgram(unusable).error(), unknown) << unusable;
    EXPECT_EQ(programFolder().value(), fs::read_symlink("/proc/self/exe").parent_path().string());
    EXPECT_EQ(mapPathIn("/opt/marv"), "/opt/marv/mapa.txt");
    EXPECT_EQ(mapPathIn("/opt/marv/"), "/opt/marv/mapa.txt");
}

// Where a build for a system install finds the user's map, and the sample while there is none.
// The first save makes the map and its missing folders below the home, each 0700 whatever the
// umask; the map gets the umask's mode, like any new file; the next start reads it, not the sample.
TEST_F(MapFile, TheUsersMapFollowsTheDataHomeAndTheFirstSaveMakesIt) {
    const std::string home = folder.file("casa"), data = folder.file("datos");
    const std::string sample = folder.file("usr/share/marvane/mapa.txt");
    const std::string homeMap = home + "/.local/share/marvane/mapa.txt";
    const std::string dataMap = data + "/marvane/mapa.txt";
    const std::string noHome =
        "No se sabe dónde está su mapa: la variable HOME no está definida o no es una ruta "
        "absoluta, y XDG_DATA_HOME tampoco da una carpeta absoluta.";
    fs::create_directories(data + "/marvane");
    fs::create_directories(folderOf(sample));
    TempFolder::write(dataMap, kOld);
    TempFolder::write(sample, kOld);
    const auto locate = [&](const char* homeVariable, const char* xdgVariable) {
        return userMapLocation(folder.file("usr/lib/marvane"), "../../share/marvane/mapa.txt",
                               homeVariable, xdgVariable);
    };
    struct Row {
        const char* name;
        const char* home;
        const char* xdg;
        std::string read, save;  // save empty: no map, and the message is in `read`
    };
    const Row rows[] = {
        {"NoMapYetReadsTheSample", home.c_str(), nullptr, sample, homeMap},
        {"ARelativeDataHomeIsIgnored", home.c_str(), "datos", sample, homeMap},
        {"TheDataHomesMapOnceItExists", home.c_str(), data.c_str(), dataMap, dataMap},
        {"TheDataHomeNeedsNoHome", nullptr, data.c_str(), dataMap, dataMap},
        {"NoHome", nullptr, nullptr, noHome, ""},
        {"ARelativeHomeIsNone", "casa", "datos", noHome, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto map = locate(row.home, row.xdg);
        ASSERT_EQ(map.ok(), !row.save.empty());
        const MapLocation got = map ? map.value() : MapLocation{map.error(), {}, {}, false};
        EXPECT_EQ(got.read, row.read);
        EXPECT_EQ(got.save, row.save);
        EXPECT_EQ(got.readsSample, map && row.read != row.save);
        EXPECT_EQ(got.folderToMake, map ? folderOf(row.save) : "");
        EXPECT_NE(describeMap(map).find(row.read), std::string::npos) << describeMap(map);
    }
    EXPECT_FALSE(fs::exists(home)) << "finding the map makes nothing";

    fs::permissions(folder.path(), fs::perms(0777));
    const ChildResult child = runInChild(
        [&] {
            ::umask(027);
            ::mkdir(home.c_str(), 0755);
            const MapLocation map = locate(home.c_str(), nullptr).value();
            EditorModel model(readMapFile(map.read).value());
            model.chooseTile(7);
            model.paint({0, 0});
            const Status saved = model.save(map);
            return saved.error() + (model.modified() ? " sigue modificado" : "");
        },
        RunAs::kUnprivileged);
    ASSERT_EQ(child.status, 0) << child.signal;
    EXPECT_EQ(child.said, "");
    EXPECT_EQ(locate(home.c_str(), nullptr).value().read, homeMap);
    for (const std::string& made :
         {home + "/.local", home + "/.local/share", home + "/.local/share/marvane"})
        EXPECT_EQ(fs::status(made).permissions(), fs::perms(0700)) << made;
    EXPECT_EQ(fs::status(homeMap).permissions(), fs::perms(0640));
    EXPECT_EQ(codesOf(readMapFile(homeMap).value())[0][0], 7);
    EXPECT_EQ(TempFolder::read(sample), kOld) << "the sample is never written";
}

// A save of the fresh map into a folder made ready by `prepare`, in a child run as `as`.
struct Awkward {
    const char* name;
    std::function<void(TempFolder&)> prepare = oldMap;
    std::string failure = "";  // the reason, or empty when the save must succeed
    RunAs as = RunAs::kSelf;
    const char* target = kMapFileName;  // the file that must get the text, through any link
    std::function<std::string(TempFolder&)> check = nullptr;  // what else went wrong, if anything
    rlim_t limit = RLIM_INFINITY;                             // how large files may grow
    int mapMode = 0, folderMode = 0;  // the map's and the folder's modes once prepared, unless 0
    friend void PrintTo(const Awkward& c, std::ostream* os) { *os << c.name; }
};

// An access ACL as the kernel stores it: user::rw- user:nobody:rw- group::r-- mask::rw-
// other::---, so that the mode shows 0660 although the owning group may only read.
const std::uint32_t kAcl[] = {2,   0x60001, ~0u, 0x60002, 65534, 0x40004,
                              ~0u, 0x60010, ~0u, 0x20,    ~0u};
// A default ACL that gives everyone read and write on new files: user::rwx group::rwx other::rw-.
const std::uint32_t kOpenDefaultAcl[] = {2, 0x70001, ~0u, 0x70004, ~0u, 0x60020, ~0u};
const std::string kTooLarge = "el archivo sería demasiado grande", kDenied = "permiso denegado";
const std::string kLonger = kOld + "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,";
int rowFd = -1;  // a lock on the map, or the old map for the row's check
constexpr uid_t kRunner = static_cast<uid_t>(-1);  // as an owner: whoever runs the test

// Gives `file`, not what it links to, to `owner`: only root may, so elsewhere the row skips.
void own(const std::string& file, uid_t owner) {
    if (owner != kRunner && ::geteuid() != 0) GTEST_SKIP() << "only root can give files away";
    ASSERT_EQ(::lchown(file.c_str(), owner, owner), 0);
}

// The old map behind a link `mapa.txt` in a folder with `mode` (by default a sticky one anyone may
// write), the folder and the link of the given owners.
template <uid_t folderOwner, uid_t linkOwner, int mode = 01777>
void linkInFolder(TempFolder& f) {
    fs::create_directory(f.file("mapas"));
    TempFolder::write(f.file("mapas/uno.txt"), kOld);
    fs::create_symlink("mapas/uno.txt", f.file("mapa.txt"));
    own(f.file("mapa.txt"), linkOwner);
    own(f.path(), folderOwner);
    fs::permissions(f.path(), fs::perms(mode));
}

// A map of `text` with a second name, which saves rewrite in place.
std::function<void(TempFolder&)> hardLinked(const std::string& text) {
    return [text](TempFolder& f) {
        TempFolder::write(f.file(kMapFileName), text);
        fs::create_hard_link(f.file(kMapFileName), f.file("otro.txt"));
    };
}

const Awkward kAwkward[] = {
    {.name = "ThroughASymbolicLinkTheTargetIsSavedAndTheLinkKept",
     .prepare = linkInFolder<kRunner, kRunner, 0755>},
    {.name = "AWritableMapInAReadOnlyFolderIsRewrittenInPlace",
     .prepare = [](TempFolder& f) { TempFolder::write(f.file(kMapFileName), kLonger); },
     .as = RunAs::kUnprivileged,
     .mapMode = 0666,
     .folderMode = 0555},
    // Installed under a system prefix, the program's folder and map are root's, not the user's.
    {.name = "AnInstalledMapIsNotTheUsers",
     .prepare = [](TempFolder& f) { own(oldMap(f), 0); },
     .failure = kDenied,
     .as = RunAs::kUnprivileged,
     .folderMode = 0555},
    {.name = "NoMapInAReadOnlyFolderCannotBeCreated",
     .prepare = [](TempFolder&) {},
     .failure = kDenied,
     .as = RunAs::kUnprivileged,
     .folderMode = 0555},
    {.name = "AFifoIsNoMapToSaveOver",
     .prepare = [](TempFolder& f) { ::mkfifo(f.file("mapa.txt").c_str(), 0666); },
     .failure = "no es un archivo normal"},
    {.name = "AMapWithNoWriteBitIsRefusedToRootToo", .failure = kDenied, .mapMode = 0444},
    // Others may write it, but not its owner, in a folder that would take a replacement.
    {.name = "AMapItsOwnerMayNotWriteIsRefused",
     .prepare = [](TempFolder& f) { own(oldMap(f), 65534); },
     .failure = kDenied,
     .as = RunAs::kUnprivileged,
     .mapMode = 0466,
     .folderMode = 0777},
    // Opening the FIFO would hang the save; removing another user's file, a count it keeps.
    {.name = "AnotherUsersMapAndLookAlikesKeepTheirOwners",
     .prepare =
         [](TempFolder& f) {
             TempFolder::write(f.file(".mapa.txt.guardando-Ajeno1"), "suyo");
             own(f.file(".mapa.txt.guardando-Ajeno1"), 65534);
             ::mkfifo(f.file(".mapa.txt.guardando-Fifo12").c_str(), 0600);
             own(oldMap(f), 65534);
         },
     .mapMode = 0640},
    // Replaced, not rewritten in place: the new file is given all of these.
    {.name = "TheAclTheUsersAttributesAndInodeFlagsAreKept",
     .prepare =
         [](TempFolder& f) {
             const std::string map = oldMap(f);
             ASSERT_EQ(::setxattr(map.c_str(), "system.posix_acl_access", kAcl, sizeof kAcl, 0), 0);
             ASSERT_EQ(::setxattr(map.c_str(), "user.nota", "mía", 4, 0), 0);
             rowFd = ::open(map.c_str(), O_RDONLY | O_CLOEXEC);
             int flags = 0;  // where the file system keeps none, the rest is still checked
             ::ioctl(rowFd, FS_IOC_GETFLAGS, &flags);
             flags |= FS_NOATIME_FL | FS_SYNC_FL | FS_NODUMP_FL;
             ::ioctl(rowFd, FS_IOC_SETFLAGS, &flags);
         },
     .check =
         [](TempFolder& f) {
             const std::string old = "/proc/self/fd/" + std::to_string(rowFd);
             return fs::equivalent(old, f.file(kMapFileName)) ? "rewritten in place" : "";
         }},
    // With SIGXFSZ ignored as the programs do, a write past the file-size limit fails: replaced,
    // or in place (hard-linked) with a longer text or a shorter one.
    {.name = "AFileSizeLimitFailsAReplacingSave", .failure = kTooLarge, .limit = 100},
    {.name = "AFileSizeLimitFailsALongerSaveInPlace",
     .prepare = hardLinked(kOld.substr(0, 400)),
     .failure = kTooLarge,
     .limit = 600},
    {.name = "AFileSizeLimitFailsAShorterSaveInPlace",
     .prepare = hardLinked(kLonger),
     .failure = kTooLarge,
     .limit = 400},
    // The temporary file is private from the instant it exists, although a default ACL would
    // open any new file in the folder to everyone, umask or not.
    {.name = "NoOtherUserCouldEverOpenTheTemporaryFile",
     .prepare =
         [](TempFolder& f) {
             oldMap(f);
             if (::setxattr(f.path().c_str(), "system.posix_acl_default", kOpenDefaultAcl,
                            sizeof kOpenDefaultAcl, 0) != 0)
                 GTEST_SKIP() << "the temporary folder's file system takes no default ACL";
             *creations = {};
         },
     .check =
         [](TempFolder&) {
             return creations->made == 1 && creations->open == 0 ? "" : "open to others";
         }},
    {.name = "AnotherUsersLinkInASharedFolderIsNotFollowed",
     .prepare = linkInFolder<0, 65534>,
     .failure = kForeignLinkInSharedFolder},
    {.name = "TheUsersOwnLinkInASharedFolderIsFollowed", .prepare = linkInFolder<65534, 0>},
    {.name = "TheFolderOwnersLinkInASharedFolderIsFollowed", .prepare = linkInFolder<65534, 65534>},
    // Another program's in-place save holds the map, which has a second name: this one waits,
    // gives up and changes nothing.
    {.name = "ALockedMapIsNotRewrittenInPlace",
     .prepare =
         [](TempFolder& f) {
             hardLinked(kOld)(f);
             rowFd = ::open(f.file(kMapFileName).c_str(), O_RDONLY | O_CLOEXEC);
             ASSERT_EQ(::flock(rowFd, LOCK_EX), 0);
         },
     .failure = kAnotherProgramIsSaving,
     .target = "otro.txt"},
    // A map mounted over its name, as a container's file volume is, cannot be renamed over; it
    // is written in place. The mount is in a namespace of the test's own, gone when it ends.
    {.name = "AMapMountedOverItsNameIsWrittenInPlace",
     .prepare =
         [](TempFolder& f) {
             TempFolder::write(f.file("volumen.txt"), "0,");
             if (::unshare(CLONE_NEWNS) != 0 ||
                 ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                 ::mount(f.file("volumen.txt").c_str(), oldMap(f).c_str(), nullptr, MS_BIND,
                         nullptr))
                 GTEST_SKIP() << "needs the right to mount (root)";
         },
     .target = "volumen.txt",
     .check =
         [](TempFolder& f) {
             return ::umount(f.file(kMapFileName).c_str()) == 0 ? "" : "not mounted";
         }},
};

// The save either succeeds or leaves the old file byte for byte; either way the file keeps its
// mode, owner, links and attributes, and no temporary file is left. Where the map is a link,
// reading through it follows or refuses it as the save did.
class AwkwardSave : public ::testing::TestWithParam<Awkward> {};

TEST_P(AwkwardSave, KeepsTheOldMapOrWritesTheNew) {
    const Awkward& c = GetParam();
    TempFolder place;
    c.prepare(place);
    if (c.mapMode != 0) fs::permissions(place.file(kMapFileName), fs::perms(c.mapMode));
    if (c.folderMode != 0) fs::permissions(place.path(), fs::perms(c.folderMode));
    if (IsSkipped()) return;
    const std::string path = place.file(kMapFileName);
    const std::string file = fs::weakly_canonical(place.file(c.target));
    const bool existed = fs::is_regular_file(file);
    const std::size_t entries = place.entries();
    const std::string kept = keptState(file), before = existed ? TempFolder::read(file) : "";
    const ChildResult child = runInChild(
        [&] {
            ignoreFileSizeSignal();
            const FileSizeLimit limit(c.limit);
            return writeMapFile(path, uniformCodes(7)).error();
        },
        c.as);
    if (fs::is_symlink(path)) {  // read while the folder is still as the row made it
        const auto read = readMapFile(path);
        const std::string refused = "No se puede abrir el archivo del mapa " + path + ": ";
        EXPECT_EQ(read ? "" : read.error(), c.failure.empty() ? "" : refused + c.failure + ".");
    }
    fs::permissions(place.path(), fs::perms(0755));
    EXPECT_EQ(child.status, 0) << "ended by signal " << child.signal;
    const std::string reason = "No se pudo guardar el mapa en " + path + ": " + c.failure + ".";
    EXPECT_EQ(child.said, c.failure.empty() ? "" : reason);
    if (existed) {
        EXPECT_EQ(keptState(file), kept);
        EXPECT_EQ(TempFolder::read(file), c.failure.empty() ? kFresh : before);
    }
    EXPECT_EQ(place.entries(), entries) << "no temporary file is left";
    EXPECT_EQ(c.check ? c.check(place) : "", "");
    if (rowFd >= 0) ::close(std::exchange(rowFd, -1));
}

INSTANTIATE_TEST_SUITE_P(, AwkwardSave, ::testing::ValuesIn(kAwkward),
                         [](const auto& info) { return std::string(info.param.name); });

// No system text reaches a message: the errors a map can meet have a sentence, others a number.
TEST(SystemReason, IsSpanishForEveryError) {
    for (int error = 1; error < 134; ++error)
        EXPECT_NE(systemReason(error), std::strerror(error)) << error;
}

}  // namespace
}  // namespace marv::testing
