// The human-style logic solver behind the difficulty rating.
#include "engine/Rating.h"

#include <array>
#include <bit>
#include <stdexcept>
#include <string>
#include <vector>

namespace velmora::Rating {

using namespace Sudoku;

namespace {

using Mask = std::uint16_t;
constexpr Mask kAll = 0x1FF;

// Units 0..8 are the rows, 9..17 the columns, 18..26 the boxes.
struct Tables {
  std::uint8_t unit[27][9];
  std::uint8_t peers[81][20];
  Tables() {
    for (int i = 0; i < 9; ++i)
      for (int j = 0; j < 9; ++j) {
        unit[i][j] = static_cast<std::uint8_t>(i * 9 + j);
        unit[9 + i][j] = static_cast<std::uint8_t>(j * 9 + i);
        unit[18 + i][j] = static_cast<std::uint8_t>((i / 3 * 3 + j / 3) * 9 + i % 3 * 3 + j % 3);
      }
    for (int a = 0; a < 81; ++a) {
      int n = 0;
      for (int b = 0; b < 81; ++b)
        if (b != a && Sees(a, b)) peers[a][n++] = static_cast<std::uint8_t>(b);
    }
  }
  static bool Sees(int a, int b) { return RowOf(a) == RowOf(b) || ColOf(a) == ColOf(b) || BoxOf(a) == BoxOf(b); }
};

const Tables& T() {
  static const Tables tables;
  return tables;
}

int Weight(Technique t) {
  static const int weights[] = {0, 1, 2, 6, 10, 12, 16, 20, 24, 28, 32, 36, 40, 100};
  return weights[static_cast<int>(t)];
}

// Calls f(subsetMask) for every subset of nine positions with exactly `size` members; stops as
// soon as f returns true. The subsets are listed once, since the rating walks them at every step.
template <class F>
bool ForEachSubset(int size, F f) {
  static const auto bySize = [] {
    std::array<std::vector<unsigned>, 10> lists;
    for (unsigned s = 0; s < 512; ++s) lists[std::popcount(s)].push_back(s);
    return lists;
  }();
  for (unsigned s : bySize[size])
    if (f(s)) return true;
  return false;
}

// Grid values and pencil marks; each Step applies the easiest technique that changes something.
class Logic {
 public:
  explicit Logic(const Grid& puzzle) : values_(puzzle) {
    for (int c = 0; c < 81; ++c) cand_[c] = values_[c] ? 0 : kAll;
    for (int c = 0; c < 81; ++c)
      if (values_[c]) Unmark(c, values_[c]);
  }

  const Grid& Values() const { return values_; }
  Mask Candidates(int cell) const { return cand_[cell]; }
  bool Solved() const { return ClueCount(values_) == 81; }

  void Place(int cell, int digit) {
    values_[cell] = static_cast<std::uint8_t>(digit);
    cand_[cell] = 0;
    Unmark(cell, digit);
  }

  // The empty cell with the fewest candidates, -1 when none is empty.
  int FewestCandidates() const {
    int best = -1;
    for (int c = 0; c < 81; ++c)
      if (!values_[c] && (best < 0 || std::popcount(cand_[c]) < std::popcount(cand_[best]))) best = c;
    return best;
  }

  Technique Step(Technique upTo) {
    for (int i = static_cast<int>(Technique::HiddenSingle); i <= static_cast<int>(upTo); ++i) {
      auto t = static_cast<Technique>(i);
      if (t != Technique::Guess && Apply(t)) return t;
    }
    return Technique::None;
  }

 private:
  void Unmark(int cell, int digit) {
    for (int p : T().peers[cell]) cand_[p] &= static_cast<Mask>(~(1u << (digit - 1)));
  }
  bool Eliminate(int cell, Mask mask) {
    if (!(cand_[cell] & mask)) return false;
    cand_[cell] &= static_cast<Mask>(~mask);
    return true;
  }
  // Where digit d (0-based) can go in unit u, as a mask over the unit's nine positions.
  Mask Positions(int u, int d) const {
    Mask m = 0;
    for (int i = 0; i < 9; ++i)
      if (cand_[T().unit[u][i]] >> d & 1) m |= static_cast<Mask>(1u << i);
    return m;
  }

  bool Apply(Technique t) {
    switch (t) {
      case Technique::HiddenSingle: return HiddenSingle();
      case Technique::NakedSingle: return NakedSingle();
      case Technique::LockedCandidates: return LockedCandidates();
      case Technique::NakedPair: return NakedSubset(2);
      case Technique::HiddenPair: return HiddenSubset(2);
      case Technique::NakedTriple: return NakedSubset(3);
      case Technique::HiddenTriple: return HiddenSubset(3);
      case Technique::XWing: return Fish(2);
      case Technique::XYWing: return XYWing();
      case Technique::NakedQuad: return NakedSubset(4);
      case Technique::HiddenQuad: return HiddenSubset(4);
      case Technique::Swordfish: return Fish(3);
      default: return false;
    }
  }

  bool HiddenSingle() {
    for (int u = 0; u < 27; ++u)
      for (int d = 0; d < 9; ++d) {
        Mask m = Positions(u, d);
        if (std::popcount(m) == 1) {
          Place(T().unit[u][std::countr_zero(m)], d + 1);
          return true;
        }
      }
    return false;
  }

  bool NakedSingle() {
    for (int c = 0; c < 81; ++c)
      if (!values_[c] && std::popcount(cand_[c]) == 1) {
        Place(c, std::countr_zero(cand_[c]) + 1);
        return true;
      }
    return false;
  }

  // A digit confined to one line within a box leaves the rest of the line, and a digit confined
  // to one box within a line leaves the rest of the box.
  bool LockedCandidates() {
    for (int u = 0; u < 27; ++u)
      for (int d = 0; d < 9; ++d) {
        Mask m = Positions(u, d);
        if (!m) continue;
        const Mask bit = static_cast<Mask>(1u << d);
        int first = T().unit[u][std::countr_zero(m)];
        bool sameRow = true, sameCol = true, sameBox = true;
        for (int i = 0; i < 9; ++i) {
          if (!(m >> i & 1)) continue;
          int c = T().unit[u][i];
          sameRow &= RowOf(c) == RowOf(first);
          sameCol &= ColOf(c) == ColOf(first);
          sameBox &= BoxOf(c) == BoxOf(first);
        }
        bool progress = false;
        auto clearOutside = [&](int other) {
          for (int c : T().unit[other]) {
            bool inside = u < 9 ? RowOf(c) == u : u < 18 ? ColOf(c) == u - 9 : BoxOf(c) == u - 18;
            if (!inside) progress |= Eliminate(c, bit);
          }
        };
        if (u >= 18) {
          if (sameRow) clearOutside(RowOf(first));
          if (sameCol) clearOutside(9 + ColOf(first));
        } else if (sameBox) {
          clearOutside(18 + BoxOf(first));
        }
        if (progress) return true;
      }
    return false;
  }

  // n cells of a unit holding only n digits between them: those digits leave the unit's other cells.
  bool NakedSubset(int n) {
    for (int u = 0; u < 27; ++u) {
      const std::uint8_t* cells = T().unit[u];
      if (ForEachSubset(n, [&](unsigned s) {
            Mask digits = 0;
            for (int i = 0; i < 9; ++i) {
              if (!(s >> i & 1)) continue;
              if (values_[cells[i]]) return false;
              digits |= cand_[cells[i]];
            }
            if (std::popcount(digits) != n) return false;
            bool progress = false;
            for (int i = 0; i < 9; ++i)
              if (!(s >> i & 1) && !values_[cells[i]]) progress |= Eliminate(cells[i], digits);
            return progress;
          }))
        return true;
    }
    return false;
  }

  // n digits of a unit that fit only in the same n cells: those cells lose every other digit.
  bool HiddenSubset(int n) {
    for (int u = 0; u < 27; ++u) {
      Mask where[9];
      for (int d = 0; d < 9; ++d) where[d] = Positions(u, d);
      if (ForEachSubset(n, [&](unsigned s) {
            Mask cells = 0;
            for (int d = 0; d < 9; ++d) {
              if (!(s >> d & 1)) continue;
              if (!where[d]) return false;  // the digit is already placed in the unit
              cells |= where[d];
            }
            if (std::popcount(cells) != n) return false;
            bool progress = false;
            for (int i = 0; i < 9; ++i)
              if (cells >> i & 1) progress |= Eliminate(T().unit[u][i], static_cast<Mask>(kAll & ~s));
            return progress;
          }))
        return true;
    }
    return false;
  }

  // n rows in which a digit fits only within the same n columns: it leaves those columns'
  // other rows (and the same with rows and columns swapped). X-wing is n = 2, swordfish n = 3.
  bool Fish(int n) {
    for (int d = 0; d < 9; ++d)
      for (int base = 0; base < 18; base += 9) {
        const int cover = 9 - base;  // rows when the base is columns, and the other way round
        Mask where[9];
        for (int i = 0; i < 9; ++i) where[i] = Positions(base + i, d);
        if (ForEachSubset(n, [&](unsigned s) {
              Mask lines = 0;
              for (int i = 0; i < 9; ++i) {
                if (!(s >> i & 1)) continue;
                if (!where[i]) return false;
                lines |= where[i];
              }
              if (std::popcount(lines) != n) return false;
              bool progress = false;
              for (int j = 0; j < 9; ++j) {
                if (!(lines >> j & 1)) continue;
                for (int k = 0; k < 9; ++k)
                  if (!(s >> k & 1)) progress |= Eliminate(T().unit[cover + j][k], static_cast<Mask>(1u << d));
              }
              return progress;
            }))
          return true;
      }
    return false;
  }

  // A pivot {x,y} seeing pincers {x,z} and {y,z}: whichever the pivot is, one pincer is z,
  // so z leaves every cell that sees both pincers.
  bool XYWing() {
    for (int p = 0; p < 81; ++p) {
      if (std::popcount(cand_[p]) != 2) continue;
      for (int a : T().peers[p]) {
        Mask shared = cand_[a] & cand_[p];
        if (std::popcount(cand_[a]) != 2 || std::popcount(shared) != 1) continue;
        Mask z = cand_[a] & static_cast<Mask>(~cand_[p]);
        Mask wantB = static_cast<Mask>((cand_[p] & ~shared) | z);
        for (int b : T().peers[p]) {
          if (b == a || cand_[b] != wantB) continue;
          bool progress = false;
          for (int c : T().peers[a])
            if (c != b && Tables::Sees(c, b)) progress |= Eliminate(c, z);
          if (progress) return true;
        }
      }
    }
    return false;
  }

  Grid values_;
  Mask cand_[81];
};

}  // namespace

const char* TechniqueName(Technique t) {
  static const char* names[] = {"none",         "hidden single", "naked single", "locked candidates",
                                "naked pair",   "hidden pair",   "naked triple", "hidden triple",
                                "X-wing",       "XY-wing",       "naked quad",   "hidden quad",
                                "swordfish",    "guess"};
  return names[static_cast<int>(t)];
}

const char* GradeName(Grade g) {
  static const char* names[] = {"easy", "medium", "hard", "very hard"};
  return names[static_cast<int>(g)];
}

std::optional<Grade> ParseGrade(std::string_view name) {
  if (name == "easy") return Grade::Easy;
  if (name == "medium") return Grade::Medium;
  if (name == "hard") return Grade::Hard;
  if (name == "very-hard" || name == "veryhard" || name == "very_hard") return Grade::VeryHard;
  return std::nullopt;
}

Grade GradeOf(Technique hardest) {
  if (hardest <= Technique::NakedSingle) return Grade::Easy;
  if (hardest <= Technique::HiddenPair) return Grade::Medium;
  if (hardest <= Technique::Swordfish) return Grade::Hard;
  return Grade::VeryHard;
}

bool EasierThan(const Rating& a, const Rating& b) {
  if (a.grade != b.grade) return a.grade < b.grade;
  if (a.guesses != b.guesses) return a.guesses < b.guesses;
  if (a.hardest != b.hardest) return a.hardest < b.hardest;
  return a.score < b.score;
}

Rating Rate(const Grid& puzzle) {
  Grid solution;
  if (CountSolutions(puzzle, 2, &solution) != 1) throw std::invalid_argument("puzzle has no single solution");
  Logic logic(puzzle);
  Rating r;
  while (!logic.Solved()) {
    Technique t = logic.Step(Technique::Swordfish);
    if (t == Technique::None) {
      int cell = logic.FewestCandidates();
      logic.Place(cell, solution[cell]);
      t = Technique::Guess;
      ++r.guesses;
    }
    ++r.steps;
    r.score += Weight(t);
    if (t > r.hardest) r.hardest = t;
    // Every step must keep the solution possible; anything else is a fault in a technique.
    for (int c = 0; c < 81; ++c)
      if (logic.Values()[c] ? logic.Values()[c] != solution[c] : !(logic.Candidates(c) >> (solution[c] - 1) & 1))
        throw std::logic_error(std::string("rating: ") + TechniqueName(t) + " lost the solution at cell " +
                               std::to_string(c + 1) + " of " + FormatLine(puzzle));
  }
  r.grade = GradeOf(r.hardest);
  return r;
}

bool SolveWithLogic(const Grid& puzzle, Technique upTo, Grid* reached) {
  Logic logic(puzzle);
  while (!logic.Solved() && logic.Step(upTo) != Technique::None) {
  }
  if (reached) *reached = logic.Values();
  return logic.Solved();
}

}  // namespace velmora::Rating
