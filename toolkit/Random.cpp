// The linear congruential generator of the puzzle generator.
#include "toolkit/Random.h"

#include <chrono>

namespace toolkit {

std::uint32_t RandSeed = 0;

void Randomize() {
  auto now = std::chrono::system_clock::now().time_since_epoch();
  RandSeed = static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

int Random(int n) {
  RandSeed = RandSeed * 134775813u + 1u;
  return static_cast<int>((static_cast<std::uint64_t>(RandSeed) * static_cast<std::uint32_t>(n)) >> 32);
}

}  // namespace toolkit
