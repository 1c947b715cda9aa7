// The game's puzzle collection (tk.vlm): read exactly as the game plays it, and written for it.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "toolkit/Classes.h"
#include "engine/Sudoku.h"

namespace tkmaker {

// The engine's grids and solver, by their short names.
using namespace velmora::Sudoku;

// The nine rows after a title as the game sees them: one byte of the line's code page 936 form
// per cell, '0' for an empty cell and for a position past the end of a line or of the file.
using Cells = std::array<char, 81>;

// A title is any line with a '[' in it; the whole line is the title.
bool IsTitleLine(const std::string& line);

class Collection {
 public:
  struct Title {
    int line;  // 0-based
    std::string text;
  };

  explicit Collection(const toolkit::TStringList& lines);

  // Every title line in file order: the list the game shows.
  const std::vector<Title>& Titles() const { return titles_; }
  // The first line equal to the title, -1 when there is none; the game plays the block after it.
  int Find(const std::string& title) const;
  // The nine lines after `line`, whatever they hold (a title line there is read as a row).
  Cells CellsAfter(int line) const;
  // The puzzle the game plays for a title. Throws toolkit::EConvertError for a cell that is not
  // '0'..'9', and toolkit::Exception when no line has that title.
  Grid Play(const std::string& title) const;

  int LineCount() const { return static_cast<int>(lines_.size()); }
  const std::string& Line(int i) const { return lines_[i]; }

 private:
  std::vector<std::string> lines_;
  std::vector<Title> titles_;
};

// Throws toolkit::EConvertError for a cell that is not '0'..'9', as the game does.
Grid ToGrid(const Cells& cells);

// "[00001]" for 1.
std::string TitleFor(int number);
// Replaces `out` with a collection: for each puzzle its title "[00001]", "[00002]", ... then nine
// rows of nine digits, '0' for an empty cell.
void WriteCollection(const std::vector<Grid>& puzzles, toolkit::TStringList& out);

struct Problem {
  int line;  // 1-based line of the title; 0 for the file as a whole
  std::string message;
};
// Everything that would go wrong when playing the collection: a title whose puzzle fails to
// play, has no solution or has several, a title that repeats an earlier one, and no titles at all.
std::vector<Problem> CheckCollection(const toolkit::TStringList& lines);

}  // namespace tkmaker
