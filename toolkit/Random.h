// The program-wide pseudo-random generator of the puzzle generator.
#pragma once
#include <cstdint>

namespace toolkit {

// State of the 32-bit linear congruential generator; 0 at program start, never reseeded by the game.
extern std::uint32_t RandSeed;

// A draw below n: advances RandSeed := RandSeed * 134775813 + 1 (mod 2^32) and returns the upper
// 32 bits of the 64-bit product RandSeed * n, so 0 <= result < n for n > 0.
int Random(int n);

}  // namespace toolkit
