// The techniques of the logic solver, each a search of the position's candidates kept as bit masks.
#include "engine/Solver.h"

#include <algorithm>
#include <bit>

namespace velmora::Solver {

using Sudoku::BoxOf;
using Sudoku::ColOf;
using Sudoku::RowOf;

namespace {

struct Tables {
  std::uint8_t unit[27][9];     // the cells of each house
  std::uint8_t peers[81][20];   // the cells each cell sees
  std::uint8_t houses[81][3];   // row, column and box of each cell
  std::uint8_t indexIn[81][3];  // the cell's position within those houses
  bool sees[81][81];
  std::vector<unsigned> subsets[10];  // every subset of nine positions, by size
  Tables() {
    for (int i = 0; i < 9; ++i)
      for (int j = 0; j < 9; ++j) {
        unit[i][j] = static_cast<std::uint8_t>(i * 9 + j);
        unit[9 + i][j] = static_cast<std::uint8_t>(j * 9 + i);
        unit[18 + i][j] = static_cast<std::uint8_t>((i / 3 * 3 + j / 3) * 9 + i % 3 * 3 + j % 3);
      }
    for (int u = 0; u < 27; ++u)
      for (int j = 0; j < 9; ++j) {
        const int c = unit[u][j];
        houses[c][u / 9] = static_cast<std::uint8_t>(u);
        indexIn[c][u / 9] = static_cast<std::uint8_t>(j);
      }
    for (int a = 0; a < 81; ++a) {
      int n = 0;
      for (int b = 0; b < 81; ++b) {
        sees[a][b] = a != b && (RowOf(a) == RowOf(b) || ColOf(a) == ColOf(b) || BoxOf(a) == BoxOf(b));
        if (sees[a][b]) peers[a][n++] = static_cast<std::uint8_t>(b);
      }
    }
    for (unsigned s = 0; s < 512; ++s) subsets[std::popcount(s)].push_back(s);
  }
};

const Tables& T() {
  static const Tables tables;
  return tables;
}

int Count(unsigned m) { return std::popcount(m); }
int Lowest(unsigned m) { return std::countr_zero(m); }  // 0-based: a digit's bit or a position

template <class F>
void ForEachBit(unsigned m, F f) {
  for (; m; m &= m - 1) f(std::countr_zero(m));
}

// The candidates as one search sees them, with the step it builds.
class Finder {
 public:
  explicit Finder(const Position& p) : v_(p.values), c_(p.cand) {}

  bool Find(Technique t, Step& s) {
    s = Step{};
    s.technique = t;
    switch (t) {
      case Technique::NakedSingle: return NakedSingle(s);
      case Technique::HiddenSingle: return HiddenSingle(s);
      case Technique::Pointing: return Pointing(s);
      case Technique::Claiming: return Claiming(s);
      case Technique::NakedPair: return NakedSubset(2, s);
      case Technique::HiddenPair: return HiddenSubset(2, s);
      case Technique::NakedTriple: return NakedSubset(3, s);
      case Technique::HiddenTriple: return HiddenSubset(3, s);
      case Technique::NakedQuad: return NakedSubset(4, s);
      case Technique::HiddenQuad: return HiddenSubset(4, s);
      case Technique::XWing: return Fish(2, s);
      case Technique::Swordfish: return Fish(3, s);
      case Technique::Jellyfish: return Fish(4, s);
      case Technique::XYWing: return XYWing(s);
      case Technique::XYZWing: return XYZWing(s);
      case Technique::SimpleColouring: return SimpleColouring(s);
      case Technique::XChain: return XChain(s);
      case Technique::XYChain: return XYChain(s);
      case Technique::ForcingChain: return ForcingChain(s);
    }
    return false;
  }

 private:
  // Where digit d (0-based) may go in house u, over the house's nine positions.
  Mask Where(int u, int d) const {
    Mask m = 0;
    for (int i = 0; i < 9; ++i)
      if (c_[T().unit[u][i]] >> d & 1) m |= static_cast<Mask>(1u << i);
    return m;
  }
  bool Has(int cell, int d) const { return c_[cell] >> d & 1; }

  static void AddHouse(Step& s, int u) { s.houses.push_back(HouseAt(u)); }

  bool NakedSingle(Step& s) const {
    for (int c = 0; c < 81; ++c)
      if (!v_[c] && Count(c_[c]) == 1) {
        s.placeCell = c;
        s.placeDigit = Lowest(c_[c]) + 1;
        s.cells = {c};
        s.digits = c_[c];
        for (int k = 0; k < 3; ++k) AddHouse(s, T().houses[c][k]);
        return true;
      }
    return false;
  }

  // Boxes first, then rows, then columns: a box is where a beginner looks first.
  bool HiddenSingle(Step& s) const {
    for (int u : {18, 19, 20, 21, 22, 23, 24, 25, 26, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17})
      for (int d = 0; d < 9; ++d) {
        const Mask m = Where(u, d);
        if (Count(m) != 1) continue;
        const int c = T().unit[u][Lowest(m)];
        s.placeCell = c;
        s.placeDigit = d + 1;
        s.cells = {c};
        s.digits = static_cast<Mask>(1u << d);
        AddHouse(s, u);
        return true;
      }
    return false;
  }

  // The candidates of d in house `from`, when all lie in house `to`, leave the rest of `to`.
  bool Locked(int from, int to, int d, Step& s) const {
    s.removals.clear();
    for (int c : T().unit[to])
      if (Has(c, d) && T().houses[c][from / 9] != from) s.removals.push_back({c, d + 1});
    if (s.removals.empty()) return false;
    s.cells.clear();
    for (int c : T().unit[from])
      if (Has(c, d)) s.cells.push_back(c);
    s.digits = static_cast<Mask>(1u << d);
    AddHouse(s, from);
    AddHouse(s, to);
    return true;
  }

  bool Pointing(Step& s) const {
    for (int b = 18; b < 27; ++b)
      for (int d = 0; d < 9; ++d) {
        const Mask m = Where(b, d);
        if (Count(m) < 2) continue;
        const int first = T().unit[b][Lowest(m)];
        bool oneRow = true, oneCol = true;
        ForEachBit(m, [&](int i) {
          oneRow &= RowOf(T().unit[b][i]) == RowOf(first);
          oneCol &= ColOf(T().unit[b][i]) == ColOf(first);
        });
        if (oneRow && Locked(b, RowOf(first), d, s)) return true;
        if (oneCol && Locked(b, 9 + ColOf(first), d, s)) return true;
      }
    return false;
  }

  bool Claiming(Step& s) const {
    for (int u = 0; u < 18; ++u)
      for (int d = 0; d < 9; ++d) {
        const Mask m = Where(u, d);
        if (Count(m) < 2) continue;
        const int box = BoxOf(T().unit[u][Lowest(m)]);
        bool oneBox = true;
        ForEachBit(m, [&](int i) { oneBox &= BoxOf(T().unit[u][i]) == box; });
        if (oneBox && Locked(u, 18 + box, d, s)) return true;
      }
    return false;
  }

  // n cells of a house holding n digits between them: those digits leave the house's other cells.
  bool NakedSubset(int n, Step& s) const {
    for (int u = 0; u < 27; ++u) {
      const std::uint8_t* cells = T().unit[u];
      unsigned eligible = 0;
      for (int i = 0; i < 9; ++i)
        if (!v_[cells[i]] && Count(c_[cells[i]]) >= 2 && Count(c_[cells[i]]) <= n) eligible |= 1u << i;
      if (Count(eligible) < n) continue;
      for (unsigned set : T().subsets[n]) {
        if ((set & eligible) != set) continue;
        Mask digits = 0;
        ForEachBit(set, [&](int i) { digits |= c_[cells[i]]; });
        if (Count(digits) != n) continue;
        s.removals.clear();
        for (int i = 0; i < 9; ++i)
          if (!(set >> i & 1)) ForEachBit(c_[cells[i]] & digits, [&](int d) { s.removals.push_back({cells[i], d + 1}); });
        if (s.removals.empty()) continue;
        ForEachBit(set, [&](int i) { s.cells.push_back(cells[i]); });
        s.digits = digits;
        AddHouse(s, u);
        return true;
      }
    }
    return false;
  }

  // n digits of a house that fit only in the same n cells: those cells lose every other digit.
  bool HiddenSubset(int n, Step& s) const {
    for (int u = 0; u < 27; ++u) {
      Mask where[9];
      unsigned eligible = 0;
      for (int d = 0; d < 9; ++d) {
        where[d] = Where(u, d);
        if (Count(where[d]) >= 2 && Count(where[d]) <= n) eligible |= 1u << d;
      }
      if (Count(eligible) < n) continue;
      for (unsigned set : T().subsets[n]) {
        if ((set & eligible) != set) continue;
        Mask places = 0;
        ForEachBit(set, [&](int d) { places |= where[d]; });
        if (Count(places) != n) continue;
        s.removals.clear();
        ForEachBit(places, [&](int i) {
          const int c = T().unit[u][i];
          ForEachBit(c_[c] & ~set & kAllDigits, [&](int d) { s.removals.push_back({c, d + 1}); });
        });
        if (s.removals.empty()) continue;
        ForEachBit(places, [&](int i) { s.cells.push_back(T().unit[u][i]); });
        s.digits = static_cast<Mask>(set);
        AddHouse(s, u);
        return true;
      }
    }
    return false;
  }

  // n rows in which a digit fits only within the same n columns: it leaves those columns' other rows;
  // the same with rows and columns swapped. X-Wing is n = 2, Swordfish 3, Jellyfish 4.
  bool Fish(int n, Step& s) const {
    for (int d = 0; d < 9; ++d)
      for (int base : {0, 9}) {
        const int cover = 9 - base;
        Mask where[9];
        unsigned eligible = 0;
        for (int i = 0; i < 9; ++i) {
          where[i] = Where(base + i, d);
          if (Count(where[i]) >= 2 && Count(where[i]) <= n) eligible |= 1u << i;
        }
        if (Count(eligible) < n) continue;
        for (unsigned set : T().subsets[n]) {
          if ((set & eligible) != set) continue;
          Mask lines = 0;
          ForEachBit(set, [&](int i) { lines |= where[i]; });
          if (Count(lines) != n) continue;
          s.removals.clear();
          ForEachBit(lines, [&](int j) {
            for (int k = 0; k < 9; ++k) {
              const int c = T().unit[cover + j][k];
              if (!(set >> k & 1) && Has(c, d)) s.removals.push_back({c, d + 1});
            }
          });
          if (s.removals.empty()) continue;
          ForEachBit(set, [&](int i) {
            AddHouse(s, base + i);
            ForEachBit(where[i], [&](int j) { s.cells.push_back(T().unit[base + i][j]); });
          });
          ForEachBit(lines, [&](int j) { AddHouse(s, cover + j); });
          s.digits = static_cast<Mask>(1u << d);
          return true;
        }
      }
    return false;
  }

  // Removes digit d from every cell that sees all of `cells` (and is none of them).
  void RemoveSeenByAll(std::initializer_list<int> cells, int d, Step& s) const {
    s.removals.clear();
    for (int c = 0; c < 81; ++c) {
      if (!Has(c, d)) continue;
      bool all = true;
      for (int k : cells) all &= T().sees[c][k];
      if (all) s.removals.push_back({c, d + 1});
    }
  }

  // A pivot {x,y} seeing pincers {x,z} and {y,z}: one pincer is z whatever the pivot is.
  bool XYWing(Step& s) const {
    for (int p = 0; p < 81; ++p) {
      if (Count(c_[p]) != 2) continue;
      for (int a : T().peers[p]) {
        const Mask shared = c_[a] & c_[p];
        if (Count(c_[a]) != 2 || Count(shared) != 1) continue;
        const Mask z = c_[a] & static_cast<Mask>(~c_[p]);
        const Mask wantB = static_cast<Mask>((c_[p] & ~shared) | z);
        for (int b : T().peers[p]) {
          if (b == a || c_[b] != wantB) continue;
          RemoveSeenByAll({a, b}, Lowest(z), s);
          if (s.removals.empty()) continue;
          s.cells = {p, a, b};
          s.digits = c_[p];
          s.chain = {{p, Lowest(shared) + 1, true}, {a, Lowest(z) + 1, true},
                     {p, Lowest(c_[p] & ~shared) + 1, true}, {b, Lowest(z) + 1, true}};
          return true;
        }
      }
    }
    return false;
  }

  // A pivot {x,y,z} seeing pincers {x,z} and {y,z}: one of the three is z.
  bool XYZWing(Step& s) const {
    for (int p = 0; p < 81; ++p) {
      if (Count(c_[p]) != 3) continue;
      for (int a : T().peers[p]) {
        if (Count(c_[a]) != 2 || (c_[a] & c_[p]) != c_[a]) continue;
        for (int b : T().peers[p]) {
          if (b <= a || Count(c_[b]) != 2 || (c_[b] & c_[p]) != c_[b] || (c_[a] | c_[b]) != c_[p]) continue;
          const Mask z = c_[a] & c_[b];
          RemoveSeenByAll({p, a, b}, Lowest(z), s);
          if (s.removals.empty()) continue;
          s.cells = {p, a, b};
          s.digits = c_[p];
          s.chain = {{p, Lowest(c_[a] & ~z) + 1, true}, {a, Lowest(z) + 1, true},
                     {p, Lowest(c_[b] & ~z) + 1, true}, {b, Lowest(z) + 1, true}};
          return true;
        }
      }
    }
    return false;
  }

  // The cells of house u other than `cell` that hold d, when exactly one: its conjugate in u, else -1.
  int Conjugate(int cell, int u, int d) const {
    int other = -1;
    for (int c : T().unit[u]) {
      if (c == cell || !Has(c, d)) continue;
      if (other >= 0) return -1;
      other = c;
    }
    return other;
  }

  // The conjugate pairs of one digit join cells in two colours: one colour is all d, the other none.
  bool SimpleColouring(Step& s) const {
    for (int d = 0; d < 9; ++d) {
      int colour[81];
      std::fill(colour, colour + 81, -1);
      for (int start = 0; start < 81; ++start) {
        if (!Has(start, d) || colour[start] >= 0) continue;
        std::vector<int> members{start};
        colour[start] = 0;
        for (std::size_t k = 0; k < members.size(); ++k) {
          const int c = members[k];
          for (int h = 0; h < 3; ++h) {
            const int o = Conjugate(c, T().houses[c][h], d);
            if (o >= 0 && colour[o] < 0) {
              colour[o] = 1 - colour[c];
              members.push_back(o);
            }
          }
        }
        if (members.size() < 3) continue;
        s.removals.clear();
        // Two cells of one colour that see each other: that colour is false throughout.
        for (std::size_t i = 0; i < members.size() && s.removals.empty(); ++i)
          for (std::size_t j = i + 1; j < members.size(); ++j) {
            const int a = members[i], b = members[j];
            if (colour[a] != colour[b] || !T().sees[a][b]) continue;
            for (int c : members)
              if (colour[c] == colour[a]) s.removals.push_back({c, d + 1});
            s.clashA = a;
            s.clashB = b;
            break;
          }
        // A cell outside that sees both colours.
        if (s.removals.empty())
          for (int c = 0; c < 81; ++c) {
            if (!Has(c, d) || colour[c] >= 0) continue;
            bool seesOn = false, seesOff = false;
            for (int m : members) {
              if (!T().sees[c][m]) continue;
              (colour[m] == 0 ? seesOn : seesOff) = true;
            }
            if (seesOn && seesOff) s.removals.push_back({c, d + 1});
          }
        if (s.removals.empty()) continue;
        std::sort(s.removals.begin(), s.removals.end(), [](const Removal& a, const Removal& b) { return a.cell < b.cell; });
        std::sort(members.begin(), members.end());
        for (int m : members) {
          s.cells.push_back(m);
          s.chain.push_back({m, d + 1, colour[m] == 0});
        }
        s.digits = static_cast<Mask>(1u << d);
        return true;
      }
    }
    return false;
  }

  // Searches breadth first from "start is not d" along alternating strong links (conjugate pairs) and
  // weak links (cells that see each other), to "end is d". Then start or end is d, and d leaves every cell
  // that sees both. The shortest such chain over every start wins.
  bool XChain(Step& s) const {
    std::vector<Node> best;
    std::vector<Removal> bestRemovals;
    for (int d = 0; d < 9; ++d) {
      int conj[81][3];
      for (int c = 0; c < 81; ++c)
        for (int h = 0; h < 3; ++h) conj[c][h] = Has(c, d) ? Conjugate(c, T().houses[c][h], d) : -1;
      for (int start = 0; start < 81; ++start) {
        if (!Has(start, d)) continue;
        // States: cell * 2 + on.
        int parent[162];
        std::fill(parent, parent + 162, -2);
        int queue[162], head = 0, tail = 0;
        queue[tail++] = start * 2;
        parent[start * 2] = -1;
        while (head < tail) {
          const int state = queue[head++], c = state / 2;
          const bool on = state & 1;
          if (on && c != start) {
            std::vector<Removal> removals;
            for (int x = 0; x < 81; ++x)
              if (x != start && x != c && Has(x, d) && T().sees[x][start] && T().sees[x][c]) removals.push_back({x, d + 1});
            std::vector<Node> chain;
            for (int st = state; st >= 0; st = parent[st]) chain.push_back({st / 2, d + 1, (st & 1) != 0});
            // A lone conjugate pair is locked candidates, not a chain.
            if (!removals.empty() && chain.size() >= 4) {
              std::reverse(chain.begin(), chain.end());
              if (best.empty() || chain.size() < best.size()) {
                best = std::move(chain);
                bestRemovals = std::move(removals);
              }
              break;
            }
          }
          auto push = [&](int next) {
            if (parent[next] == -2) {
              parent[next] = state;
              queue[tail++] = next;
            }
          };
          if (!on) {
            for (int h = 0; h < 3; ++h)
              if (conj[c][h] >= 0) push(conj[c][h] * 2 + 1);
          } else {
            for (int p : T().peers[c])
              if (Has(p, d)) push(p * 2);
          }
        }
      }
      if (!best.empty()) break;  // the smallest digit with a chain, its shortest chain
    }
    if (best.empty()) return false;
    s.chain = std::move(best);
    s.removals = std::move(bestRemovals);
    for (const Node& n : s.chain)
      if (std::find(s.cells.begin(), s.cells.end(), n.cell) == s.cells.end()) s.cells.push_back(n.cell);
    s.digits = Bit(s.chain.front().digit);
    return true;
  }

  // Cells of two candidates, each seeing the next and sharing a digit with it: if the first is not x,
  // the chain forces the last to be x, so x leaves every cell that sees both ends.
  bool XYChain(Step& s) const {
    std::vector<Node> best;
    std::vector<Removal> bestRemovals;
    for (int start = 0; start < 81; ++start) {
      if (Count(c_[start]) != 2) continue;
      ForEachBit(c_[start], [&](int x) {
        // States: cell * 9 + the digit the cell is; parent links back along the chain.
        int parent[729];
        std::fill(parent, parent + 729, -2);
        int queue[729], head = 0, tail = 0;
        const int first = start * 9 + Lowest(c_[start] & ~(1u << x));
        parent[first] = -1;
        queue[tail++] = first;
        while (head < tail) {
          const int state = queue[head++], c = state / 9, v = state % 9;
          if (v == x && c != start) {
            std::vector<Removal> removals;
            for (int o = 0; o < 81; ++o)
              if (o != start && o != c && Has(o, x) && T().sees[o][start] && T().sees[o][c]) removals.push_back({o, x + 1});
            std::vector<Node> chain;
            for (int st = state; st >= 0; st = parent[st]) {
              const int cell = st / 9, on = st % 9, off = Lowest(c_[cell] & ~(1u << on));
              chain.push_back({cell, on + 1, true});
              chain.push_back({cell, off + 1, false});
            }
            // Two cells alone are a naked pair, not a chain.
            if (!removals.empty() && chain.size() >= 6) {
              std::reverse(chain.begin(), chain.end());
              if (best.empty() || chain.size() < best.size()) {
                best = std::move(chain);
                bestRemovals = std::move(removals);
              }
              break;
            }
          }
          for (int p : T().peers[c]) {
            if (Count(c_[p]) != 2 || !Has(p, v)) continue;
            const int next = p * 9 + Lowest(c_[p] & ~(1u << v));
            if (parent[next] == -2) {
              parent[next] = state;
              queue[tail++] = next;
            }
          }
        }
      });
    }
    if (best.empty()) return false;
    s.chain = std::move(best);
    s.removals = std::move(bestRemovals);
    for (const Node& n : s.chain)
      if (s.cells.empty() || s.cells.back() != n.cell) s.cells.push_back(n.cell);
    s.digits = Bit(s.chain.front().digit);
    return true;
  }

  bool ForcingChain(Step& s) const;

  const Grid& v_;
  const std::array<Mask, 81>& c_;
};

// ---- Forcing chains ----

// A position under an assumption, filled by singles until it stops or contradicts itself. Each candidate
// remembers which placement took it away, so the chain written out holds only the placements the
// contradiction needs.
class Trial {
 public:
  explicit Trial(const Position& p) : v_(p.values), c_(p.cand), start_(p.cand) {
    for (auto& row : removedBy_) row.fill(-1);
  }

  // Places the digit and follows with singles. False when the position contradicts itself.
  bool Assume(int cell, int digit) {
    Place(cell, digit - 1);
    return Propagate();
  }

  // After a contradiction: the placements it needs, in order (the assumption first).
  std::vector<Node> Needed() const {
    std::vector<bool> need(placed_.size(), false);
    std::vector<int> work;
    auto mark = [&](int by) {
      if (by >= 0 && !need[by]) {
        need[by] = true;
        work.push_back(by);
      }
    };
    if (deadCell_ >= 0) {
      ForEachBit(start_[deadCell_], [&](int d) { mark(removedBy_[deadCell_][d]); });
    } else {
      for (int c : T().unit[deadHouse_])
        if (start_[c] >> deadDigit_ & 1) mark(removedBy_[c][deadDigit_]);
    }
    while (!work.empty()) {
      const Placed& p = placed_[work.back()];
      work.pop_back();
      if (p.house < 0) {
        ForEachBit(start_[p.cell] & ~(1u << p.digit), [&](int d) { mark(removedBy_[p.cell][d]); });
      } else {
        for (int c : T().unit[p.house])
          if (c != p.cell && (start_[c] >> p.digit & 1)) mark(removedBy_[c][p.digit]);
      }
    }
    need[0] = true;
    std::vector<Node> out;
    for (std::size_t i = 0; i < placed_.size(); ++i)
      if (need[i]) out.push_back({placed_[i].cell, placed_[i].digit + 1, true});
    return out;
  }
  int DeadCell() const { return deadCell_; }
  int DeadHouse() const { return deadHouse_; }
  int DeadDigit() const { return deadDigit_ + 1; }
  const Grid& Values() const { return v_; }
  const std::array<Mask, 81>& Cand() const { return c_; }

 private:
  struct Placed {
    int cell, digit, house;  // house < 0: a naked single (or the assumption)
  };

  void Place(int cell, int d, int house = -1) {
    const int index = static_cast<int>(placed_.size());
    placed_.push_back({cell, d, house});
    v_[cell] = static_cast<std::uint8_t>(d + 1);
    ForEachBit(c_[cell] & ~(1u << d), [&](int e) { removedBy_[cell][e] = index; });
    c_[cell] = 0;
    for (int p : T().peers[cell])
      if (c_[p] >> d & 1) {
        c_[p] &= static_cast<Mask>(~(1u << d));
        removedBy_[p][d] = index;
      }
  }

  bool Propagate() {
    for (bool changed = true; changed;) {
      changed = false;
      for (int c = 0; c < 81; ++c) {
        if (v_[c]) continue;
        if (!c_[c]) {
          deadCell_ = c;
          return false;
        }
        if (Count(c_[c]) == 1) {
          Place(c, Lowest(c_[c]));
          changed = true;
        }
      }
      for (int u = 0; u < 27; ++u) {
        Mask once = 0, twice = 0, placed = 0;
        for (int c : T().unit[u]) {
          twice |= once & c_[c];
          once |= c_[c];
          if (v_[c]) placed |= Bit(v_[c]);
        }
        const Mask missing = kAllDigits & ~(once | placed);
        if (missing) {
          deadHouse_ = u;
          deadDigit_ = Lowest(missing);
          return false;
        }
        const Mask single = once & ~twice;
        if (!single) continue;
        const int d = Lowest(single);
        for (int c : T().unit[u])
          if (c_[c] >> d & 1) {
            Place(c, d, u);
            changed = true;
            break;
          }
      }
    }
    return true;
  }

  Grid v_;
  std::array<Mask, 81> c_;
  std::array<Mask, 81> start_;
  std::array<std::array<int, 9>, 81> removedBy_;
  std::vector<Placed> placed_;
  int deadCell_ = -1, deadHouse_ = -1, deadDigit_ = 0;
};

// Whether every way of filling the trial's position ends in a contradiction, branching on the cell with
// the fewest candidates and following each branch with singles.
bool AllBranchesFail(const Trial& t) {
  int best = -1;
  for (int c = 0; c < 81; ++c)
    if (!t.Values()[c] && (best < 0 || Count(t.Cand()[c]) < Count(t.Cand()[best]))) best = c;
  if (best < 0) return false;  // a solution
  bool all = true;
  ForEachBit(t.Cand()[best], [&](int d) {
    if (!all) return;
    Trial branch = t;
    if (branch.Assume(best, d + 1) && !AllBranchesFail(branch)) all = false;
  });
  return all;
}

// "If cell is d, singles lead to a contradiction": d leaves the cell. The shortest chain wins. When no
// candidate contradicts by singles alone, the first candidate after which every branch of the cell with the
// fewest candidates fails: a deeper forcing chain, still a proof.
bool Finder::ForcingChain(Step& s) const {
  Position p;
  p.values = v_;
  p.cand = c_;
  std::vector<Node> best;
  Trial bestTrial(p);
  // Cells with the fewest candidates first: their chains are the ones a person would try.
  std::vector<int> order;
  for (int c = 0; c < 81; ++c)
    if (!v_[c]) order.push_back(c);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return Count(c_[a]) < Count(c_[b]); });
  for (int c : order)
    ForEachBit(c_[c], [&](int d) {
      Trial t(p);
      if (t.Assume(c, d + 1)) return;
      std::vector<Node> chain = t.Needed();
      if (best.empty() || chain.size() < best.size()) {
        best = std::move(chain);
        bestTrial = t;
      }
    });
  if (best.empty()) {
    for (int c : order) {
      bool found = false;
      ForEachBit(c_[c], [&](int d) {
        if (found) return;
        Trial t(p);
        if (!t.Assume(c, d + 1) || !AllBranchesFail(t)) return;
        found = true;
        s.chain = {{c, d + 1, true}};
        int branch = -1;
        for (int x = 0; x < 81; ++x)
          if (!t.Values()[x] && (branch < 0 || Count(t.Cand()[x]) < Count(t.Cand()[branch]))) branch = x;
        s.branchCell = branch;
      });
      if (found) break;
    }
    if (s.chain.empty()) return false;
  } else {
    s.chain = std::move(best);
    s.deadCell = bestTrial.DeadCell();
    if (s.deadCell < 0) {
      s.deadHouse = bestTrial.DeadHouse();
      s.deadDigit = bestTrial.DeadDigit();
      AddHouse(s, s.deadHouse);
    }
  }
  const Node& a = s.chain.front();
  s.removals = {{a.cell, a.digit}};
  s.cells = {a.cell};
  if (s.deadCell >= 0) s.cells.push_back(s.deadCell);
  if (s.branchCell >= 0) s.cells.push_back(s.branchCell);
  s.digits = Bit(a.digit);
  return true;
}

}  // namespace

const char* ChineseName(Technique t) {
  static const char* names[] = {"唯一余数", "隐性唯一", "区块摒除", "区块摒除", "显性数对",  "隐性数对", "显性三数组",
                                "隐性三数组", "显性四数组", "隐性四数组", "X-Wing", "剑鱼", "水母", "XY-Wing",
                                "XYZ-Wing", "简单染色", "X链", "XY链", "强制链"};
  return names[static_cast<int>(t)];
}

const char* EnglishName(Technique t) {
  static const char* names[] = {"Naked single",   "Hidden single", "Locked candidates (pointing)",
                                "Locked candidates (claiming)", "Naked pair", "Hidden pair",
                                "Naked triple",   "Hidden triple", "Naked quad", "Hidden quad",
                                "X-Wing",         "Swordfish",     "Jellyfish", "XY-Wing",
                                "XYZ-Wing",       "Simple colouring", "X-chain", "XY-chain",
                                "Forcing chain"};
  return names[static_cast<int>(t)];
}

House HouseAt(int index) { return {static_cast<HouseKind>(index / 9), index % 9 + 1}; }
int HouseIndex(House h) { return static_cast<int>(h.kind) * 9 + h.number - 1; }

bool Sees(int a, int b) { return T().sees[a][b]; }

Position Position::FromDigits(const Grid& digits) { return FromDigits(digits, {}); }

Position Position::FromDigits(const Grid& digits, const std::array<Mask, 81>& marks) {
  Position p;
  p.values = digits;
  for (int c = 0; c < 81; ++c) {
    if (digits[c]) continue;
    Mask m = kAllDigits;
    for (int o : T().peers[c])
      if (digits[o]) m &= static_cast<Mask>(~Bit(digits[o]));
    p.cand[c] = marks[c] ? static_cast<Mask>(m & marks[c]) : m;
  }
  return p;
}

bool Position::Solved() const {
  return std::none_of(values.begin(), values.end(), [](std::uint8_t v) { return v == 0; });
}

bool Position::Broken() const {
  for (int c = 0; c < 81; ++c)
    if (!values[c] && !cand[c]) return true;
  for (int u = 0; u < 27; ++u) {
    Mask seen = 0;
    for (int c : T().unit[u]) seen |= values[c] ? Bit(values[c]) : cand[c];
    if (seen != kAllDigits) return true;
  }
  return false;
}

std::optional<Step> NextStep(const Position& position, Technique upTo) {
  if (position.Solved() || position.Broken()) return std::nullopt;
  Finder finder(position);
  Step s;
  for (int i = 0; i <= static_cast<int>(upTo); ++i)
    if (finder.Find(static_cast<Technique>(i), s)) return s;
  return std::nullopt;
}

std::optional<Step> FindStep(const Position& position, Technique technique) {
  if (position.Solved() || position.Broken()) return std::nullopt;
  Finder finder(position);
  Step s;
  if (finder.Find(technique, s)) return s;
  return std::nullopt;
}

void Apply(Position& position, const Step& step) {
  if (step.placeCell >= 0) {
    const int c = step.placeCell;
    position.values[c] = static_cast<std::uint8_t>(step.placeDigit);
    position.cand[c] = 0;
    for (int p : T().peers[c]) position.cand[p] &= static_cast<Mask>(~Bit(step.placeDigit));
  }
  for (const Removal& r : step.removals) position.cand[r.cell] &= static_cast<Mask>(~Bit(r.digit));
}

}  // namespace velmora::Solver
