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

// The solver's masks are of nine bits; a table counts them, as a build for any x86-64 has no popcount
// instruction and would call a library routine in the solver's innermost loops.
struct BitCounts {
  std::uint8_t of[512];
  constexpr BitCounts() : of() {
    for (unsigned m = 0; m < 512; ++m) of[m] = static_cast<std::uint8_t>(std::popcount(m));
  }
};
inline constexpr BitCounts kBitCounts;
inline int Count(unsigned m) { return m < 512 ? kBitCounts.of[m] : std::popcount(m); }
inline int Lowest(unsigned m) { return std::countr_zero(m); }  // 0-based: a digit's bit or a position

template <class F>
void ForEachBit(unsigned m, F f) {
  for (; m; m &= m - 1) f(std::countr_zero(m));
}

}  // namespace velmora::Houses
