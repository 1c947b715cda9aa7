// What a player sees in a grabbed picture: where the ink of a text lies, and its colours.
#pragma once
#include <algorithm>
#include <cstdlib>
#include <functional>

#include "toolkit/testing.h"

namespace pixels {

inline int Red(toolkit::TColor c) { return c & 0xFF; }
inline int Green(toolkit::TColor c) { return (c >> 8) & 0xFF; }
inline int Blue(toolkit::TColor c) { return (c >> 16) & 0xFF; }

// The pixels of a rectangle that differ clearly from its background, and their bounding box.
struct Ink {
  int count = 0;
  int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
  int Height() const { return count ? bottom - top + 1 : 0; }
};

inline Ink FindInk(const toolkit::testing::Picture& pic, toolkit::TColor background, int x0, int y0, int x1, int y1) {
  Ink ink;
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      toolkit::TColor c = pic.Pixel(x, y);
      int d = std::abs(Red(c) - Red(background)) + std::abs(Green(c) - Green(background)) +
              std::abs(Blue(c) - Blue(background));
      if (d < 96) continue;
      ++ink.count;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
    }
  }
  return ink;
}

inline bool Any(const toolkit::testing::Picture& pic, int x0, int y0, int x1, int y1,
                const std::function<bool(toolkit::TColor)>& pred) {
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x)
      if (pred(pic.Pixel(x, y))) return true;
  return false;
}

inline bool IsBlueInk(toolkit::TColor c) { return Blue(c) > 0xC0 && Red(c) < 0x40 && Green(c) < 0x40; }
inline bool IsBlackInk(toolkit::TColor c) { return Blue(c) < 0x40 && Red(c) < 0x40 && Green(c) < 0x40; }

}  // namespace pixels
