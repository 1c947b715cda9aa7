// The 27 houses of the grid and the cells each cell sees, as tables the solver's searches walk, with the bit
// helpers of its digit and position masks.
#pragma once
#include <bit>
#include <cstdint>
#include <vector>

namespace velmora::Houses {

struct Tables {
  std::uint8_t unit[27][9];     // the cells of each house: rows 0..8, columns 9..17, boxes 18..26
  std::uint8_t peers[81][20];   // the cells each cell sees
  std::uint8_t houses[81][3];   // row, column and box of each cell
  bool sees[81][81];
  std::vector<unsigned> subsets[10];  // every subset of nine positions, by size
  Tables();
};

const Tables& T();

inline int Count(unsigned m) { return std::popcount(m); }
inline int Lowest(unsigned m) { return std::countr_zero(m); }  // 0-based: a digit's bit or a position

template <class F>
void ForEachBit(unsigned m, F f) {
  for (; m; m &= m - 1) f(std::countr_zero(m));
}

}  // namespace velmora::Houses
