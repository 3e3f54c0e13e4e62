// The matrix types every analysis works on.
//
// A Matrix is indexed [column][row] like the data grid's cells (columns = sites, rows =
// species). As a rule data cells are [1..C][1..R]; [0][r] holds the total of row r, [c][0]
// the total of column c and [0][0] the grand total. Storage is one flat block, column after
// column, so a column is contiguous and m[c][r] costs one multiply-add.
//
// Copies are explicit and deep (assignment copies); code that needs two names for one matrix
// holds a reference.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "classlib/Exceptions.h"

template <typename T>
class Grid2D {
 public:
  Grid2D() = default;
  Grid2D(int cols, int rows) { SetLength(cols, rows); }

  // Resizes to cols x rows; every cell becomes 0.
  void SetLength(int cols, int rows) {
    cols_ = cols < 0 ? 0 : cols;
    rows_ = rows < 0 ? 0 : rows;
    data_.assign(static_cast<size_t>(cols_) * static_cast<size_t>(rows_), T{});
  }
  void Fill(T value) { std::fill(data_.begin(), data_.end(), value); }

  int Cols() const { return cols_; }
  int Rows() const { return rows_; }
  // Raises a range error unless [col][row] lies inside the matrix: sizes handed in with a
  // matrix are checked once before a loop instead of trusted.
  void RequireIndex(int col, int row) const {
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_) RaiseRangeError();
  }
  bool Empty() const { return data_.empty(); }

  T* operator[](int col) { return data_.data() + static_cast<size_t>(col) * rows_; }
  const T* operator[](int col) const { return data_.data() + static_cast<size_t>(col) * rows_; }

  T* Data() { return data_.data(); }
  const T* Data() const { return data_.data(); }

  friend bool operator==(const Grid2D& a, const Grid2D& b) {
    return a.cols_ == b.cols_ && a.rows_ == b.rows_ && a.data_ == b.data_;
  }

 private:
  int cols_ = 0;
  int rows_ = 0;
  std::vector<T> data_;
};

using Matrix = Grid2D<int32_t>;
using Real_Matrix = Grid2D<double>;

// A number line: body sizes, user weights. For weights, element 0 holds the weight sum and
// element i the selection probability of row or column i.
using NumberLine = std::vector<double>;

// The 12-bin histogram of simulated index values: 13 bin edges and 12 counts.
using intervalArray = std::array<double, 13>;
using frequencyArray = std::array<int32_t, 12>;

// Sizes of the matrix being processed: [0] column count and [1] row count (the totals'
// index 0 included), [2] number of sites, [3] number of species.
using InfoMat = std::array<int32_t, 4>;
