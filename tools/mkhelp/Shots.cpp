// Plays the real program offscreen as a player would and photographs its windows.
#include "Shots.h"

#include <QFile>

#include "forms/Program.h"
#include "forms/Ufrm_new.h"
#include "forms/Ufrm_tk.h"
#include "forms/main.h"
#include "toolkit/Classes.h"
#include "toolkit/Random.h"
#include "toolkit/testing.h"

namespace mkhelp {

using namespace velmora;
namespace tt = toolkit::testing;

namespace {

QImage ToImage(const tt::Picture& p) {
  QImage image(p.Width(), p.Height(), QImage::Format_RGB32);
  for (int y = 0; y < p.Height(); ++y)
    for (int x = 0; x < p.Width(); ++x) {
      toolkit::TColor c = p.Pixel(x, y);
      image.setPixel(x, y, qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
    }
  return image;
}

// At the size the control has on screen: a picture of more pixels says how many a pixel holds.
QImage Shot(toolkit::TControl* c) {
  QImage image = ToImage(tt::Grab(c));
  image.setDevicePixelRatio(static_cast<double>(image.width()) / c->Width());
  return image;
}

// Titles "[00001]" and on, each followed by the nine rows of a level 2 puzzle, "0" for an open cell.
void WriteSampleCollection() {
  QJ::TQJ engine(nullptr);
  std::string text;
  for (int n = 1; n <= 12; ++n) {
    engine.NewMedium();
    char title[16];
    std::snprintf(title, sizeof title, "[%05d]", n);
    text += std::string(title) + "\r\n";
    for (int r = 1; r <= 9; ++r) {
      for (int c = 1; c <= 9; ++c) text += engine.Nodes(r, c)->Given ? char('0' + engine.Nodes(r, c)->Value) : '0';
      text += "\r\n";
    }
  }
  toolkit::WriteFileBytes("tk.vlm", text);
  toolkit::RandSeed = 0;  // the main window's first game is then the usual first beginner puzzle
}

void PlayABeginnerGame(main::TForm1* f) {
  tt::Click(f->ToolButton5);
  auto cell = [f](int r, int c) { return f->sd991->Cells(r, c); };
  auto digit = [f](int r, int c) { return std::to_string(f->QJ1->Solution(r, c)); };
  // A few right answers, pencil marks in one cell, and one digit that repeats a clue of its row.
  int filled = 0;
  for (int r = 1; r <= 9 && filled < 12; ++r)
    for (int c = 1; c <= 9 && filled < 12; c += 2)
      if (cell(r, c)->Text().empty()) {
        tt::TypeText(cell(r, c), digit(r, c));
        ++filled;
      }
  // Pencil marks: the candidates of the first open cell low on the board that has several.
  [&] {
    for (int r = 5; r <= 9; ++r)
      for (int c = 1; c <= 9; ++c)
        if (cell(r, c)->Text().empty() && f->QJ1->Candidates(r, c).size() >= 2) {
          tt::TypeText(cell(r, c), f->QJ1->Candidates(r, c));
          return;
        }
  }();
  // A repeat: the first open cell of the bottom rows gets a clue of its own row.
  [&] {
    for (int r = 9; r >= 6; --r)
      for (int c = 1; c <= 9; ++c)
        if (cell(r, c)->Text().empty())
          for (int k = 1; k <= 9; ++k)
            if (f->QJ1->Nodes(r, k)->Given) {
              tt::TypeText(cell(r, c), std::to_string(f->QJ1->Nodes(r, k)->Value));
              return;
            }
  }();
  for (int tick = 0; tick < 205; ++tick) tt::Tick(f->TimeLabel1->Timer);
  // The candidate panel, switched on and opened below the open cell of the top rows that has the
  // most candidates, so that it shows white and grey digits side by side.
  tt::Click(f->sfshowpan);
  int bestRow = 0, bestCol = 0;
  std::size_t most = 0;
  for (int r = 1; r <= 4; ++r)
    for (int c = 1; c <= 8; ++c)
      if (cell(r, c)->Text().empty() && f->QJ1->Candidates(r, c).size() > most)
        most = f->QJ1->Candidates(r, c).size(), bestRow = r, bestCol = c;
  if (!bestRow) return;
  tt::MoveMouse(cell(bestRow, bestCol), 20, 20);
  tt::PressMouse(cell(bestRow, bestCol), toolkit::mbLeft, 20, 20);
}

void TypeAPuzzle(Ufrm_new::Tfrm_new* editor) {
  const char* rows[] = {"53..7....", "6..195...", ".98....6.", "8...6...3", "4..8.3..1",
                        "7...2...6", ".6....28.", "...419..5", "....8..79"};
  for (int r = 1; r <= 9; ++r)
    for (int c = 1; c <= 9; ++c)
      if (rows[r - 1][c - 1] != '.') tt::TypeText(editor->sdnew->Cells(r, c), std::string(1, rows[r - 1][c - 1]));
}

}  // namespace

Shots TakeShots(const QString& collectionFile) {
  if (collectionFile.isEmpty() || !QFile::exists(collectionFile) || !QFile::copy(collectionFile, "tk.vlm"))
    WriteSampleCollection();
  toolkit::RandSeed = 0;
  CreateForms();
  Shots shots;
  main::TForm1* f = main::Form1;
  f->Show();
  PlayABeginnerGame(f);
  shots.mainWindow = Shot(f);
  shots.panel = Shot(f->pan);
  // One step taken back, so that undo and redo both show as they do in a game.
  tt::Click(f->ToolButton12);
  toolkit::TControl* const tools[] = {f->ToolButton1, f->ToolButton2,  f->ToolButton4,  f->ToolButton5,
                                      f->ToolButton6, f->ToolButton7,  f->ToolButton8,  f->ToolButton11,
                                      f->sfshowpan,   f->TimeLabel1,   f->ToolButton10, f->ToolButton12,
                                      f->ToolButton13, f->ToolButton14};
  for (toolkit::TControl* t : tools) shots.tools.push_back(Shot(t));

  Ufrm_new::frm_new->Show();
  TypeAPuzzle(Ufrm_new::frm_new);
  shots.editor = Shot(Ufrm_new::frm_new);
  Ufrm_new::frm_new->Close();

  Ufrm_tk::frm_tk->Show();
  shots.collection = Shot(Ufrm_tk::frm_tk);
  Ufrm_tk::frm_tk->Close();
  DestroyForms();
  return shots;
}

}  // namespace mkhelp
