// The print window: what to print (the puzzle in play, with or without the player's digits, or new
// puzzles of a level), how many, and how many to a page. The pages themselves are the toolkit's.
#pragma once
#include <vector>

#include "toolkit/Forms.h"
#include "toolkit/Printer.h"
#include "toolkit/StdCtrls.h"

namespace velmora::Ufrm_dy {

class Tfrm_dy : public toolkit::TForm {
 public:
  explicit Tfrm_dy(toolkit::TComponent* AOwner);

  toolkit::TLabel* Label1;
  toolkit::TComboBox* What;     // 当前题目（只印已知数） / 当前题目（连同已填的数） / 新题目
  toolkit::TLabel* Label2;
  toolkit::TComboBox* Level;    // 初级 .. 骨灰级, for new puzzles
  toolkit::TLabel* Label3;
  toolkit::TComboBox* Count;    // how many new puzzles
  toolkit::TLabel* Label4;
  toolkit::TComboBox* PerPage;  // 1, 2, 4 or 6
  toolkit::TButton* Button1;    // "打印": closes with mrOk
  toolkit::TButton* Button2;    // "取消"

  // The choices made: whether new puzzles, their level 1..4 and number, and the puzzles to a page.
  bool NewPuzzles() const { return What->ItemIndex() == 2; }
  bool WithDigits() const { return What->ItemIndex() == 1; }
  int ChosenLevel() const { return Level->ItemIndex() + 1; }
  int ChosenCount() const;
  int ChosenPerPage() const;
  // Chooses what to print (0, 1 or 2, as the first list's items), as a player would.
  void Choose(int what);

 private:
  void WhatChange(toolkit::TObject* Sender);
};

// New puzzles of the level, dealt by a generator of their own (the game in play is left alone), titled
// with the level and their number ("中级 第3题").
std::vector<toolkit::TPrintedPuzzle> NewPuzzles(int Level, int Count);

}  // namespace velmora::Ufrm_dy
