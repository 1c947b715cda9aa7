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

// Joins the items with "、"; a long list keeps its first three and says how many there are.
std::string Join(const std::vector<std::string>& items, const char* unit = "格") {
  if (items.size() > 4) return items[0] + "、" + items[1] + "、" + items[2] + "等" + Num(static_cast<int>(items.size())) + unit;
  std::string s;
  for (std::size_t i = 0; i < items.size(); ++i) s += (i ? "、" : "") + items[i];
  return s;
}

std::string Cells(const std::vector<int>& cells) {
  std::vector<std::string> names;
  for (int c : cells) names.push_back(CellName(c));
  return Join(names);
}

// "第2、6行": houses of one kind by their numbers.
std::string Lines(const std::vector<House>& houses) {
  std::string s = "第";
  for (std::size_t i = 0; i < houses.size(); ++i) s += (i ? "、" : "") + Num(houses[i].number);
  return s + KindWord(houses.front().kind);
}

// The cells that lose candidates and what they lose, by cell: "第1行第1列的2、5，第1行第3列的5".
std::string Removed(const std::vector<Removal>& removals) {
  std::vector<int> cells;
  Mask all = 0;
  for (const Removal& r : removals) {
    if (std::find(cells.begin(), cells.end(), r.cell) == cells.end()) cells.push_back(r.cell);
    all |= Solver::Bit(r.digit);
  }
  auto digitsOf = [&](int cell) {
    Mask m = 0;
    for (const Removal& r : removals)
      if (r.cell == cell) m |= Solver::Bit(r.digit);
    return m;
  };
  if (cells.size() > 4)
    return CellName(cells[0]) + "、" + CellName(cells[1]) + "、" + CellName(cells[2]) + "等" +
           Num(static_cast<int>(cells.size())) + "格里的" + DigitList(all);
  std::string s;
  for (std::size_t i = 0; i < cells.size(); ++i) s += (i ? "，" : "") + CellName(cells[i]) + "的" + DigitList(digitsOf(cells[i]));
  return s;
}

std::string NodeText(const Node& n) { return CellName(n.cell) + (n.on ? "是" : "不是") + Num(n.digit); }

// A long chain keeps its first three links and its last two.
std::string Chain(const std::vector<std::string>& links) {
  if (links.size() <= 7) {
    std::string s;
    for (std::size_t i = 0; i < links.size(); ++i) s += (i ? "，" : "") + links[i];
    return s;
  }
  return links[0] + "，" + links[1] + "，" + links[2] + "，……，" + links[links.size() - 2] + "，" + links.back();
}

int Digit(const Step& s) { return std::countr_zero(static_cast<unsigned>(s.digits)) + 1; }

bool IsSubset(Technique t) { return t >= Technique::NakedPair && t <= Technique::HiddenQuad; }
bool IsNakedSubset(Technique t) {
  return t == Technique::NakedPair || t == Technique::NakedTriple || t == Technique::NakedQuad;
}
bool IsFish(Technique t) { return t >= Technique::XWing && t <= Technique::Jellyfish; }

// The fish's base lines (the first half of its houses) and its cover lines.
std::vector<House> Base(const Step& s) { return {s.houses.begin(), s.houses.begin() + s.houses.size() / 2}; }
std::vector<House> Cover(const Step& s) { return {s.houses.begin() + s.houses.size() / 2, s.houses.end()}; }

}  // namespace

std::string CellName(int cell) { return "第" + Num(cell / 9 + 1) + "行第" + Num(cell % 9 + 1) + "列"; }

std::string HouseName(House h) { return "第" + Num(h.number) + KindWord(h.kind); }

std::string DigitList(Mask digits) {
  std::string s;
  for (int d = 1; d <= 9; ++d)
    if (digits & Solver::Bit(d)) s += (s.empty() ? "" : "、") + Num(d);
  return s;
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
    case Technique::XYChain: return CellName(s.chain.front().cell);
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
    return HouseName(s.houses[0]) + "里只有" + CellName(s.placeCell) + "能填" + Num(s.placeDigit) + "，所以这里填" +
           Num(s.placeDigit) + "。";
  if (t == Technique::Pointing || t == Technique::Claiming) {
    const std::string from = HouseName(s.houses[0]), to = HouseName(s.houses[1]), d = Num(Digit(s));
    return from + "里能填" + d + "的格都在" + to + "，" + d + "必在其中，所以" + to + "在" + from + "以外的格不能是" + d +
           "：" + removed;
  }
  if (IsSubset(t)) {
    const std::string house = HouseName(s.houses[0]), n = CountWord(s.cells.size()), digits = DigitList(s.digits);
    if (IsNakedSubset(t))
      return house + "里" + Cells(s.cells) + "只能填" + digits + "，这" + n + "个数必在这" + n + "格里，所以" + house +
             "其余的格不能是" + digits + "：" + removed;
    return house + "里" + digits + "只能填在" + Cells(s.cells) + "，这" + n + "格必是这" + n +
           "个数，所以不能是别的数：" + removed;
  }
  if (IsFish(t)) {
    const std::vector<House> base = Base(s), cover = Cover(s);
    const std::string d = Num(Digit(s)), lines = Lines(cover);
    return "在" + Lines(base) + "里，" + d + "都只能填在" + lines + "，这" + CountWord(base.size()) + KindWord(base[0].kind) +
           "的" + d + "必定分别占去" + lines + "的" + d + "，所以" + lines + "的其余格不能是" + d + "：" + removed;
  }
  if (t == Technique::XYWing || t == Technique::XYZWing) {
    // The chain holds "pivot is x, so the pincer is z" for each pincer.
    const std::string z = Num(s.removals.front().digit), count = t == Technique::XYZWing ? "三" : "两";
    std::string body = CellName(s.cells[0]) + "只能是" + DigitList(s.digits) + "：";
    if (t == Technique::XYZWing) body += "若是" + z + "，它自己就是" + z + "；";
    body += "若是" + Num(s.chain[0].digit) + "，则" + CellName(s.chain[1].cell) + "是" + z + "；若是" +
            Num(s.chain[2].digit) + "，则" + CellName(s.chain[3].cell) + "是" + z;
    return body + "；这" + count + "格总有一格是" + z + "，所以同时看到这" + count + "格的格不能是" + z + "：" + removed;
  }
  if (t == Technique::SimpleColouring) {
    const std::string d = Num(Digit(s));
    std::vector<int> on, off;
    for (const Node& n : s.chain) (n.on ? on : off).push_back(n.cell);
    const std::string intro = d + "的共轭对（一个行、列或宫里仅有的两个" + d + "）把" + Cells(s.cells) +
                              "连成一串，相连的两格一个是" + d + "、一个不是，于是分成两色：" + Cells(on) + "为一色，" +
                              Cells(off) + "为另一色，必有一色全是" + d + "。";
    if (s.clashA >= 0)
      return intro + CellName(s.clashA) + "和" + CellName(s.clashB) + "同色又互相看到，不能都是" + d +
             "，所以这一色全不是" + d + "：" + removed;
    return intro + "同时看到两色的格不能是" + d + "：" + removed;
  }
  if (t == Technique::XChain || t == Technique::XYChain) {
    const Node& first = s.chain.front();
    const Node& last = s.chain.back();
    std::vector<std::string> links;
    for (std::size_t i = 1; i < s.chain.size(); ++i) {
      const Node& n = s.chain[i];
      if (t == Technique::XYChain && !n.on) continue;  // a cell of the chain is named by what it is
      links.push_back(i == 1 && n.cell == first.cell ? "它是" + Num(n.digit) : NodeText(n));
    }
    const std::string d = Num(first.digit);
    return "若" + CellName(first.cell) + "不是" + d + "，则" + Chain(links) + "；所以" + CellName(first.cell) + "和" +
           CellName(last.cell) + "至少有一个是" + d + "，同时看到两者的格不能是" + d + "：" + removed;
  }
  // Forcing chain.
  const Node& a = s.chain.front();
  const std::string assume = "若" + CellName(a.cell) + "填" + Num(a.digit) + "，则";
  const std::string conclusion = "，所以" + CellName(a.cell) + "不是" + Num(a.digit) + "。";
  if (s.branchCell >= 0)
    return assume + "往下推到" + CellName(s.branchCell) + "时，它的每个候选数都会导致矛盾" + conclusion;
  std::vector<std::string> links;
  for (std::size_t i = 1; i < s.chain.size(); ++i) links.push_back(CellName(s.chain[i].cell) + "填" + Num(s.chain[i].digit));
  if (s.deadCell >= 0)
    links.push_back(CellName(s.deadCell) + "无数可填");
  else
    links.push_back(HouseName(Solver::HouseAt(s.deadHouse)) + "没有地方能填" + Num(s.deadDigit));
  return assume + Chain(links) + conclusion;
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
      for (std::size_t i = 0; i < s.chain.size(); ++i) {
        const Node& n = s.chain[i];
        add(n.cell, (i == 0 ? "链的起点，" : i + 1 == s.chain.size() ? "链的终点，" : "链上的格，") + std::string(n.on ? "是" : "不是") + d);
      }
      break;
    case Technique::XYChain:
      for (int c : s.cells) add(c, c == s.cells.front() ? "链的起点" : c == s.cells.back() ? "链的终点" : "链上的格");
      break;
    case Technique::ForcingChain:
      add(s.chain.front().cell, "假设填" + Num(s.chain.front().digit) + "的格");
      if (s.deadCell >= 0) add(s.deadCell, "推到最后无数可填的格");
      if (s.branchCell >= 0) add(s.branchCell, "每个候选数都导致矛盾的格");
      break;
    default:
      if (IsSubset(t))
        for (int c : s.cells)
          add(c, std::string(IsNakedSubset(t) ? "显性" : "隐性") + (s.cells.size() == 2 ? "数对" : s.cells.size() == 3 ? "三数组" : "四数组") +
                     "的格（" + DigitList(s.digits) + "）");
      break;
  }
  for (const Removal& r : s.removals) add(r.cell, "这里去掉" + Num(r.digit));
  // A cell that loses several digits says so once: "这里去掉2；这里去掉5" becomes "这里去掉2、5".
  for (Part& p : parts) {
    Mask lost = 0;
    for (const Removal& r : s.removals)
      if (r.cell == p.cell) lost |= Solver::Bit(r.digit);
    if (std::popcount(static_cast<unsigned>(lost)) < 2) continue;
    std::string kept;
    std::size_t at = 0;
    while (at <= p.role.size()) {
      std::size_t end = p.role.find("；", at);
      if (end == std::string::npos) end = p.role.size();
      const std::string piece = p.role.substr(at, end - at);
      if (piece.rfind("这里去掉", 0) != 0) kept += (kept.empty() ? "" : "；") + piece;
      at = end + std::string("；").size();
    }
    p.role = kept + (kept.empty() ? "" : "；") + "这里去掉" + DigitList(lost);
  }
  return parts;
}

int Target(const Step& s) { return s.placeCell >= 0 ? s.placeCell : s.removals.empty() ? -1 : s.removals.front().cell; }

}  // namespace velmora::Explain
