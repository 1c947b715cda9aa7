// One cell of the 9x9 board: a small edit for one digit or several pencil marks.
#pragma once
#include <string>

#include "toolkit/StdCtrls.h"

namespace velmora::sdunit {

// The cell: its row h and column s, box q, state zt (font and read-only flag), resting, highlight and
// error colours, and the key filter that lets through only 1..9, Backspace, "." and Tab and Escape
// (which the board and the form use). A screen reader hears it by its place (第3行第5列), and by its
// description what colour and font show: a clue (提示数), the cell it repeats (与第2行第3列重复), and
// pencil marks, told apart ("候选 1 7 8", where the text "178" would be read as one number).
//
// zt: 0 never set; 1 given clue (25 pt black bold, read-only); 2 one character (25 pt blue bold);
// 3 anything else, empty or pencil marks (12 pt blue regular). Any other value is only stored.
class Tsdunit : public toolkit::TMemo {
 public:
  explicit Tsdunit(toolkit::TComponent* AOwner);

  int zt() const { return Fzt; }
  void set_zt(int v);
  int h() const { return Fh; }
  void set_h(int v);
  int s() const { return Fs; }
  void set_s(int v);
  // The box of (h, s), 1..9.
  int q() const;
  toolkit::TColor unfoucscolor() const { return Funfoucscolor; }
  void set_unfoucscolor(toolkit::TColor v);
  toolkit::TColor errorcolor() const { return Ferrorcolor; }
  void set_errorcolor(toolkit::TColor v);
  bool error() const { return Ferror; }
  void set_error(bool v);

  // Highlight colour used when the row and column under the mouse are tinted; only stored.
  toolkit::TColor foucscolor = 0xFFBBBB;
  // The row-and-column tint under the mouse: the cell takes foucscolor, unless a colour that says more
  // (the repeat red, the focused digit's tint) is on it.
  bool hovered() const { return Fhovered; }
  void set_hovered(bool v);

  // The focused cell's digit as this cell shows it ('1'..'9', 0 none): a cell holding that digit alone
  // takes samecolor, one holding it among a few pencil marks draws it stressed.
  char same() const { return Fsame; }
  void set_same(char v);
  toolkit::TColor samecolor = 0xA0E6AA;  // a light green, none of the board's other colours
  // The colour of the cell with no repeat and no mouse on it: its hint tint where the hint on show
  // covers it, the focused digit's tint where it holds that digit, otherwise unfoucscolor.
  toolkit::TColor RestColor() const;
  // The cell holds the digit d alone (a clue or the player's).
  bool Holds(char d) const;
  // The text has changed, after the description and before OnChange: the board follows its digits
  // by it.
  toolkit::TNotifyEvent OnTextChange;

  // The place of the cell this one repeats while the two are marked red (第2行第3列), or empty.
  const std::string& Repeats() const { return FRepeats; }
  void set_Repeats(const std::string& v);
  // The cell's part in the hint on show ("提示：目标格"), told after the rest of its description; empty
  // when the hint tints no such cell.
  const std::string& HintPart() const { return FHintPart; }
  void set_HintPart(const std::string& v);

  // The key filter: "1".."9", Backspace, ".", Tab and Escape pass; every other character becomes 0.
  void FilterKey(toolkit::TObject* Sender, char& Key);
  // The change handler: one character gives zt 2, anything else zt 3.
  void UpdateState(toolkit::TObject* Sender);

 protected:
  void ReadOnlyChanged() override { Describe(); }
  // A new text repeats nothing until the board has looked at it again (set_Repeats): the repeat of
  // the text before is never told with the new one.
  void TextChanged() override;

 private:
  void Describe();
  // The cell's colour from its state, the repeat red first.
  void Recolor();
  std::string FRepeats;
  std::string FHintPart;
  int Fzt = 0;
  int Fh = 1;
  int Fs = 1;
  toolkit::TColor Funfoucscolor = 0xFFFFFF;
  toolkit::TColor Ferrorcolor = 255;
  bool Ferror = false;
  bool Fhovered = false;
  char Fsame = 0;
  bool Ftinted = false;  // shown in samecolor at the last set_same
};

// What a screen reader hears of a cell's text: "空", the digit, or the pencil marks one by one ("候选 1 7 8").
std::string Spoken(const std::string& text);

}  // namespace velmora::sdunit
