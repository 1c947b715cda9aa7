// The main window: tool bar, clock, board, candidate panel and the whole flow of a game.
#pragma once
#include <memory>
#include <string>

#include "controls/Moves.h"
#include "controls/Suppanel.h"
#include "controls/TimeLabel.h"
#include "controls/sd99.h"
#include "forms/HintView.h"
#include "forms/Stats.h"
#include "engine/QJ.h"
#include "toolkit/ComCtrls.h"
#include "toolkit/Dialogs.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Forms.h"
#include "toolkit/Menus.h"
#include "toolkit/StdCtrls.h"

namespace velmora::main {

class TForm1;
extern TForm1* Form1;

class TForm1 : public toolkit::TForm {
 public:
  explicit TForm1(toolkit::TComponent* AOwner);

  toolkit::TMainMenu* MainMenu1;
  toolkit::TMenuItem* N1;  // "游戏"
  toolkit::TMenuItem* N6;  // "初级"
  toolkit::TMenuItem* N7;  // "中级"
  toolkit::TMenuItem* N8;  // "高级"
  toolkit::TMenuItem* N9;  // "骨灰级"
  toolkit::TMenuItem* N2;  // "排行榜"
  toolkit::TMenuItem* N3;  // "报时" (Ctrl+T): the clock's time, spoken
  toolkit::TMenuItem* N5;  // "退出"
  toolkit::TMenuItem* N18;  // "撤销"
  toolkit::TMenuItem* N19;  // "重做"
  toolkit::TMenuItem* N20;  // "暂停"
  toolkit::TMenuItem* N21;  // "提示"
  toolkit::TMenuItem* N22;  // "重听提示" (Ctrl+Shift+H): the hint line's words, told again
  toolkit::TMenuItem* N23;  // "同数高亮": the focused digit everywhere (a check item, kept)
  toolkit::TMenuItem* N24;  // "填入全部候选数" (Ctrl+M)
  toolkit::TMenuItem* N25;  // "落子清除候选": a placed digit cleans its houses' marks (a check item, kept)
  toolkit::TMenuItem* N26;  // "统计"
  toolkit::TMenuItem* N27;  // "打印"
  toolkit::TMenuItem* N16;  // "帮助" menu
  toolkit::TMenuItem* N17;  // "帮助"
  toolkit::TMenuItem* About1;

  toolkit::TImageList* ImageList1;
  toolkit::TToolBar* ToolBar1;
  toolkit::TToolButton* ToolButton1;
  toolkit::TToolButton* ToolButton2;
  toolkit::TToolButton* ToolButton4;
  toolkit::TToolButton* Splitter1;
  toolkit::TToolButton* ToolButton5;
  toolkit::TToolButton* ToolButton6;
  toolkit::TToolButton* ToolButton7;
  toolkit::TToolButton* ToolButton8;
  toolkit::TToolButton* ToolButton11;
  toolkit::TToolButton* ToolButton9;
  toolkit::TToolButton* sfshowpan;
  toolkit::TToolButton* ToolButton3;
  TimeLabel::TTimeLabel* TimeLabel1;
  toolkit::TToolButton* Splitter2;
  toolkit::TToolButton* ToolButton10;
  toolkit::TLabel* WC_Label;
  toolkit::TToolButton* ToolButton12;  // "撤销"
  toolkit::TToolButton* ToolButton13;  // "重做"
  toolkit::TToolButton* ToolButton14;  // "提示"

  toolkit::TPanel* Panel1;
  sd99::Tsd99* sd991;
  Suppanel::TSuppanel* pan;
  toolkit::TPanel* PausePanel;  // "已暂停", in the board's place while the game is paused
  toolkit::TTimer* KeepTimer;   // keeps the game in play a moment after each change
  toolkit::TMemo* Memo2;
  HintView::THintView* Hint;  // the hint line, the outline and the hint on show
  toolkit::TStringList Memo1;  // the line store of the record file
  QJ::TQJ* QJ1;
  toolkit::TOpenDialog* OpenDialog1;
  toolkit::TSaveDialog* SaveDialog1;
  toolkit::TStatusBar* sb1;

  void FormCreate(toolkit::TObject* Sender);
  void ToolButton5Click(toolkit::TObject* Sender);
  void ToolButton6Click(toolkit::TObject* Sender);
  void ToolButton7Click(toolkit::TObject* Sender);
  void ToolButton8Click(toolkit::TObject* Sender);
  void ShowPuzzle();
  void CellChanged(toolkit::TObject* Sender);
  void MemoMouseDown(toolkit::TObject* Sender, toolkit::TMouseButton Button, toolkit::TShiftState Shift, int X, int Y);
  void panMouseDown(toolkit::TObject* Sender, toolkit::TMouseButton Button, toolkit::TShiftState Shift, int X, int Y);
  void CellKeyDown(toolkit::TObject* Sender, unsigned short& Key, toolkit::TShiftState Shift);
  void panKeyDown(toolkit::TObject* Sender, unsigned short& Key, toolkit::TShiftState Shift);
  void CellMouseMove(toolkit::TObject* Sender, toolkit::TShiftState Shift, int X, int Y);
  void FormMouseMove(toolkit::TObject* Sender, toolkit::TShiftState Shift, int X, int Y);
  void TimeLabel1Timer(toolkit::TObject* Sender);
  void ToolButton10Click(toolkit::TObject* Sender);
  void N2Click(toolkit::TObject* Sender);
  void N3Click(toolkit::TObject* Sender);
  void ToolButton4Click(toolkit::TObject* Sender);
  void ToolButton11Click(toolkit::TObject* Sender);
  void N17Click(toolkit::TObject* Sender);
  void About1Click(toolkit::TObject* Sender);
  void N5Click(toolkit::TObject* Sender);
  void ToolButton1Click(toolkit::TObject* Sender);
  void ToolButton2Click(toolkit::TObject* Sender);
  void LoadGame(const std::string& FileName);
  // Undo and redo of the player's changes on the board (the menu items, the tool buttons, the keys).
  void N18Click(toolkit::TObject* Sender);
  void N19Click(toolkit::TObject* Sender);
  // Pause, and go on.
  void N20Click(toolkit::TObject* Sender);
  void PausePanelClick(toolkit::TObject* Sender);
  void FormMinimize(toolkit::TObject* Sender);
  void FormRestore(toolkit::TObject* Sender);
  void FormClose(toolkit::TObject* Sender);
  void KeepTimerTimer(toolkit::TObject* Sender);
  // The hint, in three presses of the same step: where to look and which technique; the cells and the
  // reason; the step done, as one change that undo takes back.
  void N21Click(toolkit::TObject* Sender);
  void N22Click(toolkit::TObject* Sender);
  // The two check items: each change is kept in the settings file.
  void N23Click(toolkit::TObject* Sender);
  void N25Click(toolkit::TObject* Sender);
  // Every open cell without a digit or marks gets its candidates as pencil marks, in one step.
  void N24Click(toolkit::TObject* Sender);
  // The statistics window, and the print window; each made only when it is opened.
  void N26Click(toolkit::TObject* Sender);
  void N27Click(toolkit::TObject* Sender);
  // A game of the level has started (dealt, or a collection puzzle at 中级): the statistics count it.
  void CountStart(int Level);
  bool Paused() const { return paused; }
  // The game in play takes part in a record (a game that was helped along does not).
  bool Recorded = true;
  // The level's record in whole seconds; 9999 when it cannot be read.
  long long BestTime(int Level);

 private:
  void NewGame(int Level);
  // The candidate panel at the cell / the panel's box n chosen (1..9 writes the digit, 11 "H" all the
  // candidates, anything else nothing); either way it closes.
  void ShowPanel(sdunit::Tsdunit* cell);
  void PanelChoose(int n);
  // Writes box n's choice into the panel's cell, leaving the panel as it is.
  void WriteChoice(int n);
  // A screen reader hears that a new game of the level has started.
  void AnnounceLevel(int Level);
  void RestartClock();
  void FocusFirstOpenCell();
  sdunit::Tsdunit* FirstOpenCell();  // in reading order; null when there is none
  // A key of the game in play pressed when it can do nothing (paused, finished): says why.
  void TellWhyNot(const std::string& what);
  // The board is solved: the focus moves on to a new game, the board locks, the congratulation shows
  // (not for a finished game loaded: Won false), the clock stops and the panel hides.
  void Complete(bool Won = true);
  void BuildLayout();
  // The board from 81 clue flags and texts, as a load and the game brought back fill it.
  void ShowCells(const bool (&given)[81], const std::string (&texts)[81]);
  // A new history: nothing to take back; the game kept from before is forgotten unless `touched`.
  void StartMoves(bool touched = false);
  // The undo and redo items and buttons are greyed when there is nothing to take back or bring back.
  void UpdateMoves();
  void PlayBack(const History::TMove* move, bool undo);
  void Pause(bool byMinimize);
  // Leaves a pause; `told`: the player left it (a key, a click, the window restored), and hears so.
  void GoOn(bool told = false);
  // At start: the game kept by the last run, if this copy of the game holds the claim on it.
  void BringBack();
  // The game in play is kept in the game folder, or the kept one forgotten when there is no such game.
  void KeepGame();
  void KeepSoon();
  void KeepNow();
  void KeepTime();
  std::string MayKeep();
  void TellKeeping(const std::string& why);
  // 重听提示 is greyed while the hint line is empty.
  void UpdateHintItems();
  // The board as the coach reads it: the clues and every cell's text.
  Coach::Board BoardNow() const;
  // The digit just placed in the cell by the player leaves the marks of its row, column and box, in the
  // digit's own step.
  void CleanMarks(sdunit::Tsdunit* cell);
  // The counts waiting are written to the statistics file; a failure is told on standard error, and
  // they wait for the next try.
  void WriteCounts();
  int hoverRow = 0, hoverCol = 0;  // the cell last hovered
  Moves::TMoves moves;  // its Filling: the program is filling the board, no completion is judged
  bool paused = false, pausedByMinimize = false;
  sdunit::Tsdunit* pausedCell = nullptr;  // the cell that had the focus when the game paused
  // How long start waits for a copy that is still closing to keep its game.
  static constexpr int ClaimPatience = 1000;
  std::unique_ptr<toolkit::TFileClaim> keepClaim;  // this copy keeps the game in play
  bool keepLeft = false;     // what stands at the kept file's name could not be moved aside
  bool keepYielded = false;  // another copy kept its game while this one did not hold the claim
  bool keeping = true;       // the last try to keep the game worked (the player was told otherwise)
  bool keepWordShown = false;  // the status bar's first panel says whether the game is kept
  bool closing = false;
  long long keptMS = 0;      // the clock's time last kept
  std::string broughtBack;                         // told once the window shows
  Stats::TCounts counts;  // of games started and finished, written with the game in play
};

}  // namespace velmora::main
