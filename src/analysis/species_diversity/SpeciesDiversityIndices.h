// The diversity indices of a vector of species counts: richness, Hurlbert's PIE, dominance and
// Shannon's index. n is the sample size the caller states (a rarefaction level, the number of
// individuals a subsample of samples drew, or the observed total); it must be 1 or more.
// Counts are 0 or more. Nothing here allocates, polls or knows a form.
#pragma once

#include <cstdint>
#include <span>

// The items of the options' index list, in list order.
enum class DiversityIndexKind : int8_t { Richness = 0, HurlbertsPIE = 1, Dominance = 2, Shannon = 3 };

// Number of counts different from 0.
int32_t SpeciesRichness(std::span<const int32_t> Counts);
// n / (n - 1) * (1 - sum (c_i / n)^2); the factor takes n = 2 when n is 1, so that a single
// individual gives 0.
double HurlbertsPIE(std::span<const int32_t> Counts, int64_t n);
// The largest count (0 when none is above 0) over n.
double Dominance(std::span<const int32_t> Counts, int64_t n);
// -sum (c_i / n) ln(c_i / n) over the counts different from 0; natural logarithm.
double ShannonIndex(std::span<const int32_t> Counts, int64_t n);

// The index of the given kind (one table of functions with the same signature).
double DiversityIndex(DiversityIndexKind Kind, std::span<const int32_t> Counts, int64_t n);
