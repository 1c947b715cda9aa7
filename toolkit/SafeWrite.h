// The game's crash-safe file writes and the lock of a file that several running copies share.
//
// What it promises:
// - WriteFileBytes replaces a file with new bytes completely or not at all. The bytes go to a hidden
//   temporary file of the game's own name pattern beside the target (".<name>.velmora-tmp-XXXXXX"),
//   locked while it is written; every write is checked, the file synced, renamed over the target, and
//   the folder synced, so that even after a power cut the new file stays. Any failure before the
//   rename removes the temporary file and raises EFCreateError naming the full path and the reason:
//   the old file stays byte for byte. A failed folder sync after the rename is no failed write: the
//   file is replaced, and the write says it is perhaps not yet on the disk (NotYetOnDisk), which the
//   caller weighs. A write first removes what earlier interrupted writes of the same target left
//   beside it, unless a running copy is still writing it.
// - RemoveLeftoverTemporaries does the same for every target of a folder, and touches nothing else.
// - TFileLock holds the lock of a file for the copies of the game that read, change and write it in
//   turn. It locks a hidden regular file beside it through a read-write handle, with a record lock
//   that also works on network file systems. It never waits for ever: where the lock cannot be had at
//   all (locks refused, a pipe or a link at the lock's name, a read-only folder) or not within its
//   patience, it says why on standard error, and Unchanged tells the holder whether the file is still
//   as it read it, so that it can read again rather than write over another copy's change.
// - TFileClaim takes a lock of the same kind for as long as a copy of the game runs, on a file it makes
//   in the claimed file's own folder, never through a link.
#pragma once
#include <optional>
#include <string>

namespace toolkit {

// What a write that replaced its file knows of the disk.
enum class TWritten {
  OnDisk,        // the new file and its name are on the disk
  NotYetOnDisk,  // the file is replaced, but its folder could not be synced: a power cut soon after can
                 // still bring the old file back (said on standard error)
};

// Replaces a file with bytes, as described above. A symbolic link at the name is followed to the file
// it names, which is replaced, unless `throughLinks` is false: then whatever is at the name is
// replaced by the new file (a directory stays, and the write fails).
TWritten WriteFileBytes(const std::string& fileName, const std::string& bytes, bool throughLinks = true);

// Removes from the folder the temporary files of writes that never finished (the program was killed
// at the wrong moment), leaving those that a running copy is still writing; no other file is touched.
void RemoveLeftoverTemporaries(const std::string& folder);

// The lock of a file shared by several running copies of the program, held from construction to
// destruction: an exclusive lock on a hidden file beside it (".phb.txt.velmora-lock" for "phb.txt"),
// which stays. Waits at most `patienceMs` milliseconds while another copy holds it.
class TFileLock {
 public:
  // How long start waits for the lock: a moment a player does not notice.
  static constexpr int Moment = 200;
  explicit TFileLock(const std::string& fileName, int patienceMs = 10000);
  ~TFileLock();
  TFileLock(const TFileLock&) = delete;
  TFileLock& operator=(const TFileLock&) = delete;

  bool Held() const { return FHandle >= 0; }
  // True when another copy held the lock all the time the constructor waited.
  bool Busy() const { return FBusy; }
  // Why the lock is not held; empty when it is.
  const std::string& Why() const { return FWhy; }
  // Whether the file may be written now over what was read of it (`seen`: its bytes, or nothing when
  // it was missing): always while the lock is held; without it, when the file, read again now, is still
  // what was seen.
  bool Unchanged(const std::optional<std::string>& seen) const;

 private:
  std::string FFileName;
  int FHandle = -1;
  bool FBusy = false;
  std::string FWhy;
};

// Claims a file for one running copy of the program, from construction to destruction: a lock on the
// hidden regular file ".<name>.velmora-lock" in the folder the name is in (whatever is at the name
// itself, a link included, is never followed), waited for at most `patienceMs` milliseconds. Held()
// tells whether this copy has the claim; another copy that holds it keeps it until it ends, however
// it ends.
class TFileClaim {
 public:
  explicit TFileClaim(const std::string& fileName, int patienceMs = 0);
  ~TFileClaim();
  TFileClaim(const TFileClaim&) = delete;
  TFileClaim& operator=(const TFileClaim&) = delete;
  bool Held() const { return FHandle >= 0; }

 private:
  int FHandle = -1;
};

// The bytes of a file, or nothing when there is no file of that name. Other failures raise EFOpenError.
std::optional<std::string> ReadFileIfAny(const std::string& fileName);

}  // namespace toolkit
