// A lock held as a running copy of the game holds it: an exclusive record lock of an open file. The
// whole-file lock of flock(2) is held too, which local file systems keep apart from record locks, so
// that a program taking either kind meets a held lock.
#pragma once
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <string>

// Opens the file for reading and writing and locks it; returns the handle, which keeps the lock until
// it is closed, or -1.
inline int HoldLock(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  if (fd >= 0 && (::fcntl(fd, F_OFD_SETLK, &lock) != 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0)) {
    ::close(fd);
    return -1;
  }
  return fd;
}
