// Printing: the print module loaded on first use, and the job handed to it.
#include "toolkit/Printer.h"

#include <dlfcn.h>
#include <unistd.h>

#include <QWidget>
#include <filesystem>

#include "toolkit/Forms.h"
#include "toolkit/Print_p.h"
#include "toolkit/SysUtils.h"
#include "toolkit/qt_p.h"
#include "toolkit/testing.h"
#include "toolkit/testing_p.h"

namespace toolkit {

namespace {

PrintEntry entry = nullptr;

// The module lies beside the program (installed, and the game in the build tree), or one folder up (the
// tests and tools in the build tree).
PrintEntry LoadModule() {
  if (entry) return entry;
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
  std::string why = "no " + std::string(PrintModuleName) + " beside " + self.string();
  for (const std::filesystem::path& dir : {self, self.parent_path()}) {
    const std::string name = (dir / PrintModuleName).string();
    if (!std::filesystem::exists(name, ec)) continue;
    void* module = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
      why = dlerror();
      break;
    }
    entry = reinterpret_cast<PrintEntry>(dlsym(module, PrintEntryName));
    if (entry) return entry;
    why = name + " has no " + PrintEntryName;
    break;
  }
  throw Exception("无法打印：打印支持未能载入（" + why + "）");
}

}  // namespace

bool PrintSupportLoaded() { return entry != nullptr; }

bool PrintPuzzles(TForm* Owner, const std::vector<TPrintedPuzzle>& Puzzles, int PerPage) {
  PrintJob job;
  job.Puzzles = &Puzzles;
  job.PerPage = PerPage == 2 || PerPage == 4 || PerPage == 6 ? PerPage : 1;
  job.JobName = "数独";
  if (testing::Enabled()) {
    std::optional<std::string> pdf;
    if (!testing::TakePrintAnswer(pdf, job.TestPaper) || !pdf) return false;
    job.TestPdf = std::filesystem::absolute(*pdf).string();
  } else {
    job.Parent = Owner && Owner->HandleAllocated() ? Owner->Handle()->widget : nullptr;
  }
  const int result = LoadModule()(&job);
  if (result < 0) throw Exception("打印失败：" + job.Error);
  return result > 0;
}

}  // namespace toolkit
