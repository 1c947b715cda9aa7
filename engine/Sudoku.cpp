// The one-line form, clue checks and the bitmask backtracking solver.
#include "engine/Sudoku.h"

#include <bit>

#include "engine/Houses.h"

namespace velmora::Sudoku {

namespace {

constexpr std::uint16_t kAllDigits = 0x1FF;

// Depth-first search over the empty cells, always branching on the cell with the fewest
// candidates; digits in use are kept as one bit mask per row, column and box.
class Searcher {
 public:
  // False when two clues clash.
  bool Load(const Grid& grid) {
    cells_ = grid;
    for (int cell = 0; cell < 81; ++cell) {
      int d = grid[cell];
      if (d == 0) {
        empties_[count_++] = static_cast<std::uint8_t>(cell);
        continue;
      }
      std::uint16_t bit = static_cast<std::uint16_t>(1u << (d - 1));
      if (Used(cell) & bit) return false;
      Set(cell, bit);
    }
    return true;
  }

  int Count(int limit, Grid* solution) {
    limit_ = limit;
    solution_ = solution;
    Search(0);
    return found_;
  }

  // Fills every empty cell, trying the digits of each in an order drawn from rng.
  bool FillRandomly(std::mt19937& rng, Grid& out) {
    limit_ = 1;
    solution_ = &out;
    rng_ = &rng;
    Search(0);
    return found_ == 1;
  }

 private:
  std::uint16_t Used(int cell) const { return rows_[RowOf(cell)] | cols_[ColOf(cell)] | boxes_[BoxOf(cell)]; }
  void Set(int cell, std::uint16_t bit) {
    rows_[RowOf(cell)] |= bit;
    cols_[ColOf(cell)] |= bit;
    boxes_[BoxOf(cell)] |= bit;
  }
  void Unset(int cell, std::uint16_t bit) {
    rows_[RowOf(cell)] &= static_cast<std::uint16_t>(~bit);
    cols_[ColOf(cell)] &= static_cast<std::uint16_t>(~bit);
    boxes_[BoxOf(cell)] &= static_cast<std::uint16_t>(~bit);
  }

  void Search(int depth) {
    if (depth == count_) {
      if (found_++ == 0 && solution_) *solution_ = cells_;
      return;
    }
    int best = depth;
    std::uint16_t bestMask = 0;
    int bestCount = 10;
    for (int i = depth; i < count_; ++i) {
      std::uint16_t mask = static_cast<std::uint16_t>(~Used(empties_[i]) & kAllDigits);
      int n = Houses::Count(mask);
      if (n < bestCount) {
        best = i;
        bestMask = mask;
        bestCount = n;
        if (n <= 1) break;
      }
    }
    if (bestCount == 0) return;
    std::swap(empties_[depth], empties_[best]);
    int cell = empties_[depth];

    int digits[9];
    int n = 0;
    for (std::uint16_t m = bestMask; m; m &= static_cast<std::uint16_t>(m - 1)) digits[n++] = std::countr_zero(m) + 1;
    if (rng_) Shuffle(digits, digits + n, *rng_);

    for (int k = 0; k < n && found_ < limit_; ++k) {
      std::uint16_t bit = static_cast<std::uint16_t>(1u << (digits[k] - 1));
      cells_[cell] = static_cast<std::uint8_t>(digits[k]);
      Set(cell, bit);
      Search(depth + 1);
      Unset(cell, bit);
    }
    cells_[cell] = 0;
  }

  Grid cells_{};
  std::uint16_t rows_[9]{}, cols_[9]{}, boxes_[9]{};
  std::uint8_t empties_[81]{};
  int count_ = 0;
  int limit_ = 1;
  int found_ = 0;
  Grid* solution_ = nullptr;
  std::mt19937* rng_ = nullptr;
};

}  // namespace

int ClueCount(const Grid& grid) {
  int n = 0;
  for (auto d : grid) n += d != 0;
  return n;
}

bool ParseLine(std::string_view line, Grid& grid, std::string* error) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!line.empty() && blank(line.front())) line.remove_prefix(1);
  while (!line.empty() && blank(line.back())) line.remove_suffix(1);
  auto fail = [&](std::string why) {
    if (error) *error = std::move(why);
    return false;
  };
  if (line.size() != 81) return fail("expected 81 cells, found " + std::to_string(line.size()) + " characters");
  for (int i = 0; i < 81; ++i) {
    char c = line[i];
    if (c == '0' || c == '.')
      grid[i] = 0;
    else if (c >= '1' && c <= '9')
      grid[i] = static_cast<std::uint8_t>(c - '0');
    else
      return fail("character " + std::to_string(i + 1) + " is '" + std::string(1, c) +
                  "', not a digit or '.'");
  }
  return true;
}

std::string FormatLine(const Grid& grid) {
  std::string s(81, '0');
  for (int i = 0; i < 81; ++i) s[i] = static_cast<char>('0' + grid[i]);
  return s;
}

std::string FindConflict(const Grid& grid) {
  for (int a = 0; a < 81; ++a) {
    if (grid[a] == 0) continue;
    for (int b = a + 1; b < 81; ++b) {
      if (grid[b] != grid[a]) continue;
      std::string where = RowOf(a) == RowOf(b)   ? "row " + std::to_string(RowOf(a) + 1)
                          : ColOf(a) == ColOf(b) ? "column " + std::to_string(ColOf(a) + 1)
                          : BoxOf(a) == BoxOf(b) ? "box " + std::to_string(BoxOf(a) + 1)
                                                 : std::string();
      if (!where.empty()) return "two " + std::to_string(grid[a]) + "s in " + where;
    }
  }
  return {};
}

int CountSolutions(const Grid& grid, int limit, Grid* solution) {
  Searcher s;
  if (!s.Load(grid)) return 0;
  return s.Count(limit, solution);
}

int RandomBelow(std::mt19937& rng, int n) {
  // Rejects the top partial range so every result is equally likely.
  const std::uint32_t bound = static_cast<std::uint32_t>(n);
  const std::uint32_t limit = 0xFFFFFFFFu - 0xFFFFFFFFu % bound;
  std::uint32_t x;
  do x = static_cast<std::uint32_t>(rng()); while (x >= limit);
  return static_cast<int>(x % bound);
}

Grid RandomSolvedGrid(std::mt19937& rng) {
  Grid out{};
  Searcher s;
  s.Load(out);
  s.FillRandomly(rng, out);
  return out;
}

}  // namespace velmora::Sudoku
