// The crash-safe write and the shared lock, as a file and a second copy of the game see them.
#include "toolkit/SafeWrite.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <thread>

#include "tests/Locks.h"
#include "tests/TempDir.h"
#include "toolkit/Classes.h"
#include "toolkit/SysUtils.h"
#include "toolkit/testing.h"

using namespace toolkit;
namespace tt = toolkit::testing;

namespace {
// Runs `f` in a child process and says whether it ended, with status 0, within `seconds`: a lock that
// waits for ever fails the test instead of hanging it.
bool EndsWithin(int seconds, const std::function<int()>& f) {
  pid_t pid = ::fork();
  if (pid == 0) ::_exit(f());
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  int status = 0;
  while (::waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > end) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
}  // namespace

// What stands at the lock's name decides whether the lock is taken; none of them keeps a copy of the
// game waiting longer than its patience.
TEST(SharedLock, IsTakenOnlyOnAFreeRegularFileAndNeverWaitedOnForEver) {
  enum Standing { Nothing, HeldByAnotherCopy, APipe, ALink };
  const struct {
    Standing standing;
    bool held, busy;
  } cases[] = {{Nothing, true, false}, {HeldByAnotherCopy, false, true}, {APipe, false, false}, {ALink, false, false}};
  for (const auto& c : cases) {
    TempDir dir;
    int other = -1;
    switch (c.standing) {
      case Nothing: break;
      case HeldByAnotherCopy:
        WriteFileBytes(".phb.txt.velmora-lock", "");
        other = HoldLock(".phb.txt.velmora-lock");
        ASSERT_GE(other, 0);
        break;
      case APipe: ASSERT_EQ(::mkfifo(".phb.txt.velmora-lock", 0644), 0); break;
      case ALink: ASSERT_EQ(::symlink("elsewhere", ".phb.txt.velmora-lock"), 0); break;
    }
    EXPECT_TRUE(EndsWithin(10, [&] {
      TFileLock lock("phb.txt", TFileLock::Moment);
      return lock.Held() == c.held && lock.Busy() == c.busy && lock.Why().empty() == c.held ? 0 : 1;
    })) << c.standing;
    if (other >= 0) ::close(other);
    EXPECT_FALSE(std::filesystem::exists("elsewhere"));  // a link is not followed to make a file
  }
}

// Where the system refuses every lock (ENOLCK, as an NFS mount without its lock service), the holder
// is told so on standard error and reads the file again before writing: another copy's write in
// between is seen.
TEST(SharedLock, WithoutALockTheFileIsComparedJustBeforeTheWrite) {
  TempDir dir;
  WriteFileBytes("phb.txt", "first");
  tt::FailNextLock(ENOLCK, [] { WriteFileBytes("phb.txt", "another copy's"); });
  ::testing::internal::CaptureStderr();
  TFileLock lock("phb.txt");
  std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_FALSE(lock.Held());
  EXPECT_NE(said.find(".phb.txt.velmora-lock"), std::string::npos) << said;
  EXPECT_NE(said.find(std::strerror(ENOLCK)), std::string::npos) << said;
  EXPECT_FALSE(lock.Unchanged(std::string("first")));  // the other copy wrote meanwhile
  EXPECT_TRUE(lock.Unchanged(std::string("another copy's")));
  EXPECT_TRUE(TFileLock("phb.txt").Held());  // the next one is taken as usual
}

// A write's temporary file whose lock is refused is still written, and the refusal is told.
TEST(SafeWrite, ATemporaryFileThatCannotBeLockedIsStillWrittenAndSaysSo) {
  TempDir dir;
  tt::FailNextLock(ENOLCK);
  ::testing::internal::CaptureStderr();
  WriteFileBytes("game.txt", "new");
  std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(ReadFileBytes("game.txt"), "new");
  EXPECT_NE(said.find("temporary file cannot be locked"), std::string::npos) << said;
}

// The rename is synced to the disk through the folder. A folder that cannot be synced after the rename
// is no failed write: the file is replaced, and the caller hears it is perhaps not yet on the disk.
TEST(SafeWrite, AFolderThatCannotBeSyncedAfterTheRenameIsToldAsNotYetOnDisk) {
  TempDir dir;
  WriteFileBytes("game.txt", "old");
  EXPECT_EQ(WriteFileBytes("game.txt", "new"), TWritten::OnDisk);
  tt::FailNextFolderSync(EIO);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(WriteFileBytes("game.txt", "newer"), TWritten::NotYetOnDisk);
  std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(ReadFileBytes("game.txt"), "newer");
  EXPECT_NE(said.find("perhaps not yet on the disk"), std::string::npos) << said;
}

// A save to a sub-folder killed before its rename left its temporary file there: the next save of the
// same file removes it; a temporary a running copy writes, and those of other files, stay.
TEST(SafeWrite, AWriteRemovesWhatAnInterruptedWriteOfTheSameFileLeftBesideIt) {
  TempDir dir;
  ASSERT_EQ(::mkdir("sub", 0755), 0);
  const char* const left = "sub/.game.txt.velmora-tmp-Ab12Cd";
  const char* const running = "sub/.game.txt.velmora-tmp-Xy34Zw";
  const char* const otherFile = "sub/.save.txt.velmora-tmp-Ab12Cd";
  for (const char* name : {left, running, otherFile}) WriteFileBytes(name, "partial");
  int writer = HoldLock(running);
  ASSERT_GE(writer, 0);

  WriteFileBytes("sub/game.txt", "new");
  ::close(writer);

  EXPECT_EQ(ReadFileBytes("sub/game.txt"), "new");
  EXPECT_FALSE(std::filesystem::exists(left));
  EXPECT_EQ(ReadFileBytes(running), "partial");
  EXPECT_EQ(ReadFileBytes(otherFile), "partial");
}
