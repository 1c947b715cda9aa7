// The sentences of the techniques, each filled in from the step's houses, cells, digits and chain.
#include "engine/Explain.h"

#include <algorithm>
#include <bit>

namespace velmora::Explain {

using Solver::HouseKind;
using Solver::Node;
using Solver::Removal;
using Solver::Technique;

namespace {

std::string Num(int n) { return std::to_string(n); }

const char* CountWord(std::size_t n) {
  static const char* words[] = {"零", "一", "两", "三", "四", "五", "六", "七", "八", "九"};
  return n < 10 ? words[n] : "多";
}

const char* KindWord(HouseKind k) { return k == HouseKind::Row ? "行" : k == HouseKind::Column ? "列" : "宫"; }

std::string Join(const std::vector<std::string>& items, const char* between = "、") {
  std::string s;
  for (std::size_t i = 0; i < items.size(); ++i) s += (i ? between : "") + items[i];
  return s;
}

std::string Cells(const std::vector<int>& cells) {
  std::vector<std::string> names;
  for (int c : cells) names.push_back(CellName(c));
  return Join(names);
}

// The cells of one house without naming the house again: "第3、8列" in a row, "第2、5、8行" in a column,
// and in a box the cells by their row and column.
std::string Within(House house, const std::vector<int>& cells) {
  std::vector<std::string> names;
  for (int c : cells)
    names.push_back(house.kind == HouseKind::Row ? Num(c % 9 + 1) : house.kind == HouseKind::Column ? Num(c / 9 + 1) : CellName(c));
  if (house.kind == HouseKind::Box) return Join(names);
  return "第" + Join(names) + (house.kind == HouseKind::Row ? "列" : "行");
}

// "第2、6行": houses of one kind by their numbers.
std::string Lines(const std::vector<House>& houses) {
  std::vector<std::string> numbers;
  for (const House& h : houses) numbers.push_back(Num(h.number));
  return "第" + Join(numbers) + KindWord(houses.front().kind);
}

Mask LostAt(const std::vector<Removal>& removals, int cell) {
  Mask m = 0;
  for (const Removal& r : removals)
    if (r.cell == cell) m |= Solver::Bit(r.digit);
  return m;
}

// Every cell that loses candidates, and what it loses, cells that lose the same digits together:
// "第1行第3列、第1行第4列的2、7，第2行第1列的5".
std::string Removed(const std::vector<Removal>& removals) {
  std::vector<int> cells;
  for (const Removal& r : removals)
    if (std::find(cells.begin(), cells.end(), r.cell) == cells.end()) cells.push_back(r.cell);
  std::vector<std::string> groups;
  for (std::size_t i = 0; i < cells.size();) {
    const Mask lost = LostAt(removals, cells[i]);
    std::vector<int> same;
    for (; i < cells.size() && LostAt(removals, cells[i]) == lost; ++i) same.push_back(cells[i]);
    groups.push_back(Cells(same) + "的" + DigitList(lost));
  }
  return Join(groups, "，");
}

// "同在第2行": the first house two cells share.
std::string Together(int a, int b) {
  if (a / 9 == b / 9) return "同在第" + Num(a / 9 + 1) + "行";
  if (a % 9 == b % 9) return "同在第" + Num(a % 9 + 1) + "列";
  return "同在第" + Num(Sudoku::BoxOf(a) + 1) + "宫";
}

int Digit(const Step& s) { return std::countr_zero(static_cast<unsigned>(s.digits)) + 1; }

bool IsSubset(Technique t) { return t >= Technique::NakedPair && t <= Technique::HiddenQuad; }
bool IsNakedSubset(Technique t) {
  return t == Technique::NakedPair || t == Technique::NakedTriple || t == Technique::NakedQuad;
}
bool IsFish(Technique t) { return t >= Technique::XWing && t <= Technique::Jellyfish; }
bool IsChain(Technique t) {
  return t == Technique::XChain || t == Technique::XYChain || t == Technique::AlternatingChain;
}
const char* SubsetWord(std::size_t n) { return n == 2 ? "数对" : n == 3 ? "三链数" : "四链数"; }

// The fish's base lines (the first half of its houses) and its cover lines.
std::vector<House> Base(const Step& s) { return {s.houses.begin(), s.houses.begin() + s.houses.size() / 2}; }
std::vector<House> Cover(const Step& s) { return {s.houses.begin() + s.houses.size() / 2, s.houses.end()}; }

// One link of a chain in words, with its reason: the node it reaches, for the cell of that node.
struct Link {
  int cell;
  std::string text;
};

// The links of an alternating chain after its start, each with its reason in a few words: a strong link in
// one cell is the cell's two candidates, between two cells the house where the digit has only those two
// places; a weak link in one cell is the digit the cell already is, between two cells the house they share.
std::vector<Link> ChainLinks(const Step& s) {
  std::vector<Link> links;
  std::size_t house = 0;
  for (std::size_t i = 1; i < s.chain.size(); ++i) {
    const Node &from = s.chain[i - 1], &n = s.chain[i];
    const std::string d = Num(n.digit);
    std::string text;
    if (n.on && n.cell == from.cell) {
      text = (i == 1 ? "它就是" : "就是") + d + "（这格只有" + DigitList(Solver::Bit(from.digit) | Solver::Bit(n.digit)) + "）";
    } else if (n.on) {
      const std::string where = house < s.houses.size() ? HouseName(s.houses[house++]) : std::string("这里");
      text = CellName(n.cell) + "是" + d + "（" + where + "只有这两格能填" + d + "）";
    } else if (n.cell == from.cell) {
      text = "它就不是" + d;
    } else {
      text = CellName(n.cell) + "不是" + d + "（" + Together(from.cell, n.cell) + "）";
    }
    links.push_back({n.cell, text});
  }
  return links;
}

// A chain of up to eight links is told whole; a longer one by its start, its middle link and its end, the
// whole of it being in the cells' descriptions.
std::string Told(const std::vector<std::string>& links) {
  if (links.size() <= 8) return Join(links, "，");
  const std::size_t n = links.size(), middle = n / 2;
  return links[0] + "，" + links[1] + "，沿链往下推（共" + Num(static_cast<int>(n)) + "环，每一环写在各格的提示里），途经" +
         links[middle] + "，最后" + links[n - 2] + "，" + links[n - 1];
}

std::string ChainReason(const Step& s, const std::string& removed) {
  const Node& first = s.chain.front();
  const Node& last = s.chain.back();
  std::vector<std::string> texts;
  for (const Link& l : ChainLinks(s)) texts.push_back(l.text);
  const std::string x = Num(first.digit), z = Num(last.digit), a = CellName(first.cell), b = CellName(last.cell);
  std::string why = "若" + a + "不是" + x + "，则" + Told(texts) + "。所以";
  if (first.digit == last.digit) return why + a + "和" + b + "至少有一个是" + x + "，与这两格都同行、同列或同宫的格不能是" + x + "：" + removed;
  if (first.cell == last.cell) return why + a + "不是" + x + "就是" + z + "，不能是别的数：" + removed;
  return why + a + "是" + x + "和" + b + "是" + z + "至少有一个成立；两格" + Together(first.cell, last.cell) + "，无论哪种，" + a +
         "都不是" + z + "，" + b + "都不是" + x + "：" + removed;
}

// A forcing chain's placements after the assumption, and how it ends.
std::vector<std::string> TrialLinks(const Step& s) {
  std::vector<std::string> links;
  for (std::size_t i = 1; i < s.chain.size(); ++i) links.push_back(CellName(s.chain[i].cell) + "只能填" + Num(s.chain[i].digit));
  if (s.deadCell >= 0)
    links.push_back(CellName(s.deadCell) + "就无数可填了");
  else
    links.push_back(HouseName(Solver::HouseAt(s.deadHouse)) + "就没有地方能填" + Num(s.deadDigit) + "了");
  return links;
}

}  // namespace

std::string CellName(int cell) { return "第" + Num(cell / 9 + 1) + "行第" + Num(cell % 9 + 1) + "列"; }

std::string HouseName(House h) { return "第" + Num(h.number) + KindWord(h.kind); }

std::string DigitList(Mask digits) {
  std::string s;
  for (int d = 1; d <= 9; ++d)
    if (digits & Solver::Bit(d)) s += (s.empty() ? "" : "、") + Num(d);
  return s;
}

std::string Name(const Step& s) {
  if (s.technique == Technique::HiddenSingle) return std::string(KindWord(s.houses.front().kind)) + "摒除";
  return Solver::ChineseName(s.technique);
}

std::string Where(const Step& s) {
  switch (s.technique) {
    case Technique::NakedSingle: return CellName(s.placeCell);
    case Technique::XWing:
    case Technique::Swordfish:
    case Technique::Jellyfish: return Lines(Base(s)) + "的" + Num(Digit(s));
    case Technique::XYWing:
    case Technique::XYZWing: return CellName(s.cells[0]);
    case Technique::SimpleColouring:
    case Technique::XChain: return "数字" + Num(Digit(s));
    case Technique::XYChain:
    case Technique::AlternatingChain: return CellName(s.chain.front().cell);
    case Technique::ForcingChain: return CellName(s.chain.front().cell) + "的" + Num(s.chain.front().digit);
    default: return HouseName(s.houses.front());
  }
}

std::string Reason(const Step& s) {
  const Technique t = s.technique;
  const std::string removed = s.removals.empty() ? "" : "去掉" + Removed(s.removals) + "。";
  if (t == Technique::NakedSingle)
    return CellName(s.placeCell) + "只剩" + Num(s.placeDigit) + "这一个候选数，所以这里填" + Num(s.placeDigit) + "。";
  if (t == Technique::HiddenSingle)
    return HouseName(s.houses[0]) + "里只有" + CellName(s.placeCell) + "能填" + Num(s.placeDigit) + "（隐性唯一），所以这里填" +
           Num(s.placeDigit) + "。";
  if (t == Technique::Pointing || t == Technique::Claiming) {
    const std::string from = HouseName(s.houses[0]), to = HouseName(s.houses[1]), d = Num(Digit(s));
    return from + "的" + d + "只能填在" + to + "，所以" + to + "在" + from + "之外的格不能填" + d + "：" + removed;
  }
  if (IsSubset(t)) {
    const House house = s.houses[0];
    const std::string n = CountWord(s.cells.size()), digits = DigitList(s.digits);
    if (IsNakedSubset(t))
      return HouseName(house) + "的" + Within(house, s.cells) + "只能填" + digits + "，这" + n + "个数一定填在这" + n + "格里，所以" + HouseName(house) +
             "的其他格不能填" + digits + "：" + removed;
    return HouseName(house) + "的" + digits + "只能填在" + Within(house, s.cells) +
           "，所以这" + n + "格只能是" + digits + "，不能是别的数：" + removed;
  }
  if (IsFish(t)) {
    const std::vector<House> base = Base(s), cover = Cover(s);
    const std::string d = Num(Digit(s)), lines = Lines(cover);
    return Lines(base) + "的" + d + "都只能填在" + lines + "，这" + CountWord(base.size()) + KindWord(base[0].kind) + "的" + d +
           "正好占去" + lines + "各一个" + d + "，所以" + lines + "的其他格不能填" + d + "：" + removed;
  }
  if (t == Technique::XYWing || t == Technique::XYZWing) {
    // The chain holds "pivot is x, so the pincer is z" for each pincer.
    const std::string z = Num(s.removals.front().digit), count = t == Technique::XYZWing ? "三" : "两";
    std::string body = CellName(s.cells[0]) + "只能是" + DigitList(s.digits) + "：";
    if (t == Technique::XYZWing) body += "若是" + z + "，它自己就是" + z + "；";
    body += "若是" + Num(s.chain[0].digit) + "，则" + CellName(s.chain[1].cell) + "是" + z + "；若是" +
            Num(s.chain[2].digit) + "，则" + CellName(s.chain[3].cell) + "是" + z;
    return body + "。这" + count + "格总有一格是" + z + "，所以与这" + count + "格都同行、同列或同宫的格不能是" + z + "：" + removed;
  }
  if (t == Technique::SimpleColouring) {
    const std::string d = Num(Digit(s));
    std::vector<int> on, off;
    for (const Node& n : s.chain) (n.on ? on : off).push_back(n.cell);
    const std::string intro = "沿着" + d + "的共轭对（一行、一列或一宫里仅有的两个" + d + "）把相连的格交替染成两色：" + Cells(on) +
                              "为一色，" + Cells(off) + "为另一色；两色中必有一色全是" + d + "。";
    if (s.clashA >= 0)
      return intro + CellName(s.clashA) + "和" + CellName(s.clashB) + "同色又" + Together(s.clashA, s.clashB) +
             "，不能都是" + d + "，所以这一色全不是" + d + "：" + removed;
    return intro + "与两色各一格同行、同列或同宫的格不能是" + d + "：" + removed;
  }
  if (IsChain(t)) return ChainReason(s, removed);
  // Forcing chain: a trial, and said to be one.
  const Node& a = s.chain.front();
  const std::string assume = "这一步要试数：假设" + CellName(a.cell) + "填" + Num(a.digit) + "，";
  const std::string no = "所以" + CellName(a.cell) + "不是" + Num(a.digit) + "。";
  if (s.branchCell >= 0) return assume + "往下推到" + CellName(s.branchCell) + "时，把它的每个候选数逐一试填，都会导致矛盾，" + no;
  return assume + "则" + Told(TrialLinks(s)) + "，矛盾，" + no;
}

std::vector<Part> Parts(const Step& s) {
  std::vector<Part> parts;
  auto add = [&](int cell, const std::string& role) {
    for (Part& p : parts)
      if (p.cell == cell) {
        p.role += "；" + role;
        return;
      }
    parts.push_back({cell, role});
  };
  const Technique t = s.technique;
  const std::string d = Num(Digit(s));
  switch (t) {
    case Technique::NakedSingle: add(s.placeCell, "目标格，只剩" + Num(s.placeDigit) + "可填"); break;
    case Technique::HiddenSingle:
      add(s.placeCell, "目标格，" + HouseName(s.houses[0]) + "里唯一能填" + Num(s.placeDigit) + "的格");
      break;
    case Technique::Pointing:
    case Technique::Claiming:
      for (int c : s.cells) add(c, HouseName(s.houses[0]) + "里能填" + d + "的格");
      break;
    case Technique::XWing:
    case Technique::Swordfish:
    case Technique::Jellyfish:
      for (int c : s.cells)
        add(c, HouseName(s.houses[0].kind == HouseKind::Row ? Solver::HouseAt(c / 9) : Solver::HouseAt(9 + c % 9)) +
                   "里能填" + d + "的格");
      break;
    case Technique::XYWing:
    case Technique::XYZWing:
      add(s.cells[0], "枢纽格");
      add(s.cells[1], "翼格");
      add(s.cells[2], "翼格");
      break;
    case Technique::SimpleColouring:
      for (const Node& n : s.chain) add(n.cell, n.on ? "染色的一色" : "染色的另一色");
      break;
    case Technique::XChain:
    case Technique::XYChain:
    case Technique::AlternatingChain: {
      // The whole chain, link by link, in the cells it passes.
      const std::vector<Link> links = ChainLinks(s);
      add(s.chain.front().cell, "链的起点：若不是" + Num(s.chain.front().digit));
      for (std::size_t i = 0; i < links.size(); ++i)
        add(links[i].cell, "第" + Num(static_cast<int>(i + 1)) + "环：" + links[i].text);
      break;
    }
    case Technique::ForcingChain: {
      add(s.chain.front().cell, "试数：假设填" + Num(s.chain.front().digit) + "的格");
      for (std::size_t i = 1; i < s.chain.size(); ++i) add(s.chain[i].cell, "第" + Num(static_cast<int>(i)) + "步：只能填" + Num(s.chain[i].digit));
      if (s.deadCell >= 0) add(s.deadCell, "推到最后无数可填的格");
      if (s.branchCell >= 0) add(s.branchCell, "每个候选数都导致矛盾的格");
      break;
    }
    default:
      if (IsSubset(t))
        for (int c : s.cells)
          add(c, std::string(IsNakedSubset(t) ? "显性" : "隐性") + SubsetWord(s.cells.size()) + "的格（" + DigitList(s.digits) + "）");
      break;
  }
  for (const Part& p : std::vector<Part>(parts)) {
    const Mask lost = LostAt(s.removals, p.cell);
    if (lost) add(p.cell, "这里去掉" + DigitList(lost));
  }
  for (const Removal& r : s.removals)
    if (std::none_of(parts.begin(), parts.end(), [&](const Part& p) { return p.cell == r.cell; }))
      add(r.cell, "这里去掉" + DigitList(LostAt(s.removals, r.cell)));
  return parts;
}

int Target(const Step& s) { return s.placeCell >= 0 ? s.placeCell : s.removals.empty() ? -1 : s.removals.front().cell; }

}  // namespace velmora::Explain
