// The game in play's file.
#include "forms/KeptGame.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

#include "toolkit/Classes.h"
#include "toolkit/SysUtils.h"

namespace velmora::KeptGame {

using namespace toolkit;

namespace {

const char* const Version = "Velmora game in play 2";
const char* const TimeVersion = "Velmora time in play 1";
const std::string TimeFileName = std::string(".") + FileName + ".velmora-time";
const char* const Break = "\r\n";
const char* const ExactMark = "exact ";
// A kept file holds the board's texts, each at most a saved game's (100 MiB) in its exact form.
constexpr std::size_t ReadLimit = std::size_t{1} << 30;

// The check of the file's last written or read game, which its time file names.
std::string current;

}  // namespace

// FNV-1a over bytes: any change of a byte changes it.
std::string CheckLine(std::string_view bytes) {
  std::uint64_t h = 14695981039346656037ull;
  for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(h));
  return std::string("check ") + hex;
}

namespace {

bool IsNumber(std::string_view s) {
  if (s.empty() || s.size() > 15) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

bool IsPlainAscii(const std::string& text) {
  for (unsigned char c : text)
    if (c >= 0x80 || c == '\r' || c == '\n') return false;
  return true;
}

// A cell's line: its code page 936 form, and whether that gives the text back exactly (no line break
// inside, and read again, the same text).
bool LineOf(const std::string& text, std::string& line) {
  if (IsPlainAscii(text)) {
    line += text;
    return true;
  }
  std::string ansi = Utf8ToAnsi(text);
  bool exact = AnsiToUtf8(ansi) == text;
  for (char& c : ansi)
    if (c == '\r' || c == '\n') {
      c = ' ';
      exact = false;
    }
  line += ansi;
  return exact;
}

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

std::optional<std::string> FromHex(std::string_view hex) {
  auto value = [](char c) { return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1; };
  if (hex.size() % 2) return std::nullopt;
  std::string out;
  out.reserve(hex.size() / 2);
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    int high = value(hex[i]), low = value(hex[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    out += static_cast<char>(high * 16 + low);
  }
  return out;
}

// The lines of bytes written with CR LF breaks, the last one ended too; nothing when they are not.
std::optional<std::vector<std::string_view>> Lines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  while (!bytes.empty()) {
    std::size_t end = bytes.find(Break);
    if (end == std::string_view::npos) return std::nullopt;
    lines.push_back(bytes.substr(0, end));
    bytes.remove_prefix(end + 2);
  }
  return lines;
}

// Ends a file's content with its check line, which names it; returns that line.
std::string EndWithCheck(std::string& bytes) {
  std::string check = CheckLine(bytes);
  bytes += check + Break;
  return check;
}

// The later time of the time file, when it names the game checked so.
long long LaterTime(const std::string& check, long long ms) {
  try {
    if (!IsPlainFile(TimeFileName)) return ms;
    std::string bytes = ReadFileBytes(TimeFileName, 4096, false);
    auto lines = Lines(bytes);
    if (!lines || lines->size() != 4 || (*lines)[0] != TimeVersion || (*lines)[1] != check ||
        !IsNumber((*lines)[2]))
      return ms;
    std::string_view body(bytes.data(), bytes.size() - (*lines)[3].size() - 2);
    if ((*lines)[3] != CheckLine(body)) return ms;
    return std::max(ms, std::stoll(std::string((*lines)[2])));
  } catch (const Exception&) {
    return ms;
  }
}

}  // namespace

bool IsClueText(const std::string& text) {
  try {
    StrToInt(text);
    return true;
  } catch (const EConvertError&) {
    return false;
  }
}

TWritten Write(const TGame& game) {
  std::size_t size = 256;
  for (const std::string& text : game.Texts) size += text.size() + 3;
  std::string bytes;
  bytes.reserve(size);
  std::vector<int> inexact;
  for (int k = 0; k < 81; ++k) {
    bytes += game.Given[k] ? '1' : '0';
    if (!LineOf(game.Texts[k], bytes)) inexact.push_back(k);
    bytes += Break;
  }
  for (const std::string& line :
       {std::string(Version), IntToStr(game.Level), std::to_string(game.MS), std::string(game.Recorded ? "1" : "0")})
    bytes += line + Break;
  for (int k : inexact) bytes += ExactMark + IntToStr(k) + " " + Hex(game.Texts[k]) + Break;
  std::string check = EndWithCheck(bytes);
  TWritten written = WriteFileBytes(FileName, bytes, false);
  current = check;
  return written;
}

bool WriteTime(long long ms) {
  if (current.empty()) return false;
  std::string bytes = std::string(TimeVersion) + Break + current + Break + std::to_string(ms) + Break;
  EndWithCheck(bytes);
  WriteFileBytes(TimeFileName, bytes, false);
  return true;
}

std::optional<TGame> Read(std::string* why) {
  why->clear();
  current.clear();
  auto damaged = [why](const std::string& reason) {
    *why = reason;
    return std::nullopt;
  };
  if (!NameTaken(FileName)) return std::nullopt;
  if (!IsPlainFile(FileName)) return damaged("it is no regular file");
  std::string bytes;
  try {
    bytes = ReadFileBytes(FileName, ReadLimit, false);
  } catch (const Exception& e) {
    return damaged(e.Message);
  }
  auto split = Lines(bytes);
  if (!split || split->size() < 86) return damaged("it is cut short");
  const std::vector<std::string_view>& lines = *split;
  if (lines[81] != Version) return damaged("it is from another version");
  const std::string_view check = lines.back();
  if (check != CheckLine(std::string_view(bytes.data(), bytes.size() - check.size() - 2)))
    return damaged("it was damaged or edited");
  TGame game;
  for (int k = 0; k < 81; ++k) {
    std::string_view line = lines[k];
    if (line.empty() || (line[0] != '0' && line[0] != '1')) return damaged("a cell is not a cell");
    game.Given[k] = line[0] == '1';
    game.Texts[k] = AnsiToUtf8(std::string(line.substr(1)));
  }
  for (std::size_t i = 85; i + 1 < lines.size(); ++i) {
    std::string_view line = lines[i];
    std::size_t space = line.find(' ', std::string_view(ExactMark).size());
    if (!line.starts_with(ExactMark) || space == std::string_view::npos) return damaged("a cell is not a cell");
    std::string_view cell = line.substr(6, space - 6);
    std::optional<std::string> text = FromHex(line.substr(space + 1));
    if (!IsNumber(cell) || cell.size() > 2 || std::stoi(std::string(cell)) > 80 || !text)
      return damaged("a cell is not a cell");
    game.Texts[std::stoi(std::string(cell))] = std::move(*text);
  }
  for (int k = 0; k < 81; ++k)
    if (game.Given[k] && !IsClueText(game.Texts[k])) return damaged("a clue is no number");
  const std::string_view level = lines[82], ms = lines[83], recorded = lines[84];
  if (level.size() != 1 || level[0] < '0' || level[0] > '4' || !IsNumber(ms) || (recorded != "0" && recorded != "1"))
    return damaged("its level, time or record flag is not one");
  game.Level = level[0] - '0';
  game.Recorded = recorded == "1";
  current = std::string(check);
  game.MS = LaterTime(current, std::stoll(std::string(ms)));
  return game;
}

std::string MoveAside() { return toolkit::MoveAside(FileName); }

void Remove() {
  current.clear();
  DeleteFile(FileName);
  DeleteFile(TimeFileName);
}

}  // namespace velmora::KeptGame
