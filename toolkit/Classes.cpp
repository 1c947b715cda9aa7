// Owner lists, the line store and whole-file reads and writes.
#include "toolkit/Classes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>

#include "toolkit/SysUtils.h"
#include "toolkit/qt_p.h"
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
// The system's reason for a failed read or write in the platform's words, as its save file gives them:
// its own catalogue has the common ones in Chinese whatever locales the machine has, where the C
// library's words would depend on them.
std::string Reason(int error) {
  if (error == EISDIR) return FromQString(QCoreApplication::translate("QIODevice", "file to open is a directory"));
  return FromQString(qt_error_string(error));
}
}  // namespace

std::string ReadFileBytes(const std::string& fileName) {
  auto fail = [&](const std::string& reason) {
    throw EFOpenError("Cannot open file \"" + ExpandFileName(fileName) + "\". " + reason);
  };
  // Opened without waiting and refused unless a regular file or a directory (whose read fails as
  // usual): a named pipe would wait for a writer for ever and a device such as /dev/zero never ends.
  int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) fail(Reason(errno));
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
      fail(Reason(err));
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return bytes;
}

// A save goes to a temporary file beside the target and is renamed over it only when completely
// written, so a full disk or a crash half-way never leaves a damaged record or saved game.
void WriteFileBytes(const std::string& fileName, const std::string& bytes) {
  // Tests make a write fail here the way a full or failing disk would, through the same checks.
  int faultError = 0;
  long long faultAfter = -1;
  bool fault = testing::TakeWriteFault(faultError, faultAfter);
  QSaveFile file(QString::fromStdString(fileName));
  auto fail = [&] {
    std::string reason = fault ? Reason(faultError) : FromQString(file.errorString());
    throw EFCreateError("Cannot create file \"" + ExpandFileName(fileName) + "\". " + reason);
  };
  if ((fault && faultAfter < 0) || !file.open(QIODevice::WriteOnly)) fail();
  qint64 size = static_cast<qint64>(bytes.size());
  qint64 toWrite = fault ? std::min<qint64>(size, faultAfter) : size;
  if (file.write(bytes.data(), toWrite) != size || fault) {
    if (fault) file.flush();  // the part written reaches the temporary file, as on a disk that filled up
    file.cancelWriting();
    fail();
  }
  if (!file.commit()) fail();
}

}  // namespace toolkit
