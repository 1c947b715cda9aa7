// Chains: the conjugate pairs of one digit in two colours, alternating chains found breadth first (on one
// digit, over cells of two candidates, and over both with the digits mixed), and
// forcing chains that follow an assumption with singles until it contradicts itself.
#include "engine/Chains.h"

#include <algorithm>

#include "engine/Houses.h"

namespace velmora::Chains {

using Houses::Count;
using Houses::ForEachBit;
using Houses::Lowest;
using Houses::T;
using Solver::Bit;
using Solver::kAllDigits;
using Solver::Mask;
using Solver::Node;
using Solver::Removal;
using Sudoku::Grid;

namespace {

class ChainFinder {
 public:
  explicit ChainFinder(const Position& p) : v_(p.values), c_(p.cand) {}

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
        // A cell outside this cluster that sees both its colours, whether or not an earlier cluster coloured it.
        if (s.removals.empty())
          for (int c = 0; c < 81; ++c) {
            if (!Has(c, d) || std::find(members.begin(), members.end(), c) != members.end()) continue;
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
    NameLinks(s);
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

  // Searches breadth first from "start is not x" along strong links (off to on: the other digit of a cell
  // with two candidates, or the other place of a digit with two places in a house) and weak links (on to
  // off: the cell's other digits, or the digit in the cells that see it), to a node "end is z" that rules
  // something out: with z = x, x leaves every cell that sees both ends; with another digit, start loses z
  // and end loses x when they see each other, and start keeps only x and z when it is the end. The
  // shortest such chain over every start wins.
  bool AlternatingChain(Step& s) const {
    std::vector<Node> best;
    std::vector<Removal> bestRemovals;
    // States: (cell * 9 + digit) * 2 + on.
    constexpr int kStates = 81 * 9 * 2;
    std::vector<int> parent(kStates), depth(kStates), queue(kStates);
    for (int start = 0; start < 81; ++start)
      ForEachBit(c_[start], [&](int x) {
        std::fill(parent.begin(), parent.end(), -2);
        int head = 0, tail = 0;
        const int first = (start * 9 + x) * 2;
        parent[first] = -1;
        depth[first] = 0;
        queue[tail++] = first;
        while (head < tail) {
          const int state = queue[head++], c = state / 18, v = state / 2 % 9;
          const bool on = state & 1;
          // A chain no shorter than the best one found cannot win.
          if (!best.empty() && depth[state] + 1 >= static_cast<int>(best.size())) break;
          if (on && depth[state] >= 3) {
            std::vector<Removal> removals = RuledOut(start, x, c, v);
            if (!removals.empty()) {
              std::vector<Node> chain;
              for (int st = state; st >= 0; st = parent[st]) chain.push_back({st / 18, st / 2 % 9 + 1, (st & 1) != 0});
              std::reverse(chain.begin(), chain.end());
              best = std::move(chain);
              bestRemovals = std::move(removals);
              break;
            }
          }
          auto push = [&](int cell, int digit, bool nextOn) {
            const int next = (cell * 9 + digit) * 2 + (nextOn ? 1 : 0);
            if (parent[next] != -2) return;
            parent[next] = state;
            depth[next] = depth[state] + 1;
            queue[tail++] = next;
          };
          if (!on) {
            if (Count(c_[c]) == 2) push(c, Lowest(c_[c] & ~(1u << v)), true);
            for (int h = 0; h < 3; ++h) {
              const int o = Conjugate(c, T().houses[c][h], v);
              if (o >= 0) push(o, v, true);
            }
          } else {
            ForEachBit(c_[c] & ~(1u << v), [&](int e) { push(c, e, false); });
            for (int p : T().peers[c])
              if (Has(p, v)) push(p, v, false);
          }
        }
      });
    if (best.empty()) return false;
    s.chain = std::move(best);
    s.removals = std::move(bestRemovals);
    std::sort(s.removals.begin(), s.removals.end(),
              [](const Removal& a, const Removal& b) { return a.cell != b.cell ? a.cell < b.cell : a.digit < b.digit; });
    for (const Node& n : s.chain)
      if (std::find(s.cells.begin(), s.cells.end(), n.cell) == s.cells.end()) s.cells.push_back(n.cell);
    s.digits = static_cast<Mask>(Bit(s.chain.front().digit) | Bit(s.chain.back().digit));
    NameLinks(s);
    return true;
  }

  bool ForcingChain(Step& s) const;

 private:
  // The house of each strong link between two cells, in the chain's order: the house where the digit has
  // only those two places.
  void NameLinks(Step& s) const {
    for (std::size_t i = 1; i < s.chain.size(); ++i) {
      const Node &from = s.chain[i - 1], &to = s.chain[i];
      if (from.on || !to.on || from.cell == to.cell) continue;
      for (int h = 0; h < 3; ++h)
        if (Conjugate(from.cell, T().houses[from.cell][h], from.digit - 1) == to.cell) {
          AddHouse(s, T().houses[from.cell][h]);
          break;
        }
    }
  }

  // What "start is x or end is z" rules out (digits 0-based).
  std::vector<Removal> RuledOut(int start, int x, int end, int z) const {
    std::vector<Removal> out;
    if (z == x) {
      if (end == start) return out;
      for (int o = 0; o < 81; ++o)
        if (o != start && o != end && Has(o, x) && T().sees[o][start] && T().sees[o][end]) out.push_back({o, x + 1});
    } else if (end == start) {
      ForEachBit(c_[start] & ~(1u << x) & ~(1u << z), [&](int e) { out.push_back({start, e + 1}); });
    } else if (T().sees[start][end]) {
      if (Has(start, z)) out.push_back({start, z + 1});
      if (Has(end, x)) out.push_back({end, x + 1});
    }
    return out;
  }
  bool Has(int cell, int d) const { return c_[cell] >> d & 1; }
  static void AddHouse(Step& s, int u) { s.houses.push_back(Solver::HouseAt(u)); }

  const Grid& v_;
  const std::array<Mask, 81>& c_;
};

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
bool ChainFinder::ForcingChain(Step& s) const {
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

bool SimpleColouring(const Position& p, Step& s) { return ChainFinder(p).SimpleColouring(s); }
bool XChain(const Position& p, Step& s) { return ChainFinder(p).XChain(s); }
bool XYChain(const Position& p, Step& s) { return ChainFinder(p).XYChain(s); }
bool AlternatingChain(const Position& p, Step& s) { return ChainFinder(p).AlternatingChain(s); }
bool ForcingChain(const Position& p, Step& s) { return ChainFinder(p).ForcingChain(s); }

}  // namespace velmora::Chains
