// The linear congruential generator of the puzzle generator.
#include "toolkit/Random.h"

namespace toolkit {

std::uint32_t RandSeed = 0;

int Random(int n) {
  RandSeed = RandSeed * 134775813u + 1u;
  return static_cast<int>((static_cast<std::uint64_t>(RandSeed) * static_cast<std::uint32_t>(n)) >> 32);
}

}  // namespace toolkit
