// The collection maker: solver, rating, generator, the game's reading rules and the commands.
#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <set>
#include <sstream>

#include "tests/TempDir.h"
#include "toolkit/Classes.h"
#include "toolkit/SysUtils.h"
#include "tools/tkmaker/Collection.h"
#include "tools/tkmaker/Commands.h"
#include "tools/tkmaker/Generator.h"

using namespace tkmaker;

namespace {

// The first of Gordon Royle's published 17-clue puzzles.
const char kRoyle17[] = "000000010400000000020000000000050407008000300001090000300400200050100000000806000";
// The example puzzle of the Wikipedia article, solved by singles alone.
const char kWikipedia[] = "530070000600195000098000060800060003400803001700020006060000280000419005000080079";
// The same without the 4 and 9 of row 8: rows 6 and 8 then swap a 4 and a 9 freely.
const char kTwoSolutions[] = "530070000600195000098000060800060003400803001700020006060000280000010005000080079";
// Arto Inkala's 2012 puzzle, published as the hardest of its day.
const char kInkala[] = "800000000003600000070090200050007000000045700000100030001000068008500010090000400";
// Beyond every technique the rating knows until one cell is given; then they finish it.
const char kOneGuess[] = "001930000070000309040020700008000100000000670900140205002003500000000008500000900";

Grid P(const char* line) {
  Grid g{};
  std::string why;
  EXPECT_TRUE(ParseLine(line, g, &why)) << why;
  return g;
}

// A complete grid that keeps every clue and repeats no digit in a row, column or box.
::testing::AssertionResult SolvesPuzzle(const Grid& solution, const Grid& puzzle) {
  for (int i = 0; i < 81; ++i) {
    if (solution[i] < 1 || solution[i] > 9) return ::testing::AssertionFailure() << "cell " << i << " empty";
    if (puzzle[i] && puzzle[i] != solution[i]) return ::testing::AssertionFailure() << "clue " << i << " changed";
  }
  for (int u = 0; u < 9; ++u) {
    std::set<int> row, col, box;
    for (int j = 0; j < 9; ++j) {
      row.insert(solution[u * 9 + j]);
      col.insert(solution[j * 9 + u]);
      box.insert(solution[(u / 3 * 3 + j / 3) * 9 + u % 3 * 3 + j % 3]);
    }
    if (row.size() != 9 || col.size() != 9 || box.size() != 9)
      return ::testing::AssertionFailure() << "unit " << u << " repeats a digit";
  }
  return ::testing::AssertionSuccess();
}

std::string Tk(std::vector<std::string> args, int* code, std::string* errors = nullptr,
               const std::string& program = "tkmaker") {
  std::ostringstream out, err;
  *code = RunCommand(program, args, out, err);
  if (errors) *errors = err.str();
  return out.str();
}

std::string Collect(const std::string& text) {
  toolkit::TStringList lines;
  lines.set_Text(text);
  std::string report;
  for (const auto& p : CheckCollection(lines)) report += std::to_string(p.line) + ": " + p.message + "\n";
  return report;
}

}  // namespace

TEST(OneLineForm, ReadsDotsAndZerosAndRejectsOtherText) {
  Grid g;
  ASSERT_TRUE(ParseLine("  " + std::string(kWikipedia).replace(2, 1, ".") + " \r", g));
  EXPECT_EQ(FormatLine(g), kWikipedia);
  EXPECT_EQ(ClueCount(g), 30);
  std::string why;
  EXPECT_FALSE(ParseLine(std::string(kWikipedia).substr(1), g, &why));
  EXPECT_NE(why.find("80"), std::string::npos) << why;
  EXPECT_FALSE(ParseLine(std::string(kWikipedia).replace(40, 1, "x"), g, &why));
  EXPECT_NE(why.find("41"), std::string::npos) << why;
}

TEST(Solver, FindsTheOneSolutionOfASeventeenCluePuzzle) {
  Grid puzzle = P(kRoyle17), solution{};
  EXPECT_EQ(ClueCount(puzzle), 17);
  EXPECT_EQ(CountSolutions(puzzle, 10, &solution), 1);
  EXPECT_TRUE(SolvesPuzzle(solution, puzzle));
  EXPECT_TRUE(HasUniqueSolution(solution));
}

TEST(Solver, CountsTwoSolutionsAndStopsAtTheLimit) {
  Grid puzzle = P(kTwoSolutions), first{};
  EXPECT_EQ(CountSolutions(puzzle, 10, &first), 2);
  EXPECT_EQ(CountSolutions(puzzle, 2), 2);
  EXPECT_EQ(CountSolutions(puzzle, 1), 1);
  EXPECT_FALSE(HasUniqueSolution(puzzle));
  EXPECT_TRUE(SolvesPuzzle(first, puzzle));
  EXPECT_EQ(CountSolutions(Grid{}, 2), 2);
}

TEST(Solver, ClashingCluesAndADeadCellHaveNoSolution) {
  Grid row = P(kWikipedia);
  row[2] = 5;
  EXPECT_EQ(FindConflict(row), "two 5s in row 1");
  EXPECT_EQ(CountSolutions(row, 2), 0);
  Grid col{}, box{};
  col[4] = col[76] = 7;
  box[0] = box[20] = 3;
  EXPECT_EQ(FindConflict(col), "two 7s in column 5");
  EXPECT_EQ(FindConflict(box), "two 3s in box 1");
  EXPECT_EQ(FindConflict(P(kWikipedia)), "");
  // Row 1 holds 1..8 and the 9 sits below its last cell: no clue clashes, yet that cell is dead.
  Grid dead = P("123456780000000009000000000000000000000000000000000000000000000000000000000000000");
  EXPECT_EQ(FindConflict(dead), "");
  EXPECT_EQ(CountSolutions(dead, 2), 0);
}

TEST(Solver, RandomGridsAreValidAndFollowTheSeed) {
  std::mt19937 a(5), b(5), c(6);
  Grid ga = RandomSolvedGrid(a);
  EXPECT_TRUE(SolvesPuzzle(ga, Grid{}));
  EXPECT_EQ(ga, RandomSolvedGrid(b));
  EXPECT_NE(ga, RandomSolvedGrid(c));
  int seen[9] = {};
  for (int i = 0; i < 9000; ++i) ++seen[RandomBelow(a, 9)];
  for (int n : seen) EXPECT_GT(n, 800);
}

TEST(Rating, GradesAKnownEasyAndAKnownVeryHardPuzzleInOrder) {
  Rating easy = Rate(P(kWikipedia)), hard = Rate(P(kInkala));
  EXPECT_EQ(easy.grade, Grade::Easy);
  EXPECT_EQ(easy.guesses, 0);
  EXPECT_EQ(hard.grade, Grade::VeryHard);
  EXPECT_GT(hard.guesses, 0);
  EXPECT_TRUE(EasierThan(easy, hard));
  EXPECT_FALSE(EasierThan(hard, easy));
  EXPECT_TRUE(SolveWithLogic(P(kWikipedia), Technique::NakedSingle));
  EXPECT_FALSE(SolveWithLogic(P(kInkala), Technique::Swordfish));
}

TEST(Rating, RefusesPuzzlesWithoutExactlyOneSolution) {
  EXPECT_THROW(Rate(P(kTwoSolutions)), std::invalid_argument);
  Grid clash = P(kWikipedia);
  clash[2] = 5;
  EXPECT_THROW(Rate(clash), std::invalid_argument);
}

// Each puzzle needs exactly this technique: it solves with it and stalls without it.
// The puzzles were checked against a separate implementation of the same techniques.
const struct {
  Technique technique;
  const char* puzzle;
} kNeeds[] = {
  {Technique::NakedSingle, "020508000600000915000039000000005070000010009002006100009004800040250000000000053"},
  {Technique::LockedCandidates, "090000040075000023100000580000070000900004061500013000000460000006057000800209000"},
  {Technique::NakedPair, "100009000950000730000004005600080290000060008080000000060000000008000614370002050"},
  {Technique::HiddenPair, "007300014040001800000079600000000020000003009825060000070000000039600040004000000"},
  {Technique::NakedTriple, "190000380070008001000005700000000000650407000024000890000300610003500004000080000"},
  {Technique::HiddenTriple, "970000010005094003000700800000401005503007000400000200000906100200000300090040007"},
  {Technique::XWing, "002009603000020000500800000608000470009001000400090000003004000000070062070012800"},
  {Technique::XYWing, "089000000000080250540000019300600000004007005100000000200300007010400900006008000"},
  {Technique::NakedQuad, "300050009800061050050200000030000070900007806006040010600000000000000348012083007"},
  {Technique::Swordfish, "209000100050000006004070308000000069087560003405009000030090000002010084800000000"},
};

TEST(Rating, EachTechniqueIsFoundWhereItIsNeeded) {
  for (const auto& c : kNeeds) {
    SCOPED_TRACE(TechniqueName(c.technique));
    Grid puzzle = P(c.puzzle), solution{}, reached{};
    ASSERT_EQ(CountSolutions(puzzle, 2, &solution), 1);
    EXPECT_TRUE(SolveWithLogic(puzzle, c.technique, &reached));
    EXPECT_EQ(reached, solution);
    EXPECT_FALSE(SolveWithLogic(puzzle, static_cast<Technique>(static_cast<int>(c.technique) - 1)));
    Rating r = Rate(puzzle);
    EXPECT_EQ(r.hardest, c.technique);
    EXPECT_EQ(r.grade, GradeOf(c.technique));
    EXPECT_EQ(r.guesses, 0);
  }
  EXPECT_EQ(GradeOf(Technique::HiddenPair), Grade::Medium);
  EXPECT_EQ(GradeOf(Technique::XWing), Grade::Hard);
}

// Rows and columns play the same part, so a puzzle mirrored on its diagonal needs the same.
TEST(Rating, AMirroredPuzzleNeedsTheSameTechnique) {
  for (const auto& c : kNeeds) {
    SCOPED_TRACE(TechniqueName(c.technique));
    Grid puzzle = P(c.puzzle), mirrored{};
    for (int r = 0; r < 9; ++r)
      for (int col = 0; col < 9; ++col) mirrored[col * 9 + r] = puzzle[r * 9 + col];
    EXPECT_EQ(Rate(mirrored).hardest, c.technique);
  }
}

TEST(Rating, MoreGuessesRankHarderWithinVeryHard) {
  Rating one = Rate(P(kOneGuess)), many = Rate(P(kInkala));
  ASSERT_EQ(one.grade, Grade::VeryHard);
  EXPECT_EQ(one.guesses, 1);
  EXPECT_GT(many.guesses, 1);
  EXPECT_TRUE(EasierThan(one, many));
  EXPECT_FALSE(EasierThan(many, one));
}

TEST(Generator, PuzzlesHaveOneSolutionAndNoSpareClue) {
  std::mt19937 rng(2024);
  for (int i = 0; i < 6; ++i) {
    auto made = Generate(rng, {});
    ASSERT_TRUE(made);
    EXPECT_TRUE(SolvesPuzzle(made->solution, made->puzzle));
    Grid found{};
    ASSERT_EQ(CountSolutions(made->puzzle, 2, &found), 1);
    EXPECT_EQ(found, made->solution);
    for (int c = 0; c < 81; ++c) {
      if (!made->puzzle[c]) continue;
      Grid fewer = made->puzzle;
      fewer[c] = 0;
      EXPECT_EQ(CountSolutions(fewer, 2), 2) << "clue " << c << " is not needed";
    }
  }
}

TEST(Generator, MakesTheWantedGradeAndRepeatsForTheSameSeed) {
  for (Grade grade : {Grade::Easy, Grade::Medium, Grade::Hard, Grade::VeryHard}) {
    SCOPED_TRACE(GradeName(grade));
    std::mt19937 a(11), b(11);
    GenerateOptions options;
    options.grade = grade;
    auto first = Generate(a, options), again = Generate(b, options);
    ASSERT_TRUE(first && again);
    EXPECT_EQ(first->puzzle, again->puzzle);
    EXPECT_EQ(Rate(first->puzzle).grade, grade);
    EXPECT_TRUE(HasUniqueSolution(first->puzzle));
    auto next = Generate(a, options);
    ASSERT_TRUE(next);
    EXPECT_NE(next->puzzle, first->puzzle);
  }
}

TEST(Generator, SymmetricPuzzlesMirrorTheirClues) {
  std::mt19937 rng(3);
  GenerateOptions options;
  options.symmetric = true;
  for (int i = 0; i < 3; ++i) {
    auto made = Generate(rng, options);
    ASSERT_TRUE(made);
    EXPECT_TRUE(HasUniqueSolution(made->puzzle));
    for (int c = 0; c < 81; ++c) EXPECT_EQ(made->puzzle[c] != 0, made->puzzle[80 - c] != 0) << c;
  }
}

TEST(Collection, EveryLineWithABracketIsATitleInFileOrder) {
  toolkit::TStringList lines;
  lines.set_Text("intro\nLevel [1] easy\n123\n[x\nplain\nend]\n");
  Collection c(lines);
  ASSERT_EQ(c.Titles().size(), 2u);
  EXPECT_EQ(c.Titles()[0].text, "Level [1] easy");
  EXPECT_EQ(c.Titles()[0].line, 1);
  EXPECT_EQ(c.Titles()[1].text, "[x");  // inside the first block, yet still listed
  EXPECT_EQ(c.Find("[x"), 3);
  EXPECT_EQ(c.Find("[y"), -1);
  EXPECT_THROW(c.Play("[y"), toolkit::Exception);
}

TEST(Collection, ShortRowsAndMissingRowsAreEmptyAndExtraCharactersIgnored) {
  toolkit::TStringList lines;
  lines.set_Text("[a]\n5\n\n123456789xyz\n0000000019");
  Grid g = Collection(lines).Play("[a]");
  Grid want{};
  want[0] = 5;
  for (int c = 0; c < 9; ++c) want[18 + c] = static_cast<std::uint8_t>(c + 1);
  want[35] = 1;
  EXPECT_EQ(g, want);
}

TEST(Collection, ATitleWithinABlockIsReadAsARowAndStillPlaysItsOwnBlock) {
  std::string rows;
  for (int r = 0; r < 9; ++r) rows += "000000000\n";
  toolkit::TStringList lines;
  lines.set_Text("[1]\n100000000\n[2]\n" + rows);
  Collection c(lines);
  EXPECT_THROW(c.Play("[1]"), toolkit::EConvertError);
  EXPECT_EQ(c.Play("[2]"), Grid{});
  std::string report = Collect(lines.Text());
  EXPECT_NE(report.find("1: [1] fails to play: row 2 column 1 is '['"), std::string::npos) << report;
  EXPECT_NE(report.find("line 3 is a title"), std::string::npos) << report;
}

TEST(Collection, ARepeatedTitlePlaysTheFirstBlock) {
  std::string easy = std::string(kWikipedia), other = std::string(kRoyle17);
  std::string text = "[same]\n";
  for (int r = 0; r < 9; ++r) text += easy.substr(r * 9, 9) + "\n";
  text += "[same]\n";
  for (int r = 0; r < 9; ++r) text += other.substr(r * 9, 9) + "\n";
  toolkit::TStringList lines;
  lines.set_Text(text);
  EXPECT_EQ(Collection(lines).Play("[same]"), P(kWikipedia));
  EXPECT_EQ(Collect(text), "11: [same] repeats the title of line 1, so it plays that puzzle\n");
}

TEST(Collection, AnyCellButADigitFailsToPlay) {
  for (std::string cell : {".", " ", "a", "["}) {
    SCOPED_TRACE("cell '" + cell + "'");
    toolkit::TStringList lines;
    lines.set_Text("[t]\n12" + cell + "000000");
    EXPECT_THROW(Collection(lines).Play("[t]"), toolkit::EConvertError);
    EXPECT_NE(Collect(lines.Text()).find("row 1 column 3"), std::string::npos);
  }
}

TEST(Collection, EveryKindOfLineBreakReadsTheSame) {
  std::string text = "[w]\n";
  for (int r = 0; r < 9; ++r) text += std::string(kWikipedia).substr(r * 9, 9) + "\n";
  for (std::string brk : {"\r\n", "\r", "\n"}) {
    std::string t = text;
    for (std::size_t at = 0; (at = t.find('\n', at)) != std::string::npos; at += brk.size()) t.replace(at, 1, brk);
    toolkit::TStringList lines;
    lines.set_Text(t);
    EXPECT_EQ(Collection(lines).Play("[w]"), P(kWikipedia));
  }
}

TEST(Collection, PositionsCountTheBytesOfTheFileCodePage) {
  TempDir dir;
  // "[第一关]" and a row starting with "中" in code page 936: each Chinese character is two bytes.
  toolkit::WriteFileBytes("t.vlm", "[\xB5\xDA\xD2\xBB\xB9\xD8]\r\n\xD6\xD0" "1234567\r\n");
  toolkit::TStringList lines;
  lines.LoadFromFile("t.vlm");
  Collection c(lines);
  ASSERT_EQ(c.Titles().size(), 1u);
  EXPECT_EQ(c.Titles()[0].text, "[\xE7\xAC\xAC\xE4\xB8\x80\xE5\x85\xB3]");
  Cells cells = c.CellsAfter(0);
  EXPECT_EQ(cells[0], '\xD6');
  EXPECT_EQ(cells[2], '1');
  EXPECT_EQ(cells[8], '7');
  EXPECT_THROW(c.Play(c.Titles()[0].text), toolkit::EConvertError);
  EXPECT_NE(Collect(lines.Text()).find("row 1 column 1 is byte 0xD6"), std::string::npos);
}

TEST(Collection, WrittenFilesAreCrLfAndReadBackAsTheSamePuzzles) {
  TempDir dir;
  std::vector<Grid> puzzles = {P(kWikipedia), P(kRoyle17), P(kInkala)};
  toolkit::TStringList out;
  WriteCollection(puzzles, out);
  out.SaveToFile("tk.vlm");
  std::string bytes = toolkit::ReadFileBytes("tk.vlm");
  EXPECT_EQ(bytes.substr(0, 31), "[00001]\r\n530070000\r\n600195000\r\n");
  EXPECT_EQ(bytes.size(), 3u * (9u + 9u * 11u));  // every line, the last one too, ends with CR LF
  toolkit::TStringList in;
  in.LoadFromFile("tk.vlm");
  Collection c(in);
  ASSERT_EQ(c.Titles().size(), 3u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(c.Play(TitleFor(i + 1)), puzzles[i]);
  EXPECT_EQ(CheckCollection(in).size(), 0u);
}

TEST(Collection, CheckReportsUnsolvableAndAmbiguousPuzzlesByTitleLine) {
  std::vector<Grid> puzzles = {P(kWikipedia), P(kTwoSolutions), P(kWikipedia)};
  puzzles[2][2] = 5;
  toolkit::TStringList lines;
  WriteCollection(puzzles, lines);
  EXPECT_EQ(Collect(lines.Text()),
            "11: [00002] has several solutions\n"
            "21: [00003] has no solution: two 5s in row 1\n");
  EXPECT_EQ(Collect("no titles here\n"), "0: no title lines: the game would list no puzzle\n");
}

TEST(Commands, BuildReportsBadLinesByNumberAndWritesNothing) {
  TempDir dir;
  toolkit::WriteFileBytes("in.txt", std::string("# comment\n\n") + kWikipedia + "\n12345\n" + kTwoSolutions +
                                        "\n" + kWikipedia + "\n");
  int code;
  std::string errors;
  Tk({"build", "in.txt", "-o", "tk.vlm"}, &code, &errors);
  EXPECT_EQ(code, 1);
  EXPECT_NE(errors.find("in.txt:4: not a puzzle"), std::string::npos) << errors;
  EXPECT_NE(errors.find("in.txt:5: has several solutions"), std::string::npos) << errors;
  EXPECT_NE(errors.find("in.txt:6: repeats the puzzle of line 3"), std::string::npos) << errors;
  EXPECT_FALSE(toolkit::FileExists("tk.vlm"));
}

TEST(Commands, BuildSortsEasyFirstAndCheckAcceptsTheResult) {
  TempDir dir;
  std::string in = std::string(kInkala) + "\r\n" + kOneGuess + "\r\n";
  for (int i = static_cast<int>(std::size(kNeeds)) - 1; i >= 0; --i) in += std::string(kNeeds[i].puzzle) + "\r\n";
  toolkit::WriteFileBytes("in.txt", in + kWikipedia + "\r\n");
  int code;
  Tk({"build", "in.txt", "-o", "tk.vlm", "--sort"}, &code);
  ASSERT_EQ(code, 0);
  toolkit::TStringList lines;
  lines.LoadFromFile("tk.vlm");
  Collection built(lines);
  const int count = static_cast<int>(std::size(kNeeds)) + 3;
  ASSERT_EQ(built.Titles().size(), static_cast<std::size_t>(count));
  EXPECT_EQ(built.Play("[00001]"), P(kWikipedia));
  EXPECT_EQ(built.Play(TitleFor(count - 1)), P(kOneGuess));
  EXPECT_EQ(built.Play(TitleFor(count)), P(kInkala));
  for (int i = 1; i < count; ++i)
    EXPECT_LE(Rate(built.Play(TitleFor(i))).hardest, Rate(built.Play(TitleFor(i + 1))).hardest) << i;
  std::string report = Tk({"check", "tk.vlm"}, &code);
  EXPECT_EQ(code, 0) << report;
  lines.Put(3, "53.070000");
  lines.SaveToFile("tk.vlm");
  report = Tk({"check", "tk.vlm"}, &code);
  EXPECT_EQ(code, 1);
  EXPECT_NE(report.find("tk.vlm:1: [00001] fails to play"), std::string::npos) << report;
}

TEST(Commands, GenerateFollowsTheSeedAndUsageErrorsFail) {
  int code;
  std::string once = Tk({"generate", "3", "--seed", "42", "--grade", "medium"}, &code);
  ASSERT_EQ(code, 0);
  EXPECT_EQ(Tk({"generate", "3", "--seed", "42", "--grade", "medium"}, &code), once);
  std::istringstream lines(once);
  std::string line;
  int n = 0;
  for (; std::getline(lines, line); ++n) {
    Grid g = P(line.c_str());
    EXPECT_TRUE(HasUniqueSolution(g));
    EXPECT_EQ(Rate(g).grade, Grade::Medium);
  }
  EXPECT_EQ(n, 3);
  Tk({"--help"}, &code);
  EXPECT_EQ(code, 0);
  for (std::vector<std::string> bad : {std::vector<std::string>{}, {"frobnicate"}, {"generate", "x"},
                                       {"generate", "2", "--grade", "tricky"}, {"build", "in.txt"}}) {
    Tk(bad, &code);
    EXPECT_EQ(code, 2);
  }
  Tk({"check", "/nonexistent/tk.vlm"}, &code);
  EXPECT_EQ(code, 1);
}

TEST(Commands, NamesItselfAsCalledAndNeverPrintsAControlCharacterFromAFile) {
  int code;
  std::string errors;
  EXPECT_EQ(Tk({"--help"}, &code, nullptr, "velmora-tkmaker").rfind("Usage: velmora-tkmaker COMMAND", 0), 0u);
  Tk({"frobnicate"}, &code, &errors, "velmora-tkmaker");
  EXPECT_EQ(errors.rfind("velmora-tkmaker: unknown command frobnicate\nUsage: velmora-tkmaker ", 0), 0u) << errors;
  std::string version = Tk({"--version"}, &code, nullptr, "velmora-tkmaker");
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(std::regex_match(version, std::regex("velmora-tkmaker [0-9]+(\\.[0-9]+)+\n"))) << version;

  // A title that would clear the screen and ring the bell, a byte that is no code page 936 (0x9B is
  // the terminal's one-byte escape), and a file name with an escape in it.
  TempDir dir;
  toolkit::WriteFileBytes("tk.vlm", "[\x1b[2J\x07]\x9b\r\n1\x1b\r\n");
  std::string report = Tk({"check", "tk.vlm"}, &code);
  Tk({"check", "no\x1b]0;such"}, &code, &errors);
  for (const std::string& text : {report, errors}) {
    for (char c : text) EXPECT_TRUE(c == '\n' || (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F)) << text;
  }
  EXPECT_NE(report.find("tk.vlm:1: [\\x1b[2J\\x07]\\x9b fails to play: row 1 column 2 is byte 0x1B"),
            std::string::npos) << report;
  EXPECT_NE(errors.find("no\\x1b]0;such"), std::string::npos) << errors;
}
