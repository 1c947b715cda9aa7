// Saving and loading games, and the custom-game editor, as a player and the files see them.
#include <filesystem>
#include "forms/Ufrm_new.h"
#include "forms/u_frm_djphb.h"
#include "tests/forms/GameFixture.h"

using namespace toolkit;
namespace tt = toolkit::testing;

namespace {
std::string Lines(const std::vector<std::string>& lines, const std::string& br = "\r\n") {
  std::string out;
  for (const auto& l : lines) out += l + br;
  return out;
}
std::vector<std::string> Zeros() { return std::vector<std::string>(81, "0"); }
}  // namespace

using SavedGame = GameFixture;

TEST_F(SavedGame, AFreshGameRoundTripsAndLoadsAtLevelZeroWithNoRecord) {
  tt::Click(form->ToolButton5);
  std::string board = Board();
  toolkit::Grid9<int> solution = form->QJ1->Solution;
  tt::TypeText(Cell(8, 1), "139");
  tt::AnswerFileDialog("game");  // the default extension is added
  tt::Click(form->ToolButton2);
  std::string saved = File("game.txt");
  EXPECT_EQ(saved.substr(0, 7), "0\r\n18\r\n");
  EXPECT_NE(saved.find("\r\n0139\r\n"), std::string::npos);
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 81);

  tt::Click(form->ToolButton6);  // another game, then back to the saved one
  form->TimeLabel1->set_MS(5000);
  tt::AnswerFileDialog("game.txt");
  tt::Click(form->ToolButton1);
  EXPECT_EQ(Cell(8, 1)->Text(), "139");
  EXPECT_EQ(Cell(8, 1)->zt(), 3);
  tt::TypeText(Cell(8, 1), "\b\b\b");
  EXPECT_EQ(Board(), board);
  EXPECT_TRUE(Cell(1, 2)->ReadOnly());
  EXPECT_EQ(form->sd991->nd, 0);
  EXPECT_EQ(form->TimeLabel1->MS(), 5000);  // the clock is left as it was
  FillAllBut(0, 0, &solution);
  EXPECT_TRUE(form->WC_Label->Visible());
  EXPECT_TRUE(tt::ModalForms().empty());  // never asks for a name
}

// A load and a save say what they did; a finished game loads as a board to look at, with its clock
// stopped but no congratulation: loading is no win.
TEST_F(SavedGame, LoadAndSaveAreToldAndAFinishedGameLoadsWithoutACongratulation) {
  tt::Click(form->ToolButton5);
  auto lines = Zeros();
  for (int k = 0; k < 81; ++k) lines[k] = "0" + std::to_string(form->QJ1->Solution(k / 9 + 1, k % 9 + 1));
  WriteFileBytes("done.txt", Lines(lines));
  const struct {
    const char* file;         // answered in the file dialog
    TToolButton* button;      // 装载游戏 or 游戏存盘
    const char* said;
  } steps[] = {{"done.txt", form->ToolButton1, "已装载 done.txt"}, {"./kept", form->ToolButton2, "已保存 kept.txt"}};
  for (const auto& s : steps) {
    tt::Listen();
    tt::AnswerFileDialog(s.file);
    tt::Click(s.button);
    EXPECT_EQ(Notices(tt::StopListening()), std::vector<std::string>{s.said});
    EXPECT_FALSE(form->WC_Label->Visible());
    EXPECT_FALSE(form->TimeLabel1->Timer->Active()) << "a finished board stops the clock";
    EXPECT_TRUE(form->sd991->Enabled());
  }
  EXPECT_EQ(File("kept.txt"), File("done.txt"));
}

// Saving over a file asks first, by the name the default extension completes; "no" goes back to the
// dialog (here cancelled then) and leaves the file as it was.
TEST_F(SavedGame, SavingOverAFileAsksFirstAndNoKeepsIt) {
  tt::Click(form->ToolButton5);
  WriteFileBytes("game.txt", "old");
  const struct {
    const char* typed;
    bool replace;
    bool asked;
    bool replaced;  // game.txt holds the board now
  } rows[] = {
      {"game", false, true, false},
      {"game.txt", false, true, false},
      {"fresh", false, false, false},  // no file there: nothing to ask, fresh.txt is written
      {"game", true, true, true},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.typed);
    tt::ClearReplaceQuestions();
    tt::AnswerFileDialog(r.typed);
    tt::AnswerReplace(r.replace);
    tt::Click(form->ToolButton2);
    EXPECT_EQ(tt::ReplaceQuestions(), r.asked ? std::vector<std::string>{"game.txt 已经存在。\n要替换它吗？"}
                                              : std::vector<std::string>{});
    EXPECT_EQ(File("game.txt") != "old", r.replaced);
    tt::AnswerReplace(true);  // nothing left waiting for the next row
  }
  EXPECT_TRUE(FileExists("fresh.txt"));
}

TEST_F(SavedGame, LinesLoadAsCluesEntriesAndMarks) {
  auto lines = Zeros();
  lines[0] = "1123";
  lines[1] = "x5";
  lines[2] = "0 5";
  lines[3] = "07";
  // The flag is the first byte and a cell's length counts bytes, in code page 936.
  const std::string kept = "\xED\xB3\xBF";  // the byte 0xFF, which is no character
  struct Row {
    std::string line, text;
    int zt;
    std::string saved;
  } rows[] = {{"\xFF" "5", "5", 2, "05"},         {"0\xFF", kept, 2, "0\xFF"},
              {"0\x80", "€", 2, "0\x80"},       {"0\xD6\xD0", "中", 3, "0\xD6\xD0"},
              {"\xD6\xD0" "5", "\xED\xB3\x90" "5", 3, "0\xD0" "5"}};
  for (int i = 0; i < 5; ++i) lines[4 + i] = rows[i].line;
  WriteFileBytes("g.txt", Lines(lines, "\n"));
  form->LoadGame("g.txt");
  EXPECT_EQ(Cell(1, 1)->Text(), "123");
  EXPECT_TRUE(Cell(1, 1)->ReadOnly());
  EXPECT_EQ(form->QJ1->Nodes(1, 1)->Value, 123);
  EXPECT_TRUE(form->QJ1->Nodes(1, 1)->Given);
  EXPECT_EQ(form->QJ1->Candidates(1, 5), "456789");  // 1, 2 and 3 are gone from the row
  EXPECT_EQ(Cell(1, 2)->Text(), "5");
  EXPECT_FALSE(Cell(1, 2)->ReadOnly());
  EXPECT_FALSE(form->QJ1->Nodes(1, 2)->Given);
  EXPECT_EQ(Cell(1, 3)->Text(), " 5");
  EXPECT_EQ(Cell(1, 3)->zt(), 2);
  EXPECT_EQ(Cell(1, 4)->Text(), "7");
  EXPECT_TRUE(form->sd991->Enabled());
  tt::AnswerFileDialog("saved.txt");
  tt::Click(form->ToolButton2);
  TStringList saved;
  saved.set_Text(File("saved.txt"));
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(Cell(1, 5 + i)->Text(), rows[i].text) << i;
    EXPECT_EQ(Cell(1, 5 + i)->zt(), rows[i].zt) << i;
    EXPECT_EQ(saved[4 + i], rows[i].saved) << i;
  }
  tt::TypeText(Cell(1, 6), "5");  // typed after a kept byte, which stays
  EXPECT_EQ(Cell(1, 6)->zt(), 3);
  tt::AnswerFileDialog("saved.txt");
  tt::Click(form->ToolButton2);
  saved.set_Text(File("saved.txt"));
  EXPECT_EQ(saved[5], "0\xFF" "5");
}

TEST_F(SavedGame, EmptyShortAndCrFilesLoadAsOpenCells) {
  WriteFileBytes("empty.txt", "");
  form->LoadGame("empty.txt");
  EXPECT_EQ(Board().find_first_not_of(".\n"), std::string::npos);
  EXPECT_TRUE(form->sd991->Enabled());
  EXPECT_EQ(form->sd991->nd, 0);
  WriteFileBytes("cr.txt", "15\r0\r07");
  form->LoadGame("cr.txt");
  EXPECT_EQ(Board().substr(0, 9), "5.7......");
}

TEST_F(SavedGame, ABadClueLineShowsTheConversionErrorAndChangesNothing) {
  tt::Click(form->ToolButton5);
  std::string board = Board();
  auto lines = Zeros();
  lines[0] = "15";
  lines[40] = "1.";
  WriteFileBytes("bad.txt", Lines(lines));
  tt::AnswerFileDialog("bad.txt");
  tt::Click(form->ToolButton1);
  ASSERT_EQ(tt::ErrorBoxes().size(), 1u);
  EXPECT_EQ(tt::ErrorBoxes()[0], "'.' is not a valid integer value");
  EXPECT_EQ(Board(), board);
  EXPECT_EQ(form->sd991->nd, 1);
  EXPECT_EQ(form->QJ1->Nodes(1, 1)->Given, false);
}

TEST_F(SavedGame, AMissingFileShowsTheOpenErrorAndAFullBoardLoadNeverCreditsARecord) {
  tt::AnswerFileDialog("nowhere.txt");
  tt::Click(form->ToolButton1);
  ASSERT_EQ(tt::ErrorBoxes().size(), 1u);
  EXPECT_NE(tt::ErrorBoxes()[0].find("nowhere.txt"), std::string::npos);

  tt::Click(form->ToolButton5);  // a level game runs; then a complete board is loaded
  std::vector<std::string> lines;
  for (int r = 1; r <= 9; ++r)
    for (int c = 1; c <= 9; ++c) lines.push_back("0" + std::to_string(form->QJ1->Solution(r, c)));
  WriteFileBytes("full.txt", Lines(lines));
  form->LoadGame("full.txt");
  EXPECT_TRUE(tt::ModalForms().empty());
  EXPECT_EQ(form->sd991->nd, 0);
  EXPECT_TRUE(form->sd991->Enabled());
  EXPECT_FALSE(form->WC_Label->Visible());
}

// A board full of digits but one letter loads as a game in play; the player's digit completes it.
TEST_F(SavedGame, ALetterInAFullBoardIsNoCompletionUntilThePlayerTypesTheDigit) {
  tt::Click(form->ToolButton5);
  std::vector<std::string> lines;
  for (int r = 1; r <= 9; ++r)
    for (int c = 1; c <= 9; ++c) lines.push_back("0" + std::to_string(form->QJ1->Solution(r, c)));
  lines[40] = "0a";
  WriteFileBytes("letter.txt", Lines(lines));
  form->LoadGame("letter.txt");
  EXPECT_EQ(Cell(5, 5)->Text(), "a");
  EXPECT_TRUE(form->TimeLabel1->Timer->Active());
  EXPECT_FALSE(form->WC_Label->Visible());
  tt::TypeText(Cell(5, 5), "\b" + std::to_string(form->QJ1->Solution(5, 5)));
  EXPECT_TRUE(form->WC_Label->Visible());
  EXPECT_FALSE(form->TimeLabel1->Timer->Active());
  EXPECT_TRUE(tt::ModalForms().empty());
}

TEST_F(SavedGame, CancelledDialogsDoNothing) {
  tt::AnswerFileDialog(std::nullopt);
  tt::Click(form->ToolButton2);
  tt::Click(form->ToolButton1);  // no answer waiting: cancelled too
  EXPECT_TRUE(tt::ErrorBoxes().empty());
  EXPECT_FALSE(form->sd991->Enabled());
}

class Editor : public GameFixture {
 protected:
  velmora::Ufrm_new::Tfrm_new* editor() { return velmora::Ufrm_new::frm_new; }
  velmora::sdunit::Tsdunit* EditorCell(int r, int c) { return editor()->sdnew->Cells(r, c); }
  // Opens the editor from the tool bar and runs f inside it.
  void InEditor(std::function<void()> f) {
    tt::OnNextModal([f](TForm*) { f(); });
    tt::Click(form->ToolButton4);
  }
};

TEST_F(Editor, ArrowKeysCarryTheFocusAcrossItsBoardAsInTheGame) {
  InEditor([&] {
    Application->ProcessMessages();  // the editor becomes the active window, where the focus lies
    tt::TypeText(EditorCell(1, 1), "5");
    tt::PressKey(EditorCell(1, 1), tt::keyRight);
    EXPECT_TRUE(EditorCell(1, 2)->Focused());
    tt::PressKey(EditorCell(1, 2), tt::keyDown);
    EXPECT_TRUE(EditorCell(2, 2)->Focused());
    tt::TypeAtCaret(EditorCell(2, 2), "7");
  });
  EXPECT_EQ(EditorCell(1, 1)->Text(), "5");
  EXPECT_EQ(EditorCell(2, 2)->Text(), "7");
}

TEST_F(Editor, SavesOneLinePerCellInRowOrderUnderTheNameAsTyped) {
  InEditor([&] {
    tt::TypeText(EditorCell(1, 2), "5");
    tt::TypeText(EditorCell(2, 1), "12");
    tt::TypeText(EditorCell(9, 9), "7");
    EditorCell(3, 3)->set_Text(" 7\r\n");
    tt::AnswerFileDialog("mypuz");
    tt::Click(editor()->Button1);
    EXPECT_TRUE(editor()->Visible());
  });
  auto expected = Zeros();
  expected[1] = "15";
  expected[20] = "17";
  expected[80] = "17";
  EXPECT_EQ(File("mypuz"), Lines(expected));
  // The game's own dialog opens an existing file under its name as it stands.
  tt::AnswerFileDialog("mypuz");
  tt::Click(form->ToolButton1);
  EXPECT_TRUE(tt::ErrorBoxes().empty());
  EXPECT_EQ(Cell(9, 9)->Text(), "7");
}

TEST_F(Editor, PlayWritesTheWorkingFileAndStartsALevelZeroGame) {
  tt::Click(form->ToolButton5);
  tt::Click(form->sfshowpan);
  tt::PressMouse(Cell(1, 1), mbLeft, 10, 10);  // the panel is up for a cell that becomes a clue
  ASSERT_TRUE(form->pan->Visible());
  InEditor([&] {
    tt::TypeText(EditorCell(1, 1), "9");
    tt::Click(editor()->Button2);
  });
  auto expected = Zeros();
  expected[0] = "19";
  EXPECT_EQ(File("dont use this file"), Lines(expected));
  EXPECT_EQ(Cell(1, 1)->Text(), "9");
  EXPECT_TRUE(Cell(1, 1)->ReadOnly());
  EXPECT_EQ(form->sd991->nd, 0);
  EXPECT_TRUE(form->sd991->Enabled());
  EXPECT_FALSE(editor()->Visible());
  EXPECT_FALSE(form->pan->Visible());
  tt::TypeAtWindow(form, "5");  // into the first open cell
  EXPECT_EQ(Cell(1, 2)->Text(), "5");
  InEditor([&] { EXPECT_EQ(EditorCell(1, 1)->Text(), "9"); });  // the puzzle is still there
}

TEST_F(Editor, ClearEmptiesEveryCell) {
  InEditor([&] {
    tt::TypeText(EditorCell(4, 4), "3");
    tt::Click(editor()->Button3);
    EXPECT_EQ(EditorCell(4, 4)->zt(), 3);
    tt::AnswerFileDialog("c.txt");
    tt::Click(editor()->Button1);
    tt::Click(editor()->Button4);
  });
  EXPECT_EQ(File("c.txt"), Lines(Zeros()));
}

// The editor's board has its own undo and redo: keys in a cell, its two buttons, and 清除 as one step.
TEST_F(Editor, UndoAndRedoWalkItsBoardWithClearAsOneStep) {
  InEditor([&] {
    Application->ProcessMessages();
    tt::TypeText(EditorCell(1, 1), "5");
    tt::TypeText(EditorCell(2, 2), "7");
    tt::Click(editor()->Button3);
    const struct {
      const char* keys;  // typed in cell (9, 9), or a button: "U" 撤销, "R" 重做
      const char* cells;  // (1, 1) and (2, 2) after it
      bool undo, redo;
    } steps[] = {
        {"\x1a", "57", true, true}, {"U", "5.", true, true}, {"\x19", "57", true, true},
        {"R", "..", true, false},   {"R", "..", true, false}, {"U", "57", true, true},
    };
    for (const auto& step : steps) {
      if (step.keys[0] == 'U') tt::Click(editor()->Button5);
      else if (step.keys[0] == 'R') tt::Click(editor()->Button6);
      else tt::TypeText(EditorCell(9, 9), step.keys);
      auto shown = [](const std::string& t) { return t.empty() ? '.' : t[0]; };
      EXPECT_EQ(std::string() + shown(EditorCell(1, 1)->Text()) + shown(EditorCell(2, 2)->Text()), step.cells);
      EXPECT_EQ(editor()->Button5->Enabled(), step.undo);
      EXPECT_EQ(editor()->Button6->Enabled(), step.redo);
    }
    EXPECT_EQ(EditorCell(9, 9)->Text(), "");
  });
}
