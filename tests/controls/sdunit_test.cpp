// The board cell as the player meets it: what typing lets in, the state fonts and the colour rules.
#include "controls/sdunit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/controls/Pixels.h"
#include "toolkit/Forms.h"
#include "toolkit/testing.h"

using namespace toolkit;
using velmora::sdunit::Tsdunit;
namespace tt = toolkit::testing;

namespace {

// A cell on a form, at the board's 49-pixel pitch.
struct CellFixture : ::testing::Test {
  TForm* form = new TForm(nullptr);
  Tsdunit* cell = nullptr;
  void SetUp() override {
    form->SetBounds(0, 0, 200, 200);
    cell = new Tsdunit(form);
    cell->set_Parent(form);
    cell->SetBounds(10, 10, 49, 49);
  }
  void TearDown() override { delete form; }
  // A point inside the cell, clear of its border and of any text.
  TColor Shown() { return tt::Grab(cell).Pixel(44, 44); }
};

}  // namespace

using KeyFilter = CellFixture;

TEST_F(KeyFilter, LetsThroughDigitsOneToNineTheFullStopBackspaceTabAndEscapeOnly) {
  std::string passed;
  for (int code = 1; code < 256; ++code) {
    char key = static_cast<char>(code);
    cell->FilterKey(cell, key);
    if (key != 0) {
      EXPECT_EQ(key, static_cast<char>(code)) << "a passing character is never replaced";
      passed += key;
    }
  }
  EXPECT_EQ(passed, "\b\t\x1b.123456789");  // Tab leaves the board, Escape goes to the form
}

TEST_F(KeyFilter, TypedDigitsFullStopAndBackspaceEdit) {
  tt::TypeText(cell, "12.9");
  EXPECT_EQ(cell->Text(), "12.9");
  tt::TypeText(cell, "\b\b");
  EXPECT_EQ(cell->Text(), "12");
}

TEST_F(KeyFilter, TypedZeroLettersSpaceEnterAndCtrlVAreRefused) {
  auto* other = new TMemo(form);
  other->set_Parent(form);
  tt::Paste(other, "7");  // the clipboard now holds a digit the filter would let in
  tt::TypeText(cell, "0aZ \r\x16");
  EXPECT_EQ(cell->Text(), "");
  tt::TypeText(cell, "4x\x16");
  EXPECT_EQ(cell->Text(), "4");
}

TEST_F(KeyFilter, ANinthCharacterIsRefused) {
  tt::TypeText(cell, "123456789");
  EXPECT_EQ(cell->Text(), "12345678");
  tt::TypeText(cell, "\b9");
  EXPECT_EQ(cell->Text(), "12345679");
}

TEST_F(KeyFilter, PastedOrDroppedTextCannotPutALetterIn) {
  tt::Paste(cell, "a5b");
  EXPECT_EQ(cell->Text(), "5");
  tt::Drop(cell, "a5b");
  EXPECT_EQ(cell->Text(), "55");
  tt::Paste(cell, "0.Z 3");
  EXPECT_EQ(cell->Text().find_first_not_of("5.3"), std::string::npos) << cell->Text();
  EXPECT_EQ(cell->Text().size(), 4u);
}

TEST_F(KeyFilter, ArrowsAndDeleteStillEdit) {
  tt::TypeText(cell, "123");
  tt::PressKey(cell, tt::keyLeft);
  tt::PressKey(cell, tt::keyLeft);
  tt::PressKey(cell, tt::keyDelete);
  EXPECT_EQ(cell->Text(), "13");
  tt::PressKey(cell, tt::keyHome);
  tt::PressKey(cell, tt::keyDelete);
  EXPECT_EQ(cell->Text(), "3");
  EXPECT_EQ(cell->zt(), 2);
}

TEST(CellConstruction, StartsAsAFortyPixelCentredEditWithNoStateAndItsColoursOnlyStored) {
  Tsdunit cell(nullptr);
  EXPECT_EQ(cell.Width(), 40);
  EXPECT_EQ(cell.Height(), 40);
  EXPECT_EQ(cell.MaxLength(), 8);
  EXPECT_FALSE(cell.TabStop());
  EXPECT_EQ(cell.Alignment(), taCenter);
  EXPECT_EQ(cell.BorderStyle(), bsSingle);
  EXPECT_TRUE(cell.ImeClosed());
  EXPECT_EQ(cell.zt(), 0);
  EXPECT_FALSE(cell.ReadOnly());
  EXPECT_TRUE(cell.ParentFont());
  // The starting values are stored without their setters: the edit keeps its own colour.
  EXPECT_EQ(cell.Color(), clWindow);
  EXPECT_EQ(cell.h(), 1);
  EXPECT_EQ(cell.s(), 1);
  EXPECT_EQ(cell.unfoucscolor(), clWhite);
  EXPECT_EQ(cell.foucscolor, 0xFFBBBBu);
  EXPECT_EQ(cell.errorcolor(), clRed);
  EXPECT_FALSE(cell.error());
}

using CellState = CellFixture;

TEST_F(CellState, OneTypedCharacterIsAnEntryAndAnythingElseIsPencilMarks) {
  tt::TypeText(cell, "5");
  EXPECT_EQ(cell->zt(), 2);
  EXPECT_EQ(cell->Font()->Size(), 25);
  EXPECT_EQ(cell->Font()->Color(), clBlue);
  EXPECT_EQ(cell->Font()->Style(), TFontStyles{fsBold});
  tt::TypeText(cell, "6");
  EXPECT_EQ(cell->zt(), 3);
  EXPECT_EQ(cell->Font()->Size(), 12);
  EXPECT_EQ(cell->Font()->Color(), clBlue);
  EXPECT_EQ(cell->Font()->Style(), TFontStyles{});
  tt::TypeText(cell, "\b");
  EXPECT_EQ(cell->zt(), 2);
  tt::TypeText(cell, "\b");
  EXPECT_EQ(cell->Text(), "");
  EXPECT_EQ(cell->zt(), 3);
  tt::TypeText(cell, ".");
  EXPECT_EQ(cell->zt(), 2);
  tt::TypeText(cell, ".");
  EXPECT_EQ(cell->zt(), 3);
  EXPECT_FALSE(cell->ReadOnly());
}

TEST_F(CellState, AnEntryIsDrawnLargeInBlueAndPencilMarksSmall) {
  cell->set_Text("8");
  auto entry = tt::Grab(cell);
  auto big = pixels::FindInk(entry, clWhite, 3, 3, 45, 45);
  EXPECT_GE(big.Height(), 20);
  EXPECT_TRUE(pixels::Any(entry, 3, 3, 45, 45, pixels::IsBlueInk));
  cell->set_Text("89");
  auto marks = pixels::FindInk(tt::Grab(cell), clWhite, 3, 3, 45, 45);
  EXPECT_GT(marks.count, 0);
  EXPECT_LE(marks.Height(), 14);
}

TEST_F(CellState, AClueIsBlackBoldAndReadOnlyUntilAnotherStateIsSet) {
  cell->set_Text("4");
  cell->set_zt(1);
  EXPECT_EQ(cell->Font()->Size(), 25);
  EXPECT_EQ(cell->Font()->Color(), clBlack);
  EXPECT_EQ(cell->Font()->Style(), TFontStyles{fsBold});
  EXPECT_TRUE(cell->ReadOnly());
  auto clue = tt::Grab(cell);
  EXPECT_TRUE(pixels::Any(clue, 3, 3, 45, 45, pixels::IsBlackInk));
  EXPECT_FALSE(pixels::Any(clue, 3, 3, 45, 45, pixels::IsBlueInk));
  tt::TypeText(cell, "\b5");
  tt::PressKey(cell, tt::keyHome);
  tt::PressKey(cell, tt::keyDelete);
  EXPECT_EQ(cell->Text(), "4");
  EXPECT_EQ(cell->zt(), 1);

  cell->set_zt(3);
  EXPECT_FALSE(cell->ReadOnly());
  tt::TypeText(cell, "\b");
  EXPECT_EQ(cell->Text(), "");
  cell->set_zt(1);
  cell->set_zt(2);
  EXPECT_FALSE(cell->ReadOnly());
  EXPECT_EQ(cell->Font()->Color(), clBlue);
}

TEST_F(CellState, EveryAssignmentAppliesTheFontAgainAndOtherValuesOnlyStore) {
  cell->set_zt(1);
  cell->Font()->set_Size(8);
  cell->set_ReadOnly(false);
  cell->set_zt(1);
  EXPECT_EQ(cell->Font()->Size(), 25);
  EXPECT_TRUE(cell->ReadOnly());
  cell->set_zt(7);
  EXPECT_EQ(cell->zt(), 7);
  EXPECT_EQ(cell->Font()->Color(), clBlack);
  EXPECT_TRUE(cell->ReadOnly());
}

using CellColours = CellFixture;

TEST_F(CellColours, RowAndColumnGiveTheBoxAndItsShade) {
  const char* boxes[9] = {"111222333", "111222333", "111222333", "444555666", "444555666",
                          "444555666", "777888999", "777888999", "777888999"};
  for (int row = 1; row <= 9; ++row) {
    for (int col = 1; col <= 9; ++col) {
      cell->set_h(row);
      cell->set_s(col);
      int box = boxes[row - 1][col - 1] - '0';
      ASSERT_EQ(cell->q(), box) << row << "," << col;
      EXPECT_EQ(cell->Color(), box % 2 == 0 ? clBtnFace : clWhite) << row << "," << col;
    }
  }
  cell->set_h(5);
  cell->set_s(5);
  EXPECT_EQ(Shown(), clWhite);
  cell->set_h(4);
  cell->set_s(2);
  EXPECT_EQ(cell->q(), 4);
  EXPECT_EQ(Shown(), ColorToRGB(clBtnFace));
  EXPECT_EQ(cell->unfoucscolor(), clWhite) << "the shade leaves the resting colour alone";
}

TEST_F(CellColours, AMarkedCellHidesItsRestingColourUntilTheMarkIsCleared) {
  cell->set_unfoucscolor(0x123456);
  EXPECT_EQ(Shown(), 0x123456u);
  cell->set_error(true);
  EXPECT_EQ(Shown(), clRed);
  cell->set_unfoucscolor(0xABCDEF);
  EXPECT_EQ(cell->Color(), clRed);
  EXPECT_EQ(Shown(), clRed);
  cell->set_error(false);
  EXPECT_EQ(Shown(), 0xABCDEFu);
}

TEST_F(CellColours, TheErrorColourShowsOnlyOnAMarkedCell) {
  cell->set_unfoucscolor(clWhite);
  cell->set_errorcolor(clLime);
  EXPECT_EQ(cell->Color(), clWhite);
  cell->set_error(true);
  EXPECT_EQ(Shown(), clLime);
  cell->set_errorcolor(0x00AAFF);
  EXPECT_EQ(Shown(), 0x00AAFFu);
}

TEST_F(CellColours, SettingRowOrColumnOfAMarkedCellShowsTheShadeAndKeepsTheMark) {
  cell->set_error(true);
  EXPECT_EQ(cell->Color(), clRed);
  cell->set_h(4);
  EXPECT_EQ(cell->Color(), clBtnFace);
  EXPECT_TRUE(cell->error());
  cell->set_s(4);
  EXPECT_EQ(Shown(), clWhite);
  EXPECT_TRUE(cell->error());
}

// What a screen reader hears of a cell says each thing once and only what is true now.
using CellDescription = CellFixture;

TEST_F(CellDescription, SaysEachThingOnceAndNoRepeatOfAnOldText) {
  const struct {
    const char* text;
    const char* repeats;  // as the board marks it after the change
    const char* hint;
    const char* said;
  } rows[] = {
      {"5", "第1行第9列", "", "与第1行第9列重复"},
      {"5", "第1行第9列", "提示：与第1行第9列重复", "提示：与第1行第9列重复"},  // not twice
      {"5", "第1行第9列", "提示：填错的格", "与第1行第9列重复，提示：填错的格"},
      {"59", nullptr, "", "候选 5 9"},  // the text changed: the repeat of the 5 is gone with it
  };
  for (const auto& r : rows) {
    cell->set_Text(r.text);
    if (r.repeats) cell->set_Repeats(r.repeats);
    cell->set_HintPart(r.hint);
    EXPECT_EQ(cell->AccessibleDescription(), r.said) << r.text << " " << r.hint;
  }
}

// A screen reader hears a focused cell's new description; one made a moment later, before it was told,
// takes its place: the repeat of a digit that the next key made into pencil marks is not heard.
TEST_F(CellDescription, ANewerDescriptionReplacesTheOneNotYetTold) {
  tt::PressKey(cell, tt::keyEnd);  // the focus in the cell
  tt::Listen();
  cell->set_Text("5");
  cell->set_Repeats("第1行第9列");
  cell->set_Text("59");
  std::vector<std::string> notices;
  for (const std::string& line : tt::StopListening())
    if (line.rfind("notice ", 0) == 0) notices.push_back(line.substr(7));
  EXPECT_EQ(notices, std::vector<std::string>{"候选 5 9"});
}
