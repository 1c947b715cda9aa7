// Components with owners, and the line store of the game's text files.
#pragma once
#include <string>
#include <vector>

#include "toolkit/SafeWrite.h"
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

  // Raises EFOpenError naming the full path and the system's reason. A file of more than
  // TextFileLimit bytes is refused as too big: far more than any of the game's files holds, and about
  // what it reads in a second.
  void LoadFromFile(const std::string& fileName);
  static constexpr std::size_t TextFileLimit = std::size_t{100} << 20;
  // Raises EFCreateError naming the full path and the system's reason; the old file stays intact.
  TWritten SaveToFile(const std::string& fileName) const;

 private:
  std::vector<std::string> FLines{std::string()};
};

// Reads a whole file as bytes. Failures raise EFOpenError naming the full path and the reason; a pipe or
// a device is refused at once as no regular file. Writing is WriteFileBytes (toolkit/SafeWrite.h).
// A file longer than `limit` bytes is refused ("文件太大"). Without `throughLinks`, a symbolic link at
// the name is refused too, never followed.
std::string ReadFileBytes(const std::string& fileName, std::size_t limit = std::string::npos, bool throughLinks = true);

}  // namespace toolkit
