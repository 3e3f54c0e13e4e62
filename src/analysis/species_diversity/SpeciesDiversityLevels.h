// The sampling levels of the species-diversity analysis: the default abundance levels (numbers
// of individuals) and sample levels (numbers of samples), and user levels read from text lines.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Default levels: level 0 is 1; then b := 1 and, for k = 1 .. L - 1, b := b + step rounded to
// the nearest integer (halves to even) when k is odd, cut to its whole part when k is even.
// A level b is kept while it is within the bound; one beyond it is dropped (the list holds the
// levels built), while equal neighbours stay.

// Abundance levels for a column of N individuals and L levels: step N / L, kept while b < N.
std::vector<int32_t> DefaultAbundanceLevels(int32_t N, int32_t L);

// Sample levels for M samples and L levels: step (M + 1) / L, kept while b <= M. L = 0 gives
// no level.
std::vector<int32_t> DefaultSampleLevels(int32_t M, int32_t L);

// One level per line, in line order: each line read as a whole number (a fraction cut off, text
// that is not a number 0) and raised to 1 when below 1.
std::vector<int32_t> LevelsFromLines(const std::vector<std::string>& Lines);

// The first line (1-based) whose whole number is not greater than 0; 0 when every line is.
int32_t FirstLevelNotPositive(const std::vector<std::string>& Lines);
