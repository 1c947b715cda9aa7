// What the game and its print module pass each other. Included by toolkit/*.cpp only.
#pragma once
#include <string>
#include <vector>

#include "toolkit/Printer.h"

class QWidget;

namespace toolkit {

struct PrintJob {
  const std::vector<TPrintedPuzzle>* Puzzles = nullptr;
  int PerPage = 1;
  std::string JobName;
  QWidget* Parent = nullptr;
  // Tests: no dialog; printed to this PDF file on this paper ("A4" or "Letter"). Empty: the dialog.
  std::string TestPdf, TestPaper;
  // Out: the reason of a failure.
  std::string Error;
};

// The module's one entry: 1 printed, 0 cancelled, -1 failed (job->Error says why).
using PrintEntry = int (*)(PrintJob* job);
inline const char* const PrintEntryName = "velmora_print";
inline const char* const PrintModuleName = "velmora-print.so";

}  // namespace toolkit
