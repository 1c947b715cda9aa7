// The string grid's promises: fixed counts, the current cell, selection by mouse and keys, texts, drawing.
#include "toolkit/Grids.h"

#include <gtest/gtest.h>

#include <vector>

#include "toolkit/Forms.h"
#include "toolkit/testing.h"

using namespace toolkit;
namespace tt = toolkit::testing;

namespace {

// A one-column list of titles under a fixed header, rows 20 pixels high, as a dialog uses it.
struct GridFixture : ::testing::Test {
  TForm* form = new TForm(nullptr);
  TStringGrid* grid = new TStringGrid(form);
  struct Asked {
    int col, row;
  };
  std::vector<Asked> asked;
  bool allow = true;

  void SetUp() override {
    tt::ClearErrorBoxes();
    form->SetBounds(0, 0, 300, 200);
    grid->set_Parent(form);
    grid->SetBounds(0, 0, 153, 200);
    grid->set_ColCount(1);
    grid->set_FixedCols(0);
    grid->set_DefaultRowHeight(20);
    grid->set_ColWidths(0, 129);
    grid->OnSelectCell = [this](TObject* sender, int col, int row, bool& canSelect) {
      EXPECT_EQ(sender, grid);
      EXPECT_TRUE(canSelect);
      asked.push_back({col, row});
      canSelect = allow;
    };
  }
  void TearDown() override { delete form; }

  // Fills rows 1..n under the header "名称".
  void Titles(int n) {
    grid->set_RowCount(n + 1);
    grid->set_Cells(0, 0, "名称");
    for (int r = 1; r <= n; ++r) grid->set_Cells(0, r, "[" + std::to_string(r) + "]");
  }
  // A point inside a row as the grid shows it (its viewport starts inside the two-pixel edge).
  static int RowY(int line) { return line * 21 + 10; }
};

}  // namespace

using GridShape = GridFixture;

TEST_F(GridShape, StartsWithFiveRowsTheFirstFixedAndRowOneCurrent) {
  TStringGrid fresh(nullptr);
  EXPECT_EQ(fresh.RowCount(), 5);
  EXPECT_EQ(fresh.FixedRows(), 1);
  EXPECT_EQ(fresh.ColCount(), 5);
  EXPECT_EQ(fresh.FixedCols(), 1);
  EXPECT_EQ(fresh.Row(), 1);
  EXPECT_EQ(fresh.Col(), 1);
  EXPECT_EQ(fresh.DefaultRowHeight(), 24);
  EXPECT_EQ(fresh.ColWidths(3), 64);
  EXPECT_EQ(grid->Col(), 0);  // no fixed column left: the first column is current
}

TEST_F(GridShape, AFixedRowCountNotBelowTheRowCountIsRefusedAndChangesNothing) {
  try {
    grid->set_FixedRows(5);
    FAIL() << "no exception";
  } catch (const EInvalidGridOperation& e) {
    EXPECT_EQ(e.Message, "Fixed row count must be less than row count");
  }
  EXPECT_EQ(grid->FixedRows(), 1);
  EXPECT_THROW(grid->set_FixedCols(1), EInvalidGridOperation);
  EXPECT_EQ(grid->FixedCols(), 0);
}

TEST_F(GridShape, ShrinkingToOneRowUnfixesItAndFixingItAgainFails) {
  grid->set_RowCount(1);
  EXPECT_EQ(grid->RowCount(), 1);
  EXPECT_EQ(grid->FixedRows(), 0);
  EXPECT_EQ(grid->Row(), 0);
  EXPECT_THROW(grid->set_FixedRows(1), EInvalidGridOperation);
  grid->set_RowCount(3);
  EXPECT_EQ(grid->Row(), 0);  // growing keeps the current cell
  grid->set_FixedRows(1);
  EXPECT_EQ(grid->Row(), 1);  // fixing rows moves it to the first free row
  EXPECT_TRUE(asked.empty());  // the program's changes ask nobody
}

TEST_F(GridShape, TextsStayWhenTheGridGrowsAndGoWithRemovedRows) {
  Titles(3);
  grid->set_RowCount(10);
  EXPECT_EQ(grid->Cells(0, 3), "[3]");
  grid->set_RowCount(2);
  grid->set_RowCount(4);
  EXPECT_EQ(grid->Cells(0, 1), "[1]");
  EXPECT_EQ(grid->Cells(0, 3), "");
  EXPECT_EQ(grid->Cells(0, 40), "");
  EXPECT_EQ(grid->Cells(2, 1), "");
  EXPECT_THROW(grid->set_Cells(0, 4, "x"), EInvalidGridOperation);
  EXPECT_THROW(grid->set_Cells(1, 0, "x"), EInvalidGridOperation);
}

TEST_F(GridShape, RowsAddedOneAtATimeThenColumnsHaveEveryCellAndKeepTheirTexts) {
  grid->set_RowCount(1);
  for (int r = 1; r <= 3; ++r) {  // as a list is filled
    grid->set_RowCount(r + 1);
    grid->set_Cells(0, r, "[" + std::to_string(r) + "]");
  }
  grid->set_ColCount(3);
  grid->set_RowCount(6);
  for (int r = 0; r < 6; ++r) grid->set_Cells(2, r, "c" + std::to_string(r));
  EXPECT_EQ(grid->Cells(0, 3), "[3]");
  EXPECT_EQ(grid->Cells(2, 5), "c5");
  EXPECT_EQ(grid->Cells(1, 5), "");
  grid->set_ColCount(1);
  grid->set_ColCount(2);
  EXPECT_EQ(grid->Cells(0, 2), "[2]");
  EXPECT_EQ(grid->Cells(1, 4), "");
  EXPECT_THROW(grid->set_Cells(2, 0, "x"), EInvalidGridOperation);
}

using GridSelection = GridFixture;

TEST_F(GridSelection, AMousePressAsksForTheRowAndMovesThere) {
  Titles(4);
  tt::PressMouse(grid, mbLeft, 30, RowY(3));
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].col, 0);
  EXPECT_EQ(asked[0].row, 3);
  EXPECT_EQ(grid->Row(), 3);
  tt::PressMouse(grid, mbLeft, 30, RowY(3));  // the current row again
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[1].row, 3);
}

TEST_F(GridSelection, TheHeaderTheEmptyAreaAndTheRightButtonSelectNothing) {
  Titles(2);
  tt::PressMouse(grid, mbLeft, 30, RowY(0));
  tt::PressMouse(grid, mbLeft, 30, RowY(5));
  tt::PressMouse(grid, mbLeft, 140, RowY(1));  // right of the only column
  tt::PressMouse(grid, mbRight, 30, RowY(2));
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(grid->Row(), 1);
}

TEST_F(GridSelection, ARefusedSelectionLeavesTheCurrentRow) {
  Titles(4);
  allow = false;
  tt::PressMouse(grid, mbLeft, 30, RowY(2));
  tt::PressKey(grid, tt::keyDown);
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_EQ(grid->Row(), 1);
}

TEST_F(GridSelection, ArrowKeysAskForTheNextRowAndStopAtTheEnds) {
  Titles(3);
  tt::PressKey(grid, tt::keyUp);  // already at the first free row
  EXPECT_TRUE(asked.empty());
  tt::PressKey(grid, tt::keyDown);
  tt::PressKey(grid, tt::keyDown);
  tt::PressKey(grid, tt::keyDown);
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[1].row, 3);
  EXPECT_EQ(grid->Row(), 3);
  tt::PressKey(grid, tt::keyUp);
  EXPECT_EQ(grid->Row(), 2);
  tt::PressKey(grid, tt::keyLeft);  // one column: nowhere to go
  EXPECT_EQ(asked.size(), 3u);
}

TEST_F(GridSelection, AFailingHandlerShowsTheErrorBoxAndTheRowStays) {
  Titles(3);
  grid->OnSelectCell = [](TObject*, int, int, bool&) { throw EConvertError("'x' is not a valid integer value"); };
  tt::PressMouse(grid, mbLeft, 30, RowY(2));
  ASSERT_EQ(tt::ErrorBoxes().size(), 1u);
  EXPECT_EQ(tt::ErrorBoxes()[0], "'x' is not a valid integer value");
  EXPECT_EQ(grid->Row(), 1);
}

TEST_F(GridSelection, RowsBelowTheViewScrollUnderTheFixedHeader) {
  Titles(30);  // 200 pixels show the header and eight whole rows
  for (int i = 0; i < 9; ++i) tt::PressKey(grid, tt::keyDown);
  EXPECT_EQ(grid->Row(), 10);
  EXPECT_EQ(grid->TopRow(), 3);
  tt::PressMouse(grid, mbLeft, 30, RowY(1));  // the first line under the header now shows row 3
  EXPECT_EQ(grid->Row(), 3);
  tt::PressMouse(grid, mbLeft, 30, RowY(0));
  EXPECT_EQ(grid->Row(), 3);
}

using GridDrawing = GridFixture;

TEST_F(GridDrawing, HeaderInButtonFaceCurrentRowHighlightedRowsTwentyOnePixelsApart) {
  Titles(3);
  tt::PressMouse(grid, mbLeft, 30, RowY(2));
  auto pic = tt::Grab(grid);
  const int edge = 2;
  TColor face = ColorToRGB(clBtnFace), window = ColorToRGB(clWindow);
  TColor current = pic.Pixel(edge + 120, edge + 2 * 21 + 10);
  EXPECT_EQ(pic.Pixel(edge + 120, edge + 10), face);         // header
  EXPECT_EQ(pic.Pixel(edge + 120, edge + 21 + 10), window);  // row 1
  EXPECT_NE(current, window);
  EXPECT_NE(current, face);
  EXPECT_EQ(pic.Pixel(edge + 120, edge + 2 * 21 + 1), current);  // row 2 starts right under its line
  EXPECT_EQ(pic.Pixel(edge + 120, edge + 3 * 21 + 10), window);
  EXPECT_EQ(pic.Pixel(edge + 140, edge + 2 * 21 + 10), window);  // right of the 129-pixel column
  EXPECT_NE(pic.Pixel(edge + 129, edge + 21 + 10), window);  // the column's line
}
