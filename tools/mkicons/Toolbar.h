// The 16 x 16 tool-bar pictures of the main window, drawn by index.
#pragma once

#include <QImage>

namespace mkicons {

// Number of tool-bar pictures.
inline constexpr int kToolbarCount = 13;
// Side of one tool-bar picture in pixels.
inline constexpr int kToolbarSide = 16;

// Draws tool-bar picture `index` (0 .. kToolbarCount - 1):
// 0 load, 1 save, 2 intermediate, 3 advanced, 4 expert, 5 beginner,
// 6 candidate panel, 7 custom game, 8 replay, 9 puzzle collection, 10 undo, 11 redo, 12 hint.
// With `scale` 2 the same picture at twice the size, for screens of two device pixels a pixel.
QImage toolbarPicture(int index, int scale = 1);

// All pictures side by side in index order.
QImage toolbarStrip();

} // namespace mkicons
