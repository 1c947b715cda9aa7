// The house and peer tables, made once.
#include "engine/Houses.h"

#include "engine/Sudoku.h"

namespace velmora::Houses {

using Sudoku::BoxOf;
using Sudoku::ColOf;
using Sudoku::RowOf;

Tables::Tables() {
  for (int i = 0; i < 9; ++i)
    for (int j = 0; j < 9; ++j) {
      unit[i][j] = static_cast<std::uint8_t>(i * 9 + j);
      unit[9 + i][j] = static_cast<std::uint8_t>(j * 9 + i);
      unit[18 + i][j] = static_cast<std::uint8_t>((i / 3 * 3 + j / 3) * 9 + i % 3 * 3 + j % 3);
    }
  for (int u = 0; u < 27; ++u)
    for (int c : unit[u]) houses[c][u / 9] = static_cast<std::uint8_t>(u);
  for (int a = 0; a < 81; ++a) {
    int n = 0;
    for (int b = 0; b < 81; ++b) {
      sees[a][b] = a != b && (RowOf(a) == RowOf(b) || ColOf(a) == ColOf(b) || BoxOf(a) == BoxOf(b));
      if (sees[a][b]) peers[a][n++] = static_cast<std::uint8_t>(b);
    }
  }
  for (unsigned s = 0; s < 512; ++s) subsets[std::popcount(s)].push_back(s);
}

const Tables& T() {
  static const Tables tables;
  return tables;
}

}  // namespace velmora::Houses
