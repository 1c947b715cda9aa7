// The collection maker: generator, the game's reading rules and the commands.
#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <sstream>

#include "tests/TempDir.h"
#include "tests/engine/Puzzles.h"
#include "toolkit/Classes.h"
#include "toolkit/SysUtils.h"
#include "tools/tkmaker/Collection.h"
#include "tools/tkmaker/Commands.h"
#include "tools/tkmaker/Generator.h"

using namespace tkmaker;
using namespace velmora::testpuzzles;

namespace {

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

TEST(Commands, RateNamesTheHardestTechniqueInChineseAndEnglish) {
  TempDir dir;
  const char* xwing = kNeeds[6].puzzle;
  ASSERT_EQ(kNeeds[6].technique, velmora::Solver::Technique::XWing);
  toolkit::WriteFileBytes("in.txt", std::string("# four\n") + kNeeds[1].puzzle + "\n" + xwing + "\n" + kInkala + "\n" +
                                        velmora::testpuzzles::kNeedsAlternatingChain + "\n");
  int code;
  const std::string report = Tk({"rate", "in.txt"}, &code);
  EXPECT_EQ(code, 0);
  EXPECT_NE(report.find("in.txt:2: medium, hardest 区块摒除 (Locked candidates (pointing)), score "), std::string::npos)
      << report;
  EXPECT_NE(report.find("in.txt:3: hard, hardest X-Wing (X-Wing), score "), std::string::npos) << report;
  EXPECT_NE(report.find("in.txt:4: very hard, hardest 假设矛盾（强制链） (Forcing chain), score "), std::string::npos) << report;
  EXPECT_NE(report.find("in.txt:5: very hard, hardest 交替推理链 (Alternating inference chain), score "), std::string::npos)
      << report;
  EXPECT_NE(report.find("in.txt: easy 0, medium 1, hard 1, very hard 2\n"), std::string::npos) << report;
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
