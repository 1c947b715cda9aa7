// Screenshots of the game's real windows, taken offscreen while a game is in play.
#pragma once
#include <QImage>
#include <QString>
#include <vector>

namespace mkhelp {

struct Shots {
  QImage mainWindow;  // a beginner game in play, a repeat marked, the candidate panel open
  // The buttons (and the clock) as the tool bar shows them, in the order of velmora::HelpText::Tools:
  // load, save, custom game, the four levels, collection, panel toggle, clock, replay, undo, redo, hint.
  std::vector<QImage> tools;
  QImage panel;       // the candidate panel
  QImage editor;      // the custom-game editor with a puzzle being typed
  QImage collection;  // the puzzle collection with its first title chosen
};

// Starts the program's forms in the current folder (which must be a scratch folder: the game writes
// its record file there), plays a little, takes the pictures and stops the forms again.
// collectionFile: a tk.vlm to copy into the folder first; when empty or missing, a small sample
// collection is made with the game's own generator.
Shots TakeShots(const QString& collectionFile);

}  // namespace mkhelp
