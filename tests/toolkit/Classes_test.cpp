// The line store's rules, the code page 936 files and the conversions.
#include "toolkit/Classes.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/inotify.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>

#include "tests/Locks.h"
#include "tests/TempDir.h"
#include "toolkit/Random.h"
#include "toolkit/SysUtils.h"

using namespace toolkit;

TEST(LineRules, EachKindOfBreakEndsALineAndTheRestIsOneMoreLine) {
  TStringList s;
  s.set_Text("a\r\nb\rc\nd");
  ASSERT_EQ(s.Count(), 4);
  EXPECT_EQ(s[0], "a");
  EXPECT_EQ(s[1], "b");
  EXPECT_EQ(s[2], "c");
  EXPECT_EQ(s[3], "d");
  s.set_Text("a\r\n");
  ASSERT_EQ(s.Count(), 2);
  EXPECT_EQ(s[1], "");
  s.set_Text("\n\r\r\n");  // LF, then CR, then CR LF: three breaks, four lines
  EXPECT_EQ(s.Count(), 4);
}

TEST(LineRules, ReadingPastTheEndGivesEmptyAndReplacingPastTheEndChangesNothing) {
  TStringList s;
  s.set_Text("x\ny");
  EXPECT_EQ(s[2], "");
  EXPECT_EQ(s[-1], "");
  s.Put(5, "z");
  s.Put(2, "z");
  EXPECT_EQ(s.Text(), "x\r\ny");
  s.Put(1, "w");
  EXPECT_EQ(s.Text(), "x\r\nw");
}

TEST(LineRules, AddEndsEachLineLikeAnEditControl) {
  TStringList s;
  s.Clear();
  s.Add("a");
  s.Add("b");
  EXPECT_EQ(s.Text(), "a\r\nb\r\n");
  s.set_Text("a");
  s.Add("b");
  EXPECT_EQ(s.Text(), "a\r\nb\r\n");
}

TEST(Files, WriteJoinsWithCrLfAndLoneBreaksComeBackAsCrLf) {
  TempDir dir;
  WriteFileBytes("f.txt", "1\n2\r3\r\n");
  TStringList s;
  s.LoadFromFile("f.txt");
  s.SaveToFile("g.txt");
  EXPECT_EQ(ReadFileBytes("g.txt"), "1\r\n2\r\n3\r\n");
}

TEST(Files, ChineseTextRoundTripsByteForByteInCodePage936) {
  TempDir dir;
  // "9999秒" CR LF "佚名" CR LF in code page 936
  const std::string bytes = "9999\xC3\xEB\r\n\xD8\xFD\xC3\xFB\r\n";
  WriteFileBytes("phb.txt", bytes);
  TStringList s;
  s.LoadFromFile("phb.txt");
  EXPECT_EQ(s[0], "9999秒");
  EXPECT_EQ(s[1], "佚名");
  s.SaveToFile("phb.txt");
  EXPECT_EQ(ReadFileBytes("phb.txt"), bytes);
}

TEST(Files, EveryChineseTextTheProgramWritesRoundTrips) {
  for (std::string text : {"9999秒", "佚名", "已破初级记录", "已破骨灰级记录", "恭喜你完成任务", "重新计分", "名称",
                           "精选题库", "自定义游戏"}) {
    std::string ansi = Utf8ToAnsi(text);
    EXPECT_NE(ansi, text);
    EXPECT_EQ(AnsiToUtf8(ansi), text);
  }
  EXPECT_EQ(Utf8ToAnsi("秒").size(), 2u);
  EXPECT_EQ(Utf8ToAnsi("a\xF0\x9F\x98\x80" "b"), "a?b");  // no place for an emoji in code page 936
}

TEST(Files, LongTextsConvertWholeWhereverACharacterFallsAndBadBytesAreKept) {
  // Every offset of a two-byte character, and of a four-byte UTF-8 one, against the converter's windows.
  for (std::size_t lead : {0u, 4094u, 4095u, 4096u, 8191u, 12287u}) {
    std::string text = std::string(lead, 'a') + "中" + std::string(5000, 'b') + "秒";
    EXPECT_EQ(AnsiToUtf8(Utf8ToAnsi(text)), text) << lead;
    std::string emoji = std::string(lead, 'a') + "\xF0\x9F\x98\x80" + "z";
    EXPECT_EQ(Utf8ToAnsi(emoji), std::string(lead, 'a') + "?z") << lead;
  }
  // A lead byte with no second byte, alone at the end or before a line break, is kept as its escape.
  const std::string escapeD6 = "\xED\xB3\x96";  // U+DCD6
  EXPECT_EQ(AnsiToUtf8(std::string(4095, 'a') + "\xD6"), std::string(4095, 'a') + escapeD6);
  EXPECT_EQ(AnsiToUtf8("x\xD6\ny"), "x" + escapeD6 + "\ny");
  std::string noise;
  for (int i = 0; i < 100000; ++i) noise += "\xFF" "a";
  EXPECT_TRUE(Utf8ToAnsi(AnsiToUtf8(noise)) == noise);
}

TEST(Files, EveryByteComesBackWhateverItHoldsAndOnlyNewTextBecomesAQuestionMark) {
  // Every pair of bytes, in one text: decoding and encoding again gives the very same bytes.
  std::string soup;
  for (int a = 0; a < 256; ++a)
    for (int b = 0; b < 256; ++b) soup += {static_cast<char>(a), static_cast<char>(b)};
  EXPECT_TRUE(Utf8ToAnsi(AnsiToUtf8(soup)) == soup);
  // Through a file: the bytes seen turned into "?" (a broken character, a byte-order mark of UTF-16).
  TempDir dir;
  const std::string bytes = "\xE4\xB8\xAD\r\n\xFF\xFE\r\n\xC3\xEB\x80\xA1\r\n";
  WriteFileBytes("f.txt", bytes);
  TStringList s;
  s.LoadFromFile("f.txt");
  s.SaveToFile("f.txt");
  EXPECT_EQ(ReadFileBytes("f.txt"), bytes);
  // Text typed or written by the program that code page 936 cannot hold is still "?".
  s.Put(1, "\xE2\x82\xAC\xF0\x9F\x98\x80");  // euro sign (which code page 936 has), emoji
  EXPECT_EQ(Utf8ToAnsi(s[1]), "\x80?");
}

TEST(Files, APipeOrADeviceIsRefusedAtOnceAndNeverWaitedOnOrReadForEver) {
  TempDir dir;
  ASSERT_EQ(::mkfifo("pipe", 0644), 0);
  for (const char* name : {"pipe", "/dev/zero"}) {
    try {
      ReadFileBytes(name);
      ADD_FAILURE() << name;
    } catch (const EFOpenError& e) {
      EXPECT_NE(e.Message.find(ExpandFileName(name)), std::string::npos) << e.Message;
      EXPECT_NE(e.Message.find("不是普通文件"), std::string::npos) << e.Message;
    }
  }
  ASSERT_EQ(::mkdir("folder", 0755), 0);
  try {
    ReadFileBytes("folder");
    ADD_FAILURE();
  } catch (const EFOpenError& e) {
    EXPECT_NE(e.Message.find("这是一个目录"), std::string::npos) << e.Message;
  }
}

// One language: a Chinese frame and a Chinese reason, for reads and writes alike.
TEST(Files, FailuresNameTheFullPathAndTheReasonInChinese) {
  TempDir dir;
  ASSERT_EQ(::symlink("loop", "loop"), 0);
  WriteFileBytes("plain", "x");
  auto message = [](const std::function<void()>& f) -> std::string {
    try {
      f();
    } catch (const EStreamError& e) {
      return e.Message;
    }
    return "no error";
  };
  const std::string longName(300, 'n');
  EXPECT_EQ(message([] { ReadFileBytes("missing.txt"); }),
            "无法打开文件“" + ExpandFileName("missing.txt") + "”：文件或目录不存在");
  EXPECT_EQ(message([] { WriteFileBytes("no/such/x.txt", "x"); }),
            "无法写入文件“" + ExpandFileName("no/such/x.txt") + "”：文件或目录不存在");
  EXPECT_EQ(message([] { ReadFileBytes("plain/x"); }), "无法打开文件“" + ExpandFileName("plain/x") + "”：路径中有一部分不是目录");
  EXPECT_EQ(message([&] { WriteFileBytes(longName, "x"); }), "无法写入文件“" + ExpandFileName(longName) + "”：文件名太长");
  EXPECT_EQ(message([] { ReadFileBytes("loop"); }), "无法打开文件“" + ExpandFileName("loop") + "”：符号链接的层数太多");
}

// What the game says for each system error of a file operation; the system's own text for the rest.
TEST(Files, EachErrorOfAFileOperationHasItsChineseReason) {
  const std::pair<int, const char*> table[] = {
      {ENOENT, "文件或目录不存在"},   {EACCES, "没有访问权限"},        {EPERM, "不允许这样操作"},
      {EISDIR, "这是一个目录"},       {ENOTDIR, "路径中有一部分不是目录"}, {ENAMETOOLONG, "文件名太长"},
      {ELOOP, "符号链接的层数太多"},  {ENOSPC, "磁盘空间已满"},         {EDQUOT, "超出了磁盘配额"},
      {EROFS, "文件系统是只读的"},    {EIO, "读写设备时出错"},          {EMFILE, "本程序打开的文件太多"},
      {ENFILE, "系统打开的文件太多"}, {EFBIG, "文件太大"},              {EBUSY, "设备或资源正忙"},
      {ETXTBSY, "文件正在被执行"},
  };
  for (const auto& [error, reason] : table) EXPECT_EQ(SysErrorMessage(error), reason) << error;
  EXPECT_EQ(SysErrorMessage(EPIPE), std::strerror(EPIPE));
}

// A write's temporary file is hidden and named as the game's own; what an interrupted write left is
// removed, while a temporary that a running copy is writing (locked) and every file the game did not
// name stay.
TEST(Files, OnlyTheGamesOwnLeftoverTemporariesAreRemoved) {
  TempDir dir;
  int watch = ::inotify_init1(IN_NONBLOCK);
  ASSERT_GE(watch, 0);
  ::inotify_add_watch(watch, ".", IN_CREATE);
  WriteFileBytes("phb.txt", "new");
  alignas(inotify_event) char events[4096];
  ssize_t n = ::read(watch, events, sizeof events);
  ::close(watch);
  std::string temporary;
  for (ssize_t at = 0; at < n;) {
    auto* e = reinterpret_cast<inotify_event*>(events + at);
    if (e->len && std::string(e->name) != "phb.txt") temporary = e->name;
    at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
  }
  EXPECT_EQ(temporary.rfind(".phb.txt.velmora-tmp-", 0), 0u) << temporary;
  EXPECT_FALSE(std::filesystem::exists(temporary));

  const char* const removed[] = {".phb.txt.velmora-tmp-Ab12Cd", ".save1.txt.velmora-tmp-000000"};
  const char* const kept[] = {"phb.txt.Ab12Cd",       ".phb.txt.velmora-tmp-Ab12C", "x.velmora-tmp-Ab12Cd",
                              ".x.velmora-tmp-Ab12C!", ".phb.txt.velmora-lock",      ".locked.velmora-tmp-Ab12Cd"};
  for (const char* name : removed) WriteFileBytes(name, "left");
  for (const char* name : kept) WriteFileBytes(name, "kept");
  if (!temporary.empty()) WriteFileBytes(temporary, "left");
  ASSERT_EQ(::symlink("phb.txt", ".link.velmora-tmp-Ab12Cd"), 0);
  ASSERT_EQ(::mkdir(".dir.velmora-tmp-Ab12Cd", 0755), 0);
  int running = HoldLock(".locked.velmora-tmp-Ab12Cd");
  ASSERT_GE(running, 0);

  RemoveLeftoverTemporaries(".");
  ::close(running);

  for (const char* name : removed) EXPECT_FALSE(std::filesystem::exists(name)) << name;
  EXPECT_FALSE(std::filesystem::exists(temporary)) << temporary;
  for (const char* name : kept) EXPECT_EQ(ReadFileBytes(name), "kept") << name;
  EXPECT_TRUE(std::filesystem::is_symlink(".link.velmora-tmp-Ab12Cd"));
  EXPECT_TRUE(std::filesystem::is_directory(".dir.velmora-tmp-Ab12Cd"));
  EXPECT_EQ(ReadFileBytes("phb.txt"), "new");
}

TEST(Files, AFailedWriteLeavesTheOldFileIntact) {
  TempDir dir;
  WriteFileBytes("keep.txt", "old");
  ASSERT_EQ(::mkdir("keep.txt.d", 0755), 0);
  EXPECT_THROW(WriteFileBytes("keep.txt.d", "new"), EFCreateError);  // a directory cannot be replaced
  EXPECT_EQ(ReadFileBytes("keep.txt"), "old");
}

TEST(Conversions, StrToIntAcceptsBlanksAndSignOnly) {
  EXPECT_EQ(StrToInt("123"), 123);
  EXPECT_EQ(StrToInt("  -7"), -7);
  EXPECT_EQ(StrToInt("+5"), 5);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
  for (const char* bad : {"", " ", "-", "12 ", "1.", "x5", "2147483648", "99999999999999999999"}) {
    try {
      StrToInt(bad);
      ADD_FAILURE() << bad;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message, std::string("'") + bad + "' is not a valid integer value");
    }
  }
  // A control byte shows escaped in the message.
  for (auto [bad, quoted] :
       {std::pair{std::string("\0", 1), "\\x00"}, {"1\x1F\x7F\r\n", "1\\x1F\\x7F\\x0D\\x0A"}}) {
    try {
      StrToInt(bad);
      ADD_FAILURE() << quoted;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message, "'" + std::string(quoted) + "' is not a valid integer value");
    }
  }
}

// The board's test of a one-character cell, which runs on every cell at every change, agrees with the
// byte count of the text in code page 936 whatever the text's length.
TEST(Conversions, AOneByteCharacterIsToldFromAnyOtherTextAtOnce) {
  const struct {
    std::string text;
    bool one;
  } cases[] = {{"5", true},  {"", false},       {"55", false},   {"中", false}, {"€", true},
               {EscapeOf(0x81), true}, {"5\r\n", false}, {std::string(5'000'000, '5'), false}};
  for (const auto& c : cases) {
    EXPECT_EQ(AnsiLengthIsOne(c.text), c.one) << c.text.substr(0, 8);
    EXPECT_EQ(AnsiLengthIsOne(c.text), AnsiLength(c.text) == 1) << c.text.substr(0, 8);
  }
}

TEST(Conversions, TrimRemovesControlBytesAndBlanksAtBothEnds) {
  EXPECT_EQ(Trim(" \t5\r\n"), "5");
  EXPECT_EQ(Trim(std::string("\0 x y \x01", 7)), "x y");
  EXPECT_EQ(Trim("   "), "");
}

TEST(Random, FirstDrawsBelowFourFromZero) {
  RandSeed = 0;
  EXPECT_EQ(Random(4), 0);
  EXPECT_EQ(Random(4), 0);
  EXPECT_EQ(Random(4), 3);
  EXPECT_EQ(RandSeed, 134775814u * 134775813u + 1u);
}

TEST(Random, RandomizeSeedsFromTheMillisecondsSinceTheEpoch) {
  auto now = [] {
    auto t = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(t).count());
  };
  std::uint32_t before = now();
  Randomize();
  std::uint32_t seed = RandSeed;
  std::uint32_t after = now();
  EXPECT_LE(seed - before, after - before);  // modulo 2^32, as the seed is
}

TEST(Components, OwnerFreesWhatItOwnsAndAnEarlyFreeLeavesTheList) {
  auto* owner = new TComponent(nullptr);
  auto* a = new TComponent(owner);
  new TComponent(owner);
  ASSERT_EQ(owner->ComponentCount(), 2);
  delete a;
  EXPECT_EQ(owner->ComponentCount(), 1);
  delete owner;  // frees the remaining one; the sanitizer build would see a leak or a double free
}
