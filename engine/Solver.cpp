// The techniques of the logic solver up to the wings, each a search of the position's candidates kept as bit
// masks, and the order in which the next step is looked for; the chains are a unit of their own.
#include "engine/Solver.h"

#include <algorithm>
#include <bit>

#include "engine/Chains.h"
#include "engine/Houses.h"

namespace velmora::Solver {

using Sudoku::BoxOf;
using Sudoku::ColOf;
using Sudoku::RowOf;

namespace {

using Houses::Count;
using Houses::ForEachBit;
using Houses::Lowest;
using Houses::T;

class Finder {
 public:
  explicit Finder(const Position& p) : p_(p), v_(p.values), c_(p.cand) {}

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
      case Technique::SimpleColouring: return Chains::SimpleColouring(p_, s);
      case Technique::XChain: return Chains::XChain(p_, s);
      case Technique::XYChain: return Chains::XYChain(p_, s);
      case Technique::AlternatingChain: return Chains::AlternatingChain(p_, s);
      case Technique::ForcingChain: return Chains::ForcingChain(p_, s);
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


  const Position& p_;
  const Grid& v_;
  const std::array<Mask, 81>& c_;
};

}  // namespace

const char* ChineseName(Technique t) {
  static const char* names[] = {"唯一余数", "摒除法",     "区块摒除",   "区块摒除",  "显性数对",   "隐性数对",
                                "显性三链数", "隐性三链数", "显性四链数", "隐性四链数", "X-Wing",     "剑鱼",
                                "水母",     "XY-Wing",    "XYZ-Wing",   "简单染色",  "X链",        "XY链",
                                "交替推理链", "假设矛盾（强制链）"};
  return names[static_cast<int>(t)];
}

const char* EnglishName(Technique t) {
  static const char* names[] = {"Naked single",   "Hidden single", "Locked candidates (pointing)",
                                "Locked candidates (claiming)", "Naked pair", "Hidden pair",
                                "Naked triple",   "Hidden triple", "Naked quad", "Hidden quad",
                                "X-Wing",         "Swordfish",     "Jellyfish", "XY-Wing",
                                "XYZ-Wing",       "Simple colouring", "X-chain", "XY-chain",
                                "Alternating inference chain", "Forcing chain"};
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
  // What each cell offers: its digit, or its candidates (none: a dead cell).
  Mask offers[81];
  for (int c = 0; c < 81; ++c) {
    offers[c] = values[c] ? Bit(values[c]) : cand[c];
    if (!offers[c]) return true;
  }
  const Houses::Tables& t = T();
  for (const auto& unit : t.unit) {
    Mask seen = 0;
    for (int c : unit) seen |= offers[c];
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
