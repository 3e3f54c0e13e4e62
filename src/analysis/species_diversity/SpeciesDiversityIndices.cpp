#include "analysis/species_diversity/SpeciesDiversityIndices.h"

#include <cmath>

int32_t SpeciesRichness(std::span<const int32_t> Counts) {
  int32_t richness = 0;
  for (int32_t c : Counts) richness += c != 0 ? 1 : 0;
  return richness;
}

double HurlbertsPIE(std::span<const int32_t> Counts, int64_t n) {
  const double total = static_cast<double>(n);
  double sum = 0;
  for (int32_t c : Counts) {
    const double p = static_cast<double>(c) / total;
    sum += p * p;
  }
  // One individual: the factor's n - 1 would be 0; with n = 2 the index is 0 as it should be.
  const double factorN = n == 1 ? 2.0 : total;
  return factorN / (factorN - 1.0) * (1.0 - sum);
}

double Dominance(std::span<const int32_t> Counts, int64_t n) {
  int32_t largest = 0;
  for (int32_t c : Counts)
    if (c > largest) largest = c;
  return static_cast<double>(largest) / static_cast<double>(n);
}

double ShannonIndex(std::span<const int32_t> Counts, int64_t n) {
  const double total = static_cast<double>(n);
  double h = 0;
  for (int32_t c : Counts) {
    if (c == 0) continue;
    const double p = static_cast<double>(c) / total;
    h -= p * std::log(p);
  }
  return h;
}

namespace {

double RichnessIndex(std::span<const int32_t> Counts, int64_t) { return SpeciesRichness(Counts); }

using IndexFn = double (*)(std::span<const int32_t>, int64_t);
constexpr IndexFn kIndices[] = {RichnessIndex, HurlbertsPIE, Dominance, ShannonIndex};

}  // namespace

double DiversityIndex(DiversityIndexKind Kind, std::span<const int32_t> Counts, int64_t n) {
  return kIndices[static_cast<int>(Kind)](Counts, n);
}
