// The statistics window: each level's figures as text and a plot of its last finished games' times,
// and the clearing of them after a question.
#pragma once
#include "forms/Stats.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"

namespace velmora::Ufrm_tj {

// The times of one level's last finished games as bars over the game number, oldest at the left; the
// level's record as a line across, and its game's bar in the record's colour when it is among them.
// A screen reader reads it by its name and description: the level, how many games, the record.
class TPlot : public toolkit::TPanel {
 public:
  explicit TPlot(toolkit::TComponent* AOwner);
  void set_Figures(int Level, const Stats::TLevel& Figures);
  void Paint() override;

  static constexpr toolkit::TColor BarColor = 0xC08040;     // a steady blue
  static constexpr toolkit::TColor RecordColor = 0x2090F0;  // the record's orange, bar and line

 private:
  int FLevel = 1;
  Stats::TLevel FFigures;
};

class Tfrm_tj : public toolkit::TForm {
 public:
  explicit Tfrm_tj(toolkit::TComponent* AOwner);

  toolkit::TLabel* Lines[4];  // one level's figures each, as text
  TPlot* Plots[4];
  toolkit::TButton* Button1;  // "清除统计"
  toolkit::TButton* Button2;  // "确定"

  void FormCreate(toolkit::TObject* Sender);
  // Asks first; a yes clears the file and the window.
  void Button1Click(toolkit::TObject* Sender);
  void Button2Click(toolkit::TObject* Sender);

 private:
  void ShowFigures(const Stats::TStats& stats);
};

// The question before the statistics are cleared: 是 clears them (ModalResult mrOk), 否 or Escape not.
class Tfrm_ask : public toolkit::TForm {
 public:
  explicit Tfrm_ask(toolkit::TComponent* AOwner);
  toolkit::TLabel* Label1;
  toolkit::TButton* Yes;
  toolkit::TButton* No;
};

}  // namespace velmora::Ufrm_tj
