// Owner lists, the line store and whole-file reads and writes.
#include "toolkit/Classes.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <random>
#include <string_view>

#include "toolkit/SysUtils.h"
#include "toolkit/testing_p.h"

namespace toolkit {

TComponent::TComponent(TComponent* AOwner) : FOwner(AOwner) {
  if (FOwner) FOwner->FComponents.push_back(this);
}

TComponent::~TComponent() {
  while (!FComponents.empty()) {
    TComponent* last = FComponents.back();
    FComponents.pop_back();
    last->FOwner = nullptr;
    delete last;
  }
  if (FOwner) {
    auto& list = FOwner->FComponents;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
}

std::string TStringList::Get(int index) const {
  if (index < 0 || index >= Count()) return {};
  return FLines[index];
}

void TStringList::Put(int index, const std::string& line) {
  if (index < 0 || index >= Count()) return;
  FLines[index] = line;
}

void TStringList::Clear() { FLines.assign(1, std::string()); }

void TStringList::Add(const std::string& line) {
  if (FLines.back().empty())
    FLines.back() = line;
  else
    FLines.push_back(line);
  FLines.emplace_back();
}

std::string TStringList::Text() const {
  std::string text;
  for (std::size_t i = 0; i < FLines.size(); ++i) {
    if (i) text += "\r\n";
    text += FLines[i];
  }
  return text;
}

void TStringList::set_Text(const std::string& text) {
  FLines.assign(1, std::string());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      FLines.emplace_back();
    } else {
      FLines.back() += c;
    }
  }
}

void TStringList::LoadFromFile(const std::string& fileName) { set_Text(AnsiToUtf8(ReadFileBytes(fileName))); }

void TStringList::SaveToFile(const std::string& fileName) const { WriteFileBytes(fileName, Utf8ToAnsi(Text())); }

namespace {
// The game's temporary files: "." + the name + TempMark + six letters or digits, hidden beside the file
// they replace. No player names a file so, and nothing else is ever taken for one.
constexpr std::string_view TempMark = ".velmora-tmp-";
constexpr std::size_t TempLetters = 6;
constexpr char Letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

bool IsTemporaryName(std::string_view name) {
  std::size_t tail = TempMark.size() + TempLetters;
  if (name.size() <= tail + 1 || name[0] != '.' || name.substr(name.size() - tail, TempMark.size()) != TempMark)
    return false;
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
}  // namespace

std::string ReadFileBytes(const std::string& fileName) {
  auto fail = [&](const std::string& reason) {
    throw EFOpenError("无法打开文件“" + ExpandFileName(fileName) + "”：" + reason);
  };
  // Opened without waiting and refused unless a regular file or a directory (whose read fails as
  // usual): a named pipe would wait for a writer for ever and a device such as /dev/zero never ends.
  int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) fail(SysErrorMessage(errno));
  struct stat st;
  if (::fstat(fd, &st) != 0 || !(S_ISREG(st.st_mode) || S_ISDIR(st.st_mode))) {
    ::close(fd);
    fail("不是普通文件");
  }
  std::string bytes;
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      int err = errno;
      ::close(fd);
      fail(SysErrorMessage(err));
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return bytes;
}

// A save goes to a temporary file beside the target, is written completely and synced, and only then
// renamed over it: a full disk, a failing disk or a crash half-way leaves the old file as it was, and
// every failure is raised. The temporary file stays locked until it is renamed, so that a copy of the
// game starting meanwhile does not take it for a leftover (RemoveLeftoverTemporaries).
void WriteFileBytes(const std::string& fileName, const std::string& bytes) {
  // Tests make a write fail here the way a full or failing disk would, through the same checks.
  int faultError = 0;
  long long faultAfter = -1;
  bool fault = testing::TakeWriteFault(faultError, faultAfter);
  auto fail = [&](int error) {
    throw EFCreateError("无法写入文件“" + ExpandFileName(fileName) + "”：" + SysErrorMessage(error));
  };
  if (fault && faultAfter < 0) fail(faultError);
  std::string target = FollowLinks(fileName);
  struct stat old;
  bool replacing = ::stat(target.c_str(), &old) == 0;
  if (replacing && S_ISDIR(old.st_mode)) fail(EISDIR);
  if (replacing && ::access(target.c_str(), W_OK) != 0) fail(errno);
  auto [folder, name] = Split(target);
  std::string temp;
  int fd = -1;
  for (int tries = 0; fd < 0; ++tries) {
    temp = folder + "/." + name + std::string(TempMark) + RandomLetters();
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno == EEXIST && tries < 100) continue;
      fail(errno);
    }
    ::flock(fd, LOCK_EX);
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
  if (replacing) ::fchmod(fd, old.st_mode & 07777);
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
}

void RemoveLeftoverTemporaries(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    if (!IsTemporaryName(entry->d_name)) continue;
    std::string path = folder + "/" + entry->d_name;
    int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    // A temporary file that a running copy is writing is locked by it.
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 && StillNamed(fd, path))
      ::unlink(path.c_str());
    ::close(fd);
  }
  ::closedir(dir);
}

TFileLock::TFileLock(const std::string& fileName) {
  auto [folder, name] = Split(FollowLinks(fileName));
  std::string path = folder + "/." + name + ".velmora-lock";
  FHandle = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (FHandle < 0) FHandle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (FHandle < 0) return;
  while (::flock(FHandle, LOCK_EX) != 0 && errno == EINTR) {
  }
}

TFileLock::~TFileLock() {
  if (FHandle >= 0) ::close(FHandle);
}

TFileClaim::TFileClaim(const std::string& fileName) {
  auto [folder, name] = Split(FollowLinks(fileName));
  std::string path = folder + "/." + name + ".velmora-lock";
  // Only a regular file is a lock: never a FIFO or a device that would block the open or the lock.
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return;
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
    FHandle = fd;
  else
    ::close(fd);
}

TFileClaim::~TFileClaim() {
  if (FHandle >= 0) ::close(FHandle);
}

}  // namespace toolkit
