// The game in play: undo and redo of the player's changes, pause, and the game kept for the next start.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "forms/KeptGame.h"
#include "tests/forms/GameFixture.h"
#include "toolkit/SysUtils.h"

namespace tt = toolkit::testing;
using velmora::KeptGame::TGame;

namespace {

std::string Bytes(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::string Swap(const std::string& s, const std::string& from, const std::string& to) {
  const std::size_t at = s.find(from);
  return at == std::string::npos ? s : s.substr(0, at) + to + s.substr(at + from.size());
}

void Put(const std::string& name, const std::string& bytes) { std::ofstream(name, std::ios::binary) << bytes; }

TGame AGame() {
  TGame game;
  for (int k = 0; k < 81; ++k) {
    game.Given[k] = k % 7 == 0;
    game.Texts[k] = game.Given[k] ? std::to_string(k % 9 + 1) : k % 5 == 0 ? "178" : k % 3 == 0 ? "4" : "";
  }
  game.Level = 3;
  game.MS = 123000;
  game.Recorded = false;
  return game;
}

}  // namespace

class KeptFile : public ::testing::Test {
 protected:
  TempDir dir;
};

TEST_F(KeptFile, RoundTripsAndOpensAsASavedGame) {
  velmora::KeptGame::Write(AGame());
  std::string why;
  auto game = velmora::KeptGame::Read(&why);
  ASSERT_TRUE(game) << why;
  EXPECT_EQ(game->Texts, AGame().Texts);
  EXPECT_EQ(game->Given, AGame().Given);
  EXPECT_EQ(game->Level, 3);
  EXPECT_EQ(game->MS, 123000);
  EXPECT_FALSE(game->Recorded);
  // Its first 81 lines are a saved game's.
  EXPECT_EQ(Bytes(velmora::KeptGame::FileName).substr(0, 12), "11\r\n0\r\n0\r\n04");
}

// Every damage is told apart from a good file; the start that meets it moves it aside whole, says so in
// one line, and starts as it would with none.
class DamagedKeptFile : public GameFixture, public ::testing::WithParamInterface<std::pair<const char*, int>> {
 protected:
  void BeforeStart() override {
    velmora::KeptGame::Write(AGame());
    std::string bytes = Bytes(velmora::KeptGame::FileName);
    damaged = Damage(bytes, GetParam().second);
    Put(velmora::KeptGame::FileName, damaged);
    ::testing::internal::CaptureStderr();
  }
  static std::string Damage(const std::string& bytes, int how) {
    switch (how) {
      case 0: return bytes.substr(0, bytes.size() / 2);                      // cut short
      case 1: return bytes.substr(0, bytes.rfind("\r\ncheck"));              // the check line gone
      case 2: return Swap(bytes, "game in play 1", "game in play 2");
      case 3: return Swap(bytes, "\r\n04\r\n", "\r\n09\r\n");                // a cell edited
      case 4: return Swap(bytes, "\r\n3\r\n123000", "\r\n7\r\n123000");    // the level edited
      case 5: return bytes + "\r\n";                                         // a line more
      default: return std::string("\xff\xfe\0garbage", 10);
    }
  }
  std::string damaged;
};

TEST_P(DamagedKeptFile, IsMovedAsideWholeAndTheGameStartsAsWithNone) {
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_FALSE(toolkit::FileExists(velmora::KeptGame::FileName));
  std::string aside = velmora::KeptGame::FileName;
  aside.append(".damaged-1");
  EXPECT_EQ(Bytes(aside), damaged);
  EXPECT_NE(said.find("not brought back"), std::string::npos) << said;
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_FALSE(form->sd991->Enabled());
  for (const std::string& box : startErrors) EXPECT_EQ(box.find("game in play"), std::string::npos) << box;
}

INSTANTIATE_TEST_SUITE_P(Kinds, DamagedKeptFile,
                         ::testing::Values(std::pair{"Truncated", 0}, std::pair{"NoCheck", 1},
                                           std::pair{"OtherVersion", 2}, std::pair{"EditedCell", 3},
                                           std::pair{"EditedLevel", 4}, std::pair{"LineMore", 5},
                                           std::pair{"Garbage", 6}),
                         [](const auto& info) { return std::string(info.param.first); });

// ---------------------------------------------------------------- undo and redo

namespace {

// One action of the player's, and what the first two open cells (A, B) hold after it, and whether undo
// and redo can be pressed ("10": undo can, redo cannot). "$" stands for A's first candidate.
struct Step {
  const char* action;
  const char* a;
  const char* b;
  const char* undoRedo;
};

struct Sequence {
  const char* name;
  std::vector<Step> steps;
};

const Sequence Sequences[] = {
    {"TypeUndoRedo", {{"A:1", "1", "", "10"}, {"undo", "", "", "01"}, {"redo", "1", "", "10"}}},
    {"MarksOverwrittenByADigit",
     {{"A:17", "17", "", "10"}, {"A=4", "4", "", "10"}, {"undo", "17", "", "11"}, {"undo", "1", "", "11"},
      {"undo", "", "", "01"}, {"redo", "1", "", "11"}, {"redo", "17", "", "11"}, {"redo", "4", "", "10"}}},
    {"PanelChoice", {{"panel", "$", "", "10"}, {"undo", "", "", "01"}, {"redo-button", "$", "", "10"}}},
    {"ReplayIsOneStep",
     {{"A:5", "5", "", "10"}, {"B:6", "5", "6", "10"}, {"replay", "", "", "10"}, {"undo", "5", "6", "11"},
      {"redo-menu", "", "", "10"}, {"undo-button", "5", "6", "11"}, {"undo", "5", "", "11"}}},
    {"Paste", {{"A+89", "89", "", "10"}, {"A:\b", "8", "", "10"}, {"undo", "89", "", "11"}, {"undo", "", "", "01"}}},
    {"LimitsAtBothEnds",
     {{"undo", "", "", "00"}, {"A:1", "1", "", "10"}, {"redo", "1", "", "10"}, {"undo", "", "", "01"},
      {"undo", "", "", "01"}, {"redo", "1", "", "10"}, {"redo", "1", "", "10"}}},
    {"ANewChangeForgetsWhatWasTakenBack",
     {{"A:1", "1", "", "10"}, {"undo", "", "", "01"}, {"B:2", "", "2", "10"}, {"redo", "", "2", "10"}}},
    {"ANewGameStartsANewHistory", {{"A:3", "3", "", "10"}, {"new", "", "", "00"}, {"undo", "", "", "00"}}},
};

// A beginner game on show, with its first two open cells A and B, and the player's actions on it.
class InPlay : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    form->Show();
    tt::Click(form->ToolButton5);
    FindOpenCells();
  }
  void FindOpenCells() {
    a = b = nullptr;
    for (auto* c : form->sd991->Cells)
      if (!c->ReadOnly()) (a ? b : a) = (a && b) ? b : c;
  }
  void Do(const std::string& action) {
    auto* cell = action[0] == 'A' ? a : b;
    if (action[1] == ':') return tt::TypeText(cell, action.substr(2));
    if (action[1] == '+') return tt::Paste(cell, action.substr(2));
    if (action[1] == '=') {
      tt::DoubleClickMouse(cell, 5, 5);
      return tt::TypeAtCaret(cell, action.substr(2));
    }
    if (action == "undo") return tt::TypeAtWindow(form, "\x1a");  // Ctrl+Z
    if (action == "redo") return tt::TypeAtWindow(form, "\x19");  // Ctrl+Y
    if (action == "undo-button") return tt::Click(form->ToolButton12);
    if (action == "redo-button") return tt::Click(form->ToolButton13);
    if (action == "redo-menu") return tt::Click(form->N19);
    if (action == "replay") return tt::Click(form->ToolButton10);
    if (action == "pause") return tt::Click(form->N20);
    if (action == "new") {
      tt::Click(form->ToolButton5);
      return FindOpenCells();
    }
    if (action == "panel") {  // opens on the first digit offered, which Enter chooses
      if (!form->sfshowpan->Down()) tt::Click(form->sfshowpan);
      tt::PressKey(a, tt::keySpace, {toolkit::ssCtrl});
      return tt::PressKey(form->pan, tt::keyEnter);
    }
    FAIL() << "no such action " << action;
  }
  velmora::sdunit::Tsdunit *a = nullptr, *b = nullptr;
};

class UndoRedo : public InPlay, public ::testing::WithParamInterface<Sequence> {};

}  // namespace

TEST_P(UndoRedo, BoardAfterEachStep) {
  const std::string candidates = form->QJ1->Candidates(a->h(), a->s()).substr(0, 1);
  for (const Step& step : GetParam().steps) {
    Do(step.action);
    const std::string want = std::string(step.a) == "$" ? candidates : step.a;
    EXPECT_EQ(a->Text(), want) << "after " << step.action;
    EXPECT_EQ(b->Text(), step.b) << "after " << step.action;
    EXPECT_EQ(std::string() + "01"[form->ToolButton12->Enabled()] + "01"[form->ToolButton13->Enabled()],
              step.undoRedo)
        << "after " << step.action;
    EXPECT_EQ(form->N18->Enabled(), form->ToolButton12->Enabled());
    EXPECT_EQ(form->N19->Enabled(), form->ToolButton13->Enabled());
  }
}

INSTANTIATE_TEST_SUITE_P(Sequences, UndoRedo, ::testing::ValuesIn(Sequences),
                         [](const auto& info) { return std::string(info.param.name); });

// The cell's own menu takes back its last change in that cell, as it always did; that is a change of
// the player's like any other, which the game's undo takes back in turn.
TEST_F(UndoRedo, TheCellsOwnUndoIsAStepOfTheGamesHistory) {
  tt::TypeText(b, "3");
  tt::TypeText(a, "12");
  tt::ContextMenu(a, 5, 5, "撤销(&U)");
  EXPECT_EQ(a->Text(), "");
  EXPECT_EQ(b->Text(), "3");
  for (const char* want : {"12", "1", ""}) {
    tt::TypeAtWindow(form, "\x1a");
    EXPECT_EQ(a->Text(), want);
  }
  tt::TypeAtWindow(form, "\x1a");
  EXPECT_EQ(b->Text(), "");
}

// Undo and redo take the focus to the cell they changed; the red marks follow.
TEST_F(UndoRedo, FocusAndRepeatMarksFollow) {
  const std::string clue = [&] {
    for (auto* c : form->sd991->Cells)
      if (c->ReadOnly() && c->h() == a->h()) return c->Text();
    return std::string();
  }();
  ASSERT_FALSE(clue.empty());
  tt::TypeText(a, clue);
  EXPECT_TRUE(a->error());
  tt::TypeText(b, "");
  tt::TypeAtWindow(form, "\x1a");
  EXPECT_FALSE(a->error());
  tt::Click(form->ToolButton13);
  EXPECT_TRUE(a->error());
  EXPECT_TRUE(a->Focused());
}

// A screen reader hears what undo and redo did, and to which cell; pencil marks digit by digit.
TEST_F(UndoRedo, UndoAndRedoAreToldWithTheirCell) {
  const std::string place = "第" + std::to_string(a->h()) + "行第" + std::to_string(a->s()) + "列 ";
  tt::TypeText(a, "178");
  tt::TypeText(a, "\b\b\b7");
  const struct {
    const char* keys;
    std::string said;
  } rows[] = {{"\x1a", "撤销：" + place + "空"}, {"\x1a", "撤销：" + place + "1"},
              {"\x19", "重做：" + place + "空"}, {"\x1a", "撤销：" + place + "1"},
              {"\x1a", "撤销：" + place + "候选 1 7"}};
  for (const auto& r : rows) {
    tt::Listen();
    tt::TypeAtWindow(form, r.keys);
    // Told last, after the news of the change itself (a repeat marked or gone).
    const std::vector<std::string> notices = Notices(tt::StopListening());
    ASSERT_FALSE(notices.empty());
    EXPECT_TRUE(notices.back().ends_with(r.said)) << notices.back();
  }
}

TEST_F(UndoRedo, ReplayTakenBackGivesTheGameItsTimeBack) {
  tt::TypeText(a, "5");
  form->TimeLabel1->set_MS(65000);
  tt::Click(form->ToolButton10);
  EXPECT_EQ(form->TimeLabel1->MS(), 0);
  tt::TypeAtWindow(form, "\x1a");
  EXPECT_EQ(form->TimeLabel1->MS(), 65000);
  EXPECT_EQ(a->Text(), "5");
}

// A finished game stays finished: nothing to take back, and replay starts it anew with nothing to
// take back either (undoing into a solved board would be a record for nothing).
TEST_F(UndoRedo, AFinishedGameIsLockedAndItsReplayStartsAfresh) {
  tt::OnNextModal([](toolkit::TForm* f) { tt::TypeAtWindow(f, "\r"); });
  auto [row, col] = LastOpenCell();
  FillAllBut(row, col);
  tt::TypeText(Cell(row, col), std::to_string(form->QJ1->Solution(row, col)));
  ASSERT_FALSE(form->sd991->Enabled());
  EXPECT_FALSE(form->ToolButton12->Enabled());
  tt::TypeAtWindow(form, "\x1a");
  EXPECT_EQ(Cell(row, col)->Text(), std::to_string(form->QJ1->Solution(row, col)));
  tt::Click(form->ToolButton10);
  EXPECT_TRUE(form->sd991->Enabled());
  EXPECT_FALSE(form->ToolButton12->Enabled());
}

// ---------------------------------------------------------------- pause

namespace {
// Every text a screen reader can reach in the window's tree.
void Texts(const tt::AccessibleObject& o, std::string& out) {
  out += o.Name + "|" + o.Value + "|";
  for (const auto& child : o.Children) Texts(child, out);
}
}  // namespace

TEST_F(UndoRedo, PauseHidesTheBoardStopsTheClockAndAClickGoesOn) {
  tt::TypeText(a, "7");
  tt::Click(form->N20);
  ASSERT_TRUE(form->Paused());
  EXPECT_FALSE(form->TimeLabel1->timerenabled());
  EXPECT_FALSE(form->sd991->Visible());
  std::string heard;
  Texts(tt::Accessible(form), heard);
  EXPECT_EQ(heard.find("列|7|"), std::string::npos) << heard;  // no cell tells its digit
  EXPECT_NE(heard.find("已暂停"), std::string::npos) << heard;
  tt::TypeAtWindow(form, "1");  // a hidden board takes no keys
  EXPECT_EQ(a->Text(), "7");
  EXPECT_FALSE(form->ToolButton12->Enabled());
  tt::PressMouse(form->PausePanel, toolkit::mbLeft, 100, 100);
  EXPECT_FALSE(form->Paused());
  EXPECT_TRUE(form->TimeLabel1->timerenabled());
  EXPECT_TRUE(a->Focused());
  tt::TypeAtWindow(form, "\x10");  // Ctrl+P pauses, and goes on
  EXPECT_TRUE(form->Paused());
  tt::TypeAtWindow(form, "\x10");
  EXPECT_FALSE(form->Paused());
}

TEST_F(UndoRedo, MinimisedPausesAndRestoredGoesOn) {
  tt::Minimize(form, true);
  EXPECT_TRUE(form->Paused());
  tt::Minimize(form, false);
  EXPECT_FALSE(form->Paused());
  // A pause of the player's own stays when the window comes back.
  tt::Click(form->N20);
  tt::Minimize(form, true);
  tt::Minimize(form, false);
  EXPECT_TRUE(form->Paused());
}

// ---------------------------------------------------------------- the game kept for the next start

class KeptGame : public UndoRedo {
 protected:
  std::vector<std::string> heardAtStart;  // what a screen reader heard as the window showed
  // The program ends, and starts again after `meanwhile`.
  void Restart(const std::function<void()>& meanwhile = [] {}) {
    velmora::DestroyForms();
    meanwhile();
    velmora::CreateForms();
    form = velmora::main::Form1;
    tt::Listen();
    form->Show();
    toolkit::Application->ProcessMessages();
    heardAtStart = tt::StopListening();
    FindOpenCells();
  }
};

TEST_F(KeptGame, ClosingKeepsAChangedGameAndTheNextStartBringsItBack) {
  tt::Click(form->ToolButton7);
  FindOpenCells();
  tt::TypeText(a, "178");
  tt::TypeText(b, "2");
  form->TimeLabel1->set_MS(42000);
  const std::string board = Board();
  tt::CloseBox(form);
  ASSERT_TRUE(toolkit::FileExists(velmora::KeptGame::FileName));
  Restart();
  EXPECT_EQ(Board(), board);
  EXPECT_EQ(a->Text(), "178");
  EXPECT_EQ(form->sd991->nd, 3);
  EXPECT_GE(form->TimeLabel1->MS(), 42000);
  EXPECT_TRUE(form->TimeLabel1->timerenabled());
  EXPECT_TRUE(form->sd991->Enabled());
  EXPECT_TRUE(a->ReadOnly() == false && Cell(1, 1)->ReadOnly() == form->QJ1->Nodes(1, 1)->Given);
  EXPECT_FALSE(form->ToolButton12->Enabled());
  EXPECT_EQ(Notices(heardAtStart), std::vector<std::string>{"继续上次的游戏，高级"});
  // Brought back and closed untouched, it is still kept.
  tt::CloseBox(form);
  Restart();
  EXPECT_EQ(Board(), board);
}

TEST_F(KeptGame, AChangeIsKeptWithinTwoSecondsWithoutAClose) {
  tt::TypeText(a, "4");
  EXPECT_FALSE(toolkit::FileExists(velmora::KeptGame::FileName));
  EXPECT_LE(form->KeepTimer->Interval(), 2000);
  ASSERT_TRUE(tt::Tick(form->KeepTimer));
  EXPECT_TRUE(toolkit::FileExists(velmora::KeptGame::FileName));
  EXPECT_FALSE(form->KeepTimer->Enabled());
}

// Nothing is left behind by an untouched game, a finished one, or one replaced by a new game.
TEST_F(KeptGame, NothingIsKeptOfAnUntouchedFinishedOrReplacedGame) {
  tt::Click(form->N5);
  EXPECT_FALSE(toolkit::FileExists(velmora::KeptGame::FileName));

  Restart();
  tt::Click(form->ToolButton5);
  FindOpenCells();
  tt::TypeText(a, "4");
  tt::Click(form->N5);
  ASSERT_TRUE(toolkit::FileExists(velmora::KeptGame::FileName));
  Restart();
  tt::Click(form->ToolButton6);
  EXPECT_FALSE(toolkit::FileExists(velmora::KeptGame::FileName));

  tt::OnNextModal([](toolkit::TForm* f) { tt::TypeAtWindow(f, "\r"); });
  auto [row, col] = LastOpenCell();
  FillAllBut(row, col);
  ASSERT_TRUE(tt::Tick(form->KeepTimer));
  ASSERT_TRUE(toolkit::FileExists(velmora::KeptGame::FileName));
  tt::TypeText(Cell(row, col), std::to_string(form->QJ1->Solution(row, col)));
  ASSERT_FALSE(form->sd991->Enabled());
  EXPECT_FALSE(toolkit::FileExists(velmora::KeptGame::FileName));
}

// Of two copies of the game in one folder, the one that started first keeps the game; the other starts
// as it would with none, and leaves the kept game alone.
TEST_F(KeptGame, TheSecondCopyInAFolderStartsAsWithNone) {
  tt::TypeText(a, "4");
  tt::Click(form->N5);
  const std::string kept = Bytes(velmora::KeptGame::FileName);
  std::unique_ptr<toolkit::TFileClaim> first;
  Restart([&] { first = std::make_unique<toolkit::TFileClaim>(velmora::KeptGame::FileName); });
  ASSERT_TRUE(first->Held());
  EXPECT_FALSE(form->sd991->Enabled());
  tt::Click(form->ToolButton5);
  FindOpenCells();
  tt::TypeText(a, "9");
  tt::Click(form->N5);
  EXPECT_EQ(Bytes(velmora::KeptGame::FileName), kept);
}

// ---------------------------------------------------------------- the hint

namespace {
int Tinted(velmora::main::TForm1* form) {
  int n = 0;
  for (auto* c : form->sd991->Cells) n += !c->HintPart().empty();
  return n;
}
}  // namespace

TEST_F(UndoRedo, HintInThreePressesOfOneStepThenUndoTakesTheStepBack) {
  const std::string before = Board();
  tt::Click(form->ToolButton14);
  const std::string first = form->Hint->Memo->Text();
  EXPECT_NE(first.find("：") , std::string::npos) << first;  // where to look: technique
  EXPECT_NE(first.find("使用提示后，本局不计入排行榜"), std::string::npos);
  EXPECT_EQ(Tinted(form), 0);
  EXPECT_FALSE(form->Recorded);

  tt::Click(form->N21);  // the second press
  EXPECT_NE(form->Hint->Memo->Text(), first);
  EXPECT_GT(Tinted(form), 0);
  EXPECT_TRUE(form->Hint->Frame[0]->Visible());
  EXPECT_EQ(Board(), before);

  tt::Click(form->N21);  // the step done
  EXPECT_EQ(Tinted(form), 0);
  EXPECT_FALSE(form->Hint->Frame[0]->Visible());
  int changed = 0;
  for (int r = 1; r <= 9; ++r)
    for (int c = 1; c <= 9; ++c)
      if (!Cell(r, c)->Text().empty() && Board()[(r - 1) * 10 + c - 1] != before[(r - 1) * 10 + c - 1]) {
        ++changed;
        EXPECT_EQ(Cell(r, c)->Text(), std::to_string(form->QJ1->Solution(r, c)));
      }
  EXPECT_EQ(changed, 1);
  tt::TypeAtWindow(form, "\x1a");
  EXPECT_EQ(Board(), before);
}

// Any move of the player's takes the hint away; the next press starts a new one. A wrong digit comes
// before any step.
TEST_F(UndoRedo, AMoveClearsTheHintAndAWrongDigitIsToldFirst) {
  tt::Click(form->N21);
  tt::Click(form->N21);
  ASSERT_GT(Tinted(form), 0);
  // A digit the clues allow in an open cell, but not the solution's: wrong without a repeat.
  std::string wrong;
  for (auto* c : form->sd991->Cells) {
    if (c->ReadOnly()) continue;
    wrong = form->QJ1->Candidates(c->h(), c->s());
    std::erase(wrong, static_cast<char>('0' + form->QJ1->Solution(c->h(), c->s())));
    a = c;
    if (!wrong.empty()) break;
  }
  ASSERT_FALSE(wrong.empty());
  tt::TypeText(a, wrong.substr(0, 1));
  EXPECT_EQ(Tinted(form), 0);
  EXPECT_FALSE(form->Hint->Frame[0]->Visible());
  tt::Click(form->N21);
  EXPECT_EQ(form->Hint->Memo->Text(), "有一个数填错了");  // the record note was told once already
  tt::Click(form->N21);
  EXPECT_NE(form->Hint->Memo->Text().find("第" + std::to_string(a->h()) + "行第" + std::to_string(a->s()) + "列"),
            std::string::npos)
      << form->Hint->Memo->Text();
  EXPECT_FALSE(a->HintPart().empty());
}

// A hint on show is about the board it was found on: whatever changes the board or hides it takes the
// hint away, so the next press starts afresh instead of doing the old step (a replay once wrote old
// pencil marks back into the cells it had emptied).
class StaleHint : public InPlay, public ::testing::WithParamInterface<const char*> {};

TEST_P(StaleHint, IsTakenAwayAndTheNextPressStartsAfresh) {
  const std::string action = GetParam();
  tt::TypeText(a, std::to_string(form->QJ1->Solution(a->h(), a->s())));
  tt::TypeText(b, form->QJ1->Candidates(b->h(), b->s()));
  tt::TypeText(b, "\b");
  tt::TypeAtWindow(form, "\x1a");  // something to undo and something to redo
  tt::Click(form->N21);
  tt::Click(form->N21);
  ASSERT_GT(Tinted(form), 0);
  Do(action);
  if (action == "pause") tt::Click(form->N20);  // and on again
  EXPECT_EQ(Tinted(form), 0);
  EXPECT_FALSE(form->Hint->Frame[0]->Visible());
  std::string texts[81];
  for (int k = 0; k < 81; ++k) texts[k] = Cell(k / 9 + 1, k % 9 + 1)->Text();
  tt::Click(form->N21);  // where to look, nothing done
  tt::Click(form->N21);  // why, nothing done
  EXPECT_GT(Tinted(form), 0);
  for (int k = 0; k < 81; ++k) EXPECT_EQ(Cell(k / 9 + 1, k % 9 + 1)->Text(), texts[k]) << "cell " << k;
}

INSTANTIATE_TEST_SUITE_P(Actions, StaleHint, ::testing::Values("replay", "pause", "undo", "redo", "new"),
                         [](const auto& info) { return std::string(info.param); });

// The third press is told whether or not the focus is on the changed cell already, and the hint line's
// words can be heard again by their key, until a new game empties the line.
TEST_F(UndoRedo, TheHintIsHeardEveryTimeAndAgainOnAsking) {
  EXPECT_FALSE(form->N22->Enabled());
  tt::Click(form->N21);
  tt::Click(form->N21);
  const std::string why = form->Hint->Memo->Text();
  tt::Listen();
  tt::PressKey(form->sd991->Cells(1, 1), tt::keyH, {toolkit::ssCtrl, toolkit::ssShift});
  EXPECT_EQ(Notices(tt::StopListening()), std::vector<std::string>{why});
  for (int round = 0; round < 2; ++round) {  // the second time the focus is on the changed cell already
    if (round) {
      tt::Click(form->N21);
      tt::Click(form->N21);
    }
    tt::Listen();
    tt::Click(form->N21);
    const std::vector<std::string> notices = Notices(tt::StopListening());
    ASSERT_FALSE(notices.empty());
    EXPECT_TRUE(notices.back().starts_with("提示：第")) << notices.back();
  }
  tt::Click(form->ToolButton5);
  EXPECT_FALSE(form->N22->Enabled());
}

// Hinted to the end: the congratulation, no new-record dialog, the record file as it was; a hinted game
// brought back at the next start is still out of the records.
TEST_F(KeptGame, AHintedGameIsNeverRecorded) {
  tt::Click(form->ToolButton14);
  tt::TypeText(a, std::to_string(form->QJ1->Solution(a->h(), a->s())));
  tt::Click(form->N5);
  Restart();
  EXPECT_FALSE(form->Recorded);
  const std::string records = Bytes("phb.txt");
  tt::ClearModalForms();
  for (int press = 0; press < 3 * 81 && form->sd991->Enabled(); ++press) tt::Click(form->ToolButton14);
  EXPECT_FALSE(form->sd991->Enabled());
  EXPECT_TRUE(form->WC_Label->Visible());
  EXPECT_TRUE(tt::ModalForms().empty());
  EXPECT_EQ(Bytes("phb.txt"), records);
}

// Every candidate in one step: the open cells without marks get their candidates, the player's marks
// stay, and one Ctrl+Z takes all of it back.
TEST_F(UndoRedo, EveryCandidateInOneStepThatOneUndoTakesBack) {
  tt::TypeText(a, "12");  // the player's marks
  const std::string before = Board();
  tt::Click(form->N24);
  int filled = 0;
  for (auto* c : form->sd991->Cells) {
    if (c->ReadOnly() || c == a) continue;
    const std::string left = form->QJ1->Candidates(c->h(), c->s());
    if (left.size() < 2) {
      EXPECT_EQ(c->Text(), "") << c->AccessibleName();  // one mark would read as a placed digit
      continue;
    }
    EXPECT_EQ(c->Text(), left) << c->AccessibleName();
    ++filled;
  }
  EXPECT_GT(filled, 20);
  EXPECT_EQ(a->Text(), "12");
  tt::TypeAtWindow(form, "\x1a");
  EXPECT_EQ(Board(), before);
  tt::TypeAtWindow(form, "\x19");
  EXPECT_EQ(filled, [&] {
    int n = 0;
    for (auto* c : form->sd991->Cells) n += !c->ReadOnly() && c != a && c->Text().size() >= 2;
    return n;
  }());
}

// With 落子清除候选 checked, a placed digit leaves the marks of its row, column and box in the same step;
// unchecked (as at first), the marks stay.
TEST_F(UndoRedo, APlacedDigitCleansTheMarksOfItsHousesInTheSameStepWhenAsked) {
  const struct {
    const char* name;
    bool clean;
  } cases[] = {{"as it always was", false}, {"asked", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    tt::Click(form->ToolButton5);
    FindOpenCells();
    if (form->N25->Checked() != c.clean) tt::Click(form->N25);
    tt::Click(form->N24);
    std::vector<std::string> marks;
    for (auto* cell : form->sd991->Cells) marks.push_back(cell->Text());
    const char digit = '0' + form->QJ1->Solution(a->h(), a->s());
    tt::DoubleClickMouse(a, 5, 5);  // the marks selected, and the digit typed over them: one change
    tt::TypeAtCaret(a, std::string(1, digit));
    int cleaned = 0;
    for (auto* cell : form->sd991->Cells) {
      if (cell == a) continue;
      const bool peer = cell->h() == a->h() || cell->s() == a->s() || cell->q() == a->q();
      const std::string was = marks[(cell->h() - 1) * 9 + cell->s() - 1];
      if (c.clean && peer && was.find(digit) != std::string::npos) {
        ++cleaned;
        EXPECT_EQ(cell->Text().find(digit), std::string::npos) << cell->AccessibleName();
      } else {
        EXPECT_EQ(cell->Text(), was) << cell->AccessibleName();
      }
    }
    EXPECT_EQ(cleaned > 0, c.clean);
    // The digit and its cleaning are one step.
    tt::TypeAtWindow(form, "\x1a");
    for (auto* cell : form->sd991->Cells) {
      if (cell == a) continue;
      EXPECT_EQ(cell->Text(), marks[(cell->h() - 1) * 9 + cell->s() - 1]) << cell->AccessibleName();
    }
    EXPECT_EQ(a->Text(), marks[(a->h() - 1) * 9 + a->s() - 1]);
  }
}
