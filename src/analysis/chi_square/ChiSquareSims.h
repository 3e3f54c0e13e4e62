// The chi-square test's numerical core: the statistic of a table against its expected counts,
// the expected counts from the table's totals, and the three randomisations of a table (the
// grand total spread in proportion to the row and column totals, each column's total spread
// over the rows, each row's total spread over the columns). Tables are indexed [column][row]
// from 0, without totals. Draws come from the program's one random source in the order given.
#pragma once

#include <vector>

#include "analysis/common/MatrixTypes.h"
#include "analysis/common/RunServices.h"
#include "analysis/standard_tests/ProportionalPick.h"
#include "classlib/Types.h"

inline constexpr const char* kTableRestraintsFailed = "Unable to satisfy restraints. Aborting simulation.";

// X^2 = sum over the cells of (T - E)^2 / E.
double ChiSquareStatistic(const Matrix& T, const Real_Matrix& E);

// E[c][r] = RowTotal[r] x ColTotal[c] / the grand total (the sum of ColTotal). False, E
// unchanged, when the grand total is 0: there are no expected counts to give.
bool ExpectedCounts(const std::vector<double>& RowTotal, const std::vector<double>& ColTotal, Real_Matrix& E);

// Each total over the sum of all of them (0 each when that sum is not positive).
NumberLine Proportions(const std::vector<Integer>& Totals);

// The randomisations; each starts from an all-zero S.
//
// RandomizeMatrix places Total individuals one by one: Poll runs before each (true ends the
// draw); u1 then u2 are drawn; the column is Sites' pick for u1 (the first position with a
// positive proportion whose running sum of the column proportions reaches u1), the row
// Species' pick for u2. Refused through Message with kTableRestraintsFailed when Total is not
// positive or either line has no positive proportion. False when refused or interrupted.
bool RandomizeMatrix(Matrix& S, Integer Total, const TProportionalPick& Sites, const TProportionalPick& Species,
                     const PollFn& Poll, const MessageSink& Message);
// For each column c in order, ColTotal[c] times: row Random(rows) gains one.
void RandomizeColumns(Matrix& S, const std::vector<Integer>& ColTotal);
// For each row r in order, RowTotal[r] times: column Random(columns) gains one.
void RandomizeRows(Matrix& S, const std::vector<Integer>& RowTotal);

// The three choices of the options form's "Si&mulation options", in its item order.
enum class TChiSquareRandomization { Matrix = 0, Columns = 1, Rows = 2 };

// Everything one randomisation needs; the lines are made once from the totals.
struct TChiSquareModel {
  TChiSquareRandomization Choice = TChiSquareRandomization::Matrix;
  std::vector<Integer> RowTotal, ColTotal;
  Integer Total = 0;
  NumberLine SpeciesNumberLine, SitesNumberLine;
  TProportionalPick SpeciesPick, SitesPick;

  void SetUp(TChiSquareRandomization AChoice, const std::vector<Integer>& Rows, const std::vector<Integer>& Cols,
             Integer GrandTotal);
  // One random table into S (sized by the caller); false as RandomizeMatrix.
  bool Draw(Matrix& S, const PollFn& Poll, const MessageSink& Message) const;
};

// The whole randomisation without a user interface (benchmarks): Iterations tables, the
// statistic of each at [i] of Simulated (sized by the caller).
void SimulateChiSquare(const TChiSquareModel& Model, const Real_Matrix& E, Integer Iterations,
                       std::vector<double>& Simulated);
