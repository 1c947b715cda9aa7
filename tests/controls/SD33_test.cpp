// The preview board as its owner and the player see it: sizes, grid lines, colours, hover cross,
// the marked pair, fonts and the key filter.
#include "controls/SD33.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "toolkit/Forms.h"
#include "toolkit/testing.h"

using namespace toolkit;
namespace tt = toolkit::testing;
using velmora::SD33::TSD33;

namespace {

constexpr TColor Rest1 = 0xFFFFFF, Rest2 = 16759739, High1 = 12043517, High2 = 14538713, Red = 255;
using Board = std::array<const char*, 9>;

struct Preview : ::testing::Test {
  TForm* form = new TForm(nullptr);
  TSD33* qp = new TSD33(form);

  void SetUp() override {
    form->SetBounds(0, 0, 520, 520);
    qp->set_Parent(form);
    qp->SetBounds(10, 10, qp->Width(), qp->Height());
  }
  void TearDown() override { delete form; }

  // Writes a board into the cells as the owner does: "0" is an empty cell, anything else its character.
  void Show(const Board& rows) {
    for (int r = 1; r <= 9; ++r)
      for (int c = 1; c <= 9; ++c) {
        char ch = rows[r - 1][c - 1];
        qp->Cells(r, c)->set_Text(ch == '0' ? std::string() : std::string(1, ch));
      }
  }
  // The colours as nine rows: "." the resting colour of the cell's box group, "+" its highlight
  // colour, "R" red, "?" anything else.
  std::string Colours() {
    std::string out;
    for (int r = 1; r <= 9; ++r) {
      for (int c = 1; c <= 9; ++c) {
        bool second = ((r - 1) / 3 * 3 + (c - 1) / 3) % 2 == 1;
        TColor k = qp->Cells(r, c)->Color();
        out += k == (second ? Rest2 : Rest1) ? '.' : k == (second ? High2 : High1) ? '+' : k == Red ? 'R' : '?';
      }
      out += '\n';
    }
    return out;
  }
  static std::string Rows(const Board& rows) {
    std::string out;
    for (const char* row : rows) out += std::string(row) + "\n";
    return out;
  }
  // The cells whose Conflict flag is set, as "row,col" pairs in row order.
  std::string Marked() {
    std::string out;
    for (auto* cell : qp->Cells)
      if (cell->Conflict) out += std::to_string(cell->Row) + "," + std::to_string(cell->Col) + " ";
    return out;
  }
};

const Board Resting = {".........", ".........", ".........", ".........", ".........",
                       ".........", ".........", ".........", "........."};

}  // namespace

using PreviewLayout = Preview;

TEST_F(PreviewLayout, DefaultBoardIs442SquareWith48PixelCellsAtPitch49) {
  EXPECT_EQ(qp->width2(), 442);
  EXPECT_EQ(qp->Width(), 442);
  EXPECT_EQ(qp->Height(), 442);
  EXPECT_EQ(qp->Caption(), "  ");
  for (int i = 1; i <= 9; ++i) {
    EXPECT_EQ(qp->Cells(i, i)->Left(), 49 * (i - 1) + 1);
    EXPECT_EQ(qp->Cells(i, i)->Top(), 49 * (i - 1) + 1);
    EXPECT_EQ(qp->Cells(i, i)->Width(), 48);
    EXPECT_EQ(qp->Cells(i, i)->Height(), 48);
    EXPECT_EQ(qp->Cells(i, 10 - i)->Row, i);
    EXPECT_EQ(qp->Cells(i, 10 - i)->Col, 10 - i);
  }
  auto pic = tt::Grab(qp);
  TColor shadow = ColorToRGB(clBtnShadow);
  EXPECT_EQ(pic.Pixel(440, 20), Rest1);  // the last cell's last pixel column
  EXPECT_EQ(pic.Pixel(441, 20), shadow);
  EXPECT_EQ(pic.Pixel(49, 20), shadow);
  EXPECT_EQ(pic.Pixel(50, 20), Rest1);
}

TEST_F(PreviewLayout, Width352GivesPitch39AndLeavesTheLastPixelToTheBevelShadow) {
  qp->set_width2(352);
  EXPECT_EQ(qp->Width(), 352);
  EXPECT_EQ(qp->Height(), 352);
  auto* last = qp->Cells(9, 9);
  EXPECT_EQ(last->Left(), 313);
  EXPECT_EQ(last->Top(), 313);
  EXPECT_EQ(last->Width(), 38);
  EXPECT_EQ(last->Height(), 38);
  EXPECT_EQ(last->Left() + last->Width() - 1, 350);

  auto pic = tt::Grab(qp);
  TColor shadow = ColorToRGB(clBtnShadow);
  for (int k = 1; k < 351; k += 7) {
    EXPECT_EQ(pic.Pixel(351, k), shadow) << "right edge at " << k;
    EXPECT_EQ(pic.Pixel(k, 351), shadow) << "bottom edge at " << k;
  }
  for (int i = 0; i < 9; ++i) {  // nine lines each way, the first on the edge
    EXPECT_EQ(pic.Pixel(39 * i, 20), shadow) << "line " << i;
    EXPECT_EQ(pic.Pixel(20, 39 * i), shadow) << "line " << i;
  }
  EXPECT_EQ(pic.Pixel(350, 350), Rest1);  // inside the last cell, a box of the first group
  EXPECT_EQ(pic.Pixel(350, 20), Rest1);
  EXPECT_EQ(pic.Pixel(1, 1), Rest1);
  EXPECT_EQ(pic.Pixel(3 * 39 + 1, 1), Rest2);  // box 2 begins after the third line
  EXPECT_EQ(pic.Pixel(3 * 39 - 1, 1), Rest1);
}

using PreviewColours = Preview;

TEST_F(PreviewColours, BoxesAlternateBetweenTheTwoRestingColours) {
  EXPECT_EQ(Colours(), Rows(Resting));
  EXPECT_EQ(qp->Cells(1, 1)->Color(), Rest1);
  EXPECT_EQ(qp->Cells(1, 4)->Color(), Rest2);
  EXPECT_EQ(qp->Cells(4, 1)->Color(), Rest2);
  EXPECT_EQ(qp->Cells(5, 5)->Color(), Rest1);
  EXPECT_EQ(qp->Cells(9, 6)->Color(), Rest2);
  EXPECT_EQ(qp->Cells(9, 9)->Color(), Rest1);
}

TEST_F(PreviewColours, HoverTintsTheRowAndColumnOfTheCellUnderTheMouse) {
  tt::MoveMouse(qp->Cells(2, 7), 5, 5);
  EXPECT_EQ(Colours(), Rows({"......+..", "+++++++++", "......+..", "......+..", "......+..", "......+..",
                             "......+..", "......+..", "......+.."}));
  EXPECT_EQ(qp->Cells(2, 1)->Color(), High1);
  EXPECT_EQ(qp->Cells(2, 5)->Color(), High2);
  tt::MoveMouse(qp->Cells(9, 9), 5, 5);
  EXPECT_EQ(Colours(), Rows({"........+", "........+", "........+", "........+", "........+", "........+",
                             "........+", "........+", "+++++++++"}));
}

TEST_F(PreviewColours, TheCrossStaysWhenTheMouseLeavesTheBoard) {
  tt::MoveMouse(qp->Cells(5, 5), 5, 5);
  std::string cross = Colours();
  tt::LeaveMouse(qp->Cells(5, 5));
  tt::MoveMouse(qp, 0, 0);
  tt::MoveMouse(form, 500, 500);
  EXPECT_EQ(Colours(), cross);
  EXPECT_NE(cross, Rows(Resting));
}

TEST_F(PreviewColours, NewColoursShowOnlyAtTheNextHover) {
  qp->FoucsColor1 = 0x00FF00;
  qp->UNFoucsColor2 = 0x0000AA;
  EXPECT_EQ(qp->Cells(1, 1)->Color(), Rest1);
  EXPECT_EQ(qp->Cells(1, 4)->Color(), Rest2);
  qp->Arrange();
  EXPECT_EQ(qp->Cells(1, 4)->Color(), Rest2);
  tt::MoveMouse(qp->Cells(1, 1), 5, 5);
  EXPECT_EQ(qp->Cells(1, 1)->Color(), 0x00FF00u);
  EXPECT_EQ(qp->Cells(2, 4)->Color(), 0x0000AAu);
}

using PreviewMarks = Preview;

TEST_F(PreviewMarks, OneCharacterRepeatsInARowAreMarkedPencilMarksNever) {
  qp->Cells(1, 1)->set_Text("5");
  qp->Cells(1, 9)->set_Text("56");
  EXPECT_EQ(Marked(), "");
  qp->Cells(3, 3)->set_Text("56");  // same box, another row, but two characters each
  EXPECT_EQ(Marked(), "");
  qp->Cells(1, 5)->set_Text("5");
  EXPECT_EQ(Marked(), "1,1 1,5 ");
  EXPECT_EQ(qp->Cells(1, 1)->Color(), Red);
  EXPECT_EQ(qp->Cells(1, 5)->Color(), Red);
}

TEST_F(PreviewMarks, TwoFullStopsRepeatLikeDigits) {
  qp->Cells(4, 2)->set_Text(".");
  qp->Cells(9, 2)->set_Text(".");
  EXPECT_EQ(Marked(), "4,2 9,2 ");
}

TEST_F(PreviewMarks, OnlyOnePairIsMarkedTheEarliestCellWithItsLastPeer) {
  Show({"150000500",   // (1,2) is the earliest one-character cell with a repeat: (1,7) in its row,
        "000000000",   // (3,1) in its box, (5,2) in its column, the last of them in row order
        "500000000",
        "000000000",
        "050000000",
        "000000000",
        "000000000",
        "000000000",
        "330000000"});  // a later repeat stays unmarked
  EXPECT_EQ(Marked(), "1,2 5,2 ");
  // Pairs found on the way, while the cells were written one by one, stay red until a hover.
  EXPECT_EQ(qp->Cells(3, 1)->Color(), Red);
  tt::MoveMouse(qp->Cells(5, 5), 1, 1);
  EXPECT_EQ(Colours(), Rows({".R..+....", "....+....", "....+....", "....+....", "+R+++++++", "....+....",
                             "....+....", "....+....", "....+...."}));
}

TEST_F(PreviewMarks, RedLingersAfterTheRepeatIsGoneUntilTheNextHover) {
  Show({"700000007", "000000000", "000000000", "000000000", "000000000", "000000000", "000000000",
        "000000000", "000000000"});
  EXPECT_EQ(Marked(), "1,1 1,9 ");
  qp->Cells(1, 9)->set_Text("8");
  EXPECT_EQ(Marked(), "");
  EXPECT_EQ(qp->Cells(1, 1)->Color(), Red);
  EXPECT_EQ(qp->Cells(1, 9)->Color(), Red);
  tt::MoveMouse(qp->Cells(5, 5), 1, 1);
  EXPECT_EQ(qp->Cells(1, 1)->Color(), Rest1);
  EXPECT_EQ(qp->Cells(1, 9)->Color(), Rest1);
}

TEST_F(PreviewMarks, HoveringAMarkedCellTintsItsCrossAndLeavesThePairRed) {
  Show({"000000000", "000000000", "000000000", "000000000", "000040000", "000000000", "000000000",
        "000040000", "000000000"});
  EXPECT_EQ(Marked(), "5,5 8,5 ");
  tt::MoveMouse(qp->Cells(5, 5), 3, 3);
  EXPECT_EQ(Colours(), Rows({"....+....", "....+....", "....+....", "....+....", "++++R++++", "....+....",
                             "....+....", "....R....", "....+...."}));
}

using PreviewCells = Preview;

TEST_F(PreviewCells, FontsFollowStateAndTextAtTheNextArrangement) {
  auto* one = qp->Cells(2, 2);
  auto* empty = qp->Cells(2, 3);
  one->set_Text("3");
  EXPECT_EQ(one->Font()->Height(), -33);
  EXPECT_EQ(one->Font()->Color(), clBlue);
  EXPECT_EQ(empty->Font()->Height(), -16);
  EXPECT_FALSE(one->ReadOnly());
  EXPECT_TRUE(one->Font()->Style().empty());

  for (auto* cell : qp->Cells) cell->State = 1;
  qp->FONTSize3 = 9;
  EXPECT_FALSE(one->ReadOnly());  // nothing shows before the next arrangement
  empty->set_Text("12");
  for (auto* cell : {one, empty}) {
    EXPECT_TRUE(cell->ReadOnly());
    EXPECT_EQ(cell->Font()->Height(), -33);
    EXPECT_EQ(cell->Font()->Color(), clBlack);
  }
}

TEST_F(PreviewCells, TypingLetsThroughOnlyDigitsBackspaceAndFullStopAndMarksRepeats) {
  auto* cell = qp->Cells(1, 1);
  qp->Cells(1, 2)->set_Text("4");
  tt::TypeText(cell, "a0 .-4");
  EXPECT_EQ(cell->Text(), ".4");
  tt::TypeText(cell, "\b\b4");
  EXPECT_EQ(cell->Text(), "4");
  EXPECT_EQ(Marked(), "1,1 1,2 ");
  tt::TypeText(cell, "123456789");
  EXPECT_EQ(cell->Text().size(), 9u);  // nine characters at most

  for (auto* c : qp->Cells) c->State = 1;
  qp->Arrange();
  tt::TypeText(qp->Cells(9, 9), "7");
  EXPECT_EQ(qp->Cells(9, 9)->Text(), "");
}
