// The checks every randomisation test makes before it runs, with their messages.
#pragma once

#include <functional>

class TStringGrid;

// Refuses a run without iterations ("Iterations must be > 0.": the statistics would divide by
// zero), then runs the test's own checks, adding "Initialization failed." when they refuse.
bool CheckStandardRun(const std::function<bool()>& Init);

// Two different columns: "XVariable cannot equal YVariable." otherwise.
bool CheckColumnPair(int XIndex, int YIndex);

// At least one data row below the titles: "At least 1 row of data required." otherwise.
bool CheckDataRows(const TStringGrid* Grid);
