// The game in play: undo and redo of the player's changes, pause, and the game kept for the next start.
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "engine/Coach.h"
#include "forms/KeptGame.h"
#include "tests/forms/GameFixture.h"
#include "toolkit/SysUtils.h"

namespace tt = toolkit::testing;
using velmora::KeptGame::TGame;

namespace {

std::string Bytes(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::string Swap(const std::string& s, const std::string& from, const std::string& to) {
  const std::size_t at = s.find(from);
  return at == std::string::npos ? s : s.substr(0, at) + to + s.substr(at + from.size());
}

void Put(const std::string& name, const std::string& bytes) { std::ofstream(name, std::ios::binary) << bytes; }

TGame AGame() {
  TGame game;
  for (int k = 0; k < 81; ++k) {
    game.Given[k] = k % 7 == 0;
    game.Texts[k] = game.Given[k] ? std::to_string(k % 9 + 1) : k % 5 == 0 ? "178" : k % 3 == 0 ? "4" : "";
  }
  game.Level = 3;
  game.MS = 123000;
  game.Recorded = false;
  return game;
}

}  // namespace

class KeptFile : public ::testing::Test {
 protected:
  TempDir dir;
};

TEST_F(KeptFile, RoundTripsAndOpensAsASavedGame) {
  velmora::KeptGame::Write(AGame());
  std::string why;
  auto game = velmora::KeptGame::Read(&why);
  ASSERT_TRUE(game) << why;
  EXPECT_EQ(game->Texts, AGame().Texts);
  EXPECT_EQ(game->Given, AGame().Given);
  EXPECT_EQ(game->Level, 3);
  EXPECT_EQ(game->MS, 123000);
  EXPECT_FALSE(game->Recorded);
  // Its first 81 lines are a saved game's.
  EXPECT_EQ(Bytes(velmora::KeptGame::FileName).substr(0, 12), "11\r\n0\r\n0\r\n04");
}

namespace {
// A cell's text as a load makes it from a saved game's line (code page 936, a byte that starts no
// character kept as itself), then edited: characters deleted one at a time, as Backspace does, and
// digits typed.
// The text without the character that starts at or before byte `at`.
std::string WithoutCharacterAt(std::string text, std::size_t at) {
  while (at > 0 && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) --at;
  std::size_t end = at + 1;
  while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
  return text.erase(at, end - at);
}

// The text without its n-th character (counted round).
std::string WithoutCharacter(const std::string& text, std::size_t n) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < text.size(); ++i)
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) starts.push_back(i);
  return starts.empty() ? text : WithoutCharacterAt(text, starts[n % starts.size()]);
}

std::string EditedText(std::mt19937& random, const std::string& lineBytes) {
  std::string text = toolkit::AnsiToUtf8(lineBytes);
  for (int edits = random() % 3; edits > 0 && !text.empty(); --edits) {
    std::size_t at = random() % text.size();
    text = WithoutCharacterAt(text, at);
    if (random() % 2) text.insert(std::min(at, text.size()), std::to_string(random() % 10));
  }
  return text;
}

void ExpectRoundTrip(const TGame& game) {
  velmora::KeptGame::Write(game);
  std::string why;
  auto back = velmora::KeptGame::Read(&why);
  ASSERT_TRUE(back) << why;
  for (int k = 0; k < 81; ++k) ASSERT_EQ(back->Texts[k], game.Texts[k]) << "cell " << k;
  EXPECT_EQ(back->Given, game.Given);
  EXPECT_EQ(back->MS, game.MS);
}
}  // namespace

// Every text a cell can hold comes back byte for byte: random bytes as loaded and edited (lead bytes
// whose characters an edit cut, kept bytes, spaces, control bytes, line breaks), and clue texts as a
// loaded game has them.
TEST_F(KeptFile, EveryTextACellCanHoldComesBackByteForByte) {
  std::mt19937 random(36);
  const char clues[][5] = {"1", "105", " 5", "007", "+3"};
  for (int round = 0; round < 200; ++round) {
    TGame game;
    for (int k = 0; k < 81; ++k) {
      std::string bytes(random() % 8, '\0');
      for (char& c : bytes) c = static_cast<char>(random() % 4 ? random() % 256 : "\x81\x31\x40 \r\n"[random() % 6]);
      game.Given[k] = random() % 6 == 0;
      game.Texts[k] = game.Given[k] ? clues[random() % 5] : EditedText(random, bytes);
    }
    game.MS = random();
    ExpectRoundTrip(game);
  }
}

// The saved games of the fuzzer's corpus, loaded as the tool bar's load reads them, kept and brought
// back: as loaded, and with the first, second, ... character of each open cell deleted.
TEST_F(KeptFile, TheSavedGamesOfTheFuzzCorpusComeBackByteForByte) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(VELMORA_FUZZ_CORPUS "/savedgame")) {
    toolkit::TStringList lines;
    lines.LoadFromFile(entry.path().string());
    for (std::size_t deleted = 0; deleted < 4; ++deleted) {
      TGame game;
      for (int k = 0; k < 81; ++k) {
        const std::string line = toolkit::Utf8ToAnsi(lines.Get(k));
        const std::string text = line.size() > 1 ? toolkit::AnsiToUtf8(line.substr(1)) : "";
        game.Given[k] = !line.empty() && line[0] == '1' && velmora::KeptGame::IsClueText(text);
        game.Texts[k] = game.Given[k] || deleted == 0 ? text : WithoutCharacter(text, deleted - 1);
      }
      ExpectRoundTrip(game);
    }
    ++files;
  }
  EXPECT_GE(files, 10);
}

// Every damage is told apart from a good file; the start that meets it moves it aside whole, says so in
// one line, and starts as it would with none.
class DamagedKeptFile : public GameFixture, public ::testing::WithParamInterface<std::pair<const char*, int>> {
 protected:
  void BeforeStart() override {
    velmora::KeptGame::Write(AGame());
    std::string bytes = Bytes(velmora::KeptGame::FileName);
    damaged = Damage(bytes, GetParam().second);
    Put(velmora::KeptGame::FileName, damaged);
    ::testing::internal::CaptureStderr();
  }
  static std::string Damage(const std::string& bytes, int how) {
    switch (how) {
      case 0: return bytes.substr(0, bytes.size() / 2);                      // cut short
      case 1: return bytes.substr(0, bytes.rfind("\r\ncheck"));              // the check line gone
      case 2: return Swap(bytes, "game in play 2", "game in play 3");
      case 3: return Swap(bytes, "\r\n04\r\n", "\r\n09\r\n");                // a cell edited
      case 4: return Swap(bytes, "\r\n3\r\n123000", "\r\n7\r\n123000");    // the level edited
      case 5: return bytes + "\r\n";                                         // a line more
      default: return std::string("\xff\xfe\0garbage", 10);
    }
  }
  std::string damaged;
};

TEST_P(DamagedKeptFile, IsMovedAsideWholeAndTheGameStartsAsWithNone) {
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_FALSE(toolkit::FileExists(velmora::KeptGame::FileName));
  std::string aside = velmora::KeptGame::FileName;
  aside.append(".damaged-1");
  EXPECT_EQ(Bytes(aside), damaged);
  EXPECT_NE(said.find("not brought back"), std::string::npos) << said;
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_FALSE(form->sd991->Enabled());
  for (const std::string& box : startErrors) EXPECT_EQ(box.find("game in play"), std::string::npos) << box;
}

INSTANTIATE_TEST_SUITE_P(Kinds, DamagedKeptFile,
                         ::testing::Values(std::pair{"Truncated", 0}, std::pair{"NoCheck", 1},
                                           std::pair{"OtherVersion", 2}, std::pair{"EditedCell", 3},
                                           std::pair{"EditedLevel", 4}, std::pair{"LineMore", 5},
                                           std::pair{"Garbage", 6}),
                         [](const auto& info) { return std::string(info.param.first); });

namespace {
const char* const NotKept = "本局不能自动保存";
const char* const KeptAgain = "本局又能自动保存了";
int Said(const std::vector<std::string>& notices, const char* what) {
  return static_cast<int>(std::count_if(notices.begin(), notices.end(),
                                        [&](const std::string& n) { return n.find(what) != std::string::npos; }));
}
}  // namespace

// Whatever stands at the kept file's name and cannot be brought back is moved aside whole, never
// followed; what cannot be moved stays exactly where and as it is for as long as the game runs: no close,
// new game or finished game deletes or overwrites it, and the player is told once that the game is not
// kept. The claim on the kept game stays in the game folder.
enum Hostile {
  Immutable, EveryAsideNameTaken, Unreadable, AsideTakenByAFolder, AsideTakenByALink, NoFreeInode, ALink, AFolder, APipe
};
const char* const HostileNames[] = {"Immutable",         "EveryAsideNameTaken", "Unreadable",
                                    "AsideTakenByAFolder", "AsideTakenByALink",   "NoFreeInode",
                                    "ALink",               "AFolder",             "APipe"};

class HostileKeptName : public GameFixture, public ::testing::WithParamInterface<Hostile> {
 protected:
  const std::string name = velmora::KeptGame::FileName, aside1 = name + ".damaged-1", aside2 = name + ".damaged-2";
  const std::string damaged = "not a game\r\n";
  void BeforeStart() override {
    switch (GetParam()) {
      case Immutable:  // as a file left by a root run is to a player: neither moved, removed nor written
        Put(name, damaged);
        if (!SetImmutable(name, true)) skipped = "the file system has no immutable attribute";
        break;
      case EveryAsideNameTaken:  // a file the game could delete or overwrite, but not move
        Put(name, damaged);
        for (int n = 1; n < 1000; ++n) ASSERT_EQ(::symlink("nowhere", (name + ".damaged-" + std::to_string(n)).c_str()), 0);
        break;
      case Unreadable:
        Put(name, damaged);
        ::chmod(name.c_str(), 0);
        break;
      case AsideTakenByAFolder:
        Put(name, damaged);
        ::mkdir(aside1.c_str(), 0755);
        break;
      case AsideTakenByALink:
        Put(name, damaged);
        ASSERT_EQ(::symlink("nowhere", aside1.c_str()), 0);
        break;
      case NoFreeInode:
        if (::mount("tmpfs", dir.Path().c_str(), "tmpfs", 0, "size=64k,nr_inodes=8") != 0) {
          skipped = "no tmpfs can be mounted here (it takes root)";
          break;
        }
        mounted = true;
        ASSERT_EQ(::chdir(dir.Path().c_str()), 0);
        Put("phb.txt", "");
        Put("." + name + ".velmora-lock", "");
        Put(name, damaged);
        for (int i = 0; ::close(::open(("filler" + std::to_string(i)).c_str(), O_CREAT | O_WRONLY, 0644)) == 0; ++i) {
        }
        break;
      case ALink:  // to a file elsewhere, which must stay as it is, with nothing made beside it
        ::mkdir("elsewhere", 0755);
        Put("elsewhere/passwd", "root:x:0:0\n");
        ASSERT_EQ(::symlink("elsewhere/passwd", name.c_str()), 0);
        break;
      case AFolder:
        ::mkdir(name.c_str(), 0755);
        Put(name + "/inside", "kept");
        break;
      case APipe: ::mkfifo(name.c_str(), 0644); break;
    }
  }
  void TearDown() override {
    if (GetParam() == Immutable) SetImmutable(name, false);
    GameFixture::TearDown();
    if (mounted) ::umount2(dir.Path().c_str(), MNT_DETACH);
  }
  static bool SetImmutable(const std::string& file, bool on) {
    int fd = ::open(file.c_str(), O_RDONLY);
    if (fd < 0) return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return done;
  }
  // What was at the name, as it was: at `where`.
  void ExpectTheOriginalAt(const std::string& where) {
    struct stat st {};
    ASSERT_EQ(::lstat(where.c_str(), &st), 0) << where;
    switch (GetParam()) {
      case ALink: {
        char target[64] = {};
        EXPECT_TRUE(S_ISLNK(st.st_mode));
        EXPECT_GT(::readlink(where.c_str(), target, sizeof target - 1), 0);
        EXPECT_STREQ(target, "elsewhere/passwd");
        EXPECT_EQ(Bytes("elsewhere/passwd"), "root:x:0:0\n");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator("elsewhere"), {}), 1);
        break;
      }
      case AFolder: EXPECT_EQ(Bytes(where + "/inside"), "kept"); break;
      case APipe: EXPECT_TRUE(S_ISFIFO(st.st_mode)); break;
      default:
        EXPECT_TRUE(S_ISREG(st.st_mode));
        if (GetParam() == Unreadable) ::chmod(where.c_str(), 0644);
        EXPECT_EQ(Bytes(where), damaged);
    }
  }
  bool mounted = false;
  std::string skipped;
};

TEST_P(HostileKeptName, IsMovedAsideWholeOrLeftForGoodAndNeverFollowed) {
  if (!skipped.empty()) GTEST_SKIP() << skipped;
  const bool stays = GetParam() == Immutable || GetParam() == EveryAsideNameTaken;
  const bool asideTaken = GetParam() == AsideTakenByAFolder || GetParam() == AsideTakenByALink;
  const std::string where = stays ? name : asideTaken ? aside2 : aside1;
  ExpectTheOriginalAt(where);
  // A second copy finds the claim taken.
  EXPECT_FALSE(toolkit::TFileClaim(name).Held());
  // A game played, kept, replaced and closed.
  if (mounted)
    for (int i = 0; ::unlink(("filler" + std::to_string(i)).c_str()) == 0; ++i) {
    }
  tt::Listen();
  form->Show();
  tt::Click(form->ToolButton5);
  velmora::sdunit::Tsdunit* open = nullptr;
  for (auto* c : form->sd991->Cells)
    if (!c->ReadOnly() && !open) open = c;
  tt::TypeText(open, "4");
  tt::Tick(form->KeepTimer);
  toolkit::Application->ProcessMessages();
  const std::vector<std::string> heard = Notices(tt::StopListening());
  EXPECT_EQ(Said(heard, NotKept), stays ? 1 : 0);
  if (!stays) {
    std::string why;
    EXPECT_TRUE(velmora::KeptGame::Read(&why)) << why;
  }
  tt::Click(form->ToolButton6);
  tt::TypeText(open, "5");
  tt::CloseBox(form);
  ExpectTheOriginalAt(where);
}

INSTANTIATE_TEST_SUITE_P(Kinds, HostileKeptName,
                         ::testing::Values(Immutable, EveryAsideNameTaken, Unreadable, AsideTakenByAFolder,
                                           AsideTakenByALink, NoFreeInode, ALink, AFolder, APipe),
                         [](const auto& info) { return std::string(HostileNames[info.param]); });

// ---------------------------------------------------------------- undo and redo

namespace {

// One action of the player's, and what the first two open cells (A, B) hold after it, and whether undo
// and redo can be pressed ("10": undo can, redo cannot). "$" stands for A's first candidate.
struct Step {
  const char* action;
  const char* a;
  const char* b;
  const char* undoRedo;
};

struct Sequence {
  const char* name;
  std::vector<Step> steps;
};

const Sequence Sequences[] = {
    {"TypeUndoRedo", {{"A:1", "1", "", "10"}, {"undo", "", "", "01"}, {"redo", "1", "", "10"}}},
    {"MarksOverwrittenByADigit",
     {{"A:17", "17", "", "10"}, {"A=4", "4", "", "10"}, {"undo", "17", "", "11"}, {"undo", "1", "", "11"},
      {"undo", "", "", "01"}, {"redo", "1", "", "11"}, {"redo", "17", "", "11"}, {"redo", "4", "", "10"}}},
    {"PanelChoice", {{"panel", "$", "", "10"}, {"undo", "", "", "01"}, {"redo-button", "$", "", "10"}}},
    {"ReplayIsOneStep",
     {{"A:5", "5", "", "10"}, {"B:6", "5", "6", "10"}, {"replay", "", "", "10"}, {"undo", "5", "6", "11"},
      {"redo-menu", "", "", "10"}, {"undo-button", "5", "6", "11"}, {"undo", "5", "", "11"}}},
    {"Paste", {{"A+89", "89", "", "10"}, {"A:\b", "8", "", "10"}, {"undo", "89", "", "11"}, {"undo", "", "", "01"}}},
    {"LimitsAtBothEnds",
     {{"undo", "", "", "00"}, {"A:1", "1", "", "10"}, {"redo", "1", "", "10"}, {"undo", "", "", "01"},
      {"undo", "", "", "01"}, {"redo", "1", "", "10"}, {"redo", "1", "", "10"}}},
    {"ANewChangeForgetsWhatWasTakenBack",
     {{"A:1", "1", "", "10"}, {"undo", "", "", "01"}, {"B:2", "", "2", "10"}, {"redo", "", "2", "10"}}},
    {"ANewGameStartsANewHistory", {{"A:3", "3", "", "10"}, {"new", "", "", "00"}, {"undo", "", "", "00"}}},
};

// A beginner game on show, with its first two open cells A and B, and the player's actions on it.
class InPlay : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    form->Show();
    tt::Click(form->ToolButton5);
    FindOpenCells();
  }
  void FindOpenCells() {
    a = b = nullptr;
    for (auto* c : form->sd991->Cells)
      if (!c->ReadOnly()) (a ? b : a) = (a && b) ? b : c;
  }
  void Do(const std::string& action) {
    auto* cell = action[0] == 'A' ? a : b;
    if (action[1] == ':') return tt::TypeText(cell, action.substr(2));
    if (action[1] == '+') return tt::Paste(cell, action.substr(2));
    if (action[1] == '=') {
      tt::DoubleClickMouse(cell, 5, 5);
      return tt::TypeAtCaret(cell, action.substr(2));
    }
    if (action == "undo") return tt::TypeAtWindow(form, "\x1a");  // Ctrl+Z
    if (action == "redo") return tt::TypeAtWindow(form, "\x19");  // Ctrl+Y
    if (action == "undo-button") return tt::Click(form->ToolButton12);
    if (action == "redo-button") return tt::Click(form->ToolButton13);
    if (action == "redo-menu") return tt::Click(form->N19);
    if (action == "replay") return tt::Click(form->ToolButton10);
    if (action == "pause") return tt::Click(form->N20);
    if (action == "new") {
      tt::Click(form->ToolButton5);
      return FindOpenCells();
    }
    if (action == "panel") {  // opens on the first digit offered, which Enter chooses
      if (!form->sfshowpan->Down()) tt::Click(form->sfshowpan);
      tt::PressKey(a, tt::keySpace, {toolkit::ssCtrl});
      return tt::PressKey(form->pan, tt::keyEnter);
    }
    FAIL() << "no such action " << action;
  }
  velmora::sdunit::Tsdunit *a = nullptr, *b = nullptr;
};

class UndoRedo : public InPlay, public ::testing::WithParamInterface<Sequence> {};

}  // namespace

TEST_P(UndoRedo, BoardAfterEachStep) {
  const std::string candidates = form->QJ1->Candidates(a->h(), a->s()).substr(0, 1);
  for (const Step& step : GetParam().steps) {
    Do(step.action);
    const std::string want = std::string(step.a) == "$" ? candidates : step.a;
    EXPECT_EQ(a->Text(), want) << "after " << step.action;
    EXPECT_EQ(b->Text(), step.b) << "after " << step.action;
    EXPECT_EQ(std::string() + "01"[form->ToolButton12->Enabled()] + "01"[form->ToolButton13->Enabled()],
              step.undoRedo)
        << "after " << step.action;
    EXPECT_EQ(form->N18->Enabled(), form->ToolButton12->Enabled());
    EXPECT_EQ(form->N19->Enabled(), form->ToolButton13->Enabled());
  }
}

INSTANTIATE_TEST_SUITE_P(Sequences, UndoRedo, ::testing::ValuesIn(Sequences),
                         [](const auto& info) { return std::string(info.param.name); });

// The cell's own menu takes back its last change in that cell, as it always did; that is a change of
// the player's like any other, which the game's undo takes back in turn.
TEST_F(UndoRedo, TheCellsOwnUndoIsAStepOfTheGamesHistory) {
  tt::TypeText(b, "3");
  tt::TypeText(a, "12");
  tt::ContextMenu(a, 5, 5, "撤销(&U)");
  EXPECT_EQ(a->Text(), "");
  EXPECT_EQ(b->Text(), "3");
  for (const char* want : {"12", "1", ""}) {
    tt::TypeAtWindow(form, "\x1a");
    EXPECT_EQ(a->Text(), want);
  }
  tt::TypeAtWindow(form, "\x1a");
  EXPECT_EQ(b->Text(), "");
}

// Undo and redo take the focus to the cell they changed; the red marks follow.
TEST_F(UndoRedo, FocusAndRepeatMarksFollow) {
  const std::string clue = [&] {
    for (auto* c : form->sd991->Cells)
      if (c->ReadOnly() && c->h() == a->h()) return c->Text();
    return std::string();
  }();
  ASSERT_FALSE(clue.empty());
  tt::TypeText(a, clue);
  EXPECT_TRUE(a->error());
  tt::TypeText(b, "");
  tt::TypeAtWindow(form, "\x1a");
  EXPECT_FALSE(a->error());
  tt::Click(form->ToolButton13);
  EXPECT_TRUE(a->error());
  EXPECT_TRUE(a->Focused());
}

// A screen reader hears what undo and redo did, and to which cell; pencil marks digit by digit.
TEST_F(UndoRedo, UndoAndRedoAreToldWithTheirCell) {
  const std::string place = "第" + std::to_string(a->h()) + "行第" + std::to_string(a->s()) + "列 ";
  tt::TypeText(a, "178");
  tt::TypeText(a, "\b\b\b7");
  const struct {
    const char* keys;
    std::string said;
  } rows[] = {{"\x1a", "撤销：" + place + "空"}, {"\x1a", "撤销：" + place + "1"},
              {"\x19", "重做：" + place + "空"}, {"\x1a", "撤销：" + place + "1"},
              {"\x1a", "撤销：" + place + "候选 1 7"}};
  for (const auto& r : rows) {
    tt::Listen();
    tt::TypeAtWindow(form, r.keys);
    // Once, with the cell's real repeat, if it has one.
    const std::string repeat = a->Repeats().empty() ? "" : "，与" + a->Repeats() + "重复";
    EXPECT_EQ(Notices(tt::StopListening()), std::vector<std::string>{r.said + repeat});
  }
}

// What a screen reader hears after each key: the truth about the cell, each thing once, and why a key
// can do nothing when it can do nothing; none is silent.
TEST_F(UndoRedo, EachKeyIsToldTrulyOnceAndNeverInSilence) {
  const std::string place = "第" + std::to_string(a->h()) + "行第" + std::to_string(a->s()) + "列";
  std::string clue;  // a clue's digit in a's row: typed in a, a repeat
  for (auto* c : form->sd991->Cells)
    if (c->ReadOnly() && c->h() == a->h() && clue.empty()) clue = c->Text();
  tt::TypeText(a, "29");
  tt::DoubleClickMouse(a, 5, 5);
  tt::TypeAtCaret(a, clue);  // over the pencil marks
  ASSERT_FALSE(a->Repeats().empty());
  const std::string repeat = "与" + a->Repeats() + "重复";
  const struct {
    const char* action;
    std::string said;
  } rows[] = {
      {"undo", "撤销：" + place + " 候选 2 9"},  // not the repeat of the digit taken back
      {"redo", "重做：" + place + " " + clue + "，" + repeat},
      {"undo", "撤销：" + place + " 候选 2 9"},
      {"pause", "已暂停"},
      {"undo", "已暂停，不能撤销"},
      {"redo", "已暂停，不能重做"},
      {"hint", "已暂停，不能提示"},
      {"pause", "继续游戏"},
      {"replay", "重玩此局"},
      {"redo", "没有可重做的步骤"},
      {"undo", "候选 2 9，撤销：重玩此局"},  // the cell with the focus has its marks back
  };
  for (const auto& r : rows) {
    tt::Listen();
    if (std::string(r.action) == "pause")
      tt::TypeAtWindow(form, "\x10");  // Ctrl+P
    else if (std::string(r.action) == "hint")
      tt::PressKey(form->Memo2, tt::keyH, {toolkit::ssCtrl});
    else
      Do(r.action);
    EXPECT_EQ(Notices(tt::StopListening()), std::vector<std::string>{r.said}) << r.action;
  }
  EXPECT_EQ(a->AccessibleDescription(), "候选 2 9");
}

// After the end, each key of the game in play says that the game is over.
TEST_F(UndoRedo, AfterTheEndTheGamesKeysSayItIsOver) {
  tt::Click(form->ToolButton14);  // a hinted game: no new-record dialog at the end
  auto [row, col] = LastOpenCell();
  FillAllBut(row, col);
  tt::TypeText(Cell(row, col), std::to_string(form->QJ1->Solution(row, col)));
  ASSERT_FALSE(form->sd991->Enabled());
  const struct {
    const char* keys;
    const char* said;
  } rows[] = {{"\x1a", "本局已结束，不能撤销"}, {"\x19", "本局已结束，不能重做"}, {"\x10", "本局已结束，不能暂停"}};
  for (const auto& r : rows) {
    tt::Listen();
    tt::TypeAtWindow(form, r.keys);
    EXPECT_EQ(Notices(tt::StopListening()), std::vector<std::string>{r.said});
  }
  tt::Listen();
  tt::PressKey(form->Memo2, tt::keyH, {toolkit::ssCtrl});
  EXPECT_EQ(Notices(tt::StopListening()), std::vector<std::string>{"本局已结束，不能提示"});
}

TEST_F(UndoRedo, ReplayTakenBackGivesTheGameItsTimeBack) {
  tt::TypeText(a, "5");
  form->TimeLabel1->set_MS(65000);
  tt::Click(form->ToolButton10);
  EXPECT_EQ(form->TimeLabel1->MS(), 0);
  tt::TypeAtWindow(form, "\x1a");
  EXPECT_EQ(form->TimeLabel1->MS(), 65000);
  EXPECT_EQ(a->Text(), "5");
}

// A finished game stays finished: nothing to take back, and replay starts it anew with nothing to
// take back either (undoing into a solved board would be a record for nothing).
TEST_F(UndoRedo, AFinishedGameIsLockedAndItsReplayStartsAfresh) {
  tt::OnNextModal([](toolkit::TForm* f) { tt::TypeAtWindow(f, "\r"); });
  auto [row, col] = LastOpenCell();
  FillAllBut(row, col);
  tt::TypeText(Cell(row, col), std::to_string(form->QJ1->Solution(row, col)));
  ASSERT_FALSE(form->sd991->Enabled());
  EXPECT_FALSE(form->ToolButton12->Enabled());
  tt::TypeAtWindow(form, "\x1a");
  EXPECT_EQ(Cell(row, col)->Text(), std::to_string(form->QJ1->Solution(row, col)));
  tt::Click(form->ToolButton10);
  EXPECT_TRUE(form->sd991->Enabled());
  EXPECT_FALSE(form->ToolButton12->Enabled());
}

// ---------------------------------------------------------------- pause

namespace {
// Every text a screen reader can reach in the window's tree.
void Texts(const tt::AccessibleObject& o, std::string& out) {
  out += o.Name + "|" + o.Value + "|";
  for (const auto& child : o.Children) Texts(child, out);
}
}  // namespace

TEST_F(UndoRedo, PauseHidesTheBoardStopsTheClockAndAClickGoesOn) {
  tt::TypeText(a, "7");
  tt::Click(form->N20);
  ASSERT_TRUE(form->Paused());
  EXPECT_FALSE(form->TimeLabel1->timerenabled());
  EXPECT_FALSE(form->sd991->Visible());
  std::string heard;
  Texts(tt::Accessible(form), heard);
  EXPECT_EQ(heard.find("列|7|"), std::string::npos) << heard;  // no cell tells its digit
  EXPECT_NE(heard.find("已暂停"), std::string::npos) << heard;
  tt::TypeAtWindow(form, "1");  // a hidden board takes no keys
  EXPECT_EQ(a->Text(), "7");
  EXPECT_FALSE(form->ToolButton12->Enabled());
  tt::PressMouse(form->PausePanel, toolkit::mbLeft, 100, 100);
  EXPECT_FALSE(form->Paused());
  EXPECT_TRUE(form->TimeLabel1->timerenabled());
  EXPECT_TRUE(a->Focused());
  tt::TypeAtWindow(form, "\x10");  // Ctrl+P pauses, and goes on
  EXPECT_TRUE(form->Paused());
  tt::TypeAtWindow(form, "\x10");
  EXPECT_FALSE(form->Paused());
}

TEST_F(UndoRedo, MinimisedPausesAndRestoredGoesOn) {
  tt::Minimize(form, true);
  EXPECT_TRUE(form->Paused());
  tt::Minimize(form, false);
  EXPECT_FALSE(form->Paused());
  // A pause of the player's own stays when the window comes back.
  tt::Click(form->N20);
  tt::Minimize(form, true);
  tt::Minimize(form, false);
  EXPECT_TRUE(form->Paused());
}

// ---------------------------------------------------------------- the game kept for the next start

class KeptGame : public UndoRedo {
 protected:
  std::vector<std::string> heardAtStart;  // what a screen reader heard as the window showed
  // The program ends, and starts again after `meanwhile`.
  void Restart(const std::function<void()>& meanwhile = [] {}) {
    velmora::DestroyForms();
    meanwhile();
    velmora::CreateForms();
    form = velmora::main::Form1;
    tt::Listen();
    form->Show();
    toolkit::Application->ProcessMessages();
    heardAtStart = tt::StopListening();
    FindOpenCells();
  }
};

TEST_F(KeptGame, ClosingKeepsAChangedGameAndTheNextStartBringsItBack) {
  tt::Click(form->ToolButton7);
  FindOpenCells();
  tt::TypeText(a, "178");
  tt::TypeText(b, "2");
  form->TimeLabel1->set_MS(42000);
  const std::string board = Board();
  tt::CloseBox(form);
  ASSERT_TRUE(toolkit::FileExists(velmora::KeptGame::FileName));
  Restart();
  EXPECT_EQ(Board(), board);
  EXPECT_EQ(a->Text(), "178");
  EXPECT_EQ(form->sd991->nd, 3);
  EXPECT_GE(form->TimeLabel1->MS(), 42000);
  EXPECT_TRUE(form->TimeLabel1->timerenabled());
  EXPECT_TRUE(form->sd991->Enabled());
  EXPECT_TRUE(a->ReadOnly() == false && Cell(1, 1)->ReadOnly() == form->QJ1->Nodes(1, 1)->Given);
  EXPECT_FALSE(form->ToolButton12->Enabled());
  // The focus on the board, at its first open cell (that the game is told after the window and the
  // cell, a screen reader hears: tests/e2e/orca_test.sh).
  EXPECT_TRUE(a->Focused());
  EXPECT_EQ(Notices(heardAtStart), std::vector<std::string>{"继续上次的游戏，高级"});
  // Brought back and closed untouched, it is still kept.
  tt::CloseBox(form);
  Restart();
  EXPECT_EQ(Board(), board);
}

// Not at once (a burst of changes costs one write), but by itself, with no close, within two seconds.
TEST_F(KeptGame, AChangeIsKeptWithinTwoSecondsWithoutAClose) {
  tt::TypeText(a, "4");
  EXPECT_FALSE(toolkit::FileExists(velmora::KeptGame::FileName));
  auto kept = [] { return toolkit::FileExists(velmora::KeptGame::FileName); };
  EXPECT_TRUE(tt::WaitFor(kept, 2000)) << "not kept within two seconds";
  std::string why;
  auto game = velmora::KeptGame::Read(&why);
  ASSERT_TRUE(game) << why;
  EXPECT_EQ(game->Texts[(a->h() - 1) * 9 + a->s() - 1], "4");
}

// Nothing is left behind by an untouched game, a finished one, or one replaced by a new game.
TEST_F(KeptGame, NothingIsKeptOfAnUntouchedFinishedOrReplacedGame) {
  tt::Click(form->N5);
  EXPECT_FALSE(toolkit::FileExists(velmora::KeptGame::FileName));

  Restart();
  tt::Click(form->ToolButton5);
  FindOpenCells();
  tt::TypeText(a, "4");
  tt::Click(form->N5);
  ASSERT_TRUE(toolkit::FileExists(velmora::KeptGame::FileName));
  Restart();
  tt::Click(form->ToolButton6);
  EXPECT_FALSE(toolkit::FileExists(velmora::KeptGame::FileName));

  tt::OnNextModal([](toolkit::TForm* f) { tt::TypeAtWindow(f, "\r"); });
  auto [row, col] = LastOpenCell();
  FillAllBut(row, col);
  ASSERT_TRUE(tt::Tick(form->KeepTimer));
  ASSERT_TRUE(toolkit::FileExists(velmora::KeptGame::FileName));
  tt::TypeText(Cell(row, col), std::to_string(form->QJ1->Solution(row, col)));
  ASSERT_FALSE(form->sd991->Enabled());
  EXPECT_FALSE(toolkit::FileExists(velmora::KeptGame::FileName));
}

// Of two copies of the game in one folder, the one that started first keeps the game; the other starts
// as it would with none, and leaves the kept game alone.
TEST_F(KeptGame, TheSecondCopyInAFolderStartsAsWithNone) {
  tt::TypeText(a, "4");
  tt::Click(form->N5);
  const std::string kept = Bytes(velmora::KeptGame::FileName);
  std::unique_ptr<toolkit::TFileClaim> first;
  Restart([&] { first = std::make_unique<toolkit::TFileClaim>(velmora::KeptGame::FileName); });
  ASSERT_TRUE(first->Held());
  EXPECT_FALSE(form->sd991->Enabled());
  tt::Click(form->ToolButton5);
  FindOpenCells();
  tt::TypeText(a, "9");
  tt::Click(form->N5);
  EXPECT_EQ(Bytes(velmora::KeptGame::FileName), kept);
}

// A copy started while the last one is still closing waits for it, and brings back the game it kept.
TEST_F(KeptGame, ARelaunchWhileTheLastCopyClosesBringsBackItsGame) {
  TGame game = AGame();
  std::thread closing;
  Restart([&] {
    auto claim = std::make_shared<toolkit::TFileClaim>(velmora::KeptGame::FileName);
    ASSERT_TRUE(claim->Held());
    closing = std::thread([claim, game]() mutable {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      velmora::KeptGame::Write(game);
      claim.reset();
    });
  });
  closing.join();
  EXPECT_TRUE(form->sd991->Enabled());
  EXPECT_EQ(form->sd991->nd, 3);
  EXPECT_EQ(Cell(1, 6)->Text(), "178");
}

// A second copy, whose first copy holds the claim, keeps nothing and says so once; when the claim is
// free at its next change, it keeps its game and says so; a game the other copy kept meanwhile is never
// overwritten.
TEST_F(KeptGame, ACopyWithoutTheClaimSaysSoAndKeepsItsGameOnceTheClaimIsFree) {
  std::unique_ptr<toolkit::TFileClaim> first;
  Restart([&] { first = std::make_unique<toolkit::TFileClaim>(velmora::KeptGame::FileName); });
  tt::Click(form->ToolButton5);
  FindOpenCells();
  tt::Listen();
  tt::TypeText(a, "4");
  tt::Tick(form->KeepTimer);
  tt::TypeText(a, "5");
  tt::Tick(form->KeepTimer);
  EXPECT_FALSE(toolkit::FileExists(velmora::KeptGame::FileName));
  first.reset();
  tt::TypeText(b, "6");
  tt::Tick(form->KeepTimer);
  toolkit::Application->ProcessMessages();
  const auto heard = Notices(tt::StopListening());
  EXPECT_EQ(Said(heard, NotKept), 1);
  EXPECT_EQ(Said(heard, KeptAgain), 1);
  EXPECT_TRUE(toolkit::FileExists(velmora::KeptGame::FileName));
}

TEST_F(KeptGame, AGameAnotherCopyKeptMeanwhileIsNeverOverwritten) {
  std::unique_ptr<toolkit::TFileClaim> first;
  Restart([&] { first = std::make_unique<toolkit::TFileClaim>(velmora::KeptGame::FileName); });
  tt::Click(form->ToolButton5);
  FindOpenCells();
  tt::TypeText(a, "4");
  tt::Tick(form->KeepTimer);
  velmora::KeptGame::Write(AGame());  // the first copy closes, keeping its game
  const std::string kept = Bytes(velmora::KeptGame::FileName);
  first.reset();
  tt::TypeText(a, "5");
  tt::Tick(form->KeepTimer);
  tt::CloseBox(form);
  EXPECT_EQ(Bytes(velmora::KeptGame::FileName), kept);
}

// A write that fails (a full disk) is said once, and said again when the game is kept again.
TEST_F(KeptGame, AFailedKeepIsToldOnceAndAgainWhenKeepingWorks) {
  tt::Listen();
  for (int i = 0; i < 2; ++i) {
    tt::FailNextWrite(ENOSPC);
    tt::TypeText(a, std::to_string(4 + i));
    tt::Tick(form->KeepTimer);
  }
  toolkit::Application->ProcessMessages();
  auto heard = Notices(tt::StopListening());
  EXPECT_EQ(Said(heard, NotKept), 1);
  EXPECT_EQ(Said(heard, "磁盘空间已满"), 1);
  EXPECT_EQ(Said(heard, KeptAgain), 0);
  EXPECT_NE(form->sb1->Panels.front().Text.find(NotKept), std::string::npos);
  EXPECT_TRUE(form->sd991->Enabled());
  tt::Listen();
  tt::TypeText(a, "6");
  tt::Tick(form->KeepTimer);
  toolkit::Application->ProcessMessages();
  heard = Notices(tt::StopListening());
  EXPECT_EQ(Said(heard, KeptAgain), 1);
  EXPECT_EQ(form->sb1->Panels.front().Text, KeptAgain);
}

// The hint's first press makes the kept game one that takes part in no record before it returns: a
// kill at once brings back a hinted game.
TEST_F(KeptGame, TheHintsFirstPressIsKeptAtOnce) {
  tt::TypeText(a, "4");
  tt::Tick(form->KeepTimer);
  std::string why;
  auto before = velmora::KeptGame::Read(&why);
  ASSERT_TRUE(before && before->Recorded) << why;
  tt::Click(form->ToolButton14);
  auto kept = velmora::KeptGame::Read(&why);
  ASSERT_TRUE(kept) << why;
  EXPECT_FALSE(kept->Recorded);
}

// While the clock runs, its time is kept every five seconds at most, without writing the board again:
// a kill costs at most those seconds.
TEST_F(KeptGame, TheClocksTimeIsKeptEveryFiveSecondsWithoutTheBoard) {
  tt::TypeText(a, "4");
  tt::Tick(form->KeepTimer);
  const std::string board = Bytes(velmora::KeptGame::FileName);
  form->TimeLabel1->set_MS(60000);
  for (int tick = 0; tick < 5; ++tick) tt::Tick(form->TimeLabel1->Timer);
  EXPECT_EQ(Bytes(velmora::KeptGame::FileName), board);
  std::string why;
  auto kept = velmora::KeptGame::Read(&why);
  ASSERT_TRUE(kept) << why;
  EXPECT_GE(kept->MS, 60000);
  EXPECT_LE(kept->MS, 65000);
}

// A loaded cell holding a lead byte before "1@", the "1" deleted: the game comes back with exactly
// that text, not moved aside.
TEST_F(KeptGame, ACellWhoseCharacterAnEditCutComesBackAsItWas) {
  std::string saved = "0\x81" "1@\r\n";
  for (int k = 1; k < 81; ++k) saved += "0\r\n";
  Put("cut.txt", saved);
  form->LoadGame("cut.txt");
  auto* cell = Cell(1, 1);
  cell->SetFocus();
  cell->set_SelStart(2);  // after the "1"
  tt::TypeAtCaret(cell, "\b");
  const std::string text = cell->Text();
  ASSERT_EQ(text, toolkit::AnsiToUtf8("\x81") + "@");
  tt::CloseBox(form);
  ::testing::internal::CaptureStderr();
  Restart();
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(Cell(1, 1)->Text(), text);
  EXPECT_EQ(said.find("not brought back"), std::string::npos) << said;
}

// ---------------------------------------------------------------- the hint

namespace {
int Tinted(velmora::main::TForm1* form) {
  int n = 0;
  for (auto* c : form->sd991->Cells) n += !c->HintPart().empty();
  return n;
}
}  // namespace

TEST_F(UndoRedo, HintInThreePressesOfOneStepThenUndoTakesTheStepBack) {
  const std::string before = Board();
  velmora::Coach::Board board;
  for (int k = 0; k < 81; ++k) board[k] = {Cell(k / 9 + 1, k % 9 + 1)->ReadOnly(), Cell(k / 9 + 1, k % 9 + 1)->Text()};
  const velmora::Coach::Hint step = velmora::Coach::NextHint(board);
  ASSERT_EQ(step.kind, velmora::Coach::Kind::Step);
  tt::Click(form->ToolButton14);
  // Where to look and which technique, and once a game that the game has left the records.
  EXPECT_EQ(form->Hint->Memo->Text(), step.first + "\r\n使用提示后，本局不计入排行榜");
  EXPECT_EQ(Tinted(form), 0);
  EXPECT_FALSE(form->Recorded);

  tt::Click(form->N21);  // the second press: the step's reason
  EXPECT_EQ(form->Hint->Memo->Text(), step.second);
  EXPECT_GT(Tinted(form), 0);
  EXPECT_TRUE(form->Hint->Frame[0]->Visible());
  EXPECT_EQ(Board(), before);

  tt::Click(form->N21);  // the step done
  EXPECT_EQ(Tinted(form), 0);
  EXPECT_FALSE(form->Hint->Frame[0]->Visible());
  int changed = 0;
  for (int r = 1; r <= 9; ++r)
    for (int c = 1; c <= 9; ++c)
      if (!Cell(r, c)->Text().empty() && Board()[(r - 1) * 10 + c - 1] != before[(r - 1) * 10 + c - 1]) {
        ++changed;
        EXPECT_EQ(Cell(r, c)->Text(), std::to_string(form->QJ1->Solution(r, c)));
      }
  EXPECT_EQ(changed, 1);
  tt::TypeAtWindow(form, "\x1a");
  EXPECT_EQ(Board(), before);
}

// Any move of the player's takes the hint away; the next press starts a new one. A wrong digit comes
// before any step.
TEST_F(UndoRedo, AMoveClearsTheHintAndAWrongDigitIsToldFirst) {
  tt::Click(form->N21);
  tt::Click(form->N21);
  ASSERT_GT(Tinted(form), 0);
  // A digit the clues allow in an open cell, but not the solution's: wrong without a repeat.
  std::string wrong;
  for (auto* c : form->sd991->Cells) {
    if (c->ReadOnly()) continue;
    wrong = form->QJ1->Candidates(c->h(), c->s());
    std::erase(wrong, static_cast<char>('0' + form->QJ1->Solution(c->h(), c->s())));
    a = c;
    if (!wrong.empty()) break;
  }
  ASSERT_FALSE(wrong.empty());
  tt::TypeText(a, wrong.substr(0, 1));
  EXPECT_EQ(Tinted(form), 0);
  EXPECT_FALSE(form->Hint->Frame[0]->Visible());
  tt::Click(form->N21);
  EXPECT_EQ(form->Hint->Memo->Text(), "有一个数填错了");  // the record note was told once already
  tt::Click(form->N21);
  EXPECT_NE(form->Hint->Memo->Text().find("第" + std::to_string(a->h()) + "行第" + std::to_string(a->s()) + "列"),
            std::string::npos)
      << form->Hint->Memo->Text();
  EXPECT_FALSE(a->HintPart().empty());
}

// A hint on show is about the board it was found on: whatever changes the board or hides it takes the
// hint away, so the next press starts afresh instead of doing the old step (a replay once wrote old
// pencil marks back into the cells it had emptied).
class StaleHint : public InPlay, public ::testing::WithParamInterface<const char*> {};

TEST_P(StaleHint, IsTakenAwayAndTheNextPressStartsAfresh) {
  const std::string action = GetParam();
  tt::TypeText(a, std::to_string(form->QJ1->Solution(a->h(), a->s())));
  tt::TypeText(b, form->QJ1->Candidates(b->h(), b->s()));
  tt::TypeText(b, "\b");
  tt::TypeAtWindow(form, "\x1a");  // something to undo and something to redo
  tt::Click(form->N21);
  tt::Click(form->N21);
  ASSERT_GT(Tinted(form), 0);
  Do(action);
  if (action == "pause") tt::Click(form->N20);  // and on again
  EXPECT_EQ(Tinted(form), 0);
  EXPECT_FALSE(form->Hint->Frame[0]->Visible());
  std::string texts[81];
  for (int k = 0; k < 81; ++k) texts[k] = Cell(k / 9 + 1, k % 9 + 1)->Text();
  tt::Click(form->N21);  // where to look, nothing done
  tt::Click(form->N21);  // why, nothing done
  EXPECT_GT(Tinted(form), 0);
  for (int k = 0; k < 81; ++k) EXPECT_EQ(Cell(k / 9 + 1, k % 9 + 1)->Text(), texts[k]) << "cell " << k;
}

INSTANTIATE_TEST_SUITE_P(Actions, StaleHint, ::testing::Values("replay", "pause", "undo", "redo", "new"),
                         [](const auto& info) { return std::string(info.param); });

// The third press is told whether or not the focus is on the changed cell already, and the hint line's
// words can be heard again by their key, until a new game empties the line.
TEST_F(UndoRedo, TheHintIsHeardEveryTimeAndAgainOnAsking) {
  EXPECT_FALSE(form->N22->Enabled());
  tt::Click(form->N21);
  tt::Click(form->N21);
  const std::string why = form->Hint->Memo->Text();
  tt::Listen();
  tt::PressKey(form->sd991->Cells(1, 1), tt::keyH, {toolkit::ssCtrl, toolkit::ssShift});
  EXPECT_EQ(Notices(tt::StopListening()), std::vector<std::string>{why});
  for (int round = 0; round < 2; ++round) {  // the second time the focus is on the changed cell already
    if (round) {
      tt::Click(form->N21);
      tt::Click(form->N21);
    }
    tt::Listen();
    tt::Click(form->N21);
    const std::vector<std::string> notices = Notices(tt::StopListening());
    ASSERT_FALSE(notices.empty());
    EXPECT_TRUE(notices.back().starts_with("提示：第")) << notices.back();
  }
  tt::Click(form->ToolButton5);
  EXPECT_FALSE(form->N22->Enabled());
}

// Hinted to the end: the congratulation, no new-record dialog, the record file as it was; a hinted game
// brought back at the next start is still out of the records.
TEST_F(KeptGame, AHintedGameIsNeverRecorded) {
  tt::Click(form->ToolButton14);
  tt::TypeText(a, std::to_string(form->QJ1->Solution(a->h(), a->s())));
  tt::Click(form->N5);
  Restart();
  EXPECT_FALSE(form->Recorded);
  const std::string records = Bytes("phb.txt");
  tt::ClearModalForms();
  for (int press = 0; press < 3 * 81 && form->sd991->Enabled(); ++press) tt::Click(form->ToolButton14);
  EXPECT_FALSE(form->sd991->Enabled());
  EXPECT_TRUE(form->WC_Label->Visible());
  EXPECT_TRUE(tt::ModalForms().empty());
  EXPECT_EQ(Bytes("phb.txt"), records);
}

// Every candidate in one step: the open cells without marks get their candidates, the player's marks
// stay, and one Ctrl+Z takes all of it back.
TEST_F(UndoRedo, EveryCandidateInOneStepThatOneUndoTakesBack) {
  tt::TypeText(a, "12");  // the player's marks
  const std::string before = Board();
  tt::Click(form->N24);
  int filled = 0;
  for (auto* c : form->sd991->Cells) {
    if (c->ReadOnly() || c == a) continue;
    const std::string left = form->QJ1->Candidates(c->h(), c->s());
    if (left.size() < 2) {
      EXPECT_EQ(c->Text(), "") << c->AccessibleName();  // one mark would read as a placed digit
      continue;
    }
    EXPECT_EQ(c->Text(), left) << c->AccessibleName();
    ++filled;
  }
  EXPECT_GT(filled, 20);
  EXPECT_EQ(a->Text(), "12");
  tt::TypeAtWindow(form, "\x1a");
  EXPECT_EQ(Board(), before);
  tt::TypeAtWindow(form, "\x19");
  EXPECT_EQ(filled, [&] {
    int n = 0;
    for (auto* c : form->sd991->Cells) n += !c->ReadOnly() && c != a && c->Text().size() >= 2;
    return n;
  }());
}

// With 落子清除候选 checked, a placed digit leaves the marks of its row, column and box in the same step;
// unchecked (as at first), the marks stay.
TEST_F(UndoRedo, APlacedDigitCleansTheMarksOfItsHousesInTheSameStepWhenAsked) {
  const struct {
    const char* name;
    bool clean;
  } cases[] = {{"as it always was", false}, {"asked", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    tt::Click(form->ToolButton5);
    FindOpenCells();
    if (form->N25->Checked() != c.clean) tt::Click(form->N25);
    tt::Click(form->N24);
    std::vector<std::string> marks;
    for (auto* cell : form->sd991->Cells) marks.push_back(cell->Text());
    const char digit = '0' + form->QJ1->Solution(a->h(), a->s());
    tt::DoubleClickMouse(a, 5, 5);  // the marks selected, and the digit typed over them: one change
    tt::TypeAtCaret(a, std::string(1, digit));
    int cleaned = 0;
    for (auto* cell : form->sd991->Cells) {
      if (cell == a) continue;
      const bool peer = cell->h() == a->h() || cell->s() == a->s() || cell->q() == a->q();
      const std::string was = marks[(cell->h() - 1) * 9 + cell->s() - 1];
      if (c.clean && peer && was.find(digit) != std::string::npos) {
        ++cleaned;
        EXPECT_EQ(cell->Text().find(digit), std::string::npos) << cell->AccessibleName();
      } else {
        EXPECT_EQ(cell->Text(), was) << cell->AccessibleName();
      }
    }
    EXPECT_EQ(cleaned > 0, c.clean);
    // The digit and its cleaning are one step.
    tt::TypeAtWindow(form, "\x1a");
    for (auto* cell : form->sd991->Cells) {
      if (cell == a) continue;
      EXPECT_EQ(cell->Text(), marks[(cell->h() - 1) * 9 + cell->s() - 1]) << cell->AccessibleName();
    }
    EXPECT_EQ(a->Text(), marks[(a->h() - 1) * 9 + a->s() - 1]);
  }
}
