#include "analysis/species_diversity/SpeciesDiversityLevels.h"

#include "classlib/Math.h"
#include "classlib/SysUtils.h"

namespace {

// The rule shared by both kinds of default levels; Keep tells whether a level stays.
template <typename KeepFn>
std::vector<int32_t> DefaultLevels(double Step, int32_t L, KeepFn Keep) {
  std::vector<int32_t> levels;
  if (L < 1) return levels;
  levels.reserve(static_cast<size_t>(L));
  levels.push_back(1);
  double b = 1;
  for (int32_t k = 1; k < L; ++k) {
    const double x = b + Step;
    b = static_cast<double>(k % 2 == 1 ? Round(x) : Trunc(x));
    if (Keep(b)) levels.push_back(static_cast<int32_t>(b));
  }
  return levels;
}

}  // namespace

std::vector<int32_t> DefaultAbundanceLevels(int32_t N, int32_t L) {
  if (L < 1) return {};
  const double step = static_cast<double>(N) / static_cast<double>(L);
  return DefaultLevels(step, L, [N](double b) { return b < N; });
}

std::vector<int32_t> DefaultSampleLevels(int32_t M, int32_t L) {
  if (L < 1) return {};
  const double step = static_cast<double>(M + 1) / static_cast<double>(L);
  return DefaultLevels(step, L, [M](double b) { return b <= M; });
}

std::vector<int32_t> LevelsFromLines(const std::vector<std::string>& Lines) {
  std::vector<int32_t> levels;
  levels.reserve(Lines.size());
  for (const std::string& line : Lines) {
    const int32_t level = LeadingInt(line);
    levels.push_back(level < 1 ? 1 : level);
  }
  return levels;
}

int32_t FirstLevelNotPositive(const std::vector<std::string>& Lines) {
  for (size_t i = 0; i < Lines.size(); ++i)
    if (LeadingInt(Lines[i]) <= 0) return static_cast<int32_t>(i + 1);
  return 0;
}
