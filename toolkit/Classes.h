// Components with owners, and the line store of the game's text files.
#pragma once
#include <string>
#include <vector>

#include "toolkit/Types.h"

namespace toolkit {

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
};

// A component is created with an owner and freed by it: the owner's destructor frees what it owns,
// last created first. Freeing a component earlier takes it off its owner's list.
class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  TComponent* Owner() const { return FOwner; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int i) const { return FComponents[i]; }
  std::string Name;

 private:
  TComponent* FOwner;
  std::vector<TComponent*> FComponents;
};

// The lines of a text, by the rules of the game's files:
// - CR LF, a lone CR and a lone LF each end a line; the text after the last break is one more line
//   (empty when the text ends with a break), so a text always has at least one line;
// - reading a line past the last gives "", replacing a line past the last changes nothing;
// - the text is the lines joined with CR LF.
// Files are code page 936 on disk and UTF-8 in memory. Writing goes through a temporary file that
// replaces the old one only when complete, so a failed write leaves the old file as it was.
class TStringList : public TObject {
 public:
  TStringList() = default;

  int Count() const { return static_cast<int>(FLines.size()); }
  std::string Get(int index) const;
  void Put(int index, const std::string& line);
  std::string operator[](int index) const { return Get(index); }

  // Empties the store: one empty line.
  void Clear();
  // Appends a line and a line break, as an edit control does: "a" then Add("b") reads "a\r\nb\r\n".
  void Add(const std::string& line);

  std::string Text() const;
  void set_Text(const std::string& text);

  // Raises EFOpenError naming the full path and the system's reason.
  void LoadFromFile(const std::string& fileName);
  // Raises EFCreateError naming the full path and the system's reason; the old file stays intact.
  void SaveToFile(const std::string& fileName) const;

 private:
  std::vector<std::string> FLines{std::string()};
};

// Reads a whole file as bytes / replaces a file with bytes through a temporary file. Failures raise
// EFOpenError / EFCreateError naming the full path and the reason; a failed write leaves the old file
// byte for byte as it was and no temporary file behind.
std::string ReadFileBytes(const std::string& fileName);
void WriteFileBytes(const std::string& fileName, const std::string& bytes);

// Removes from the folder the temporary files of writes that never finished (the program was killed
// at the wrong moment), leaving those that a running copy is still writing; no other file is touched.
void RemoveLeftoverTemporaries(const std::string& folder);

// Holds, from construction to destruction, the lock of a file shared by several running copies of the
// program, so that each reads, changes and writes it in turn: an exclusive lock on a hidden file
// beside it (".phb.txt.velmora-lock" for "phb.txt"), which stays. Waits while another copy holds it.
// Where no lock file can be made (a read-only folder) nothing is locked, and the write that follows
// fails on its own and says why.
class TFileLock : public TObject {
 public:
  explicit TFileLock(const std::string& fileName);
  ~TFileLock() override;

 private:
  int FHandle = -1;
};

// Claims a file for one running copy of the program, from construction to destruction: the same lock
// beside the file as TFileLock's, but never waited for. Held() tells whether this copy has the claim;
// another copy that holds it keeps it until it ends, however it ends.
class TFileClaim : public TObject {
 public:
  explicit TFileClaim(const std::string& fileName);
  ~TFileClaim() override;
  bool Held() const { return FHandle >= 0; }

 private:
  int FHandle = -1;
};

}  // namespace toolkit
