// The main window as a player uses it: new games, typing, repeat marks, completion, the candidate
// panel, the tint under the mouse, replay.
#include "forms/main.h"

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <functional>

#include "tests/forms/GameFixture.h"
#include "forms/Stats.h"
#include "forms/u_frm_djphb.h"
#include "toolkit/SysUtils.h"

using namespace toolkit;
namespace tt = toolkit::testing;

using MainWindow = GameFixture;

TEST_F(MainWindow, StartsWithADisabledEmptyBoardAndAStoppedClock) {
  EXPECT_FALSE(form->sd991->Enabled());
  EXPECT_EQ(Board(), std::string(9, '.') + "\n" + std::string(9, '.') + "\n" + std::string(9, '.') + "\n" +
                         std::string(9, '.') + "\n" + std::string(9, '.') + "\n" + std::string(9, '.') + "\n" +
                         std::string(9, '.') + "\n" + std::string(9, '.') + "\n" + std::string(9, '.') + "\n");
  EXPECT_EQ(form->TimeLabel1->Caption(), "0:0:0");
  EXPECT_FALSE(form->TimeLabel1->Timer->Active());
  EXPECT_FALSE(form->WC_Label->Visible());
  EXPECT_EQ(form->sd991->nd, 1);
}

TEST_F(MainWindow, FirstBeginnerGameShowsTheKnownPuzzleAsReadOnlyBoldBlackClues) {
  tt::Click(form->ToolButton5);
  EXPECT_EQ(Board(),
            ".8..469.7\n"
            "64.3795..\n"
            "97328.6..\n"
            "825461379\n"
            "4...9..85\n"
            ".3....1.6\n"
            "16..37.5.\n"
            "....2....\n"
            "2...1479.\n");
  auto* clue = Cell(1, 2);
  EXPECT_TRUE(clue->ReadOnly());
  EXPECT_EQ(clue->Font()->Color(), clBlack);
  EXPECT_EQ(clue->Font()->Height(), -33);
  EXPECT_TRUE(clue->Font()->Style().count(fsBold));
  auto* open = Cell(1, 1);
  EXPECT_FALSE(open->ReadOnly());
  EXPECT_EQ(open->zt(), 3);
  EXPECT_TRUE(form->sd991->Enabled());
  EXPECT_EQ(form->sd991->nd, 1);
  EXPECT_EQ(form->TimeLabel1->Caption(), "0:0:0");
  EXPECT_TRUE(tt::Tick(form->TimeLabel1->Timer));
  EXPECT_EQ(form->TimeLabel1->Caption(), "0:0:1");
  tt::TypeText(clue, "5");
  EXPECT_EQ(clue->Text(), "8");
}

TEST_F(MainWindow, LevelMenuItemsStartGamesLikeTheButtons) {
  tt::Click(form->N7);
  EXPECT_EQ(form->sd991->nd, 2);
  int open = 0;
  for (auto* c : form->sd991->Cells) open += c->Text().empty();
  EXPECT_GE(open, 42);
  EXPECT_LE(open, 47);
  tt::Click(form->N9);
  EXPECT_EQ(form->sd991->nd, 4);
}

TEST_F(MainWindow, RepeatMarksFollowTypingDeletingAndUndo) {
  tt::Click(form->ToolButton5);
  tt::TypeText(Cell(1, 1), "8");  // clues 8 stand at (1, 2) and (4, 1): the last peer is marked
  EXPECT_TRUE(Cell(1, 1)->error());
  EXPECT_TRUE(Cell(4, 1)->error());
  EXPECT_FALSE(Cell(1, 2)->error());
  EXPECT_EQ(Cell(1, 1)->Color(), 255u);
  EXPECT_EQ(Cell(1, 1)->zt(), 2);
  tt::TypeText(Cell(1, 1), "\b");
  EXPECT_FALSE(Cell(1, 1)->error());
  EXPECT_FALSE(Cell(4, 1)->error());
  EXPECT_EQ(Cell(1, 1)->zt(), 3);
  tt::TypeText(Cell(1, 1), "15");  // pencil marks never repeat
  EXPECT_FALSE(Cell(1, 1)->error());
  EXPECT_EQ(Cell(1, 1)->Font()->Height(), -16);
  // The cell's menu takes back the typing as any change: the handler marks the cells again.
  tt::ContextMenu(Cell(1, 1), 10, 10, "撤销(&U)");
  EXPECT_EQ(Cell(1, 1)->Text(), "");
  tt::TypeText(Cell(1, 1), "8");
  tt::TypeText(Cell(1, 1), "\b");
  tt::ContextMenu(Cell(1, 1), 10, 10, "撤销(&U)");
  EXPECT_EQ(Cell(1, 1)->Text(), "8");
  EXPECT_TRUE(Cell(4, 1)->error());
  EXPECT_EQ(Cell(1, 1)->zt(), 2);
}

TEST_F(MainWindow, CompletionLocksTheBoardCongratulatesAndStopsTheClock) {
  tt::Click(form->ToolButton5);
  FillAllBut(0, 0);
  EXPECT_FALSE(form->sd991->Enabled());
  EXPECT_TRUE(form->WC_Label->Visible());
  EXPECT_EQ(form->WC_Label->Caption(), "恭喜你完成任务");
  EXPECT_FALSE(form->TimeLabel1->Timer->Active());
  // A fast beginner game beats the default record of 9999 seconds.
  ASSERT_EQ(tt::ModalForms().size(), 1u);
  EXPECT_EQ(tt::ModalForms()[0], velmora::u_frm_djphb::frm_djphb);
}

// After a completion the focus is on the level's button, never nowhere, and Tab goes on from there;
// the congratulation is told after that move, so that the move does not cut it off.
TEST_F(MainWindow, ACompletionPutsTheFocusOnANewGameAndIsToldAfterIt) {
  form->Show();
  Application->ProcessMessages();
  tt::Click(form->ToolButton6);
  tt::OnNextModal([](TForm* f) { tt::Click(static_cast<velmora::u_frm_djphb::Tfrm_djphb*>(f)->Button1); });
  FillAllBut(0, 0);
  form->Show();  // active again once the record dialog has closed, as a window manager makes it
  Application->ProcessMessages();
  EXPECT_TRUE(form->ToolButton6->Focused()) << "中级, after a game of that level";
  tt::TypeAtWindow(form, "\t");
  EXPECT_TRUE(form->ToolButton7->Focused());

  tt::Click(form->ToolButton5);
  tt::AnswerFileDialog("almost.txt");
  tt::Click(form->ToolButton2);
  const auto [row, col] = LastOpenCell();
  tt::AnswerFileDialog("almost.txt");
  tt::Click(form->ToolButton1);  // a loaded game, of no level
  FillAllBut(row, col);
  tt::Listen();
  tt::TypeText(Cell(row, col), std::to_string(form->QJ1->Solution(row, col)));
  const std::vector<std::string> heard = tt::StopListening();
  EXPECT_EQ(Notices(heard), std::vector<std::string>{"恭喜你完成任务"});
  form->Show();
  Application->ProcessMessages();
  EXPECT_TRUE(form->ToolButton5->Focused());
}

// Ctrl+T anywhere in the main window speaks the clock's time in words; the clock itself reads as a
// label whose name is the time it shows.
TEST_F(MainWindow, CtrlTSpeaksTheTimeAndTheClockReadsAsItsTime) {
  tt::Click(form->ToolButton5);
  const struct {
    int ms;
    bool running;
    const char* said;
    const char* shown;
  } rows[] = {{0, true, "用时0秒", "0:0:0"},
              {61500, true, "用时1分1秒", "0:1:1"},
              {3723000, false, "用时1小时2分3秒，计时已停", "1:2:3"},
              {3600000, true, "用时1小时0分0秒", "1:0:0"}};
  for (const auto& r : rows) {
    form->TimeLabel1->set_MS(r.ms);
    form->TimeLabel1->set_timerenabled(r.running);
    tt::Listen();
    tt::PressKey(Cell(1, 1), tt::keyT, {ssCtrl});
    EXPECT_EQ(Notices(tt::StopListening()), std::vector<std::string>{r.said});
    tt::AccessibleObject clock = tt::Accessible(form->TimeLabel1);
    EXPECT_EQ(clock.Role, "label");
    EXPECT_EQ(clock.Name, r.shown);
  }
  EXPECT_EQ(Cell(1, 1)->Text(), "") << "Ctrl+T types nothing";
}

// A full stop is an entry like a digit, but only digits complete the board.
TEST_F(MainWindow, AFullStopInTheLastOpenCellIsNoCompletion) {
  tt::Click(form->ToolButton5);
  FillAllBut(1, 1);
  tt::TypeText(Cell(1, 1), ".");
  EXPECT_EQ(Cell(1, 1)->Text(), ".");
  EXPECT_TRUE(form->sd991->Enabled());
  EXPECT_FALSE(form->WC_Label->Visible());
  EXPECT_TRUE(form->TimeLabel1->Timer->Active());
  EXPECT_TRUE(tt::ModalForms().empty());
  tt::TypeText(Cell(1, 1), "\b" + std::to_string(form->QJ1->Solution(1, 1)));
  EXPECT_TRUE(form->WC_Label->Visible());
  EXPECT_EQ(tt::ModalForms().size(), 1u);
}

namespace {

// A seed from which the first beginner game off the base grid has a clue in (1,1): dealt once more over
// its own solved board, the board passes through its solved state as that clue is put back.
std::uint32_t SeedWithAFirstCellClue() {
  for (std::uint32_t seed = 0;; ++seed) {
    velmora::QJ::TQJ qj(nullptr);
    RandSeed = seed;
    qj.NewEasy();
    if (qj.Nodes(1, 1)->Given) return seed;
  }
}

}  // namespace

// Whatever fills the board over a solved game, only a game the player completes is judged: no record,
// no congratulation, and the clock runs on. Replay has no row: it only empties cells, and a board
// with an empty cell is never solved, so it cannot pass through a win.
TEST_F(MainWindow, AGameStartedOverASolvedBoardIsNeverJudged) {
  const std::uint32_t seed = SeedWithAFirstCellClue();
  auto deal = [&] {
    form->QJ1->LoadBaseGrid();
    RandSeed = seed;
    tt::Click(form->ToolButton5);
  };
  auto solve = [&] {
    deal();
    ASSERT_TRUE(Cell(1, 1)->ReadOnly());
    tt::Tick(form->TimeLabel1->Timer);
    tt::OnNextModal([](TForm* f) { tt::Click(static_cast<velmora::u_frm_djphb::Tfrm_djphb*>(f)->Button1); });
    FillAllBut(0, 0);
    ASSERT_EQ(tt::ModalForms().size(), 1u);
  };
  // The game solved but for its last open cell, kept as a file.
  deal();
  const auto [lastRow, lastCol] = LastOpenCell();
  FillAllBut(lastRow, lastCol);
  tt::AnswerFileDialog("almost.txt");
  tt::Click(form->ToolButton2);
  const struct {
    const char* name;
    std::function<void()> before, start;
  } starts[] = {
      // Dealt over its own solved board: as the first clue is put back, the board is solved.
      {"the same game dealt again", solve, deal},
      // Loaded over the game solved but for its first open cell: as that cell is loaded, the board is
      // solved, until the file's empty last cell is loaded.
      {"a load",
       [&] {
         solve();
         tt::Click(form->ToolButton10);
         for (auto* cell : form->sd991->Cells)
           if (!cell->ReadOnly()) {
             FillAllBut(cell->h(), cell->s());
             break;
           }
       },
       [&] { form->LoadGame("almost.txt"); }},
  };
  for (const auto& s : starts) {
    SCOPED_TRACE(s.name);
    s.before();
    std::filesystem::remove("phb.txt");  // no record now: any completion would be a new one
    tt::ClearModalForms();
    tt::Listen();

    s.start();
    for (const std::string& notice : Notices(tt::StopListening()))
      EXPECT_EQ(notice.find("恭喜你完成任务"), std::string::npos) << notice;
    EXPECT_TRUE(tt::ModalForms().empty());
    EXPECT_FALSE(FileExists("phb.txt"));
    EXPECT_TRUE(form->TimeLabel1->Timer->Active());
    EXPECT_TRUE(form->sd991->Enabled());
  }
}

TEST_F(MainWindow, CandidatePanelOpensOnlyWhenSwitchedOnForAnOpenCellWithTheLeftButton) {
  tt::Click(form->ToolButton5);
  tt::PressMouse(Cell(1, 1), mbLeft, 10, 10);
  EXPECT_FALSE(form->pan->Visible());  // switched off
  EXPECT_TRUE(tt::ErrorBoxes().empty());
  tt::Click(form->sfshowpan);
  ASSERT_TRUE(form->sfshowpan->Down());
  tt::PressMouse(Cell(1, 1), mbLeft, 10, 10);
  ASSERT_TRUE(form->pan->Visible());
  EXPECT_EQ(form->pan->Top(), Cell(1, 1)->Top() + 40);
  EXPECT_EQ(form->pan->Left(), Cell(1, 1)->Left());
  EXPECT_EQ(form->pan->hxs(), form->QJ1->Candidates(1, 1));
  tt::PressMouse(Cell(8, 3), mbLeft, 10, 10);
  EXPECT_EQ(form->pan->Top(), Cell(8, 3)->Top() - 60);
  EXPECT_EQ(form->pan->Node_h, 8);
  tt::PressMouse(Cell(1, 2), mbLeft, 10, 10);  // a clue
  EXPECT_FALSE(form->pan->Visible());
  tt::PressMouse(Cell(1, 1), mbLeft, 10, 10);
  tt::PressMouse(Cell(1, 1), mbRight, 10, 10);
  EXPECT_FALSE(form->pan->Visible());
  tt::PressMouse(Cell(1, 1), mbLeft, 10, 10);
  tt::Click(form->sfshowpan);  // switching off leaves the shown panel until the next press
  EXPECT_TRUE(form->pan->Visible());
  tt::PressMouse(Cell(1, 1), mbLeft, 10, 10);
  EXPECT_FALSE(form->pan->Visible());
  EXPECT_TRUE(tt::ErrorBoxes().empty());
}

TEST_F(MainWindow, CandidatePanelWritesADigitAllCandidatesOrNothing) {
  tt::Click(form->ToolButton5);
  tt::Click(form->sfshowpan);
  auto* cell = Cell(8, 1);  // row 8 holds no clue
  std::string candidates = form->QJ1->Candidates(8, 1);
  tt::PressMouse(cell, mbLeft, 10, 10);
  tt::PressMouse(form->pan, mbLeft, 30, 3);  // "H"
  EXPECT_EQ(cell->Text(), candidates);
  EXPECT_EQ(cell->zt(), candidates.size() == 1 ? 2 : 3);
  EXPECT_FALSE(form->pan->Visible());
  tt::PressMouse(cell, mbLeft, 10, 10);
  tt::PressMouse(form->pan, mbLeft, 5, 3);  // "N"
  EXPECT_EQ(cell->Text(), candidates);
  EXPECT_FALSE(form->pan->Visible());
  // A greyed digit still writes itself: 2 stands as a clue in row 9, column 1.
  ASSERT_EQ(candidates.find('2'), std::string::npos);
  tt::PressMouse(cell, mbLeft, 10, 10);
  tt::PressMouse(form->pan, mbLeft, 20, 20);  // digit 2
  EXPECT_EQ(cell->Text(), "2");
  EXPECT_TRUE(cell->error());
}

TEST_F(MainWindow, HoverTintsRowAndColumnAndTheBareWindowRemovesIt) {
  tt::Click(form->ToolButton5);
  tt::TypeText(Cell(1, 1), "8");  // a marked pair: (1, 1) and (4, 1)
  tt::MoveMouse(Cell(5, 5), 3, 3);
  EXPECT_EQ(Cell(5, 1)->Color(), Cell(5, 1)->foucscolor);
  EXPECT_EQ(Cell(9, 5)->Color(), Cell(9, 5)->foucscolor);
  EXPECT_EQ(Cell(4, 4)->Color(), Cell(4, 4)->unfoucscolor());
  EXPECT_EQ(Cell(1, 1)->Color(), 255u);
  tt::MoveMouse(form, 500, 300);
  EXPECT_EQ(Cell(5, 1)->Color(), Cell(5, 1)->unfoucscolor());
  EXPECT_EQ(Cell(1, 1)->Color(), Cell(1, 1)->unfoucscolor());  // the error colour too, until the next change
  EXPECT_TRUE(Cell(1, 1)->error());
}

TEST_F(MainWindow, OnlyTheBareWindowRemovesTheTintNotTheBarsOrBordersOverIt) {
  tt::Click(form->ToolButton5);
  tt::TypeText(Cell(1, 1), "8");  // a marked pair: (1, 1) and (4, 1)
  tt::Click(form->sfshowpan);
  tt::PressMouse(Cell(8, 1), mbLeft, 10, 10);  // the candidate panel, over the board
  ASSERT_TRUE(form->pan->Visible());
  tt::MoveMouse(Cell(5, 5), 3, 3);
  struct Place {
    const char* name;
    TControl* control;
    int x, y;
  };
  for (Place p : {Place{"tool bar", form->ToolBar1, 500, 10}, Place{"tool button", form->ToolButton5, 5, 5},
                  Place{"clock", form->TimeLabel1, 5, 5}, Place{"status bar", form->sb1, 20, 10},
                  Place{"candidate panel", form->pan, 3, 40}, Place{"Panel1's border", form->Panel1, 0, 100},
                  Place{"board's border", form->sd991, 0, 100}}) {
    tt::MoveMouse(p.control, p.x, p.y);
    EXPECT_EQ(Cell(5, 1)->Color(), Cell(5, 1)->foucscolor) << p.name;
    EXPECT_EQ(Cell(1, 1)->Color(), 255u) << p.name;
  }
  tt::MoveMouse(form, 500, 300);
  EXPECT_EQ(Cell(5, 1)->Color(), Cell(5, 1)->unfoucscolor());
  EXPECT_EQ(Cell(1, 1)->Color(), Cell(1, 1)->unfoucscolor());
}

TEST_F(MainWindow, ASolvedBoardTakesNoPressAndNoKeysEvenWithTheCandidatePanelOn) {
  tt::Click(form->ToolButton5);
  tt::Click(form->sfshowpan);
  std::string lastText = std::to_string(form->QJ1->Solution(8, 1));
  FillAllBut(8, 1);
  tt::TypeText(Cell(8, 1), lastText);  // the new-record dialog opens and is closed
  ASSERT_FALSE(form->sd991->Enabled());
  std::string solved = Board();
  tt::PressMouse(Cell(8, 1), mbLeft, 10, 10);
  EXPECT_FALSE(form->pan->Visible());
  tt::PressMouse(form->sd991, mbLeft, form->pan->Left() + 5, form->pan->Top() + 20);  // where it would be
  tt::TypeText(Cell(8, 1), "\b5");
  tt::PressKey(Cell(8, 1), tt::keyDelete);
  EXPECT_EQ(Board(), solved);
  EXPECT_EQ(Cell(8, 1)->Text(), lastText);
  EXPECT_TRUE(tt::ErrorBoxes().empty());
}

TEST_F(MainWindow, ReplayEmptiesTheEntriesAndRestartsTheClockAtTheSameLevel) {
  tt::Click(form->ToolButton7);
  tt::TypeText(Cell(1, 1), "1");
  form->TimeLabel1->set_MS(42000);
  int before = 0;
  for (auto* c : form->sd991->Cells) before += !c->Text().empty();
  tt::Click(form->ToolButton10);
  int after = 0;
  for (int r = 1; r <= 9; ++r)
    for (int c = 1; c <= 9; ++c) after += !Cell(r, c)->Text().empty();
  int clues = 0;
  for (auto* n : form->QJ1->Nodes) clues += n->Given;
  EXPECT_EQ(after, clues);
  EXPECT_LE(after, before);
  EXPECT_EQ(form->TimeLabel1->Caption(), "0:0:0");
  EXPECT_EQ(form->sd991->nd, 3);
}

TEST_F(MainWindow, ReplayBeforeTheFirstGameEnablesAnEmptyBoardAndStartsTheClock) {
  tt::Click(form->ToolButton10);
  EXPECT_TRUE(form->sd991->Enabled());
  EXPECT_TRUE(form->TimeLabel1->Timer->Active());
  EXPECT_EQ(form->sd991->nd, 1);
  for (auto* c : form->sd991->Cells) EXPECT_EQ(c->Text(), "");
}

TEST_F(MainWindow, EveryGameStartsWithTheFocusInItsFirstOpenCell) {
  std::string twoClues = "15\n16\n";
  for (int k = 2; k < 81; ++k) twoClues += "0\n";
  WriteFileBytes("two.txt", twoClues);
  const struct {
    std::function<void()> start;
    int row, col;
  } starts[] = {
      {[&] { tt::Click(form->N6); }, 1, 1},                                           // 初级 from the menu
      {[&] { tt::Click(form->ToolButton10); }, 1, 1},                                 // replay
      {[&] { tt::AnswerFileDialog("two.txt"), tt::Click(form->ToolButton1); }, 1, 3},  // load
  };
  for (const auto& s : starts) {
    tt::TypeText(Cell(9, 9), "");  // the focus is somewhere else first
    s.start();
    EXPECT_TRUE(Cell(s.row, s.col)->Focused()) << s.row << s.col;
  }
}

// The program seeds the generator from the clock before it creates the forms.
class ClockSeededRun : public GameFixture {
 protected:
  void BeforeStart() override {
    toolkit::Randomize();
    seed = toolkit::RandSeed;
  }
  std::uint32_t seed = 0;
};

TEST_F(ClockSeededRun, EachRunDealsOtherPuzzlesAndReplayStillReplaysThePuzzleInPlay) {
  tt::Click(form->ToolButton5);
  const std::string first = Board();
  for (auto* c : form->sd991->Cells)
    if (c->Text().empty()) {
      tt::TypeText(c, "5");
      break;
    }
  tt::Click(form->ToolButton10);
  EXPECT_EQ(Board(), first);

  // The next run, started a moment later.
  velmora::DestroyForms();
  do toolkit::Randomize();
  while (toolkit::RandSeed == seed);
  velmora::CreateForms();
  form = velmora::main::Form1;
  tt::Click(form->ToolButton5);
  EXPECT_NE(Board(), first);
}

TEST_F(MainWindow, ExitClosesTheWindow) {
  form->Show();
  tt::Click(form->N5);
  EXPECT_FALSE(form->Visible());
}

TEST_F(MainWindow, ItsCloseBoxEndsTheProgramOnceNoDialogIsUpEvenAfterEveryDialogWasShown) {
  // Each dialog shown and closed once before: their windows live on, hidden.
  tt::Click(form->N17);
  tt::Click(form->About1);
  tt::Click(form->ToolButton4);
  tt::Click(form->ToolButton11);
  bool closedUnderDialog = true;
  tt::OnNextModal([&](TForm*) {
    tt::CloseBox(form);
    closedUnderDialog = !form->Visible();
  });
  tt::Click(form->N17);
  EXPECT_FALSE(closedUnderDialog);
  ASSERT_TRUE(form->Visible());

  bool stuck = false;
  TTimer closer(nullptr), watchdog(nullptr);
  closer.set_Interval(1);
  closer.set_OnTimer([&](TObject*) {
    closer.set_Enabled(false);
    tt::CloseBox(form);
  });
  watchdog.set_Interval(20000);
  watchdog.set_OnTimer([&](TObject*) {
    stuck = true;
    Application->Terminate();
  });
  Application->Run();  // returns when the event loop ends
  EXPECT_FALSE(stuck);
  EXPECT_FALSE(form->Visible());
}

namespace {
int interrupts = 0;
void CountInterrupt(int) { ++interrupts; }
sighandler_t ActionOf(int signal) {
  struct sigaction now {};
  ::sigaction(signal, nullptr, &now);
  return now.sa_handler;
}
}  // namespace

// The end signals while the game runs: a signal started ignored (nohup) stays ignored, the handler
// keeps errno for the code it interrupted (also when its pipe is full), Ctrl+C closes the game, and
// afterwards each signal has the action it had before.
TEST_F(MainWindow, TheEndSignalsKeepErrnoLeaveIgnoredOnesIgnoredAndGetBackTheirActions) {
  ::signal(SIGHUP, SIG_IGN);
  ::signal(SIGINT, CountInterrupt);
  sighandler_t hangUpWhileRunning = nullptr;
  int errnoAfter = 0;
  TTimer raiser(nullptr), watchdog(nullptr);
  raiser.set_Interval(1);
  raiser.set_OnTimer([&](TObject*) {
    raiser.set_Enabled(false);
    hangUpWhileRunning = ActionOf(SIGHUP);
    // Far more signals than the handler's pipe holds: its last writes fail.
    for (int i = 0; i < 70000; ++i) {
      errno = EDOM;
      ::raise(SIGINT);
    }
    errnoAfter = errno;
  });
  bool stuck = false;
  watchdog.set_Interval(20000);
  watchdog.set_OnTimer([&](TObject*) {
    stuck = true;
    Application->Terminate();
  });
  Application->Run();
  EXPECT_FALSE(stuck);
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(hangUpWhileRunning, SIG_IGN);
  EXPECT_EQ(errnoAfter, EDOM);
  EXPECT_EQ(ActionOf(SIGINT), &CountInterrupt);
  EXPECT_EQ(interrupts, 0);
  EXPECT_EQ(ActionOf(SIGTERM), SIG_DFL);
  ::signal(SIGHUP, SIG_DFL);
  ::signal(SIGINT, SIG_DFL);
}

// The two check items are kept across starts in settings.txt (code page 936, CR LF); the focused digit
// is on and the cleaning off at first.
TEST_F(MainWindow, TheCheckItemsAreKeptAcrossStarts) {
  EXPECT_TRUE(form->N23->Checked());
  EXPECT_FALSE(form->N25->Checked());
  EXPECT_FALSE(FileExists("settings.txt"));
  tt::Click(form->N23);
  tt::Click(form->N25);
  EXPECT_FALSE(form->sd991->SameDigit());
  EXPECT_EQ(File("settings.txt"), Utf8ToAnsi("同数高亮=0\r\n自动清除候选=1\r\n"));
  velmora::DestroyForms();
  velmora::CreateForms();
  form = velmora::main::Form1;
  EXPECT_FALSE(form->N23->Checked());
  EXPECT_TRUE(form->N25->Checked());
  EXPECT_FALSE(form->sd991->SameDigit());
}

// In the game: the focused digit's tint stays as the mouse tints its row and column, and goes with the
// check item.
TEST_F(MainWindow, TheFocusedDigitsTintStaysUnderTheMouseAndGoesWithItsItem) {
  tt::Click(form->ToolButton5);
  velmora::sdunit::Tsdunit* clue = nullptr;
  for (auto* c : form->sd991->Cells)
    if (c->ReadOnly() && !clue) clue = c;
  tt::Listen();
  tt::PressMouse(clue, mbLeft, 5, 5);
  const int count = form->sd991->CountOf(clue->Text()[0]);
  EXPECT_EQ(Notices(tt::StopListening()), std::vector<std::string>{"共" + std::to_string(count) + "个" + clue->Text()});
  int tinted = 0;
  for (auto* c : form->sd991->Cells) {
    tt::MoveMouse(c, 5, 5);  // the row-and-column tint passes over every cell
    for (auto* d : form->sd991->Cells) {
      if (d == clue || d->Text() != clue->Text()) continue;
      EXPECT_EQ(d->Color(), d->samecolor) << d->AccessibleName();
    }
    tinted += c->Color() == c->samecolor;
  }
  EXPECT_EQ(tinted, count - 1);
  tt::Click(form->N23);
  for (auto* c : form->sd991->Cells) EXPECT_NE(c->Color(), c->samecolor) << c->AccessibleName();
}

// What the statistics count: a game dealt at its level, a finished game with or without a hint; a game
// brought back at start is not started again. They are written with the game in play, a moment later.
TEST_F(MainWindow, StatisticsCountGamesAsTheyArePlayed) {
  auto level = [&](int l) {
    tt::Tick(form->KeepTimer);
    std::string why;
    return velmora::Stats::Read(&why)[l - 1];
  };
  tt::Click(form->ToolButton5);
  EXPECT_EQ(level(1).Started, 1);
  FillAllBut(0, 0);
  tt::Click(form->ToolButton5);
  tt::Click(form->N21);  // a hint
  FillAllBut(0, 0);
  EXPECT_EQ(level(1).Started, 2);
  EXPECT_EQ(level(1).Finished, 2);
  EXPECT_EQ(level(1).NoHint, 1);
  tt::Click(form->ToolButton5);
  const auto [row, col] = LastOpenCell();
  tt::TypeText(Cell(row, col), "1");
  tt::Click(form->N5);  // kept, and brought back at the next start
  velmora::DestroyForms();
  velmora::CreateForms();
  form = velmora::main::Form1;
  EXPECT_EQ(level(1).Started, 3);
  EXPECT_EQ(level(2).Started, 0);
}
