// The coach behind the hint: its answers for a board as the player sees it, and games played by hints alone.
#include "engine/Coach.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

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
      {"marks without the digit", BoardOf(kWikipedia, "r1c3=12"), Kind::Mistake, "有一个数填错了",
       "第1行第3列的候选数标错了：它该填的数不在其中。", 2, {{2, ""}}},
      {"marks with the digit", BoardOf(kWikipedia, "r1c3=124"), Kind::Step, "看第5行第5列：唯一余数",
       "第5行第5列只剩5这一个候选数，所以这里填5。", 40, {{40, "5"}}},
      {"a clash", BoardOf(kWikipedia, "r1c3=5 r2c2=1"), Kind::Clash, "第1行有两个5",
       "第1行第1列和第1行第3列都是5，同一行里不能有两个相同的数，请改掉填错的那个。", 2, {}},
      {"a clash in a box", BoardOf(kWikipedia, "r2c2=8"), Kind::Clash, "第1宫有两个8",
       "第2行第2列和第3行第3列都是8，同一宫里不能有两个相同的数，请改掉填错的那个。", 10, {}},
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
  EXPECT_EQ(clash.tints[1].description, "提示：与第1行第1列重复");
}

namespace {

// Presses the hint three times over and over, doing each third press on the board, until the board is
// solved. Every press must change the board, put the solution's digit, and take from pencil marks only
// digits that are not the solution's.
::testing::AssertionResult SolvedByHints(Board board, const Grid& solution, int* eliminations) {
  for (int press = 0; press < 2000; ++press) {
    const Hint h = NextHint(board);
    if (h.kind == Kind::Solved) return ::testing::AssertionSuccess();
    if (h.kind != Kind::Step) return ::testing::AssertionFailure() << "hint " << press << ": " << h.first << h.second;
    if (h.changes.empty()) return ::testing::AssertionFailure() << "hint " << press << " changes nothing: " << h.second;
    if (h.steps.back().placeCell < 0) ++*eliminations;
    for (const Change& c : h.changes) {
      const std::string before = board[c.cell].text, digit = std::to_string(solution[c.cell]);
      const bool placed = c.text.size() == 1;
      if (placed ? c.text != digit : c.text.find(digit) == std::string::npos || c.text.size() >= before.size())
        return ::testing::AssertionFailure() << "hint " << press << " wrote " << c.text << " over " << before;
      board[c.cell].text = c.text;
    }
  }
  return ::testing::AssertionFailure() << "no end";
}

}  // namespace

// Players who keep every candidate as pencil marks and players who keep none both reach the solution.
TEST(Coach, HintsAloneSolveDealsOfEveryLevelWithAndWithoutPencilMarks) {
#ifdef __SANITIZE_ADDRESS__
  const int deals = 3;
#else
  const int deals = 15;
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
      EXPECT_TRUE(SolvedByHints(plain, solution, &eliminations)) << "level " << level << " game " << game;
      EXPECT_TRUE(SolvedByHints(marked, solution, &eliminations)) << "level " << level << " game " << game << " marked";
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
