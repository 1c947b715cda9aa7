// The print module: Qt's print support, the print dialog and the pages of puzzles. Built as a module of
// its own (velmora-print.so) that toolkit/Printer.cpp loads the first time something is printed.
#include <QDir>
#include <QFont>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

#include "toolkit/Print_p.h"

namespace {

using toolkit::PrintJob;
using toolkit::TPrintedPuzzle;

// Columns and rows of puzzles on a page: 1, 2 one above the other, 4 two by two, 6 two by three.
void Arrangement(int perPage, int& cols, int& rows) {
  cols = perPage >= 4 ? 2 : 1;
  rows = perPage == 1 ? 1 : perPage == 2 ? 2 : perPage == 4 ? 2 : 3;
}

// One puzzle in the part of the page `slot`: its title above, then the grid, as large as the part
// allows, centred. Lines: cells a hairline's weight, boxes and the frame three times that.
void DrawPuzzle(QPainter& p, const TPrintedPuzzle& puzzle, const QRectF& slot) {
  const qreal titleHeight = slot.height() * 0.08;
  const qreal side = std::min(slot.width(), slot.height() - titleHeight) * 0.92;
  const qreal left = slot.left() + (slot.width() - side) / 2;
  const qreal top = slot.top() + titleHeight + (slot.height() - titleHeight - side) / 2;
  const qreal cell = side / 9;

  QFont titleFont = p.font();
  titleFont.setPixelSize(std::max(1, static_cast<int>(titleHeight * 0.6)));
  p.setFont(titleFont);
  p.setPen(Qt::black);
  p.drawText(QRectF(left, top - titleHeight, side, titleHeight), Qt::AlignLeft | Qt::AlignVCenter,
             QString::fromUtf8(puzzle.Title.c_str()));

  const qreal thin = std::max<qreal>(1, side / 400), thick = thin * 3;
  for (int k = 0; k <= 9; ++k) {
    p.setPen(QPen(Qt::black, k % 3 == 0 ? thick : thin, Qt::SolidLine, Qt::SquareCap));
    p.drawLine(QPointF(left + k * cell, top), QPointF(left + k * cell, top + side));
    p.drawLine(QPointF(left, top + k * cell), QPointF(left + side, top + k * cell));
  }

  QFont digitFont = p.font();
  digitFont.setPixelSize(std::max(1, static_cast<int>(cell * 0.62)));
  for (int k = 0; k < 81; ++k) {
    const std::string& t = puzzle.Texts[k];
    if (t.size() != 1 || t[0] < '1' || t[0] > '9') continue;
    digitFont.setBold(puzzle.Given[k]);
    p.setFont(digitFont);
    p.setPen(puzzle.Given[k] ? QColor(Qt::black) : QColor(0x40, 0x40, 0x40));
    p.drawText(QRectF(left + (k % 9) * cell, top + (k / 9) * cell, cell, cell), Qt::AlignCenter, QString(QChar(t[0])));
  }
}

bool PrintPages(QPrinter& printer, const PrintJob& job) {
  QPainter p;
  if (!p.begin(&printer)) return false;
  int cols = 1, rows = 1;
  Arrangement(job.PerPage, cols, rows);
  const auto& puzzles = *job.Puzzles;
  // The part of the page both A4 and Letter hold inside their margins (180 x 249 mm), centred: a
  // puzzle is of one size on either paper.
  const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
  const qreal mm = printer.resolution() / 25.4;
  QRectF area(0, 0, std::min(page.width(), 180 * mm), std::min(page.height(), 249 * mm));
  area.moveCenter(QPointF(page.width() / 2, page.height() / 2));
  for (std::size_t i = 0; i < puzzles.size(); ++i) {
    const int at = static_cast<int>(i % static_cast<std::size_t>(job.PerPage));
    if (i > 0 && at == 0 && !printer.newPage()) return false;
    const qreal w = area.width() / cols, h = area.height() / rows;
    DrawPuzzle(p, puzzles[i], QRectF(area.left() + (at % cols) * w, area.top() + (at / cols) * h, w, h));
  }
  return p.end();
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int velmora_print(PrintJob* job) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QString::fromUtf8(job->JobName.c_str()));
  printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
  if (!job->TestPdf.empty()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromUtf8(job->TestPdf.c_str()));
    printer.setPageSize(QPageSize(job->TestPaper == "Letter" ? QPageSize::Letter : QPageSize::A4));
  } else {
    // With no printer at all the dialog offers a PDF file: in the game folder, where the game keeps its files.
    if (QPrinterInfo::availablePrinterNames().isEmpty())
      printer.setOutputFileName(QDir::current().absoluteFilePath(QString::fromUtf8("数独.pdf")));
    QPrintDialog dialog(&printer, job->Parent);
    dialog.setWindowTitle(QString::fromUtf8("打印"));
    if (dialog.exec() != QDialog::Accepted) return 0;
  }
  if (PrintPages(printer, *job)) return 1;
  job->Error = printer.outputFileName().isEmpty() ? "the printer refused the pages"
                                                  : "the file " + printer.outputFileName().toStdString() + " could not be written";
  return -1;
}
