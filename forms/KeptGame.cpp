// The game in play's file.
#include "forms/KeptGame.h"

#include <cstdint>
#include <cstdio>

#include "toolkit/Classes.h"
#include "toolkit/SysUtils.h"

namespace velmora::KeptGame {

using namespace toolkit;

namespace {

const char* const Version = "Velmora game in play 1";
constexpr int Lines = 81 + 5;

// FNV-1a over the lines, each ended by a line break: any change of a byte or of a line changes it.
std::string CheckOf(const TStringList& lines, int count) {
  std::uint64_t h = 14695981039346656037ull;
  auto add = [&h](unsigned char c) { h = (h ^ c) * 1099511628211ull; };
  for (int i = 0; i < count; ++i) {
    for (unsigned char c : lines.Get(i)) add(c);
    add('\n');
  }
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(h));
  return std::string("check ") + hex;
}

bool IsNumber(const std::string& s) {
  if (s.empty() || s.size() > 15) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

void Write(const TGame& game) {
  TStringList lines;
  for (int k = 0; k < 81; ++k) lines.Add((game.Given[k] ? "1" : "0") + game.Texts[k]);
  lines.Add(Version);
  lines.Add(IntToStr(game.Level));
  lines.Add(std::to_string(game.MS));
  lines.Add(game.Recorded ? "1" : "0");
  lines.Add(CheckOf(lines, Lines - 1));
  lines.SaveToFile(FileName);
}

std::optional<TGame> Read(std::string* why) {
  why->clear();
  if (!FileExists(FileName)) return std::nullopt;
  TStringList lines;
  try {
    lines.LoadFromFile(FileName);
  } catch (const Exception& e) {
    *why = e.Message;
    return std::nullopt;
  }
  auto damaged = [why](const char* reason) {
    *why = reason;
    return std::nullopt;
  };
  if (lines.Count() < Lines) return damaged("it is cut short");
  if (lines.Get(81) != Version) return damaged("it is from another version");
  // The write ends the last line too, which leaves one empty line after it.
  const bool ended = lines.Count() == Lines + 1 && lines.Get(Lines).empty();
  if ((lines.Count() != Lines && !ended) || lines.Get(Lines - 1) != CheckOf(lines, Lines - 1))
    return damaged("it was damaged or edited");
  TGame game;
  for (int k = 0; k < 81; ++k) {
    const std::string& line = lines.Get(k);
    if (line.empty()) return damaged("a cell is not a cell");
    game.Given[k] = line[0] == '1';
    game.Texts[k] = line.substr(1);
    const bool clue = game.Texts[k].size() == 1 && game.Texts[k][0] >= '1' && game.Texts[k][0] <= '9';
    if ((line[0] != '0' && line[0] != '1') || (game.Given[k] && !clue)) return damaged("a cell is not a cell");
  }
  const std::string &level = lines.Get(82), &ms = lines.Get(83), &recorded = lines.Get(84);
  if (level.size() != 1 || level[0] < '0' || level[0] > '4' || !IsNumber(ms) || (recorded != "0" && recorded != "1"))
    return damaged("its level, time or record flag is not one");
  game.Level = level[0] - '0';
  game.MS = std::stoll(ms);
  game.Recorded = recorded == "1";
  return game;
}

std::string MoveAside() {
  for (int n = 1; n < 1000; ++n) {
    std::string name = std::string(FileName) + ".damaged-" + IntToStr(n);
    if (RenameFile(FileName, name)) return name;
    if (!FileExists(name)) return "";  // it failed for another reason than the name being taken
  }
  return "";
}

void Remove() { DeleteFile(FileName); }

}  // namespace velmora::KeptGame
