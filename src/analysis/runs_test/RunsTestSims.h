// The runs test's numerical core. Positions are the data rows ordered by X; the occupancy
// vector holds each position's Y (a presence or a count). The randomisers rebuild the vector
// under one of four null models; the run statistics are the longest run of occupied positions
// and the mean and variance (linear data) or mean direction and 1 - R/n (angular data, X in
// degrees) of the X values of the occupied positions. Draws come from the program's one random
// source in the order given; the proportional randomisers poll before every draw.
#pragma once

#include <vector>

#include "analysis/common/MatrixTypes.h"
#include "analysis/common/RunServices.h"
#include "analysis/standard_tests/ProportionalPick.h"
#include "classlib/Types.h"

inline constexpr const char* kRunsRestraintsFailed = "Unable to satisfy restraints. Aborting simulation.";

// Draws one individual may take to find a free position (proportional, without replacement).
inline constexpr Integer kMaxDrawsPerIndividual = 199999;

// The data rows in X order: rows of equal X keep their grid order.
struct TRunsData {
  std::vector<double> xVarsSorted;
  std::vector<Integer> yVarsSims;  // the observed Y along the sorted positions
  std::vector<Integer> Order;      // grid row (0-based) of each sorted position
};
TRunsData SortByX(const std::vector<double>& X, const std::vector<Integer>& Y);

// Without replacement: the number of positive Y; with replacement: their sum.
Integer CountOnes(const std::vector<Integer>& Y, bool WithReplacement);

// NumberLineSum := the sum of X; when it is positive, NumberLine[i] := X[i] / sum, otherwise
// NumberLine keeps its values.
void SetUpNumberLine(const std::vector<double>& X, NumberLine& Line, double& NumberLineSum);

// For i = 0 .. n-1 the elements i and Random(n) change places.
void Equiprobable_WithoutReplacement(std::vector<Integer>& V);
// Every element 0, then k times Random(n) gains one.
void Equiprobable_WithReplacement(Integer k, std::vector<Integer>& V);
// k individuals on positions drawn in proportion to X (Pick built from NumberLine): the first
// position whose running sum exceeds u (the last weighted one when rounding leaves the sum at
// or below u). Without
// replacement an occupied position means a new draw, each vector ends with k ones. Refused
// through Message with kRunsRestraintsFailed when the X sum is not positive, any X is negative,
// or one individual has taken kMaxDrawsPerIndividual draws. False when refused or when Poll
// (run before every draw) asks to stop.
bool Proportional_WithoutReplacement(Integer k, const TProportionalPick& Pick, std::vector<Integer>& V,
                                     double NumberLineSum, const PollFn& Poll, const MessageSink& Message);
bool Proportional_WithReplacement(Integer k, const TProportionalPick& Pick, std::vector<Integer>& V,
                                  double NumberLineSum, const PollFn& Poll, const MessageSink& Message);

struct TRunStatistics {
  Integer LongestRun = 0;
  double Mean = 0;
  double Variance = 0;
};
// Presence data: a position of value >= 1 is occupied once. Count data: a count k > 0 adds
// its X k times and lengthens the run by k. Ones is the caller's working space (k values).
TRunStatistics CalculateRuns_WithoutReplacement(Integer k, std::vector<double>& Ones, const std::vector<Integer>& V,
                                                const std::vector<double>& X, bool Angular);
TRunStatistics CalculateRuns_WithReplacement(Integer k, std::vector<double>& Ones, const std::vector<Integer>& V,
                                             const std::vector<double>& X, bool Angular);

// The four null models by the options' two choices.
struct TRunsModel {
  bool Proportional = false;
  bool WithReplacement = false;
  bool Angular = false;
  Integer OnesCount = 0;
  NumberLine Line;
  double NumberLineSum = 0;
  TProportionalPick Pick;  // built from Line by Prepare

  // Sets up Line and NumberLineSum from the sorted X values and builds the pick.
  void Prepare(const std::vector<double>& SortedX);

  bool Randomize(std::vector<Integer>& V, const PollFn& Poll, const MessageSink& Message) const;
  TRunStatistics Statistics(std::vector<double>& Ones, const std::vector<Integer>& V,
                            const std::vector<double>& X) const;
};

// The whole randomisation without a user interface (benchmarks): Iterations vectors from V,
// the statistics of each stored at [i] (arrays sized by the caller).
void SimulateRuns(const TRunsModel& Model, const std::vector<double>& X, std::vector<Integer>& V, Integer Iterations,
                  std::vector<Integer>& LongestRuns, std::vector<double>& Means, std::vector<double>& Variances);
