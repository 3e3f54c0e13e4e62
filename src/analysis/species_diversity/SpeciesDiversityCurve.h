// One row of a species-diversity curve: the statistics of one sampling level's simulated
// values, and the curve files' text.
#pragma once

#include <string>
#include <vector>

struct TCurveStatistics {
  double Mean = 0;
  double Median = 0;
  double Variance = 0;  // divisor I - 1; 0 within 1e-17 of 0 and for one value
  double Low = 0;       // the sorted value at Trunc(0.025 (I - 1))
  double High = 0;      // the sorted value at Round(0.975 (I - 1)), halves to even
};

// The statistics of I >= 1 values; Values ends sorted ascending.
TCurveStatistics CurveStatistics(std::vector<double>& Values);

// A curve file's lines from its rows of cells: space form joins the cells by single spaces and
// drops trailing blanks; comma form puts a comma after every cell. Every line ends in CR LF.
std::string CurveText(const std::vector<std::vector<std::string>>& Rows, bool Comma);
