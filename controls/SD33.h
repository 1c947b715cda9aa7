// The preview board: a small read-only 9x9 board that shows a puzzle with box colours, hover cross and repeats.
#pragma once
#include "toolkit/ExtCtrls.h"
#include "toolkit/Grid9.h"
#include "toolkit/StdCtrls.h"

namespace velmora::SD33 {

// A preview cell. State 1 is a clue (clue font, read-only); any other value is an open cell.
class TNode : public toolkit::TMemo {
 public:
  using toolkit::TMemo::TMemo;

  int Row = 0;
  int Col = 0;
  bool Conflict = false;  // one of the pair that MarkConflict found repeating a character
  int State = 0;
};

// A panel that owns its 81 cells and does everything itself: it knows no engine, level or clock.
// The colour and font fields are plain values: colours take effect at the next recolouring
// (construction, CellMouseMove), sizes and font colours at the next Arrange.
class TSD33 : public toolkit::TPanel {
 public:
  explicit TSD33(toolkit::TComponent* AOwner);
  ~TSD33() override;

  toolkit::TColor FoucsColor1 = 0;    // highlight of boxes 1, 3, 5, 7, 9
  toolkit::TColor UNFoucsColor1 = 0;  // resting colour of boxes 1, 3, 5, 7, 9
  toolkit::TColor FoucsColor2 = 0;    // highlight of boxes 2, 4, 6, 8
  toolkit::TColor UNFoucsColor2 = 0;  // resting colour of boxes 2, 4, 6, 8
  int FONTSize1 = 0;                  // points: clue cells
  int FONTSize2 = 0;                  // points: open cells holding one character
  int FONTSize3 = 0;                  // points: the other open cells
  toolkit::TColor FONTColor1 = 0;
  toolkit::TColor FONTColor2 = 0;
  toolkit::TColor FONTColor3 = 0;

  // The side of the square board; setting it sizes the board and arranges the cells.
  int width2() const { return Fwidth2; }
  void set_width2(int v);

  toolkit::Grid9<TNode*> Cells;  // owned

  // Lays the cells out at a ninth of the board's size, paints marked cells red, sets fonts and
  // read-only flags from State. Never restores a resting colour.
  void Arrange();
  // Marks at most one pair: the earliest one-character cell in row order that has a peer with the same
  // text, with the last such peer.
  void MarkConflict();
  void Paint() override;

  // The handlers the board installs on every cell.
  void FilterKey(toolkit::TObject* Sender, char& Key);
  void CellMouseMove(toolkit::TObject* Sender, toolkit::TShiftState Shift, int X, int Y);
  void CellChanged(toolkit::TObject* Sender);

 private:
  int Fwidth2 = 0;
};

}  // namespace velmora::SD33
