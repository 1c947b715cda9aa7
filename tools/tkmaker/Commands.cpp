// The tkmaker commands, kept apart from main so the tests can run them.
#include "tools/tkmaker/Commands.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <map>
#include <random>
#include <streambuf>

#include "toolkit/Classes.h"
#include "toolkit/SysUtils.h"
#include "tools/tkmaker/Collection.h"
#include "tools/tkmaker/Generator.h"

namespace tkmaker {

namespace {

// The usage text, for the program called `program`.
std::string Usage(const std::string& program) {
  return "Usage: " + program + " COMMAND ...\n"
         "       " + program + " --help | --version\n"
         "Makes and checks the game's puzzle collection (tk.vlm).\n"
         "\n"
         "  build IN.txt -o OUT.vlm [--sort]\n"
         "      Reads one-line puzzles (81 characters, '0' or '.' for an empty cell; lines starting\n"
         "      with '#' and blank lines are skipped), checks that each has exactly one solution,\n"
         "      rates it, and writes a collection titled [00001], [00002], ... With --sort the\n"
         "      puzzles go from easy to very hard. Nothing is written when any line has a problem.\n"
         "  check FILE.vlm\n"
         "      Reads a collection as the game does and reports, by the line of the title, every\n"
         "      puzzle that would fail to play, has no solution or several, and repeated titles.\n"
         "  generate N [--grade easy|medium|hard|very-hard] [--seed S] [--symmetric]\n"
         "      Prints N new puzzles with exactly one solution, one a line. The same seed gives the\n"
         "      same puzzles; without --seed a random one is used and printed on standard error.\n"
         "  rate IN.txt\n"
         "      Prints the grade, the hardest technique needed (its Chinese and English names) and\n"
         "      the score of each puzzle.\n"
         "\n"
         "Control characters in what is printed (from titles, lines or file names) are shown\n"
         "escaped, as \\x1b. Exit status: 0 on success, 1 when problems were found or the work\n"
         "failed, 2 for usage errors.\n";
}

// Text fit for a terminal: every control character but the line break, and every byte that is no
// UTF-8, shown as \xNN. A byte the code-page conversion kept (U+DC00 + byte) shows as that byte.
std::string Printable(const std::string& s) {
  std::string out;
  char hex[8];
  auto escape = [&](unsigned byte) {
    std::snprintf(hex, sizeof hex, "\\x%02x", byte);
    out += hex;
  };
  for (std::size_t i = 0; i < s.size();) {
    auto c = static_cast<unsigned char>(s[i]);
    std::size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    char32_t cp = len == 1 ? c : len == 2 ? c & 0x1F : len == 3 ? c & 0x0F : c & 0x07;
    bool whole = len > 0 && i + len <= s.size();
    for (std::size_t k = 1; whole && k < len; ++k) {
      auto next = static_cast<unsigned char>(s[i + k]);
      whole = (next & 0xC0) == 0x80;
      cp = (cp << 6) | (next & 0x3F);
    }
    static const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (!whole || cp < least[len] || cp > 0x10FFFF) {
      escape(c);  // no UTF-8: this byte alone
      ++i;
      continue;
    }
    if (cp >= 0xDC00 && cp <= 0xDCFF)
      escape(cp - 0xDC00);
    else if ((cp < 0x20 && cp != '\n') || (cp >= 0x7F && cp < 0xA0) || (cp >= 0xD800 && cp < 0xE000))
      for (std::size_t k = 0; k < len; ++k) escape(static_cast<unsigned char>(s[i + k]));
    else
      out.append(s, i, len);
    i += len;
  }
  return out;
}

// Passes what is written on to `target` a line at a time, made Printable.
class PrintableLines : public std::streambuf {
 public:
  explicit PrintableLines(std::ostream& target) : target_(target) {}
  ~PrintableLines() override { sync(); }

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    line_ += traits_type::to_char_type(c);
    if (c == '\n') sync();
    return c;
  }
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    for (std::streamsize k = 0; k < n; ++k) overflow(traits_type::to_int_type(s[k]));
    return n;
  }
  int sync() override {
    target_ << Printable(line_);
    line_.clear();
    return target_ ? 0 : -1;
  }

 private:
  std::ostream& target_;
  std::string line_;
};

struct UsageError {
  std::string message;
};

struct Entry {
  int line;  // 1-based
  Grid puzzle;
  Rating rating;
};

// Reads a one-line puzzle file, reporting every unusable line on err. Returns the problem count.
int ReadPuzzles(const std::string& file, std::vector<Entry>& entries, std::ostream& err) {
  toolkit::TStringList lines;
  lines.LoadFromFile(file);
  std::map<std::string, int> seen;
  int problems = 0;
  for (int i = 0; i < lines.Count(); ++i) {
    std::string text = toolkit::Trim(lines[i]);
    if (text.empty() || text[0] == '#') continue;
    const int at = i + 1;
    auto report = [&](const std::string& what) {
      err << file << ":" << at << ": " << what << "\n";
      ++problems;
    };
    Grid grid;
    std::string why;
    if (!ParseLine(text, grid, &why)) {
      report("not a puzzle: " + why);
      continue;
    }
    auto [it, fresh] = seen.emplace(FormatLine(grid), at);
    if (!fresh) {
      report("repeats the puzzle of line " + std::to_string(it->second));
      continue;
    }
    std::string conflict = FindConflict(grid);
    if (!conflict.empty()) {
      report("has no solution: " + conflict);
      continue;
    }
    int n = CountSolutions(grid, 2);
    if (n != 1) {
      report(n == 0 ? "has no solution" : "has several solutions");
      continue;
    }
    entries.push_back({at, grid, Rate(grid)});
  }
  return problems;
}

std::string GradeCounts(const std::vector<Entry>& entries) {
  int counts[4] = {};
  for (const auto& e : entries) ++counts[static_cast<int>(e.rating.grade)];
  std::string s;
  for (int g = 0; g < 4; ++g)
    s += std::string(g ? ", " : "") + GradeName(static_cast<Grade>(g)) + " " + std::to_string(counts[g]);
  return s;
}

int Build(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string in, target;
  bool sort = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o") {
      if (++i == args.size()) throw UsageError{"-o needs a file name"};
      target = args[i];
    } else if (args[i] == "--sort") {
      sort = true;
    } else if (in.empty() && args[i].rfind("-", 0) != 0) {
      in = args[i];
    } else {
      throw UsageError{"build: unexpected argument " + args[i]};
    }
  }
  if (in.empty() || target.empty()) throw UsageError{"build needs IN.txt and -o OUT.vlm"};

  std::vector<Entry> entries;
  int problems = ReadPuzzles(in, entries, err);
  if (problems) {
    err << in << ": " << problems << " problem(s); nothing written\n";
    return 1;
  }
  if (entries.empty()) {
    err << in << ": no puzzles; nothing written\n";
    return 1;
  }
  if (sort)
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return EasierThan(a.rating, b.rating); });
  std::vector<Grid> puzzles;
  for (const auto& e : entries) puzzles.push_back(e.puzzle);
  toolkit::TStringList collection;
  WriteCollection(puzzles, collection);
  collection.SaveToFile(target);
  out << "wrote " << puzzles.size() << " puzzles to " << target << " (" << GradeCounts(entries) << ")\n";
  return 0;
}

int Check(const std::vector<std::string>& args, std::ostream& out) {
  if (args.size() != 1 || args[0].rfind("-", 0) == 0) throw UsageError{"check needs one collection file"};
  toolkit::TStringList lines;
  lines.LoadFromFile(args[0]);
  auto problems = CheckCollection(lines);
  for (const auto& p : problems)
    out << args[0] << (p.line ? ":" + std::to_string(p.line) : std::string()) << ": " << p.message << "\n";
  out << args[0] << ": " << Collection(lines).Titles().size() << " titles, " << problems.size() << " problem(s)\n";
  return problems.empty() ? 0 : 1;
}

// A whole decimal number in [min, max], or a usage error naming what it is for.
unsigned long ParseNumber(const std::string& text, unsigned long min, unsigned long max, const char* what) {
  bool digits = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (digits && text.size() <= 10) {
    unsigned long value = std::stoul(text);
    if (value >= min && value <= max) return value;
  }
  throw UsageError{std::string(what) + " must be a number from " + std::to_string(min) + " to " + std::to_string(max)};
}

int GenerateCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  GenerateOptions options;
  std::optional<unsigned long> count, seed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    auto value = [&]() -> const std::string& {
      if (++i == args.size()) throw UsageError{args[i - 1] + " needs a value"};
      return args[i];
    };
    if (args[i] == "--grade") {
      options.grade = ParseGrade(value());
      if (!options.grade) throw UsageError{"unknown grade " + args[i] + " (easy, medium, hard, very-hard)"};
    } else if (args[i] == "--seed") {
      seed = ParseNumber(value(), 0, 0xFFFFFFFFul, "the seed");
    } else if (args[i] == "--symmetric") {
      options.symmetric = true;
    } else if (!count && args[i].rfind("-", 0) != 0) {
      count = ParseNumber(args[i], 1, 1000000, "N");
    } else {
      throw UsageError{"generate: unexpected argument " + args[i]};
    }
  }
  if (!count) throw UsageError{"generate needs the number of puzzles"};
  if (!seed) {
    seed = std::random_device{}();
    err << "seed " << *seed << "\n";
  }
  std::mt19937 rng(static_cast<std::uint32_t>(*seed));
  for (unsigned long i = 0; i < *count; ++i) {
    auto made = Generate(rng, options);
    if (!made) {
      err << "no " << GradeName(*options.grade) << " puzzle in " << options.maxTries << " tries\n";
      return 1;
    }
    out << FormatLine(made->puzzle) << "\n";
  }
  return 0;
}

int RateCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1 || args[0].rfind("-", 0) == 0) throw UsageError{"rate needs one puzzle file"};
  std::vector<Entry> entries;
  int problems = ReadPuzzles(args[0], entries, err);
  for (const auto& e : entries)
    out << args[0] << ":" << e.line << ": " << GradeName(e.rating.grade) << ", hardest "
        << velmora::Solver::ChineseName(e.rating.hardest) << " (" << velmora::Solver::EnglishName(e.rating.hardest)
        << "), score " << e.rating.score << ", clues " << ClueCount(e.puzzle) << "\n";
  out << args[0] << ": " << GradeCounts(entries) << "\n";
  return problems ? 1 : 0;
}

}  // namespace

int RunCommand(const std::string& program, const std::vector<std::string>& args, std::ostream& rawOut,
               std::ostream& rawErr) {
  // Titles, lines and file names reach the terminal only through these.
  PrintableLines outLines(rawOut), errLines(rawErr);
  std::ostream out(&outLines), err(&errLines);
  if (std::find(args.begin(), args.end(), "--help") != args.end() ||
      std::find(args.begin(), args.end(), "-h") != args.end()) {
    out << Usage(program);
    return 0;
  }
  if (args.size() == 1 && args[0] == "--version") {
    out << program << " " << VELMORA_VERSION << "\n";
    return 0;
  }
  try {
    if (args.empty()) throw UsageError{"no command given"};
    std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "build") return Build(rest, out, err);
    if (args[0] == "check") return Check(rest, out);
    if (args[0] == "generate") return GenerateCommand(rest, out, err);
    if (args[0] == "rate") return RateCommand(rest, out, err);
    throw UsageError{"unknown command " + args[0]};
  } catch (const UsageError& e) {
    err << program << ": " << e.message << "\n" << Usage(program);
    return 2;
  } catch (const std::exception& e) {
    err << program << ": " << e.what() << "\n";
    return 1;
  }
}

}  // namespace tkmaker
