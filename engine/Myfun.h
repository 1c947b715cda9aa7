// Box numbering of the 9x9 board.
#pragma once

namespace velmora::Myfun {

// The 3x3 box of a cell, numbered 1..9 row by row: rows 1-3 hold boxes 1, 2, 3 (columns 1-3, 4-6, 7-9),
// rows 4-6 boxes 4, 5, 6, rows 7-9 boxes 7, 8, 9. Row and column are 1..9.
int BoxNumber(int row, int col);

}  // namespace velmora::Myfun
