// The 9x9 playing board: 81 cells, box colours, the grid frame, the repeat check and the completion test.
#pragma once
#include "controls/sdunit.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Grid9.h"

namespace velmora::QJ {
class TQJ;
}
namespace velmora::Suppanel {
class TSuppanel;
}

namespace velmora::sd99 {

// The board is a panel that owns its 81 cells (laid out once, from its size at construction, at a pitch
// of a ninth of that size) and its three fonts. Colour setters hand their colour to the cells of
// boxes 1, 3, 5, 7, 9 (...1) or 2, 4, 6, 8 (...2).
class Tsd99 : public toolkit::TPanel {
 public:
  explicit Tsd99(toolkit::TComponent* AOwner);

  ::velmora::QJ::TQJ* QJ = nullptr;  // not owned; only stored
  toolkit::TColor UNFoucsColor1() const { return FUNFoucsColor1; }
  void set_UNFoucsColor1(toolkit::TColor v);
  toolkit::TColor UNFoucsColor2() const { return FUNFoucsColor2; }
  void set_UNFoucsColor2(toolkit::TColor v);
  toolkit::TColor FoucsColor1() const { return FFoucsColor1; }
  void set_FoucsColor1(toolkit::TColor v);
  toolkit::TColor FoucsColor2() const { return FFoucsColor2; }
  void set_FoucsColor2(toolkit::TColor v);
  int nd = 1;  // level of the game in play: 1..4, or 0 for a loaded game
  toolkit::TFont* FONT1;  // owned; stored settings that nothing applies
  toolkit::TFont* FONT2;
  toolkit::TFont* FONT3;
  toolkit::Grid9<sdunit::Tsdunit*> Cells;
  ::velmora::Suppanel::TSuppanel* Pan = nullptr;  // not owned; only stored

  void Paint() override;

  // The first cell in row-major order whose one-character text repeats in one of its peers (same row,
  // column or box), with the last such peer in row-major order. Row1 is 0 when nothing is found;
  // the other coordinates are written only when Found.
  void FindConflict(bool& Found, int& Row1, int& Col1, int& Row2, int& Col2) const;
  // Each of the 81 cells holds one digit 1..9 and no digit repeats in a row, column or box.
  bool IsSolved() const;

  // Keyboard play, every cell's caret-edge handler: an arrow that cannot move the caret any further
  // inside a cell (in a clue, any arrow) moves the focus to the neighbouring cell that way, clue or
  // not, with the caret at the end of its text. At the board's edge the focus stays where it is.
  // The board is one stop of the Tab order (see TControl::TabGroup).
  void CellCaretEdge(toolkit::TObject* Sender, toolkit::TDirection Direction);
  // The focused digit everywhere (on unless the player turned it off): while the focus is in a cell that
  // holds a digit, every other cell holding it takes its tint (Tsdunit::same) and the digit stands out
  // among pencil marks. When the player brings the focus into such a cell (a click, an arrow, Tab), a
  // screen reader hears the count once ("共5个8"); nothing more as the board changes, and nothing when
  // the program moves the focus (a new game, a load, undo), which tells what it did itself.
  bool SameDigit() const { return FSameDigit; }
  void set_SameDigit(bool v);
  // The cells holding the digit d alone, clues and the player's.
  int CountOf(char d) const;
  // The cells' every-cell handlers: the focus entered a cell / a cell's text changed.
  void CellEnter(toolkit::TObject* Sender, bool ByPlayer);
  void CellTextChange(toolkit::TObject* Sender);
  // Tells each cell which cell it repeats, from the two cells marked red (error); none when there are
  // not exactly two.
  void DescribeRepeat();

  ~Tsd99() override;

 private:
  toolkit::TColor FUNFoucsColor1 = 0xFFFFFF;
  toolkit::TColor FUNFoucsColor2 = 16759739;
  toolkit::TColor FFoucsColor1 = 12043517;
  toolkit::TColor FFoucsColor2 = 14538713;
  bool FSameDigit = true;
  sdunit::Tsdunit* FFocused = nullptr;  // the cell the focus entered last
  bool FArrowed = false;                // an arrow key is moving the focus
  // Every cell shows the focused cell's digit, or none.
  void ShowSame();
};

}  // namespace velmora::sd99
