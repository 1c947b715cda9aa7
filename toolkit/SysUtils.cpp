// Exceptions, conversions and the code page 936 codec (glibc's iconv).
#include "toolkit/SysUtils.h"

#include <fcntl.h>
#include <iconv.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace toolkit {

void Abort() { throw EAbort(); }

std::string IntToStr(long long value) { return std::to_string(value); }

namespace {
// A text as a message quotes it: a control byte (a NUL of a damaged file, say) as \xNN, so the message
// shows every byte and none ends or breaks it.
std::string Quoted(const std::string& s) {
  std::string out = "'";
  for (unsigned char c : s) {
    if (c >= 0x20 && c != 0x7F) {
      out += static_cast<char>(c);
      continue;
    }
    char escaped[5];
    std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
    out += escaped;
  }
  return out + "'";
}
}  // namespace

int StrToInt(const std::string& s) {
  auto fail = [&]() -> int { throw EConvertError(Quoted(s) + " is not a valid integer value"); };
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  if (i == s.size()) return fail();
  long long value = 0;
  for (; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') return fail();
    value = value * 10 + (s[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) return fail();
  }
  if (negative) value = -value;
  if (value > INT_MAX || value < INT_MIN) return fail();
  return static_cast<int>(value);
}

std::string Trim(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= 0x20) ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= 0x20) --e;
  return s.substr(b, e - b);
}

namespace {

// Converts with iconv. What iconv cannot convert is handed to `onFailure`, which consumes at least
// one byte of the input and appends what stands for it. The input goes to iconv in windows of a few
// kilobytes, so that each call's cost is bounded also where every other byte fails (an instrumented
// iconv checks the whole input it is given on each call).
template <class OnFailure>
std::string Convert(const char* to, const char* from, const std::string& in, OnFailure onFailure) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw EConvertError(std::string("No converter from ") + from + " to " + to);
  constexpr std::size_t Window = 4096;
  std::string out;
  out.reserve(in.size() * 3 / 2 + 8);
  char* inPtr = const_cast<char*>(in.data());
  std::size_t inLeft = in.size();
  char buffer[4096];
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    std::size_t before = inLeft;
    std::size_t window = std::min(before, Window);
    std::size_t windowLeft = window;
    std::size_t r = iconv(cd, &inPtr, &windowLeft, &outPtr, &outLeft);
    inLeft = before - (window - windowLeft);
    out.append(buffer, outPtr - buffer);
    if (r != static_cast<std::size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    if (errno == EINVAL && window < before) continue;  // the character goes on past the window
    // EILSEQ, or EINVAL at the very end.
    std::size_t used = onFailure(inPtr, inLeft, out);
    inPtr += used;
    inLeft -= used;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(cd);
  return out;
}

bool IsAscii(const std::string& s) {
  for (unsigned char c : s)
    if (c >= 0x80) return false;
  return true;
}

}  // namespace

// A byte that is not part of a code page 936 character is kept in the UTF-8 text as the code point
// U+DC00 + byte (a lone low surrogate, the "surrogate escape" of Python's PEP 383).
// Typed or pasted text never holds a lone surrogate, so the escape cannot be confused with a real
// character, and encoding writes it back as the very byte it came from: a file read and written
// again keeps every byte, whatever it holds. Shown on screen, an escape is a replacement character.
std::string EscapeOf(unsigned char byte) {
  unsigned cp = EscapeBase + byte;
  return {static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
          static_cast<char>(0x80 | (cp & 0x3F))};
}

int EscapedByte(std::string_view s) {
  if (s.size() < 3) return -1;
  auto b0 = static_cast<unsigned char>(s[0]), b1 = static_cast<unsigned char>(s[1]),
       b2 = static_cast<unsigned char>(s[2]);
  if ((b0 & 0xF0) != 0xE0 || (b1 & 0xC0) != 0x80 || (b2 & 0xC0) != 0x80) return -1;
  unsigned cp = ((b0 & 0x0Fu) << 12) | ((b1 & 0x3Fu) << 6) | (b2 & 0x3Fu);
  return cp >= EscapeBase && cp <= EscapeBase + 0xFF ? static_cast<int>(cp - EscapeBase) : -1;
}

std::string Utf8ToAnsi(const std::string& utf8) {
  if (IsAscii(utf8)) return utf8;
  return Convert("CP936", "UTF-8", utf8, [](const char* p, std::size_t left, std::string& out) -> std::size_t {
    if (int byte = EscapedByte(std::string_view(p, left)); byte >= 0) {
      out += static_cast<char>(byte);
      return 3;
    }
    // A character code page 936 cannot hold (or a broken sequence): one "?" for its bytes.
    unsigned char c = static_cast<unsigned char>(*p);
    std::size_t skip = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    out += '?';
    return std::min(skip, left);
  });
}

std::string AnsiToUtf8(const std::string& ansi) {
  if (IsAscii(ansi)) return ansi;
  // The byte that starts no character is kept; the one after it starts the next try, so a lead
  // byte before a line break leaves the break a break.
  return Convert("UTF-8", "CP936", ansi, [](const char* p, std::size_t, std::string& out) -> std::size_t {
    out += EscapeOf(static_cast<unsigned char>(*p));
    return 1;
  });
}

std::string Utf8ToAnsi(std::string&& utf8) {
  if (IsAscii(utf8)) return std::move(utf8);
  return Utf8ToAnsi(static_cast<const std::string&>(utf8));
}

std::string AnsiToUtf8(std::string&& ansi) {
  if (IsAscii(ansi)) return std::move(ansi);
  return AnsiToUtf8(static_cast<const std::string&>(ansi));
}

std::size_t AnsiLength(const std::string& utf8) { return IsAscii(utf8) ? utf8.size() : Utf8ToAnsi(utf8).size(); }

bool AnsiLengthIsOne(const std::string& utf8) { return utf8.size() <= 4 && AnsiLength(utf8) == 1; }

std::string SysErrorMessage(int error) {
  switch (error) {
    case ENOENT: return "文件或目录不存在";
    case EACCES: return "没有访问权限";
    case EPERM: return "不允许这样操作";
    case EISDIR: return "这是一个目录";
    case ENOTDIR: return "路径中有一部分不是目录";
    case ENAMETOOLONG: return "文件名太长";
    case ELOOP: return "符号链接的层数太多";
    case ENOSPC: return "磁盘空间已满";
    case EDQUOT: return "超出了磁盘配额";
    case EROFS: return "文件系统是只读的";
    case EIO: return "读写设备时出错";
    case EMFILE: return "本程序打开的文件太多";
    case ENFILE: return "系统打开的文件太多";
    case EFBIG: return "文件太大";
    case EBUSY: return "设备或资源正忙";
    case ETXTBSY: return "文件正在被执行";
    case EEXIST: return "文件已经存在";
    default: return std::strerror(error);
  }
}

std::string ExpandFileName(const std::string& name) {
  std::error_code ec;
  auto p = std::filesystem::absolute(name, ec);
  return ec ? name : p.lexically_normal().string();
}

bool FileExists(const std::string& name) {
  struct stat st;
  return ::stat(name.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DeleteFile(const std::string& name) { return ::unlink(name.c_str()) == 0; }

bool NameTaken(const std::string& name) {
  struct stat st;
  return ::lstat(name.c_str(), &st) == 0;
}

bool IsPlainFile(const std::string& name) {
  struct stat st;
  return ::lstat(name.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool RenameFile(const std::string& oldName, const std::string& newName) {
  if (::renameat2(AT_FDCWD, oldName.c_str(), AT_FDCWD, newName.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system that cannot rename without replacing: a hard link keeps the new name from replacing
  // a file that has it (a link is linked itself, never followed); then the old name goes.
  if (::link(oldName.c_str(), newName.c_str()) != 0) return false;
  ::unlink(oldName.c_str());
  return true;
}

std::string MoveAside(const std::string& name) {
  for (int n = 1; n < 1000; ++n) {
    std::string aside = name + ".damaged-" + std::to_string(n);
    if (RenameFile(name, aside)) return aside;
    if (errno != EEXIST) return "";  // it failed for another reason than the name being taken
  }
  return "";
}

}  // namespace toolkit
