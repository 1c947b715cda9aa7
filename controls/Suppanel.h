// The candidate pop-up: a 3x3 keypad of digits, white where the digit is a candidate, and "N" and "H".
#pragma once
#include <string>

#include "toolkit/ExtCtrls.h"
#include "toolkit/StdCtrls.h"

namespace velmora::Suppanel {

// One box of the panel, in panel pixels, edges inclusive.
class TRect : public toolkit::TObject {
 public:
  int Left = 0;
  int Right = 0;
  int Top = 0;
  int Bottom = 0;
  toolkit::TColor Color = 0;
  bool Enabled = true;
  std::string Caption;
};

// 51 x 66 pixels. Items 1..9 are the digit boxes, 10 is "N", 11 is "H"; the panel owns them.
class TSuppanel : public toolkit::TPanel {
 public:
  explicit TSuppanel(toolkit::TComponent* AOwner);
  ~TSuppanel() override;

  const std::string& hxs() const { return Fhxs; }
  // Enables exactly the digit boxes named in the string ("N" and "H" stay enabled) and repaints.
  void set_hxs(const std::string& v);
  TRect* Items[12] = {};  // 1..11 used
  int Node_h = 0;
  int Node_s = 0;
  // The box the keys are on while the panel has the focus (1..11); marked with a dotted frame.
  int Current = 1;
  // An arrow key: the box next to the current one that way, in the panel's layout ("N" and "H" above
  // the digits); at an edge the current box stays.
  void MoveCurrent(toolkit::TDirection Direction);

  // The box 1..11 under the point, edges inclusive, greyed boxes included; 0 when none.
  int HitTest(int X, int Y) const;
  void Paint() override;

  // For screen readers the boxes are buttons in reading order, "N" and "H" first: each named by its
  // caption and described by what it does, a digit box by whether the digit is offered; the current
  // box is the selected one.
  int AccessibleItemCount() const override { return 11; }
  toolkit::TAccessibleItem AccessibleItem(int Index) const override;

 private:
  std::string Fhxs;
};

}  // namespace velmora::Suppanel
