// Sorting a number line of the size overlap null model, once per iteration: a bucket pass over
// the line's range, then each bucket in place. Drawn lines spread over their range, so most
// buckets hold one or two values and the sort is close to linear; a crowded bucket is sorted
// by the library sort, so no input costs more than n log n. The order is the ascending order
// QuickSortReals gives; a line holding a value that is not finite is sorted by QuickSortReals.
#pragma once

#include <cstdint>
#include <vector>

class NumberLineSort {
 public:
  // Sizes the scratch for lines of n values; a longer line grows it.
  void Reserve(size_t n);
  void Sort(std::vector<double>& Line);

 private:
  std::vector<uint32_t> FBucket;  // bucket of each value
  std::vector<uint32_t> FStart;   // first slot of each bucket, then its fill
  std::vector<double> FOut;
};
