// The hint's checks, in order, then the next step put into words.
#include "engine/Coach.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

#include "engine/Explain.h"
#include "engine/Houses.h"
#include "engine/Sudoku.h"

namespace velmora::Coach {

using Explain::CellName;
using Solver::Mask;

namespace {

// What the player sees in a cell: a digit, pencil marks, or nothing.
struct Read {
  Sudoku::Grid clues{};
  Sudoku::Grid digits{};  // clues and the player's digits
  std::array<Mask, 81> marks{};
};

Read ReadBoard(const Board& board) {
  Read r;
  for (int c = 0; c < 81; ++c) {
    const std::string& t = board[c].text;
    const bool digit = t.size() == 1 && t[0] >= '1' && t[0] <= '9';
    if (digit) {
      r.digits[c] = static_cast<std::uint8_t>(t[0] - '0');
      if (board[c].clue) r.clues[c] = r.digits[c];
    } else if (t.size() >= 2) {
      for (char ch : t)
        if (ch >= '1' && ch <= '9') r.marks[c] |= Solver::Bit(ch - '0');
    }
  }
  return r;
}

Hint Words(Kind kind, std::string first, std::string second) {
  Hint h;
  h.kind = kind;
  h.first = std::move(first);
  h.second = std::move(second);
  return h;
}

// The first two cells with one digit in a house, at least one of them the player's; false when none.
bool FindClash(const Read& r, int& a, int& b, Solver::House& where) {
  for (a = 0; a < 81; ++a)
    for (b = a + 1; b < 81; ++b) {
      if (!r.digits[a] || r.digits[a] != r.digits[b] || (r.clues[a] && r.clues[b]) || !Solver::Sees(a, b)) continue;
      const int kind = a / 9 == b / 9 ? 0 : a % 9 == b % 9 ? 1 : 2;
      where = Solver::HouseAt(kind == 0 ? a / 9 : kind == 1 ? 9 + a % 9 : 18 + Sudoku::BoxOf(a));
      return true;
    }
  return false;
}

// Pencil marks as the board writes them: the digits in order, "257".
std::string MarksOf(Mask digits) {
  std::string out;
  for (int d = 1; d <= 9; ++d)
    if (digits & Solver::Bit(d)) out += static_cast<char>('0' + d);
  return out;
}

std::string WithoutDigits(const std::string& text, Mask removed) {
  std::string out;
  for (char ch : text)
    if (!(ch >= '1' && ch <= '9' && (removed & Solver::Bit(ch - '0')))) out += ch;
  return out;
}

}  // namespace

Hint NextHint(const Board& board) {
  const Read r = ReadBoard(board);

  const std::string clueClash = Sudoku::FindConflict(r.clues);
  Sudoku::Grid solution{};
  const int solutions = clueClash.empty() ? Sudoku::CountSolutions(r.clues, 2, &solution) : 0;
  if (solutions == 0)
    return Words(Kind::NoSolution, "这道题无解",
                 clueClash.empty() ? "题目的已知数没有任何一种填法能填满棋盘，所以无法给出提示。"
                                   : "题目的已知数互相冲突，没有任何一种填法能填满棋盘，所以无法给出提示。");
  if (solutions > 1)
    return Words(Kind::SeveralSolutions, "这道题不止一个解",
                 "只凭题目的已知数可以填出不止一种答案，推不出必然的下一步，所以无法给出提示。");

  int a = 0, b = 0;
  Solver::House where{};
  if (FindClash(r, a, b, where)) {
    // Two equal digits in a house: at least one of them is not the solution's, and that is the one to clear.
    const bool wrongA = r.digits[a] != solution[a], wrongB = r.digits[b] != solution[b];
    const int wrong = wrongA ? a : b, right = wrongA ? b : a;
    const std::string d = std::to_string(r.digits[a]);
    Hint h = Words(Kind::Clash, Explain::HouseName(where) + "有两个" + d,
                   CellName(wrong) + "的" + d + "和" + CellName(right) + "的" + d + "重复了，" +
                       (wrongA && wrongB ? "两格都填错了。" : CellName(wrong) + "填错了。"));
    h.tints = {{wrong, "提示：与" + CellName(right) + "重复，填错的格"},
               {right, "提示：与" + CellName(wrong) + "重复" + (wrongA && wrongB ? "，也填错了" : "")}};
    h.target = wrong;
    h.changes = {{wrong, ""}};
    if (wrongA && wrongB) h.changes.push_back({right, ""});
    return h;
  }

  for (int c = 0; c < 81; ++c) {
    if (r.clues[c]) continue;
    if (r.digits[c] && r.digits[c] != solution[c]) {
      Hint h = Words(Kind::Mistake, "有一个数填错了", CellName(c) + "填错了。");
      h.tints = {{c, "提示：填错的格"}};
      h.target = c;
      h.changes = {{c, ""}};
      return h;
    }
    if (!r.digits[c] && r.marks[c] && !(r.marks[c] & Solver::Bit(solution[c]))) {
      Hint h = Words(Kind::Mistake, "有一格的候选数标错了", CellName(c) + "的候选数标错了：它该填的数不在其中。");
      h.tints = {{c, "提示：候选数标错的格"}};
      h.target = c;
      h.changes = {{c, ""}};
      return h;
    }
  }

  const Solver::Position position = Solver::Position::FromDigits(r.digits, r.marks);
  if (position.Solved()) return Words(Kind::Solved, "已经全部填完了", "棋盘已经填满，每个数都是对的。");
  const auto step = Solver::NextStep(position);
  // The position keeps the one solution, so a step is always found; anything else is a fault of the solver.
  if (!step) throw std::logic_error("hint: no step found in " + Sudoku::FormatLine(position.values));
  Hint h = Words(Kind::Step, "看" + Explain::Where(*step) + "：" + Explain::Name(*step), Explain::Reason(*step));
  h.step = *step;
  for (const Explain::Part& p : Explain::Parts(*step)) h.tints.push_back({p.cell, "提示：" + p.role});
  h.target = Explain::Target(*step);
  if (step->placeCell >= 0) {
    h.changes = {{step->placeCell, std::to_string(step->placeDigit)}};
    return h;
  }
  // Each cell the step touches shows what is left of it: its marks without the removed digits, or, where it
  // shows none, its candidates as marks; one digit left is that digit, said in words.
  for (const Solver::Removal& x : step->removals) {
    if (std::any_of(h.changes.begin(), h.changes.end(), [&](const Change& c) { return c.cell == x.cell; })) continue;
    Mask removed = 0;
    for (const Solver::Removal& y : step->removals)
      if (y.cell == x.cell) removed |= Solver::Bit(y.digit);
    const Mask left = position.cand[x.cell] & static_cast<Mask>(~removed);
    if (std::popcount(static_cast<unsigned>(left)) == 1) {
      const std::string digit = Explain::DigitList(left);
      h.changes.push_back({x.cell, digit});
      h.second += CellName(x.cell) + "只剩" + digit + "了，所以填" + digit + "。";
      for (Tint& t : h.tints)
        if (t.cell == x.cell) t.description += "；只剩" + digit + "了";
    } else {
      h.changes.push_back({x.cell, r.marks[x.cell] ? WithoutDigits(board[x.cell].text, removed) : MarksOf(left)});
    }
  }
  return h;
}

std::vector<Change> AllCandidates(const Board& board) {
  const Read r = ReadBoard(board);
  std::vector<Change> changes;
  for (int c = 0; c < 81; ++c) {
    if (board[c].clue || r.digits[c] || board[c].text.size() >= 2) continue;
    Mask seen = 0;
    for (int p : Houses::T().peers[c])
      if (r.digits[p]) seen |= Solver::Bit(r.digits[p]);
    std::string marks;
    for (int d = 1; d <= 9; ++d)
      if (!(seen & Solver::Bit(d))) marks += static_cast<char>('0' + d);
    if (marks.size() >= 2 && marks != board[c].text) changes.push_back({c, marks});
  }
  return changes;
}

std::vector<Change> ClearMarks(const Board& board, int cell) {
  const Read r = ReadBoard(board);
  std::vector<Change> changes;
  if (!r.digits[cell]) return changes;
  for (int p : Houses::T().peers[cell])
    if (r.marks[p] & Solver::Bit(r.digits[cell]))
      changes.push_back({p, WithoutDigits(board[p].text, Solver::Bit(r.digits[cell]))});
  std::sort(changes.begin(), changes.end(), [](const Change& a, const Change& b) { return a.cell < b.cell; });
  return changes;
}

}  // namespace velmora::Coach
