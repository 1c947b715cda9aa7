// Exceptions, number and text conversions, and the code page of the game's files.
#pragma once
#include <stdexcept>
#include <string>
#include <string_view>

namespace toolkit {

// Every failure the layer or the game raises derives from Exception; its Message is what the error box shows.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : Message(std::move(message)) {}
  const char* what() const noexcept override { return Message.c_str(); }
  std::string Message;
};

// Ends the running event handler silently: the layer catches it and shows nothing.
class EAbort : public Exception {
 public:
  EAbort() : Exception("Operation aborted") {}
};
class EConvertError : public Exception { using Exception::Exception; };
class EStreamError : public Exception { using Exception::Exception; };
class EFOpenError : public EStreamError { using EStreamError::EStreamError; };
class EFCreateError : public EStreamError { using EStreamError::EStreamError; };
class EInvalidOperation : public Exception { using Exception::Exception; };
class EInvalidGridOperation : public Exception { using Exception::Exception; };

[[noreturn]] void Abort();

std::string IntToStr(long long value);
// Decimal with optional leading blanks and sign; anything else raises EConvertError
// "'%s' is not a valid integer value", with a control byte of the text shown as \xNN. The result must
// fit a 32-bit signed integer.
int StrToInt(const std::string& s);
// Removes bytes 0x00..0x20 from both ends.
std::string Trim(const std::string& s);

// Code page 936 (GBK) <-> UTF-8. A character that code page 936 cannot hold becomes "?". A byte that
// is not part of a code page 936 character is kept as a reserved code point (the lone surrogate
// U+DC00 + byte, which no typed text holds) and written back as that same byte, so bytes read from a
// file and written again come back unchanged whatever they are; on screen it shows as U+FFFD.
std::string Utf8ToAnsi(const std::string& utf8);
std::string AnsiToUtf8(const std::string& ansi);
// The same for a text that is not needed after: a text of plain ASCII is given back as it is, with no
// copy, which keeps the memory of a huge file's lines to one copy each.
std::string Utf8ToAnsi(std::string&& utf8);
std::string AnsiToUtf8(std::string&& ansi);
// The length of a text as the game's rules count it: the bytes of its code page 936 form, so a Chinese
// character counts two and "€" or a kept byte one.
std::size_t AnsiLength(const std::string& utf8);
// AnsiLength(utf8) == 1, in time that does not grow with the text: one code point takes at most four
// bytes, so a longer text is no single character. For the board's tests of every cell on every change.
bool AnsiLengthIsOne(const std::string& utf8);
// A kept byte's code point (EscapeBase + byte), its escape as it stands in the UTF-8 text, and the byte
// that the escape at the start of `s` stands for (-1: `s` starts with none). For the layer's own
// conversions to other encodings.
constexpr char16_t EscapeBase = 0xDC00;
std::string EscapeOf(unsigned char byte);
int EscapedByte(std::string_view s);

// The reason for a failed file operation, in Chinese: the game's own words for the errors a file
// operation meets (ENOENT, EACCES, ENOSPC, ...), the system's text for any other.
std::string SysErrorMessage(int error);

// Full path of a name relative to the current directory.
std::string ExpandFileName(const std::string& name);
bool FileExists(const std::string& name);
// Whether anything at all stands at the name (a symbolic link, to nothing or not, a folder, a pipe, a
// device, a file), never following a link; and whether that is a regular file itself.
bool NameTaken(const std::string& name);
bool IsPlainFile(const std::string& name);
// Removes a file; false when it could not (it was not there, say).
bool DeleteFile(const std::string& name);
// Gives a file a new name in the same file system, never replacing one that has it; false when it could
// not, errno saying why (EEXIST: the new name is taken). Whatever stands at the old name is renamed
// itself: a symbolic link stays a link to what it named, a folder keeps its content.
bool RenameFile(const std::string& oldName, const std::string& newName);
// Moves whatever stands at the name aside under the first free name "NAME.damaged-N", keeping every byte
// and never following a link, and returns that name; empty when it could not be moved, the file then
// left where and as it is.
std::string MoveAside(const std::string& name);

}  // namespace toolkit
