// The main window's game flow: new games, the change handler with repeat marks and records, the candidate
// panel and its keys, the row-and-column tint, replay, the files it loads and saves, undo and redo, pause,
// the game kept for the next start, and the dialogs it opens. Its layout is built in MainLayout.cpp; the
// hint's presses and what they show live in HintView.
#include "forms/main.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>

#include "forms/KeptGame.h"
#include "forms/Records.h"
#include "forms/Settings.h"
#include "forms/Stats.h"
#include "forms/UAbout.h"
#include "forms/Ufrm_help.h"
#include "forms/Ufrm_new.h"
#include "forms/Ufrm_phb.h"
#include "forms/Ufrm_dy.h"
#include "forms/Ufrm_tj.h"
#include "forms/Ufrm_tk.h"
#include "forms/u_frm_djphb.h"
#include "toolkit/Printer.h"

namespace velmora::main {

using namespace toolkit;

TForm1* Form1 = nullptr;

namespace {

const char* const LevelNames[] = {"", "初级", "中级", "高级", "骨灰级"};

const char* const RecordCaptions[] = {"", "已破初级记录", "已破中级记录", "已破高级记录", "已破骨灰级记录"};

// Whether the text is one character once blanks and control bytes are trimmed from both ends. A
// character is at most four bytes, so a long text (a whole file in a cell) is never copied to tell.
bool OneCharacterTrimmed(const std::string& text) {
  std::size_t from = 0, to = text.size();
  while (from < to && static_cast<unsigned char>(text[from]) <= 0x20) ++from;
  while (to > from && static_cast<unsigned char>(text[to - 1]) <= 0x20) --to;
  return to - from <= 4 && AnsiLength(text.substr(from, to - from)) == 1;
}

// Marks the board as being filled by the program for as long as it lives.
class Filling {
 public:
  explicit Filling(bool& flag) : flag_(flag) { flag_ = true; }
  ~Filling() { flag_ = false; }
  Filling(const Filling&) = delete;
  Filling& operator=(const Filling&) = delete;

 private:
  bool& flag_;
};

}  // namespace

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner) {
  BuildLayout();
  OnCreate = [this](TObject* s) { FormCreate(s); };
  DoCreate();
}

void TForm1::FormCreate(TObject*) {
  sd991->set_Enabled(false);
  for (auto* cell : sd991->Cells) {
    cell->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { MemoMouseDown(s, b, sh, x, y); };
    cell->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { CellMouseMove(s, sh, x, y); };
    cell->OnChange = [this](TObject* s) { CellChanged(s); };
    cell->OnKeyDown = [this](TObject* s, unsigned short& k, TShiftState sh) { CellKeyDown(s, k, sh); };
  }
  // A greyed item's key comes to its handler as well, which says why it does nothing now.
  for (TMenuItem* item : {N18, N19, N20, N21}) item->OnGreyedShortCut = item->OnClick;
  const Settings::TSettings settings = Settings::Read();
  N23->set_Checked(settings.SameDigit);
  sd991->set_SameDigit(settings.SameDigit);
  N25->set_Checked(settings.ClearMarks);
  UpdateMoves();
  BringBack();
  // Last: a record file that cannot be written (full disk, read-only folder) shows the error box and
  // must not leave the board without its handlers.
  Records::PrepareFolder(Memo1);
}

void TForm1::ToolButton5Click(TObject*) { NewGame(1); }
void TForm1::ToolButton6Click(TObject*) { NewGame(2); }
void TForm1::ToolButton7Click(TObject*) { NewGame(3); }
void TForm1::ToolButton8Click(TObject*) { NewGame(4); }

void TForm1::NewGame(int Level) {
  switch (Level) {
    case 1: QJ1->NewEasy(); break;
    case 2: QJ1->NewMedium(); break;
    case 3: QJ1->NewHard(); break;
    default: QJ1->NewExpert(); break;
  }
  ShowPuzzle();
  RestartClock();
  sd991->nd = Level;
  pan->Hide();
  AnnounceLevel(Level);
  CountStart(Level);
}

void TForm1::AnnounceLevel(int Level) {
  if (Level >= 1 && Level <= 4) Announce(std::string("新游戏，") + LevelNames[Level]);
}

// The platform timer restarts its period only when its enabled flag or interval really changes: a
// clock that stood still starts a full second from now, a running one keeps its phase.
void TForm1::RestartClock() {
  TimeLabel1->set_timerenabled(true);
  TimeLabel1->set_MS(0);
  TimeLabel1->set_timeinterval(1000);
}

void TForm1::ShowPuzzle() {
  GoOn();
  Filling fill(moves.Filling);
  for (int row = 1; row <= 9; ++row) {
    for (int col = 1; col <= 9; ++col) {
      auto* cell = sd991->Cells(row, col);
      QJ::TNode* node = QJ1->Nodes(row, col);
      cell->set_h(row);
      cell->set_s(col);
      cell->set_zt(3);
      cell->set_Text("");
      if (node->Given) {
        cell->set_zt(1);
        cell->set_Text(IntToStr(node->Value));  // runs CellChanged, which makes the cell state 2 ...
        cell->set_ReadOnly(true);               // ... so the clue look is put back
        cell->Font()->set_Color(clBlack);
      }
    }
  }
  sd991->set_Enabled(true);
  WC_Label->Hide();
  FocusFirstOpenCell();
  StartMoves();
}

// Every game starts with the focus in its first open cell, in reading order, so that it plays from
// the keyboard at once; the cells themselves stay out of the tab order.
void TForm1::FocusFirstOpenCell() {
  if (auto* cell = FirstOpenCell()) cell->SetFocus();
}

sdunit::Tsdunit* TForm1::FirstOpenCell() {
  for (auto* cell : sd991->Cells)
    if (!cell->ReadOnly()) return cell;
  return nullptr;
}

void TForm1::CellChanged(TObject* Sender) {
  auto* cell = static_cast<sdunit::Tsdunit*>(Sender);
  if (moves.Changed(cell) && N25->Checked()) CleanMarks(cell);
  if (!moves.Filling) {
    Hint->Clear();
    UpdateMoves();
    KeepSoon();
  }
  cell->set_zt(AnsiLengthIsOne(cell->Text()) ? 2 : 3);
  bool Found;
  int Row1, Col1, Row2, Col2;
  sd991->FindConflict(Found, Row1, Col1, Row2, Col2);
  for (auto* c : sd991->Cells) c->set_error(false);
  if (Found) {
    sd991->Cells(Row1, Col1)->set_error(true);
    sd991->Cells(Row2, Col2)->set_error(true);
  }
  sd991->DescribeRepeat();
  // While the program fills the board, the cells pass through boards that are no one's game: a clue put
  // back can complete the solved board of the game before for a moment. Only the player's changes are
  // judged.
  if (moves.Filling || !sd991->IsSolved()) return;
  Complete();
  int level = sd991->nd;
  counts.Finish(level, TimeLabel1->MS() / 1000, !Recorded);
  KeepSoon();
  if (level < 1 || level > 4 || !Recorded) return;
  // 64-bit: a record edited by hand to a huge number of seconds must not overflow the comparison.
  if (TimeLabel1->MS() >= BestTime(level) * 1000) return;
  auto* dialog = u_frm_djphb::frm_djphb;
  if (!dialog) return;
  dialog->Label_sj->set_Caption(IntToStr(TimeLabel1->MS() / 1000) + "秒");
  dialog->Label1->set_Caption(RecordCaptions[level]);
  dialog->Edit1->set_Text("佚名");
  dialog->ShowModal();
}

void TForm1::Complete(bool Won) {
  // The focus leaves the board for a new game of the level before the board locks, so that it is
  // never left nowhere; the congratulation is told after that move, which would otherwise cut it off.
  TToolButton* next[] = {ToolButton5, ToolButton5, ToolButton6, ToolButton7, ToolButton8};
  next[sd991->nd >= 1 && sd991->nd <= 4 ? sd991->nd : 0]->SetFocus();
  sd991->set_Enabled(false);
  if (Won) WC_Label->Show();
  TimeLabel1->set_timerenabled(false);
  pan->Hide();
  UpdateMoves();
  KeepGame();  // a finished game leaves nothing behind
}

void TForm1::MemoMouseDown(TObject* Sender, TMouseButton Button, TShiftState, int, int) {
  auto* cell = static_cast<sdunit::Tsdunit*>(Sender);
  if (!sfshowpan->Down()) {
    pan->Hide();
    Abort();
  }
  if (Button != mbLeft || cell->ReadOnly()) {
    pan->Hide();
    return;
  }
  ShowPanel(cell);
}

void TForm1::ShowPanel(sdunit::Tsdunit* cell) {
  pan->set_Top(cell->h() == 8 || cell->h() == 9 ? cell->Top() - 60 : cell->Top() + 40);
  pan->set_Left(cell->Left());
  pan->set_hxs(QJ1->Candidates(cell->h(), cell->s()));
  pan->Node_h = cell->h();
  pan->Node_s = cell->s();
  pan->Show();
}

void TForm1::panMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) { PanelChoose(pan->HitTest(X, Y)); }

void TForm1::PanelChoose(int n) {
  WriteChoice(n);
  pan->Hide();
}

void TForm1::WriteChoice(int n) {
  auto* cell = pan->Node_h >= 1 && pan->Node_s >= 1 ? sd991->Cells(pan->Node_h, pan->Node_s) : nullptr;
  // The panel may still point at a cell that has become a clue since it opened.
  if (!cell || cell->ReadOnly()) return;
  if (n >= 1 && n <= 9) cell->set_Text(IntToStr(n));
  if (n == 11) cell->set_Text(pan->hxs());
}

// Ctrl+Space in an open cell opens the candidate panel there, as a click does while 候选数面板显示 is
// down, with the keys on its first offered digit.
void TForm1::CellKeyDown(TObject* Sender, unsigned short& Key, TShiftState Shift) {
  // Ctrl+Z in a cell is the game's undo, not the cell's own.
  if (Key == 'Z' && Shift == TShiftState{ssCtrl}) {
    Key = 0;
    return N18Click(this);
  }
  if (Key != vkSpace || Shift != TShiftState{ssCtrl}) return;
  Key = 0;
  auto* cell = static_cast<sdunit::Tsdunit*>(Sender);
  if (cell->ReadOnly()) return;
  if (!sfshowpan->Down()) {
    Announce("候选数面板显示未按下");
    return;
  }
  ShowPanel(cell);
  pan->Current = 10;
  for (int i = 9; i >= 1; --i)
    if (pan->Items[i]->Enabled) pan->Current = i;
  pan->SetFocus();
  pan->Repaint();
  pan->FocusAccessibleItem(pan->Current >= 10 ? pan->Current - 10 : pan->Current + 1);
}

// The panel's keys: arrows move among its boxes, Enter or Space chooses the box as a click does,
// Escape closes it; either way the focus goes back to the cell.
void TForm1::panKeyDown(TObject*, unsigned short& Key, TShiftState) {
  const unsigned short key = Key;
  Key = 0;
  switch (key) {
    case vkLeft: pan->MoveCurrent(drLeft); return;
    case vkRight: pan->MoveCurrent(drRight); return;
    case vkUp: pan->MoveCurrent(drUp); return;
    case vkDown: pan->MoveCurrent(drDown); return;
    case vkReturn:
    case vkSpace:
    case vkEscape: break;
    default: Key = key; return;
  }
  auto* cell = pan->Node_h >= 1 && pan->Node_s >= 1 ? sd991->Cells(pan->Node_h, pan->Node_s) : nullptr;
  // The choice is written before the focus goes back, so that a screen reader hears it once, as the
  // cell's text, and not once more as an insertion. A choice that completed the board has moved the
  // focus on already.
  if (key != vkEscape) WriteChoice(pan->Current);
  if (cell && sd991->Enabled()) cell->SetFocus();
  pan->Hide();
}

void TForm1::CellMouseMove(TObject* Sender, TShiftState, int, int) {
  auto* hovered = static_cast<sdunit::Tsdunit*>(Sender);
  hoverRow = hovered->h();
  hoverCol = hovered->s();
  for (auto* cell : sd991->Cells) cell->set_hovered(cell->h() == hoverRow || cell->s() == hoverCol);
}

// The bare window takes every tint under the mouse away, the repeat red too until the next change, as
// it always did; the focused digit's tint stays.
void TForm1::FormMouseMove(TObject*, TShiftState, int, int) {
  for (auto* cell : sd991->Cells) {
    cell->set_hovered(false);
    cell->set_Color(cell->RestColor());
  }
}

void TForm1::TimeLabel1Timer(TObject*) {
  TimeLabel1->set_MS(TimeLabel1->MS() + TimeLabel1->timeinterval());
  KeepTime();
}

// Replay in a game in play is one step that undo takes back, with the time it had; replay of a finished
// game starts it anew, and the finished game is not to be had back.
void TForm1::ToolButton10Click(TObject*) {
  GoOn();
  Hint->Reset();  // a hint on show was about the board before
  UpdateHintItems();
  const bool finished = !sd991->Enabled();
  auto clear = [this] {
    Filling fill(moves.Filling);
    for (int row = 1; row <= 9; ++row)
      for (int col = 1; col <= 9; ++col)
        if (!QJ1->Nodes(row, col)->Given) sd991->Cells(row, col)->set_Text("");
  };
  if (finished)
    clear();
  else
    moves.AsOneStep(TimeLabel1->MS(), clear);
  sd991->set_Enabled(true);
  WC_Label->Hide();
  RestartClock();
  pan->Hide();
  FocusFirstOpenCell();
  if (finished) StartMoves();
  UpdateMoves();
  KeepSoon();
  Announce("重玩此局");
}

void TForm1::N2Click(TObject*) {
  std::unique_ptr<Ufrm_phb::Tfrm_phb> table(new Ufrm_phb::Tfrm_phb(nullptr));
  table->ShowModal();
}

void TForm1::ToolButton4Click(TObject*) {
  if (Ufrm_new::frm_new) Ufrm_new::frm_new->ShowModal();
}
void TForm1::ToolButton11Click(TObject*) {
  if (Ufrm_tk::frm_tk) Ufrm_tk::frm_tk->ShowModal();
}
void TForm1::N17Click(TObject*) {
  if (Ufrm_help::frm_help) Ufrm_help::frm_help->ShowModal();
}
void TForm1::About1Click(TObject*) {
  if (UAbout::frm_about) UAbout::frm_about->ShowModal();
}

void TForm1::N5Click(TObject*) { Close(); }

// Ctrl+T, from anywhere in the window: a screen reader says the time the clock shows, in words.
void TForm1::N3Click(TObject*) {
  const std::int64_t seconds = TimeLabel1->MS() / 1000;
  const std::int64_t hours = seconds / 3600, minutes = seconds / 60 % 60;
  std::string said = "用时";
  if (hours > 0) said += IntToStr(hours) + "小时";
  if (hours > 0 || minutes > 0) said += IntToStr(minutes) + "分";
  said += IntToStr(seconds % 60) + "秒";
  if (!TimeLabel1->timerenabled()) said += "，计时已停";
  Announce(said);
}

void TForm1::ToolButton1Click(TObject*) {
  if (!OpenDialog1->Execute()) return;
  LoadGame(OpenDialog1->FileName);
  Announce("已装载 " + std::filesystem::path(OpenDialog1->FileName).filename().string());
}

void TForm1::ToolButton2Click(TObject*) {
  if (!SaveDialog1->Execute()) return;
  TStringList lines;
  for (int row = 1; row <= 9; ++row)
    for (int col = 1; col <= 9; ++col)
      lines.Add((QJ1->Nodes(row, col)->Given ? "1" : "0") + sd991->Cells(row, col)->Text());
  lines.SaveToFile(SaveDialog1->FileName);
  Announce("已保存 " + std::filesystem::path(SaveDialog1->FileName).filename().string());
}

void TForm1::LoadGame(const std::string& FileName) {
  TStringList lines;
  lines.LoadFromFile(FileName);
  // A line's flag is the first byte of its code page 936 form, and the cell's text is the rest.
  char flags[81];
  std::string texts[81];
  for (int k = 0; k < 81; ++k) {
    std::string line = Utf8ToAnsi(lines.Get(k));
    flags[k] = line.empty() ? 0 : line[0];
    texts[k] = line.size() > 1 ? AnsiToUtf8(line.substr(1)) : std::string();
  }
  // Every clue is read before anything changes, so a bad line leaves the game as it was.
  int values[81] = {};
  for (int k = 0; k < 81; ++k)
    if (flags[k] == '1') values[k] = StrToInt(texts[k]);
  // A loaded game takes part in no record. A file that holds a completed board stops the clock, and is
  // then shown ready to edit like any other.
  sd991->nd = 0;
  bool given[81];
  for (int k = 0; k < 81; ++k) {
    given[k] = flags[k] == '1';
    if (given[k]) QJ1->Nodes(k / 9 + 1, k % 9 + 1)->Value = values[k];
  }
  ShowCells(given, texts);
  StartMoves();
  // Loading is no win: a finished board is finished as a completion is, but with no congratulation.
  if (sd991->IsSolved()) Complete(false);
  sd991->set_Enabled(true);
  WC_Label->Hide();
  sd991->nd = 0;
  pan->Hide();
  FocusFirstOpenCell();
  UpdateMoves();
}

void TForm1::ShowCells(const bool (&given)[81], const std::string (&texts)[81]) {
  GoOn();
  Filling fill(moves.Filling);
  for (int k = 0; k < 81; ++k) {
    auto* cell = sd991->Cells(k / 9 + 1, k % 9 + 1);
    QJ::TNode* node = QJ1->Nodes(k / 9 + 1, k % 9 + 1);
    cell->set_h(k / 9 + 1);
    cell->set_s(k % 9 + 1);
    cell->set_zt(3);
    cell->set_Text(texts[k]);
    node->Given = given[k];
    if (given[k]) {
      cell->set_zt(1);
    } else if (OneCharacterTrimmed(cell->Text())) {
      cell->set_zt(2);
    }
  }
}

long long TForm1::BestTime(int Level) {
  try {
    Memo1.Clear();
    Memo1.LoadFromFile(Records::FileName);
    return Records::Seconds(Memo1.Get(2 * (Level - 1)));
  } catch (const Exception&) {
    return 9999;
  }
}

// ---------------------------------------------------------------- undo and redo

void TForm1::StartMoves(bool touched) {
  moves.Start(touched);
  // Once a game has been kept again, the word that said so goes with the next game.
  if (keepWordShown && keeping) {
    sb1->Panels.erase(sb1->Panels.begin());
    keepWordShown = false;
    sb1->Invalidate();
  }
  Recorded = true;
  Hint->Reset();
  UpdateHintItems();
  UpdateMoves();
  if (!touched) KeepGame();  // a new game replaces the one kept
}

// The moves are the game's while it is in play: not once it is finished, nor while it is paused.
void TForm1::UpdateMoves() {
  const bool playing = sd991->Enabled() && !paused;
  const bool undo = playing && moves.History.CanUndo(), redo = playing && moves.History.CanRedo();
  N18->set_Enabled(undo);
  ToolButton12->set_Enabled(undo);
  N19->set_Enabled(redo);
  ToolButton13->set_Enabled(redo);
  N20->set_Enabled(sd991->Enabled());
  N21->set_Enabled(playing);
  ToolButton14->set_Enabled(playing);
  N24->set_Enabled(playing);
}

void TForm1::N18Click(TObject*) {
  if (!N18->Enabled()) return TellWhyNot("撤销");
  PlayBack(moves.Undo(), true);
}

void TForm1::N19Click(TObject*) {
  if (!N19->Enabled()) return TellWhyNot("重做");
  PlayBack(moves.Redo(), false);
}

// A key of the game's that can do nothing now says why, in a few words: "已暂停，不能撤销".
void TForm1::TellWhyNot(const std::string& what) {
  if (paused) return Announce("已暂停，不能" + what);
  if (!sd991->Enabled()) return Announce(std::string(sd991->IsSolved() ? "本局已结束" : "还没有开始游戏") + "，不能" + what);
  Announce("没有可" + what + "的步骤");
}

// After a step is taken back or brought back: the focus goes to the cell it changed, and a screen reader
// hears what happened. Replay, taken back, gives the game its time back; brought back, it starts the
// clock again.
void TForm1::PlayBack(const History::TMove* move, bool undo) {
  if (!move) return;
  const std::string what = undo ? "撤销" : "重做";
  Hint->Clear();
  pan->Hide();
  if (move->Clock >= 0) {
    TimeLabel1->set_MS(undo ? move->Clock : 0);
    FocusFirstOpenCell();
    Announce(what + "：重玩此局");
  } else {
    const History::TChange& change = move->Changes.front();
    auto* cell = moves.Cell(change.Cell);
    if (sd991->Enabled()) cell->SetFocus();
    // The cell's new state and its repeat now, if it has one: what the cell itself would say of its
    // change is said here once.
    const std::string repeat = cell->Repeats().empty() ? "" : "，与" + cell->Repeats() + "重复";
    Announce(what + "：" + cell->AccessibleName() + " " + sdunit::Spoken(cell->Text()) + repeat);
  }
  UpdateMoves();
}

// ---------------------------------------------------------------- pause

void TForm1::N20Click(TObject*) {
  if (!N20->Enabled()) return TellWhyNot("暂停");
  if (paused)
    GoOn(true);
  else
    Pause(false);
}

void TForm1::PausePanelClick(TObject*) { GoOn(true); }

// While paused the clock stands, the board is hidden behind "已暂停" and takes no input.
void TForm1::Pause(bool byMinimize) {
  if (paused || !sd991->Enabled()) return;
  paused = true;
  pausedByMinimize = byMinimize;
  pausedCell = nullptr;
  for (auto* cell : sd991->Cells)
    if (cell->Focused()) pausedCell = cell;
  TimeLabel1->set_timerenabled(false);
  pan->Hide();
  Hint->Clear();
  sd991->set_Visible(false);
  PausePanel->Show();
  UpdateMoves();
  KeepSoon();
  Announce("已暂停");
}

void TForm1::GoOn(bool told) {
  if (!paused) return;
  paused = pausedByMinimize = false;
  PausePanel->Hide();
  sd991->set_Visible(true);
  TimeLabel1->set_timerenabled(true);
  if (pausedCell)
    pausedCell->SetFocus();
  else
    FocusFirstOpenCell();
  UpdateMoves();
  if (told) Announce("继续游戏");
}

void TForm1::FormMinimize(TObject*) { Pause(true); }

void TForm1::FormRestore(TObject*) {
  if (pausedByMinimize) GoOn(true);
}

// ---------------------------------------------------------------- the game kept for the next start

void TForm1::FormClose(TObject*) {
  closing = true;  // nothing more is told: the window goes, or the display has gone already
  KeepNow();
  WriteCounts();
}

// Within a second or two, not at once: a burst of changes costs one write.
void TForm1::KeepSoon() {
  if (!KeepTimer->Enabled()) KeepTimer->set_Enabled(true);
}

void TForm1::KeepTimerTimer(TObject*) {
  KeepTimer->set_Enabled(false);
  KeepGame();
  WriteCounts();
}

// Whether this copy may keep its game. Only the copy that holds the claim keeps a game: one that did
// not have it at start takes it when it is free, unless the copy that had it kept its own game
// meanwhile, which this one then never overwrites. Empty, or why not.
std::string TForm1::MayKeep() {
  if (keepLeft) return "“" + ExpandFileName(KeptGame::FileName) + "”无法移开，本程序不会改动它";
  if (keepYielded) return "另一个 Velmora 保留了它的游戏";
  if (keepClaim && keepClaim->Held()) return "";
  keepClaim = std::make_unique<TFileClaim>(KeptGame::FileName);
  if (!keepClaim->Held()) return "另一个 Velmora 正在保留它的游戏";
  if (!NameTaken(KeptGame::FileName)) return "";
  keepClaim.reset();
  keepYielded = true;
  return "另一个 Velmora 保留了它的游戏";
}

// A finished game, or one the player has not touched, leaves nothing behind. A failure is no reason to
// stop a game: it is told once in a word that does not stop play, and the next change tries again.
void TForm1::KeepGame() {
  const bool inPlay = sd991->Enabled() && moves.History.Touched();
  std::string why = MayKeep();
  if (!why.empty()) {
    if (inPlay) TellKeeping(why);
    return;
  }
  try {
    if (!inPlay) {
      KeptGame::Remove();
      return;
    }
    KeptGame::TGame game;
    for (int k = 0; k < 81; ++k) {
      game.Given[k] = QJ1->Nodes(k / 9 + 1, k % 9 + 1)->Given;
      game.Texts[k] = moves.Cell(k)->Text();
    }
    game.Level = sd991->nd;
    game.MS = keptMS = TimeLabel1->MS();
    game.Recorded = Recorded;
    KeptGame::Write(game);
    TellKeeping("");
  } catch (const Exception& e) {
    std::fprintf(stderr, "velmora: the game in play could not be kept: %s\n", e.Message.c_str());
    TellKeeping(e.Message);
  }
}

// At once, not a moment later: what a kill must not undo (a hint taken).
void TForm1::KeepNow() {
  KeepTimer->set_Enabled(false);
  KeepGame();
}

// The clock's time alone, every five seconds at most while it runs, so that a kill costs at most that
// much of it; the board is not written again for it.
void TForm1::KeepTime() {
  const long long ms = TimeLabel1->MS();
  if (ms - keptMS < 5000 || KeepTimer->Enabled() || !keeping || !MayKeep().empty()) return;
  try {
    if (KeptGame::WriteTime(ms)) keptMS = ms;
  } catch (const Exception& e) {
    std::fprintf(stderr, "velmora: the time of the game in play could not be kept: %s\n", e.Message.c_str());
    TellKeeping(e.Message);
  }
}

// The player hears once that the game in play is not kept (and why), in the status bar and from a
// screen reader, and once that it is kept again.
void TForm1::TellKeeping(const std::string& why) {
  if (why.empty() == keeping || closing) return;
  keeping = why.empty();
  const std::string word = keeping ? "本局又能自动保存了" : "本局不能自动保存：" + why;
  if (!keepWordShown) sb1->Panels.insert(sb1->Panels.begin(), TStatusPanel{word, 556});
  sb1->Panels.front().Text = word;
  keepWordShown = true;
  sb1->Invalidate();
  Announce(word);
}

// A damaged kept file, or anything else at its name, is moved aside, never deleted; what cannot be
// moved stays as it is for good, and this copy keeps nothing. The game starts as it would without one.
void TForm1::BringBack() {
  // A copy that is still closing holds the claim until it has kept its game.
  keepClaim = std::make_unique<TFileClaim>(KeptGame::FileName, ClaimPatience);
  if (!keepClaim->Held()) return;  // another copy of the game in this folder has it
  std::string why;
  std::optional<KeptGame::TGame> game = KeptGame::Read(&why);
  if (!game) {
    if (why.empty()) return;
    std::string aside = KeptGame::MoveAside();
    keepLeft = aside.empty();
    const std::string where =
        aside.empty() ? "it stays where it is, and this game is not kept" : "it is now \"" + aside + "\"";
    std::fprintf(stderr, "velmora: the kept game in \"%s\" is not brought back (%s); %s\n", KeptGame::FileName,
                 why.c_str(), where.c_str());
    return;
  }
  bool given[81];
  std::string texts[81];
  for (int k = 0; k < 81; ++k) {
    given[k] = game->Given[k];
    texts[k] = game->Texts[k];
    if (given[k]) QJ1->Nodes(k / 9 + 1, k % 9 + 1)->Value = StrToInt(texts[k]);
  }
  ShowCells(given, texts);
  moves.Start(true);
  Recorded = game->Recorded;
  sd991->nd = game->Level;
  sd991->set_Enabled(true);
  WC_Label->Hide();
  TimeLabel1->set_MS(keptMS = game->MS);
  TimeLabel1->set_timerenabled(true);
  UpdateMoves();
  // The window opens with the focus on the board, where the game goes on; the game is told after the
  // window and the cell.
  set_ActiveControl(FirstOpenCell());
  broughtBack = std::string("继续上次的游戏") + (game->Level >= 1 ? std::string("，") + LevelNames[game->Level] : "");
  OnShow = [this](TObject*) {
    if (!broughtBack.empty()) Announce(broughtBack);
    broughtBack.clear();
  };
}

// ---------------------------------------------------------------- the hint

void TForm1::N21Click(TObject*) {
  if (!N21->Enabled()) return TellWhyNot("提示");
  const bool wasRecorded = Recorded;
  Coach::Board board;
  for (int k = 0; k < 81; ++k) board[k] = {QJ1->Nodes(k / 9 + 1, k % 9 + 1)->Given, moves.Cell(k)->Text()};
  const bool changed = Hint->Press(board, Recorded);
  if (changed) UpdateMoves();
  if (wasRecorded != Recorded)
    KeepNow();  // a kill from now on brings back a game out of the records
  else if (changed)
    KeepSoon();
  UpdateHintItems();
}

// Ctrl+Shift+H: the hint line's words, told again.
void TForm1::N22Click(TObject*) {
  if (N22->Enabled()) Hint->SayAgain();
}

void TForm1::UpdateHintItems() { N22->set_Enabled(Hint->HasWords()); }

// ---------------------------------------------------------------- at a glance: marks, statistics, printing

void TForm1::N23Click(TObject*) {
  sd991->set_SameDigit(N23->Checked());
  Settings::Write({N23->Checked(), N25->Checked()});
}

void TForm1::N25Click(TObject*) { Settings::Write({N23->Checked(), N25->Checked()}); }

Coach::Board TForm1::BoardNow() const {
  Coach::Board board;
  for (int k = 0; k < 81; ++k) board[k] = {QJ1->Nodes(k / 9 + 1, k % 9 + 1)->Given, moves.Cell(k)->Text()};
  return board;
}

void TForm1::N24Click(TObject*) {
  if (!N24->Enabled()) return;
  const std::vector<Coach::Change> changes = Coach::AllCandidates(BoardNow());
  if (changes.empty()) return Announce("没有要填的候选数");
  moves.AsOneStep(-1, [&] {
    for (const Coach::Change& change : changes) moves.Cell(change.cell)->set_Text(change.text);
  });
  UpdateMoves();
  KeepSoon();
  Announce("已填入" + IntToStr(static_cast<long long>(changes.size())) + "格的候选数");
}

// The marks change as the program's (no completion judged in between, no step of their own); the
// change handler that placed the digit judges the board once they are all in.
void TForm1::CleanMarks(sdunit::Tsdunit* cell) {
  const std::vector<Coach::Change> changes = Coach::ClearMarks(BoardNow(), (cell->h() - 1) * 9 + cell->s() - 1);
  if (changes.empty()) return;
  Filling fill(moves.Filling);
  moves.JoinLast([&] {
    for (const Coach::Change& change : changes) moves.Cell(change.cell)->set_Text(change.text);
  });
}

void TForm1::CountStart(int Level) {
  counts.Start(Level);
  KeepSoon();
}

// A failure to count is no reason to spoil a game with an error box.
void TForm1::WriteCounts() {
  try {
    counts.Write();
  } catch (const Exception& e) {
    std::fprintf(stderr, "velmora: the statistics could not be written: %s\n", e.Message.c_str());
  }
}

void TForm1::N26Click(TObject*) {
  WriteCounts();  // the game just finished is among them
  std::unique_ptr<Ufrm_tj::Tfrm_tj> window(new Ufrm_tj::Tfrm_tj(nullptr));
  window->ShowModal();
}

// With no puzzle on the board (before the first game), new puzzles are what can be printed.
void TForm1::N27Click(TObject*) {
  std::unique_ptr<Ufrm_dy::Tfrm_dy> window(new Ufrm_dy::Tfrm_dy(nullptr));
  bool anyClue = false;
  for (int k = 0; k < 81; ++k) anyClue = anyClue || QJ1->Nodes(k / 9 + 1, k % 9 + 1)->Given;
  if (!anyClue) window->Choose(2);
  if (window->ShowModal() != mrOk) return;
  std::vector<TPrintedPuzzle> puzzles;
  if (window->NewPuzzles()) {
    puzzles = Ufrm_dy::NewPuzzles(window->ChosenLevel(), window->ChosenCount());
  } else {
    TPrintedPuzzle p;
    const int level = sd991->nd;
    p.Title = std::string(level >= 1 && level <= 4 ? LevelNames[level] : "自定义") + " 第1题";
    for (int k = 0; k < 81; ++k) {
      p.Given[k] = QJ1->Nodes(k / 9 + 1, k % 9 + 1)->Given;
      if (p.Given[k] || window->WithDigits()) p.Texts[k] = moves.Cell(k)->Text();
    }
    puzzles.push_back(p);
  }
  if (PrintPuzzles(this, puzzles, window->ChosenPerPage())) Announce("已打印");
}

}  // namespace velmora::main
