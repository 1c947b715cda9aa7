// Reading, writing and checking the game's puzzle collection.
#include "tools/tkmaker/Collection.h"

#include <cstdio>

#include "toolkit/SysUtils.h"

namespace tkmaker {

namespace {

// A cell byte for a message: the character itself when printable ASCII, else its code.
std::string Shown(char c) {
  auto u = static_cast<unsigned char>(c);
  if (u > 0x20 && u < 0x7F) return std::string("'") + c + "'";
  char buf[16];
  std::snprintf(buf, sizeof buf, "byte 0x%02X", u);
  return buf;
}

}  // namespace

bool IsTitleLine(const std::string& line) { return line.find('[') != std::string::npos; }

Collection::Collection(const toolkit::TStringList& lines) {
  lines_.reserve(static_cast<std::size_t>(lines.Count()));
  for (int i = 0; i < lines.Count(); ++i) {
    lines_.push_back(lines.Get(i));
    if (IsTitleLine(lines_.back())) titles_.push_back({i, lines_.back()});
  }
}

int Collection::Find(const std::string& title) const {
  for (const auto& t : titles_)
    if (t.text == title) return t.line;
  return -1;
}

Cells Collection::CellsAfter(int line) const {
  Cells cells;
  cells.fill('0');
  for (int r = 0; r < 9; ++r) {
    int index = line + 1 + r;
    if (index >= LineCount()) break;
    // Positions count the bytes of the file's form, so a double-byte character takes two cells.
    std::string bytes = toolkit::Utf8ToAnsi(lines_[index]);
    for (int c = 0; c < 9 && c < static_cast<int>(bytes.size()); ++c) cells[r * 9 + c] = bytes[c];
  }
  return cells;
}

Grid Collection::Play(const std::string& title) const {
  int line = Find(title);
  if (line < 0) throw toolkit::Exception("No puzzle titled " + title);
  return ToGrid(CellsAfter(line));
}

Grid ToGrid(const Cells& cells) {
  Grid grid{};
  for (int i = 0; i < 81; ++i) {
    char c = cells[i];
    if (c == '0') continue;
    if (c < '1' || c > '9') throw toolkit::EConvertError("'" + std::string(1, c) + "' is not a valid integer value");
    grid[i] = static_cast<std::uint8_t>(c - '0');
  }
  return grid;
}

std::string TitleFor(int number) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "[%05d]", number);
  return buf;
}

void WriteCollection(const std::vector<Grid>& puzzles, toolkit::TStringList& out) {
  out.Clear();
  for (std::size_t i = 0; i < puzzles.size(); ++i) {
    out.Add(TitleFor(static_cast<int>(i) + 1));
    std::string line = FormatLine(puzzles[i]);
    for (int r = 0; r < 9; ++r) out.Add(line.substr(r * 9, 9));
  }
}

std::vector<Problem> CheckCollection(const toolkit::TStringList& lines) {
  Collection collection(lines);
  std::vector<Problem> problems;
  if (collection.Titles().empty()) problems.push_back({0, "no title lines: the game would list no puzzle"});
  for (const auto& title : collection.Titles()) {
    const int at = title.line + 1;
    auto report = [&](const std::string& what) { problems.push_back({at, title.text + " " + what}); };
    int first = collection.Find(title.text);
    if (first != title.line) {
      report("repeats the title of line " + std::to_string(first + 1) + ", so it plays that puzzle");
      continue;
    }
    Cells cells = collection.CellsAfter(title.line);
    std::string bad;
    int badCount = 0, notedRow = 0;
    for (int i = 0; i < 81; ++i) {
      char c = cells[i];
      if (c == '0' || (c >= '1' && c <= '9')) continue;
      if (++badCount > 3) continue;
      const int row = i / 9 + 1, line = title.line + 1 + row;
      bad += std::string(bad.empty() ? "" : ", ") + "row " + std::to_string(row) + " column " +
             std::to_string(i % 9 + 1) + " is " + Shown(c);
      if (row != notedRow && IsTitleLine(collection.Line(line - 1))) {
        bad += " (line " + std::to_string(line) + " is a title, read here as a row)";
        notedRow = row;
      }
    }
    if (badCount) {
      if (badCount > 3) bad += ", and " + std::to_string(badCount - 3) + " more";
      report("fails to play: " + bad);
      continue;
    }
    Grid grid = ToGrid(cells);
    std::string conflict = FindConflict(grid);
    if (!conflict.empty()) {
      report("has no solution: " + conflict);
      continue;
    }
    int n = CountSolutions(grid, 2);
    if (n == 0) report("has no solution");
    if (n > 1) report("has several solutions");
  }
  return problems;
}

}  // namespace tkmaker
