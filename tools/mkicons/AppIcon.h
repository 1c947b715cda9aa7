// The program icon: a Sudoku board with a few bold digits on a warm tile, at any pixel size.
#pragma once

#include <QImage>

#include <array>

namespace mkicons {

// The sizes written to resources/icon/velmora-<size>.png.
inline constexpr std::array<int, 7> kAppIconSizes = {16, 24, 32, 48, 64, 128, 256};

// Draws the program icon as a square image of `size` pixels. Large sizes follow
// resources/icon/velmora.svg shape for shape; small sizes keep the motif with less detail.
QImage appIcon(int size);

} // namespace mkicons
