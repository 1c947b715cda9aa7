// A 9x9 collection addressed (row, column), both 1..9, walked row by row.
#pragma once
#include <array>
#include <cassert>

namespace toolkit {

template <class T>
class Grid9 {
 public:
  T& operator()(int row, int col) { return cells_[Index(row, col)]; }
  const T& operator()(int row, int col) const { return cells_[Index(row, col)]; }

  // Cells in row-major order (row 1 columns 1..9, then row 2, ...).
  auto begin() { return cells_.begin(); }
  auto end() { return cells_.end(); }
  auto begin() const { return cells_.begin(); }
  auto end() const { return cells_.end(); }

 private:
  static int Index(int row, int col) {
    assert(row >= 1 && row <= 9 && col >= 1 && col <= 9);
    return (row - 1) * 9 + (col - 1);
  }
  std::array<T, 81> cells_{};
};

}  // namespace toolkit
