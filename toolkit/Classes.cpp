// Owner lists, the line store and whole-file reads (the writes are toolkit/SafeWrite.cpp).
#include "toolkit/Classes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "toolkit/SysUtils.h"

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
  FLines.clear();
  // Room for every line at once: a long file (the collection at start) is not copied again and again
  // as the list grows, and takes no more memory than its lines.
  std::size_t breaks = 0;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++breaks;
  FLines.reserve(breaks + 1);
  // Each line is taken whole, up to the next break.
  for (std::size_t at = 0;;) {
    std::size_t next = at;
    while (next < text.size() && text[next] != '\r' && text[next] != '\n') ++next;
    if (next == text.size()) next = std::string::npos;
    FLines.emplace_back(text, at, next == std::string::npos ? std::string::npos : next - at);
    if (next == std::string::npos) break;
    at = next + (text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n' ? 2 : 1);
  }
}

void TStringList::LoadFromFile(const std::string& fileName) {
  set_Text(AnsiToUtf8(ReadFileBytes(fileName, TextFileLimit)));
}

TWritten TStringList::SaveToFile(const std::string& fileName) const { return WriteFileBytes(fileName, Utf8ToAnsi(Text())); }

std::string ReadFileBytes(const std::string& fileName, std::size_t limit, bool throughLinks) {
  auto fail = [&](const std::string& reason) {
    throw EFOpenError("无法打开文件“" + ExpandFileName(fileName) + "”：" + reason);
  };
  // Opened without waiting and refused unless a regular file or a directory (whose read fails as
  // usual): a named pipe would wait for a writer for ever and a device such as /dev/zero never ends.
  int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | (throughLinks ? 0 : O_NOFOLLOW));
  if (fd < 0) fail(SysErrorMessage(errno));
  struct stat st;
  if (::fstat(fd, &st) != 0 || !(S_ISREG(st.st_mode) || S_ISDIR(st.st_mode))) {
    ::close(fd);
    fail("不是普通文件");
  }
  if (S_ISREG(st.st_mode) && static_cast<std::size_t>(st.st_size) > limit) {
    ::close(fd);
    fail(SysErrorMessage(EFBIG));
  }
  std::string bytes;
  // Room for the whole file at once: growing by doubling would hold twice a huge file for a moment.
  if (S_ISREG(st.st_mode) && st.st_size > 0) bytes.reserve(static_cast<std::size_t>(st.st_size) + 1);
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
    if (bytes.size() > limit) {  // it grew while it was read
      ::close(fd);
      fail(SysErrorMessage(EFBIG));
    }
  }
  ::close(fd);
  return bytes;
}

}  // namespace toolkit
