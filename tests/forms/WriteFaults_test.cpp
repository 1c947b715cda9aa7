// Every file the game writes, written when the disk is full or fails, the folder takes no new file, or a
// directory stands in the file's place: the error box shows, the old file stays byte for byte, play goes on.
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>

#include "forms/Ufrm_new.h"
#include "forms/Ufrm_phb.h"
#include "forms/u_frm_djphb.h"
#include "tests/forms/GameFixture.h"

using namespace toolkit;
namespace tt = toolkit::testing;

namespace {

// Makes a folder refuse new files. Root ignores permissions, so the immutable attribute is set too
// where the file system has it; both are undone when the object goes.
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(const std::string& path) : path_(path) {
    ::chmod(path_.c_str(), 0555);
    int immutable = SetImmutable(true);
    std::string probe = path_ + "/probe";
    int fd = ::open(probe.c_str(), O_CREAT | O_WRONLY, 0644);
    works_ = fd < 0;
    if (fd >= 0) {
      ::close(fd);
      ::unlink(probe.c_str());
      why_ = std::string("the folder stays writable: mode 0555 does not stop this user (root), and the immutable "
                         "attribute, which would, cannot be set here (") +
             (immutable ? std::strerror(immutable) : "set, yet ignored") + ")";
    }
  }
  ~ReadOnlyFolder() {
    SetImmutable(false);
    ::chmod(path_.c_str(), 0755);
  }
  bool Works() const { return works_; }
  // Why the folder still takes new files, when it does.
  const std::string& Why() const { return why_; }

 private:
  // Returns 0 or the error that kept the attribute from being set.
  int SetImmutable(bool on) {
    int fd = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return errno;
    int flags = 0, error = 0;
    if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
      flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
      if (::ioctl(fd, FS_IOC_SETFLAGS, &flags) != 0) error = errno;
    } else {
      error = errno;
    }
    ::close(fd);
    return error;
  }
  std::string path_;
  bool works_ = false;
  std::string why_;
};

std::set<std::string> Listing(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    names.insert(entry.path().string());
  return names;
}

std::string RecordFile(std::initializer_list<std::string> lines) {
  std::string out;
  for (const auto& l : lines) out += Utf8ToAnsi(l) + "\r\n";
  return out;
}

enum Fault { DiskFullAtOnce, DiskFullHalfWay, DiskFailsHalfWay, ReadOnly, DirectoryInPlace };
enum Writer { NewRecordDialog, TableReset, SavedGame, EditorSave, EditorWorkingFile };

const char* const FaultNames[] = {"DiskFullAtOnce", "DiskFullHalfWay", "DiskFailsHalfWay", "ReadOnlyFolder",
                                  "DirectoryInPlace"};
const char* const WriterNames[] = {"NewRecordDialog", "TableReset", "SavedGame", "EditorSave", "EditorWorkingFile"};
const char* const FileOf[] = {"phb.txt", "phb.txt", "game.txt", "puzzle.txt", "dont use this file"};

}  // namespace

// The game after a failed write.
class AfterAFailedWrite : public GameFixture {
 protected:
  // A level button starts a game, an open cell takes a digit, and a digit that repeats a clue of its
  // row is marked.
  void ExpectPlayable() {
    tt::Click(form->ToolButton5);
    ASSERT_TRUE(form->sd991->Enabled());
    for (int r = 1; r <= 9; ++r)
      for (int c = 1; c <= 9; ++c) {
        if (!Cell(r, c)->Text().empty()) continue;
        for (int c2 = 1; c2 <= 9; ++c2) {
          if (!form->QJ1->Nodes(r, c2)->Given) continue;
          std::string clue = Cell(r, c2)->Text();
          tt::TypeText(Cell(r, c), clue);
          EXPECT_EQ(Cell(r, c)->Text(), clue);
          EXPECT_TRUE(Cell(r, c)->error());
          return;
        }
      }
    ADD_FAILURE() << "no open cell beside a clue";
  }
};

class WriteFault : public AfterAFailedWrite, public ::testing::WithParamInterface<std::tuple<Writer, Fault>> {
 protected:
  Writer writer() const { return std::get<0>(GetParam()); }
  Fault fault() const { return std::get<1>(GetParam()); }
  std::string file() const { return FileOf[writer()]; }

  // What stands at the file's name before the write: an old file the write would replace, or a
  // directory holding a file of its own.
  void PutOldFile() {
    if (fault() == DirectoryInPlace) {
      ::unlink(file().c_str());
      ASSERT_EQ(::mkdir(file().c_str(), 0755), 0);
      WriteFileBytes(file() + "/inside", "kept");
      return;
    }
    // A level 1 record of 500 seconds, which any finished game beats.
    old = file() == "phb.txt" ? RecordFile({"500秒", "老王", "9999秒", "佚名", "9999秒", "佚名", "9999秒", "佚名"})
                              : std::string("old\r\ncontent\r\n");
    WriteFileBytes(file(), old);
  }

  // Sets the fault up; for the faults of the disk, right before the write.
  void Arm() {
    switch (fault()) {
      case DiskFullAtOnce: tt::FailNextWrite(ENOSPC); break;
      case DiskFullHalfWay: tt::FailNextWrite(ENOSPC, 20); break;
      case DiskFailsHalfWay: tt::FailNextWrite(EIO, 3); break;
      default: break;
    }
  }

  // Does what the player does to write the file, the fault set up at the last moment.
  void Write() {
    switch (writer()) {
      case NewRecordDialog: {
        tt::Click(form->ToolButton5);
        auto [lastRow, lastCol] = LastOpenCell();
        FillAllBut(lastRow, lastCol);
        form->TimeLabel1->set_MS(1000);
        bool asked = false;
        tt::OnNextModal([&](TForm* f) {
          asked = true;
          auto* d = static_cast<velmora::u_frm_djphb::Tfrm_djphb*>(f);
          tt::TypeText(d->Edit1, "x");
          Arm();
          tt::Click(d->Button1);
          dialogStayedOpen = d->ModalResult() == mrNone;
          Arm();  // the disk is still full: Escape tries to store once more, then leaves
          tt::PressKey(d->Edit1, tt::keyEscape);
        });
        tt::TypeText(Cell(lastRow, lastCol), std::to_string(form->QJ1->Solution(lastRow, lastCol)));
        EXPECT_TRUE(asked);
        break;
      }
      case TableReset:
        tt::OnNextModal([&](TForm* f) {
          Arm();
          tt::Click(static_cast<velmora::Ufrm_phb::Tfrm_phb*>(f)->Button1);
          dialogStayedOpen = f->ModalResult() == mrNone;
          tt::Click(static_cast<velmora::Ufrm_phb::Tfrm_phb*>(f)->Button2);
        });
        tt::Click(form->N2);
        break;
      case SavedGame:
        tt::Click(form->ToolButton6);
        tt::AnswerFileDialog(file());
        Arm();
        tt::Click(form->ToolButton2);
        break;
      case EditorSave:
      case EditorWorkingFile: {
        auto* editor = velmora::Ufrm_new::frm_new;
        tt::OnNextModal([&](TForm*) {
          tt::TypeText(editor->sdnew->Cells(1, 1), "7");
          if (writer() == EditorSave) tt::AnswerFileDialog(file());
          Arm();
          tt::Click(writer() == EditorSave ? editor->Button1 : editor->Button2);
          dialogStayedOpen = editor->ModalResult() == mrNone;
          tt::Click(editor->Button4);
        });
        tt::Click(form->ToolButton4);
        break;
      }
    }
  }

  std::string old;
  bool dialogStayedOpen = false;
};

TEST_P(WriteFault, ShowsTheErrorKeepsTheOldFileAndPlayGoesOn) {
  PutOldFile();
  std::optional<ReadOnlyFolder> readOnly;
  if (fault() == ReadOnly) {
    readOnly.emplace(dir.Path());
    if (!readOnly->Works()) GTEST_SKIP() << readOnly->Why();
  }
  std::set<std::string> before = Listing(dir.Path());

  Write();

  // The record table reads the file as it opens: a directory there fails that read first. The new-record
  // dialog tries twice: its button, then Escape.
  std::size_t boxes = (writer() == TableReset && fault() == DirectoryInPlace) || writer() == NewRecordDialog ? 2 : 1;
  ASSERT_EQ(tt::ErrorBoxes().size(), boxes);
  const std::string box = tt::ErrorBoxes().back();
  EXPECT_NE(box.find(dir.Path() + "/" + file()), std::string::npos) << box;
  if (fault() == DiskFullAtOnce || fault() == DiskFullHalfWay) {
    EXPECT_NE(box.find("磁盘空间已满"), std::string::npos);
  }
  if (fault() == DiskFailsHalfWay) {
    EXPECT_NE(box.find("读写设备时出错"), std::string::npos);
  }
  // No temporary file is left behind, and what stood at the name is as it was.
  EXPECT_EQ(Listing(dir.Path()), before);
  if (fault() == DirectoryInPlace) {
    EXPECT_EQ(File(file() + "/inside"), "kept");
  } else {
    EXPECT_EQ(File(file()), old);
  }
  // A dialog whose write failed stays open, so nothing looks stored.
  if (writer() != SavedGame) {
    EXPECT_TRUE(dialogStayedOpen);
  }

  readOnly.reset();
  tt::ClearErrorBoxes();
  ExpectPlayable();
  EXPECT_TRUE(tt::ErrorBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(EveryWrite, WriteFault,
                         ::testing::Combine(::testing::Values(NewRecordDialog, TableReset, SavedGame, EditorSave,
                                                              EditorWorkingFile),
                                            ::testing::Values(DiskFullAtOnce, DiskFullHalfWay, DiskFailsHalfWay,
                                                              ReadOnly, DirectoryInPlace)),
                         [](const auto& info) {
                           return std::string(WriterNames[std::get<0>(info.param)]) + "_" +
                                  FaultNames[std::get<1>(info.param)];
                         });

// The default record file cannot be written at start: the error box shows, and the game still plays.
class RecordFileUnwritableAtStart : public AfterAFailedWrite {
 protected:
  void BeforeStart() override {
    if (useFolder) {
      readOnly.emplace(dir.Path());
      folderWorks = readOnly->Works();
      folderWhy = readOnly->Why();
    } else {
      tt::FailNextWrite(ENOSPC);
    }
  }
  void TearDown() override {
    readOnly.reset();
    GameFixture::TearDown();
  }
  bool useFolder = false;
  bool folderWorks = false;
  std::string folderWhy;
  std::optional<ReadOnlyFolder> readOnly;
};

TEST_F(RecordFileUnwritableAtStart, OnAFullDiskTheGameStillPlays) {
  ASSERT_FALSE(startErrors.empty());
  EXPECT_NE(startErrors[0].find("phb.txt"), std::string::npos) << startErrors[0];
  EXPECT_NE(startErrors[0].find("磁盘空间已满"), std::string::npos) << startErrors[0];
  EXPECT_FALSE(FileExists("phb.txt"));
  EXPECT_FALSE(form->sd991->Enabled());  // no game until a level is chosen
  ExpectPlayable();
}

class RecordFileInReadOnlyFolder : public RecordFileUnwritableAtStart {
  void BeforeStart() override {
    useFolder = true;
    RecordFileUnwritableAtStart::BeforeStart();
  }
};

TEST_F(RecordFileInReadOnlyFolder, ShowsTheErrorAndAFinishedGameStillEnds) {
  if (!folderWorks) GTEST_SKIP() << folderWhy;
  ASSERT_FALSE(startErrors.empty());
  EXPECT_NE(startErrors[0].find("phb.txt"), std::string::npos) << startErrors[0];
  // Without a record file every level's record reads as 9999 seconds, so a finished game asks for a name.
  tt::Click(form->ToolButton5);
  FillAllBut(0, 0);
  EXPECT_TRUE(form->WC_Label->Visible());
  ASSERT_EQ(tt::ModalForms().size(), 1u);
  EXPECT_EQ(tt::ModalForms()[0], velmora::u_frm_djphb::frm_djphb);
}

// The game folder on a real file system that is full: a 64 KB tmpfs mounted over the test's folder,
// holding the old files, then filled up. The write itself, not a test hook, meets the full disk.
// Mounting needs root (or the capability to mount); elsewhere the tests are skipped and say so.
enum FullDiskWrite { FirstStart, StoringARecord, SavingOverAGame, RecordsAfterAFullStart };
const char* const FullDiskWriteNames[] = {"FirstStart", "StoringARecord", "SavingOverAGame", "RecordsAfterAFullStart"};

class OnAFullDisk : public AfterAFailedWrite, public ::testing::WithParamInterface<FullDiskWrite> {
 protected:
  void BeforeStart() override {
    if (::mount("tmpfs", dir.Path().c_str(), "tmpfs", 0, "size=64k") != 0) {
      skipped = std::string("no tmpfs can be mounted here (") + std::strerror(errno) +
                "; it takes root, with the right to mount)";
      return;
    }
    mounted = true;
    ASSERT_EQ(::chdir(dir.Path().c_str()), 0);  // into the new file system
    if (GetParam() != FirstStart && GetParam() != RecordsAfterAFullStart) {
      WriteFileBytes("phb.txt", RecordFile({"500秒", "老王", "9999秒", "佚名", "9999秒", "佚名", "9999秒", "佚名"}));
      WriteFileBytes("game.txt", std::string(3000, 'g'));
    }
    int fd = ::open("filler", O_WRONLY | O_CREAT, 0644);
    char block[4096] = {};
    while (::write(fd, block, sizeof block) > 0) {
    }
    ::close(fd);
    for (const char* name : {"phb.txt", "game.txt"})
      if (FileExists(name)) old[name] = File(name);
  }
  void SetUp() override {
    AfterAFailedWrite::SetUp();
    if (!mounted) GTEST_SKIP() << skipped;
    before = Listing(dir.Path());
  }
  void TearDown() override {
    AfterAFailedWrite::TearDown();
    if (mounted) ::umount2(dir.Path().c_str(), MNT_DETACH);
  }

  bool mounted = false;
  std::string skipped;
  std::set<std::string> before;
  std::map<std::string, std::string> old;

  // Finishes a beginner game in a second, storing the record under `name` if the dialog opens.
  void FinishWithARecord(const std::string& name) {
    tt::Click(form->ToolButton5);
    auto [lastRow, lastCol] = LastOpenCell();
    FillAllBut(lastRow, lastCol);
    form->TimeLabel1->set_MS(1000);
    tt::OnNextModal([&](TForm* f) {
      auto* d = static_cast<velmora::u_frm_djphb::Tfrm_djphb*>(f);
      d->Edit1->set_Text(name);
      tt::Click(d->Button1);
      if (d->ModalResult() == mrNone) tt::PressKey(d->Edit1, tt::keyEscape);
    });
    tt::TypeText(Cell(lastRow, lastCol), std::to_string(form->QJ1->Solution(lastRow, lastCol)));
  }
};

// The record file could not be written at start for want of space: a record stored while the disk is
// still full fails for that reason, and once space is freed the next record makes the file anew.
using AfterAFullStart = OnAFullDisk;

TEST_P(AfterAFullStart, ARecordNamesTheFullDiskThenOnceSpaceIsFreedMakesTheFile) {
  ASSERT_FALSE(FileExists("phb.txt"));
  FinishWithARecord("甲");
  ASSERT_FALSE(tt::ErrorBoxes().empty());
  for (const std::string& box : tt::ErrorBoxes())
    EXPECT_NE(box.find(dir.Path() + "/phb.txt”：磁盘空间已满"), std::string::npos) << box;
  EXPECT_EQ(Listing(dir.Path()), before);

  ASSERT_EQ(::unlink("filler"), 0);
  tt::ClearErrorBoxes();
  FinishWithARecord("乙");
  EXPECT_TRUE(tt::ErrorBoxes().empty());
  EXPECT_EQ(File("phb.txt"), RecordFile({"1秒", "乙", "9999秒", "佚名", "9999秒", "佚名", "9999秒", "佚名"}));
}

TEST_P(OnAFullDisk, TheErrorBoxShowsAndTheOldFileStaysByteForByte) {
  switch (GetParam()) {
    case FirstStart:
    case RecordsAfterAFullStart:
      ASSERT_FALSE(startErrors.empty());  // the record file's; the sample collection is missing too
      EXPECT_NE(startErrors[0].find(dir.Path() + "/phb.txt”：磁盘空间已满"), std::string::npos) << startErrors[0];
      EXPECT_FALSE(FileExists("phb.txt"));
      break;
    case StoringARecord: {
      tt::Click(form->ToolButton5);
      auto [lastRow, lastCol] = LastOpenCell();
      FillAllBut(lastRow, lastCol);
      form->TimeLabel1->set_MS(1000);
      tt::OnNextModal([&](TForm* f) { tt::Click(static_cast<velmora::u_frm_djphb::Tfrm_djphb*>(f)->Button1); });
      tt::TypeText(Cell(lastRow, lastCol), std::to_string(form->QJ1->Solution(lastRow, lastCol)));
      break;
    }
    case SavingOverAGame:
      tt::Click(form->ToolButton6);
      tt::AnswerFileDialog("game.txt");
      tt::Click(form->ToolButton2);
      break;
  }
  if (GetParam() != FirstStart && GetParam() != RecordsAfterAFullStart) {
    ASSERT_EQ(tt::ErrorBoxes().size(), 1u);
    const char* file = GetParam() == StoringARecord ? "/phb.txt”：磁盘空间已满" : "/game.txt”：磁盘空间已满";
    EXPECT_NE(tt::ErrorBoxes()[0].find(dir.Path() + file), std::string::npos) << tt::ErrorBoxes()[0];
  }
  EXPECT_EQ(Listing(dir.Path()), before);  // no temporary file left, no empty file made
  for (const auto& [name, bytes] : old) EXPECT_EQ(File(name), bytes) << name;
}

INSTANTIATE_TEST_SUITE_P(RealTmpfs, OnAFullDisk, ::testing::Values(FirstStart, StoringARecord, SavingOverAGame),
                         [](const auto& info) { return std::string(FullDiskWriteNames[info.param]); });
INSTANTIATE_TEST_SUITE_P(RealTmpfs, AfterAFullStart, ::testing::Values(RecordsAfterAFullStart),
                         [](const auto& info) { return std::string(FullDiskWriteNames[info.param]); });
