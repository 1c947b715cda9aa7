// The logic solver: every step sound, every puzzle of one solution solved by named steps alone.
#include "engine/Solver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "engine/Explain.h"
#include "engine/QJ.h"
#include "tests/engine/Puzzles.h"
#include "toolkit/Random.h"

using namespace velmora::Solver;
using velmora::testpuzzles::P;

namespace {

// Walks the steps from the puzzle to its solution, checking each against the solution: a placement puts
// the solution's digit, a removal never takes it. Fails when a step is unsound or none is found.
::testing::AssertionResult SolvesSoundly(const Grid& puzzle, int* hardest = nullptr) {
  Grid solution{};
  if (velmora::Sudoku::CountSolutions(puzzle, 2, &solution) != 1) return ::testing::AssertionFailure() << "not unique";
  Position p = Position::FromDigits(puzzle);
  while (!p.Solved()) {
    const auto step = NextStep(p);
    if (!step) return ::testing::AssertionFailure() << "no step at " << velmora::Sudoku::FormatLine(p.values);
    if (step->placeCell >= 0 && solution[step->placeCell] != step->placeDigit)
      return ::testing::AssertionFailure() << EnglishName(step->technique) << " placed a wrong digit";
    for (const Removal& r : step->removals)
      if (solution[r.cell] == r.digit)
        return ::testing::AssertionFailure() << EnglishName(step->technique) << " removed the solution at " << r.cell
                                             << " in " << velmora::Sudoku::FormatLine(puzzle) << ": "
                                             << velmora::Explain::Reason(*step);
    if (step->placeCell < 0 && step->removals.empty()) return ::testing::AssertionFailure() << "an empty step";
    if (hardest) *hardest = std::max(*hardest, static_cast<int>(step->technique));
    Apply(p, *step);
  }
  return p.values == solution ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << "wrong grid";
}

}  // namespace

TEST(NextStep, SolvesEveryLevelsDealsByNamedStepsAlone) {
#ifdef __SANITIZE_ADDRESS__
  const int deals = 40;  // the sanitizers make each deal some ten times slower
#else
  const int deals = 500;
#endif
  toolkit::RandSeed = 0;
  velmora::QJ::TQJ qj(nullptr);
  for (int level = 1; level <= 4; ++level)
    for (int game = 0; game < deals; ++game) {
      qj.Generate(level);
      Grid puzzle{};
      for (const auto* n : qj.Nodes)
        if (n->Given) puzzle[(n->Row - 1) * 9 + n->Col - 1] = static_cast<std::uint8_t>(n->Value);
      int hardest = 0;
      ASSERT_TRUE(SolvesSoundly(puzzle, &hardest)) << "level " << level << " game " << game;
      // The ladder, read from the hardest step of the whole solution path.
      const Technique top = static_cast<Technique>(hardest);
      const bool fits = level == 1   ? top == Technique::NakedSingle
                        : level == 2 ? top <= Technique::HiddenSingle
                        : level == 3 ? top > Technique::HiddenSingle && top <= Technique::HiddenQuad
                                     : top > Technique::HiddenQuad && top < Technique::ForcingChain;
      EXPECT_TRUE(fits) << "level " << level << " game " << game << " needs " << EnglishName(top);
    }
}

TEST(NextStep, SolvesTheKnownHardPuzzlesByNamedStepsAlone) {
  using namespace velmora::testpuzzles;
  for (const char* line : {kRoyle17, kWikipedia, kInkala, kOneGuess, kEasterMonster})
    EXPECT_TRUE(SolvesSoundly(P(line))) << line;
  for (const auto& c : kNeeds) EXPECT_TRUE(SolvesSoundly(P(c.puzzle))) << c.puzzle;
}

// Where no single assumption runs into a contradiction by singles, one still does once every candidate of
// a later cell is tried: a deeper forcing chain, and still no guess.
TEST(NextStep, AForcingChainThatBranchesSaysSo) {
  Position p = Position::FromDigits(P(velmora::testpuzzles::kEasterMonster));
  std::optional<Step> branching;
  while (!branching) {
    const auto step = NextStep(p);
    ASSERT_TRUE(step);
    if (step->branchCell >= 0) branching = step;
    Apply(p, *step);
  }
  EXPECT_EQ(branching->technique, Technique::ForcingChain);
  ASSERT_EQ(branching->removals.size(), 1u);
  const Removal r = branching->removals[0];
  const std::string cell = velmora::Explain::CellName(r.cell), digit = std::to_string(r.digit);
  EXPECT_EQ(velmora::Explain::Reason(*branching),
            "这一步要试数：假设" + cell + "填" + digit + "，往下推到" + velmora::Explain::CellName(branching->branchCell) +
                "时，把它的每个候选数逐一试填，都会导致矛盾，所以" + cell + "不是" + digit + "。");
}

namespace {

// "r3c5" for a cell.
std::string Name(int cell) { return "r" + std::to_string(cell / 9 + 1) + "c" + std::to_string(cell % 9 + 1); }

// A step as "r1c9=9", or as its removals by cell, "r2c4-4 r2c5-27".
std::string StepText(const Step& s) {
  if (s.placeCell >= 0) return Name(s.placeCell) + "=" + std::to_string(s.placeDigit);
  std::string out;
  for (int cell = 0; cell < 81; ++cell) {
    std::string digits;
    for (const Removal& r : s.removals)
      if (r.cell == cell) digits += static_cast<char>('0' + r.digit);
    if (!digits.empty()) out += (out.empty() ? "" : " ") + Name(cell) + "-" + digits;
  }
  return out;
}

// The puzzle's digits with the candidates of some cells given as marks: "r1c1=27 r1c2=27".
Position PositionOf(const std::string& digits, const std::string& marks) {
  std::array<Mask, 81> m{};
  std::size_t at = 0;
  while ((at = marks.find('r', at)) != std::string::npos) {
    const int cell = (marks[at + 1] - '1') * 9 + marks[at + 3] - '1';
    for (at += 5; at < marks.size() && marks[at] != ' '; ++at) m[cell] |= Bit(marks[at] - '0');
  }
  return Position::FromDigits(P(digits.c_str()), m);
}

const std::string kEmptyRows = std::string(81, '0');
// Rows r (1..9) of an otherwise empty grid.
std::string Rows(std::initializer_list<std::pair<int, const char*>> rows) {
  std::string g = kEmptyRows;
  for (const auto& [r, text] : rows) g.replace((r - 1) * 9, 9, text);
  return g;
}

// Marks every cell but those named with the digits other than `digit`: the digit fits only there.
std::string OnlyIn(int digit, std::initializer_list<const char*> cells) {
  std::string others;
  for (int d = 1; d <= 9; ++d)
    if (d != digit) others += static_cast<char>('0' + d);
  std::string out;
  for (int c = 0; c < 81; ++c) {
    const std::string name = Name(c);
    if (std::none_of(cells.begin(), cells.end(), [&](const char* x) { return name == x; }))
      out += (out.empty() ? "" : " ") + name + "=" + others;
  }
  return out;
}

// Marks `digits` on every cell named.
std::string Mark(std::initializer_list<const char*> cells, const char* digits) {
  std::string out;
  for (const char* c : cells) out += std::string(out.empty() ? "" : " ") + c + "=" + digits;
  return out;
}

struct Worked {
  Technique technique;
  std::string digits, marks;
  const char* step;
  const char* where;
  const char* reason;
};

// Worked examples of every technique, worked out by hand: the position, the step, and its words.
const Worked kWorked[] = {
    {Technique::NakedSingle, Rows({{1, "123456780"}}), "", "r1c9=9", "第1行第9列",
     "第1行第9列只剩9这一个候选数，所以这里填9。"},
    // The 5s of rows 1 and 2 and of columns 2 and 3 leave box 1 one cell.
    {Technique::HiddenSingle, Rows({{1, "000050000"}, {2, "000000500"}, {5, "050000000"}, {7, "005000000"}}), "",
     "r3c1=5", "第1宫", "第1宫里只有第3行第1列能填5（隐性唯一），所以这里填5。"},
    {Technique::HiddenSingle, kEmptyRows,
     Mark({"r1c1", "r1c2", "r1c3", "r1c4", "r1c5", "r1c6", "r1c7", "r1c8"}, "12345689"), "r1c9=7", "第1行",
     "第1行里只有第1行第9列能填7（隐性唯一），所以这里填7。"},
    {Technique::Pointing, Rows({{1, "123000000"}, {3, "567000000"}}), "",
     "r2c4-4 r2c5-4 r2c6-4 r2c7-4 r2c8-4 r2c9-4", "第1宫",
     "第1宫的4只能填在第2行，所以第2行在第1宫之外的格不能填4：去掉第2行第4列、第2行第5列、第2行第6列、第2行第7列、第2行第8列、第2行第9列的4。"},
    {Technique::Claiming, Rows({{5, "000123457"}}), "", "r4c1-6 r4c2-6 r4c3-6 r6c1-6 r6c2-6 r6c3-6", "第5行",
     "第5行的6只能填在第4宫，所以第4宫在第5行之外的格不能填6：去掉第4行第1列、第4行第2列、第4行第3列、第6行第1列、第6行第2列、第6行第3列的6。"},
    {Technique::NakedPair, kEmptyRows, "r1c1=27 r1c2=27",
     "r1c3-27 r1c4-27 r1c5-27 r1c6-27 r1c7-27 r1c8-27 r1c9-27", "第1行",
     "第1行的第1、2列只能填2、7，这两个数一定填在这两格里，所以第1行的其他格不能填2、7：去掉第1行第3列、第1行第4列、第1行第5列、第1行第6列、第1行第7列、第1行第8列、第1行第9列的2、7。"},
    {Technique::HiddenPair, kEmptyRows, Mark({"r1c3", "r1c4", "r1c5", "r1c6", "r1c7", "r1c8", "r1c9"}, "1345689"),
     "r1c1-1345689 r1c2-1345689", "第1行",
     "第1行的2、7只能填在第1、2列，所以这两格只能是2、7，不能是别的数：去掉第1行第1列、第1行第2列的1、3、4、5、6、8、9。"},
    {Technique::NakedTriple, kEmptyRows, "r2c5=13 r5c5=35 r8c5=15",
     "r1c5-135 r3c5-135 r4c5-135 r6c5-135 r7c5-135 r9c5-135", "第5列",
     "第5列的第2、5、8行只能填1、3、5，这三个数一定填在这三格里，所以第5列的其他格不能填1、3、5：去掉第1行第5列、第3行第5列、第4行第5列、第6行第5列、第7行第5列、第9行第5列的1、3、5。"},
    {Technique::HiddenTriple, kEmptyRows, Mark({"r4c5", "r4c6", "r5c4", "r5c6", "r6c4", "r6c5"}, "135679"),
     "r4c4-135679 r5c5-135679 r6c6-135679", "第5宫",
     "第5宫的2、4、8只能填在第4行第4列、第5行第5列、第6行第6列，所以这三格只能是2、4、8，不能是别的数：去掉第4行第4列、第5行第5列、第6行第6列的1、3、5、6、7、9。"},
    {Technique::NakedQuad, kEmptyRows, "r9c1=12 r9c2=23 r9c3=34 r9c4=14",
     "r9c5-1234 r9c6-1234 r9c7-1234 r9c8-1234 r9c9-1234", "第9行",
     "第9行的第1、2、3、4列只能填1、2、3、4，这四个数一定填在这四格里，所以第9行的其他格不能填1、2、3、4：去掉第9行第5列、第9行第6列、第9行第7列、第9行第8列、第9行第9列的1、2、3、4。"},
    {Technique::HiddenQuad, kEmptyRows, Mark({"r2c1", "r4c1", "r6c1", "r8c1", "r9c1"}, "56789"),
     "r1c1-56789 r3c1-56789 r5c1-56789 r7c1-56789", "第1列",
     "第1列的1、2、3、4只能填在第1、3、5、7行，所以这四格只能是1、2、3、4，不能是别的数：去掉第1行第1列、第3行第1列、第5行第1列、第7行第1列的5、6、7、8、9。"},
    // Rows 2 and 7 hold their 3 only in columns 3 and 8.
    {Technique::XWing, kEmptyRows,
     Mark({"r2c1", "r2c2", "r2c4", "r2c5", "r2c6", "r2c7", "r2c9", "r7c1", "r7c2", "r7c4", "r7c5", "r7c6", "r7c7",
           "r7c9"},
          "12456789"),
     "r1c3-3 r1c8-3 r3c3-3 r3c8-3 r4c3-3 r4c8-3 r5c3-3 r5c8-3 r6c3-3 r6c8-3 r8c3-3 r8c8-3 r9c3-3 r9c8-3",
     "第2、7行的3",
     "第2、7行的3都只能填在第3、8列，这两行的3正好占去第3、8列各一个3，所以第3、8列的其他格不能填3：去掉第1行第3列、第3行第3列、第4行第3列、第5行第3列、第6行第3列、第8行第3列、第9行第3列、第1行第8列、第3行第8列、第4行第8列、第5行第8列、第6行第8列、第8行第8列、第9行第8列的3。"},
    // Columns 1, 4 and 7 hold their 5 in rows 2 and 8, 2 and 5, 5 and 8.
    {Technique::Swordfish, kEmptyRows,
     Mark({"r1c1", "r3c1", "r4c1", "r5c1", "r6c1", "r7c1", "r9c1", "r1c4", "r3c4", "r4c4", "r6c4", "r7c4", "r8c4",
           "r9c4", "r1c7", "r2c7", "r3c7", "r4c7", "r6c7", "r7c7", "r9c7"},
          "12346789"),
     "r2c2-5 r2c3-5 r2c5-5 r2c6-5 r2c8-5 r2c9-5 r5c2-5 r5c3-5 r5c5-5 r5c6-5 r5c8-5 r5c9-5 r8c2-5 r8c3-5 r8c5-5 "
     "r8c6-5 r8c8-5 r8c9-5",
     "第1、4、7列的5",
     "第1、4、7列的5都只能填在第2、5、8行，这三列的5正好占去第2、5、8行各一个5，所以第2、5、8行的其他格不能填5：去掉第2行第2列、第2行第3列、第2行第5列、第2行第6列、第2行第8列、第2行第9列、第5行第2列、第5行第3列、第5行第5列、第5行第6列、第5行第8列、第5行第9列、第8行第2列、第8行第3列、第8行第5列、第8行第6列、第8行第8列、第8行第9列的5。"},
    // Rows 1, 3, 6 and 9 hold their 9 in columns 2 and 4, 4 and 6, 6 and 8, 8 and 2.
    {Technique::Jellyfish, kEmptyRows,
     Mark({"r1c1", "r1c3", "r1c5", "r1c6", "r1c7", "r1c8", "r1c9", "r3c1", "r3c2", "r3c3", "r3c5", "r3c7", "r3c8",
           "r3c9", "r6c1", "r6c2", "r6c3", "r6c4", "r6c5", "r6c7", "r6c9", "r9c1", "r9c3", "r9c4", "r9c5", "r9c6",
           "r9c7", "r9c9"},
          "12345678"),
     "r2c2-9 r2c4-9 r2c6-9 r2c8-9 r4c2-9 r4c4-9 r4c6-9 r4c8-9 r5c2-9 r5c4-9 r5c6-9 r5c8-9 r7c2-9 r7c4-9 r7c6-9 "
     "r7c8-9 r8c2-9 r8c4-9 r8c6-9 r8c8-9",
     "第1、3、6、9行的9",
     "第1、3、6、9行的9都只能填在第2、4、6、8列，这四行的9正好占去第2、4、6、8列各一个9，所以第2、4、6、8列的其他格不能填9：去掉第2行第2列、第4行第2列、第5行第2列、第7行第2列、第8行第2列、第2行第4列、第4行第4列、第5行第4列、第7行第4列、第8行第4列、第2行第6列、第4行第6列、第5行第6列、第7行第6列、第8行第6列、第2行第8列、第4行第8列、第5行第8列、第7行第8列、第8行第8列的9。"},
    // Pivot r5c5 {1,2}, pincers r1c5 {2,3} in its column and r5c1 {1,3} in its row: r1c1 sees both pincers.
    {Technique::XYWing, kEmptyRows, "r5c5=12 r5c1=13 r1c5=23", "r1c1-3", "第5行第5列",
     "第5行第5列只能是1、2：若是2，则第1行第5列是3；若是1，则第5行第1列是3。这两格总有一格是3，所以与这两格都同行、同列或同宫的格不能是3：去掉第1行第1列的3。"},
    // Pivot r2c2 {1,2,7}, pincers r2c8 {1,7} in its row and r3c1 {2,7} in its box.
    {Technique::XYZWing, kEmptyRows, "r2c2=127 r2c8=17 r3c1=27", "r2c1-7 r2c3-7", "第2行第2列",
     "第2行第2列只能是1、2、7：若是7，它自己就是7；若是1，则第2行第8列是7；若是2，则第3行第1列是7。这三格总有一格是7，所以与这三格都同行、同列或同宫的格不能是7：去掉第2行第1列、第2行第3列的7。"},
    // The 4s of row 1, column 6 and row 5 each have two places: r1c1 - r1c6 - r5c6 - r5c2.
    {Technique::SimpleColouring, kEmptyRows,
     Mark({"r1c2", "r1c3", "r1c4", "r1c5", "r1c7", "r1c8", "r1c9", "r2c6", "r3c6", "r4c6", "r6c6", "r7c6", "r8c6",
           "r9c6", "r5c1", "r5c3", "r5c4", "r5c5", "r5c7", "r5c8", "r5c9"},
          "12356789"),
     "r2c2-4 r3c2-4 r4c1-4 r6c1-4", "数字4",
     "沿着4的共轭对（一行、一列或一宫里仅有的两个4）把相连的格交替染成两色：第1行第1列、第5行第6列为一色，第1行第6列、第5行第2列为另一色；两色中必有一色全是4。与两色各一格同行、同列或同宫的格不能是4：去掉第2行第2列、第3行第2列、第4行第1列、第6行第1列的4。"},
    // The 4s of row 1, column 5, row 4 and column 2 each have two places: r1c1 - r1c5 - r4c5 - r4c2 - r2c2,
    // and the two ends, of one colour, share box 1.
    {Technique::SimpleColouring, kEmptyRows,
     Mark({"r1c2", "r1c3", "r1c4", "r1c6", "r1c7", "r1c8", "r1c9", "r2c5", "r3c5", "r5c5", "r6c5", "r7c5", "r8c5",
           "r9c5", "r4c1", "r4c3", "r4c4", "r4c6", "r4c7", "r4c8", "r4c9", "r3c2", "r5c2", "r6c2", "r7c2", "r8c2",
           "r9c2"},
          "12356789"),
     "r1c1-4 r2c2-4 r4c5-4", "数字4",
     "沿着4的共轭对（一行、一列或一宫里仅有的两个4）把相连的格交替染成两色：第1行第1列、第2行第2列、第4行第5列为一色，第1行第5列、第4行第2列为另一色；两色中必有一色全是4。第1行第1列和第2行第2列同色又同在第1宫，不能都是4，所以这一色全不是4：去掉第1行第1列、第2行第2列、第4行第5列的4。"},
    // Columns 1 and 4 hold their 6 only in rows 2 and 7, and rows 2 and 9: a skyscraper.
    {Technique::XChain, kEmptyRows,
     Mark({"r1c1", "r3c1", "r4c1", "r5c1", "r6c1", "r8c1", "r9c1", "r1c4", "r3c4", "r4c4", "r5c4", "r6c4", "r7c4",
           "r8c4"},
          "12345789"),
     "r7c5-6 r7c6-6 r9c2-6 r9c3-6", "数字6",
     "若第7行第1列不是6，则第2行第1列是6（第1列只有这两格能填6），第2行第4列不是6（同在第2行），第9行第4列是6（第4列只有这两格能填6）。所以第7行第1列和第9行第4列至少有一个是6，与这两格都同行、同列或同宫的格不能是6：去掉第7行第5列、第7行第6列、第9行第2列、第9行第3列的6。"},
    {Technique::XYChain, kEmptyRows, "r1c1=12 r1c5=23 r6c5=34 r6c2=14",
     "r1c2-1 r2c2-1 r3c2-1 r4c1-1 r5c1-1 r6c1-1", "第1行第1列",
     "若第1行第1列不是1，则它就是2（这格只有1、2），第1行第5列不是2（同在第1行），就是3（这格只有2、3），第6行第5列不是3（同在第5列），就是4（这格只有3、4），第6行第2列不是4（同在第6行），就是1（这格只有1、4）。所以第1行第1列和第6行第2列至少有一个是1，与这两格都同行、同列或同宫的格不能是1：去掉第1行第2列、第2行第2列、第3行第2列、第4行第1列、第5行第1列、第6行第1列的1。"},
    // Two clusters of 4: r1c1 - r5c1 - r5c5 first, by column 1 and row 5, which rules nothing out; then
    // r4c4 - r4c8 - r9c8 - r9c5, by row 4, column 8 and row 9. r5c5, of the first, sees r4c4 in box 5 and
    // r9c5 in column 5, one of each colour of the second: it loses its 4.
    {Technique::SimpleColouring, kEmptyRows,
     OnlyIn(4, {"r1c1", "r2c5", "r3c7", "r3c9", "r4c4", "r4c8", "r5c1", "r5c5", "r6c6", "r7c2", "r8c3", "r9c5", "r9c8"}),
     "r5c5-4", "数字4", "沿着4的共轭对（一行、一列或一宫里仅有的两个4）把相连的格交替染成两色：第4行第4列、第9行第8列为一色，第4行第8列、第9行第5列为另一色；两色中必有一色全是4。与两色各一格同行、同列或同宫的格不能是4：去掉第5行第5列的4。"},
    // r1c1 is 1 or 2; column 5 holds its 2 only in r1c5 and r5c5, row 5 its 3 only in r5c5 and r5c2, and r2c2
    // is 1 or 3: if r1c1 is not 1 it is 2, r1c5 is not 2, r5c5 is 2 and not 3, r5c2 is 3, r2c2 is not 3 but
    // 1. So r1c1 or r2c2 is 1, and the rest of box 1 is not.
    {Technique::AlternatingChain, kEmptyRows,
     "r1c1=12 r2c2=13 r5c5=234 " + Mark({"r2c5", "r3c5", "r4c5", "r6c5", "r7c5", "r8c5", "r9c5"}, "13456789") + " " +
         Mark({"r5c1", "r5c3", "r5c4", "r5c6", "r5c7", "r5c8", "r5c9"}, "12456789"),
     "r1c2-1 r1c3-1 r2c1-1 r2c3-1 r3c1-1 r3c2-1 r3c3-1", "第1行第1列", "若第1行第1列不是1，则它就是2（这格只有1、2），第1行第5列不是2（同在第1行），第5行第5列是2（第5列只有这两格能填2），它就不是3，第5行第2列是3（第5行只有这两格能填3），第2行第2列不是3（同在第2列），就是1（这格只有1、3）。所以第1行第1列和第2行第2列至少有一个是1，与这两格都同行、同列或同宫的格不能是1：去掉第1行第2列、第1行第3列、第2行第1列、第2行第3列、第3行第1列、第3行第2列、第3行第3列的1。"},
    {Technique::ForcingChain, kEmptyRows, "r1c1=12 r1c5=13 r5c5=35 r5c1=15", "r1c1-1", "第1行第1列的1",
     "这一步要试数：假设第1行第1列填1，则第1行第5列只能填3，第5行第1列只能填5，第5行第5列就无数可填了，矛盾，所以第1行第1列不是1。"},
    // Row 9 keeps its 5 in r9c1 and r9c2, both in box 7: a 5 elsewhere in box 7 leaves row 9 none.
    {Technique::ForcingChain, kEmptyRows, Mark({"r9c3", "r9c4", "r9c5", "r9c6", "r9c7", "r9c8", "r9c9"}, "12346789"),
     "r7c1-5", "第7行第1列的5", "这一步要试数：假设第7行第1列填5，则第9行就没有地方能填5了，矛盾，所以第7行第1列不是5。"},
};

}  // namespace

TEST(Techniques, EachWorkedExampleGivesItsStepAndSentence) {
  for (const Worked& w : kWorked) {
    SCOPED_TRACE(EnglishName(w.technique));
    const auto step = FindStep(PositionOf(w.digits, w.marks), w.technique);
    ASSERT_TRUE(step);
    EXPECT_EQ(step->technique, w.technique);
    EXPECT_EQ(StepText(*step), w.step);
    EXPECT_EQ(velmora::Explain::Where(*step), w.where);
    EXPECT_EQ(velmora::Explain::Reason(*step), w.reason);
  }
}

// Each cell of a step says its part, for the tint and for a screen reader.
TEST(Techniques, EachCellOfAStepSaysItsPart) {
  const struct {
    Technique technique;
    int example;  // which worked example of the technique
    std::vector<std::pair<const char*, const char*>> parts;
  } cases[] = {
      {Technique::HiddenSingle, 0, {{"r3c1", "目标格，第1宫里唯一能填5的格"}}},
      {Technique::NakedPair, 0, {{"r1c1", "显性数对的格（2、7）"}, {"r1c2", "显性数对的格（2、7）"}, {"r1c3", "这里去掉2、7"},
                                 {"r1c4", "这里去掉2、7"}, {"r1c5", "这里去掉2、7"}, {"r1c6", "这里去掉2、7"},
                                 {"r1c7", "这里去掉2、7"}, {"r1c8", "这里去掉2、7"}, {"r1c9", "这里去掉2、7"}}},
      {Technique::XYWing, 0, {{"r5c5", "枢纽格"}, {"r1c5", "翼格"}, {"r5c1", "翼格"}, {"r1c1", "这里去掉3"}}},
      {Technique::SimpleColouring, 1, {{"r1c1", "染色的一色；这里去掉4"}, {"r1c5", "染色的另一色"},
                                       {"r2c2", "染色的一色；这里去掉4"}, {"r4c2", "染色的另一色"},
                                       {"r4c5", "染色的一色；这里去掉4"}}},
      // A chain's cells carry it whole, link by link with each link's reason.
      {Technique::XChain, 0, {{"r7c1", "链的起点：若不是6"}, {"r2c1", "第1环：第2行第1列是6（第1列只有这两格能填6）"},
                              {"r2c4", "第2环：第2行第4列不是6（同在第2行）"},
                              {"r9c4", "第3环：第9行第4列是6（第4列只有这两格能填6）"}, {"r7c5", "这里去掉6"},
                              {"r7c6", "这里去掉6"}, {"r9c2", "这里去掉6"}, {"r9c3", "这里去掉6"}}},
      {Technique::ForcingChain, 0, {{"r1c1", "试数：假设填1的格；这里去掉1"}, {"r1c5", "第1步：只能填3"},
                                    {"r5c1", "第2步：只能填5"}, {"r5c5", "推到最后无数可填的格"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(EnglishName(c.technique));
    const Worked* w = nullptr;
    int seen = 0;
    for (const Worked& x : kWorked)
      if (x.technique == c.technique && seen++ == c.example) w = &x;
    ASSERT_NE(w, nullptr);
    const auto step = FindStep(PositionOf(w->digits, w->marks), w->technique);
    ASSERT_TRUE(step);
    std::vector<std::pair<std::string, std::string>> got, want;
    for (const auto& p : velmora::Explain::Parts(*step)) got.push_back({Name(p.cell), p.role});
    for (const auto& [cell, role] : c.parts) want.push_back({cell, role});
    EXPECT_EQ(got, want);
  }
}
