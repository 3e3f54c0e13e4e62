#include "classlib/Random.h"

#include <chrono>
#include <cmath>
#include <cstdlib>

Cardinal RandSeed = 0;

namespace {
std::function<uint64_t()>& CounterSource() {
  static std::function<uint64_t()> source;
  return source;
}
}  // namespace

double RandG(double Mean, double StdDev) {
  double u1, u2, s;
  do {
    u1 = 2.0 * RandomReal() - 1.0;
    u2 = 2.0 * RandomReal() - 1.0;
    s = u1 * u1 + u2 * u2;
  } while (s >= 1.0 || s == 0.0);  // s == 0 would divide by zero; it has probability 2^-64
  return Mean + StdDev * u1 * std::sqrt(-2.0 * std::log(s) / s);
}

Integer RandomRange(Integer AFrom, Integer ATo) {
  Integer lo = AFrom < ATo ? AFrom : ATo;
  return lo + Random(std::abs(ATo - AFrom));
}

void Randomize() {
  uint64_t ticks;
  if (CounterSource()) {
    ticks = CounterSource()();
  } else {
    ticks = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  }
  RandSeed = static_cast<Cardinal>(ticks & 0xFFFFFFFFu);
}

void SetRandomizeCounter(std::function<uint64_t()> counter) { CounterSource() = std::move(counter); }
