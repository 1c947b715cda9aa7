// The program-wide pseudo-random generator of the puzzle generator.
#pragma once
#include <cstdint>

namespace toolkit {

// State of the 32-bit linear congruential generator; 0 until Randomize seeds it.
extern std::uint32_t RandSeed;

// Seeds RandSeed from the clock: the milliseconds since the epoch, modulo 2^32. The program calls it
// once at start, so each run deals other puzzles; the generator itself never reseeds.
void Randomize();

// A draw below n: advances RandSeed := RandSeed * 134775813 + 1 (mod 2^32) and returns the upper
// 32 bits of the 64-bit product RandSeed * n, so 0 <= result < n for n > 0.
int Random(int n);

}  // namespace toolkit
