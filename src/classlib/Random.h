// The one random-number source of the program: a 32-bit linear congruential generator.
//   seed := seed * 134775813 + 1 (mod 2^32)
// Every draw of every null model goes through these routines, in the order the program
// makes them, so a seed, data and options always give the same results.
#pragma once

#include "classlib/Types.h"

// The generator state; a run sets it from its seed box and reads back the seed in use.
extern Cardinal RandSeed;

// Advances the state and returns an integer in [0, N): the high 32 bits of N * seed.
// Random(0) is 0.
inline Integer Random(Integer N) {
  RandSeed = RandSeed * 134775813u + 1u;
  return static_cast<Integer>((static_cast<uint64_t>(static_cast<uint32_t>(N)) * RandSeed) >> 32);
}

// Advances the state and returns a real in [0, 1): seed / 2^32.
inline double RandomReal() {
  RandSeed = RandSeed * 134775813u + 1u;
  return static_cast<double>(RandSeed) * (1.0 / 4294967296.0);
}

// Normal deviate with mean Mean and standard deviation StdDev by the polar method,
// one deviate per call (the second of each pair is not kept).
double RandG(double Mean, double StdDev);

// min(a, b) + Random(|b - a|): the larger bound is never returned.
Integer RandomRange(Integer AFrom, Integer ATo);

// Seeds from the clock: the low 32 bits of the high-resolution counter (tests may replace
// the counter through SetRandomizeCounter).
void Randomize();

// Replaces the counter Randomize reads (nullptr restores the real one); for tests.
void SetRandomizeCounter(std::function<uint64_t()> counter);
