// The playing board: its cells and colours, the grid it paints, the repeat check and the completion test.
#include "controls/sd99.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "toolkit/Forms.h"
#include "toolkit/testing.h"

using namespace toolkit;
using velmora::sd99::Tsd99;
namespace tt = toolkit::testing;

namespace {

using Board = std::array<std::string, 9>;

// "0" marks an empty cell (a zero can never be typed).
const Board kEmpty = {"000000000", "000000000", "000000000", "000000000", "000000000",
                      "000000000", "000000000", "000000000", "000000000"};

const Board kSolved = {"534678912", "672195348", "198342567", "859761423", "426853791",
                       "713924856", "961537284", "287419635", "345286179"};

constexpr TColor kCream = 15793151;

struct BoardFixture : ::testing::Test {
  TForm* form = new TForm(nullptr);
  Tsd99* board = nullptr;
  void SetUp() override {
    form->SetBounds(0, 0, 460, 460);
    board = new Tsd99(form);
    board->set_Parent(form);
  }
  void TearDown() override { delete form; }

  void Show(const Board& rows) {
    for (int row = 1; row <= 9; ++row)
      for (int col = 1; col <= 9; ++col) {
        char ch = rows[row - 1][col - 1];
        board->Cells(row, col)->set_Text(ch == '0' ? "" : std::string(1, ch));
      }
  }

  struct Pair {
    bool Found;
    int Row1, Col1, Row2, Col2;
  };
  Pair Conflict() {
    Pair p{true, -1, -1, -1, -1};
    board->FindConflict(p.Found, p.Row1, p.Col1, p.Row2, p.Col2);
    return p;
  }
};

#define EXPECT_PAIR(p, r1, c1, r2, c2)                          \
  do {                                                          \
    EXPECT_TRUE((p).Found);                                     \
    EXPECT_EQ((p).Row1, r1);                                    \
    EXPECT_EQ((p).Col1, c1);                                    \
    EXPECT_EQ((p).Row2, r2);                                    \
    EXPECT_EQ((p).Col2, c2);                                    \
  } while (0)

}  // namespace

using BoardConstruction = BoardFixture;

TEST_F(BoardConstruction, EightyOneCellsTileTheBoardAtAPitchOfFortyNine) {
  EXPECT_EQ(board->Width(), 441);
  EXPECT_EQ(board->Height(), 441);
  EXPECT_EQ(board->BevelOuter(), bvNone);
  EXPECT_EQ(board->BorderWidth(), 1);
  EXPECT_EQ(board->BorderStyle(), bsNone);
  EXPECT_EQ(board->Color(), kCream);
  EXPECT_EQ(board->nd, 1);
  for (int row = 1; row <= 9; ++row) {
    for (int col = 1; col <= 9; ++col) {
      auto* cell = board->Cells(row, col);
      EXPECT_EQ(cell->Owner(), board);
      EXPECT_EQ(cell->Parent(), board);
      EXPECT_EQ(cell->h(), row);
      EXPECT_EQ(cell->s(), col);
      EXPECT_FALSE(cell->Ctl3D());
      EXPECT_EQ(cell->Left(), 49 * (col - 1));
      EXPECT_EQ(cell->Top(), 49 * (row - 1));
      EXPECT_EQ(cell->Width(), 49);
      EXPECT_EQ(cell->Height(), 49);
      EXPECT_EQ(cell->zt(), 0);
    }
  }
}

TEST_F(BoardConstruction, CellsStayWhereTheyWerePlacedWhenTheBoardIsResized) {
  board->SetBounds(0, 0, 300, 300);
  EXPECT_EQ(board->Cells(9, 9)->Left(), 392);
  EXPECT_EQ(board->Cells(9, 9)->Width(), 49);
}

TEST_F(BoardConstruction, CornerAndCentreBoxesAreWhiteAndTheOthersLightBlue) {
  auto pic = tt::Grab(board);
  const char* groups[9] = {"111222111", "111222111", "111222111", "222111222", "222111222",
                           "222111222", "111222111", "111222111", "111222111"};
  for (int row = 1; row <= 9; ++row) {
    for (int col = 1; col <= 9; ++col) {
      bool first = groups[row - 1][col - 1] == '1';
      auto* cell = board->Cells(row, col);
      EXPECT_EQ(cell->foucscolor, first ? 12043517u : 14538713u) << row << "," << col;
      EXPECT_EQ(cell->unfoucscolor(), first ? 0xFFFFFFu : 16759739u) << row << "," << col;
      // Sampled clear of the cell's border and of any text.
      EXPECT_EQ(pic.Pixel(49 * (col - 1) + 44, 49 * (row - 1) + 44), first ? 0xFFFFFFu : 0xFFBBBBu)
          << row << "," << col;
    }
  }
  EXPECT_EQ(board->FoucsColor1(), 12043517u);
  EXPECT_EQ(board->FoucsColor2(), 14538713u);
  EXPECT_EQ(board->UNFoucsColor1(), 0xFFFFFFu);
  EXPECT_EQ(board->UNFoucsColor2(), 16759739u);
}

TEST_F(BoardConstruction, TheThreeFontsRepeatTheCellStyles) {
  EXPECT_EQ(board->FONT1->Size(), 25);
  EXPECT_EQ(board->FONT1->Color(), clBlack);
  EXPECT_EQ(board->FONT1->Style(), TFontStyles{fsBold});
  EXPECT_EQ(board->FONT2->Size(), 25);
  EXPECT_EQ(board->FONT2->Color(), clBlue);
  EXPECT_EQ(board->FONT2->Style(), TFontStyles{fsBold});
  EXPECT_EQ(board->FONT3->Size(), 12);
  EXPECT_EQ(board->FONT3->Color(), clBlue);
  EXPECT_EQ(board->FONT3->Style(), TFontStyles{});
}

using BoardColours = BoardFixture;

TEST_F(BoardColours, RestingColourTwoReachesItsBoxesButNotAMarkedCell) {
  board->Cells(4, 2)->set_error(true);
  board->set_UNFoucsColor2(0x00AA00);
  EXPECT_EQ(board->UNFoucsColor2(), 0x00AA00u);
  EXPECT_EQ(board->Cells(4, 2)->unfoucscolor(), 0x00AA00u);
  EXPECT_EQ(board->Cells(4, 2)->Color(), clRed);
  auto pic = tt::Grab(board);
  EXPECT_EQ(pic.Pixel(49 * 3 + 44, 44), 0x00AA00u);           // (1, 4)
  EXPECT_EQ(pic.Pixel(49 * 1 + 44, 49 * 3 + 44), clRed);      // (4, 2)
  EXPECT_EQ(pic.Pixel(44, 44), clWhite);                      // (1, 1)
  board->Cells(4, 2)->set_error(false);
  EXPECT_EQ(tt::Grab(board).Pixel(49 * 1 + 44, 49 * 3 + 44), 0x00AA00u);
}

TEST_F(BoardColours, RestingColourOneReachesCornerAndCentreBoxes) {
  board->set_UNFoucsColor1(0x00CCFF);
  auto pic = tt::Grab(board);
  EXPECT_EQ(pic.Pixel(44, 44), 0x00CCFFu);                   // (1, 1)
  EXPECT_EQ(pic.Pixel(49 * 4 + 44, 49 * 4 + 44), 0x00CCFFu);  // (5, 5)
  EXPECT_EQ(pic.Pixel(49 * 8 + 44, 49 * 8 + 44), 0x00CCFFu);  // (9, 9)
  EXPECT_EQ(pic.Pixel(49 * 3 + 44, 44), 0xFFBBBBu);           // (1, 4)
}

TEST_F(BoardColours, HighlightColoursAreOnlyStoredInTheirBoxes) {
  board->set_FoucsColor1(0x0000AA);
  board->set_FoucsColor2(0x00AA00);
  EXPECT_EQ(board->FoucsColor1(), 0x0000AAu);
  EXPECT_EQ(board->Cells(1, 1)->foucscolor, 0x0000AAu);
  EXPECT_EQ(board->Cells(5, 5)->foucscolor, 0x0000AAu);
  EXPECT_EQ(board->Cells(1, 4)->foucscolor, 0x00AA00u);
  EXPECT_EQ(board->Cells(6, 9)->foucscolor, 0x00AA00u);
  EXPECT_EQ(board->Cells(1, 1)->Color(), clWhite);
  EXPECT_EQ(tt::Grab(board).Pixel(44, 44), clWhite);
}

using BoardGrid = BoardFixture;

// With the cells hidden the board's own painting shows: a 3-pixel frame (half of it outside the
// board), 3-pixel band lines at the thirds and dotted lines at the other ninths.
TEST_F(BoardGrid, FrameBandLinesAndDottedLinesLieOnTheNinths) {
  for (auto* cell : board->Cells) cell->set_Visible(false);
  auto pic = tt::Grab(board);
  ASSERT_EQ(pic.Width(), 441);
  for (int along : {20, 100, 300, 420}) {
    for (int edge : {0, 1, 439, 440}) {
      EXPECT_EQ(pic.Pixel(edge, along), clBlack) << "frame x=" << edge;
      EXPECT_EQ(pic.Pixel(along, edge), clBlack) << "frame y=" << edge;
    }
    for (int band : {146, 147, 148, 293, 294, 295}) {
      EXPECT_EQ(pic.Pixel(band, along), clBlack) << "band x=" << band;
      EXPECT_EQ(pic.Pixel(along, band), clBlack) << "band y=" << band;
    }
    for (int clear : {3, 144, 150, 291, 297, 437}) {
      EXPECT_EQ(pic.Pixel(clear, along + 3), kCream) << "x=" << clear;
      EXPECT_EQ(pic.Pixel(along + 3, clear), kCream) << "y=" << clear;
    }
  }
  // Between the band lines at 147 and the dotted line at 196, each dotted line shows ink and gaps.
  for (int k : {1, 2, 4, 5, 7, 8}) {
    int at = 49 * k;
    int inkDown = 0, inkAcross = 0;
    for (int t = 152; t <= 192; ++t) {
      inkDown += pic.Pixel(at, t) == clBlack;
      inkAcross += pic.Pixel(t, at) == clBlack;
      EXPECT_EQ(pic.Pixel(at + 1, t), kCream) << "one pixel wide, x=" << at;
      EXPECT_EQ(pic.Pixel(t, at + 1), kCream) << "one pixel wide, y=" << at;
    }
    EXPECT_GT(inkDown, 5) << "x=" << at;
    EXPECT_LT(inkDown, 30) << "x=" << at;
    EXPECT_GT(inkAcross, 5) << "y=" << at;
    EXPECT_LT(inkAcross, 30) << "y=" << at;
  }
  EXPECT_EQ(pic.Pixel(24, 24), kCream);
  EXPECT_EQ(pic.Pixel(220, 220), kCream);
}

TEST_F(BoardGrid, PaintingEmptiesTheCaption) {
  board->set_Caption("Velmora");
  tt::Grab(board);
  EXPECT_EQ(board->Caption(), "");
}

using FindConflict = BoardFixture;

TEST_F(FindConflict, AnEmptyBoardHasNoPairAndLeavesTheOtherCoordinatesAlone) {
  Show(kEmpty);
  auto p = Conflict();
  EXPECT_FALSE(p.Found);
  EXPECT_EQ(p.Row1, 0);
  EXPECT_EQ(p.Col1, -1);
  EXPECT_EQ(p.Row2, -1);
  EXPECT_EQ(p.Col2, -1);
}

TEST_F(FindConflict, ReportsFirstCellWithItsLastEqualPeer) {
  Show({"500000005", "000000000", "000000000", "000000000", "000000000",
        "000000000", "000000000", "000000000", "500000000"});
  EXPECT_PAIR(Conflict(), 1, 1, 9, 1);
}

TEST_F(FindConflict, AnEarlierRowWinsOverAnEarlierCellOfItsPair) {
  Show({"000303000", "070000070", "000000000", "000000000", "000000000",
        "000000000", "000000000", "000000000", "000000000"});
  EXPECT_PAIR(Conflict(), 1, 4, 1, 6);
}

TEST_F(FindConflict, TwoEqualDigitsInOneBoxAcrossRowsAndColumnsArePaired) {
  Show({"000000000", "000000000", "000000000", "000400000", "000000000",
        "000004000", "000000000", "000000000", "000000000"});
  EXPECT_PAIR(Conflict(), 4, 4, 6, 6);
}

TEST_F(FindConflict, EqualDigitsOutsideEachOthersRowColumnAndBoxAreNoPair) {
  Show({"400000000", "000400000", "000000040", "040000000", "000000000",
        "000000000", "000000000", "000000000", "000000004"});
  EXPECT_FALSE(Conflict().Found);
}

// A text of one byte in code page 936 is one character: the full stop, the euro sign, a kept byte.
TEST_F(FindConflict, TwoFullStopsArePairedLikeDigits) {
  for (std::string one : {".", "€", "\xED\xB3\xBF"}) {
    Show(kEmpty);
    board->Cells(8, 2)->set_Text(one);
    board->Cells(8, 7)->set_Text(one);
    EXPECT_PAIR(Conflict(), 8, 2, 8, 7);
  }
}

TEST_F(FindConflict, PencilMarksNeverPair) {
  Show(kEmpty);
  board->Cells(1, 1)->set_Text("12");
  board->Cells(1, 5)->set_Text("12");
  board->Cells(2, 2)->set_Text("1");
  board->Cells(1, 2)->set_Text("15");
  board->Cells(3, 1)->set_Text("中");  // two bytes in code page 936
  board->Cells(3, 9)->set_Text("中");
  EXPECT_FALSE(Conflict().Found);
}

TEST_F(FindConflict, ATypedRepeatIsFound) {
  tt::TypeText(board->Cells(3, 3), "8");
  tt::TypeText(board->Cells(3, 7), "9");
  EXPECT_FALSE(Conflict().Found);
  tt::TypeText(board->Cells(3, 7), "\b8");
  EXPECT_PAIR(Conflict(), 3, 3, 3, 7);
}

TEST_F(FindConflict, AChangedDigitInAValidGridIsFound) {
  Show(kSolved);
  EXPECT_FALSE(Conflict().Found);
  // The new 4 repeats the 4 of its row at (5, 1) and of its column at (3, 5); (3, 5) comes first.
  board->Cells(5, 5)->set_Text("4");
  EXPECT_PAIR(Conflict(), 3, 5, 5, 5);
}

using IsSolved = BoardFixture;

TEST_F(IsSolved, AFullValidGridIsSolved) {
  Show(kSolved);
  EXPECT_TRUE(board->IsSolved());
}

TEST_F(IsSolved, AnEmptyOrPartlyFilledBoardIsNot) {
  Show(kEmpty);
  EXPECT_FALSE(board->IsSolved());
  Show(kSolved);
  board->Cells(9, 9)->set_Text("");
  EXPECT_FALSE(board->IsSolved());
}

TEST_F(IsSolved, AFullGridWithARepeatIsNot) {
  Show(kSolved);
  board->Cells(9, 9)->set_Text("8");
  EXPECT_FALSE(board->IsSolved());
}

TEST_F(IsSolved, AFullBoardWhoseOnlyRepeatIsInTheLastRowIsNot) {
  Show({"534678912", "672195348", "198342567", "859761423", "426853791",
        "713924856", "961537284", "287419635", "3452861.."});
  EXPECT_FALSE(board->IsSolved());
  EXPECT_PAIR(Conflict(), 9, 8, 9, 9);
}

// Only a digit in the last open cell completes the board: pencil marks, a full stop, a letter, a Chinese
// character or a kept byte is an entry but never a solution.
TEST_F(IsSolved, EightyDigitsAndOneCellOfAnythingButItsDigitIsNot) {
  Show(kSolved);
  for (auto [text, solved] : {std::pair{"59", false}, {"中", false}, {"€", false}, {"\xED\xB3\xBF", false},
                              {".", false}, {"a", false}, {"0", false}, {"5", true}}) {
    board->Cells(5, 5)->set_Text(text);
    EXPECT_EQ(board->IsSolved(), solved) << text;
  }
}

using BoardKeyboard = BoardFixture;

// Cells are no tab stops: the arrows carry the focus one cell at a time, clues included, up to the edge;
// the board is one stop of the Tab order, entered again at the cell last left.
TEST_F(BoardKeyboard, ArrowsMoveOneCellAtATimeOverClueAndOpenCellsAndTabLeavesTheBoard) {
  auto* next = new TButton(form);  // after the board in the Tab order, and the last control
  next->set_Parent(form);
  next->SetBounds(0, 445, 20, 10);
  auto* last = new TButton(form);
  last->set_Parent(form);
  last->SetBounds(30, 445, 20, 10);
  form->Show();
  Application->ProcessMessages();  // the window becomes the active one, where the focus lies
  using Cell = std::pair<int, int>;
  auto focused = [&]() -> Cell {
    for (auto* cell : board->Cells)
      if (cell->Focused()) return {cell->h(), cell->s()};
    return {next->Focused() ? -1 : last->Focused() ? -2 : 0, 0};
  };
  board->Cells(5, 5)->set_Text("12");
  board->Cells(5, 6)->set_Text("7");
  board->Cells(5, 6)->set_zt(1);  // a clue
  board->Cells(5, 7)->set_Text("3");
  board->Cells(4, 9)->set_Text("12345678");  // pencil marks on two lines
  board->Cells(9, 9)->set_zt(1);
  tt::TypeText(board->Cells(5, 5), "");

  struct Step {
    const char* key;  // an arrow, "S-Left" (with Shift), a typed text, "Tab" or "S-Tab"
    Cell focus;       // (-1, 0): the button `next`; (-2, 0): the button `last`
    int caret;        // in the focused cell; -1: not checked
  };
  const Step steps[] = {
      {"Left", {5, 5}, 1},    // inside a cell the caret moves
      {"Right", {5, 5}, 2},
      {"Right", {5, 6}, 1},   // onto the clue, caret at the end of the text
      {"Right", {5, 7}, 1},   // one arrow leaves a clue
      {"Left", {5, 7}, 0},    // an open cell's text first
      {"Left", {5, 6}, -1},
      {"Left", {5, 5}, 2},
      {"Right", {5, 6}, -1},
      {"Right", {5, 7}, -1},
      {"Right", {5, 8}, -1},
      {"Right", {5, 9}, -1},
      {"Right", {5, 9}, -1},  // the board's edge
      {"Up", {4, 9}, 8},
      {"Up", {4, 9}, -1},     // from the second line to the first
      {"Up", {3, 9}, -1},
      {"Down", {4, 9}, 8},    // the caret at the end, on the last line
      {"Down", {5, 9}, -1},
      {"Down", {6, 9}, -1},
      {"Down", {7, 9}, -1},
      {"Down", {8, 9}, -1},
      {"Down", {9, 9}, -1},   // a clue
      {"9", {9, 9}, -1},      // typing on a clue does nothing (checked below)
      {"Left", {9, 8}, -1},
      {"S-Left", {9, 8}, -1}, // Shift selects; it never leaves the cell
      {"Tab", {-1, 0}, -1},   // Tab leaves the board for the next control ...
      {"S-Tab", {9, 8}, -1},  // ... and Shift+Tab comes back to the cell last left
      {"S-Tab", {-2, 0}, -1}, // Shift+Tab leaves it the other way (round to the last control)
      {"Tab", {9, 8}, -1},    // and Tab from there enters it at that cell again
      {"Up", {8, 8}, -1},
      {"4", {8, 8}, -1},
  };
  for (const Step& step : steps) {
    auto [row, col] = focused();
    TControl* at = row > 0 ? static_cast<TControl*>(board->Cells(row, col)) : row == -1 ? next : last;
    const std::string key = step.key;
    const std::pair<const char*, tt::TKey> presses[] = {{"Left", tt::keyLeft}, {"Right", tt::keyRight},
                                                        {"Up", tt::keyUp},     {"Down", tt::keyDown},
                                                        {"Tab", tt::keyTab},   {"S-Tab", tt::keyBacktab}};
    bool pressed = false;
    for (auto [name, k] : presses) {
      if (key != name) continue;
      tt::PressKey(at, k);
      pressed = true;
    }
    if (key == "S-Left") {
      tt::PressKey(at, tt::keyLeft, {ssShift});
    } else if (!pressed) {
      tt::TypeAtCaret(at, key);
    }
    EXPECT_EQ(focused(), step.focus) << key << " from " << row << "," << col;
    if (step.caret >= 0 && step.focus.first > 0) {
      EXPECT_EQ(board->Cells(step.focus.first, step.focus.second)->SelStart(), step.caret) << key;
    }
  }
  EXPECT_EQ(board->Cells(9, 9)->Text(), "");
  EXPECT_EQ(board->Cells(8, 8)->Text(), "4") << "typing goes on in the new cell";
}

// The focused digit everywhere: the focus goes into a cell by a click, as a player puts it there.
struct SameDigitFixture : BoardFixture {
  const Board kPlay = {"800000000", "000800000", "000000000", "000000080", "000000000",
                       "000000000", "000000000", "000000000", "500000000"};
  void SetUp() override {
    BoardFixture::SetUp();
    form->Show();
    Application->ProcessMessages();
    Show(kPlay);
    board->Cells(1, 1)->set_zt(1);           // a clue
    board->Cells(3, 3)->set_Text("178");     // pencil marks with an 8
    board->Cells(3, 4)->set_Text("17");      // and without
    Application->ProcessMessages();          // what these told is no part of a test
  }
  std::vector<std::string> Enter(int row, int col) {
    tt::Listen();
    tt::PressMouse(board->Cells(row, col), mbLeft, 5, 5);
    Application->ProcessMessages();  // a notice is told once the handler has returned
    std::vector<std::string> notices;
    for (const std::string& line : tt::StopListening())
      if (line.rfind("notice ", 0) == 0) notices.push_back(line.substr(7));
    return notices;
  }
  // The cells tinted in the focused digit's colour, row-major as "RC".
  std::string Tinted() {
    std::string out;
    for (auto* cell : board->Cells)
      if (cell->Color() == cell->samecolor) out += std::to_string(cell->h() * 10 + cell->s()) + " ";
    return out;
  }
};

using SameDigit = SameDigitFixture;

TEST_F(SameDigit, TheOtherCellsHoldingTheFocusedDigitAreTintedAndTheCountIsSaidOnce) {
  struct Case {
    const char* name;
    int row, col;
    const char* tinted;
    char stressed;  // in the marks of (3, 3)
    std::vector<std::string> heard;
  };
  const Case cases[] = {
      {"an empty cell", 5, 5, "", 0, {}},  // the window opened with the focus in the first cell
      {"a clue", 1, 1, "24 48 ", '8', {"共3个8"}},
      {"the player's digit", 2, 4, "11 48 ", '8', {"共3个8"}},
      {"a lone digit", 9, 1, "", 0, {"共1个5"}},
      {"pencil marks", 3, 3, "", 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Enter(c.row, c.col), c.heard);
    EXPECT_EQ(Tinted(), c.tinted);
    EXPECT_EQ(board->Cells(3, 3)->Stress(), c.stressed);
    EXPECT_EQ(board->Cells(3, 4)->Stress(), 0);
  }
}

TEST_F(SameDigit, FollowsTheBoardAsItChangesWithoutSayingMore) {
  Enter(2, 4);
  tt::Listen();
  tt::TypeText(board->Cells(2, 4), "\b5");  // the focused cell's digit changes
  EXPECT_EQ(Tinted(), "91 ");
  board->Cells(5, 5)->set_Text("5");  // another cell takes it
  EXPECT_EQ(Tinted(), "55 91 ");
  board->Cells(9, 1)->set_Text("");
  EXPECT_EQ(Tinted(), "55 ");
  for (const std::string& line : tt::StopListening()) EXPECT_NE(line.rfind("notice ", 0), 0u) << line;
}

TEST_F(SameDigit, TheRepeatRedAndTheHintStayOverItAndItOverTheRowAndColumnTint) {
  Enter(1, 1);
  auto* eight = board->Cells(2, 4);
  eight->set_hovered(true);
  EXPECT_EQ(eight->Color(), eight->samecolor);
  eight->set_error(true);
  EXPECT_EQ(eight->Color(), eight->errorcolor());
  eight->set_error(false);
  EXPECT_EQ(eight->Color(), eight->samecolor);
  eight->set_hovered(false);
  eight->set_unfoucscolor(0x9AF0FF);  // as the hint tints its cells
  eight->set_HintPart("提示：目标格");
  EXPECT_EQ(eight->Color(), 0x9AF0FFu);
  eight->set_HintPart("");
  EXPECT_EQ(eight->Color(), eight->samecolor);
  auto* open = board->Cells(2, 5);
  open->set_hovered(true);
  EXPECT_EQ(open->Color(), open->foucscolor);
  open->set_hovered(false);
  EXPECT_EQ(open->Color(), open->unfoucscolor());
}

TEST_F(SameDigit, TurnedOffNoCellShowsItAndNothingIsSaid) {
  Enter(1, 1);
  board->set_SameDigit(false);
  EXPECT_EQ(Tinted(), "");
  EXPECT_EQ(board->Cells(3, 3)->Stress(), 0);
  EXPECT_EQ(Enter(2, 4), std::vector<std::string>{});
  EXPECT_EQ(Tinted(), "");
  board->set_SameDigit(true);
  EXPECT_EQ(Tinted(), "11 48 ");
}

// On the screen: the tinted cell's face, and the stressed mark's white ink on its dark green, the other
// marks as before.
TEST_F(SameDigit, TheTintAndTheStressedMarkAreOnTheScreen) {
  Enter(1, 1);
  auto* marks = board->Cells(3, 3);
  Application->ProcessMessages();
  const tt::Picture tinted = tt::Grab(board->Cells(2, 4)), stressed = tt::Grab(marks);
  EXPECT_EQ(tinted.Pixel(3, 3), board->Cells(2, 4)->samecolor);
  int green = 0;
  for (int y = 0; y < stressed.Height(); ++y)
    for (int x = 0; x < stressed.Width(); ++x) green += stressed.Pixel(x, y) == marks->StressColor();
  EXPECT_GT(green, 20);
  board->set_SameDigit(false);
  Application->ProcessMessages();
  const tt::Picture plain = tt::Grab(marks);
  green = 0;
  for (int y = 0; y < plain.Height(); ++y)
    for (int x = 0; x < plain.Width(); ++x) green += plain.Pixel(x, y) == marks->StressColor();
  EXPECT_EQ(green, 0);
}

// Said when the player brings the focus (a click, an arrow); not when the program moves it, which says
// what it did itself (a load, undo).
TEST_F(SameDigit, ThePlayersMovesSayTheCountAndTheProgramsDoNot) {
  Enter(2, 3);
  tt::Listen();
  tt::PressKey(board->Cells(2, 3), tt::keyRight);
  Application->ProcessMessages();
  EXPECT_EQ(tt::StopListening().back(), "notice 共3个8");
  EXPECT_TRUE(board->Cells(2, 4)->Focused());
  tt::Listen();
  board->Cells(1, 1)->SetFocus();
  Application->ProcessMessages();
  for (const std::string& line : tt::StopListening()) EXPECT_NE(line.rfind("notice ", 0), 0u) << line;
  EXPECT_EQ(Tinted(), "24 48 ");
}
