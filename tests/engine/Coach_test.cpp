// The coach behind the hint: its answers for a board as the player sees it, and games played by hints alone.
#include "engine/Coach.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "engine/Explain.h"
#include "engine/QJ.h"
#include "tests/engine/Puzzles.h"
#include "toolkit/Random.h"

using namespace velmora::Coach;
using velmora::Sudoku::Grid;
using velmora::testpuzzles::P;

namespace {

// The puzzle's clues, with the player's entries over it: "r1c3=1" a digit, "r1c3=12" pencil marks.
Board BoardOf(const char* puzzle, const std::string& entries = "") {
  Board b;
  const Grid g = P(puzzle);
  for (int c = 0; c < 81; ++c)
    if (g[c]) b[c] = {true, std::to_string(g[c])};
  std::size_t at = 0;
  while ((at = entries.find('r', at)) != std::string::npos) {
    const int cell = (entries[at + 1] - '1') * 9 + entries[at + 3] - '1';
    const std::size_t end = entries.find(' ', at);
    b[cell].text = entries.substr(at + 5, end == std::string::npos ? std::string::npos : end - at - 5);
    at += 5;
  }
  return b;
}

// The Wikipedia puzzle's solution, row by row.
const char kWikipediaSolution[] =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

}  // namespace

TEST(Coach, AnswersEachKindOfBoardFirstWithWhatIsWrong) {
  using velmora::testpuzzles::kTwoSolutions;
  using velmora::testpuzzles::kWikipedia;
  std::string solvedEntries;
  for (int c = 0; c < 81; ++c)
    if (kWikipedia[c] == '0')
      solvedEntries += "r" + std::to_string(c / 9 + 1) + "c" + std::to_string(c % 9 + 1) + "=" + kWikipediaSolution[c] + " ";
  const struct {
    const char* name;
    Board board;
    Kind kind;
    std::string first, second;
    int target;
    std::vector<Change> changes;
  } cases[] = {
      // r5c5 sees 1, 2, 6, 7, 8, 9 in its column and 3, 4 in its row and box: the first naked single.
      {"a step", BoardOf(kWikipedia), Kind::Step, "看第5行第5列：唯一余数", "第5行第5列只剩5这一个候选数，所以这里填5。",
       40, {{40, "5"}}},
      // The solution has 4 there; the 1 clashes with nothing.
      {"a wrong digit", BoardOf(kWikipedia, "r1c3=1"), Kind::Mistake, "有一个数填错了", "第1行第3列填错了。", 2, {{2, ""}}},
      {"marks without the digit", BoardOf(kWikipedia, "r1c3=12"), Kind::Mistake, "有一格的候选数标错了",
       "第1行第3列的候选数标错了：它该填的数不在其中。", 2, {{2, ""}}},
      {"marks with the digit", BoardOf(kWikipedia, "r1c3=124"), Kind::Step, "看第5行第5列：唯一余数",
       "第5行第5列只剩5这一个候选数，所以这里填5。", 40, {{40, "5"}}},
      // A clash names, outlines and clears the digit that is not the solution's, wherever it stands.
      {"a clash", BoardOf(kWikipedia, "r1c3=5 r2c2=1"), Kind::Clash, "第1行有两个5",
       "第1行第3列的5和第1行第1列的5重复了，第1行第3列填错了。", 2, {{2, ""}}},
      {"a clash in a box", BoardOf(kWikipedia, "r2c2=8"), Kind::Clash, "第1宫有两个8",
       "第2行第2列的8和第3行第3列的8重复了，第2行第2列填错了。", 10, {{10, ""}}},
      // The solution has 4 at r1c3 and 6 at r1c4.
      {"a clash after a right digit", BoardOf(kWikipedia, "r1c3=4 r1c4=4"), Kind::Clash, "第1行有两个4",
       "第1行第4列的4和第1行第3列的4重复了，第1行第4列填错了。", 3, {{3, ""}}},
      {"a clash of two wrong digits", BoardOf(kWikipedia, "r1c3=9 r1c4=9"), Kind::Clash, "第1行有两个9",
       "第1行第3列的9和第1行第4列的9重复了，两格都填错了。", 2, {{2, ""}, {3, ""}}},
      // Singles fill these cells of the puzzle, then stop: box 1 keeps its 6 in column 1, and r4c1, which
      // shows no marks, gets its candidates as marks without the 6.
      {"an elimination without marks",
       BoardOf(velmora::testpuzzles::kNeeds[1].puzzle,
               "r1c3=8 r1c5=2 r1c6=5 r3c6=6 r4c6=2 r5c4=5 r5c5=8 r7c1=7 r7c3=9 r8c1=2 r9c5=3"),
       Kind::Step, "看第1宫：区块摒除", "第1宫的6只能填在第1列，所以第1列在第1宫之外的格不能填6：去掉第4行第1列的6。", 27,
       {{27, "34"}}},
      {"an elimination in marks", BoardOf(velmora::testpuzzles::kNeeds[1].puzzle,
               "r1c3=8 r1c5=2 r1c6=5 r3c6=6 r4c6=2 r5c4=5 r5c5=8 r7c1=7 r7c3=9 r8c1=2 r9c5=3 r4c1=3469"),
       Kind::Step, "看第1宫：区块摒除", "第1宫的6只能填在第1列，所以第1列在第1宫之外的格不能填6：去掉第4行第1列的6。", 27,
       {{27, "349"}}},
      {"several solutions", BoardOf(kTwoSolutions), Kind::SeveralSolutions, "这道题不止一个解",
       "只凭题目的已知数可以填出不止一种答案，推不出必然的下一步，所以无法给出提示。", -1, {}},
      {"clashing clues",
       BoardOf("550070000600195000098000060800060003400803001700020006060000280000419005000080079"),
       Kind::NoSolution, "这道题无解", "题目的已知数互相冲突，没有任何一种填法能填满棋盘，所以无法给出提示。", -1, {}},
      {"a dead cell", BoardOf("123456780000000009000000000000000000000000000000000000000000000000000000000000000"),
       Kind::NoSolution, "这道题无解", "题目的已知数没有任何一种填法能填满棋盘，所以无法给出提示。", -1, {}},
      {"solved", BoardOf(kWikipedia, solvedEntries), Kind::Solved, "已经全部填完了", "棋盘已经填满，每个数都是对的。", -1,
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Hint h = NextHint(c.board);
    EXPECT_EQ(h.kind, c.kind);
    EXPECT_EQ(h.first, c.first);
    EXPECT_EQ(h.second, c.second);
    EXPECT_EQ(h.target, c.target);
    ASSERT_EQ(h.changes.size(), c.changes.size());
    for (std::size_t i = 0; i < h.changes.size(); ++i) {
      EXPECT_EQ(h.changes[i].cell, c.changes[i].cell);
      EXPECT_EQ(h.changes[i].text, c.changes[i].text);
    }
  }
}

TEST(Coach, TintsTheCellsOfTheStepWithTheirPart) {
  const Hint h = NextHint(BoardOf(velmora::testpuzzles::kWikipedia, "r1c3=1"));
  ASSERT_EQ(h.tints.size(), 1u);
  EXPECT_EQ(h.tints[0].cell, 2);
  EXPECT_EQ(h.tints[0].description, "提示：填错的格");
  const Hint step = NextHint(BoardOf(velmora::testpuzzles::kWikipedia));
  ASSERT_EQ(step.tints.size(), 1u);
  EXPECT_EQ(step.tints[0].description, "提示：目标格，只剩5可填");
  const Hint clash = NextHint(BoardOf(velmora::testpuzzles::kWikipedia, "r1c3=5"));
  ASSERT_EQ(clash.tints.size(), 2u);
  EXPECT_EQ(clash.tints[0].description, "提示：与第1行第1列重复，填错的格");
  EXPECT_EQ(clash.tints[1].description, "提示：与第1行第3列重复");
}

namespace {

// The digits a cell can take by the board's digits alone: those its row, column and box do not show.
velmora::Solver::Mask Open(const Board& board, int cell) {
  velmora::Solver::Mask m = 0x1FF;
  for (int o = 0; o < 81; ++o)
    if (o != cell && velmora::Solver::Sees(o, cell) && board[o].text.size() == 1) m &= ~velmora::Solver::Bit(board[o].text[0] - '0');
  return m;
}

velmora::Solver::Mask DigitsOf(const std::string& text) {
  velmora::Solver::Mask m = 0;
  for (char ch : text)
    if (ch >= '1' && ch <= '9') m |= velmora::Solver::Bit(ch - '0');
  return m;
}

// Presses the hint three times over and over, doing each third press on the board, until the board is
// solved. Each hint must be one deduction, true against the solution, that changes the board: a placement
// writes the solution's digit in its cell and nothing else; a removal writes, in exactly the cells it
// removes from, what the cell showed (its marks, or without marks the digits its houses leave) less the
// removed digits, none of them the solution's, one digit left being that digit; the outline is on a
// changed cell.
::testing::AssertionResult SolvedByHints(Board board, const Grid& solution, int* eliminations) {
  for (int press = 0; press < 3000; ++press) {
    const Hint h = NextHint(board);
    if (h.kind == Kind::Solved) return ::testing::AssertionSuccess();
    auto fail = [&] { return ::testing::AssertionFailure() << "hint " << press << ": " << h.first << " " << h.second << " "; };
    if (h.kind != Kind::Step) return fail();
    if (h.changes.empty()) return fail() << "changes nothing";
    const velmora::Solver::Step& s = h.step;
    if (s.placeCell >= 0) {
      if (s.placeDigit != solution[s.placeCell] || h.changes.size() != 1 || h.changes[0].cell != s.placeCell ||
          h.changes[0].text != std::to_string(s.placeDigit))
        return fail() << "a wrong placement";
    } else {
      ++*eliminations;
      std::set<int> cells;
      for (const velmora::Solver::Removal& r : s.removals) {
        if (r.digit == solution[r.cell]) return fail() << "removes the solution's digit";
        cells.insert(r.cell);
      }
      if (cells.size() != h.changes.size()) return fail() << "changes other cells than it removes from";
      for (const Change& c : h.changes) {
        velmora::Solver::Mask removed = 0;
        for (const velmora::Solver::Removal& r : s.removals)
          if (r.cell == c.cell) removed |= velmora::Solver::Bit(r.digit);
        const std::string& before = board[c.cell].text;
        const velmora::Solver::Mask shown = before.size() >= 2 ? DigitsOf(before) : Open(board, c.cell);
        const velmora::Solver::Mask candidates = shown & Open(board, c.cell), left = DigitsOf(c.text);
        const velmora::Solver::Mask expected = c.text.size() == 1 ? candidates & ~removed : shown & ~removed;
        if (!removed || (removed & ~candidates) || left != expected || !(left & velmora::Solver::Bit(solution[c.cell])))
          return fail() << "wrote " << c.text << " over " << before;
        if (c.text.size() == 1 && h.second.find(velmora::Explain::CellName(c.cell) + "只剩" + c.text + "了") == std::string::npos)
          return fail() << "cuts " << velmora::Explain::CellName(c.cell) << " to one digit without a word";
      }
    }
    if (std::none_of(h.changes.begin(), h.changes.end(), [&](const Change& c) { return c.cell == h.target; }))
      return fail() << "outlines a cell it does not change";
    for (const Change& c : h.changes) {
      if (c.text == board[c.cell].text) return fail() << "leaves a cell as it was";
      board[c.cell].text = c.text;
    }
  }
  return ::testing::AssertionFailure() << "no end";
}

}  // namespace

// Players who keep every candidate as pencil marks and players who keep none both reach the solution, one
// deduction a hint.
TEST(Coach, HintsAloneSolveDealsOfEveryLevelWithAndWithoutPencilMarks) {
#ifdef __SANITIZE_ADDRESS__
  const int deals = 10;  // the sanitizers make each game some ten times slower
#else
  const int deals = 200;
#endif
  toolkit::RandSeed = 0;
  velmora::QJ::TQJ qj(nullptr);
  int eliminations = 0;
  for (int level = 1; level <= 4; ++level)
    for (int game = 0; game < deals; ++game) {
      qj.Generate(level);
      Board plain, marked;
      Grid solution{};
      for (const auto* n : qj.Nodes) {
        const int c = (n->Row - 1) * 9 + n->Col - 1;
        solution[c] = static_cast<std::uint8_t>(n->Value);
        if (n->Given) plain[c] = marked[c] = {true, std::to_string(n->Value)};
        else marked[c].text = "123456789";
      }
      ASSERT_TRUE(SolvedByHints(plain, solution, &eliminations)) << "level " << level << " game " << game;
      ASSERT_TRUE(SolvedByHints(marked, solution, &eliminations)) << "level " << level << " game " << game << " marked";
    }
  EXPECT_GT(eliminations, 0);
}

TEST(Coach, EveryCandidateGoesIntoTheOpenCellsWithoutMarks) {
  using velmora::testpuzzles::kWikipedia;
  // r1c3 sees 5, 3, 7 in its row, 8 in its column and 6, 9, 8 in its box: 1, 2, 4 are left.
  const struct {
    const char* name;
    const char* entries;
    int cell;
    const char* text;  // its new text; nullptr: no change for it
  } cases[] = {
      {"an empty cell", "", 2, "124"},
      {"a full stop is no digit", "r1c3=.", 2, "124"},
      {"the player's marks stay", "r1c3=12", 2, nullptr},
      {"a digit stays", "r1c3=4", 2, nullptr},
      {"a digit leaves its peers", "r1c3=4", 3, "26"},
      {"one candidate is no mark", "", 40, nullptr},
      {"a clue stays", "", 0, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<Change> changes = AllCandidates(BoardOf(kWikipedia, c.entries));
    auto it = std::find_if(changes.begin(), changes.end(), [&](const Change& x) { return x.cell == c.cell; });
    if (c.text) {
      ASSERT_NE(it, changes.end());
      EXPECT_EQ(it->text, c.text);
    } else {
      EXPECT_EQ(it, changes.end());
    }
  }
  // Filled, the board gives the coach what it reads from the player's marks: nothing more to fill.
  Board filled = BoardOf(kWikipedia);
  for (const Change& x : AllCandidates(filled)) filled[x.cell].text = x.text;
  EXPECT_TRUE(AllCandidates(filled).empty());
  EXPECT_EQ(NextHint(filled).kind, Kind::Step);
}

TEST(Coach, APlacedDigitLeavesTheMarksOfItsRowColumnAndBox) {
  using velmora::testpuzzles::kWikipedia;
  const struct {
    const char* name;
    const char* entries;
    int cell;
    std::vector<Change> changes;
  } cases[] = {
      {"row, box and column", "r1c3=4 r1c4=246 r2c3=1247 r9c3=34 r5c5=45", 2, {{3, "26"}, {11, "127"}, {74, "3"}}},
      {"no mark holds it", "r1c3=4 r1c4=26", 2, {}},
      {"no digit in the cell", "r1c3=12 r1c4=246", 2, {}},
      {"a clue's digit", "r1c4=256", 0, {{3, "26"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<Change> got = ClearMarks(BoardOf(kWikipedia, c.entries), c.cell);
    ASSERT_EQ(got.size(), c.changes.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].cell, c.changes[i].cell);
      EXPECT_EQ(got[i].text, c.changes[i].text);
    }
  }
}
