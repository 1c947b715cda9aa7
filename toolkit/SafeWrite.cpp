// Crash-safe writes: temporary file, checks, syncs, rename, folder sync; the shared lock; the sweep of
// what interrupted writes left.
#include "toolkit/SafeWrite.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <string_view>
#include <thread>
#include <utility>

#include "toolkit/Classes.h"
#include "toolkit/SysUtils.h"
#include "toolkit/testing_p.h"

namespace toolkit {

namespace {
// The game's temporary files: "." + the name + TempMark + six letters or digits, hidden beside the file
// they replace. No player names a file so, and nothing else is ever taken for one.
constexpr std::string_view TempMark = ".velmora-tmp-";
constexpr std::size_t TempLetters = 6;
constexpr char Letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// Whether a name is a temporary file of the game's; of the target `of` only, when one is given.
bool IsTemporaryName(std::string_view name, std::string_view of = {}) {
  std::size_t tail = TempMark.size() + TempLetters;
  if (name.size() <= tail + 1 || name[0] != '.' || name.substr(name.size() - tail, TempMark.size()) != TempMark)
    return false;
  if (!of.empty() && name.substr(1, name.size() - tail - 1) != of) return false;
  return std::all_of(name.end() - TempLetters, name.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
}

std::string RandomLetters() {
  std::random_device random;
  std::string s;
  for (std::size_t i = 0; i < TempLetters; ++i) s += Letters[random() % (sizeof Letters - 1)];
  return s;
}

// The folder of a path and its last part.
std::pair<std::string, std::string> Split(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {".", path};
  return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// A symbolic link is followed to the file it names, which is the one replaced: the link stays a link.
std::string FollowLinks(std::string name) {
  for (int depth = 0; depth < 40; ++depth) {
    struct stat st;
    if (::lstat(name.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
    std::string link(static_cast<std::size_t>(PATH_MAX), '\0');
    ssize_t n = ::readlink(name.c_str(), link.data(), link.size());
    if (n <= 0) break;
    link.resize(static_cast<std::size_t>(n));
    name = link[0] == '/' ? link : Split(name).first + "/" + link;
  }
  return name;
}

// True while the name still stands for the open file.
bool StillNamed(int fd, const std::string& name) {
  struct stat open, named;
  return ::fstat(fd, &open) == 0 && ::lstat(name.c_str(), &named) == 0 && open.st_dev == named.st_dev &&
         open.st_ino == named.st_ino;
}

// A whole-file record lock of the open file description: it works between processes and between two
// handles of one process alike, and on network file systems, where the server keeps it. An exclusive
// lock needs a handle open for writing; a shared one, a handle open for reading. Without `wait` it
// fails at once with EAGAIN while another holds a lock in the way. Returns 0 or the error.
int LockWhole(int fd, bool exclusive, bool wait) {
  // Tests make the next exclusive lock fail as a file system without locks would.
  int error = 0;
  if (exclusive && testing::TakeLockFault(error)) return error;
  struct flock lock {};
  lock.l_type = exclusive ? F_WRLCK : F_RDLCK;
  lock.l_whence = SEEK_SET;
  for (int command : {wait ? F_OFD_SETLKW : F_OFD_SETLK, wait ? F_SETLKW : F_SETLK}) {
    // The classic per-process lock stands in where the kernel does not know the first (EINVAL).
    for (;;) {
      if (::fcntl(fd, command, &lock) == 0) return 0;
      if (errno != EINTR) break;
    }
    if (errno != EINVAL) return errno == EACCES ? EAGAIN : errno;
  }
  return EINVAL;
}

// The error that stands for a lock file that is no regular file.
constexpr int NotRegular = -1;

// Tells on standard error what the game could not lock and what it does instead.
void Say(const std::string& text) { std::fprintf(stderr, "velmora: %s\n", text.c_str()); }

// Removes the temporaries of the folder (of the target `of` only, when given) that no running copy is
// writing: only a regular file, never through a link, and only one that can be locked now, since its
// writer holds it locked until the rename. One whose lock cannot even be tried stays.
void Sweep(const std::string& folder, std::string_view of = {}) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    if (!IsTemporaryName(entry->d_name, of)) continue;
    std::string path = folder + "/" + entry->d_name;
    int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && LockWhole(fd, false, false) == 0 && StillNamed(fd, path))
      ::unlink(path.c_str());
    ::close(fd);
  }
  ::closedir(dir);
}

// Syncs a folder, so that a rename in it survives a power cut. A file system that cannot sync a folder
// (EINVAL) keeps its names by itself.
int SyncFolder(const std::string& folder) {
  int error = 0;
  if (testing::TakeFolderSyncFault(error)) return error;
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  int result = ::fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
  ::close(fd);
  return result;
}
}  // namespace

std::optional<std::string> ReadFileIfAny(const std::string& fileName) {
  struct stat st;
  // A link to no file is no file either: the write that follows makes the file it names.
  if (::stat(fileName.c_str(), &st) != 0 && errno == ENOENT) return std::nullopt;
  return ReadFileBytes(fileName);
}

// A save goes to a temporary file beside the target, is written completely and synced, and only then
// renamed over it: a full disk, a failing disk or a crash half-way leaves the old file as it was, and
// every failure is raised. The temporary file stays locked until it is renamed, so that a copy of the
// game sweeping meanwhile does not take it for a leftover.
TWritten WriteFileBytes(const std::string& fileName, const std::string& bytes, bool throughLinks) {
  // Tests make a write fail here the way a full or failing disk would, through the same checks.
  int faultError = 0;
  long long faultAfter = -1;
  bool fault = testing::TakeWriteFault(faultError, faultAfter);
  auto fail = [&](int error) {
    throw EFCreateError("无法写入文件“" + ExpandFileName(fileName) + "”：" + SysErrorMessage(error));
  };
  if (fault && faultAfter < 0) fail(faultError);
  std::string target = throughLinks ? FollowLinks(fileName) : fileName;
  struct stat old;
  bool replacing = (throughLinks ? ::stat(target.c_str(), &old) : ::lstat(target.c_str(), &old)) == 0;
  if (replacing && S_ISDIR(old.st_mode)) fail(EISDIR);
  if (replacing && S_ISREG(old.st_mode) && ::access(target.c_str(), W_OK) != 0) fail(errno);
  auto [folder, name] = Split(target);
  // What an earlier write of this file left when it failed or was killed goes first.
  Sweep(folder, name);
  std::string temp;
  int fd = -1;
  for (int tries = 0; fd < 0; ++tries) {
    temp = folder + "/." + name + std::string(TempMark) + RandomLetters();
    fd = ::open(temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno == EEXIST && tries < 100) continue;
      fail(errno);
    }
    // Without its lock the file is still written: a sweep leaves alone a temporary it cannot lock
    // itself, and where locks work, this one is taken.
    if (int error = LockWhole(fd, true, true))
      Say("a temporary file cannot be locked (" + std::string(std::strerror(error)) + "): " + ExpandFileName(temp));
    if (!StillNamed(fd, temp)) {  // taken for a leftover and removed before the lock was held
      ::close(fd);
      fd = -1;
    }
  }
  auto abandon = [&](int error) {
    ::unlink(temp.c_str());
    ::close(fd);
    fail(error);
  };
  if (replacing && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 07777);
  std::size_t size = fault ? std::min(bytes.size(), static_cast<std::size_t>(faultAfter)) : bytes.size();
  for (std::size_t done = 0; done < size;) {
    ssize_t n = ::write(fd, bytes.data() + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) abandon(n < 0 ? errno : ENOSPC);
    done += static_cast<std::size_t>(n);
  }
  if (fault) abandon(faultError);
  // Some file systems report a full or failing disk only when the data is written out.
  if (::fsync(fd) != 0) abandon(errno);
  if (::rename(temp.c_str(), target.c_str()) != 0) abandon(errno);
  ::close(fd);
  // The new name is on the disk only once the folder is: before, a power cut can bring the old file
  // back. The file is replaced all the same, so this is no failed write.
  if (int error = SyncFolder(folder)) {
    Say("the folder of " + ExpandFileName(target) + " cannot be synced (" + std::strerror(error) +
        "): the file is written, but perhaps not yet on the disk");
    return TWritten::NotYetOnDisk;
  }
  return TWritten::OnDisk;
}

void RemoveLeftoverTemporaries(const std::string& folder) { Sweep(folder); }

TFileLock::TFileLock(const std::string& fileName, int patienceMs) : FFileName(fileName) {
  auto [folder, name] = Split(FollowLinks(fileName));
  std::string path = folder + "/." + name + ".velmora-lock";
  // Opened without waiting (a pipe there would wait for a partner), never through a link, and only
  // a regular file is taken: the exclusive lock needs a handle open for writing.
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  int error = fd < 0 ? errno : 0;
  struct stat st;
  if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) error = NotRegular;
  if (!error) {
    // Waits in short steps, so that it gives up when its patience ends.
    auto start = std::chrono::steady_clock::now();
    for (int pause = 1;; pause = std::min(pause * 2, 50)) {
      error = LockWhole(fd, true, false);
      if (error != EAGAIN) break;
      auto waited = std::chrono::steady_clock::now() - start;
      if (waited >= std::chrono::milliseconds(patienceMs)) {
        FBusy = true;
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(pause));
    }
  }
  if (!error) {
    FHandle = fd;
    return;
  }
  if (fd >= 0) ::close(fd);
  std::string reason = FBusy                 ? "another copy of the game holds it"
                       : error == NotRegular ? "it is not a regular file"
                                             : std::string(std::strerror(error));
  FWhy = ExpandFileName(path) + ": " + reason;
  // A lock tried only for a moment (at start) says nothing when another copy holds it: its holder then
  // leaves the work to that copy. Otherwise the holder goes on without the lock, and says so.
  if (!FBusy || patienceMs > Moment)
    Say("no lock on " + FWhy + "; " + name + " is read again and compared just before it is written");
}

TFileLock::~TFileLock() {
  if (FHandle >= 0) ::close(FHandle);
}

TFileClaim::TFileClaim(const std::string& fileName, int patienceMs) {
  auto [folder, name] = Split(fileName);
  std::string path = folder + "/." + name + ".velmora-lock";
  // Only a regular file is a lock: never a FIFO or a device that would block the open or the lock.
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return;
  }
  // Waits in short steps while another copy holds it, so that it gives up when its patience ends.
  auto start = std::chrono::steady_clock::now();
  for (int pause = 1;; pause = std::min(pause * 2, 50)) {
    int error = LockWhole(fd, true, false);
    if (error == 0) {
      FHandle = fd;
      return;
    }
    if (error != EAGAIN || std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(patienceMs)) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(pause));
  }
  ::close(fd);
}

TFileClaim::~TFileClaim() {
  if (FHandle >= 0) ::close(FHandle);
}

bool TFileLock::Unchanged(const std::optional<std::string>& seen) const {
  if (Held()) return true;
  if (std::function<void()> meanwhile = testing::TakeLockMeanwhile()) meanwhile();
  try {
    return ReadFileIfAny(FFileName) == seen;
  } catch (const Exception&) {
    return false;
  }
}

}  // namespace toolkit
