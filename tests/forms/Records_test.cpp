// The record file, the new-record dialog and the record table, as a player and the file see them.
#include "forms/Records.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include "forms/Ufrm_phb.h"
#include "forms/u_frm_djphb.h"
#include "tests/Locks.h"
#include "tests/forms/GameFixture.h"

using namespace toolkit;
namespace tt = toolkit::testing;
using velmora::u_frm_djphb::Tfrm_djphb;

namespace {
const std::string DefaultFile =
    "9999\xC3\xEB\r\n\xD8\xFD\xC3\xFB\r\n9999\xC3\xEB\r\n\xD8\xFD\xC3\xFB\r\n"
    "9999\xC3\xEB\r\n\xD8\xFD\xC3\xFB\r\n9999\xC3\xEB\r\n\xD8\xFD\xC3\xFB\r\n";

// A record file from its lines in UTF-8, joined with the given break.
std::string RecordFile(std::initializer_list<std::string> lines, const std::string& br = "\r\n") {
  std::string out;
  for (const auto& l : lines) out += Utf8ToAnsi(l) + br;
  return out;
}
}  // namespace

class RecordsAtStart : public GameFixture {
 protected:
  void BeforeStart() override {
    if (!initial.empty()) WriteFileBytes("phb.txt", initial);
  }
  std::string initial;
};

TEST_F(RecordsAtStart, MissingFileIsWrittenWithTheFiftySixDefaultBytes) {
  EXPECT_EQ(File("phb.txt"), DefaultFile);
  EXPECT_EQ(DefaultFile.size(), 56u);
  for (int level = 1; level <= 4; ++level) EXPECT_EQ(form->BestTime(level), 9999);
}

class OtherRecordFile : public RecordsAtStart {
  void BeforeStart() override {
    initial = "hello";
    RecordsAtStart::BeforeStart();
  }
};

TEST_F(OtherRecordFile, AnExistingFileIsLeftUntouched) { EXPECT_EQ(File("phb.txt"), "hello"); }

// A copy of the game killed while writing left its temporary file; another copy is writing one now.
class LeftoverTemporaries : public RecordsAtStart {
  void BeforeStart() override {
    WriteFileBytes(".phb.txt.velmora-tmp-Ab12Cd", "left");
    WriteFileBytes(".save1.txt.velmora-tmp-Ab12Cd", "being written");
    running = HoldLock(".save1.txt.velmora-tmp-Ab12Cd");
  }
  void TearDown() override {
    ::close(running);
    RecordsAtStart::TearDown();
  }
  int running = -1;
};

TEST_F(LeftoverTemporaries, AreRemovedAtStartUnlessARunningCopyIsWritingThem) {
  EXPECT_FALSE(std::filesystem::exists(".phb.txt.velmora-tmp-Ab12Cd"));
  EXPECT_EQ(File(".save1.txt.velmora-tmp-Ab12Cd"), "being written");
  EXPECT_EQ(File("phb.txt"), DefaultFile);
}

using BestTime = GameFixture;

TEST_F(BestTime, DropsTheLastTwoBytesOfTheTimeLineAndReadsTheRest) {
  auto level1 = [&](const std::string& timeLine) {
    WriteFileBytes("phb.txt", RecordFile({timeLine, "佚名"}));
    return form->BestTime(1);
  };
  EXPECT_EQ(level1("75秒"), 75);
  EXPECT_EQ(level1("750"), 7);
  EXPECT_EQ(level1("秒"), 9999);
  EXPECT_EQ(level1("75"), 9999);
  EXPECT_EQ(level1(""), 9999);
  EXPECT_EQ(level1("ab秒"), 9999);
  EXPECT_EQ(level1("-5秒"), -5);
  WriteFileBytes("phb.txt", RecordFile({"1秒", "a", "2秒", "b", "3秒", "c", "4秒", "d"}));
  EXPECT_EQ(form->BestTime(3), 3);
  EXPECT_EQ(form->BestTime(4), 4);
  ::unlink("phb.txt");
  EXPECT_EQ(form->BestTime(2), 9999);
}

class NewRecord : public GameFixture {
 protected:
  // Plays the first beginner game to its last cell and finishes it at `ms` milliseconds, answering
  // the new-record dialog, if it opens, with `answer`.
  void FinishLevel(int level, long long ms, std::function<void(Tfrm_djphb*)> answer) {
    tt::Click(level == 1 ? form->ToolButton5 : level == 2 ? form->ToolButton6 : level == 3 ? form->ToolButton7 : form->ToolButton8);
    auto [lastRow, lastCol] = LastOpenCell();
    FillAllBut(lastRow, lastCol);
    form->TimeLabel1->set_MS(ms);
    tt::OnNextModal([answer](TForm* f) { answer(static_cast<Tfrm_djphb*>(f)); });
    tt::TypeText(Cell(lastRow, lastCol), std::to_string(form->QJ1->Solution(lastRow, lastCol)));
    tt::OnNextModal(nullptr);
  }
  static void TypeName(Tfrm_djphb* d, const std::string& name) {
    d->Edit1->set_Text("");
    tt::TypeText(d->Edit1, name);
    tt::Click(d->Button1);
  }
};

TEST_F(NewRecord, OnlyAStrictlyBetterTimeOpensTheDialogWithLevelTimeAndDefaultName) {
  WriteFileBytes("phb.txt", RecordFile({"76秒", "甲", "9999秒", "佚名", "9999秒", "佚名", "9999秒", "佚名"}));
  bool asked = false;
  FinishLevel(1, 76000, [&](Tfrm_djphb*) { asked = true; });
  EXPECT_FALSE(asked);
  EXPECT_TRUE(tt::ModalForms().empty());

  std::string label1, time, name;
  FinishLevel(1, 75999, [&](Tfrm_djphb* d) {
    label1 = d->Label1->Caption();
    time = d->Label_sj->Caption();
    name = d->Edit1->Text();
    TypeName(d, "小明");
  });
  EXPECT_EQ(label1, "已破初级记录");
  EXPECT_EQ(time, "75秒");
  EXPECT_EQ(name, "佚名");
  EXPECT_EQ(File("phb.txt"), RecordFile({"75秒", "小明", "9999秒", "佚名", "9999秒", "佚名", "9999秒", "佚名"}));
}

TEST_F(NewRecord, FromItsFirstShowingTheDialogIsModalAndTheMainWindowTakesNoInput) {
  std::string board;
  FinishLevel(1, 5000, [&](Tfrm_djphb* d) {
    board = Board();
    tt::Click(form->N9);  // 骨灰级, from the menu and from the tool bar
    tt::Click(form->ToolButton8);
    tt::Click(form->sfshowpan);
    EXPECT_EQ(form->sd991->nd, 1);
    EXPECT_EQ(Board(), board);
    EXPECT_FALSE(form->sfshowpan->Down());
    TypeName(d, "小明");
  });
  EXPECT_EQ(File("phb.txt"), RecordFile({"5秒", "小明", "9999秒", "佚名", "9999秒", "佚名", "9999秒", "佚名"}));
}

TEST_F(NewRecord, ChangesOnlyTheLevelsTwoLinesAndKeepsEveryOtherByte) {
  WriteFileBytes("phb.txt", RecordFile({"1秒", "a", "2秒", "b", "3秒", "c", "4秒", "d", "extra"}, "\n"));
  FinishLevel(3, 0, [&](Tfrm_djphb* d) {
    EXPECT_EQ(d->Label1->Caption(), "已破高级记录");
    TypeName(d, "  spaced  ");
  });
  EXPECT_EQ(File("phb.txt"), RecordFile({"1秒", "a", "2秒", "b", "0秒", "  spaced  ", "4秒", "d", "extra"}));

  // Bytes that are no code page 936 text, in the lines the store does not change, come back as they were:
  // a character cut short, a UTF-16 byte-order mark, a lone lead byte, a name in UTF-8.
  const std::string kept[] = {"\xE4\xB8\xAD", "\xFF\xFE", "9\x81", "\xE5\xBC\xA0\xE4\xB8\x89"};
  auto file = [&](const std::string& line2, const std::string& line3) {
    return kept[0] + "\r\n" + kept[1] + "\r\n" + line2 + "\r\n" + line3 + "\r\n" + kept[2] + "\r\n" +
           kept[3] + "\r\n" + kept[2] + "\r\n" + kept[0] + "\r\n" + kept[1];
  };
  WriteFileBytes("phb.txt", file("50\xC3\xEB", "\xFF"));
  FinishLevel(2, 7000, [&](Tfrm_djphb* d) { TypeName(d, "Zoë"); });
  EXPECT_EQ(File("phb.txt"), file(Utf8ToAnsi("7秒"), "Zo?"));  // only a typed character with no place is "?"
}

TEST_F(NewRecord, ABlankNameStoresTheDefaultName) {
  FinishLevel(4, 5000, [&](Tfrm_djphb* d) {
    EXPECT_EQ(d->Label1->Caption(), "已破骨灰级记录");
    TypeName(d, " \t ");
  });
  EXPECT_EQ(File("phb.txt"), RecordFile({"9999秒", "佚名", "9999秒", "佚名", "9999秒", "佚名", "5秒", "佚名"}));
}

TEST_F(NewRecord, AShortFileIsCompletedSoTheRecordAndNameAreKept) {
  WriteFileBytes("phb.txt", "");
  FinishLevel(2, 61000, [&](Tfrm_djphb* d) { TypeName(d, "Ann"); });
  EXPECT_EQ(File("phb.txt"), RecordFile({"9999秒", "佚名", "61秒", "Ann", "9999秒", "佚名", "9999秒", "佚名"}));
  WriteFileBytes("phb.txt", RecordFile({"10秒", "x"}));
  FinishLevel(4, 3000, [&](Tfrm_djphb* d) { TypeName(d, "Bo"); });
  EXPECT_EQ(File("phb.txt"), RecordFile({"10秒", "x", "9999秒", "佚名", "9999秒", "佚名", "3秒", "Bo"}));
}

// The dialog opens with the focus in the name box and "佚名" selected, so a typed name replaces it,
// and Enter there stores as the button does.
TEST_F(NewRecord, OpensInTheNameBoxWithItsNameSelectedAndEnterThereStoresThePastedNamesFirstLine) {
  bool closed = false;
  std::string typed;
  FinishLevel(2, 8000, [&](Tfrm_djphb* d) {
    tt::TypeAtWindow(d, "x");  // where the focus is, over what is selected
    typed = d->Edit1->Text();
    d->Edit1->SelectAll();
    tt::Paste(d->Edit1, "张三\r\n第二行");
    tt::TypeAtWindow(d, "\r");
    closed = d->ModalResult() != mrNone;
  });
  EXPECT_EQ(typed, "x");
  EXPECT_TRUE(closed);
  EXPECT_EQ(File("phb.txt"), RecordFile({"9999秒", "佚名", "8秒", "张三", "9999秒", "佚名", "9999秒", "佚名"}));
}

TEST_F(NewRecord, AHugeHandEditedRecordIsBeatenWithoutOverflow) {
  WriteFileBytes("phb.txt", RecordFile({"2147483647秒", "x"}));
  bool asked = false;
  FinishLevel(1, 3000000000LL, [&](Tfrm_djphb* d) {
    asked = true;
    TypeName(d, "y");
  });
  EXPECT_TRUE(asked);
  EXPECT_EQ(form->BestTime(1), 3000000);
}

TEST_F(NewRecord, EscapeAndTheWindowManagersCloseStoreTheRecordAsTheButtonDoes) {
  int closed = 0;
  auto leave = [&](const std::string& name, bool escape) {
    return [&closed, name, escape](Tfrm_djphb* d) {
      d->Edit1->set_Text("");
      tt::TypeText(d->Edit1, name);
      if (escape)
        tt::PressKey(d->Edit1, tt::keyEscape);
      else
        tt::CloseBox(d);
      closed += d->ModalResult() != mrNone;
    };
  };
  FinishLevel(1, 42000, leave("小明", true));
  FinishLevel(2, 43000, leave("  ", true));
  FinishLevel(3, 44000, leave("Ann", false));
  EXPECT_EQ(closed, 3);
  EXPECT_EQ(File("phb.txt"), RecordFile({"42秒", "小明", "43秒", "佚名", "44秒", "Ann", "9999秒", "佚名"}));
  EXPECT_TRUE(tt::ErrorBoxes().empty());
}

TEST_F(NewRecord, AFileThatCannotBeReadKeepsTheDialogOpenForRetryButEscapeLeavesAfterItsErrorBox) {
  ::unlink("phb.txt");
  ASSERT_EQ(::mkdir("phb.txt", 0755), 0);
  bool stillOpen = false, closedByEscape = false;
  FinishLevel(1, 1000, [&](Tfrm_djphb* d) {
    tt::Click(d->Button1);
    tt::Click(d->Button1);
    stillOpen = d->ModalResult() == mrNone;
    tt::PressKey(d->Edit1, tt::keyEscape);
    closedByEscape = d->ModalResult() != mrNone;
  });
  EXPECT_TRUE(stillOpen);
  EXPECT_TRUE(closedByEscape);
  ASSERT_EQ(tt::ErrorBoxes().size(), 3u);  // two presses of the button, then Escape's own try
  for (const std::string& box : tt::ErrorBoxes()) EXPECT_NE(box.find("phb.txt"), std::string::npos);
}

// Another copy of the game in the same folder stored a time while the dialog was open: the better time
// (the earlier one, when both are equal) stays, and the player is told why theirs was not stored.
TEST_F(NewRecord, ARecordStoredMeanwhileIsKeptUnlessThisTimeStillBeatsIt) {
  const struct {
    const char* storedMeanwhile;
    bool stored;
  } cases[] = {{"70秒", false}, {"80秒", false}, {"81秒", true}};
  for (const auto& c : cases) {
    const std::string meanwhile =
        RecordFile({c.storedMeanwhile, "小红", "9999秒", "佚名", "9999秒", "佚名", "9999秒", "佚名"});
    tt::ClearMessageBoxes();
    FinishLevel(1, 80500, [&](Tfrm_djphb* d) {
      WriteFileBytes("phb.txt", meanwhile);
      TypeName(d, "小明");
      EXPECT_NE(d->ModalResult(), mrNone);  // closed either way
    });
    if (c.stored) {
      EXPECT_EQ(File("phb.txt"), RecordFile({"80秒", "小明", "9999秒", "佚名", "9999秒", "佚名", "9999秒", "佚名"}));
      EXPECT_TRUE(tt::MessageBoxes().empty());
    } else {
      EXPECT_EQ(File("phb.txt"), meanwhile) << c.storedMeanwhile;
      ASSERT_EQ(tt::MessageBoxes().size(), 1u);
      EXPECT_NE(tt::MessageBoxes()[0].find(std::string(c.storedMeanwhile) + "（小红）"), std::string::npos)
          << tt::MessageBoxes()[0];
    }
    WriteFileBytes("phb.txt", DefaultFile);
  }
  EXPECT_TRUE(tt::ErrorBoxes().empty());
}

// Where the system refuses the record lock, the record is still decided on the file as it stands just
// before the write: a better time another copy stored in between stays, a worse one is beaten.
TEST_F(NewRecord, WithoutALockARecordStoredJustBeforeTheWriteIsStillSeen) {
  const struct {
    const char* storedMeanwhile;
    bool stored;
  } cases[] = {{"3秒", false}, {"90秒", true}};
  for (const auto& c : cases) {
    const std::string meanwhile = RecordFile({c.storedMeanwhile, "小红", "9999秒", "佚名", "9999秒", "佚名", "9999秒", "佚名"});
    tt::ClearMessageBoxes();
    ::testing::internal::CaptureStderr();
    FinishLevel(1, 10000, [&](Tfrm_djphb* d) {
      tt::FailNextLock(ENOLCK, [&] { WriteFileBytes("phb.txt", meanwhile); });
      TypeName(d, "小明");
    });
    std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("phb.txt"), std::string::npos) << said;
    if (c.stored) {
      EXPECT_EQ(File("phb.txt"), RecordFile({"10秒", "小明", "9999秒", "佚名", "9999秒", "佚名", "9999秒", "佚名"}));
      EXPECT_TRUE(tt::MessageBoxes().empty());
    } else {
      EXPECT_EQ(File("phb.txt"), meanwhile);
      ASSERT_EQ(tt::MessageBoxes().size(), 1u);
      EXPECT_NE(tt::MessageBoxes()[0].find("3秒（小红）"), std::string::npos) << tt::MessageBoxes()[0];
    }
    WriteFileBytes("phb.txt", DefaultFile);
  }
  EXPECT_TRUE(tt::ErrorBoxes().empty());
}

// The record file went while the game ran: each record of the session is stored in a default table
// made anew, and no error is shown.
TEST_F(NewRecord, AMissingRecordFileIsMadeAnewWithTheRecord) {
  ::unlink("phb.txt");
  FinishLevel(2, 30000, [&](Tfrm_djphb* d) { TypeName(d, "小明"); });
  EXPECT_EQ(File("phb.txt"), RecordFile({"9999秒", "佚名", "30秒", "小明", "9999秒", "佚名", "9999秒", "佚名"}));
  ::unlink("phb.txt");
  FinishLevel(4, 40000, [&](Tfrm_djphb* d) { TypeName(d, "Ann"); });
  EXPECT_EQ(File("phb.txt"), RecordFile({"9999秒", "佚名", "9999秒", "佚名", "9999秒", "佚名", "40秒", "Ann"}));
  EXPECT_TRUE(tt::ErrorBoxes().empty());
}

// The record is written and renamed, but the folder cannot be synced: the record is stored, and the
// dialog closes with no word that it was not.
TEST_F(NewRecord, AFolderThatCannotBeSyncedStillStoresTheRecordAndSaysNothingOfAFailure) {
  FinishLevel(3, 50000, [&](Tfrm_djphb* d) {
    tt::FailNextFolderSync(EIO);
    TypeName(d, "小明");
  });
  EXPECT_EQ(File("phb.txt"), RecordFile({"9999秒", "佚名", "9999秒", "佚名", "50秒", "小明", "9999秒", "佚名"}));
  EXPECT_TRUE(tt::ErrorBoxes().empty());
  EXPECT_TRUE(tt::MessageBoxes().empty());
}

// Start meets the record lock held by another copy, or a pipe in its place: it goes on after a moment
// at most. Start's work runs in a child process, so that a start waiting for ever fails the test
// instead of hanging it. While another copy holds the lock, start leaves the record file to it.
TEST(RecordsAtStartWithTheLock, AHeldLockOrAPipeKeepsStartOnlyAMoment) {
  const struct {
    bool pipe;
    bool fileWritten;
  } cases[] = {{false, false}, {true, true}};
  for (const auto& c : cases) {
    TempDir dir;
    int other = -1;
    if (c.pipe) {
      ASSERT_EQ(::mkfifo(".phb.txt.velmora-lock", 0644), 0);
    } else {
      WriteFileBytes(".phb.txt.velmora-lock", "");
      other = HoldLock(".phb.txt.velmora-lock");
      ASSERT_GE(other, 0);
    }
    pid_t pid = ::fork();
    if (pid == 0) {
      try {
        TStringList store;
        velmora::Records::PrepareFolder(store);
      } catch (...) {
        ::_exit(1);
      }
      ::_exit(0);
    }
    ASSERT_GT(pid, 0);
    int status = 0;
    for (int waited = 0; ::waitpid(pid, &status, WNOHANG) == 0; ++waited) {
      if (waited == 1000) {  // ten seconds: it waits for ever
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
        ADD_FAILURE() << "start waited on the lock" << (c.pipe ? " (a pipe)" : " (held)");
        break;
      }
      ::usleep(10000);
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << c.pipe;
    EXPECT_EQ(std::filesystem::exists("phb.txt"), c.fileWritten) << c.pipe;
    if (other >= 0) ::close(other);
  }
}

// Eight running copies store records of the four levels at once, each a series of better times: no
// record is lost, and each level ends with the best time stored for it, under its player's name.
TEST(RecordsOfSeveralCopies, NoRecordIsLostWhenCopiesStoreAtOnce) {
  TempDir dir;
  TStringList defaults;
  velmora::Records::FillDefaults(defaults);
  defaults.SaveToFile("phb.txt");
  constexpr int Copies = 8, Stores = 25;
  int go[2];
  ASSERT_EQ(::pipe(go), 0);
  std::vector<pid_t> copies;
  for (int copy = 0; copy < Copies; ++copy) {
    pid_t pid = ::fork();
    if (pid == 0) {
      ::close(go[1]);
      char c;
      (void)!::read(go[0], &c, 1);  // all start together, when the pipe closes
      int level = copy % 4 + 1;
      try {
        TStringList store;
        for (int i = 0; i < Stores; ++i)
          velmora::Records::StoreRecord(store, level, std::to_string(500 - 2 * i - copy / 4) + "秒",
                                        "copy" + std::to_string(copy));
      } catch (...) {
        ::_exit(1);
      }
      ::_exit(0);
    }
    ASSERT_GT(pid, 0);
    copies.push_back(pid);
  }
  ::close(go[0]);
  ::close(go[1]);
  for (pid_t pid : copies) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  TStringList file;
  file.LoadFromFile("phb.txt");
  for (int level = 1; level <= 4; ++level) {
    EXPECT_EQ(file[2 * level - 2], std::to_string(500 - 2 * (Stores - 1) - 1) + "秒") << level;
    EXPECT_EQ(file[2 * level - 1], "copy" + std::to_string(level - 1 + 4)) << level;
  }
  EXPECT_EQ(file.Count(), 9);
}

TEST_F(NewRecord, ANameIsCutAtItsFirstLineBreakSoTheFileKeepsItsLines) {
  // Whatever reaches the record writer, the name stays one line.
  TStringList store;
  velmora::Records::FillDefaults(store);
  velmora::Records::PutRecord(store, 1, "1秒", "Ann\r\nx");
  velmora::Records::PutRecord(store, 2, "2秒", "Bo\rby");
  velmora::Records::PutRecord(store, 3, "3秒", " Cy \nz");
  velmora::Records::PutRecord(store, 4, "4秒", "\nDee");
  EXPECT_EQ(store.Text(), "1秒\r\nAnn\r\n2秒\r\nBo\r\n3秒\r\n Cy \r\n4秒\r\n佚名\r\n");

  // Through the dialog, with a break assigned to its name box.
  FinishLevel(2, 9000, [](Tfrm_djphb* d) {
    d->Edit1->set_Text("Ann\r\n7秒");
    tt::Click(d->Button1);
  });
  TStringList file;
  file.LoadFromFile("phb.txt");
  EXPECT_EQ(file.Count(), 9);  // eight lines and the empty rest after the last break
  EXPECT_EQ(file[2], "9秒");
  EXPECT_EQ(file[3].rfind("Ann", 0), 0u) << file[3];
  EXPECT_EQ(file[4], "9999秒");
}

using RecordTable = GameFixture;

TEST_F(RecordTable, ShowsTheLinesAsTheyStandAndEmptyLabelsForMissingOnes) {
  WriteFileBytes("phb.txt", RecordFile({"12秒", "张三", "x"}, "\r"));
  velmora::Ufrm_phb::Tfrm_phb* table = nullptr;
  tt::OnNextModal([&](TForm* f) {
    table = static_cast<velmora::Ufrm_phb::Tfrm_phb*>(f);
    Application->ProcessMessages();
    EXPECT_TRUE(table->Button2->Focused());  // Enter dismisses the table, it does not reset it
    EXPECT_EQ(table->s1->Caption(), "12秒");
    EXPECT_EQ(table->m1->Caption(), "张三");
    EXPECT_EQ(table->s2->Caption(), "x");
    EXPECT_EQ(table->m2->Caption(), "");
    EXPECT_EQ(table->m4->Caption(), "");
    tt::Click(table->Button1);  // reset
    EXPECT_EQ(table->s2->Caption(), "9999秒");
    EXPECT_EQ(table->m4->Caption(), "佚名");
    EXPECT_TRUE(table->Visible());  // the dialog stays open
    tt::Click(table->Button2);
  });
  tt::Click(form->N2);
  EXPECT_NE(table, nullptr);
  EXPECT_EQ(File("phb.txt"), DefaultFile);
}

TEST_F(RecordTable, AnUnreadableFileStillOpensTheTableWithItsLayoutTexts) {
  ::unlink("phb.txt");
  tt::OnNextModal([&](TForm* f) {
    auto* table = static_cast<velmora::Ufrm_phb::Tfrm_phb*>(f);
    EXPECT_EQ(table->s1->Caption(), "9999秒");
    EXPECT_EQ(table->m3->Caption(), "佚名");
    tt::Click(table->Button1);
  });
  tt::Click(form->N2);
  EXPECT_EQ(tt::ErrorBoxes().size(), 1u);
  EXPECT_EQ(File("phb.txt"), DefaultFile);  // the reset writes it even when it was missing
}
