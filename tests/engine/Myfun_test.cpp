// Box numbering of the board.
#include "engine/Myfun.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

using velmora::Myfun::BoxNumber;

TEST(BoxNumber, CornersAndMiddleCellsOfTheListedBoxes) {
  EXPECT_EQ(BoxNumber(1, 1), 1);
  EXPECT_EQ(BoxNumber(1, 9), 3);
  EXPECT_EQ(BoxNumber(4, 5), 5);
  EXPECT_EQ(BoxNumber(6, 7), 6);
  EXPECT_EQ(BoxNumber(9, 1), 7);
  EXPECT_EQ(BoxNumber(9, 9), 9);
}

TEST(BoxNumber, NumbersTheThreeByThreeBlocksRowByRow) {
  const std::array<std::string, 9> boxes = {
      "111222333",  //
      "111222333",  //
      "111222333",  //
      "444555666",  //
      "444555666",  //
      "444555666",  //
      "777888999",  //
      "777888999",  //
      "777888999",  //
  };
  for (int row = 1; row <= 9; ++row)
    for (int col = 1; col <= 9; ++col)
      EXPECT_EQ(BoxNumber(row, col), boxes[row - 1][col - 1] - '0') << "cell (" << row << ", " << col << ")";
}
